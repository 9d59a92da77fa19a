// text_item_view.h: one token of an article laid out as a unit.
//
// A text item covers the characters [start, end) of one token. Its
// fragments and its character widths are kept by its paragraph in arrays
// for the whole paragraph (one allocation per paragraph instead of one per
// character); the item knows where its own lie. So an item reaches them
// only while it sits in a paragraph, and its parent is always that
// paragraph (ParagraphView::reparentChildren keeps it so).
//
// Invariant after measuring: the nominal width is the sum of the fragment
// widths and, once character widths are known, the sum of those too.
#pragma once

#include "ArticleEngine/Views/fragment_metrics.h"
#include "ArticleEngine/Views/view.h"

#include <cstdint>
#include <span>

namespace ArticleEngine {

class ParagraphView;
class TextItemFragmentView;

// Items of one kind share a line-breaking role.
enum TextItemKind : std::int8_t {
    LeadBracketItem = 0, // brackets at the start of the text
    LineBreakItem = 1,
    WordItem = 2,
    OtherItem = 3, // spaces, separators, brackets after a word character
};

class TextItemView : public View {
public:
    TextItemView() = default;
    TextItemView(int paragraphNumber, int start, int end, int firstFragment, int fragmentCount,
                 int group, TextItemKind itemKind, bool keepOnLine);

    int start() const { return m_start; }
    int end() const { return m_end; }
    int length() const { return m_end - m_start; }
    int group() const { return m_group; }
    TextItemKind itemKind() const { return TextItemKind(m_itemKind); }
    // Never the first item of a new line: spaces stay where the line is.
    bool keepOnLine() const { return m_keepOnLine; }

    // Empty while the item is not in a paragraph.
    std::span<const TextItemFragmentView> fragments() const;
    std::span<TextItemFragmentView> fragments();
    int firstFragment() const { return m_firstFragment; }
    int fragmentCount() const { return m_fragmentCount; }

    // The combination of the fragments' measures.
    FragmentMetrics metrics() const;
    int width() const { return nominalSize.width() < 0 ? 0 : nominalSize.width(); }

    // Set by line placement: the item stands in a right-to-left run of its
    // line (an odd embedding level), so that painting shows its characters
    // from the right and mirrored.
    bool rightToLeftRun() const { return m_rightToLeftRun; }
    void setRightToLeftRun(bool rightToLeft) { m_rightToLeftRun = rightToLeft; }

    bool widthsKnown() const { return m_widthsKnown; }
    void setWidthsKnown(bool known) { m_widthsKnown = known; }
    // One width per character; empty until known.
    std::span<const std::int16_t> characterWidths() const;
    std::span<std::int16_t> characterWidths();
    // The widths of the characters [from, to) counted from the item's first
    // character; -1 while the widths are not known.
    int widthOf(int from, int to) const;

private:
    const ParagraphView* paragraph() const;
    ParagraphView* paragraph();

    int m_start = 0;
    int m_end = 0;
    int m_firstFragment = 0;
    int m_fragmentCount = 0;
    int m_group = -1;
    std::int8_t m_itemKind = OtherItem;
    bool m_keepOnLine = false;
    bool m_widthsKnown = false;
    bool m_rightToLeftRun = false;
};

} // namespace ArticleEngine
