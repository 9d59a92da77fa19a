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
// placed at the same width keeps its lines: its rectangle is set again from
// the given origin and its own height (a row or cell may have stretched
// it), and its line numbers follow a new first line number. A first-line
// indent keeps room at the start of the first line (the pronounce button).
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

    // Room kept at the start of the first line, inside the margins.
    void setFirstLineIndent(int indent) { m_firstLineIndent = indent; }

    void run() override;

    // After run(): whether the paragraph kept its lines.
    bool reused() const { return m_reused; }

private:
    // Breaks the items into lines and places each; answers the bottom of
    // the last line (the y after it).
    int layOutLines(int left, int top, int availableWidth);
    // Places a line's items from y, the line being the next of the
    // paragraph's lines; answers the y after it.
    int placeLine(const ParagraphLine& line, int left, int y, int availableWidth);
    void renumberLines();
    // The height of the laid-out lines with the top and bottom margins.
    int contentHeight() const;

    int m_firstLine;
    int m_firstLineIndent = 0;
    bool m_reused = false;
};

} // namespace ArticleEngine::Loading
