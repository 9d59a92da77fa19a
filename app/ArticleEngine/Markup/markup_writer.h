// markup_writer.h: writes a range of an article's text back as article
// markup, the form the editor saves, keeps in its undo history and copies
// as source.
//
// What the markup reader reads back from the written markup is the range's
// text with its style ranges and paragraph levels; element runs given
// beside the content come back as the same elements at the same places
// (docs/behaviour/article-editing.md, "Writing markup").
#pragma once

#include "ArticleEngine/Markup/article_content.h"

#include <QString>

#include <span>

namespace ArticleEngine {

// A run of a special style (a table, link, label or image element) kept
// beside the text: it stands in front of the character at position.
struct ElementRun {
    int position = 0;
    int style = 0;
    QString text;

    bool operator==(const ElementRun&) const = default;
};

// The characters [start, end) of the content's text. The lead text is
// written in front when withLead is set; a paragraph gets its level as
// leading tabs only when the range holds its start. Elements whose
// position lies in [start, end) are written before their character; at
// the end of the text also those standing after the last character.
QString writeMarkup(const ArticleContent& content, int start, int end, bool withLead,
                    std::span<const ElementRun> elements = {});

// The whole article with its lead text.
QString writeMarkup(const ArticleContent& content, std::span<const ElementRun> elements = {});

// A run's text with '%', line feed, tab, '#', '"', '<' and '>' written as
// '%' and two lower-case hexadecimal digits.
QString escapeRunText(QStringView text);

} // namespace ArticleEngine
