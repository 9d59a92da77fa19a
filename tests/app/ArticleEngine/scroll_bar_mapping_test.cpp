// Tests of the client area, the line height and the two mappings of the
// scroll position onto the scroll bar.
#include "layout_fixture.h"

#include "ArticleEngine/Controller/scroll_bar_mapping.h"
#include "ArticleEngine/External/default_style_server.h"
#include "ArticleEngine/Loading/article_layout_loader.h"

#include <QScrollBar>

#include <gtest/gtest.h>

using namespace ArticleEngine;
using namespace ArticleEngine::Controller;

namespace {

ArticleListScrollPosition position(int top, int offset, int height, int limit, int limitOffset)
{
    return {top, offset, height, top, limit, limitOffset};
}

TEST(ScrollBarMappingTest, StateFromPosition)
{
    // The bar before: minimum 0, single step 7, values that a hidden bar keeps.
    const ScrollBarState before{5, 0, 99, 33, 7, true};
    struct Case {
        const char* what;
        int articles;
        ArticleListScrollPosition position;
        int clientHeight;
        ScrollBarState expected;
    };
    const Case cases[] = {
        {"51 articles: one step per article", 51, position(20, 15, 100, 40, 30), 300,
         {20, 0, 40, 33, 7, true}},
        {"51 articles, limit 0 with an offset: the minimum", 51, position(0, 5, 100, 0, 30), 300,
         {0, 0, 0, 33, 7, true}},
        {"50 articles: steps of the client height", 50, position(2, 50, 101, 9, 30), 300,
         {750, 0, 3000, 180, 7, true}},
        {"a 6 pixel viewport: step 10, page step 6", 50, position(1, 0, 20, 4, 5), 6,
         {10, 0, 50, 6, 7, true}},
        {"top at the limit: part by the limit offset", 10, position(4, 15, 80, 4, 30), 100,
         {450, 0, 500, 60, 7, true}},
        {"a list that fits hides the bar, keeps the rest", 10, position(0, 0, 50, 0, 0), 300,
         {5, 0, 99, 33, 7, false}},
        {"51 articles that fit", 51, position(0, 0, 50, 0, 0), 300, {5, 0, 0, 33, 7, false}},
        // Fault: these divided by zero.
        {"an article of height 1", 10, position(2, 0, 1, 4, 3), 100, {200, 0, 500, 60, 7, true}},
        {"top at the limit with offset 0", 10, position(4, 0, 30, 4, 0), 100, {400, 0, 500, 60, 7, true}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(scrollBarState(before, c.position, c.articles, c.clientHeight), c.expected) << c.what;
    }
}

TEST(ScrollBarMappingTest, Fraction)
{
    ScrollBarState state{0, 10, 110, 0, 1, true};
    state.setFraction(0.25f);
    EXPECT_EQ(state.value, 35);
    EXPECT_FLOAT_EQ(state.fraction(), 0.25f);
    const ScrollBarState flat{3, 10, 10, 0, 1, true};
    EXPECT_EQ(flat.fraction(), 0.0f);
}

TEST(ScrollBarMappingTest, ClientAreaAndLines)
{
    const QRect controller(0, 0, 300, 200);
    EXPECT_EQ(clientRect(controller, false, 15).right(), 298);
    EXPECT_EQ(clientRect(controller, true, 15).right(), 283);
    EXPECT_EQ(visibleLines(200, 13), 15);
    EXPECT_EQ(visibleLines(200, 0), 0);

    lexvane::testing::TestStyleServer styles;
    EXPECT_EQ(lineHeight(styles), QFontMetrics(styles.small).height());
    External::Default::StyleServer defaults;
    EXPECT_GT(lineHeight(defaults), 0);
    // No style with a font: no line height.
    styles.styles.clear();
    EXPECT_EQ(lineHeight(styles), 0);
}

TEST(ScrollBarMappingTest, FullyVisibleViewsAndArticlesOnScreen)
{
    auto built = lexvane::testing::buildArticle(QStringLiteral("#1\"ab%0Acd\""));
    ArticleView& article = built.view;
    EXPECT_FALSE(isFullyVisible(article.paragraphs[0], QRect(0, 0, 300, 300))) << "not laid out";
    Loading::ArticleLayoutLoader(article, QRect(0, 10, 100, 1000), false).run();
    const QRect second = article.paragraphs[1].absoluteRect();
    EXPECT_TRUE(isFullyVisible(article.paragraphs[1], QRect(0, 0, 100, second.bottom() + 1)));
    EXPECT_FALSE(isFullyVisible(article.paragraphs[1], QRect(0, 0, 100, second.bottom())));

    const ArticleListScrollPosition onScreen{3, 0, 10, 5, 9, 0};
    EXPECT_FALSE(onScreen.isArticleOnScreen(2));
    EXPECT_TRUE(onScreen.isArticleOnScreen(3));
    EXPECT_TRUE(onScreen.isArticleOnScreen(5));
    EXPECT_FALSE(onScreen.isArticleOnScreen(6));
    EXPECT_TRUE(onScreen.isValid());
    EXPECT_FALSE((ArticleListScrollPosition{3, 0, 10, 2, 9, 0}).isValid());
}

TEST(ScrollBarMappingTest, WritingTheBarSendsNoSignals)
{
    QScrollBar bar(Qt::Vertical);
    int changes = 0;
    QObject::connect(&bar, &QScrollBar::valueChanged, [&changes] { ++changes; });
    const ScrollBarState state{30, 0, 100, 20, 3, true};
    writeScrollBar(bar, state);
    EXPECT_EQ(changes, 0);
    EXPECT_FALSE(bar.signalsBlocked());
    EXPECT_EQ(bar.value(), 30);
    EXPECT_EQ(bar.maximum(), 100);
    EXPECT_EQ(bar.pageStep(), 20);
    EXPECT_EQ(bar.singleStep(), 3);
    // The bar's own visibility follows an unshown parent; the flag is set.
    EXPECT_FALSE(bar.isHidden());
    writeScrollBar(bar, {0, 0, 0, 0, 0, false});
    EXPECT_TRUE(bar.isHidden());
    EXPECT_EQ(bar.value(), 30) << "a hidden bar keeps its values";
    EXPECT_FALSE(readScrollBar(bar).visible);
    writeScrollBar(bar, state);
    EXPECT_EQ(readScrollBar(bar), state);
}

} // namespace
