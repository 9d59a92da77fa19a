// mlx_text.h: characters inside MLX text: character references, the
// letters of phonetic transcription, and the escaping of exported text.
//
// Invariants: decoding never reads past the text it is given and always
// moves on by at least one character, so a damaged reference costs one
// character ('?') and never the text after it; every value it produces is
// a valid UTF-16 sequence (no lone surrogate, never character 0). Escaping
// and decoding are inverse for every character
// (docs/formats/mlx.md, "Text").
#pragma once

#include <cstddef>
#include "common/hexadecimal.h"
#include <string>
#include <string_view>

namespace lexvane::engine::exchange {

// Decodes the reference that starts with the '&' at `text[at]` and appends
// its characters to `out`. Returns the number of characters it took: the
// whole reference up to its ';', or 1 for an '&' that starts none (the
// '&' is then kept as it is).
std::size_t decodeReference(std::u16string_view text, std::size_t at, std::u16string& out);

// The characters that a phonetic transcription letter stands for, or an
// empty view for a character that is not one of the codes.
std::u16string_view phoneticCode(char16_t letter);

// Appends an ASCII literal as 16-bit text.
void appendAscii(std::u16string& out, std::string_view ascii);

// Appends `c` as exported MLX text: '&', '\'', '<' and '>' as references.
void appendMlxText(std::u16string& out, char16_t c);

} // namespace lexvane::engine::exchange
