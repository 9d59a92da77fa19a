// character_range.h: strings attached to ranges of an article's text.
//
// The element pass keeps links, labels and images in maps from a character
// range to the element's string; the fragment builder asks which string
// covers a character. Invariant: the ranges of one map are not empty, lie
// inside the text and do not overlap.
#pragma once

#include <QString>

#include <map>

namespace ArticleEngine {

struct CharacterRange {
    int start = 0;
    int end = 0; // exclusive

    bool contains(int position) const { return position >= start && position < end; }
    auto operator<=>(const CharacterRange&) const = default;
};

using RangeStringMap = std::map<CharacterRange, QString>;

// The string whose range holds the character at position; empty when none.
QString stringAt(const RangeStringMap& map, int position);

} // namespace ArticleEngine
