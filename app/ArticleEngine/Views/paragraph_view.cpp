// paragraph_view.cpp: the paragraph's arrays and their parent links.
#include "ArticleEngine/Views/paragraph_view.h"

#include <algorithm>
#include <utility>

namespace ArticleEngine {

ParagraphView::ParagraphView()
{
    kind = BodyKind;
}

ParagraphView::ParagraphView(const ParagraphView& other)
    : View(other)
    , ParagraphData(other)
{
    reparentChildren();
}

ParagraphView::ParagraphView(ParagraphView&& other) noexcept
    : View(other)
    , ParagraphData(std::move(other))
{
    reparentChildren();
}

ParagraphView& ParagraphView::operator=(const ParagraphView& other)
{
    if (this != &other) {
        ParagraphView copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ParagraphView& ParagraphView::operator=(ParagraphView&& other) noexcept
{
    if (this != &other) {
        View::operator=(other);
        ParagraphData::operator=(std::move(other));
        reparentChildren();
    }
    return *this;
}

void ParagraphView::invalidate()
{
    for (TextItemView& item : m_items)
        item.invalidate();
    View::invalidate();
}

void ParagraphView::setContent(int textStart, int textEnd, std::vector<TextItemView> items,
                               std::vector<TextItemFragmentView> fragments)
{
    m_textStart = textStart;
    m_textEnd = std::max(textStart, textEnd);
    m_items = std::move(items);
    m_fragments = std::move(fragments);
    m_characterWidths.assign(std::size_t(m_textEnd - m_textStart), 0);
    for (TextItemView& item : m_items)
        item.setWidthsKnown(false);
    m_lines.clear();
    m_displayOrder.clear();
    lineCount = 0;
    layoutState = Dirty;
    m_pendingFragment = int(m_fragments.size());
    reparentChildren();
}

void ParagraphView::beginContent(int textStart, int textEnd, std::size_t itemCount,
                                 std::size_t fragmentCount)
{
    setContent(textStart, textEnd, {}, {});
    m_items.reserve(itemCount);
    m_fragments.reserve(fragmentCount);
}

TextItemFragmentView& ParagraphView::appendFragment(FragmentStyle style, int start, int end)
{
    const TextItemFragmentView* buffer = m_fragments.data();
    TextItemFragmentView& fragment = m_fragments.emplace_back(std::move(style), start, end);
    fragment.number = int(m_fragments.size()) - 1 - m_pendingFragment;
    // Moved fragments lose their parent links.
    if (m_fragments.data() != buffer)
        reparentChildren();
    return fragment;
}

TextItemView& ParagraphView::appendItem(int start, int end, int group, TextItemKind itemKind,
                                        bool keepOnLine)
{
    const TextItemView* buffer = m_items.data();
    TextItemView& item = m_items.emplace_back(number, start, end, m_pendingFragment,
                                              int(m_fragments.size()) - m_pendingFragment, group,
                                              itemKind, keepOnLine);
    m_pendingFragment = int(m_fragments.size());
    if (m_items.data() != buffer) {
        reparentChildren();
    } else {
        item.setParent(this);
        for (TextItemFragmentView& fragment : fragmentsOf(item))
            fragment.setParent(&item);
    }
    return item;
}

void ParagraphView::reparentChildren()
{
    for (TextItemView& item : m_items) {
        item.setParent(this);
        for (TextItemFragmentView& fragment : fragmentsOf(item))
            fragment.setParent(&item);
    }
}

FragmentMetrics ParagraphView::itemMetrics(const TextItemView& item) const
{
    FragmentMetrics metrics;
    for (const TextItemFragmentView& fragment : fragmentsOf(item))
        metrics.combine(fragment.metrics());
    return metrics;
}

const TextItemView& ParagraphView::displayedItem(const ParagraphLine& line, int place) const
{
    if (std::size_t(line.endItem) <= m_displayOrder.size())
        return m_items[std::size_t(m_displayOrder[std::size_t(line.firstItem + place)])];
    const int index = frame.rightToLeft ? line.endItem - 1 - place : line.firstItem + place;
    return m_items[std::size_t(index)];
}

} // namespace ArticleEngine
