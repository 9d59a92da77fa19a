// set_alphabet.cpp: counting a text's characters of the source language.
#include "merge/set_alphabet.h"

namespace lexvane::engine {

namespace {

constexpr std::int32_t code(const char (&text)[5])
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(text[0]) | static_cast<std::uint32_t>(text[1]) << 8
                                     | static_cast<std::uint32_t>(text[2]) << 16
                                     | static_cast<std::uint32_t>(text[3]) << 24);
}

bool inRange(char16_t c, char16_t low, char16_t high)
{
    return c >= low && c <= high;
}

} // namespace

std::int32_t countSourceLanguage(std::int32_t language, const SetAlphabet& alphabet, std::u16string_view text)
{
    char16_t low = 0;
    char16_t high = 0;
    if (language == code("arab")) {
        low = 0x060C;
        high = 0x06F9;
    } else if (language == code("gree")) {
        low = 0x0374;
        high = 0x03F3;
    } else if (language == code("bulg") || language == code("russ")) {
        low = 0x0400;
        high = 0x0451;
    } else if (language == code("hebr")) {
        low = 0x0591;
        high = 0x05F4;
    }
    const bool japanese = language == code("japa");
    std::int32_t count = 0;
    for (char16_t c : text) {
        bool counted = inRange(c, 0x0001, 0x0040);
        if (!counted && low != 0)
            counted = inRange(c, low, high);
        else if (!counted) {
            counted = alphabet.contains(c);
            if (!counted && japanese && (inRange(c, u'A', u'Z') || inRange(c, u'a', u'z'))) {
                const char16_t upper = c >= u'a' ? static_cast<char16_t>(c - 0x20) : c;
                counted = upper != u'L' && upper != u'Q' && upper != u'X';
            }
        }
        count += counted ? 1 : 0;
    }
    return count;
}

} // namespace lexvane::engine
