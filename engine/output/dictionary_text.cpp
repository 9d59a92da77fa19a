// dictionary_text.cpp: headword cleaning and the product-name rewrite.
#include "output/dictionary_text.h"
#include "common/hexadecimal.h"

namespace lexvane::engine {

namespace {

// The old spellings and the position of the letter that changes case.
constexpr std::u16string_view kLatin = u"LexvaNe";
constexpr std::u16string_view kCyrillic = u"\u041B\u0435\u043A\u0441\u0432\u0430\u041D\u0435"; // ЛексваНе
constexpr std::size_t kLatinLetter = 5;
constexpr std::size_t kCyrillicLetter = 6;

void rewrite(char16_t* text, std::size_t length, std::u16string_view name, std::size_t letter, char16_t lower)
{
    if (length < name.size())
        return;
    for (std::size_t i = 0; i + name.size() <= length; ++i)
        if (std::u16string_view(text + i, name.size()) == name)
            text[i + letter] = lower;
}

} // namespace

std::int32_t cleanHeadword(std::u16string_view headword, char16_t* buffer, std::int32_t room)
{
    if (room <= 0)
        return 0;
    std::int32_t written = 0;
    for (std::size_t r = 0; r < headword.size() && written < room - 1;) {
        const char16_t c = headword[r];
        if (c == u'\\' && r + 5 < headword.size() && headword[r + 1] == u'x') {
            int value = 0;
            bool valid = true;
            for (std::size_t k = 2; k < 6; ++k) {
                const int digit = hexadecimalDigit(headword[r + k]);
                valid = valid && digit >= 0;
                value = value * 16 + (digit < 0 ? 0 : digit);
            }
            if (valid && value != 0) {
                buffer[written++] = static_cast<char16_t>(value);
                r += 6;
                continue;
            }
        }
        ++r;
        if (c == 0xE044 || (r == 1 && c <= 0x20))
            continue;
        buffer[written++] = c == 0xE07B ? u'c' : c;
    }
    buffer[written] = 0;
    return written;
}

void rewriteProductName(char16_t* text, std::size_t length)
{
    rewrite(text, length, kLatin, kLatinLetter, u'n');
    rewrite(text, length, kCyrillic, kCyrillicLetter, u'\u043D');
}

void rewriteProductName(std::u16string& text)
{
    rewriteProductName(text.data(), text.size());
}

} // namespace lexvane::engine
