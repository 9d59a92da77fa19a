// mlx_text.cpp: character references, phonetic codes and text escaping.
#include "exchange/mlx_text.h"

#include <array>
#include <cstdint>

namespace lexvane::engine::exchange {

namespace {

// Longer names or numbers are not references at all; the limit also keeps
// a number from overflowing.
constexpr std::size_t kMaxReferenceLength = 16;
constexpr char16_t kReplacement = u'?';

struct NamedReference {
    std::u16string_view name;
    char16_t character;
};

// "%22" is the quotation mark as some writers escape its name.
constexpr std::array<NamedReference, 7> kNamed{{
    {u"amp", u'&'},
    {u"apos", u'\''},
    {u"gt", u'>'},
    {u"lt", u'<'},
    {u"nbsp", u' '},
    {u"quot", u'"'},
    {u"%22", u'"'},
}};

int digitValue(char16_t c, int base)
{
    const int value = hexadecimalDigit(c);
    return value < base ? value : -1;
}

// The code point of "#123" or "#x1F600", or -1 when it names none.
std::int32_t numericValue(std::u16string_view name)
{
    std::size_t at = 1;
    int base = 10;
    if (at < name.size() && (name[at] == u'x' || name[at] == u'X')) {
        base = 16;
        ++at;
    }
    if (at == name.size())
        return -1;
    std::int32_t value = 0;
    for (; at < name.size(); ++at) {
        const int digit = digitValue(name[at], base);
        if (digit < 0)
            return -1;
        value = value * base + digit;
        if (value > 0x10FFFF)
            return -1;
    }
    return value;
}

void appendCodePoint(std::u16string& out, std::int32_t value)
{
    if (value <= 0 || (value >= 0xD800 && value <= 0xDFFF)) {
        out.push_back(kReplacement);
    } else if (value > 0xFFFF) {
        value -= 0x10000;
        out.push_back(static_cast<char16_t>(0xD800 + (value >> 10)));
        out.push_back(static_cast<char16_t>(0xDC00 + (value & 0x3FF)));
    } else {
        out.push_back(static_cast<char16_t>(value));
    }
}

} // namespace

void appendAscii(std::u16string& out, std::string_view ascii)
{
    for (char c : ascii)
        out.push_back(static_cast<char16_t>(static_cast<unsigned char>(c)));
}

std::size_t decodeReference(std::u16string_view text, std::size_t at, std::u16string& out)
{
    const std::size_t end = text.find(u';', at + 1);
    if (end == std::u16string_view::npos || end == at + 1 || end - at - 1 > kMaxReferenceLength) {
        out.push_back(u'&');
        return 1;
    }
    const std::u16string_view name = text.substr(at + 1, end - at - 1);
    // A blank or another '&' before the ';' means this '&' began no
    // reference: "AT&T; more" keeps its text.
    for (char16_t c : name) {
        if (c <= u' ' || c == u'&' || c == u'<') {
            out.push_back(u'&');
            return 1;
        }
    }
    if (name[0] == u'#') {
        appendCodePoint(out, numericValue(name));
    } else {
        char16_t found = kReplacement;
        for (const NamedReference& named : kNamed) {
            if (named.name == name)
                found = named.character;
        }
        out.push_back(found);
    }
    return end - at + 1;
}

std::u16string_view phoneticCode(char16_t letter)
{
    switch (letter) {
    case u'A': return u"\u028C";
    case u'C': return u"\u02A7";
    case u'D': return u"\u00F0";
    case u'E': return u"\u025C";
    case u'F': return u"\u025B";
    case u'G': return u"d\u0292";
    case u'H': return u"u:";
    case u'I': return u"\u026A";
    case u'J': return u"i:";
    case u'L': return u"\u0254:";
    case u'N': return u"\u014B";
    case u'O': return u"\u0254";
    case u'P': return u"\u0252";
    case u'Q': return u"\u0251";
    case u'R': return u"\u0251:";
    case u'S': return u"\u0283";
    case u'T': return u"\u019F";
    case u'V': return u"\u028B";
    case u'W': return u"\u0259:";
    case u'Z': return u"\u0292";
    case u'q': return u"\u0259";
    case u'x': return u"\u00E6";
    default: return {};
    }
}

void appendMlxText(std::u16string& out, char16_t c)
{
    switch (c) {
    case u'&': out += u"&amp;"; break;
    case u'\'': out += u"&apos;"; break;
    case u'<': out += u"&lt;"; break;
    case u'>': out += u"&gt;"; break;
    default: out.push_back(c); break;
    }
}

} // namespace lexvane::engine::exchange
