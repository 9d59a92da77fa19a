// language_names.h: the English names of the four-letter language codes.
//
// Used for the description items a short dictionary header does not hold
// (items 5 to 8). Code 0 is English.
#pragma once

#include <cstdint>

namespace lexvane::engine {

// The name of a packed language code; null when the code is unknown.
const char* englishLanguageName(std::int32_t code);

// Writes the first `n` characters of the name (all when n is 0) and a
// terminator into `buffer` of `size` code units. LV_OK; LV_NULL_ARGUMENT for
// a null buffer; LV_UNKNOWN_LANGUAGE (an empty text) for an unknown code;
// LV_BUFFER_TOO_SMALL when the text and its terminator do not fit, size 0
// included. Nothing is written past `size` units.
int languageName(std::int32_t code, int n, char16_t* buffer, int size);

} // namespace lexvane::engine
