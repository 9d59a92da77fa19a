// body_pass.h: what the two article passes (rows, tables) share.
//
// A pass places an article's paragraphs inside the body area (relative to
// the article), moves the area's top below what it placed, numbers the
// lines of the article from 1 and leaves every paragraph it did not reach
// dirty. Every paragraph it reached is placed (layout state 2) and has its
// hidden flag set afresh.
#pragma once

#include <QRect>

namespace ArticleEngine {
class ArticleView;
class ParagraphView;
}

namespace ArticleEngine::Loading {

struct BodyPass {
    BodyPass(ArticleView& article, QRect& area, bool partial, int firstLineIndent)
        : article(article)
        , area(area)
        , partial(partial)
        , firstLineIndent(firstLineIndent)
    {
    }

    // Lays paragraph n out in rect (relative to the article) with the next
    // line numbers; paragraph 0 keeps the first-line indent.
    void layOut(int n, const QRect& rect);
    // Paragraphs from n on become dirty; n is where the pass stopped.
    void finish(int n);

    ArticleView& article;
    QRect& area;
    const bool partial;
    const int firstLineIndent;
    int lineNumber = 1;
    int lastPlaced = -1;
    // Paragraphs laid out anew rather than kept (a test's layout counter).
    int laidOutAnew = 0;
};

// Shows nothing of a paragraph: zero height at its top, hidden.
void collapseParagraph(ParagraphView& paragraph);

} // namespace ArticleEngine::Loading
