// paragraph_layout_loader.h: breaks a paragraph's items into lines and
// places the lines.
//
// Items of one group (a word with its brackets and separators) stay on one
// line; a group that does not fit begins a new line, unless the line is
// still empty (then it overflows it) or the group holds a space (spaces
// never begin a line). A right-to-left paragraph puts its first item at the
// right edge and each later one to the left of it. Given the article's
// text, a line that mixes directions shows its items in the order of their
// embedding levels (bidi_levels.h); the items and lines keep text order.
//
// The rectangle is the paragraph's, relative to the article; items are
// placed relative to the paragraph, inside its margins. A paragraph already
// placed at the same width keeps its lines: its rectangle is set again from
// the given origin and its own height (a row or cell may have stretched
// it), and its line numbers follow a new first line number. A first-line
// indent keeps room at the start of the first line (the pronounce button).
#pragma once

#include "ArticleEngine/Loading/abstract_layout_loader.h"

#include <QStringView>

#include <cstdint>
#include <vector>

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
    // The article's text, which the items index; without it every line is
    // shown in the paragraph's direction.
    void setText(QStringView articleText) { m_text = articleText; }

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
    // The line's items left to right into m_order when its directions mix;
    // false when it is shown in the paragraph's direction.
    bool orderLine(const ParagraphLine& line);
    void renumberLines();
    // The height of the laid-out lines with the top and bottom margins.
    int contentHeight() const;

    int m_firstLine;
    int m_firstLineIndent = 0;
    bool m_reused = false;
    QStringView m_text;
    // Scratch of orderLine, kept for the next line.
    std::vector<std::uint8_t> m_levels;
    std::vector<std::uint8_t> m_itemLevels;
    std::vector<int> m_order;
    // Any line reordered yet: the paragraph then keeps a display order.
    bool m_mixed = false;
};

} // namespace ArticleEngine::Loading
