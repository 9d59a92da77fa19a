// sort_table_writer.h: writing the sort-table resources of compiled
// dictionaries ("COMP") and their code pages ("UNIC").
//
// UTF-8 dictionaries store a whole sort table; 8-bit dictionaries store one
// value per byte and contractions as multi-byte rules, and are sorted
// through their code page "UNIC" 0. Layouts: docs/formats/sort-tables.md.
#pragma once

#include "collation/sort_table.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lexvane::tools {

// "UNIC" k: for each byte one or two UTF-16 code units (the second 0 when
// the byte stands for one unit).
using CodePage = std::array<std::array<char16_t, 2>, 256>;

// The collation of an 8-bit dictionary, by byte.
struct ByteCollation {
    struct Contraction {
        std::string bytes;                      // 1 to 4 bytes, none of them 0
        std::array<std::uint16_t, 4> weights{}; // up to the first 0
    };
    std::array<std::uint16_t, 256> weights{};   // 0 = ignored; below 0x8000
    std::vector<Contraction> contractions;
};

// "COMP" of a UTF-8 dictionary: the table as it is (header, characters,
// contractions; little-endian). False with `error` set when the table is too
// large for a resource.
bool writeSortTable(const engine::SortTable& table, std::vector<std::uint8_t>& resource, std::string& error);

// "COMP" 0 of an 8-bit dictionary (big-endian values, contractions as rules).
// A byte that has a weight of its own and also starts contractions gets a
// one-byte rule, so that it keeps its weight where no longer rule matches.
// False with `error` set for a contraction of no, more than four or zero
// bytes, a weight of 0x8000 or more, or more rules than the layout holds.
bool writeByteSortTable(const ByteCollation& collation, std::vector<std::uint8_t>& resource, std::string& error);

// "UNIC" k.
std::vector<std::uint8_t> writeCodePage(const CodePage& codePage);

// The byte collation under which an 8-bit dictionary with `codePage` sorts
// as `table` sorts its characters: each byte takes the weight of its
// character, and the table's contractions whose characters all have a byte
// become byte contractions.
ByteCollation byteCollationFor(const engine::SortTable& table, const CodePage& codePage);

} // namespace lexvane::tools
