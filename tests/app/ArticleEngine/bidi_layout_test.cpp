// Tests of lines that mix directions: items keep text order in the lines,
// their places follow the embedding levels. Fixed metrics: every character
// 10 pixels wide, line feeds 0.
#include "layout_fixture.h"

#include "ArticleEngine/Controller/article_edit_hit_tester.h"
#include "ArticleEngine/Loading/article_layout_loader.h"
#include "ArticleEngine/Loading/paragraph_layout_loader.h"
#include "ArticleEngine/Views/view_lookup.h"

#include <gtest/gtest.h>

using namespace ArticleEngine;
using lexvane::testing::buildArticle;
using lexvane::testing::BuiltArticle;
using lexvane::testing::describeLines;

namespace {

BuiltArticle built(const char16_t* text)
{
    return buildArticle(QStringLiteral("#1\"") + QString::fromUtf16(text) + QStringLiteral("\""));
}

void layOutWithText(BuiltArticle& article, int width)
{
    Loading::ParagraphLayoutLoader loader(article.view.paragraphs[0], QRect(0, 0, width, 1000), false, 1);
    loader.setText(article.view.text);
    loader.run();
}

// Each line's items in display order stand side by side from the line's
// first left edge, and the lookup by x finds each of them again.
void expectContiguousLines(const ParagraphView& paragraph, const std::string& name)
{
    for (const ParagraphLine& line : paragraph.lines()) {
        int x = paragraph.displayedItem(line, 0).rect.left();
        for (int place = 0; place < line.itemCount(); ++place) {
            const TextItemView& item = paragraph.displayedItem(line, place);
            EXPECT_EQ(item.rect.left(), x) << name << " place " << place;
            x += item.rect.width();
            if (item.rect.width() > 0) {
                const int index = int(&item - paragraph.items().data());
                EXPECT_EQ(itemAt(paragraph, line, item.rect.center().x()), index) << name;
            }
        }
    }
}

struct MixedCase {
    const char* name;
    const char16_t* text;
    int width;
    // Lines as items' texts in display order; '$' a line feed.
    const char16_t* lines;
};

TEST(MixedDirectionLines, ItemsStandInDisplayOrder)
{
    // Hebrew bet, yod, tav ("bayit"), alef, bet, gimel, dalet; Arabic alef, beh.
    const MixedCase cases[] = {
        {"Latin in brackets in a Hebrew line", u"\u05D1\u05D9\u05EA (bayit) house", 400,
         u"$house )bayit (\u05EA\u05D9\u05D1"},
        {"a Hebrew word in a Latin line", u"the \u05D0\u05D1\u05D2 word", 400, u"the \u05D2\u05D1\u05D0 word$"},
        {"a number in a Hebrew line", u"\u05D0 123 \u05D1", 400, u"$\u05D1 123 \u05D0"},
        {"Arabic-Indic digits", u"\u0627 \u0661\u0662", 400, u"$\u0661\u0662 \u0627"},
        {"a full stop ends a Hebrew line", u"\u05D0\u05D1.", 400, u"$.\u05D1\u05D0"},
        // Each line is resolved on its own; the space that ends the first
        // line stands at the paragraph level.
        {"levels by line", u"abc \u05D0\u05D1 \u05D2\u05D3", 70, u"abc \u05D1\u05D0 |\u05D3\u05D2$"},
        {"pure Latin", u"ab cd", 400, u"ab cd$"},
        {"pure Hebrew", u"\u05D0\u05D1 \u05D2", 400, u"$\u05D2 \u05D1\u05D0"},
    };
    for (const MixedCase& test : cases) {
        auto article = built(test.text);
        layOutWithText(article, test.width);
        const ParagraphView& paragraph = article.view.paragraphs[0];
        EXPECT_EQ(QString::fromStdString(describeLines(article.view, paragraph)), QString::fromUtf16(test.lines))
            << test.name;
        expectContiguousLines(paragraph, test.name);
    }
}

TEST(MixedDirectionLines, RightToLeftLinesStillEndAtTheRightEdge)
{
    auto article = built(u"\u05D1\u05D9\u05EA (bayit) house");
    layOutWithText(article, 400);
    const ParagraphView& paragraph = article.view.paragraphs[0];
    const auto items = paragraph.items();
    ASSERT_EQ(paragraph.lines().size(), 1u);
    EXPECT_EQ(items[0].rect, QRect(390, 0, 10, 13)) << "the first letter at the right edge";
    // "house" reads left to right at the line's left end: 17 characters
    // and the line feed take 170 pixels.
    const int h = 11;
    ASSERT_EQ(article.view.text[items[std::size_t(h)].start()], QLatin1Char('h'));
    EXPECT_EQ(items[std::size_t(h)].rect.left(), 400 - 170);
    EXPECT_LT(items[std::size_t(h)].rect.left(), items[std::size_t(h + 1)].rect.left());
    // The line keeps text order.
    EXPECT_EQ(paragraph.lines()[0].firstItem, 0);
}

TEST(MixedDirectionLines, TheArticlePassGivesTheText)
{
    auto article = built(u"a \u05D0\u05D1");
    Loading::ArticleLayoutLoader(article.view, QRect(0, 0, 400, 1000), false).run();
    const auto items = article.view.paragraphs[0].items();
    EXPECT_GT(items[2].rect.left(), items[3].rect.left()) << "alef right of bet";
}

TEST(MixedDirectionLines, ALaterMixedLineKeepsTheEarlierLinesOrder)
{
    // The first line is plain Hebrew, the second holds a number.
    auto article = built(u"\u05D0\u05D1 \u05D2 12");
    layOutWithText(article, 40);
    const ParagraphView& paragraph = article.view.paragraphs[0];
    EXPECT_EQ(QString::fromStdString(describeLines(article.view, paragraph)),
              QString::fromUtf16(u" \u05D2 \u05D1\u05D0|$12"));
    expectContiguousLines(paragraph, "second line mixed");
}

TEST(MixedDirectionLines, CharactersOfARightToLeftRunStandFromTheRight)
{
    // The space and bracket item of a right-to-left line shows the bracket
    // at its left, as painting draws it.
    auto article = built(u"\u05D0 (\u05D1)");
    Loading::ArticleLayoutLoader(article.view, QRect(0, 0, 400, 1000), false).run();
    const TextItemView& item = article.view.paragraphs[0].items()[1];
    ASSERT_EQ(item.length(), 2);
    ASSERT_TRUE(item.rightToLeftRun());
    const QRect whole = item.absoluteRect();
    EXPECT_EQ(characterRect(item, 0, 1), whole.adjusted(10, 0, 0, 0)) << "the space at the right";
    EXPECT_EQ(characterRect(item, 1, 2), whole.adjusted(0, 0, -10, 0)) << "the bracket at the left";
}

TEST(MixedDirectionLines, EditClicksTakeTheReadingHalfOfACharacter)
{
    // In "a alef bet" alef stands right of bet; its left half is after it
    // in reading order, so a click there puts the caret before bet.
    auto article = built(u"a \u05D0\u05D1");
    Loading::ArticleLayoutLoader(article.view, QRect(0, 0, 400, 1000), false).run();
    Controller::ArticleEditHitTester tester;
    tester.attach(&article.view, 0);
    const QRect alef = article.view.paragraphs[0].items()[2].absoluteRect();
    const QRect a = article.view.paragraphs[0].items()[0].absoluteRect();
    const struct {
        QPoint point;
        int offset;
    } cases[] = {
        {QPoint(alef.right() - 1, alef.center().y()), 2},
        {QPoint(alef.left() + 1, alef.center().y()), 3},
        {QPoint(a.left() + 1, a.center().y()), 0},
        {QPoint(a.right() - 1, a.center().y()), 1},
    };
    for (const auto& test : cases) {
        Controller::ArticleListPosition out;
        ASSERT_TRUE(tester.hitPoint(test.point, false, out));
        EXPECT_EQ(out.offset, test.offset) << test.point.x();
    }
}

} // namespace
