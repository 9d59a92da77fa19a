// article_edit_hit_tester.cpp: from a point to a paragraph, a line, an
// item and a character half.
#include "ArticleEngine/Controller/article_edit_hit_tester.h"

#include "ArticleEngine/Controller/edit_navigation.h"
#include "ArticleEngine/Views/article_view.h"
#include "ArticleEngine/Views/view_lookup.h"
#include "ArticleEngine/logging.h"

#include <algorithm>

namespace ArticleEngine::Controller {

namespace {

bool spans(const View& view, int y)
{
    return !view.hidden && view.visible && view.layoutState != Dirty && view.rect.top() <= y
        && y <= view.rect.bottom();
}

} // namespace

void ArticleEditHitTester::attach(const ArticleView* article, int articleIndex)
{
    m_article = article;
    m_index = articleIndex;
}

int ArticleEditHitTester::lastOffset() const
{
    return std::max(0, int(m_article->text.size()) - 1);
}

bool ArticleEditHitTester::hitPoint(QPoint point, bool, ArticleListPosition& out) const
{
    if (m_article == nullptr)
        return false;
    const QRect& area = m_article->rect;
    point.setX(std::clamp(point.x(), area.left(), std::max(area.left(), area.right())));
    out = {m_index, BodyKind, hitBody(point - area.topLeft())};
    return true;
}

bool ArticleEditHitTester::hitHeight(bool fromEnd, int y, ArticleListPosition& out) const
{
    if (m_article == nullptr)
        return false;
    const int x = fromEnd ? m_textArea.width() : m_article->rect.left();
    return hitPoint(QPoint(x, y), false, out);
}

int ArticleEditHitTester::hitBody(QPoint point) const
{
    const ArticleView& article = *m_article;
    const auto& paragraphs = article.paragraphs;
    const int end = firstParagraphBelow(article, point.y());
    int found = -1;
    // Side by side in a table, the paragraph under the point; else any that
    // spans its height.
    for (int i = firstParagraphReaching(article, point.y()); i < end; ++i) {
        const ParagraphView& paragraph = paragraphs[std::size_t(i)];
        if (!spans(paragraph, point.y()))
            continue;
        if (found < 0)
            found = i;
        if (paragraph.rect.left() <= point.x() && point.x() <= paragraph.rect.right()) {
            found = i;
            break;
        }
    }
    if (found < 0) {
        const QPoint absolute = point + article.rect.topLeft();
        return absolute.y() < m_textArea.center().y() ? 0 : lastOffset();
    }

    const ParagraphView& paragraph = paragraphs[std::size_t(found)];
    const QPoint inside = point - paragraph.rect.topLeft();
    const int lineIndex = lineAt(paragraph, inside.y());
    if (lineIndex < 0 || paragraph.lines()[std::size_t(lineIndex)].itemCount() <= 0)
        return std::min(paragraph.textStart(), lastOffset());
    const ParagraphLine& line = paragraph.lines()[std::size_t(lineIndex)];
    const auto items = paragraph.items();
    const int lineFirst = items[std::size_t(line.firstItem)].start();
    const int lineLast = std::min(items[std::size_t(line.endItem - 1)].end() - 1, lastOffset());
    const TextItemView& leftmost = paragraph.displayedItem(line, 0);
    const TextItemView& rightmost = paragraph.displayedItem(line, line.itemCount() - 1);
    if (inside.x() < leftmost.rect.left())
        return paragraph.frame.rightToLeft ? lineLast : lineFirst;
    if (inside.x() > rightmost.rect.right())
        return paragraph.frame.rightToLeft ? lineFirst : lineLast;

    const int itemIndex = itemAt(paragraph, line, inside.x());
    if (itemIndex < 0) {
        qCDebug(viewLog) << "edit hit tester: no item at" << point;
        return lineFirst;
    }
    const TextItemView& item = items[std::size_t(itemIndex)];
    const int x = point.x() + article.rect.left();
    for (int offset = item.start(); offset < item.end(); ++offset) {
        const int from = offset - item.start();
        const QRect rect = characterRect(item, from, from + 1);
        if (x < rect.left() || x > rect.right())
            continue;
        // The half after the character in reading order: its left half in a
        // right-to-left run.
        const bool laterHalf = item.rightToLeftRun() ? x < (rect.left() + rect.right() + 1) / 2
                                                     : x > (rect.left() + rect.right()) / 2;
        const bool lineBreak = article.text[offset] == QLatin1Char('\n');
        // The next offset is on this line while this item or the line's
        // next item holds it.
        // A surrogate pair is one character: its right half is after both.
        const int next = splitsSurrogatePair(article.text, offset + 1) ? offset + 2 : offset + 1;
        const bool nextOnLine = next < item.end() || (itemIndex + 1 < line.endItem);
        if (laterHalf && !lineBreak && nextOnLine && next <= lastOffset())
            return next;
        return std::min(offset, lastOffset());
    }
    qCDebug(viewLog) << "edit hit tester: no character at" << point;
    return lineFirst;
}

} // namespace ArticleEngine::Controller
