// fuzzy_state.h: a running edit-distance search and its kept results.
//
// Invariants: the results are sorted by distance, earlier offers first among
// equal distances, and never exceed maxResults; every kept distance is below
// the current limit at the time it was kept; the limit only shrinks. The
// distance matrix keeps the rows of the last compared candidate, so that a
// candidate sharing a prefix with it (sorted headword lists, front-coded word
// lists) recomputes only the rows after the shared prefix.
// See docs/behaviour/fuzzy-search.md.
#pragma once

#include "lexvane_engine.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

struct FuzzyState {
public:
    // Rows and columns of the distance matrix; texts of kMatrixSize - 1 units
    // or more (with their terminator: kMatrixSize or more) are never compared.
    static constexpr int kMatrixSize = 64;
    static constexpr int kMaximumQueryUnits = kMatrixSize - 2;
    static constexpr int kMaximumKeptUnits = kMatrixSize - 1;
    static constexpr std::int32_t kDefaultLimit = 5;
    // A limit that no distance reaches: rows and columns end at 63.
    static constexpr std::int32_t kNoLimit = kMatrixSize;

    // A cleared state: no query, keeps nothing.
    FuzzyState();

    // Starts over for `word`. LV_WORD_TOO_LONG leaves the state cleared (it
    // keeps nothing); maxResults below 0 counts as 0. `limit` 0 means none.
    int start(std::u16string_view word, std::int32_t maxResults, std::int32_t limit = kDefaultLimit);

    // Offers `candidate`, keeping `kept` with `key` when it is close enough.
    // 0, or LV_NO_MEMORY when the result list cannot grow.
    int offer(std::u16string_view candidate, std::u16string_view kept, std::int32_t key)
    {
        // Most candidates of a list fail the length prefilter: that is
        // settled here, without a call, and leaves the state as it was.
        if (!passesLengthFilter(candidate.size()))
            return LV_OK;
        return offerForms(candidate, {}, kept, key);
    }

    // Offers the two forms of one headword (`second` only when not empty):
    // `kept` is kept once, at the smaller of their distances.
    int offerForms(std::u16string_view first, std::u16string_view second, std::u16string_view kept,
                   std::int32_t key);

    std::span<const FuzzyResult> results() const { return m_results; }
    std::int32_t limit() const { return m_limit; }

    // A set feed stops at the next candidate once this is set.
    void requestStop() { m_stop = true; }
    bool stopRequested() const { return m_stop; }

    // The distance between `candidate` and the query, or a value at or above
    // the current limit when it is at least the limit. Exposed for tests.
    std::int32_t distanceTo(std::u16string_view candidate);

private:
    // Whether a form of `units` code units is compared at all: shorter than
    // the matrix, and its length + 1 within the limit of the query's.
    bool passesLengthFilter(std::size_t units) const
    {
        if (units >= static_cast<std::size_t>(kMatrixSize - 1))
            return false;
        const std::int32_t difference = static_cast<std::int32_t>(units) + 1 - m_queryLengthPlusOne;
        return difference < m_limit && -difference < m_limit;
    }

    void clear();
    // The distance of one form, or kNoLimit when it is not to be compared.
    std::int32_t formDistance(std::u16string_view form);

    char16_t m_query[kMaximumQueryUnits + 1];
    std::int32_t m_queryLengthPlusOne = 1;
    std::int32_t m_matrix[kMatrixSize][kMatrixSize];
    std::int32_t m_rowMinimum[kMatrixSize];
    // The candidate whose rows 1 .. m_validRows the matrix holds.
    char16_t m_rowsWord[kMatrixSize];
    std::int32_t m_validRows = 0;
    std::int32_t m_limit = kDefaultLimit;
    std::int32_t m_lowerBound = 0;
    std::int32_t m_maxResults = 0;
    bool m_active = false; // false for a cleared state
    bool m_stop = false;
    std::vector<FuzzyResult> m_results;
};

namespace lexvane::engine {

static_assert(sizeof(FuzzyResult) == 136);
static_assert(offsetof(FuzzyResult, headword) == 0);
static_assert(offsetof(FuzzyResult, distance) == 128);
static_assert(offsetof(FuzzyResult, key) == 132);

} // namespace lexvane::engine
