// Tests of the cache that keeps a word list's words between fuzzy searches:
// what it replays is what went in, and a list over its budget is refused.
#include "compiled/fuzzy_word_cache.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using lexvane::engine::FuzzyWordCache;

std::vector<std::u16string> replayed(const FuzzyWordCache& cache)
{
    std::vector<std::u16string> words;
    cache.forEachWord([&](std::u16string_view word) {
        words.emplace_back(word);
        return 0;
    });
    return words;
}

TEST(FuzzyWordCache, ReplaysEveryWordInOrder)
{
    // Sorted and unsorted neighbours, empty words, repeats and a word that
    // is a prefix of the one before.
    std::vector<std::u16string> words = {u"", u"a", u"ab", u"ab", u"abc", u"a", u"", u"zz\tz", u"z\u00e4"};
    std::mt19937 random(7);
    for (int i = 0; i < 500; ++i) {
        std::u16string word;
        for (std::size_t n = random() % 12; n > 0; --n)
            word.push_back(static_cast<char16_t>(u'a' + random() % 3));
        words.push_back(word);
    }
    FuzzyWordCache cache;
    cache.startFilling();
    for (const std::u16string& word : words)
        cache.append(word);
    EXPECT_FALSE(cache.complete());
    cache.markComplete();
    ASSERT_TRUE(cache.complete());
    EXPECT_EQ(cache.wordCount(), words.size());
    EXPECT_EQ(replayed(cache), words);

    // A non-zero answer ends the replay with it.
    int visited = 0;
    EXPECT_EQ(cache.forEachWord([&](std::u16string_view) { return ++visited == 3 ? 42 : 0; }), 42);
    EXPECT_EQ(visited, 3);
}

TEST(FuzzyWordCache, AListOverItsBudgetIsRefusedAndStaysEmpty)
{
    // 20 units; each word takes its length and its units: 6 + 7 + 6 for
    // the first three, 5 more for "mice".
    FuzzyWordCache cache(40);
    cache.startFilling();
    for (const char16_t* word : {u"house", u"houses", u"mouse", u"mice", u"rat"})
        cache.append(word);
    cache.markComplete();
    EXPECT_TRUE(cache.refused());
    EXPECT_FALSE(cache.complete());
    EXPECT_EQ(cache.wordCount(), 0u);
    EXPECT_TRUE(replayed(cache).empty());
    // The same list would not fit the next time either.
    cache.startFilling();
    cache.append(u"a");
    cache.markComplete();
    EXPECT_FALSE(cache.complete());

    FuzzyWordCache fits(40);
    fits.startFilling();
    for (const char16_t* word : {u"house", u"houses", u"mouse"})
        fits.append(word);
    fits.markComplete();
    EXPECT_TRUE(fits.complete());
    EXPECT_EQ(replayed(fits), (std::vector<std::u16string>{u"house", u"houses", u"mouse"}));
}

} // namespace
