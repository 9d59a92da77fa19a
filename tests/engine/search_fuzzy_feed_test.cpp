// Tests of feeding a fuzzy search from headwords, from a compressed word
// list, and of DicFuzzySearch over a dictionary's operation table.
#include "frame/dictionary_record.h"
#include "search/fuzzy_dictionaries.h"
#include "search/fuzzy_feed.h"
#include "search_reference.h"
#include "word_list_writer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using lexvane::testing::Kept;
using lexvane::testing::keptOf;
using lexvane::engine::DictionaryOps;
using lexvane::engine::DictionaryState;
using lexvane::engine::WordListDecoder;

TEST(FuzzyFeed, HeadwordFormsKeepTheWholeHeadwordOnce)
{
    FuzzyState state;
    ASSERT_EQ(state.start(u"color", 10), 0);
    ASSERT_EQ(lexvane::engine::offerHeadword(state, u"colour\tcolor", 9), 0);
    ASSERT_EQ(lexvane::engine::offerHeadword(state, u"cooler\t", 9), 0);   // empty second form
    ASSERT_EQ(lexvane::engine::offerHeadword(state, u"\tcolon", 9), 0);    // empty first form is compared
    ASSERT_EQ(lexvane::engine::offerHeadword(state, u"dolor", 9), 0);
    // "colour\tcolor" once, at its second form's distance; "\tcolon": its
    // empty first form is 5 away, its second 1.
    EXPECT_EQ(keptOf(state), (std::vector<Kept>{{u"colour\tcolor", 0, 9}, {u"\tcolon", 1, 9}, {u"dolor", 1, 9},
                                                {u"cooler\t", 2, 9}}));
}

TEST(FuzzyFeed, HeadwordsStopAtTheStopFlagAndAtReadFailures)
{
    const std::vector<std::u16string> words = {u"house", u"hose", u"mouse", u"louse"};
    FuzzyState state;
    ASSERT_EQ(state.start(u"house", 10), 0);
    int reads = 0;
    auto read = [&](std::int32_t index, std::u16string_view& headword) {
        ++reads;
        headword = words[static_cast<std::size_t>(index)];
        if (index == 1)
            state.requestStop();
        return 0;
    };
    EXPECT_EQ(lexvane::engine::feedHeadwords(state, 4, read, 1), 0);
    EXPECT_EQ(reads, 2);
    EXPECT_EQ(state.results().size(), 2u);

    FuzzyState failing;
    ASSERT_EQ(failing.start(u"house", 10), 0);
    auto broken = [&](std::int32_t index, std::u16string_view& headword) {
        headword = words[static_cast<std::size_t>(index)];
        return index == 2 ? int{LV_NOT_PRESENT} : 0;
    };
    EXPECT_EQ(lexvane::engine::feedHeadwords(failing, 4, broken, 1), LV_NOT_PRESENT);
    EXPECT_EQ(failing.results().size(), 2u);
}

TEST(FuzzyFeed, WordListGivesWhatTheWordsGive)
{
    const std::vector<std::u16string> words = {u"hose", u"house", u"houses", u"how", u"mouse", u"zebra"};
    const std::vector<std::uint8_t> compressed =
        lexvane::tools::deflateRaw(*lexvane::tools::frontCodeWords16(words));
    auto source = [&](std::uint16_t id, std::span<const std::uint8_t>& chunk) {
        const std::size_t offset = id * std::size_t{3};
        if (offset >= compressed.size())
            return int{LV_NOT_PRESENT};
        chunk = std::span(compressed).subspan(offset, std::min<std::size_t>(3, compressed.size() - offset));
        return int{LV_OK};
    };
    FuzzyState fromList;
    ASSERT_EQ(fromList.start(u"house", 10), 0);
    EXPECT_EQ(lexvane::engine::feedWordList(fromList, source, WordListDecoder::UnitSize::Utf16, {}, 4), 0);
    FuzzyState direct;
    ASSERT_EQ(direct.start(u"house", 10), 0);
    for (const std::u16string& word : words)
        ASSERT_EQ(direct.offer(word, word, 4), 0);
    EXPECT_EQ(keptOf(fromList), keptOf(direct));
    EXPECT_EQ(fromList.results().size(), 5u);

    FuzzyState stopped;
    ASSERT_EQ(stopped.start(u"house", 10), 0);
    stopped.requestStop();
    EXPECT_EQ(lexvane::engine::feedWordList(stopped, source, WordListDecoder::UnitSize::Utf16, {}, 4), 0);
    EXPECT_TRUE(stopped.results().empty());
}

// A dictionary that feeds fixed headwords through its operation table.
struct FakeDictionary : DictionaryState {
    FakeDictionary() : DictionaryState(0) {}
    std::vector<std::u16string> headwords;
    int feedStatus = 0;
    std::int32_t key = 0x31303030;
};

