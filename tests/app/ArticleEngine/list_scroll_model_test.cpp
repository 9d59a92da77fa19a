// Tests of the list's scroll model (scrolling across articles, the limit,
// the bottom gap, the scroll bar read back) and of the article caches.
#include "ArticleEngine/Controller/list_scroll_model.h"
#include "ArticleEngine/Controller/lru_cache.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

using namespace ArticleEngine::Controller;

namespace {

ArticleHeight heightsOf(const std::vector<int>& heights)
{
    return [heights](int index) { return heights.at(std::size_t(index)); };
}

ArticleListScrollPosition at(int top, int offset, ScrollLimit limit, int bottom = 0)
{
    return {top, offset, 0, bottom, limit.article, limit.offset};
}

TEST(ListScrollModelTest, Limit)
{
    // Articles 2 and 3 (230 pixels) overfill 150 by 80.
    EXPECT_EQ(scrollLimit(4, 150, heightsOf({100, 50, 200, 30})), (ScrollLimit{2, 80}));
    EXPECT_EQ(scrollLimit(2, 100, heightsOf({10, 20})), (ScrollLimit{0, 0}));
    EXPECT_EQ(scrollLimit(2, 100, heightsOf({50, 50})), (ScrollLimit{0, 0})) << "exactly filled";
    EXPECT_EQ(scrollLimit(2, 99, heightsOf({50, 50})), (ScrollLimit{0, 1}));
    EXPECT_EQ(scrollLimit(0, 100, heightsOf({})), (ScrollLimit{0, 0}));
}

TEST(ListScrollModelTest, ScrollByAcrossArticles)
{
    const auto height = heightsOf({100, 50, 200, 30});
    const ScrollLimit limit{2, 80};
    struct Case {
        const char* what;
        int top, offset, pixels;
        int expectedTop, expectedOffset;
    };
    const Case cases[] = {
        {"inside the first article", 0, 0, -30, 0, 30},
        {"across a boundary", 0, 90, -30, 1, 20},
        {"onto an article start", 0, 90, -10, 1, 0},
        {"far: clamped at the limit", 0, 0, -1000, 2, 80},
        {"at the limit already", 2, 80, -5, 2, 80},
        {"past the limit: back to it", 3, 0, -1, 2, 80},
        {"back across a boundary", 1, 20, 30, 0, 90},
        {"back to the last row of the article before", 1, 20, 21, 0, 99},
        {"back past the start", 0, 10, 50, 0, 0},
        {"back over several articles", 2, 10, 70, 0, 90},
    };
    for (const Case& c : cases) {
        const ArticleListScrollPosition moved = scrolledBy(at(c.top, c.offset, limit), c.pixels, 4, height);
        EXPECT_EQ(moved.topArticle, c.expectedTop) << c.what;
        EXPECT_EQ(moved.topOffset, c.expectedOffset) << c.what;
        EXPECT_EQ(moved.topHeight, height(c.expectedTop)) << c.what;
    }
}

TEST(ListScrollModelTest, ScrollByWithoutRoom)
{
    // All articles fit: the limit is (0, 0) and nothing moves.
    const auto height = heightsOf({10, 20});
    EXPECT_EQ(scrolledBy(at(0, 0, {}), -50, 2, height).topOffset, 0);
    // No articles: the position stays as it is.
    const ArticleListScrollPosition empty = at(0, 0, {}, -1);
    const ArticleListScrollPosition moved = scrolledBy(empty, -50, 0, heightsOf({}));
    EXPECT_EQ(moved.topArticle, 0);
    EXPECT_EQ(moved.bottomArticle, -1);
}

TEST(ListScrollModelTest, BottomGapAfterCollapsingTheLastArticles)
{
    std::vector<int> heights{100, 50, 200, 30};
    const ScrollLimit limit = scrollLimit(4, 150, heightsOf(heights));
    const ArticleListScrollPosition scrolled = at(2, 80, limit, 3);
    EXPECT_EQ(bottomGap(scrolled, 4, 150, heightsOf(heights)), 0) << "the last article ends on the last row";
    EXPECT_EQ(bottomGap(at(0, 0, limit, 2), 4, 150, heightsOf(heights)), 0) << "the last article not shown";

    // Article 2 collapses to its header of 20 pixels: the last article now
    // ends on row -31, 180 rows above the bottom row; scrolling by the gap
    // plus one clamps at the new limit.
    heights[2] = 20;
    const auto height = heightsOf(heights);
    const ScrollLimit newLimit = scrollLimit(4, 150, height);
    EXPECT_EQ(newLimit, (ScrollLimit{0, 50}));
    ArticleListScrollPosition position = scrolled;
    position.limitArticle = newLimit.article;
    position.limitOffset = newLimit.offset;
    const int gap = bottomGap(position, 4, 150, height);
    EXPECT_EQ(gap, 181);
    const ArticleListScrollPosition fixed = scrolledBy(position, -gap, 4, height);
    EXPECT_EQ(fixed.topArticle, 0);
    EXPECT_EQ(fixed.topOffset, 50);
}

TEST(ListScrollModelTest, PositionFromScrollBar)
{
    // 51 articles of 40 pixels in 150: limit (47, 10); the bar moves by
    // whole articles and lands on article starts.
    const std::vector<int> many(51, 40);
    const ScrollLimit manyLimit = scrollLimit(51, 150, heightsOf(many));
    ASSERT_EQ(manyLimit, (ScrollLimit{47, 10}));
    for (int value = 0; value <= 47; ++value) {
        const ArticleListScrollPosition p = positionFromScrollBar(at(0, 0, manyLimit), {value, 0, 47, 1, 1, true},
                                                                  51, heightsOf(many));
        EXPECT_EQ(p.topArticle, value);
        EXPECT_EQ(p.topOffset, value == 47 ? 10 : 0);
    }

    // 8 articles of 40 in 190: limit (3, 10); four steps of 190. Half way
    // through step 2 is half way into article 2.
    const std::vector<int> few(8, 40);
    const ScrollLimit fewLimit = scrollLimit(8, 190, heightsOf(few));
    ASSERT_EQ(fewLimit, (ScrollLimit{3, 10}));
    ArticleListScrollPosition p = positionFromScrollBar(at(0, 0, fewLimit), {475, 0, 760, 114, 1, true}, 8,
                                                        heightsOf(few));
    EXPECT_EQ(p.topArticle, 2);
    EXPECT_EQ(p.topOffset, 20);
    EXPECT_EQ(p.topHeight, 40);
    p = positionFromScrollBar(at(0, 0, fewLimit), {760, 0, 760, 114, 1, true}, 8, heightsOf(few));
    EXPECT_EQ(p.topArticle, 3);
    EXPECT_EQ(p.topOffset, 10);

    // The forward mapping and back agree at article starts.
    const ArticleListScrollPosition start = at(1, 0, fewLimit);
    const ScrollBarState bar = scrollBarState({0, 0, 0, 0, 1, true}, start, 8, 190);
    EXPECT_EQ(positionFromScrollBar(start, bar, 8, heightsOf(few)).topArticle, 1);
}

TEST(ArticleCacheTest, EvictsTheLeastRecentlyUsed)
{
    LruCache<int> live(80);
    for (int i = 0; i < 80; ++i)
        live.insert(i, std::make_unique<int>(i));
    ASSERT_NE(live.find(0), nullptr); // article 0 used again
    live.insert(80, std::make_unique<int>(80));
    EXPECT_EQ(live.size(), 80);
    EXPECT_TRUE(live.contains(0));
    EXPECT_FALSE(live.contains(1)) << "the 81st entry deletes the least recently used";
    live.insert(81, std::make_unique<int>(81));
    EXPECT_FALSE(live.contains(2));
}

TEST(ArticleCacheTest, RetiredEntriesKeepTheNewestThree)
{
    LruCache<int> live(80);
    LruCache<int> retired(3);
    for (int i = 0; i < 5; ++i)
        live.insert(i, std::make_unique<int>(i * 10));
    for (auto& [key, value] : live.takeAll())
        retired.insert(key, std::move(value));
    EXPECT_EQ(live.size(), 0);
    EXPECT_EQ(retired.size(), 3);
    // Oldest first into the retired cache: the three used last survive.
    EXPECT_FALSE(retired.contains(0));
    EXPECT_FALSE(retired.contains(1));
    ASSERT_NE(retired.find(4), nullptr);
    EXPECT_EQ(*retired.find(4), 40);

    std::unique_ptr<int> taken = retired.take(3);
    ASSERT_NE(taken, nullptr);
    EXPECT_EQ(*taken, 30);
    EXPECT_FALSE(retired.contains(3));
    EXPECT_EQ(retired.take(3), nullptr);
}

} // namespace
