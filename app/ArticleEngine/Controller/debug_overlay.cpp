// debug_overlay.cpp: connectors at the ends of each range.
#include "ArticleEngine/Controller/debug_overlay.h"

#include "ArticleEngine/Loading/article_builder.h"
#include "ArticleEngine/Views/article_view.h"
#include "ArticleEngine/Views/view_lookup.h"

#include <QPainter>
#include <QPolygon>

#include <cmath>
#include <vector>

namespace ArticleEngine::Controller {

namespace {

// Halves and thirds round to the nearest integer, halves upwards.
int divideRounded(int value, int by)
{
    return int(std::floor(double(value) / by + 0.5));
}

// The item that holds a character, when it is visible and laid out.
const TextItemView* shownItem(const ArticleView& article, int offset)
{
    const int p = paragraphOfCharacter(article, offset);
    if (p < 0)
        return nullptr;
    const ParagraphView& paragraph = article.paragraphs[std::size_t(p)];
    const int i = itemOfCharacter(paragraph, offset);
    if (i < 0)
        return nullptr;
    const TextItemView& item = paragraph.items()[std::size_t(i)];
    return isShown(item) && isLaidOut(item) ? &item : nullptr;
}

void drawConnector(QPainter& painter, int bit, const QRect& f, const QRect& l)
{
    switch (bit) {
    case ParagraphOverlay: {
        const QPoint first[] = {{f.left(), f.top()},
                                {f.left() - 2, f.top() + divideRounded(f.bottom() - f.top(), 2)},
                                {f.left(), f.bottom()}};
        const QPoint last[] = {{l.right(), l.top()},
                               {l.right() + 2, l.top() + divideRounded(l.bottom() - l.top(), 2)},
                               {l.right(), l.bottom()}};
        painter.drawPolyline(first, 3);
        painter.drawPolyline(last, 3);
        break;
    }
    case StyleOverlay:
        painter.drawLine(f.left(), f.top() + 4, f.left() + 1, f.top() + 2);
        painter.drawLine(l.right(), l.top() + 4, l.right() - 1, l.top() + 2);
        break;
    case TokenOverlay: {
        const int t = divideRounded(f.bottom() - f.top(), 3);
        const QPoint bracket[] = {{f.left() + 1, f.bottom() - t - 4},
                                  {f.left() + 1, f.bottom() - t},
                                  {l.right() - 1, l.bottom() - t},
                                  {l.right() - 1, l.bottom() - t - 4}};
        painter.drawPolyline(bracket, 4);
        break;
    }
    case GroupOverlay:
        painter.drawLine(f.left(), f.bottom() - 10, f.left() + 1, f.bottom() - 8);
        painter.drawLine(l.right(), l.bottom() - 10, l.right() - 1, l.bottom() - 8);
        break;
    default:
        break;
    }
}

} // namespace

void paintDebugOverlays(PaintContext& context, const ArticleView& article,
                        const Loading::ArticleLayoutRecord& record, int bits)
{
    if (bits == 0)
        return;
    PainterStateGuard guard(context);
    QPainter& painter = *context.painter;
    painter.setPen(QColor(255, 150, 150));
    struct Range {
        int start;
        int end;
    };
    std::vector<std::vector<Range>> lists(4);
    for (const auto& r : record.content.paragraphs)
        lists[0].push_back({r.start, r.end});
    for (const auto& r : record.content.styles)
        lists[1].push_back({r.start, r.end});
    for (const auto& r : record.tokens)
        lists[2].push_back({r.start, r.end});
    for (const auto& r : record.groups)
        lists[3].push_back({r.start, r.end});
    const int bitOf[4] = {ParagraphOverlay, StyleOverlay, TokenOverlay, GroupOverlay};
    for (int k = 0; k < 4; ++k) {
        if ((bits & bitOf[k]) == 0)
            continue;
        for (const Range& range : lists[std::size_t(k)]) {
            if (range.end <= range.start)
                continue;
            const TextItemView* first = shownItem(article, range.start);
            const TextItemView* last = shownItem(article, range.end - 1);
            if (first == nullptr || last == nullptr)
                continue;
            const int a = range.start - first->start();
            const int b = range.end - 1 - last->start();
            const QRect f = characterRect(*first, a, a + 1).translated(0, 4);
            const QRect l = characterRect(*last, b, b + 1).translated(0, 4);
            if (!context.meets(f) && !context.meets(l))
                continue;
            drawConnector(painter, bitOf[k], f, l);
            painter.drawText(QPoint(0, f.top()), QStringLiteral("%1").arg(first->number));
        }
    }
}

} // namespace ArticleEngine::Controller