int feedFake(DictionaryRecord& record, FuzzyState* state)
{
    const auto& fake = static_cast<const FakeDictionary&>(*record.state);
    for (const std::u16string& headword : fake.headwords)
        lexvane::engine::offerHeadword(*state, headword, fake.key);
    return fake.feedStatus;
}

struct Reported {
    std::u16string word;
    int distance;
    int value;
    bool operator==(const Reported&) const = default;
};

int collectResult(const char16_t* word, std::int32_t value, void* user)
{
    // The word is the first field of the kept result.
    const auto* result = reinterpret_cast<const FuzzyResult*>(word);
    static_cast<std::vector<Reported>*>(user)->push_back({word, result->distance, value});
    return 0;
}

class DicFuzzySearchTest : public ::testing::Test {
protected:
    DicFuzzySearchTest()
    {
        m_ops.feedFuzzy = feedFake;
        m_record.ops = &m_ops;
        auto fake = std::make_unique<FakeDictionary>();
        m_fake = fake.get();
        m_fake->headwords = {u"hose", u"house", u"colour\thouse", u"zebra"};
        m_record.state = std::move(fake);
    }

    DictionaryOps m_ops{};
    DictionaryRecord m_record;
    FakeDictionary* m_fake = nullptr;
};

TEST_F(DicFuzzySearchTest, ReportsResultsBestFirst)
{
    std::vector<Reported> reported;
    EXPECT_EQ(DicFuzzySearch(&m_record, u"house", 2, collectResult, &reported), 0);
    EXPECT_EQ(reported, (std::vector<Reported>{{u"house", 0, 0}, {u"colour\thouse", 0, 0}}));
}

TEST_F(DicFuzzySearchTest, FeedFailureStillReportsWhatWasKept)
{
    m_fake->feedStatus = LV_NOT_PRESENT;
    std::vector<Reported> reported;
    EXPECT_EQ(DicFuzzySearch(&m_record, u"hose", 5, collectResult, &reported), LV_NOT_PRESENT);
    EXPECT_EQ(reported.size(), 3u);
}

TEST_F(DicFuzzySearchTest, RefusesBadArguments)
{
    std::vector<Reported> reported;
    EXPECT_EQ(DicFuzzySearch(nullptr, u"house", 5, collectResult, &reported), LV_NULL_HANDLE);
    EXPECT_EQ(DicFuzzySearch(&m_record, nullptr, 5, collectResult, &reported), LV_BAD_ARGUMENT);
    EXPECT_EQ(DicFuzzySearch(&m_record, u"house", -1, collectResult, &reported), LV_BAD_ARGUMENT);
    const std::u16string tooLong(63, u'a');
    EXPECT_EQ(DicFuzzySearch(&m_record, tooLong.c_str(), 5, collectResult, &reported), LV_WORD_TOO_LONG);
    EXPECT_TRUE(reported.empty());
    EXPECT_EQ(DicFuzzySearch(&m_record, u"house", 5, nullptr, nullptr), 0);
}

// Several dictionaries, as a set feeds its members.
TEST(FuzzyDictionaries, FeedsInTurnUntilOneFails)
{
    DictionaryOps ops{};
    ops.feedFuzzy = feedFake;
    DictionaryRecord records[3];
    const std::int32_t keys[3] = {1, 2, 3};
    for (int i = 0; i < 3; ++i) {
        auto fake = std::make_unique<FakeDictionary>();
        fake->headwords = {u"hose", u"house"};
        fake->key = keys[i];
        records[i].ops = &ops;
        records[i].state = std::move(fake);
    }
    DictionaryRecord* members[4] = {&records[0], nullptr, &records[1], &records[2]};

    FuzzyState state;
    ASSERT_EQ(state.start(u"house", 10), 0);
    EXPECT_EQ(lexvane::engine::feedDictionaries(state, members), 0);
    // The same headword of two dictionaries is kept for each.
    EXPECT_EQ(keptOf(state), (std::vector<Kept>{{u"house", 0, 1}, {u"house", 0, 2}, {u"house", 0, 3},
                                                {u"hose", 1, 1}, {u"hose", 1, 2}, {u"hose", 1, 3}}));

    static_cast<FakeDictionary&>(*records[1].state).feedStatus = LV_NOT_PRESENT;
    ASSERT_EQ(state.start(u"house", 10), 0);
    EXPECT_EQ(lexvane::engine::feedDictionaries(state, members), LV_NOT_PRESENT);
    EXPECT_EQ(state.results().size(), 4u); // the third dictionary is not fed

    ASSERT_EQ(state.start(u"house", 10), 0);
    state.requestStop();
    EXPECT_EQ(lexvane::engine::feedDictionaries(state, members), 0);
    EXPECT_TRUE(state.results().empty());
}

} // namespace
