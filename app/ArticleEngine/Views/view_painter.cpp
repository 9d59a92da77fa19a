// view_painter.cpp: painting of the view tree with QPainter.
//
// Items and fragments are by far the most numerous views: a paragraph
// paints only the items whose rows meet the clip (found by binary search),
// draws their fragments offset by the item's corner instead of translating
// and restoring the painter for each, draws the article's own characters
// without copying them, sets font and pen only when they change from one
// fragment to the next, and on raster devices draws each fragment as one
// glyph run at the positions layout measured (the same pixels as drawText
// of each character, at a third of the cost). Shaping runs (joining
// letters, clusters, letters with marks; shaping_runs.h) are drawn as one
// string over their characters' rectangles instead, on every device.
#include "ArticleEngine/Views/view_painter.h"

#include "ArticleEngine/Views/article_view.h"
#include "ArticleEngine/Views/cursor_view.h"
#include "ArticleEngine/Views/shaping_runs.h"
#include "ArticleEngine/Views/view_lookup.h"
#include "ArticleEngine/logging.h"

#include <QFont>
#include <QFontMetrics>
#include <QIcon>
#include <QPainter>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPen>
#include <QRawFont>

#include <algorithm>
#include <cstdint>
#include <limits>
#include <span>
#include <vector>

namespace ArticleEngine {

namespace {

// What a paragraph painter last set, so that runs of one style set it once.
// What the painters of one article last set, so that runs of one style set
// it once, and the raw fonts of the styles met, for drawing glyphs.
struct PenCache {
    const TextFragmentStyle* style = nullptr;
    // Glyph runs are drawn on raster devices only; printers and recording
    // devices get drawText.
    bool glyphs = false;
    struct RawFont {
        const QFont* font;
        QRawFont raw;
    };
    std::vector<RawFont> rawFonts;
    const QRawFont* raw = nullptr;
    // The characters before this offset of the paragraph being painted
    // were drawn with their shaping run on their line.
    int shapedEnd = -1;

