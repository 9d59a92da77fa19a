// built_in_sort_table.h: the engine's default collation.
//
// Used by WCmp, WNCmp and the wildcard search, and by every user dictionary,
// whose database collation calls WCmp: its content decides the order of
// stored user dictionaries and must never change silently (a test locks it).
#pragma once

namespace lexvane::engine {

class SortTable;

// The built-in table: 724 characters, 15 contractions (the last one empty),
// bisection, no terminator. Built once, on first use; safe to call from any
// thread.
const SortTable& builtInSortTable();

} // namespace lexvane::engine
