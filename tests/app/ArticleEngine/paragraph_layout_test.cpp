// Tests of line breaking and line placement with fixed metrics: every
// character 10 pixels wide, line feeds 0; style 1 is a 9-point font
// (ascent 9, descent 3: lines 13 high).
#include "layout_fixture.h"

#include "ArticleEngine/Loading/article_builder.h"
#include "ArticleEngine/Loading/paragraph_layout_loader.h"

#include <gtest/gtest.h>

using namespace ArticleEngine;
using namespace ArticleEngine::Loading;
using lexvane::testing::buildArticle;
using lexvane::testing::describeLines;
using lexvane::testing::layOut;

namespace {

QString run(const QString& text)
{
    return QStringLiteral("#1\"") + text + QStringLiteral("\"");
}

struct BreakCase {
    const char16_t* text;
    int width;
    const char* lines;
};

TEST(LineBreaking, GreedyByGroups)
{
    const BreakCase cases[] = {
        {u"aaa bbb ccc", 80, "aaa bbb |ccc$"},
        // Exactly full: the trailing line feed takes no room.
        {u"aaa bbb ccc", 110, "aaa bbb ccc$"},
        // A group wider than the line gets a line of its own and overflows.
        {u"ab abcdefghij k", 50, "ab |abcdefghij |k$"},
        {u"abcdefghij k", 50, "abcdefghij |k$"},
        // Spaces never begin a line, even when the line is full.
        {u"aaaa     b", 50, "aaaa     |b$"},
        // Separators and closing brackets stay with their word; a bracket
        // after a space belongs to the space.
        {u"aa (bb-cc) dd", 70, "aa (|bb-cc) |dd$"},
        {u"", 10, "$"},
    };
    for (const BreakCase& test : cases) {
        const QString text = QString::fromUtf16(test.text);
        auto built = buildArticle(run(text));
        ParagraphView& paragraph = built.view.paragraphs[0];
        layOut(paragraph, test.width);
        EXPECT_EQ(describeLines(built.view, paragraph), test.lines)
            << text.toStdString() << " at " << test.width;
    }
}

TEST(LineBreaking, OverflowingGroupKeepsItsWidth)
{
    auto built = buildArticle(run(QStringLiteral("abcdefghij k")));
    ParagraphView& paragraph = built.view.paragraphs[0];
    layOut(paragraph, 50);
    ASSERT_EQ(paragraph.lines().size(), 2u);
    EXPECT_EQ(paragraph.lines()[0].metrics.width, 110);
    EXPECT_EQ(paragraph.items()[9].rect, QRect(90, 0, 10, 13)) << "past the right edge";
}

TEST(LinePlacement, ItemsStandLeftToRightOnStackedLines)
{
    // Style 4 (18-point: ascent 18, descent 6) makes the second line taller.
    auto built = buildArticle(QStringLiteral("#1\"ab cd \"#4\"E\""));
    ParagraphView& paragraph = built.view.paragraphs[0];
    paragraph.number = 3;
    Loading::ParagraphLayoutLoader(paragraph, QRect(5, 40, 60, 500), false, 7).run();
    ASSERT_EQ(describeLines(built.view, paragraph), "ab cd |E$");

    const auto items = paragraph.items();
    EXPECT_EQ(items[0].rect, QRect(0, 0, 10, 13));
    EXPECT_EQ(items[1].rect, QRect(10, 0, 10, 13));
    EXPECT_EQ(items[5].rect, QRect(50, 0, 10, 13));
    EXPECT_EQ(items[6].rect, QRect(0, 13, 10, 25));
    EXPECT_EQ(items[0].line, 7);
    EXPECT_EQ(items[6].line, 8);
    EXPECT_EQ(items[6].number, 3);
    EXPECT_EQ(items[0].layoutState, ItemLaidOut);
    EXPECT_EQ(paragraph.rect, QRect(5, 40, 60, 13 + 25)) << "relative to the article";
    EXPECT_EQ(paragraph.layoutState, Placed);
    EXPECT_EQ(paragraph.firstLine, 7);
    EXPECT_EQ(paragraph.lineCount, 2);
    // The fragment's bottom is the baseline: 18 below the second line's top.
    EXPECT_EQ(items[6].fragments()[0].rect, QRect(0, 18 - 25 + 1, 10, 25));
}

TEST(LinePlacement, RaisedAndLoweredFragmentsLeaveTheBaseline)
{
    auto built = buildArticle(QStringLiteral("#1\"x\"#2\"y\"#3\"z\""));
    ParagraphView& paragraph = built.view.paragraphs[0];
    layOut(paragraph, 100);
    // raise 5 + lower 5 + 9 + 3 + 1: the baseline lies at 5 + 9.
    const auto items = paragraph.items();
    ASSERT_EQ(paragraph.lines().size(), 1u);
    EXPECT_EQ(paragraph.lines()[0].metrics.height(), 23);
    EXPECT_EQ(items[0].fragments()[0].rect.bottom(), 14);
    EXPECT_EQ(items[1].fragments()[0].rect.bottom(), 9);
    EXPECT_EQ(items[2].fragments()[0].rect.bottom(), 19);
}

TEST(LinePlacement, IndentMovesTheItemsRight)
{
    auto built = buildArticle(QStringLiteral("#1\"%09%09ab\""));
    ParagraphView& paragraph = built.view.paragraphs[0];
    EXPECT_EQ(paragraph.indentLevel, 2);
    layOut(paragraph, 100);
    EXPECT_EQ(paragraph.items()[0].rect.left(), 30);
}

struct DirectionCase {
    const char16_t* text;
    bool rightToLeft;
};

TEST(RightToLeft, TheFirstStrongCharacterDecides)
{
    const DirectionCase cases[] = {
        {u"abc", false},
        {u"\u05D0\u05D1 abc", true},
        {u"12 (\u05D0\u05D1) abc", true},
        {u"abc \u05D0\u05D1", false},
        {u"\u0627\u0644", true},
        {u"123 !", false},
    };
    for (const DirectionCase& test : cases) {
        const QString text = QString::fromUtf16(test.text);
        auto built = buildArticle(run(text));
        EXPECT_EQ(built.view.paragraphs[0].frame.rightToLeft, test.rightToLeft) << text.toStdString();
    }
}

TEST(RightToLeft, FirstItemStandsAtTheRightEdge)
{
    // Hebrew letters alef, bet, gimel, dalet.
    auto built = buildArticle(run(QString::fromUtf16(u"\u05D0\u05D1 \u05D2\u05D3")));
    ParagraphView& paragraph = built.view.paragraphs[0];
    ASSERT_TRUE(paragraph.frame.rightToLeft);
    layOut(paragraph, 40);
    // Two lines: "alef bet space" and "gimel dalet line feed".
    ASSERT_EQ(paragraph.lines().size(), 2u);
    const auto items = paragraph.items();
    EXPECT_EQ(items[0].rect, QRect(30, 0, 10, 13)) << "the first item at the right edge";
    EXPECT_EQ(items[1].rect, QRect(20, 0, 10, 13));
    EXPECT_EQ(items[2].rect, QRect(10, 0, 10, 13));
    EXPECT_EQ(items[3].rect, QRect(30, 13, 10, 13)) << "each line starts at the right edge";
    EXPECT_EQ(items[4].rect, QRect(20, 13, 10, 13));
    // Display order runs from the left: the last item first.
    const ParagraphLine& first = paragraph.lines()[0];
    EXPECT_EQ(&paragraph.displayedItem(first, 0), &items[2]);
    EXPECT_EQ(&paragraph.displayedItem(first, 2), &items[0]);
}

TEST(Relayout, SameWidthKeepsTheLinesAndFollowsTheOrigin)
{
    auto built = buildArticle(run(QStringLiteral("aaa bbb ccc")));
    ParagraphView& paragraph = built.view.paragraphs[0];
    Loading::ParagraphLayoutLoader(paragraph, QRect(0, 0, 80, 100), false, 1).run();
    // Mark an item: a real relayout would place it again.
    paragraph.items()[0].rect = QRect(-7, -7, 1, 1);
    Loading::ParagraphLayoutLoader(paragraph, QRect(3, 50, 80, 100), false, 4).run();
    EXPECT_EQ(paragraph.items()[0].rect, QRect(-7, -7, 1, 1)) << "not laid out again";
    EXPECT_EQ(paragraph.rect.topLeft(), QPoint(3, 50));
    EXPECT_EQ(paragraph.items()[0].line, 4) << "line numbers follow the first line";
    EXPECT_EQ(paragraph.items().back().line, 5);

    Loading::ParagraphLayoutLoader(paragraph, QRect(3, 50, 200, 100), false, 4).run();
    EXPECT_EQ(paragraph.items()[0].rect, QRect(0, 0, 10, 13)) << "a new width lays out again";
    EXPECT_EQ(paragraph.lines().size(), 1u);

    paragraph.items()[0].rect = QRect(-7, -7, 1, 1);
    paragraph.invalidate();
    EXPECT_EQ(paragraph.items()[0].layoutState, Dirty);
    Loading::ParagraphLayoutLoader(paragraph, QRect(3, 50, 200, 100), false, 4).run();
    EXPECT_EQ(paragraph.items()[0].rect, QRect(0, 0, 10, 13)) << "an invalidated one too";
}

} // namespace
