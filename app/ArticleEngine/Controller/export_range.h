// export_range.h: what the copy builders take of an article, and the part
// of it that a pair of positions selects.
//
// The builders serve the list (many articles, caret positions that name
// characters) and the editor (one article, positions between characters):
// both hand over the article's laid-out view, its content and the text
// its header stands for. The range is cut to the article: a start in an
// earlier article counts as this article's start, an end in a later one as
// the end of its body (docs/behaviour/article-export.md).
#pragma once

#include "ArticleEngine/Controller/article_edit_position.h"
#include "ArticleEngine/Markup/article_content.h"
#include "ArticleEngine/Views/article_view.h"

#include <QString>

namespace ArticleEngine::Controller {

struct ExportedArticle {
    // Laid out; its number is the article number the positions name, its
    // paragraphs run parallel to the content's.
    const ArticleView& view;
    const ArticleContent& content;
    // Copied when the range starts at the article's start: the headword.
    QString leadText;
    // A collapsed article copies its header at most.
    bool collapsed = false;
};

struct ExportRange {
    // The range starts at the article's start: the lead text is copied.
    bool withHeader = false;
    // The range reaches into the body (and the article is open).
    bool withBody = false;
    // The body characters [from, to); from <= to.
    int from = 0;
    int to = 0;
};

// With endAtOffset (the editor) the range ends at the end's offset; without
// it (the list, whose caret covers a word) at the end of the word that
// holds that character.
ExportRange exportRange(const ExportedArticle& article, ArticleEditPosition start, ArticleEditPosition end,
                        bool endAtOffset);

} // namespace ArticleEngine::Controller
