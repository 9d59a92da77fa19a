// set_alphabet.h: the characters of a set's source language, and how much
// of a typed text is written in them.
//
// The alphabet is one bit per 16-bit character, the union of the members'
// alphabets. Counting uses fixed ranges for the scripts the program tells
// apart by range and the alphabet for every other language.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace lexvane::engine {

class SetAlphabet {
public:
    void add(char16_t c) { m_bits[c >> 6] |= std::uint64_t{1} << (c & 63); }
    bool contains(char16_t c) const { return (m_bits[c >> 6] >> (c & 63)) & 1; }

private:
    std::array<std::uint64_t, 65536 / 64> m_bits{};
};

// The number of characters of `text` (up to its end) that belong to the
// source language `language` (a packed language code): U+0001 to U+0040
// always; for Arabic, Greek, Bulgarian, Russian and Hebrew their ranges;
// for any other language the alphabet's characters, and for Japanese also
// the ASCII letters but L, Q and X.
std::int32_t countSourceLanguage(std::int32_t language, const SetAlphabet& alphabet, std::u16string_view text);

} // namespace lexvane::engine
