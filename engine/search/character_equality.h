// character_equality.h: when a character of a wildcard pattern stands for a
// character of a headword.
//
// Equal are the same character, case partners of the basic Latin, Cyrillic
// and Greek alphabets, and two characters of the same non-zero weight in a
// sort table (accented letters and their base letter). The relation is
// symmetric; characters of weight 0 equal only themselves.
#pragma once

#include <cstdint>

namespace lexvane::engine {

// The weight lookup of a sort table: 0 for ignored or absent characters.
class CharacterWeights {
public:
    virtual ~CharacterWeights() = default;
    virtual std::uint16_t weightOf(char16_t character) const = 0;
};

class CharacterEquality {
public:
    // `weights` may be null: then only identity and case partners count.
    explicit CharacterEquality(const CharacterWeights* weights) : m_weights(weights) {}

    bool equal(char16_t pattern, char16_t candidate) const
    {
        if (pattern == candidate || casePartners(pattern, candidate))
            return true;
        if (!m_weights)
            return false;
        const std::uint16_t weight = m_weights->weightOf(pattern);
        return weight != 0 && weight == m_weights->weightOf(candidate);
    }

    static bool casePartners(char16_t a, char16_t b);

private:
    const CharacterWeights* m_weights;
};

} // namespace lexvane::engine
