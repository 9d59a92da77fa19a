// search_reference.h: plain reference answers for the search tests.
#pragma once

#include "search/fuzzy_state.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::testing {

// One kept fuzzy result, comparable as a whole.
struct Kept {
    std::u16string word;
    std::int32_t distance;
    std::int32_t key;
    bool operator==(const Kept&) const = default;
};

// The results a state keeps, best first.
inline std::vector<Kept> keptOf(const FuzzyState& state)
{
    std::vector<Kept> kept;
    for (const FuzzyResult& result : state.results())
        kept.push_back({result.headword, result.distance, result.key});
    return kept;
}

// Optimal string alignment distance, the plain full-matrix way.
inline int referenceDistance(std::u16string_view a, std::u16string_view b)
{
    std::vector<std::vector<int>> d(a.size() + 1, std::vector<int>(b.size() + 1));
    for (std::size_t i = 0; i <= a.size(); ++i)
        d[i][0] = static_cast<int>(i);
    for (std::size_t j = 0; j <= b.size(); ++j)
        d[0][j] = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    }
    return d[a.size()][b.size()];
}

} // namespace lexvane::testing
