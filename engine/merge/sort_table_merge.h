// sort_table_merge.h: one sort table for a set whose members sort by
// tables of their own.
//
// The merge starts from a copy of one member's table and fits every other
// member's characters into it, weight by weight, so that characters the base
// already knows keep their order and new characters land beside the letters
// they share a weight with in their own table. See docs/behaviour/sets.md.
//
// Invariants of a merged table: it uses bisection lookup, its characters
// are sorted by code, every contraction index points at the first
// contraction of its character, and no weight reaches the contraction flag.
#pragma once

#include "collation/sort_table.h"

#include <span>

namespace lexvane::engine {

// Merges `others` (in order) into a copy of `base`. LV_OK, or
// LV_BAD_SORT_TABLE when the characters of one member weight map onto more
// than three outcomes in the merged table (absence counting as one), or
// when the weights run out. `merged` is written only on success.
int mergeSortTables(const SortTable& base, std::span<const SortTable* const> others, SortTable& merged);

} // namespace lexvane::engine
