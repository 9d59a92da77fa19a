// paragraph_layout_loader.h: breaks a paragraph's items into lines and
// places the lines.
//
// Items of one group (a word with its brackets and separators) stay on one
// line; a group that does not fit begins a new line, unless the line is
// still empty (then it overflows it) or the group holds a space (spaces
// never begin a line). A right-to-left paragraph puts its first item at the
// right edge and each later one to the left of it.
//
// The rectangle is the paragraph's, relative to the article; items are
// placed relative to the paragraph, inside its margins. A paragraph already
// placed at the same width keeps its lines: only its origin and, when it
// changed, its line numbers follow.
#pragma once

#include "ArticleEngine/Loading/abstract_layout_loader.h"

namespace ArticleEngine {
class ParagraphView;
struct ParagraphLine;
}

namespace ArticleEngine::Loading {

class ParagraphLayoutLoader final : public AbstractLayoutLoader<ParagraphView> {
public:
    // firstLine: the article's number of the paragraph's first line.
    ParagraphLayoutLoader(ParagraphView& paragraph, const QRect& rect, bool partial, int firstLine)
        : AbstractLayoutLoader(paragraph, rect, partial)
        , m_firstLine(firstLine)
    {
    }

    void run() override;

private:
    // Breaks the items into lines and places each; answers the bottom of
    // the last line (the y after it).
    int layOutLines(int left, int top, int availableWidth);
    // Places a line's items from y, the line being the next of the
    // paragraph's lines; answers the y after it.
    int placeLine(const ParagraphLine& line, int left, int y, int availableWidth);
    void renumberLines();

    int m_firstLine;
};

} // namespace ArticleEngine::Loading
