// paragraph_view.h: one paragraph of an article: its text items, their
// fragments, their character widths and its laid-out lines.
//
// The paragraph owns three arrays for all its items: the items, the
// fragments (each item names its window) and one width per character of
// the paragraph's text [textStart, textEnd). Invariants: items follow each
// other in text order; each item's fragments lie inside the fragment array
// and cover the item; every view's parent is the view that holds it: the
// appends of in-place building set the links, and reparentChildren()
// restores them after the paragraph was given content, copied or moved.
// Lines hold items by index, in text order: a right-to-left line is shown
// from its last item to its first, unless the paragraph keeps a display
// order (lines that mix directions): then that order, line by line.
#pragma once

#include "ArticleEngine/Views/fragment_metrics.h"
#include "ArticleEngine/Views/text_item_fragment_view.h"
#include "ArticleEngine/Views/text_item_view.h"
#include "ArticleEngine/Views/view.h"

#include <QColor>
#include <QMargins>

#include <cstdint>
#include <span>
#include <vector>

namespace ArticleEngine {

struct ParagraphFrame {
    // Percent of the article width.
    int widthPercent = 100;
    // Inner margins: QMargins keeps left, top, right, bottom.
    QMargins margins;
    bool rightToLeft = false;
    // Bit 1 top, 2 right, 4 bottom, 8 left.
    int borderMask = 0;
    QColor borderColor{255, 255, 255, 0};
};

struct ParagraphLine {
    // The items [firstItem, endItem) of the paragraph.
    int firstItem = 0;
    int endItem = 0;
    // The width is the sum of the items' widths, the vertical measures the
    // largest of theirs; height() is the line's height.
    FragmentMetrics metrics;

    int itemCount() const { return endItem - firstItem; }
};

// Everything a paragraph holds besides its parent links; copied and moved
// member by member.
class ParagraphData {
public:
    // Leading tabs of the paragraph; its number within the article is the
    // view number.
    int indentLevel = -1;
    ParagraphFrame frame;
    // The article's number of the paragraph's first line.
    int firstLine = 0;
    int lineCount = 0;

protected:
    int m_textStart = 0;
    int m_textEnd = 0;
    std::vector<TextItemView> m_items;
    std::vector<TextItemFragmentView> m_fragments;
    std::vector<std::int16_t> m_characterWidths;
    std::vector<ParagraphLine> m_lines;
    // Empty while every line is shown in the paragraph's direction; else for
    // each line's window [firstItem, endItem) its items' indices left to
    // right.
    std::vector<int> m_displayOrder;
    // While building in place: the first fragment of the next item.
    int m_pendingFragment = 0;
};

class ParagraphView : public View, public ParagraphData {
public:
    ParagraphView();
    ParagraphView(const ParagraphView& other);
    ParagraphView(ParagraphView&& other) noexcept;
    ParagraphView& operator=(const ParagraphView& other);
    ParagraphView& operator=(ParagraphView&& other) noexcept;
    ~ParagraphView() = default;

    void invalidate() override;

    // Takes the paragraph's content; the character widths start unknown.
    void setContent(int textStart, int textEnd, std::vector<TextItemView> items,
                    std::vector<TextItemFragmentView> fragments);
    // Building in place, without a pass to set parent links afterwards:
    // clears the paragraph for the text [textStart, textEnd) with room for
    // the given numbers of items and fragments, then each item's fragments
    // are appended, followed by the item itself.
    void beginContent(int textStart, int textEnd, std::size_t itemCount, std::size_t fragmentCount);
    TextItemFragmentView& appendFragment(FragmentStyle style, int start, int end);
    // The item of the fragments appended since the previous item.
    TextItemView& appendItem(int start, int end, int group, TextItemKind itemKind, bool keepOnLine);
    // Sets this paragraph as the parent of its items, and each item as the
    // parent of its fragments.
    void reparentChildren();

    int textStart() const { return m_textStart; }
    int textEnd() const { return m_textEnd; }

    std::span<const TextItemView> items() const { return m_items; }
    std::span<TextItemView> items() { return m_items; }
    std::span<const TextItemFragmentView> fragments() const { return m_fragments; }
    std::span<TextItemFragmentView> fragments() { return m_fragments; }
    // The fragments of one of this paragraph's items, found without going
    // through the item's parent link (the fast path of layout and
    // measuring); empty when the item's window does not lie in the array.
    std::span<const TextItemFragmentView> fragmentsOf(const TextItemView& item) const
    {
        return window(std::span<const TextItemFragmentView>(m_fragments), item);
    }
    std::span<TextItemFragmentView> fragmentsOf(const TextItemView& item)
    {
        return window(std::span<TextItemFragmentView>(m_fragments), item);
    }
    // The combination of the item's fragments' measures.
    FragmentMetrics itemMetrics(const TextItemView& item) const;
    std::span<const std::int16_t> characterWidths() const { return m_characterWidths; }
    std::span<std::int16_t> characterWidths() { return m_characterWidths; }

    const std::vector<ParagraphLine>& lines() const { return m_lines; }
    std::vector<ParagraphLine>& lines() { return m_lines; }
    // The item at a place of a line in display order (left to right).
    const TextItemView& displayedItem(const ParagraphLine& line, int place) const;
    std::vector<int>& displayOrder() { return m_displayOrder; }

private:
    template <class T>
    static std::span<T> window(std::span<T> all, const TextItemView& item)
    {
        const int first = item.firstFragment();
        const int count = item.fragmentCount();
        if (first < 0 || count < 0 || std::size_t(first) + std::size_t(count) > all.size())
            return {};
        return all.subspan(std::size_t(first), std::size_t(count));
    }
};

} // namespace ArticleEngine
