// fulltext_index.h: the word hash and the word positions of the full-text
// table of a user dictionary.
//
// Stored files depend on the hash exactly (docs/formats/user-dictionary.md):
// the reflected CRC-32 table driven by a left shift, no final inversion.
#pragma once

#include "userdic/helper_calls.h"

#include <cstdint>
#include <map>
#include <string_view>
#include <vector>

namespace lexvane::engine::userdic {

// At most this many ordinals are kept for one word of one article.
inline constexpr std::size_t kMaxPositionsPerWord = 256;
// A word is read into a buffer of this many characters with its terminator.
inline constexpr std::int32_t kWordBuffer = 255;

// The hash of an upper-cased word, as the signed value the table stores.
std::int32_t wordHash(std::u16string_view upperCasedWord);

// The ordinals (from 1) of every word of a body, grouped by hash in
// ascending order of the signed hash. Words start after the headword
// segment: a body with fewer than two '#' has none.
std::map<std::int32_t, std::vector<std::uint32_t>> indexBody(std::u16string_view body, const HelperCalls& helper);

} // namespace lexvane::engine::userdic
