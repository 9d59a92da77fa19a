// article_input.h: what the article-engine fuzz targets share: the
// application that fonts and layout need, and the text of a flagged input.
#pragma once

#include <QString>

#include <cstdint>
#include <span>

namespace lexvane::fuzzing {

// Starts the offscreen application once (no display needed) and quiets
// the article engine's log, which would otherwise drown the fuzzer's.
void startArticleApplication();

// The text after the flag byte: bit 0 of the flag byte chooses 16-bit
// little-endian units (lone surrogates kept) over UTF-8. Empty for an
// input without a flag byte.
QString flaggedText(std::span<const std::uint8_t> input);

} // namespace lexvane::fuzzing
