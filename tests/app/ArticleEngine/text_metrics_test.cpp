// Tests of fragment, image and item measures, the vertical shift, the
// character widths and the header measure.
#include "layout_fixture.h"

#include "ArticleEngine/Loading/text_measurer.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <numeric>

using namespace ArticleEngine;
using namespace ArticleEngine::Loading;
using lexvane::testing::buildArticle;
using lexvane::testing::FixedMetricSource;

namespace {

const TextItemView& itemAt(const ArticleView& article, int position)
{
    for (const ParagraphView& paragraph : article.paragraphs) {
        for (const TextItemView& item : paragraph.items()) {
            if (item.start() <= position && position < item.end())
                return item;
        }
    }
    throw std::out_of_range("no item holds the position");
}

TEST(FragmentMetrics, ShiftIsTruncatedFortyFiveHundredths)
{
    EXPECT_EQ(verticalShift(12), 5);
    EXPECT_EQ(verticalShift(20), 8) << "9.0 less a little, truncated";
    EXPECT_EQ(verticalShift(1), 0);
    FragmentMetrics metrics{10, 1, 2, 3, 4, 5};
    EXPECT_EQ(metrics.height(), 16);
}

TEST(FragmentMetrics, SuperscriptOfATwelvePixelFontIsRaisedByFive)
{
    // The fixed source gives an 8-point font ascent 8 and descent 3.
    auto built = buildArticle(QStringLiteral("#1\"x\"#2\"y\"#3\"z\""));
    FixedMetricSource metrics;
    QFont eight(QStringLiteral("DejaVu Sans"), 8);
    const TextFragmentStyle raised(&eight, QColor(), QColor(), 1, 0, 0, 0, 0);
    const FragmentMetrics vertical = verticalMeasures(raised, metrics);
    EXPECT_EQ(vertical.raise, 5);
    EXPECT_EQ(vertical.lower, 0);
    EXPECT_EQ(vertical.height(), 8 + 3 + 5 + 1);

    // In an article: 9 + 3 + 1 = 13 gives 5 too, raising y and lowering z.
    const TextItemView& x = itemAt(built.view, 0);
    const TextItemView& y = itemAt(built.view, 1);
    const TextItemView& z = itemAt(built.view, 2);
    EXPECT_EQ(x.metrics(), (FragmentMetrics{10, 0, 0, 9, 3, 0}));
    EXPECT_EQ(y.metrics(), (FragmentMetrics{10, 5, 0, 9, 3, 0}));
    EXPECT_EQ(z.metrics(), (FragmentMetrics{10, 0, 5, 9, 3, 0}));
    EXPECT_EQ(y.nominalSize, QSize(10, x.nominalSize.height() + 5)) << "the item grows by the shift";
}

TEST(FragmentMetrics, PictureSeventeenHighIsCentredOnTheBaseline)
{
    // The picture stands on the line feed before its element.
    auto built = buildArticle(QStringLiteral("#1\"ab%0A\"#7\"<img pic17>\"#1\"c\"#7\"</img>\""));
    const TextItemView& feed = itemAt(built.view, 2);
    ASSERT_EQ(feed.fragments().size(), 1u);
    const TextItemFragmentView& picture = feed.fragments()[0];
    EXPECT_TRUE(picture.hasImage());
    EXPECT_EQ(picture.pixmap().size(), QSize(10, 17));
    EXPECT_EQ(picture.metrics(), (FragmentMetrics{10, 0, 0, 8, 9, 0}));
    EXPECT_EQ(picture.nominalSize, QSize(10, 18));
    EXPECT_EQ(feed.widthOf(0, 1), 10) << "the picture's width stands on its character";

    // A reference the server has no picture for measures empty.
    auto missing = buildArticle(QStringLiteral("#1\"ab%0A\"#7\"<img none>\"#1\"c\"#7\"</img>\""));
    const TextItemFragmentView& none = itemAt(missing.view, 2).fragments()[0];
    EXPECT_TRUE(none.hasImage());
    EXPECT_EQ(none.metrics(), FragmentMetrics{});
    EXPECT_EQ(none.nominalSize, QSize(0, 1));
}

TEST(FragmentMetrics, StyleWithoutFontHasNoWidthAndHeightOne)
{
    auto built = buildArticle(QStringLiteral("#5\"ab c\""));
    for (const TextItemView& item : built.view.paragraphs[0].items()) {
        EXPECT_EQ(item.nominalSize, QSize(0, 1));
        ASSERT_TRUE(item.widthsKnown());
        ASSERT_EQ(item.characterWidths().size(), std::size_t(item.length()));
        for (std::int16_t width : item.characterWidths())
            EXPECT_EQ(width, 0);
    }
}

TEST(FragmentMetrics, ItemTakesTheLargestOfEachMeasureFromAnyFragment)
{
    // 'a' then a quotation mark: one token, two fragments; style 4 is an
    // 18-point font, style 3 a lowered 9-point one.
    auto built = buildArticle(QStringLiteral("#4\"a\"#3\"%22\""));
    const TextItemView& item = itemAt(built.view, 0);
    ASSERT_EQ(item.fragments().size(), 2u);
    // 18 + 6 + 1 = 25 for the large font; the small one lowers by 5.
    EXPECT_EQ(item.metrics(), (FragmentMetrics{20, 0, 5, 18, 6, 0}));
    EXPECT_EQ(item.nominalSize, QSize(20, 30));
}

TEST(CharacterWidths, EveryCharacterOfEveryItemIsKnownAndAddsUpToTheItem)
{
    auto built = buildArticle(QStringLiteral(
        "#1\"one (two)\"#5\"[no font]\"#4\" big\"#7\"<link x>\"#2\"up%0A\"#7\"</link>\"#1\"\U0001F600!\""));
    for (const ParagraphView& paragraph : built.view.paragraphs) {
        for (const TextItemView& item : paragraph.items()) {
            ASSERT_TRUE(item.widthsKnown());
            const auto widths = item.characterWidths();
            ASSERT_EQ(widths.size(), std::size_t(item.length()));
            EXPECT_EQ(std::accumulate(widths.begin(), widths.end(), 0), item.width());
            EXPECT_EQ(item.widthOf(0, item.length()), item.width());
        }
    }
    const TextItemView& pair = itemAt(built.view, int(built.view.text.indexOf(QChar(0xD83D))));
    ASSERT_EQ(pair.length(), 2);
    EXPECT_EQ(pair.widthOf(0, 1), 10);
    EXPECT_EQ(pair.widthOf(1, 2), 0) << "the second half of a pair adds nothing";
}

TEST(CharacterWidths, FontCacheMeasuresEachCharacterAsTheFontDoes)
{
    QFont font(QStringLiteral("DejaVu Sans"), 11);
    const QFontMetrics expected(font);
    FontMetricsCache cache;
    const QString text = QStringLiteral("Wij, \u05D0\u05D1 \U0001F600.");
    std::vector<std::int16_t> widths(std::size_t(text.size()), -1);
    const int sum = cache.characterWidths(font, text, widths);
    int expectedSum = 0;
    for (qsizetype i = 0; i < text.size(); ++i) {
        int width = expected.horizontalAdvance(text[i]);
        if (text[i].isHighSurrogate())
            width = expected.horizontalAdvance(text.mid(i, 2));
        if (text[i].isLowSurrogate())
            width = 0;
        EXPECT_EQ(widths[std::size_t(i)], width) << i;
        expectedSum += width;
    }
    EXPECT_EQ(sum, expectedSum);
    // A second pass comes from the cache and answers the same.
    std::vector<std::int16_t> again(widths.size(), -1);
    EXPECT_EQ(cache.characterWidths(font, text, again), sum);
    EXPECT_EQ(again, widths);
    std::vector<std::int16_t> feed(1, -1);
    EXPECT_EQ(cache.characterWidths(font, u"\n", feed), 0) << "a line feed is never drawn";
    EXPECT_GT(expected.horizontalAdvance(QLatin1Char('\n')), 0) << "while the font gives it a box";
    EXPECT_EQ(cache.fontMeasures(font).ascent, expected.ascent());
    EXPECT_EQ(cache.fontMeasures(font).descent, expected.descent());
}

TEST(ApplyStyles, TakesTheServersStylesAndPicturesAgain)
{
    auto built = buildArticle(QStringLiteral("#1\"ab%0A\"#7\"<img pic17>\"#1\"c\"#7\"</img>\""));
    ParagraphView& paragraph = built.view.paragraphs[0];
    // The server now draws style 1 large and has lost the picture.
    built.styles->styles[1] = built.styles->styles[4];
    struct NoPictures : lexvane::testing::TestStyleServer {
        QPixmap image(const QString&) override { return QPixmap(); }
    };
    NoPictures changed;
    changed.styles = built.styles->styles;
    FixedMetricSource metrics;
    StyleCache styles(changed, metrics);
    applyStyles(paragraph, styles);
    measureParagraph(paragraph, built.view.text, metrics);

    const TextItemView& a = paragraph.items()[0];
    EXPECT_EQ(a.fragments()[0].style()->font(), &built.styles->large);
    EXPECT_EQ(a.metrics(), (FragmentMetrics{10, 0, 0, 18, 6, 0}));
    EXPECT_EQ(a.nominalSize, QSize(10, 25));
    const TextItemFragmentView& picture = paragraph.items()[2].fragments()[0];
    EXPECT_TRUE(picture.hasImage());
    EXPECT_TRUE(picture.pixmap().isNull()) << "the earlier picture is replaced";
    EXPECT_EQ(picture.nominalSize, QSize(0, 1));
}

TEST(HeaderMeasure, TitleSizeAndBaselineOnlyWithAFont)
{
    ArticleHeaderView header(QStringLiteral("word"), 3);
    FixedMetricSource metrics;
    QFont font(QStringLiteral("DejaVu Sans"), 12);
    styleHeader(header, &font, QColor(1, 2, 3), QColor(4, 5, 6), metrics);
    EXPECT_EQ(header.style.font(), &font);
    EXPECT_FALSE(header.style.ownsFont());
    EXPECT_EQ(header.style.textColor, QColor(1, 2, 3));
    EXPECT_FALSE(header.style.backgroundColor.isValid());
    EXPECT_EQ(header.color, QColor(4, 5, 6));
    EXPECT_EQ(header.textSize, QSize(40, 16));
    EXPECT_EQ(header.baseline, 12);
    EXPECT_EQ(header.nominalSize, QSize(40, 16));

    ArticleHeaderView plain(QStringLiteral("word"), 3);
    styleHeader(plain, nullptr, QColor(), QColor(), metrics);
    EXPECT_EQ(plain.baseline, -1);
    EXPECT_EQ(plain.nominalSize, QSize(-1, -1));
}

} // namespace
