// trivial_helper.cpp: case-insensitive code-unit order, table-driven case
// mapping, UTF-8 conversion and the word splitter of the default helper.
//
// Invariant: simpleUpper and simpleLower are inverse on every pair they map,
// so that folding both sides of a comparison with simpleLower gives one
// order that does not depend on which case a title was typed in.
#include "userdic/trivial_helper.h"

#include <cstddef>
#include <cstdint>

namespace lexvane::engine::userdic {

namespace {

// A block where upper and lower case alternate: the first of each pair has
// the parity `upperParity`.
struct AlternatingBlock {
    char16_t first;
    char16_t last;
    bool upperIsEven;
};

constexpr AlternatingBlock kAlternating[] = {
    {0x0100, 0x012F, true},  {0x0132, 0x0137, true},  {0x0139, 0x0148, false}, {0x014A, 0x0177, true},
    {0x0179, 0x017E, false}, {0x0460, 0x0481, true},  {0x048A, 0x04BF, true},  {0x04C1, 0x04CE, false},
    {0x04D0, 0x052F, true},  {0x1E00, 0x1E95, true},  {0x1EA0, 0x1EFF, true},
};

// A block of upper-case letters whose lower-case forms sit `offset` higher.
struct ShiftedBlock {
    char16_t first;
    char16_t last;
    char16_t offset;
};

constexpr ShiftedBlock kShifted[] = {
    {u'A', u'Z', 0x20},     {0x00C0, 0x00D6, 0x20}, {0x00D8, 0x00DE, 0x20}, {0x0388, 0x038A, 0x25},
    {0x038E, 0x038F, 0x3F}, {0x0391, 0x03A1, 0x20}, {0x03A3, 0x03AB, 0x20}, {0x0400, 0x040F, 0x50},
    {0x0410, 0x042F, 0x20}, {0x0531, 0x0556, 0x30},
};

struct Pair {
    char16_t upper;
    char16_t lower;
};

constexpr Pair kSingles[] = {
    {0x0178, 0x00FF}, {0x0386, 0x03AC}, {0x038C, 0x03CC}, {0x04C0, 0x04CF},
};

bool inAlternating(char16_t c, bool& isUpper)
{
    for (const AlternatingBlock& block : kAlternating) {
        if (c >= block.first && c <= block.last) {
            isUpper = ((c % 2) == 0) == block.upperIsEven;
            return true;
        }
    }
    return false;
}

// Letters beyond those that have a case: marks of Latin, Greek and Cyrillic
// text, Hebrew, Arabic, kana, CJK ideographs and Hangul syllables.
struct Range {
    char16_t first;
    char16_t last;
};

constexpr Range kCaselessLetters[] = {
    {0x00AA, 0x00AA}, {0x00B5, 0x00B5}, {0x00BA, 0x00BA}, {0x00DF, 0x00DF}, {0x0130, 0x0131},
    {0x0138, 0x0138}, {0x0149, 0x0149}, {0x017F, 0x024F}, {0x0250, 0x02AF}, {0x0390, 0x0390},
    {0x03B0, 0x03B0}, {0x03C2, 0x03C2}, {0x03CF, 0x03FF}, {0x0561, 0x0587}, {0x05D0, 0x05EA},
    {0x0620, 0x064A}, {0x0671, 0x06D3}, {0x1E96, 0x1E9F}, {0x3041, 0x3096}, {0x30A1, 0x30FA},
    {0x3400, 0x4DBF}, {0x4E00, 0x9FFF}, {0xAC00, 0xD7A3},
};

std::size_t length(const char16_t* s)
{
    std::size_t n = 0;
    while (s[n])
        ++n;
    return n;
}

int compareFolded(const char16_t* a, const char16_t* b, std::size_t limit)
{
    for (std::size_t i = 0; i < limit; ++i) {
        const char16_t x = simpleLower(a[i]);
        const char16_t y = simpleLower(b[i]);
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
    return 0;
}

int trivialCompare(void*, const char16_t* a, const char16_t* b)
{
    return compareFolded(a, b, SIZE_MAX);
}

int trivialCompareN(void*, const char16_t* a, const char16_t* b, std::int32_t n)
{
    return n <= 0 ? 0 : compareFolded(a, b, static_cast<std::size_t>(n));
}

void trivialUpper(void*, char16_t* s)
{
    for (; *s; ++s)
        *s = simpleUpper(*s);
}

void trivialLower(void*, char16_t* s)
{
    for (; *s; ++s)
        *s = simpleLower(*s);
}

std::int32_t trivialDropLast(void*, char16_t* s)
{
    std::size_t n = length(s);
    if (n == 0)
        return 0;
    --n;
    // A surrogate pair is one character.
    if (n > 0 && s[n] >= 0xDC00 && s[n] <= 0xDFFF && s[n - 1] >= 0xD800 && s[n - 1] <= 0xDBFF)
        --n;
    s[n] = 0;
    return static_cast<std::int32_t>(n);
}

// 8-bit text is UTF-8 whatever the code page: the engine's other 8-bit
// texts (paths, property names) are UTF-8 too. Malformed bytes become
// U+FFFD.
int trivialToWide(void*, const char* source, char16_t* target, std::int32_t max, std::int32_t)
{
    if (!target || max <= 0)
        return 0;
    std::int32_t out = 0;
    const auto* p = reinterpret_cast<const unsigned char*>(source ? source : "");
    while (*p) {
        std::uint32_t code = 0xFFFD;
        int extra = 0;
        if (*p < 0x80) {
            code = *p;
        } else if ((*p & 0xE0) == 0xC0) {
            code = *p & 0x1F;
            extra = 1;
        } else if ((*p & 0xF0) == 0xE0) {
            code = *p & 0x0F;
            extra = 2;
        } else if ((*p & 0xF8) == 0xF0) {
            code = *p & 0x07;
            extra = 3;
        }
        ++p;
        for (int i = 0; i < extra; ++i, ++p) {
            if ((*p & 0xC0) != 0x80) {
                code = 0xFFFD;
                break;
            }
            code = (code << 6) | (*p & 0x3F);
        }
        const int units = code >= 0x10000 ? 2 : 1;
        if (out + units > max - 1)
            break;
        if (units == 2) {
            code -= 0x10000;
            target[out++] = static_cast<char16_t>(0xD800 + (code >> 10));
            target[out++] = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        } else {
            target[out++] = static_cast<char16_t>(code);
        }
    }
    target[out] = 0;
    return 0;
}

// Writes UTF-8 and never splits a character at the end of the room.
int trivialToNarrow(void*, const char16_t* source, char* target, std::int32_t max, std::int32_t)
{
    if (!target || max <= 0)
        return 0;
    std::int32_t out = 0;
    const char16_t* p = source ? source : u"";
    while (*p) {
        std::uint32_t code = *p++;
        if (code >= 0xD800 && code <= 0xDBFF && *p >= 0xDC00 && *p <= 0xDFFF)
            code = 0x10000 + ((code - 0xD800) << 10) + (*p++ - 0xDC00);
        else if (code >= 0xD800 && code <= 0xDFFF)
            code = 0xFFFD;
        unsigned char bytes[4];
        int count = 0;
        if (code < 0x80) {
            bytes[count++] = static_cast<unsigned char>(code);
        } else if (code < 0x800) {
            bytes[count++] = static_cast<unsigned char>(0xC0 | (code >> 6));
            bytes[count++] = static_cast<unsigned char>(0x80 | (code & 0x3F));
        } else if (code < 0x10000) {
            bytes[count++] = static_cast<unsigned char>(0xE0 | (code >> 12));
            bytes[count++] = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
            bytes[count++] = static_cast<unsigned char>(0x80 | (code & 0x3F));
        } else {
            bytes[count++] = static_cast<unsigned char>(0xF0 | (code >> 18));
            bytes[count++] = static_cast<unsigned char>(0x80 | ((code >> 12) & 0x3F));
            bytes[count++] = static_cast<unsigned char>(0x80 | ((code >> 6) & 0x3F));
            bytes[count++] = static_cast<unsigned char>(0x80 | (code & 0x3F));
        }
        if (out + count > max - 1)
            break;
        for (int i = 0; i < count; ++i)
            target[out++] = static_cast<char>(bytes[i]);
    }
    target[out] = 0;
    return 0;
}

// Skips non-word characters, copies one word. When the room runs out inside
// a word the next call starts again at the last character copied, as stored
// full-text indexes expect; with room for fewer than two characters that
// would never advance, so such a call finds nothing.
const char16_t* trivialNextWord(void*, const char16_t* source, char16_t* target, std::int32_t max)
{
    if (!source || !target || max <= 0)
        return nullptr;
    target[0] = 0;
    if (max < 3)
        return nullptr;
    const char16_t* p = source;
    while (*p && !isWordCharacter(*p))
        ++p;
    if (!*p)
        return nullptr;
    std::int32_t copied = 0;
    while (*p && isWordCharacter(*p)) {
        if (copied == max - 1) {
            target[copied] = 0;
            return p - 1;
        }
        target[copied++] = *p++;
    }
    target[copied] = 0;
    return p;
}

} // namespace

char16_t simpleUpper(char16_t c)
{
    if (c < 0x80)
        return (c >= u'a' && c <= u'z') ? static_cast<char16_t>(c - 0x20) : c;
    if (c == 0x03C2) // final sigma
        return 0x03A3;
    for (const ShiftedBlock& block : kShifted)
        if (c >= block.first + block.offset && c <= block.last + block.offset)
            return static_cast<char16_t>(c - block.offset);
    for (const Pair& pair : kSingles)
        if (c == pair.lower)
            return pair.upper;
    bool isUpper = false;
    if (inAlternating(c, isUpper) && !isUpper)
        return static_cast<char16_t>(c - 1);
    return c;
}

char16_t simpleLower(char16_t c)
{
    if (c < 0x80)
        return (c >= u'A' && c <= u'Z') ? static_cast<char16_t>(c + 0x20) : c;
    for (const ShiftedBlock& block : kShifted)
        if (c >= block.first && c <= block.last)
            return static_cast<char16_t>(c + block.offset);
    for (const Pair& pair : kSingles)
        if (c == pair.upper)
            return pair.lower;
    bool isUpper = false;
    if (inAlternating(c, isUpper) && isUpper)
        return static_cast<char16_t>(c + 1);
    return c;
}

bool isWordCharacter(char16_t c)
{
    if (simpleUpper(c) != c || simpleLower(c) != c)
        return true;
    for (const Range& range : kCaselessLetters)
        if (c >= range.first && c <= range.last)
            return true;
    return false;
}

const UDHelper& trivialHelper()
{
    static const UDHelper helper{
        nullptr,         trivialCompare, trivialCompareN, trivialUpper,    trivialLower,
        trivialDropLast, trivialToWide,  trivialToNarrow, trivialNextWord,
    };
    return helper;
}

} // namespace lexvane::engine::userdic
