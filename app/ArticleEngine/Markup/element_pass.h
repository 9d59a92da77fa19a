// element_pass.h: takes the runs of special styles out of an article's text
// and reads them as elements: tables, rows, cells, links, labels, images.
//
// The elements come from untrusted markup: every tag is checked, and what
// does not fit (a closing tag without opener, a label without quotes, an
// image with no character before it, a width that is no number ...) is
// clamped, defaulted or ignored. Afterwards the content keeps the
// invariants of article_content.h, and the records those of
// table_records.h and character_range.h. Decisions in
// docs/behaviour/article-markup.md.
#pragma once

#include "ArticleEngine/Markup/article_content.h"
#include "ArticleEngine/Markup/character_range.h"
#include "ArticleEngine/Markup/table_records.h"

#include <QString>

#include <vector>

namespace ArticleEngine {

namespace External {
class IStyleServer;
}

// One cut run: its text and where it stood in the remaining text.
struct MarkupElement {
    QString text;
    int position = 0;

    bool operator==(const MarkupElement&) const = default;
};

struct ArticleElements {
    // Every cut run, in order; empty when nothing was cut.
    std::vector<MarkupElement> elements;
    std::vector<Table> tables;
    RangeStringMap links;
    RangeStringMap labels;
    RangeStringMap images;
};

// Cuts every style range whose style the server calls special (negative
// style numbers never are) out of content and interprets the cut runs.
ArticleElements takeElements(ArticleContent& content, External::IStyleServer& styles);

} // namespace ArticleEngine
