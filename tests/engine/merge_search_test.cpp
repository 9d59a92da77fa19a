// Tests of the searches over a set: the wildcard walk against every
// group's headword matched one by one, its limit, and the fuzzy search
// against one state fed with every member's headwords in turn.
#include "search_reference.h"
#include "merge_fixture.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using lexvane::testing::Kept;
using lexvane::testing::memberSpec;
using lexvane::testing::OpenSet;
using lexvane::testing::ReferenceEntry;
using lexvane::testing::TemporaryFolder;
using lexvane::testing::widen;
using lexvane::testing::writeMember;

struct ThreeMembers {
    TemporaryFolder folder;
    std::vector<std::vector<std::u16string>> words;
    std::vector<std::string> ids = {"0A1B", "0C2D", "0E3F"};
    OpenSet set{3};

    ThreeMembers()
    {
        const std::vector<std::string> latin = {"a", "b", "c", "d", "e", "o", "s", "t"};
        const std::vector<std::string> pool = lexvane::testing::sampleWords(600, 17, latin);
        std::mt19937 random(4);
        for (const std::string& id : ids) {
            std::vector<std::string> chosen;
            words.emplace_back();
            for (const std::string& word : pool)
                if (random() % 2) {
                    chosen.push_back(word);
                    words.back().push_back(widen(word));
                }
            MrgAdd(set.handle, -1, writeMember(folder, memberSpec(id, chosen)).c_str());
        }
    }
};

int collectWord(const char16_t* word, std::int32_t value, void* user)
{
    EXPECT_EQ(value, 0);
    static_cast<std::vector<std::u16string>*>(user)->push_back(word);
    return 0;
}

TEST(MergeWildcard, ReportsEveryMatchingGroupOnceInListOrder)
{
    ThreeMembers data;
    const std::vector<ReferenceEntry> merged = lexvane::testing::referenceMerge(data.words);
    for (const char16_t* mask : {u"*ab*", u"\"b?c*", u"*tt\"", u"a*e*o", u"qq", u"*"}) {
        std::vector<std::u16string> expected;
        WildCardPattern* pattern = WildCardStart(mask);
        for (const ReferenceEntry& entry : merged)
            if (!entry.shown.empty() && WildCardFeed(pattern, entry.shown.c_str()))
                expected.push_back(entry.shown);
        WildCardEnd(pattern);

        std::vector<std::u16string> found;
        const int status = MrgSearchWildCard(data.set.handle, mask, 100000, collectWord, &found);
        EXPECT_EQ(status, LV_OK);
        EXPECT_EQ(found, expected) << std::string(mask, mask + std::char_traits<char16_t>::length(mask));

        if (expected.size() > 3) {
            found.clear();
            EXPECT_EQ(MrgSearchWildCard(data.set.handle, mask, 3, collectWord, &found), LV_STOPPED);
            EXPECT_EQ(found, std::vector<std::u16string>(expected.begin(), expected.begin() + 3));
        }
    }
    std::vector<std::u16string> found;
    EXPECT_EQ(MrgSearchWildCard(data.set.handle, u"*", 0, collectWord, &found), LV_STOPPED);
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(MrgSearchWildCard(nullptr, u"*", 5, collectWord, &found), LV_NULL_HANDLE);
    EXPECT_EQ(MrgSearchWildCard(data.set.handle, nullptr, 5, collectWord, &found), LV_NULL_ARGUMENT);
    // The walk leaves the set usable where the list is read next.
    EXPECT_EQ(data.set.headword(0), merged[0].shown);
}

int collectResult(const char16_t* word, std::int32_t, void* user)
{
    const auto* result = reinterpret_cast<const FuzzyResult*>(word);
    static_cast<std::vector<Kept>*>(user)->push_back({word, result->distance, result->key});
    return 0;
}

int collectKeyed(const char16_t* word, std::int32_t key, void* user)
{
    const auto* result = reinterpret_cast<const FuzzyResult*>(word);
    static_cast<std::vector<Kept>*>(user)->push_back({word, result->distance, key});
    return 0;
}

TEST(MergeFuzzy, EqualsOneStateFedWithEveryMemberInTurn)
{
    ThreeMembers data;
    const std::vector<ReferenceEntry> merged = lexvane::testing::referenceMerge(data.words);
    data.set.headword(static_cast<std::int32_t>(merged.size()) - 1); // the set stands at its end
    for (const std::u16string& query : {std::u16string(u"abc"), std::u16string(u"stoat"), std::u16string(u"e")}) {
        FuzzyState* state = nullptr;
        ASSERT_EQ(FuzzySearchStart(&state, query.c_str(), 10), LV_OK);
        for (std::size_t m = 0; m < data.words.size(); ++m)
            for (const std::u16string& word : data.words[m])
                FuzzySearchFeed(state, word.c_str(), static_cast<std::int32_t>(word.size() + 1),
                                lexvane::testing::languageCode(data.ids[m]));
        std::vector<Kept> expected;
        FuzzySearchEnd(state, collectKeyed, &expected);

        std::vector<Kept> found;
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(MrgFuzzySearch(data.set.handle, query.c_str(), 10, collectResult, &found), LV_OK);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "MergeGetWordByTextW");
        EXPECT_EQ(found, expected) << std::string(query.begin(), query.end());
        EXPECT_FALSE(found.empty());
    }
    // The set stands at its start, and reads on correctly from there.
    for (std::int32_t i = 0; i < 40; ++i)
        ASSERT_EQ(data.set.headword(i), merged[static_cast<std::size_t>(i)].shown) << i;

    std::vector<Kept> found;
    EXPECT_EQ(MrgFuzzySearch(data.set.handle, std::u16string(63, u'a').c_str(), 10, collectResult, &found),
              LV_WORD_TOO_LONG);
    EXPECT_TRUE(found.empty());
    EXPECT_EQ(MrgFuzzySearch(data.set.handle, u"a", -1, collectResult, &found), LV_BAD_ARGUMENT);
    EXPECT_EQ(MrgFuzzySearch(data.set.handle, nullptr, 5, collectResult, &found), LV_BAD_ARGUMENT);
    EXPECT_EQ(MrgFuzzySearch(nullptr, u"a", 5, collectResult, &found), LV_NULL_HANDLE);
}

} // namespace
