// Tests of the article passes: paragraphs in rows by percent, tables with
// cell frames and spans, reuse of layouts, partial passes. Fixed metrics:
// every character 10 pixels wide, style 1 lines 13 high. Articles are
// built without header font, so their header row is 0 high and the body
// starts at the article's top.
#include "layout_fixture.h"

#include "ArticleEngine/Loading/article_layout_loader.h"
#include "ArticleEngine/Loading/paragraph_layout_loader.h"

#include <gtest/gtest.h>

#include <array>
#include <random>

using namespace ArticleEngine;
using namespace ArticleEngine::Loading;
using lexvane::testing::buildArticle;

namespace {

// A text run in style 1 and an element run in the special style 7.
QString text(const char* t)
{
    return QStringLiteral("#1\"") + QString::fromUtf8(t) + QStringLiteral("\"");
}

QString tags(const char* t)
{
    return QStringLiteral("#7\"") + QString::fromUtf8(t) + QStringLiteral("\"");
}

// Lays the article out at a width; answers the paragraphs laid out anew.
int layOutArticle(ArticleView& article, int width, bool partial = false, int height = 10000)
{
    ArticleLayoutLoader loader(article, QRect(0, 0, width, height), partial);
    loader.run();
    return loader.paragraphsLaidOut();
}

const QRect& rectOf(const ArticleView& article, int n)
{
    return article.paragraphs[std::size_t(n)].rect;
}

TEST(ArticleRows, ParagraphsShareARowByPercent)
{
    // 30 % of 200 is 60 pixels: "bb bb bb" breaks into two lines there.
    auto built = buildArticle(text("a%0Abb bb bb%0Ac%0Ad"));
    ArticleView& article = built.view;
    const int percents[] = {30, 30, 40, 100};
    for (int i = 0; i < 4; ++i)
        article.paragraphs[std::size_t(i)].frame.widthPercent = percents[i];
    layOutArticle(article, 200);
    EXPECT_EQ(rectOf(article, 0), QRect(0, 0, 60, 26)) << "stretched to the row's height";
    EXPECT_EQ(rectOf(article, 1), QRect(60, 0, 60, 26));
    EXPECT_EQ(rectOf(article, 2), QRect(120, 0, 80, 26));
    EXPECT_EQ(rectOf(article, 3), QRect(0, 26, 200, 13)) << "below the tallest";
    EXPECT_EQ(article.rect, QRect(0, 0, 200, 39));
    // Lines are numbered from 1 across the row.
    EXPECT_EQ(article.paragraphs[1].firstLine, 2);
    EXPECT_EQ(article.paragraphs[3].firstLine, 5);
    EXPECT_EQ(article.layoutState, Placed);
    EXPECT_EQ(article.lastPlacedParagraph, 3);
}

TEST(ArticleRows, ParagraphsOverAHundredPercentAreTwoRows)
{
    auto built = buildArticle(text("a%0Ab"));
    ArticleView& article = built.view;
    article.paragraphs[0].frame.widthPercent = 60;
    article.paragraphs[1].frame.widthPercent = 60;
    layOutArticle(article, 200);
    EXPECT_EQ(rectOf(article, 0), QRect(0, 0, 120, 13));
    EXPECT_EQ(rectOf(article, 1), QRect(0, 13, 120, 13));
}

TEST(ArticleRows, IndentAndSubscriptInTheArticle)
{
    // Level 2: 30 pixels right of the article's edge.
    auto built = buildArticle(text("a%0A%09%09b%0Ax") + QStringLiteral("#3\"y\"") + text("z"));
    ArticleView& article = built.view;
    layOutArticle(article, 200);
    const ParagraphView& indented = article.paragraphs[1];
    EXPECT_EQ(indented.rect.left(), 0);
    EXPECT_EQ(indented.items()[0].absoluteRect().left(), 30);
    // The lowered y: 5 below its neighbours' baseline, inside the line.
    const ParagraphView& lowered = article.paragraphs[2];
    const auto items = lowered.items();
    EXPECT_EQ(items[1].fragments()[0].rect.bottom() - items[0].fragments()[0].rect.bottom(), 5);
    EXPECT_EQ(lowered.rect.height(), 13 + 5);
    EXPECT_EQ(lowered.rect.top(), 26);
}

TEST(ArticleRows, RelayoutAtTheSameWidthKeepsEveryParagraph)
{
    auto built = buildArticle(text("a b c%0Ad e f%0Ag"));
    ArticleView& article = built.view;
    EXPECT_EQ(layOutArticle(article, 40), 3);
    const QRect before = article.rect;
    EXPECT_EQ(layOutArticle(article, 40), 0);
    EXPECT_EQ(article.rect, before);
    // The article pass runs again, its paragraphs are kept.
    article.View::invalidate();
    EXPECT_EQ(layOutArticle(article, 40), 0);
    EXPECT_EQ(article.rect, before);
    EXPECT_EQ(layOutArticle(article, 80), 3);
    EXPECT_LT(article.rect.height(), before.height());
}

// Fault: a paragraph kept at the same width takes the new origin and its
// own height again, not a place or a row height from before.
TEST(ArticleRows, AKeptParagraphTakesTheNewOriginAndItsOwnHeight)
{
    auto built = buildArticle(text("ab"));
    ParagraphView& paragraph = built.view.paragraphs[0];
    ParagraphLayoutLoader(paragraph, QRect(0, 0, 100, 1000), false, 1).run();
    paragraph.rect.setBottom(90); // stretched by a row
    ParagraphLayoutLoader again(paragraph, QRect(5, 40, 100, 1000), false, 3);
    again.run();
    EXPECT_TRUE(again.reused());
    EXPECT_EQ(paragraph.rect, QRect(5, 40, 100, 13));
    EXPECT_EQ(paragraph.items()[0].line, 3);
}

TEST(ArticleRows, APartialPassStopsBelowTheArea)
{
    auto built = buildArticle(text("a%0Ab%0Ac%0Ad%0Ae"));
    ArticleView& article = built.view;
    layOutArticle(article, 100, true, 30);
    // Tops 0, 13 and 26 lie inside 30 pixels; 39 does not.
    EXPECT_EQ(article.lastPlacedParagraph, 2);
    EXPECT_EQ(article.paragraphs[3].layoutState, Dirty);
    EXPECT_EQ(article.layoutState, ItemLaidOut);
    EXPECT_EQ(article.rect.height(), 39);
    EXPECT_EQ(layOutArticle(article, 100), 2) << "only what was left";
    EXPECT_EQ(article.layoutState, Placed);
    EXPECT_EQ(article.rect.height(), 65);
}

const int allBorders = 15;

TEST(ArticleTables, CellsByPercentWithFrames)
{
    auto built = buildArticle(tags("<table><row><cell 30%>") + text("a%0A") + tags("<cell 70%>")
                              + text("b b b b b b b b b%0A") + tags("</table>") + text("z"));
    ArticleView& article = built.view;
    layOutArticle(article, 200);
    // The 70 % cell breaks into two lines: 26 + 5 + 5.
    EXPECT_EQ(rectOf(article, 0), QRect(QPoint(0, 0), QPoint(59, 35))) << "ends on the row's line";
    EXPECT_EQ(rectOf(article, 1), QRect(QPoint(60, 0), QPoint(199, 35)));
    for (int n : {0, 1}) {
        const ParagraphFrame& frame = article.paragraphs[std::size_t(n)].frame;
        EXPECT_EQ(frame.borderMask, allBorders);
        EXPECT_EQ(frame.borderColor, QColor(0, 0, 0));
        EXPECT_EQ(frame.margins, QMargins(5, 5, 5, 5));
    }
    EXPECT_EQ(article.paragraphs[0].items()[0].absoluteRect().topLeft(), QPoint(5, 5));
    EXPECT_EQ(rectOf(article, 2), QRect(0, 36, 200, 13)) << "after the table, full width";
    EXPECT_EQ(article.paragraphs[2].frame.borderMask, 0);
    EXPECT_EQ(article.rect.height(), 49);
}

TEST(ArticleTables, ACellWithoutWidthAndTwoParagraphsIsOneBox)
{
    auto built = buildArticle(text("x%0A") + tags("<table><row><cell>") + text("a%0Ab%0A")
                              + tags("</table>"));
    ArticleView& article = built.view;
    layOutArticle(article, 200);
    EXPECT_EQ(rectOf(article, 0), QRect(0, 0, 200, 13));
    EXPECT_EQ(rectOf(article, 1), QRect(0, 13, 200, 23));
    EXPECT_EQ(rectOf(article, 2), QRect(0, 36, 200, 23));
    EXPECT_EQ(article.paragraphs[1].frame.borderMask, allBorders & ~4) << "no bottom border";
    EXPECT_EQ(article.paragraphs[2].frame.borderMask, allBorders & ~1) << "no top border";
}

// Fault: rowspan="2" covers the next row only; a span of 1 is no span.
TEST(ArticleTables, ARowSpanCoversTheNextRowsOnly)
{
    // The spanning cell: 7 groups of 30 pixels in 90 are three lines (49).
    auto built = buildArticle(
        tags("<table><row><cell 50% rowspan=%222%22>") + text("aa aa aa aa aa aa aa%0A")
        + tags("<cell 50%>") + text("b%0A") + tags("<row><cell 50%>") + text("c%0A")
        + tags("<cell 50%>") + text("d%0A") + tags("<row><cell 50% rowspan=%221%22>")
        + text("e%0A") + tags("<cell 50%>") + text("f%0A") + tags("<row><cell 50%>")
        + text("g%0A") + tags("</table>") + text("z"));
    ArticleView& article = built.view;
    layOutArticle(article, 200);
    EXPECT_EQ(rectOf(article, 0), QRect(0, 0, 100, 49));
    EXPECT_EQ(rectOf(article, 1), QRect(100, 0, 100, 23)) << "the span leaves the first row alone";
    const ParagraphView& covered = article.paragraphs[2];
    EXPECT_TRUE(covered.hidden);
    EXPECT_EQ(covered.rect.height(), 0);
    EXPECT_EQ(covered.layoutState, Placed);
    EXPECT_EQ(rectOf(article, 3), QRect(QPoint(100, 23), QPoint(199, 48))) << "down to the span";
    // The third row is free again, and a span of 1 covers nothing.
    EXPECT_FALSE(article.paragraphs[4].hidden);
    EXPECT_EQ(rectOf(article, 4), QRect(0, 49, 100, 23));
    EXPECT_EQ(rectOf(article, 5), QRect(100, 49, 100, 23));
    EXPECT_FALSE(article.paragraphs[6].hidden);
    EXPECT_EQ(rectOf(article, 6), QRect(0, 72, 100, 23));
    EXPECT_EQ(rectOf(article, 7).top(), 95);
    EXPECT_EQ(article.layoutState, Placed);
}

// A span longer than its table ends with the table's last row.
TEST(ArticleTables, ASpanPastTheLastRowEndsWithTheTable)
{
    auto built = buildArticle(tags("<table><row><cell 50% rowspan=%223%22>") + text("aa aa aa aa aa aa aa%0A")
                              + tags("<cell 50%>") + text("b%0A") + tags("</table>") + text("z"));
    ArticleView& article = built.view;
    layOutArticle(article, 200);
    EXPECT_EQ(rectOf(article, 0), QRect(0, 0, 100, 49));
    EXPECT_EQ(rectOf(article, 1), QRect(100, 0, 100, 49));
    EXPECT_EQ(rectOf(article, 2).top(), 49);
}

// Fault: the table that ends the article has its last row finished.
TEST(ArticleTables, ATableAtTheEndIsFinished)
{
    auto built = buildArticle(text("x%0A") + tags("<table><row><cell 50%>") + text("a%0A")
                              + tags("<cell 50%>") + text("b b b b b b b b"));
    ArticleView& article = built.view;
    layOutArticle(article, 200);
    EXPECT_EQ(rectOf(article, 1).bottom(), rectOf(article, 2).bottom());
    EXPECT_EQ(rectOf(article, 2), QRect(100, 13, 100, 36));
    EXPECT_EQ(article.rect.height(), 49);
}

// Fault: two tables side by side in the text are two tables, although both
// start with row 0.
TEST(ArticleTables, AdjacentTablesNeverMerge)
{
    auto built = buildArticle(tags("<table><row><cell 50%>") + text("a%0A")
                              + tags("</table><table><row><cell 50%>") + text("b%0A")
                              + tags("</table>"));
    ArticleView& article = built.view;
    ASSERT_EQ(article.tables.size(), 2u);
    layOutArticle(article, 200);
    EXPECT_EQ(rectOf(article, 0), QRect(0, 0, 100, 23));
    EXPECT_EQ(rectOf(article, 1), QRect(0, 23, 100, 23));
    EXPECT_EQ(article.paragraphs[0].frame.borderMask, allBorders);
    EXPECT_EQ(article.paragraphs[1].frame.borderMask, allBorders);
}

// Fault: a paragraph of a table that no cell holds is hidden and placed,
// not left dirty; stray closers change nothing.
TEST(ArticleTables, StrayAndUnclosedTags)
{
    auto built = buildArticle(tags("</cell></row>") + text("w%0A") + tags("<table>") + text("x%0A")
                              + tags("<row>") + text("y%0A") + tags("<cell 50%>") + text("z"));
    ArticleView& article = built.view;
    layOutArticle(article, 200);
    EXPECT_EQ(rectOf(article, 0), QRect(0, 0, 200, 13));
    for (int n : {1, 2}) {
        const ParagraphView& stray = article.paragraphs[std::size_t(n)];
        EXPECT_TRUE(stray.hidden) << n;
        EXPECT_EQ(stray.rect.height(), 0) << n;
        EXPECT_EQ(stray.layoutState, Placed) << n;
    }
    EXPECT_EQ(rectOf(article, 3), QRect(0, 13, 100, 23)) << "the unclosed cell";
    EXPECT_EQ(article.layoutState, Placed);
    EXPECT_EQ(article.rect.height(), 36);
}

TEST(ArticleTables, APartialPassStopsOnlyOutsideTables)
{
    auto built = buildArticle(tags("<table><row><cell>") + text("a%0Ab%0Ac%0A") + tags("</table>")
                              + text("d%0Ae"));
    ArticleView& article = built.view;
    layOutArticle(article, 100, true, 20);
    EXPECT_EQ(article.lastPlacedParagraph, 2);
    EXPECT_EQ(article.paragraphs[3].layoutState, Dirty);
    EXPECT_EQ(article.layoutState, ItemLaidOut);
}

// Seeded random tables, stray tags, text and row percents: every paragraph
// is placed inside the article, hidden ones are 0 high, and a second pass
// at the same width keeps everything.
TEST(ArticleTables, RandomTablesKeepTheirInvariants)
{
    const char* const tagPieces[] = {"<table>", "</table>", "<row>", "</row>", "<cell 30%>",
                                     "<cell 50%>", "<cell>", "</cell>", "<cell 70% rowspan=%223%22>",
                                     "<cell 40% rowspan=%222%22>", "<cell 0%>"};
    const char* const textPieces[] = {"a%0A", "bb bb bb bb%0A", "c", "%09d%0A", "%0A"};
    std::mt19937 random(20261210);
    for (int round = 0; round < 300; ++round) {
        QString markup;
        const int pieces = std::uniform_int_distribution<int>(0, 30)(random);
        for (int i = 0; i < pieces; ++i) {
            if (random() % 2 == 0)
                markup += tags(tagPieces[random() % std::size(tagPieces)]);
            else
                markup += text(textPieces[random() % std::size(textPieces)]);
        }
        const int width = std::uniform_int_distribution<int>(1, 300)(random);
        auto built = buildArticle(markup);
        ArticleView& article = built.view;
        // Percents count in articles without tables.
        for (ParagraphView& paragraph : article.paragraphs)
            paragraph.frame.widthPercent = std::array{100, 30, 50, 60, 0}[random() % 5];
        layOutArticle(article, width);
        const std::string name = markup.toStdString() + " at " + std::to_string(width);
        ASSERT_EQ(article.layoutState, Placed) << name;
        std::vector<QRect> rects;
        for (const ParagraphView& paragraph : article.paragraphs) {
            rects.push_back(paragraph.rect);
            ASSERT_EQ(paragraph.layoutState, Placed) << name;
            if (paragraph.hidden) {
                ASSERT_EQ(paragraph.rect.height(), 0) << name;
                continue;
            }
            ASSERT_GE(paragraph.rect.left(), 0) << name;
            ASSERT_LT(paragraph.rect.right(), width) << name;
            ASSERT_GE(paragraph.rect.top(), 0) << name;
            ASSERT_LT(paragraph.rect.bottom(), article.rect.height()) << name;
        }
        article.View::invalidate();
        ASSERT_EQ(layOutArticle(article, width), 0) << name;
        for (std::size_t i = 0; i < rects.size(); ++i)
            ASSERT_EQ(article.paragraphs[i].rect, rects[i]) << name << " paragraph " << i;
    }
}

} // namespace
