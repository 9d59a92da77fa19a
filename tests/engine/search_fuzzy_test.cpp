// Tests of the fuzzy search: the distance, the prefilter, the shrinking
// limit, duplicates and the exported Start/Feed/End functions.
#include "search/fuzzy_state.h"
#include "search_reference.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

using lexvane::testing::Kept;
using lexvane::testing::keptOf;
using lexvane::testing::referenceDistance;

std::u16string randomWord(std::mt19937& random, std::size_t maximumLength)
{
    std::uniform_int_distribution<std::size_t> length(0, maximumLength);
    std::uniform_int_distribution<int> letter(0, 3);
    std::u16string word(length(random), u'a');
    for (char16_t& c : word)
        c = static_cast<char16_t>(u'a' + letter(random));
    return word;
}

TEST(FuzzyDistance, MatchesTheFullMatrixOnRandomWordsInListOrder)
{
    std::mt19937 random(7);
    for (int round = 0; round < 40; ++round) {
        const std::u16string query = randomWord(random, 12);
        std::vector<std::u16string> words;
        for (int i = 0; i < 200; ++i)
            words.push_back(randomWord(random, 14));
        // Sorted lists share prefixes, which the state does not recompute.
        if (round % 2 == 0)
            std::sort(words.begin(), words.end());
        FuzzyState unlimited;
        ASSERT_EQ(unlimited.start(query, 10, 0), 0);
        FuzzyState limited;
        ASSERT_EQ(limited.start(query, 10), 0);
        for (const std::u16string& word : words) {
            const int expected = referenceDistance(word, query);
            ASSERT_EQ(unlimited.distanceTo(word), expected) << "round " << round;
            ASSERT_EQ(std::min(limited.distanceTo(word), 5), std::min(expected, 5)) << "round " << round;
        }
    }
}

TEST(FuzzyDistance, EdgeCases)
{
    struct Case {
        const char16_t* query;
        const char16_t* candidate;
        int distance;
    } cases[] = {
        {u"house", u"hose", 1},   {u"house", u"houses", 1}, {u"house", u"ouse", 1}, {u"house", u"how", 3},
        {u"form", u"from", 1},    {u"ab", u"ba", 1},        {u"", u"abc", 3},       {u"abc", u"", 3},
        {u"abcd", u"abcd", 0},    {u"ca", u"abc", 3},
    };
    for (const Case& c : cases) {
        FuzzyState state;
        ASSERT_EQ(state.start(c.query, 4, 0), 0);
        EXPECT_EQ(state.distanceTo(c.candidate), c.distance) << "query and candidate of case " << c.distance;
    }
}

TEST(FuzzyState, KeepsTheQueryNeighboursOfHouseAndSkipsFarLengths)
{
    FuzzyState state;
    ASSERT_EQ(state.start(u"house", 10), 0);
    for (const char16_t* word : {u"hose", u"houses", u"ouse", u"how", u"househusband", u""})
        ASSERT_EQ(state.offer(word, word, 1), 0);
    const std::vector<Kept> expected = {{u"hose", 1, 1}, {u"houses", 1, 1}, {u"ouse", 1, 1}, {u"how", 3, 1}};
    EXPECT_EQ(keptOf(state), expected);
}

TEST(FuzzyState, FullListShrinksTheLimit)
{
    FuzzyState state;
    ASSERT_EQ(state.start(u"house", 2), 0);
    ASSERT_EQ(state.offer(u"hxyze", u"hxyze", 1), 0); // 3
    EXPECT_EQ(keptOf(state), (std::vector<Kept>{{u"hxyze", 3, 1}}));
    ASSERT_EQ(state.offer(u"hose", u"hose", 1), 0); // 1
    EXPECT_EQ(keptOf(state), (std::vector<Kept>{{u"hose", 1, 1}, {u"hxyze", 3, 1}}));
    ASSERT_EQ(state.offer(u"mouse", u"mouse", 1), 0); // 1, another word
    EXPECT_EQ(keptOf(state), (std::vector<Kept>{{u"hose", 1, 1}, {u"mouse", 1, 1}}));
    EXPECT_EQ(state.limit(), 5);
    ASSERT_EQ(state.offer(u"house", u"house", 1), 0); // 0
    EXPECT_EQ(keptOf(state), (std::vector<Kept>{{u"house", 0, 1}, {u"hose", 1, 1}}));
    EXPECT_EQ(state.limit(), 5);
    ASSERT_EQ(state.offer(u"hoxxe", u"hoxxe", 1), 0); // 2: beyond the end
    EXPECT_EQ(state.limit(), 1);
    ASSERT_EQ(state.offer(u"louse", u"louse", 1), 0); // 1: no longer kept
    EXPECT_EQ(keptOf(state), (std::vector<Kept>{{u"house", 0, 1}, {u"hose", 1, 1}}));
}

