// article_content.h: what the markup reader makes of an article's markup.
//
// Invariants (kept by the reader and by the element pass; see
// docs/behaviour/article-markup.md):
// - text is not empty and ends with a line feed;
// - paragraphs cover the text in order without gaps, each ends with its
//   only line feed, none is empty;
// - styles cover the text in order without gaps, none is empty, and two
//   neighbours never carry the same style number (-1 means no style).
#pragma once

#include <QString>

#include <vector>

namespace ArticleEngine {

struct ParagraphRange {
    int start = 0;
    int end = 0; // exclusive, just after the paragraph's line feed
    int indent = 0;

    bool operator==(const ParagraphRange&) const = default;
};

struct StyleRange {
    int start = 0;
    int end = 0; // exclusive
    int style = -1;

    bool operator==(const StyleRange&) const = default;
};

struct ArticleContent {
    // The characters before the first style number, held apart from the text.
    QString leadText;
    QString text;
    std::vector<ParagraphRange> paragraphs;
    std::vector<StyleRange> styles;
};

} // namespace ArticleEngine
