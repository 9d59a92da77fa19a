// fulltext_index.cpp: hashing and splitting article bodies into words.
#include "userdic/fulltext_index.h"

#include <array>
#include <string>

namespace lexvane::engine::userdic {

namespace {

constexpr std::array<std::uint32_t, 256> makeTable()
{
    std::array<std::uint32_t, 256> table{};
    for (std::uint32_t i = 0; i < 256; ++i) {
        std::uint32_t c = i;
        for (int k = 0; k < 8; ++k)
            c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
        table[i] = c;
    }
    return table;
}

constexpr std::array<std::uint32_t, 256> kTable = makeTable();
static_assert(kTable[1] == 0x77073096u);

inline std::uint32_t feed(std::uint32_t h, std::uint8_t byte)
{
    return ((h << 8) | byte) ^ kTable[h >> 24];
}

} // namespace

std::int32_t wordHash(std::u16string_view upperCasedWord)
{
    std::uint32_t h = 0xFFFFFFFFu;
    for (const char16_t c : upperCasedWord) {
        h = feed(h, static_cast<std::uint8_t>(c & 0xFF));
        h = feed(h, static_cast<std::uint8_t>(c >> 8));
    }
    for (int i = 0; i < 4; ++i)
        h = feed(h, 0);
    return static_cast<std::int32_t>(h);
}

std::map<std::int32_t, std::vector<std::uint32_t>> indexBody(std::u16string_view body, const HelperCalls& helper)
{
    std::map<std::int32_t, std::vector<std::uint32_t>> positions;
    const std::size_t first = body.find(u'#');
    if (first == std::u16string_view::npos)
        return positions;
    const std::size_t second = body.find(u'#', first + 1);
    if (second == std::u16string_view::npos)
        return positions;

    // The helper walks a terminated text.
    const std::u16string text(body.substr(second));
    const char16_t* cursor = text.c_str();
    char16_t word[kWordBuffer] = {};
    std::uint32_t ordinal = 0;
    while (cursor && *cursor) {
        const char16_t* next = helper.nextWord(cursor, word, kWordBuffer);
        if (!next)
            break;
        // A helper that does not advance would keep us here for ever.
        if (next <= cursor)
            next = cursor + 1;
        if (next > text.c_str() + text.size())
            next = text.c_str() + text.size();
        cursor = next;
        word[kWordBuffer - 1] = 0;
        helper.upper(word);
        ++ordinal;
        std::vector<std::uint32_t>& list = positions[wordHash(word)];
        if (list.size() < kMaxPositionsPerWord)
            list.push_back(ordinal);
    }
    return positions;
}

} // namespace lexvane::engine::userdic
