// word_comparison.h: comparing 16-bit headwords under a sort table, and the
// number of characters of a word that count for sorting.
//
// A word ends at its 0 terminator, at the table's terminator character, or
// after `limit` code units, whichever comes first. Under a table, both words
// are read as streams of weights (ignored characters dropped, contractions
// expanded) and the first differing weight decides; a word whose stream ends
// first sorts first. Without a table the words compare by code unit, and a
// null word compares equal to anything. Neither function allocates.
#pragma once

#include <cstddef>
#include <string_view>

namespace lexvane::engine {

class SortTable;

inline constexpr std::size_t kNoLimit = static_cast<std::size_t>(-1);

// -1, 0 or 1.
int compare(const char16_t* a, const char16_t* b, const SortTable* table, std::size_t limit = kNoLimit);
int compare(std::u16string_view a, std::u16string_view b, const SortTable* table);

// The characters that carry weight; a matched contraction counts the
// characters it consumed. Without a table the word's length.
std::size_t effectiveLength(const char16_t* word, const SortTable* table);
std::size_t effectiveLength(std::u16string_view word, const SortTable* table);

} // namespace lexvane::engine