TEST(FuzzyState, DuplicatesAreKeptOncePerKey)
{
    FuzzyState state;
    ASSERT_EQ(state.start(u"house", 10), 0);
    ASSERT_EQ(state.offer(u"hose", u"hose", 1), 0);
    ASSERT_EQ(state.offer(u"hose", u"hose", 1), 0);
    ASSERT_EQ(state.offer(u"hose", u"hose", 2), 0);
    // The kept text decides, not the form that was compared.
    ASSERT_EQ(state.offer(u"hose", u"hose\tHose", 1), 0);
    const std::vector<Kept> expected = {{u"hose", 1, 1}, {u"hose", 1, 2}, {u"hose\tHose", 1, 1}};
    EXPECT_EQ(keptOf(state), expected);
}

TEST(FuzzyState, NoRoomKeepsNothingAndTooLongTextsAreIgnored)
{
    FuzzyState none;
    ASSERT_EQ(none.start(u"house", 0), 0);
    ASSERT_EQ(none.offer(u"house", u"house", 1), 0);
    EXPECT_TRUE(none.results().empty());
    EXPECT_EQ(none.limit(), 5);

    const std::u16string longest(63, u'a');
    FuzzyState state;
    ASSERT_EQ(state.start(std::u16string(62, u'a'), 5), 0);
    ASSERT_EQ(state.offer(std::u16string(62, u'a'), longest, 1), 0); // 63 units kept: fits 64 with terminator
    ASSERT_EQ(state.offer(longest, u"x", 1), 0);                    // 63-unit candidate: not compared
    ASSERT_EQ(state.offer(u"aaa", std::u16string(64, u'a'), 1), 0); // 64-unit kept text: ignored
    ASSERT_EQ(state.results().size(), 1u);
    EXPECT_EQ(std::u16string(state.results()[0].headword), longest);
    EXPECT_EQ(state.results()[0].headword[63], 0);
}

// The list agrees with a brute-force ranking: the closest distinct (text,
// key) pairs under the limit, earlier offers first among equal distances.
TEST(FuzzyState, AgreesWithBruteForceRanking)
{
    std::mt19937 random(11);
    for (int round = 0; round < 60; ++round) {
        const std::u16string query = randomWord(random, 8);
        const int maxResults = static_cast<int>(random() % 8);
        FuzzyState state;
        ASSERT_EQ(state.start(query, maxResults), 0);
        std::vector<Kept> expected;
        for (int i = 0; i < 300; ++i) {
            const std::u16string word = randomWord(random, 10);
            const int key = static_cast<int>(random() % 3);
            ASSERT_EQ(state.offer(word, word, key), 0);
            const int distance = referenceDistance(word, query);
            const Kept candidate{word, distance, key};
            if (distance < 5 && std::find(expected.begin(), expected.end(), candidate) == expected.end())
                expected.push_back(candidate);
        }
        std::stable_sort(expected.begin(), expected.end(),
                         [](const Kept& a, const Kept& b) { return a.distance < b.distance; });
        if (expected.size() > static_cast<std::size_t>(maxResults))
            expected.resize(static_cast<std::size_t>(maxResults));
        EXPECT_EQ(keptOf(state), expected) << "round " << round;
    }
}

// The exported functions.

struct Reported {
    std::u16string word;
    int key;
    bool operator==(const Reported&) const = default;
};

