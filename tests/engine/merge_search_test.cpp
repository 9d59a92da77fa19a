// Tests of the searches over a set: the wildcard walk against every
// group's headword matched one by one, its limit, the kept group headwords
// that later searches replay, and the fuzzy search against one state fed
// with every member's headwords in turn.
#include "search_reference.h"
#include "merge_fixture.h"
#include "search/wildcard_matcher.h"

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

// Random members for the kept-headword tests: words over a few letters,
// some with a stress mark, some of two forms, each member sorted as the set
// sorts (table, then code units), members sharing many words.
std::vector<std::vector<std::u16string>> randomMembers(std::mt19937& random, std::size_t members)
{
    const auto randomForm = [&](std::size_t length) {
        std::u16string form;
        for (std::size_t i = 0; i < length; ++i) {
            form.push_back(u"abcehst"[random() % 7]);
            if (random() % 15 == 0)
                form.push_back(lexvane::engine::kStressMark);
        }
        return form;
    };
    std::vector<std::u16string> pool;
    for (int i = 0; i < 400; ++i) {
        std::u16string word = randomForm(1 + random() % 9);
        if (random() % 8 == 0)
            word += u"\t" + randomForm(random() % 6);
        pool.push_back(word);
    }
    std::vector<std::vector<std::u16string>> words(members);
    for (auto& member : words) {
        for (const std::u16string& word : pool)
            if (random() % 3 != 0)
                member.push_back(word);
        std::sort(member.begin(), member.end(), [](const std::u16string& a, const std::u16string& b) {
            return lexvane::testing::referenceOrder(a, b) < 0;
        });
        member.erase(std::unique(member.begin(), member.end()), member.end());
    }
    return words;
}

std::string narrow(const std::u16string& word)
{
    std::string utf8;
    for (char16_t c : word) {
        if (c < 0x80) {
            utf8.push_back(static_cast<char>(c));
        } else {
            utf8.push_back(static_cast<char>(0xC0 | c >> 6));
            utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
        }
    }
    return utf8;
}

// Masks with and without a literal prefix or suffix, with '?', stars and
// stress marks.
std::u16string randomMask(std::mt19937& random)
{
    std::u16string mask;
    if (random() % 3 == 0)
        mask.push_back(u'"');
    for (std::size_t n = 1 + random() % 4; n > 0; --n) {
        mask.push_back(u"abcehst?*"[random() % 9]);
        if (random() % 10 == 0)
            mask.push_back(lexvane::engine::kStressMark);
    }
    if (random() % 3 == 0)
        mask.push_back(u'"');
    return mask;
}

// The groups of the reference merge that match `mask` as the set search
// matches: stress marks removed on both sides.
std::vector<std::u16string> referenceMatches(const std::vector<ReferenceEntry>& merged, const std::u16string& mask)
{
    using namespace lexvane::engine;
    const WildcardMatcher matcher(normaliseWildcardMask(mask, StressMarks::Remove), &builtInSortTable(),
                                  StressMarks::Remove);
    std::vector<std::u16string> matches;
    for (const ReferenceEntry& entry : merged)
        if (!entry.shown.empty() && matcher.matchesHeadword(entry.shown))
            matches.push_back(entry.shown);
    return matches;
}

TEST(MergeWildcard, KeptHeadwordsGiveWhatTheWalkGives)
{
    std::mt19937 random(23);
    for (std::size_t members : {1u, 4u}) {
        for (int round = 0; round < 4; ++round) {
            TemporaryFolder folder;
            const std::vector<std::vector<std::u16string>> words = randomMembers(random, members);
            OpenSet set(static_cast<int>(members));
            for (std::size_t m = 0; m < members; ++m) {
                std::vector<std::string> utf8;
                for (const std::u16string& word : words[m])
                    utf8.push_back(narrow(word));
                const std::string id = "0A1" + std::string(1, static_cast<char>('A' + m));
                ASSERT_EQ(MrgAdd(set.handle, -1, writeMember(folder, memberSpec(id, utf8)).c_str()), LV_OK);
            }
            const std::vector<ReferenceEntry> merged = lexvane::testing::referenceMerge(words);
            for (int m = 0; m < 12; ++m) {
                const std::u16string mask = randomMask(random);
                const std::string name = narrow(mask) + " members " + std::to_string(members);
                const std::vector<std::u16string> expected = referenceMatches(merged, mask);
                // The first search of a set may stop at its limit part way:
                // the next one replays the groups kept so far and walks on.
                const std::int32_t limits[] = {1 + static_cast<std::int32_t>(random() % 6), 1000000, 1000000, 2};
                for (std::int32_t limit : limits) {
                    std::vector<std::u16string> found;
                    const int status = MrgSearchWildCard(set.handle, mask.c_str(), limit, collectWord, &found);
                    const auto reported = std::min<std::size_t>(expected.size(), static_cast<std::size_t>(limit));
                    EXPECT_EQ(status, expected.size() >= static_cast<std::size_t>(limit) ? LV_STOPPED : LV_OK)
                        << name;
                    EXPECT_EQ(found, std::vector<std::u16string>(expected.begin(), expected.begin() + reported))
                        << name << " limit " << limit;
                }
            }
            // The set still reads where the list is read next.
            EXPECT_EQ(set.headword(0), merged[0].shown);
        }
    }
}

TEST(MergeWildcard, KeptHeadwordsAreForgottenWhenAMemberJoins)
{
    TemporaryFolder folder;
    OpenSet set(3);
    ASSERT_EQ(MrgAdd(set.handle, -1, writeMember(folder, memberSpec("0A1B", {"cat", "dog"})).c_str()), LV_OK);
    ASSERT_EQ(MrgAdd(set.handle, -1, writeMember(folder, memberSpec("0C2D", {"bobcat", "dog"})).c_str()), LV_OK);
    std::vector<std::u16string> found;
    EXPECT_EQ(MrgSearchWildCard(set.handle, u"cat", 100, collectWord, &found), LV_OK);
    EXPECT_EQ(found, (std::vector<std::u16string>{u"bobcat", u"cat"}));
    ASSERT_EQ(MrgAdd(set.handle, -1, writeMember(folder, memberSpec("0E3F", {"catalogue", "dog"})).c_str()), LV_OK);
    found.clear();
    EXPECT_EQ(MrgSearchWildCard(set.handle, u"cat", 100, collectWord, &found), LV_OK);
    EXPECT_EQ(found, (std::vector<std::u16string>{u"bobcat", u"cat", u"catalogue"}));
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
