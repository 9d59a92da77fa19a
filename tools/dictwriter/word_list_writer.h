// word_list_writer.h: writing the compressed word list ("WLST") of a
// compiled dictionary, from which its fuzzy search is fed.
//
// The list is front-coded (each word: the number of units it shares with the
// previous word plus 1, then the rest of the word and a 0 unit), in 8-bit
// units (the dictionary's code page) or 16-bit little-endian units, then
// compressed as one raw DEFLATE stream and cut into resources "WLST" 0, 1,
// ... See docs/formats/word-list.md.
#pragma once

#include "prc_writer.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace lexvane::tools {

// The front-coded list before compression; nullopt when a word holds a 0
// unit. Shared prefixes are cut to what one unit can count.
std::optional<std::vector<std::uint8_t>> frontCodeWords16(std::span<const std::u16string> words);
std::optional<std::vector<std::uint8_t>> frontCodeWords8(std::span<const std::string> words);

// One raw DEFLATE stream (window 2^15) of `bytes`.
std::vector<std::uint8_t> deflateRaw(std::span<const std::uint8_t> bytes);

// Adds "WLST" 0, 1, ... holding `compressed` in pieces of at most
// `chunkSize` bytes. False when the writer refuses a resource or there are
// more pieces than resource ids.
bool addWordListResources(PrcWriter& writer, std::span<const std::uint8_t> compressed,
                          std::size_t chunkSize = PrcWriter::kMaximumResourceSize);

} // namespace lexvane::tools