int collect(const char16_t* word, std::int32_t key, void* user)
{
    static_cast<std::vector<Reported>*>(user)->push_back({word, key});
    return 0;
}

TEST(FuzzySearchExports, FeedsAndReportsBestFirst)
{
    FuzzyState* state = nullptr;
    ASSERT_EQ(FuzzySearchStart(&state, u"house", 3), 0);
    ASSERT_NE(state, nullptr);
    EXPECT_EQ(FuzzySearchFeed(state, u"how", 4, 7), 0);
    EXPECT_EQ(FuzzySearchFeed(state, u"hose", 5, 8), 0);
    std::vector<Reported> reported;
    EXPECT_EQ(FuzzySearchEnd(state, collect, &reported), 0);
    EXPECT_EQ(reported, (std::vector<Reported>{{u"hose", 8}, {u"how", 7}}));
}

TEST(FuzzySearchExports, LengthIsBoundedByTheRealText)
{
    FuzzyState* state = nullptr;
    ASSERT_EQ(FuzzySearchStart(&state, u"house", 5), 0);
    // Exactly five units on the heap: reading past them would be caught.
    auto hose = std::make_unique<char16_t[]>(5);
    std::copy_n(u"hose", 5, hose.get());
    EXPECT_EQ(FuzzySearchFeed(state, hose.get(), 1000, 1), 0);
    // A length shorter than the text cuts it.
    EXPECT_EQ(FuzzySearchFeed(state, u"houses", 6, 2), 0);
    EXPECT_EQ(FuzzySearchFeed(state, u"houses", 0, 3), LV_BAD_ARGUMENT);
    EXPECT_EQ(FuzzySearchFeed(state, nullptr, 5, 3), LV_BAD_ARGUMENT);
    EXPECT_EQ(FuzzySearchFeed(nullptr, u"hose", 5, 3), LV_BAD_ARGUMENT);
    std::vector<Reported> reported;
    ASSERT_EQ(FuzzySearchEnd(state, collect, &reported), 0);
    EXPECT_EQ(reported, (std::vector<Reported>{{u"house", 2}, {u"hose", 1}}));
}

TEST(FuzzySearchExports, RefusesBadArguments)
{
    FuzzyState* state = reinterpret_cast<FuzzyState*>(&state);
    EXPECT_EQ(FuzzySearchStart(&state, u"house", -1), LV_BAD_ARGUMENT);
    EXPECT_EQ(state, nullptr);
    EXPECT_EQ(FuzzySearchStart(&state, nullptr, 5), LV_BAD_ARGUMENT);
    EXPECT_EQ(state, nullptr);
    EXPECT_EQ(FuzzySearchStart(nullptr, u"house", 5), LV_BAD_ARGUMENT);
    EXPECT_EQ(FuzzySearchEnd(nullptr, collect, nullptr), LV_BAD_ARGUMENT);
}

TEST(FuzzySearchExports, TooLongWordGives1059AndAnEmptyState)
{
    for (std::size_t length : {63u, 200u}) {
        const std::u16string word(length, u'a');
        FuzzyState* state = nullptr;
        EXPECT_EQ(FuzzySearchStart(&state, word.c_str(), 5), LV_WORD_TOO_LONG);
        ASSERT_NE(state, nullptr);
        EXPECT_EQ(FuzzySearchFeed(state, word.c_str(), static_cast<std::int32_t>(length + 1), 1), 0);
        EXPECT_EQ(FuzzySearchFeed(state, u"a", 2, 1), 0);
        std::vector<Reported> reported;
        EXPECT_EQ(FuzzySearchEnd(state, collect, &reported), 0);
        EXPECT_TRUE(reported.empty());
    }
    FuzzyState* state = nullptr;
    const std::u16string longest(62, u'a');
    ASSERT_EQ(FuzzySearchStart(&state, longest.c_str(), 5), 0);
    EXPECT_EQ(FuzzySearchFeed(state, longest.c_str(), 63, 1), 0);
    std::vector<Reported> reported;
    EXPECT_EQ(FuzzySearchEnd(state, collect, &reported), 0);
    EXPECT_EQ(reported, (std::vector<Reported>{{longest, 1}}));
}

} // namespace
