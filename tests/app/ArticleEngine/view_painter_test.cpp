// Tests of painting the view tree: pixels of a QImage painted offscreen
// (header row, cell borders, a collapsed article, highlights) and the
// calls that reach a recording paint device (texts, marks). Fixed metrics:
// 10 pixels per character, a 9-point line 13 high.
#include "layout_fixture.h"
#include "recording_paint_device.h"

#include "ArticleEngine/Controller/debug_overlay.h"
#include "ArticleEngine/Loading/article_layout_loader.h"
#include "ArticleEngine/Views/cursor_view.h"
#include "ArticleEngine/Views/view_painter.h"

#include <QIcon>
#include <QImage>
#include <QPainter>
#include <QPicture>

#include <gtest/gtest.h>

using namespace ArticleEngine;
using namespace ArticleEngine::Loading;
using lexvane::testing::buildArticle;
using lexvane::testing::BuiltArticle;
using lexvane::testing::RecordingPaintDevice;

namespace {

constexpr int width = 200;
const QColor red(255, 0, 0);
const QColor white(255, 255, 255);

QString text(const char* t)
{
    return QStringLiteral("#1\"") + QString::fromUtf8(t) + QStringLiteral("\"");
}

QString tags(const char* t)
{
    return QStringLiteral("#7\"") + QString::fromUtf8(t) + QStringLiteral("\"");
}

BuiltArticle buildWithHeader(const QString& markup)
{
    auto styles = std::make_shared<lexvane::testing::TestStyleServer>();
    ArticleBuildRequest request;
    request.title = QStringLiteral("Title");
    request.headerFont = &styles->small;
    request.headerTextColor = QColor(Qt::black);
    request.headerBackground = red;
    auto built = buildArticle(markup, request, styles);
    ArticleLayoutLoader(built.view, QRect(0, 0, width, 10000), false).run();
    return built;
}

void layOut(ArticleView& article)
{
    ArticleLayoutLoader(article, QRect(0, 0, width, 10000), false).run();
}

QImage paint(const ArticleView& article, int height = 120)
{
    QImage image(width + 20, height, QImage::Format_RGB32);
    image.fill(white);
    QPainter painter(&image);
    PaintContext context{&painter, false, {}};
    paintArticle(context, article);
    return image;
}

bool blank(const QImage& image, const QRect& area)
{
    for (int y = area.top(); y <= area.bottom(); ++y) {
        for (int x = area.left(); x <= area.right(); ++x) {
            if (image.pixelColor(x, y) != white)
                return false;
        }
    }
    return true;
}

TEST(ViewPainterTest, HeaderRowIsFilledOnePixelWiderThanTheArticle)
{
    auto built = buildWithHeader(text("body"));
    const int headerHeight = built.view.header.rect.height();
    ASSERT_GT(headerHeight, 0);
    const QImage image = paint(built.view);
    EXPECT_EQ(image.pixelColor(150, 1), red);
    EXPECT_EQ(image.pixelColor(width, headerHeight - 1), red) << "the gap column";
    EXPECT_EQ(image.pixelColor(width + 1, 1), white);
    EXPECT_TRUE(blank(image, QRect(100, headerHeight, 100, 10))) << "nothing below the row at the right";
    EXPECT_FALSE(blank(image, QRect(0, 0, 60, headerHeight))) << "the title is drawn";
}

TEST(ViewPainterTest, CellBordersAndCollapsedArticle)
{
    auto built = buildWithHeader(tags("<table><row><cell 30%>") + text("a%0A") + tags("<cell 70%>")
                                 + text("b%0A") + tags("</table>") + text("zzz"));
    const ParagraphView& cell = built.view.paragraphs[0];
    ASSERT_EQ(cell.frame.borderMask, 15);
    const QRect at = cell.absoluteRect();
    QImage image = paint(built.view);
    EXPECT_EQ(image.pixelColor(at.left(), at.center().y()), QColor(Qt::black)) << "left border";
    EXPECT_EQ(image.pixelColor(at.right(), at.center().y()), QColor(Qt::black)) << "right border";
    EXPECT_EQ(image.pixelColor(at.center().x(), at.bottom()), QColor(Qt::black)) << "bottom border";
    EXPECT_EQ(image.pixelColor(at.left() + 2, at.center().y()), white) << "inside the margin";
    const int headerBottom = built.view.header.rect.bottom();
    EXPECT_FALSE(blank(image, QRect(0, headerBottom + 1, width, 60)));

    built.view.collapsed = true;
    layOut(built.view);
    image = paint(built.view);
    EXPECT_EQ(image.pixelColor(150, 1), red);
    EXPECT_TRUE(blank(image, QRect(0, headerBottom + 1, width + 20, 60))) << "no body, no borders";
    // Neither are highlights painted into it.
    QPainter painter(&image);
    PaintContext context{&painter, false, {}};
    const CharacterRange all{0, int(built.view.text.size())};
    paintHighlights(context, built.view, std::span(&all, 1), QColor(0, 255, 0));
    painter.end();
    EXPECT_TRUE(blank(image, QRect(0, headerBottom + 1, width + 20, 60)));
}

// Fault: only the item of a range's first character was filled.
TEST(ViewPainterTest, HighlightFillsEveryItemOfTheRange)
{
    auto built = buildArticle(text("ab cd%0Aef gh"));
    layOut(built.view);
    QImage image(width, 60, QImage::Format_RGB32);
    image.fill(white);
    QPainter painter(&image);
    PaintContext context{&painter, false, {}};
    // "b cd\ne": from the middle of the first word into the next paragraph.
    const CharacterRange range{1, 7};
    paintHighlights(context, built.view, std::span(&range, 1), red);
    painter.end();
    for (const ParagraphView& paragraph : built.view.paragraphs) {
        for (const TextItemView& item : paragraph.items()) {
            const QRect rect = item.absoluteRect();
            const bool inside = item.end() > range.start && item.start() < range.end;
            if (rect.isEmpty())
                continue;
            EXPECT_EQ(image.pixelColor(rect.center()) == red, inside)
                << "item [" << item.start() << ", " << item.end() << ")";
        }
    }
}

// On raster devices characters are drawn as glyph runs; other devices get
// drawText. Both must put the same pixels on the screen; a recorded
// picture (drawText) replayed into an image shows the other road.
TEST(ViewPainterTest, GlyphRunsPaintLikeDrawText)
{
    auto built = buildArticle(text("ab cd%0Aef") + QStringLiteral("#4\"Gh\"") + text(" \u05d0\u05d1"));
    layOut(built.view);
    const QImage direct = paint(built.view);
    QPicture picture;
    {
        QPainter painter(&picture);
        PaintContext context{&painter, false, {}};
        paintArticle(context, built.view);
    }
    QImage replayed(direct.size(), QImage::Format_RGB32);
    replayed.fill(white);
    {
        QPainter painter(&replayed);
        painter.drawPicture(0, 0, picture);
    }
    EXPECT_FALSE(blank(direct, direct.rect()));
    EXPECT_EQ(direct, replayed);
}

TEST(ViewPainterTest, ClipKeepsPaintingToTheViewsThatMeetIt)
{
    auto built = buildArticle(text("aa%0Abb%0Acc%0Add"));
    layOut(built.view);
    RecordingPaintDevice device;
    QPainter painter(&device);
    // The second paragraph only (lines 13 high from 0).
    PaintContext context{&painter, true, QRect(0, 14, width, 10)};
    paintArticle(context, built.view);
    painter.end();
    QString drawn;
    for (const QString& t : device.engine.texts)
        drawn += t;
    EXPECT_EQ(drawn, QStringLiteral("bb"));
    EXPECT_EQ(context.clip, QRect(0, 14, width, 10)) << "the guard restores the clip";
}

TEST(ViewPainterTest, LineFeedsNeverReachThePaintDevice)
{
    auto built = buildArticle(text("ab%0Acd") + QStringLiteral("#2\"e%0Af\""));
    layOut(built.view);
    RecordingPaintDevice device;
    QPainter painter(&device);
    PaintContext context{&painter, false, {}};
    paintArticle(context, built.view);
    // Standalone fragments drop them too.
    const ParagraphView& first = built.view.paragraphs[0];
    for (const TextItemFragmentView& fragment : first.fragments())
        paintFragment(context, fragment, built.view.text, int(FragmentPaintMode::Standalone));
    paintFragment(context, first.fragments()[0], built.view.text, 2);
    painter.end();
    QString drawn;
    for (const QString& t : device.engine.texts) {
        EXPECT_FALSE(t.contains(QLatin1Char('\n')));
        drawn += t;
    }
    EXPECT_EQ(drawn, QStringLiteral("abcdefab")) << "mode 2 draws nothing";
}

TEST(ViewPainterTest, MarkStyles)
{
    struct Case {
        int style;
        QRect mark;
        const char* call; // nullptr: nothing drawn
        Qt::PenStyle pen;
    };
    const Case cases[] = {
        {1, QRect(0, 0, 10, 10), "rects", Qt::SolidLine},
        {2, QRect(0, 0, 10, 10), "path", Qt::SolidLine},
        {2, QRect(0, 0, 1, 10), nullptr, Qt::SolidLine}, // one pixel wide: shrunk to nothing
        {3, QRect(0, 0, 10, 10), "rects", Qt::SolidLine},
        {4, QRect(0, 0, 10, 10), "rects", Qt::DashLine},
        {7, QRect(0, 0, 10, 10), "rects", Qt::DashDotDotLine},
        {8, QRect(5, 0, 10, 10), "lines", Qt::SolidLine},
        {9, QRect(0, 0, 10, 10), nullptr, Qt::SolidLine},
        {1, QRect(QPoint(10, 0), QPoint(9, 10)), nullptr, Qt::SolidLine}, // right left of left
    };
    for (const Case& c : cases) {
        CursorView cursor;
        cursor.fillVisible = false;
        cursor.markStyle = c.style;
        cursor.markColor = red;
        cursor.marks.push_back(c.mark);
        RecordingPaintDevice device;
        QPainter painter(&device);
        PaintContext context{&painter, false, {}};
        paintCursor(context, cursor);
        painter.end();
        const auto& calls = device.engine.calls;
        if (c.call == nullptr) {
            EXPECT_TRUE(calls.empty()) << "style " << c.style;
            continue;
        }
        ASSERT_EQ(calls.size(), 1u) << "style " << c.style;
        EXPECT_EQ(calls[0].what, c.call) << "style " << c.style;
        if (c.style >= 3) {
            EXPECT_EQ(calls[0].pen, c.pen) << "style " << c.style;
        }
    }
}

TEST(ViewPainterTest, SelectionFillDrawsOnlyRectanglesThatMeetTheClip)
{
    CursorView cursor;
    cursor.marksVisible = false;
    cursor.fillColor = red;
    cursor.fill = {QRect(0, 0, 10, 10), QRect(0, 100, 10, 10), QRect(0, 20, 10, 10)};
    QImage image(40, 130, QImage::Format_RGB32);
    image.fill(white);
    QPainter painter(&image);
    PaintContext context{&painter, true, QRect(0, 0, 40, 50)};
    paintCursor(context, cursor);
    painter.end();
    EXPECT_EQ(image.pixelColor(5, 5), red);
    EXPECT_EQ(image.pixelColor(5, 25), red);
    EXPECT_EQ(image.pixelColor(5, 105), white);
}

TEST(ViewPainterTest, TranslatedEmptyClipMeetsNothing)
{
    QImage image(10, 10, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintContext context{&painter, true, QRect(5, 5, 0, 0)};
    context.translate(QPoint(2, 3));
    EXPECT_EQ(context.clip.right(), context.clip.left() - 2);
    EXPECT_EQ(context.clip.bottom(), context.clip.top() - 2);
    EXPECT_FALSE(context.meets(QRect(-100, -100, 300, 300)));
}

TEST(ViewPainterTest, HeaderTextIsCentredAndElided)
{
    ArticleHeaderView header(QStringLiteral("a title much too long for its row"));
    QFont font(QStringLiteral("DejaVu Sans"), 9);
    header.style.setFont(&font);
    header.baseline = 9;
    header.textSize = QSize(300, 12);
    struct Case {
        int height;
        int baseline;
    };
    // (30 - 12) / 2 = 9 below the ascent; a row lower than its text: 0.
    for (const Case c : {Case{30, 18}, Case{8, 9}}) {
        header.rect = QRect(5, 0, 100, c.height);
        RecordingPaintDevice device;
        QPainter painter(&device);
        PaintContext context{&painter, false, {}};
        paintHeader(context, header);
        painter.end();
        ASSERT_EQ(device.engine.texts.size(), 1u);
        EXPECT_TRUE(device.engine.texts[0].endsWith(QChar(0x2026))) << "elided at the right";
        EXPECT_LT(device.engine.texts[0].size(), header.title.size());
        EXPECT_EQ(device.engine.textPoints[0], QPointF(5, c.baseline)) << "row height " << c.height;
    }
}

TEST(ViewPainterTest, CheckButtonShowsTheIconOfItsState)
{
    auto solid = [](QColor color, int side) {
        QPixmap pixmap(side, side);
        pixmap.fill(color);
        return QIcon(pixmap);
    };
    const QIcon checkedIcon = solid(red, 12);
    const QIcon uncheckedIcon = solid(QColor(0, 0, 255), 12);
    CheckButtonView button(ExpandButtonKind);
    button.nominalSize = QSize(12, 12);
    button.rect = QRect(10, 10, 20, 20);
    button.layoutState = Placed;
    button.firstIcon = &checkedIcon;
    button.secondIcon = &uncheckedIcon;
    for (bool checked : {true, false}) {
        button.checked = checked;
        QImage image(40, 40, QImage::Format_RGB32);
        image.fill(white);
        QPainter painter(&image);
        PaintContext context{&painter, false, {}};
        paintButton(context, button);
        painter.end();
        // Centred: (20 - 12) / 2 = 4 in from the corner.
        EXPECT_EQ(image.pixelColor(14, 14), checked ? red : QColor(0, 0, 255));
        EXPECT_EQ(image.pixelColor(25, 25), checked ? red : QColor(0, 0, 255));
        EXPECT_EQ(image.pixelColor(13, 13), white);
        EXPECT_EQ(image.pixelColor(26, 26), white);
    }
    // Not laid out: nothing.
    button.layoutState = Dirty;
    QImage image(40, 40, QImage::Format_RGB32);
    image.fill(white);
    QPainter painter(&image);
    PaintContext context{&painter, false, {}};
    paintButton(context, button);
    painter.end();
    EXPECT_EQ(image.pixelColor(20, 20), white);
}

TEST(ViewPainterTest, DebugOverlayMarksEachRangeAtBothEnds)
{
    auto built = buildArticle(text("ab%0Acd"));
    layOut(built.view);
    ASSERT_EQ(built.record.content.paragraphs.size(), 2u);
    RecordingPaintDevice device;
    QPainter painter(&device);
    PaintContext context{&painter, false, {}};
    Controller::paintDebugOverlays(context, built.view, built.record, 0);
    EXPECT_TRUE(device.engine.calls.empty());
    Controller::paintDebugOverlays(context, built.view, built.record, Controller::ParagraphOverlay);
    painter.end();
    // Two angles per paragraph range, and the number of its first item.
    EXPECT_EQ(device.engine.calls.size(), 4u);
    for (const auto& call : device.engine.calls)
        EXPECT_EQ(call.what, "polygon");
    EXPECT_EQ(device.engine.texts.size(), 2u);
}

// The texts a one-line article draws, joined from left to right.
QString shownLine(const char16_t* line)
{
    auto built = buildArticle(QStringLiteral("#1\"") + QString::fromUtf16(line) + QStringLiteral("\""));
    layOut(built.view);
    RecordingPaintDevice device;
    QPainter painter(&device);
    PaintContext context{&painter, false, {}};
    paintArticle(context, built.view);
    painter.end();
    std::vector<std::pair<qreal, QString>> drawn;
    for (std::size_t i = 0; i < device.engine.texts.size(); ++i)
        drawn.emplace_back(device.engine.textPoints[i].x(), device.engine.texts[i]);
    std::stable_sort(drawn.begin(), drawn.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    QString shown;
    for (const auto& piece : drawn)
        shown += piece.second;
    return shown;
}

TEST(ViewPainterTest, RightToLeftRunsShowBracketsMirrored)
{
    // Hebrew alef, bet.
    const struct {
        const char16_t* line;
        const char16_t* shown;
    } cases[] = {
        {u"\u05D0 (\u05D1)", u"(\u05D1) \u05D0"},
        {u"\u05D0 (bc)", u"(bc) \u05D0"},
        {u"a (\u05D0\u05D1) b", u"a (\u05D1\u05D0) b"},
        {u"a (b)", u"a (b)"},
    };
    for (const auto& test : cases)
        EXPECT_EQ(shownLine(test.line), QString::fromUtf16(test.shown)) << QString::fromUtf16(test.line).toStdString();
}

} // namespace
