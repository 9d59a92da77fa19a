// Tests of cutting articles into page slices for printing.
#include "ArticleEngine/Controller/print_pagination.h"

#include <gtest/gtest.h>

using namespace ArticleEngine::Controller;

namespace {

PrintSlice slice(int page, int y, int article, int top, int height)
{
    return {page, 0, y, article, QRect(0, top, 50, height)};
}

TEST(PrintPaginationTest, ArticlesFollowEachOtherDownThePage)
{
    const std::vector<PrintSlice> expected{slice(0, 0, 0, 0, 30), slice(0, 30, 1, 0, 40)};
    EXPECT_EQ(paginate({{30, {10, 20, 30}}, {40, {20, 40}}}, 50, 100), expected);
    EXPECT_TRUE(paginate({{30, {30}}}, 50, 0).empty());
}

TEST(PrintPaginationTest, TallArticlesAreCutBetweenLines)
{
    // Lines of 30: on a page of 100 the cut is at 90, not at 100.
    const PrintArticle tall{250, {30, 60, 90, 120, 150, 180, 210, 240, 250}};
    const std::vector<PrintSlice> expected{slice(0, 0, 0, 0, 90), slice(1, 0, 0, 90, 90),
                                           slice(2, 0, 0, 180, 70)};
    EXPECT_EQ(paginate({tall}, 50, 100), expected);
}

TEST(PrintPaginationTest, TheFreeRowsAfterAnArticleDecideThePage)
{
    // 9 rows free after the first article: the page ends there.
    std::vector<PrintSlice> slices = paginate({{91, {91}}, {20, {20}}}, 50, 100);
    ASSERT_EQ(slices.size(), 2u);
    EXPECT_EQ(slices[1], slice(1, 0, 1, 0, 20));
    // 10 rows free: the next article's first line goes there.
    slices = paginate({{90, {90}}, {20, {10, 20}}}, 50, 100);
    const std::vector<PrintSlice> expected{slice(0, 0, 0, 0, 90), slice(0, 90, 1, 0, 10), slice(1, 0, 1, 10, 10)};
    EXPECT_EQ(slices, expected);
}

TEST(PrintPaginationTest, SliversOfOneRowAreDroppedAndEveryCutAdvances)
{
    // Only one row of the next article's line fits: no slice of it there.
    std::vector<PrintSlice> slices = paginate({{80, {80}}, {30, {1, 30}}}, 50, 100);
    const std::vector<PrintSlice> expected{slice(0, 0, 0, 0, 80), slice(1, 0, 1, 1, 29)};
    EXPECT_EQ(slices, expected);

    // A line taller than a page is cut at the page bottom.
    slices = paginate({{250, {250}}}, 50, 100);
    const std::vector<PrintSlice> cut{slice(0, 0, 0, 0, 100), slice(1, 0, 0, 100, 100), slice(2, 0, 0, 200, 50)};
    EXPECT_EQ(slices, cut);
}

} // namespace

namespace {

// Fault: the copies were printed copies x copies times on printers that
// make copies themselves.
TEST(PrintPaginationTest, PrintPasses)
{
    EXPECT_EQ(printPasses(3, true), 1);
    EXPECT_EQ(printPasses(3, false), 3);
    EXPECT_EQ(printPasses(1, false), 1);
    EXPECT_EQ(printPasses(0, false), 0);
    EXPECT_EQ(printPasses(-2, true), 0);
}

} // namespace
