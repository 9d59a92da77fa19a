// character_equality.h: when a character of a wildcard pattern stands for a
// character of a headword.
//
// Equal are the same character, case partners of the basic Latin, Cyrillic
// and Greek alphabets, and two characters of the same non-zero weight in a
// sort table (accented letters and their base letter). The relation is
// symmetric; characters of weight 0 equal only themselves.
#pragma once

#include "collation/sort_table.h"

#include <cstdint>

namespace lexvane::engine {

class CharacterEquality {
public:
    // `table` may be null: then only identity and case partners count.
    explicit CharacterEquality(const SortTable* table) : m_table(table) {}

    bool equal(char16_t pattern, char16_t candidate) const
    {
        if (pattern == candidate || casePartners(pattern, candidate))
            return true;
        if (!m_table)
            return false;
        const std::uint16_t weight = m_table->weightOf(pattern);
        return weight != SortTable::kIgnored && weight == m_table->weightOf(candidate);
    }

    static bool casePartners(char16_t a, char16_t b);

private:
    const SortTable* m_table; // owned by the dictionary, the set or the engine
};

} // namespace lexvane::engine
