// sort_table_writer.cpp: serialising sort tables and code pages.
#include "sort_table_writer.h"

#include "prc_writer.h"

#include <algorithm>
#include <map>

namespace lexvane::tools {

namespace {

using engine::SortTable;

constexpr std::uint32_t kIgnoredValue = 0xFFFFFFFF;
constexpr std::size_t kLastRuleIndex = 254;

void littleEndian16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void littleEndian32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    littleEndian16(out, static_cast<std::uint16_t>(value));
    littleEndian16(out, static_cast<std::uint16_t>(value >> 16));
}

void bigEndian32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

} // namespace

bool writeSortTable(const SortTable& table, std::vector<std::uint8_t>& resource, std::string& error)
{
    const std::size_t characters = table.characters().size();
    const std::size_t contractions = table.contractions().size();
    if (characters > 0xFFFF || contractions > 0xFFFF
        || SortTable::kHeaderSize + characters * 4 + contractions * 16 > PrcWriter::kMaximumResourceSize) {
        error = "the sort table is too large for a resource";
        return false;
    }
    std::vector<std::uint8_t> out;
    littleEndian32(out, SortTable::kHeaderSize);
    littleEndian32(out, static_cast<std::uint32_t>(table.lookup()));
    littleEndian32(out, 0);
    littleEndian16(out, static_cast<std::uint16_t>(characters));
    littleEndian16(out, static_cast<std::uint16_t>(contractions));
    littleEndian16(out, table.terminator());
    littleEndian16(out, 0);
    for (const SortTable::Character& entry : table.characters()) {
        littleEndian16(out, entry.code);
        littleEndian16(out, entry.weight);
    }
    for (const SortTable::Contraction& entry : table.contractions()) {
        for (char16_t character : entry.characters)
            littleEndian16(out, character);
        for (std::uint16_t weight : entry.weights)
            littleEndian16(out, weight);
    }
    resource = std::move(out);
    return true;
}

bool writeByteSortTable(const ByteCollation& collation, std::vector<std::uint8_t>& resource, std::string& error)
{
    std::vector<ByteCollation::Contraction> rules = collation.contractions;
    for (const ByteCollation::Contraction& rule : rules) {
        if (rule.bytes.empty() || rule.bytes.size() > 4 || rule.bytes.find('\0') != std::string::npos) {
            error = "a contraction must have 1 to 4 bytes, none of them 0";
            return false;
        }
        if (std::any_of(rule.weights.begin(), rule.weights.end(), [](std::uint16_t w) { return w >= 0x8000; })) {
            error = "contraction weights must be below 0x8000";
            return false;
        }
    }
    for (std::size_t byte = 1; byte < 256; ++byte) {
        if (collation.weights[byte] >= 0x8000) {
            error = "byte weights must be below 0x8000";
            return false;
        }
        const bool startsRule = std::any_of(rules.begin(), rules.end(), [&](const ByteCollation::Contraction& r) {
            return static_cast<std::uint8_t>(r.bytes[0]) == byte;
        });
        const bool hasOwnRule = std::any_of(rules.begin(), rules.end(), [&](const ByteCollation::Contraction& r) {
            return r.bytes.size() == 1 && static_cast<std::uint8_t>(r.bytes[0]) == byte;
        });
        if (startsRule && !hasOwnRule && collation.weights[byte] != 0)
            rules.push_back({std::string(1, static_cast<char>(byte)), {collation.weights[byte]}});
    }
    std::stable_sort(rules.begin(), rules.end(), [](const auto& a, const auto& b) {
        return std::lexicographical_compare(a.bytes.begin(), a.bytes.end(), b.bytes.begin(), b.bytes.end(),
                                            [](char x, char y) {
                                                return static_cast<std::uint8_t>(x) < static_cast<std::uint8_t>(y);
                                            });
    });
    if (rules.size() > kLastRuleIndex + 1) {
        error = "too many contractions for an 8-bit sort table";
        return false;
    }

    std::vector<std::uint8_t> out;
    for (std::size_t byte = 0; byte < 256; ++byte) {
        const auto first = std::find_if(rules.begin(), rules.end(), [&](const ByteCollation::Contraction& r) {
            return static_cast<std::uint8_t>(r.bytes[0]) == byte;
        });
        if (byte != 0 && first != rules.end())
            bigEndian32(out, static_cast<std::uint32_t>(first - rules.begin()));
        else if (byte == 0 || collation.weights[byte] == 0)
            bigEndian32(out, kIgnoredValue);
        else
            bigEndian32(out, std::uint32_t{collation.weights[byte]} << 8);
    }
    bigEndian32(out, static_cast<std::uint32_t>(rules.size()));
    for (const ByteCollation::Contraction& rule : rules) {
        std::uint32_t key = 0;
        for (std::size_t i = 0; i < 4; ++i)
            key = (key << 8) | (i < rule.bytes.size() ? static_cast<std::uint8_t>(rule.bytes[i]) : 0u);
        const std::uint32_t mask = rule.bytes.size() == 4 ? 0xFFFFFFFFu : ~(0xFFFFFFFFu >> (8 * rule.bytes.size()));
        bigEndian32(out, key);  // low
        bigEndian32(out, key);  // high: a contraction matches one key
        bigEndian32(out, mask);
        bigEndian32(out, static_cast<std::uint32_t>(rule.bytes.size()));
        bool ended = false;
        for (std::uint16_t weight : rule.weights) {
            ended = ended || weight == 0;
            bigEndian32(out, ended ? kIgnoredValue : std::uint32_t{weight} << 8);
        }
    }
    if (out.size() > PrcWriter::kMaximumResourceSize) {
        error = "too many contractions for a resource";
        return false;
    }
    resource = std::move(out);
    return true;
}

std::vector<std::uint8_t> writeCodePage(const CodePage& codePage)
{
    std::vector<std::uint8_t> out;
    out.reserve(256 * 4);
    for (const auto& units : codePage) {
        littleEndian16(out, units[0]);
        littleEndian16(out, units[1]);
    }
    return out;
}

ByteCollation byteCollationFor(const SortTable& table, const CodePage& codePage)
{
    std::map<char16_t, std::uint8_t> byteOf;
    for (std::size_t byte = 1; byte < 256; ++byte)
        if (codePage[byte][1] == 0 && codePage[byte][0] != 0)
            byteOf.emplace(codePage[byte][0], static_cast<std::uint8_t>(byte));

    ByteCollation collation;
    for (std::size_t byte = 1; byte < 256; ++byte) {
        const std::uint16_t weight = table.weightOf(codePage[byte][0]);
        if (!(weight & SortTable::kContractionFlag))
            collation.weights[byte] = weight;
    }
    for (const SortTable::Contraction& entry : table.contractions()) {
        ByteCollation::Contraction rule;
        for (char16_t character : entry.characters) {
            if (character == 0)
                break;
            const auto found = byteOf.find(character);
            if (found == byteOf.end()) {
                rule.bytes.clear();
                break;
            }
            rule.bytes.push_back(static_cast<char>(found->second));
        }
        if (rule.bytes.empty())
            continue;
        rule.weights = entry.weights;
        collation.contractions.push_back(rule);
    }
    return collation;
}

} // namespace lexvane::tools
