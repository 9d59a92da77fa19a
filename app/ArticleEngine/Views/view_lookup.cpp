// view_lookup.cpp: binary searches over paragraphs, items and characters.
#include "ArticleEngine/Views/view_lookup.h"

#include <algorithm>
#include <utility>

namespace ArticleEngine {

bool isShown(const View& view)
{
    for (const View* v = &view; v != nullptr; v = v->parent()) {
        if (!v->visible || v->hidden)
            return false;
    }
    return true;
}

bool isLaidOut(const View& view)
{
    for (const View* v = &view; v != nullptr; v = v->parent()) {
        if (v->layoutState == Dirty)
            return false;
    }
    return true;
}

int firstParagraphBelow(const ArticleView& article, int y)
{
    const auto& paragraphs = article.paragraphs;
    auto found = std::upper_bound(paragraphs.begin(), paragraphs.end(), y,
                                  [](int value, const ParagraphView& p) { return value < p.rect.top(); });
    return int(found - paragraphs.begin());
}

int firstParagraphReaching(const ArticleView& article, int y)
{
    const auto& paragraphs = article.paragraphs;
    // Every paragraph from here on stands at or below y.
    int index = firstParagraphBelow(article, y);
    // Walk back over those that stand above y but may reach it. A plain
    // paragraph that ends above y, is not part of a table (cells have
    // borders and may span rows) and begins its row closes the walk:
    // whatever stands before it ends above its top.
    while (index > 0) {
        const ParagraphView& p = paragraphs[std::size_t(index - 1)];
        const bool reaches = p.rect.bottom() >= y;
        const bool inTable = p.frame.borderMask != 0 || p.hidden;
        const bool sharesRow = index - 2 >= 0 && paragraphs[std::size_t(index - 2)].rect.top() == p.rect.top();
        if (!reaches && !inTable && !sharesRow)
            break;
        --index;
    }
    return index;
}

int firstItemReaching(const ParagraphView& paragraph, int y)
{
    const auto items = paragraph.items();
    auto found = std::partition_point(items.begin(), items.end(),
                                      [y](const TextItemView& item) { return item.rect.bottom() < y; });
    return int(found - items.begin());
}

int firstItemBelow(const ParagraphView& paragraph, int y)
{
    const auto items = paragraph.items();
    auto found = std::partition_point(items.begin(), items.end(),
                                      [y](const TextItemView& item) { return item.rect.top() <= y; });
    return int(found - items.begin());
}

int lineAt(const ParagraphView& paragraph, int y)
{
    const auto& lines = paragraph.lines();
    if (lines.empty())
        return -1;
    // Lines are stacked from the top margin, not from the paragraph's top
    // (docs/behaviour/article-painting.md).
    y -= paragraph.frame.margins.top();
    if (y < 0)
        return 0;
    int sum = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        sum += lines[i].metrics.height();
        if (sum > y)
            return int(i);
    }
    return int(lines.size()) - 1;
}

int itemAt(const ParagraphView& paragraph, const ParagraphLine& line, int x, bool absolute)
{
    if (line.itemCount() <= 0)
        return -1;
    const auto items = paragraph.items();
    auto rectOf = [&](int index) {
        const TextItemView& item = items[std::size_t(index)];
        return absolute ? item.absoluteRect() : item.rect;
    };
    int leftmost = line.firstItem;
    int rightmost = line.firstItem;
    for (int i = line.endItem - 1; i >= line.firstItem; --i) {
        const QRect rect = rectOf(i);
        if (x >= rect.left() && x <= rect.right())
            return i;
        if (rect.left() < rectOf(leftmost).left())
            leftmost = i;
        if (rect.right() > rectOf(rightmost).right())
            rightmost = i;
    }
    if (x < rectOf(leftmost).left())
        return leftmost;
    if (x > rectOf(rightmost).right())
        return rightmost;
    return -1;
}

InclusiveRange characterRange(const ParagraphView& paragraph)
{
    const auto items = paragraph.items();
    if (items.empty())
        return {};
    return {items.front().start(), items.back().end() - 1};
}

InclusiveRange intersect(InclusiveRange a, InclusiveRange b)
{
    const InclusiveRange both{std::max(a.first, b.first), std::min(a.last, b.last)};
    return both.first <= both.last ? both : InclusiveRange{};
}

QString traceRanges(std::span<const InclusiveRange> ranges)
{
    QString out;
    for (const InclusiveRange& range : ranges) {
        out += QStringLiteral("%1-%2").arg(range.first).arg(range.last);
        if (range.first >= range.last)
            out += QStringLiteral(" !");
        out += QLatin1Char('\n');
    }
    out += QLatin1Char('\n');
    return out;
}

int paragraphOfCharacter(const ArticleView& article, int offset)
{
    const auto& paragraphs = article.paragraphs;
    if (offset < 0 || paragraphs.empty())
        return -1;
    // An itemless paragraph holds nothing; it orders by its text start, so
    // the ends below still never decrease.
    auto endOf = [](const ParagraphView& p) {
        const auto items = p.items();
        return items.empty() ? p.textStart() : items.back().end();
    };
    auto found = std::partition_point(paragraphs.begin(), paragraphs.end(),
                                      [&](const ParagraphView& p) { return endOf(p) <= offset; });
    if (found == paragraphs.end() || found->items().empty() || found->items().front().start() > offset)
        return -1;
    return int(found - paragraphs.begin());
}

int itemOfCharacter(const ParagraphView& paragraph, int offset)
{
    const auto items = paragraph.items();
    auto found = std::partition_point(items.begin(), items.end(),
                                      [offset](const TextItemView& item) { return item.end() <= offset; });
    if (found == items.end() || found->start() > offset)
        return -1;
    return int(found - items.begin());
}

QString itemText(const TextItemView& item, const QString& articleText)
{
    QString text;
    for (const TextItemFragmentView& fragment : item.fragments())
        text += fragment.text(articleText);
    return text;
}

QString itemLink(const TextItemView& item)
{
    for (const TextItemFragmentView& fragment : item.fragments()) {
        const QString link = fragment.link();
        if (!link.isEmpty())
            return link;
    }
    return {};
}

QString itemImage(const TextItemView& item)
{
    for (const TextItemFragmentView& fragment : item.fragments()) {
        if (fragment.hasImage())
            return fragment.image();
    }
    return {};
}

QRect characterRect(const TextItemView& item, int from, int to)
{
    QRect rect = item.absoluteRect();
    if (from <= 0 && to >= item.length())
        return rect;
    int before = std::max(0, item.widthOf(0, std::max(0, from)));
    int after = std::max(0, item.widthOf(std::min(to, item.length()), item.length()));
    // An item in a right-to-left run shows its first character at its right.
    if (item.rightToLeftRun())
        std::swap(before, after);
    rect.setLeft(rect.left() + before);
    rect.setRight(rect.right() - after);
    return rect;
}

} // namespace ArticleEngine
