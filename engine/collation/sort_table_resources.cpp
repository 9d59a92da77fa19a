// sort_table_resources.cpp: reading serialised sort tables and building the
// table of an 8-bit dictionary.
#include "collation/sort_table_resources.h"

#include "collation/byte_sort_table.h"
#include "collation/sort_table.h"
#include "common/byte_order.h"
#include "lexvane_engine.h"

namespace lexvane::engine {

namespace {

constexpr std::size_t kCharacterEntrySize = 4;
constexpr std::size_t kContractionEntrySize = 16;
constexpr std::size_t kCodePageSize = 256 * 4;

// The first code unit of byte `byte` in a "UNIC" table (256 entries of two
// little-endian code units; the second unit is not part of a sort key).
char16_t characterOfByte(std::span<const std::uint8_t> unic, std::uint8_t byte)
{
    if (unic.empty())
        return byte;
    return static_cast<char16_t>(bytes::readLittleEndian16(unic.data() + 4 * std::size_t{byte}));
}

} // namespace

int readSortTable(std::span<const std::uint8_t> resource, SortTable& table)
{
    bytes::ByteView view(resource);
    const std::uint32_t headerSize = view.littleEndian32();
    const std::uint32_t lookup = view.littleEndian32();
    view.skip(4);
    const std::uint16_t characterCount = view.littleEndian16();
    const std::uint16_t contractionCount = view.littleEndian16();
    const char16_t terminator = view.littleEndian16();
    view.skip(2);
    if (view.failed() || headerSize < SortTable::kHeaderSize || headerSize > resource.size())
        return LV_BAD_SORT_TABLE;
    if (lookup != static_cast<std::uint32_t>(SortTable::Lookup::Bisection)
        && lookup != static_cast<std::uint32_t>(SortTable::Lookup::CodeIndex))
        return LV_BAD_SORT_TABLE;
    view.seek(headerSize);
    const std::size_t needed = characterCount * kCharacterEntrySize + contractionCount * kContractionEntrySize;
    if (view.remaining() < needed)
        return LV_BAD_SORT_TABLE;

    std::vector<SortTable::Character> characters(characterCount);
    for (SortTable::Character& entry : characters) {
        entry.code = view.littleEndian16();
        entry.weight = view.littleEndian16();
    }
    std::vector<SortTable::Contraction> contractions(contractionCount);
    for (SortTable::Contraction& entry : contractions) {
        for (char16_t& character : entry.characters)
            character = view.littleEndian16();
        for (std::uint16_t& weight : entry.weights)
            weight = view.littleEndian16();
    }
    SortTable parsed(static_cast<SortTable::Lookup>(lookup), terminator, std::move(characters),
                     std::move(contractions));
    if (const int status = parsed.validate(); status != LV_OK)
        return status;
    table = std::move(parsed);
    return LV_OK;
}

int buildEightBitSortTable(std::span<const std::uint8_t> comp, std::span<const std::uint8_t> unic, SortTable& table)
{
    if (!unic.empty() && unic.size() < kCodePageSize)
        return LV_BAD_SORT_TABLE;
    ByteSortTable bytesTable;
    if (const int status = ByteSortTable::read(comp, bytesTable); status != LV_OK)
        return status;

    std::vector<SortTable::Character> characters(256);
    for (std::size_t byte = 0; byte < characters.size(); ++byte) {
        const std::uint32_t value = bytesTable.valueOf(static_cast<std::uint8_t>(byte));
        std::uint32_t weight = 0;
        if (value == ByteSortTable::kIgnoredValue)
            weight = SortTable::kIgnored;
        else if (value <= ByteSortTable::kLastRuleIndex)
            weight = SortTable::kContractionFlag | value;
        else
            weight = value >> 8;
        // A plain weight with the top bit set would read as a contraction.
        if (value > ByteSortTable::kLastRuleIndex && weight >= SortTable::kContractionFlag)
            return LV_BAD_SORT_TABLE;
        characters[byte] = {characterOfByte(unic, static_cast<std::uint8_t>(byte)), static_cast<std::uint16_t>(weight)};
    }

    std::vector<SortTable::Contraction> contractions;
    contractions.reserve(bytesTable.rules().size());
    for (const ByteSortTable::Rule& rule : bytesTable.rules()) {
        if (rule.isRange())
            return LV_BAD_SORT_TABLE;
        SortTable::Contraction entry{};
        const std::uint32_t key = rule.low & rule.mask;
        for (std::size_t i = 0; i < SortTable::kContractionLength; ++i) {
            const auto byte = static_cast<std::uint8_t>(key >> (24 - 8 * i));
            entry.characters[i] = byte == 0 ? 0 : characterOfByte(unic, byte);
            if (rule.weights[i] >= SortTable::kContractionFlag)
                return LV_BAD_SORT_TABLE;
            entry.weights[i] = static_cast<std::uint16_t>(rule.weights[i]);
        }
        contractions.push_back(entry);
    }

    SortTable built(SortTable::Lookup::Bisection, 0, std::move(characters), std::move(contractions));
    built.renumberContractions();
    if (const int status = built.validate(); status != LV_OK)
        return status;
    table = std::move(built);
    return LV_OK;
}

int buildSortTable(std::span<const std::uint8_t> comp, std::span<const std::uint8_t> unic, bool utf8Words,
                   SortTable& table)
{
    return utf8Words ? readSortTable(comp, table) : buildEightBitSortTable(comp, unic, table);
}

} // namespace lexvane::engine
