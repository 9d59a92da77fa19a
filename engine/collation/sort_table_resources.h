// sort_table_resources.h: building a compiled dictionary's sort tables from
// its "COMP" and "UNIC" resources.
//
// A UTF-8 dictionary stores each table whole ("COMP" 0 main, "COMP" 1
// second); an 8-bit dictionary stores its collation by byte ("COMP" 0, see
// byte_sort_table.h) and the table is built by mapping the bytes through its
// code page ("UNIC" 0). Both layouts: docs/formats/sort-tables.md. Every
// count and index is checked against the resource's size; a table that does
// not fit is refused with LV_BAD_SORT_TABLE and nothing is read outside it.
#pragma once

#include <cstdint>
#include <span>

namespace lexvane::engine {

class SortTable;

// Reads a whole serialised table (the "COMP" resources of UTF-8
// dictionaries). LV_OK or LV_BAD_SORT_TABLE; `table` is untouched on failure.
int readSortTable(std::span<const std::uint8_t> resource, SortTable& table);

// Builds the 16-bit table of an 8-bit dictionary from its "COMP" 0 and its
// "UNIC" 0 (empty when the dictionary has none: bytes then stand for the
// characters U+0000 to U+00FF). LV_OK or LV_BAD_SORT_TABLE, also when a rule
// is a range, which no 16-bit contraction can express.
int buildEightBitSortTable(std::span<const std::uint8_t> comp, std::span<const std::uint8_t> unic, SortTable& table);

// The main or second table of a compiled dictionary, whichever layout its
// words use.
int buildSortTable(std::span<const std::uint8_t> comp, std::span<const std::uint8_t> unic, bool utf8Words,
                   SortTable& table);

} // namespace lexvane::engine
