// paragraph_layout_loader.cpp: greedy line breaking and line placement.
#include "ArticleEngine/Loading/paragraph_layout_loader.h"

#include "ArticleEngine/Loading/bidi_levels.h"
#include "ArticleEngine/Loading/text_item_layout_loader.h"
#include "ArticleEngine/Views/paragraph_view.h"

namespace ArticleEngine::Loading {

void ParagraphLayoutLoader::run()
{
    ParagraphView& paragraph = m_view;
    const QMargins margins = paragraph.frame.margins;
    const int available = m_rect.width() - margins.left() - margins.right();

    if (paragraph.layoutState == Placed && paragraph.rect.width() == m_rect.width()) {
        m_reused = true;
        paragraph.rect = QRect(m_rect.left(), m_rect.top(), m_rect.width(), contentHeight());
        if (paragraph.firstLine != m_firstLine) {
            paragraph.firstLine = m_firstLine;
            renumberLines();
        }
        return;
    }

    const int bottom = layOutLines(margins.left(), margins.top(), available);
    const int height = bottom + margins.bottom();
    paragraph.rect = QRect(m_rect.left(), m_rect.top(), m_rect.width(), height);
    paragraph.firstLine = m_firstLine;
    paragraph.lineCount = int(paragraph.lines().size());
    paragraph.layoutState = Placed;
}

int ParagraphLayoutLoader::layOutLines(int left, int top, int availableWidth)
{
    std::vector<ParagraphLine>& lines = m_view.lines();
    lines.clear();
    m_view.displayOrder().clear();
    m_mixed = false;
    const auto items = m_view.items();
    const int count = int(items.size());
    ParagraphLine line;
    const FragmentStyleData* lastStyle = nullptr;
    int y = top;
    int i = 0;
    // Only the first line keeps the indent.
    int indent = m_firstLineIndent;
    while (i < count) {
        // The run of items of one group.
        const int first = i;
        const int group = items[std::size_t(i)].group();
        int width = 0;
        bool keep = false;
        for (; i < count && items[std::size_t(i)].group() == group; ++i) {
            width += items[std::size_t(i)].width();
            keep = keep || items[std::size_t(i)].keepOnLine();
        }
        const bool fits = line.metrics.width + width <= availableWidth - indent;
        if (line.metrics.width != 0 && !fits && !keep) {
            // Each line is placed as soon as it is complete, while its items
            // are still at hand.
            y = placeLine(line, left + indent, y, availableWidth - indent);
            lines.push_back(line);
            indent = 0;
            line = ParagraphLine{first, first, {}};
            lastStyle = nullptr;
        }
        line.metrics.width += width;
        for (int j = first; j < i; ++j) {
            // Most items are one fragment in the style of the item before:
            // their vertical measures are already in the line.
            const auto fragments = m_view.fragmentsOf(items[std::size_t(j)]);
            const FragmentStyleData* style = fragments.size() == 1 && fragments[0].isPlainText()
                ? fragments[0].sharedStyle().data()
                : nullptr;
            if (style != nullptr && style == lastStyle)
                continue;
            FragmentMetrics metrics = m_view.itemMetrics(items[std::size_t(j)]);
            metrics.width = 0;
            line.metrics.combine(metrics);
            lastStyle = style;
        }
        line.endItem = i;
    }
    if (line.endItem > line.firstItem) {
        y = placeLine(line, left + indent, y, availableWidth - indent);
        lines.push_back(line);
    }
    return y;
}

int ParagraphLayoutLoader::placeLine(const ParagraphLine& line, int left, int y, int availableWidth)
{
    ParagraphView& paragraph = m_view;
    const auto items = paragraph.items();
    const bool rightToLeft = paragraph.frame.rightToLeft;
    const int lineNumber = m_firstLine + int(paragraph.lines().size());
    const int height = line.metrics.height();
    const int baseline = line.metrics.baseline();
    const bool reordered = orderLine(line);
    std::vector<int>& display = paragraph.displayOrder();
    if (reordered && !m_mixed) {
        // The lines before were shown in the paragraph's direction.
        m_mixed = true;
        display.resize(items.size());
        for (const ParagraphLine& earlier : paragraph.lines()) {
            for (int place = 0; place < earlier.itemCount(); ++place)
                display[std::size_t(earlier.firstItem + place)] =
                    rightToLeft ? earlier.endItem - 1 - place : earlier.firstItem + place;
        }
    }
    auto place = [&](int j, int x, bool rightToLeftRun) {
        TextItemView& item = items[std::size_t(j)];
        item.setRightToLeftRun(rightToLeftRun);
        TextItemLayoutLoader(item, paragraph.fragmentsOf(item), QRect(x, y, item.width(), height), baseline).run();
        item.line = lineNumber;
        item.number = paragraph.number;
    };
    if (reordered) {
        // Left to right in display order; a right-to-left line still ends
        // at the right edge.
        int x = rightToLeft ? left + availableWidth - line.metrics.width : left;
        for (int k = 0; k < line.itemCount(); ++k) {
            const int j = m_order[std::size_t(k)];
            display[std::size_t(line.firstItem + k)] = j;
            place(j, x, m_itemLevels[std::size_t(j - line.firstItem)] % 2 == 1);
            x += items[std::size_t(j)].width();
        }
        return y + height;
    }
    int x = rightToLeft ? left + availableWidth : left;
    for (int j = line.firstItem; j < line.endItem; ++j) {
        const int width = items[std::size_t(j)].width();
        if (rightToLeft)
            x -= width;
        place(j, x, rightToLeft);
        if (!rightToLeft)
            x += width;
        if (m_mixed)
            display[std::size_t(rightToLeft ? line.endItem - 1 - (j - line.firstItem) : j)] = j;
    }
    return y + height;
}

bool ParagraphLayoutLoader::orderLine(const ParagraphLine& line)
{
    const int count = line.itemCount();
    if (m_text.isEmpty() || count < 2)
        return false;
    const auto items = m_view.items();
    const int start = items[std::size_t(line.firstItem)].start();
    const int end = items[std::size_t(line.endItem - 1)].end();
    if (start < 0 || end > m_text.size() || start >= end)
        return false;
    const QStringView text = m_text.sliced(start, end - start);
    const bool rightToLeft = m_view.frame.rightToLeft;
    if (isPlainLine(text, rightToLeft))
        return false;
    resolveLevels(text, rightToLeft, m_levels);
    // An item takes the level of its first character.
    m_itemLevels.resize(std::size_t(count));
    for (int k = 0; k < count; ++k) {
        const int offset = items[std::size_t(line.firstItem + k)].start() - start;
        m_itemLevels[std::size_t(k)] = offset >= 0 && offset < int(m_levels.size())
            ? m_levels[std::size_t(offset)]
            : std::uint8_t(rightToLeft ? 1 : 0);
    }
    visualOrder(m_itemLevels, m_order);
    for (int& index : m_order)
        index += line.firstItem;
    return true;
}

int ParagraphLayoutLoader::contentHeight() const
{
    const ParagraphView& paragraph = m_view;
    int height = paragraph.frame.margins.top() + paragraph.frame.margins.bottom();
    for (const ParagraphLine& line : paragraph.lines())
        height += line.metrics.height();
    return height;
}

void ParagraphLayoutLoader::renumberLines()
{
    ParagraphView& paragraph = m_view;
    const auto items = paragraph.items();
    int lineNumber = m_firstLine;
    for (const ParagraphLine& line : paragraph.lines()) {
        for (int j = line.firstItem; j < line.endItem; ++j)
            items[std::size_t(j)].line = lineNumber;
        ++lineNumber;
    }
}

} // namespace ArticleEngine::Loading
