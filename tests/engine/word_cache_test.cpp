// Tests of the cache that keeps decoded words between searches: what it
// replays is what went in, with the right marks, and a list over its budget
// or with too long a word is refused.
#include "compiled/word_cache.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using lexvane::engine::WordCache;

std::vector<std::u16string> replayed(const WordCache& cache)
{
    std::vector<std::u16string> words;
    cache.forEachWord([&](std::u16string_view word) {
        words.emplace_back(word);
        return 0;
    });
    return words;
}

TEST(WordCache, ReplaysEveryWordInOrder)
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
    WordCache cache;
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

TEST(WordCache, AListOverItsBudgetIsRefusedAndStaysEmpty)
{
    // 20 units; each word takes its length and its units: 6 + 7 + 6 for
    // the first three, 5 more for "mice".
    WordCache cache(40);
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

    WordCache fits(40);
    fits.startFilling();
    for (const char16_t* word : {u"house", u"houses", u"mouse"})
        fits.append(word);
    fits.markComplete();
    EXPECT_TRUE(fits.complete());
    EXPECT_EQ(replayed(fits), (std::vector<std::u16string>{u"house", u"houses", u"mouse"}));
}

TEST(WordCache, MarksTheWordsThatHoldATabOrAStressMark)
{
    const std::vector<std::u16string> words = {u"plain", u"two\tforms", u"\t", u"\u0437\u0430\u0301", u"a\u0301\tb",
                                               u"", u"\u0301"};
    const std::vector<unsigned> marks = {0,
                                         WordCache::kHoldsTab,
                                         WordCache::kHoldsTab,
                                         WordCache::kHoldsStressMark,
                                         WordCache::kHoldsTab | WordCache::kHoldsStressMark,
                                         0,
                                         WordCache::kHoldsStressMark};
    WordCache cache;
    for (const std::u16string& word : words)
        cache.append(word);
    cache.markComplete();
    std::vector<std::u16string> seen;
    std::vector<unsigned> seenMarks;
    cache.forEachWord([&](std::u16string_view word, unsigned wordMarks) {
        seen.emplace_back(word);
        seenMarks.push_back(wordMarks);
        return 0;
    });
    EXPECT_EQ(seen, words);
    EXPECT_EQ(seenMarks, marks);
}

TEST(WordCache, AWordLongerThanTheHeadUnitHoldsIsRefused)
{
    WordCache longest;
    longest.append(std::u16string(WordCache::kLongestWord, u'a'));
    longest.markComplete();
    ASSERT_TRUE(longest.complete());
    EXPECT_EQ(replayed(longest), std::vector<std::u16string>{std::u16string(WordCache::kLongestWord, u'a')});

    WordCache tooLong;
    tooLong.append(u"short");
    tooLong.append(std::u16string(WordCache::kLongestWord + 1, u'\t'));
    tooLong.markComplete();
    EXPECT_TRUE(tooLong.refused());
    EXPECT_TRUE(replayed(tooLong).empty());

    // Forgetting the list forgets the refusal too.
    tooLong.clear();
    EXPECT_FALSE(tooLong.refused());
    tooLong.append(u"short");
    tooLong.markComplete();
    EXPECT_EQ(replayed(tooLong), std::vector<std::u16string>{u"short"});
}

} // namespace
