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
    , indentLevel(other.indentLevel)
    , frame(other.frame)
    , firstLine(other.firstLine)
    , lineCount(other.lineCount)
    , m_textStart(other.m_textStart)
    , m_textEnd(other.m_textEnd)
    , m_items(other.m_items)
    , m_fragments(other.m_fragments)
    , m_characterWidths(other.m_characterWidths)
    , m_lines(other.m_lines)
{
    reparentChildren();
}

ParagraphView::ParagraphView(ParagraphView&& other) noexcept
    : View(other)
    , indentLevel(other.indentLevel)
    , frame(std::move(other.frame))
    , firstLine(other.firstLine)
    , lineCount(other.lineCount)
    , m_textStart(other.m_textStart)
    , m_textEnd(other.m_textEnd)
    , m_items(std::move(other.m_items))
    , m_fragments(std::move(other.m_fragments))
    , m_characterWidths(std::move(other.m_characterWidths))
    , m_lines(std::move(other.m_lines))
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
        indentLevel = other.indentLevel;
        frame = std::move(other.frame);
        firstLine = other.firstLine;
        lineCount = other.lineCount;
        m_textStart = other.m_textStart;
        m_textEnd = other.m_textEnd;
        m_items = std::move(other.m_items);
        m_fragments = std::move(other.m_fragments);
        m_characterWidths = std::move(other.m_characterWidths);
        m_lines = std::move(other.m_lines);
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
    for (TextItemView& item : items)
        item.setWidthsKnown(false);
    const std::size_t length = std::size_t(std::max(textEnd - textStart, 0));
    setContent(textStart, textEnd, std::move(items), std::move(fragments),
               std::vector<std::int16_t>(length, 0));
}

void ParagraphView::setContent(int textStart, int textEnd, std::vector<TextItemView> items,
                               std::vector<TextItemFragmentView> fragments,
                               std::vector<std::int16_t> characterWidths)
{
    m_textStart = textStart;
    m_textEnd = std::max(textStart, textEnd);
    m_items = std::move(items);
    m_fragments = std::move(fragments);
    m_characterWidths = std::move(characterWidths);
    // Widths that do not fit the text are not to be trusted.
    if (m_characterWidths.size() != std::size_t(m_textEnd - m_textStart)) {
        m_characterWidths.assign(std::size_t(m_textEnd - m_textStart), 0);
        for (TextItemView& item : m_items)
            item.setWidthsKnown(false);
    }
    m_lines.clear();
    lineCount = 0;
    layoutState = Dirty;
    reparentChildren();
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
    const int index = frame.rightToLeft ? line.endItem - 1 - place : line.firstItem + place;
    return m_items[std::size_t(index)];
}

} // namespace ArticleEngine
