// dictionary_text.h: the clean-ups applied to texts that leave a dictionary
// through DicGetData and DicExtract's header.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace lexvane::engine {

// Copies a headword for display into `buffer` of `room` code units (room
// >= 1): "\x" and four hexadecimal digits of a non-zero value become that
// code unit, U+E044 is dropped, U+E07B becomes 'c', a first character at or
// below U+0020 is dropped. At most room - 1 units and a terminator are
// written. Returns the number of units written.
std::int32_t cleanHeadword(std::u16string_view headword, char16_t* buffer, std::int32_t room);

// Writes the product's name as it is spelled now wherever a text carries
// the old spelling, in Latin or Cyrillic letters: the sixth letter becomes
// lower case. The length never changes. See docs/behaviour/dictionary-data.md.
void rewriteProductName(char16_t* text, std::size_t length);
void rewriteProductName(std::u16string& text);

} // namespace lexvane::engine
