// article_output.h: the output stage between a dictionary reader and the
// caller's OutputCallback.
//
// Readers hand it the article start (-2), every run with its style (index =
// style number) and the article end (-1); it adds the header line (-16),
// turns runs into terminated UTF-16 with a StyleRecord, and stops an article
// on the caller's first non-zero answer with exactly one closing -1.
#pragma once

#include "lexvane_engine.h"

#include <string>
#include <string_view>

namespace lexvane::engine {

// The binding of the running DicExtract, kept in the dictionary's path record.
struct OutputBinding {
    OutputCallback callback = nullptr;
    void* user = nullptr;
    bool hasHeader = false;
    std::u16string header;
};

inline constexpr int kHeaderIndex = -16;
inline constexpr int kArticleStart = -2;
inline constexpr int kArticleEnd = -1;

// Sends one event. `style` is used for runs (index >= 0) only. Status 0, or
// LV_STOPPED when the caller answered non-zero (the closing -1 is then sent).
// Without a bound callback every event is accepted and dropped.
int articleOutputForwarder(const OutputBinding& binding, std::u16string_view text, const StyleRecord* style, int index);

// Replaces "\x" and four hexadecimal digits by that code unit and drops
// code units 0.
std::u16string expandEscapes(std::u16string_view text);

} // namespace lexvane::engine