    const QRawFont& rawFont(const QFont& font)
    {
        for (const RawFont& known : rawFonts) {
            if (known.font == &font)
                return known.raw;
        }
        rawFonts.push_back({&font, QRawFont::fromFont(font)});
        return rawFonts.back().raw;
    }
};

// Draws the characters of a fragment as glyphs of its own font, each at the
// place layout gave it (the sum of the widths before it), as drawText would
// draw them one by one; false when a character needs more than its font
// (no glyph: drawText falls back to another font) or is half of a pair.
bool drawGlyphs(QPainter& painter, const QRawFont& raw, QStringView piece, QPointF at,
                std::span<const std::int16_t> widths)
{
    if (!raw.isValid() || widths.size() < std::size_t(piece.size()))
        return false;
    QList<quint32> glyphs = raw.glyphIndexesForString(piece.toString());
    if (glyphs.size() != piece.size())
        return false;
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    int x = 0;
    for (qsizetype i = 0; i < piece.size(); ++i) {
        const QChar c = piece[i];
        if (glyphs[i] == 0 || c.isSurrogate() || c == QLatin1Char('\n'))
            return false;
        positions.append(QPointF(x, 0));
        x += widths[std::size_t(i)];
    }
    QGlyphRun run;
    run.setRawFont(raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    painter.drawGlyphRun(at, run);
    return true;
}

bool drawable(const PaintContext& context, const View& view)
{
    return isShown(view) && context.meets(view.rect);
}

// origin: the item's corner in the painter's coordinates; (0, 0) when the
// painter stands at the item already. widths: the fragment's characters'.
void drawFragmentText(QPainter& painter, const TextItemFragmentView& fragment, const QString& text,
                      QPoint origin, PenCache* cache, std::span<const std::int16_t> widths = {})
{
    const TextFragmentStyle* style = fragment.style();
    if (style == nullptr || style->font() == nullptr)
        return;
    QStringView piece = fragment.text(text);
    if (piece.isEmpty())
        return;
    QString drawn;
    if (piece.contains(QLatin1Char('\n'))) {
        drawn = piece.toString();
        drawn.remove(QLatin1Char('\n'));
        if (drawn.isEmpty())
            return;
    } else {
        // Borrows the article's characters: no copy per fragment.
        drawn = QString::fromRawData(piece.data(), piece.size());
    }
    if (cache == nullptr || cache->style != style) {
        painter.setFont(*style->font());
        painter.setPen(style->textColor);
        if (cache != nullptr)
            cache->style = style;
    }
    // The fragment's bottom is its baseline.
    const QPoint at = origin + QPoint(fragment.rect.left(), fragment.rect.bottom());
    if (cache != nullptr && cache->glyphs && drawn.size() == piece.size()
        && drawGlyphs(painter, cache->rawFont(*style->font()), piece, at, widths))
        return;
    painter.drawText(at, drawn);
}

void drawFragment(PaintContext& context, const TextItemFragmentView& fragment, const QString& text,
                  FragmentPaintMode mode, QPoint origin, PenCache* cache,
                  std::span<const std::int16_t> widths = {})
{
    if (fragment.hasImage()) {
        const QPixmap pixmap = fragment.pixmap();
        if (pixmap.isNull())
            return;
        const QPoint at = mode == FragmentPaintMode::Standalone
            ? fragment.rect.topLeft()
            : QPoint(fragment.rect.left(), fragment.rect.bottom() - fragment.metrics().descent);
        context.painter->drawPixmap(origin + at, pixmap);
        return;
    }
    drawFragmentText(*context.painter, fragment, text, origin, cache, widths);
}

void setStyle(QPainter& painter, const TextFragmentStyle& style, PenCache& cache)
{
    if (cache.style == &style)
        return;
    painter.setFont(*style.font());
    painter.setPen(style.textColor);
    cache.style = &style;
}

// Draws the part of a shaping run that stands on the line of the item at
// index itemIndex: the whole run as one string, placed so that each
// character's share of the shaped string covers the rectangle layout gave
// the character; clipped to that part when the run goes on over another
// line. The run's characters on the line are then done (cache.shapedEnd).
void drawShapingRun(QPainter& painter, const ParagraphView& paragraph, const ShapingRun& run,
                    std::size_t itemIndex, const QString& text, PenCache& cache)
{
    const auto items = paragraph.items();
    const auto fragments = paragraph.fragments();
    const auto widths = paragraph.characterWidths();
    const std::size_t offset = std::size_t(run.start - paragraph.textStart());
    if (run.start < paragraph.textStart() || offset + std::size_t(run.end - run.start) > widths.size())
        return;
    const int line = items[itemIndex].line;

    // The run's fragments on this line, and where they stand.
    int total = 0;
    int before = 0;
    int firstWidth = 0;
    int left = std::numeric_limits<int>::max();
    int right = std::numeric_limits<int>::min();
    int firstLeft = 0;
    int baseline = 0;
    int segmentStart = -1;
    int segmentEnd = -1;
    std::size_t item = run.firstItem;
    for (std::size_t f = run.firstFragment; f < run.endFragment; ++f) {
        while (item + 1 < items.size() && std::size_t(items[item + 1].firstFragment()) <= f)
            ++item;
        const TextItemFragmentView& fragment = fragments[f];
        int width = 0;
        for (int c = fragment.start(); c < fragment.end(); ++c)
            width += widths[std::size_t(c - paragraph.textStart())];
        if (items[item].line == line && items[item].visible && !items[item].hidden) {
            const QRect placed = fragment.rect.translated(items[item].rect.topLeft());
            if (segmentStart < 0) {
                segmentStart = fragment.start();
                before = total;
                firstWidth = width;
                firstLeft = placed.left();
                baseline = placed.bottom();
            }
            segmentEnd = fragment.end();
            left = std::min(left, placed.left());
            right = std::max(right, placed.left() + width);
        }
        total += width;
    }
    if (segmentStart < 0)
        return;
    cache.shapedEnd = segmentEnd;

    // Left to right, the segment's first character begins `before` into the
    // shaped string; right to left, it ends there, counted from the right.
    const int x = run.rightToLeft ? firstLeft - (total - before - firstWidth) : firstLeft - before;
    const TextItemFragmentView& first = fragments[run.firstFragment];
    setStyle(painter, *first.style(), cache);
    const QString characters = QString::fromRawData(text.constData() + run.start, run.end - run.start);
    const Qt::LayoutDirection direction = painter.layoutDirection();
    painter.setLayoutDirection(run.rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    const bool whole = segmentStart == run.start && segmentEnd == run.end;
    if (whole) {
        painter.drawText(QPoint(x, baseline), characters);
    } else {
        // A glyph may reach above and below its line: only the sides are cut.
        const QRect line = items[itemIndex].rect;
        painter.save();
        painter.setClipRect(QRect(left, line.top() - line.height(), right - left, 3 * line.height()),
                            Qt::IntersectClip);
        painter.drawText(QPoint(x, baseline), characters);
        painter.restore();
    }
    painter.setLayoutDirection(direction);
}

// An item in a right-to-left run shows its characters from its right edge
// leftwards, each in its mirrored form ('(' as ')'), one by one at the
// places their widths give. False, to draw the fragment as usual, when
// there is nothing to turn (one character without a mirror) or the
// characters are not one by one (pictures, pairs, unknown widths).
bool drawMirrored(QPainter& painter, const TextItemView& item, const TextItemFragmentView& fragment,
                  const QString& text, QPoint corner, PenCache& cache)
{
    const int length = item.length();
    if (item.start() < 0 || item.end() > text.size() || length <= 0)
        return false;
    if (length == 1 && !text[item.start()].hasMirrored())
        return false;
    const auto widths = item.characterWidths();
    const TextFragmentStyle* style = fragment.style();
    if (fragment.hasImage() || style == nullptr || style->font() == nullptr
        || (length > 1 && widths.size() != std::size_t(length)) || fragment.start() < item.start()
        || fragment.end() > item.end())
        return false;
    for (int c = fragment.start(); c < fragment.end(); ++c) {
        if (text[c].isSurrogate())
            return false;
    }
    auto widthOf = [&](int c) { return length == 1 ? item.width() : int(widths[std::size_t(c - item.start())]); };
    setStyle(painter, *style, cache);
    int right = item.width();
    for (int c = item.start(); c < fragment.start(); ++c)
        right -= widthOf(c);
    const int baseline = corner.y() + fragment.rect.bottom();
    for (int c = fragment.start(); c < fragment.end(); ++c) {
        right -= widthOf(c);
        if (text[c] != QLatin1Char('\n'))
            painter.drawText(QPoint(corner.x() + right, baseline), QString(text[c].mirroredChar()));
    }
    return true;
}

// Items are the most numerous views: rather than translating the painter
// to each and back, their fragments are drawn offset by the item's corner.
void paintItem(PaintContext& context, const ParagraphView& paragraph, std::size_t itemIndex,
               const QString& text, PenCache& cache)
{
    const TextItemView& item = paragraph.items()[itemIndex];
    if (!item.visible || item.hidden || !context.meets(item.rect))
        return;
    const QPoint corner = item.rect.topLeft();
    const auto widths = item.characterWidths();
    const std::size_t firstFragment = std::size_t(item.firstFragment());
    const auto fragments = paragraph.fragmentsOf(item);
    for (std::size_t f = 0; f < fragments.size(); ++f) {
        const TextItemFragmentView& fragment = fragments[f];
        if (fragment.start() < cache.shapedEnd)
            continue;
        if (!fragment.visible || fragment.hidden || !context.meets(fragment.rect.translated(corner)))
            continue;
        if (item.widthsKnown() && mayJoin(fragment, text)) {
            if (const auto run = shapingRunAt(paragraph, text, itemIndex, firstFragment + f)) {
                drawShapingRun(*context.painter, paragraph, *run, itemIndex, text, cache);
                continue;
            }
        }
        if (item.rightToLeftRun() && drawMirrored(*context.painter, item, fragment, text, corner, cache))
            continue;
        const std::size_t first = std::size_t(fragment.start() - item.start());
        const auto own = first + std::size_t(fragment.length()) <= widths.size()
            ? widths.subspan(first, std::size_t(fragment.length()))
            : std::span<const std::int16_t>();
        drawFragment(context, fragment, text, FragmentPaintMode::InItem, corner, &cache, own);
    }
}

void paintParagraphWith(PaintContext& context, const ParagraphView& paragraph, const QString& text,
                        PenCache& cache)
{
    if (!drawable(context, paragraph))
        return;
    PainterStateGuard guard(context);
    context.translate(paragraph.rect.topLeft());
    QPainter& painter = *context.painter;
    const int mask = paragraph.frame.borderMask;
    const int width = paragraph.rect.width();
    const int height = paragraph.rect.height();
    {
        PainterStateGuard clipGuard(context);
        if (mask != 0)
            painter.setClipRect(QRect(0, 0, width, height), Qt::IntersectClip);
        painter.setRenderHint(QPainter::TextAntialiasing, true);
        int first = 0;
        int end = int(paragraph.items().size());
        if (context.hasClip) {
            first = firstItemReaching(paragraph, context.clip.top());
            end = firstItemBelow(paragraph, context.clip.bottom());
        }
        // The guard above gives the painter back its own font and pen.
        cache.style = nullptr;
        cache.shapedEnd = -1;
        for (int i = first; i < end; ++i)
            paintItem(context, paragraph, std::size_t(i), text, cache);
    }
    if (mask == 0)
        return;
    PainterStateGuard borderGuard(context);
    painter.setPen(paragraph.frame.borderColor);
    if (mask == 15) {
        // Stroked, a rectangle of width - 1 covers the columns 0 to width - 1.
        painter.drawRect(QRect(0, 0, width - 1, height - 1));
        return;
    }
    if (mask & 1)
        painter.drawLine(0, 0, width, 0);
    if (mask & 2)
        painter.drawLine(width, 0, width, height);
    if (mask & 4)
        painter.drawLine(0, height, width, height);
    if (mask & 8)
        painter.drawLine(0, 0, 0, height);
}

PenCache penCacheFor(const QPainter& painter)
{
    PenCache cache;
    const QPaintEngine* engine = painter.paintEngine();
    cache.glyphs = engine != nullptr && engine->type() == QPaintEngine::Raster;
    return cache;
}

} // namespace

void paintArticle(PaintContext& context, const ArticleView& article)
{
    if (!drawable(context, article))
        return;
    PainterStateGuard guard(context);
    context.translate(article.rect.topLeft());
    const ArticleHeaderView& header = article.header;
    if (header.visible && !header.hidden) {
        // One pixel wider than the article: the gap column at the right of
        // the client area takes the header's colour too.
        const QRect row(QPoint(0, 0), QPoint(article.rect.width(), header.rect.height() - 1));
        if (row.isValid())
            context.painter->fillRect(row, QBrush(header.color));
    }
    paintHeader(context, header);
    paintButton(context, article.editButton);
    paintButton(context, article.deleteButton);
    paintButton(context, article.expandButton);
    if (article.collapsed)
        return;
    paintButton(context, article.pronounceButton);
    paintButton(context, article.showMoreButton);
    const auto& paragraphs = article.paragraphs;
    int first = 0;
    int end = int(paragraphs.size());
    if (context.hasClip) {
        first = firstParagraphReaching(article, context.clip.top());
        end = firstParagraphBelow(article, context.clip.bottom());
    }
    PenCache cache = penCacheFor(*context.painter);
    for (int i = first; i < end; ++i)
        paintParagraphWith(context, paragraphs[std::size_t(i)], article.text, cache);
}

void paintHeader(PaintContext& context, const ArticleHeaderView& header)
{
    if (!drawable(context, header) || header.style.font() == nullptr)
        return;
    PainterStateGuard guard(context);
    const QFont& font = *header.style.font();
    // Division toward zero; a text taller than the row starts at the top.
    const int offset = std::max(0, (header.rect.height() - header.textSize.height()) / 2);
    const int baseline = (header.baseline == -1 ? header.rect.bottom() : header.baseline) + offset;
    const QString title = QFontMetrics(font).elidedText(header.title, Qt::ElideRight, header.rect.right());
    context.painter->setFont(font);
    context.painter->setPen(header.style.textColor);
    context.painter->drawText(QPoint(header.rect.left(), baseline), title);
}

namespace {

void paintIcon(PaintContext& context, const View& button, const QIcon* icon, bool askActualSize)
{
    PainterStateGuard guard(context);
    QSize size = button.nominalSize;
    if (askActualSize && icon != nullptr && !size.isEmpty())
        size = icon->actualSize(size, QIcon::Normal, QIcon::Off);
    const QSize free = (button.rect.size() - size) * 0.5;
    const QPoint at = button.rect.topLeft() + QPoint(free.width(), free.height());
    const QPixmap pixmap = icon != nullptr && !button.nominalSize.isEmpty()
        ? icon->pixmap(button.nominalSize, QIcon::Normal, QIcon::Off)
        : QPixmap();
    if (!pixmap.isNull())
        context.painter->drawPixmap(at, pixmap);
}

} // namespace

void paintButton(PaintContext& context, const PushButtonView& button)
{
    if (!drawable(context, button) || !isLaidOut(button))
        return;
    paintIcon(context, button, button.icon, true);
}

void paintButton(PaintContext& context, const CheckButtonView& button)
{
    if (!drawable(context, button) || !isLaidOut(button))
        return;
    const bool both = button.firstIcon != nullptr && button.secondIcon != nullptr;
    paintIcon(context, button, button.checked ? button.firstIcon : button.secondIcon, both);
}

void paintParagraph(PaintContext& context, const ParagraphView& paragraph, const QString& text)
{
    PenCache cache = penCacheFor(*context.painter);
    paintParagraphWith(context, paragraph, text, cache);
}

void paintFragment(PaintContext& context, const TextItemFragmentView& fragment, const QString& text,
                   int mode)
{
    if (mode == int(FragmentPaintMode::InItem)) {
        drawFragment(context, fragment, text, FragmentPaintMode::InItem, QPoint(), nullptr);
        return;
    }
    if (mode != int(FragmentPaintMode::Standalone)) {
        qCDebug(viewLog) << "paintFragment: unknown mode" << mode;
        return;
    }
    if (!drawable(context, fragment))
        return;
    PainterStateGuard guard(context);
    drawFragment(context, fragment, text, FragmentPaintMode::Standalone, QPoint(), nullptr);
}

void paintCursor(PaintContext& context, const CursorView& cursor)
{
    if (!cursor.visible)
        return;
    PainterStateGuard guard(context);
    QPainter& painter = *context.painter;
    if (cursor.fillVisible) {
        QVector<QRect> shown;
        for (const QRect& rect : cursor.fill) {
            if (context.meets(rect))
                shown.append(rect);
        }
        painter.setBrush(QBrush(cursor.fillColor));
        painter.setPen(Qt::NoPen);
        if (!shown.isEmpty())
            painter.drawRects(shown);
    }
    if (!cursor.marksVisible)
        return;
    for (const QRect& mark : cursor.marks) {
        if (mark.right() < mark.left() || mark.bottom() < mark.top())
            continue;
        const QRect shrunk = mark.adjusted(0, 0, -1, -1);
        switch (cursor.markStyle) {
        case 1:
            painter.fillRect(mark, QBrush(cursor.markColor));
            break;
        case 2: {
            const int w = shrunk.width();
            const int h = shrunk.height();
            if (w <= 0 || h <= 0)
                break;
            painter.setPen(cursor.markColor);
            painter.setBrush(Qt::NoBrush);
            // The old roundness in percent of the side, 500 / side of 100.
            painter.drawRoundedRect(shrunk, 500 / w, 500 / h, Qt::RelativeSize);
            break;
        }
        case 3:
        case 4:
        case 5:
        case 6:
        case 7:
            painter.setPen(QPen(QBrush(cursor.markColor), 1, Qt::PenStyle(cursor.markStyle - 2),
                                Qt::SquareCap, Qt::BevelJoin));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(shrunk);
            break;
        case 8:
            painter.setPen(cursor.markColor);
            painter.drawLine(mark.left(), mark.top(), mark.left(), mark.bottom());
            break;
        default:
            break;
        }
    }
}

void paintHighlights(PaintContext& context, const ArticleView& article,
                     std::span<const CharacterRange> ranges, const QColor& color)
{
    if (!drawable(context, article) || article.collapsed || ranges.empty())
        return;
    PainterStateGuard guard(context);
    // Absolute item rectangles are in the article's parent's coordinates.
    const QBrush brush(color);
    const auto& paragraphs = article.paragraphs;
    auto itemsEnd = [](const ParagraphView& p) {
        const auto items = p.items();
        return items.empty() ? p.textStart() : items.back().end();
    };
    for (const CharacterRange& range : ranges) {
        // Every item that holds a character of the range, not only the
        // item of its first character.
        auto p = std::partition_point(paragraphs.begin(), paragraphs.end(),
                                      [&](const ParagraphView& q) { return itemsEnd(q) <= range.start; });
        for (; p != paragraphs.end() && p->textStart() < range.end; ++p) {
            const auto items = p->items();
            auto item = std::partition_point(items.begin(), items.end(),
                                             [&](const TextItemView& i) { return i.end() <= range.start; });
            for (; item != items.end() && item->start() < range.end; ++item) {
                if (!isShown(*item))
                    continue;
                const QRect rect = item->absoluteRect();
                if (context.meets(rect))
                    context.painter->fillRect(rect, brush);
            }
        }
    }
}

} // namespace ArticleEngine
