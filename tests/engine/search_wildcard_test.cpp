// Tests of the wildcard search: mask normalisation, character equality and
// the matcher, against a plain reference matcher on random masks and words.
#include "lexvane_engine.h"
#include "search/wildcard_list_search.h"
#include "search/wildcard_matcher.h"

#include <gtest/gtest.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

using lexvane::engine::CharacterEquality;
using lexvane::engine::SortTable;
using lexvane::engine::normaliseWildcardMask;
using lexvane::engine::StressMarks;
using lexvane::engine::WildcardMatcher;

// A few weights in the manner of the built-in table: accented letters share
// their base letter's weight, punctuation and digits weigh 0.
const SortTable kWeights(SortTable::Lookup::Bisection, 0,
                         {
                             {u'-', 0},        {u'.', 0},        {u'1', 0},        {u'A', 173},      {u'B', 174},
                             {u'C', 175},      {u'E', 177},      {u'a', 173},      {u'b', 174},      {u'c', 175},
                             {u'e', 177},      {u'g', 179},      {u'l', 184},      {u'n', 186},      {u'o', 187},
                             {u'r', 190},      {u't', 192},      {u'u', 193},      {u'\u00c9', 177}, {u'\u00e1', 173},
                             {u'\u00e9', 177}, {0x0435, 87},     {0x0451, 87},
                         },
                         {});

TEST(WildcardMask, Normalisation)
{
    struct Case {
        std::u16string mask;
        StressMarks stressMarks;
        std::u16string pattern;
    } cases[] = {
        {u"cat", StressMarks::Keep, u"*cat*"},
        {u"\"cat\"", StressMarks::Keep, u"cat"},
        {u"\"cat", StressMarks::Keep, u"cat*"},
        {u"cat\"", StressMarks::Keep, u"*cat"},
        {u"a**b", StressMarks::Keep, u"*a*b*"},
        {u"**a***", StressMarks::Keep, u"*a*"},
        {u"c?t", StressMarks::Keep, u"*c?t*"},
        {u"", StressMarks::Keep, u"*"},
        {u"\"", StressMarks::Keep, u"*"},
        {u"\"\"", StressMarks::Keep, u""},
        {u"a\"b", StressMarks::Keep, u"*a\"b*"},
        {u"\u043a\u0430\u0301\u0442", StressMarks::Remove, u"*\u043a\u0430\u0442*"},
        {u"\u043a\u0430\u0301\u0442", StressMarks::Keep, u"*\u043a\u0430\u0301\u0442*"},
        {u"\"\u0301", StressMarks::Remove, u"*"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(normaliseWildcardMask(c.mask, c.stressMarks), c.pattern)
            << std::string(c.mask.begin(), c.mask.end());
}

TEST(WildcardCharacterEquality, CasePartnersAndWeights)
{
    const CharacterEquality equality(&kWeights);
    struct Case {
        char16_t pattern;
        char16_t candidate;
        bool equal;
    } cases[] = {
        {u'a', u'a', true},        {u'a', u'A', true},        {u'Z', u'z', true},
        {u'a', u'b', false},       {u'[', u'{', false},      // 0x20 apart, but not letters
        {0x0410, 0x0430, true},    {0x042F, 0x044F, true},    {0x0401, 0x0451, false}, // Ё/ё lie outside the basic block
        {0x0391, 0x03B1, true},    {0x03A9, 0x03C9, true},    {0x03AA, 0x03CA, false},
        {u'e', u'\u00e9', true},   {u'\u00c9', u'e', true},   {0x0435, 0x0451, true},  // same weight
        {u'-', u'.', false},       {u'1', u'1', true},        {u'1', u'2', false},     // weight 0 equals only itself
        {u'x', u'y', false},       // absent from the table
    };
    for (const Case& c : cases) {
        EXPECT_EQ(equality.equal(c.pattern, c.candidate), c.equal) << int(c.pattern) << " " << int(c.candidate);
        EXPECT_EQ(equality.equal(c.candidate, c.pattern), c.equal) << int(c.pattern) << " " << int(c.candidate);
    }
    EXPECT_FALSE(CharacterEquality(nullptr).equal(u'e', u'\u00e9'));
    EXPECT_TRUE(CharacterEquality(nullptr).equal(u'E', u'e'));
}

bool matches(std::u16string_view mask, std::u16string_view headword, StressMarks stressMarks = StressMarks::Keep)
{
    return WildcardMatcher(normaliseWildcardMask(mask, stressMarks), &kWeights, stressMarks).matchesHeadword(headword);
}

TEST(WildcardMatcher, MasksOnHeadwords)
{
    struct Case {
        std::u16string mask;
        std::u16string headword;
        bool matches;
    } cases[] = {
        {u"cat", u"cat", true},
        {u"cat", u"catalogue", true},
        {u"cat", u"concatenate", true},
        {u"cat", u"dog", false},
        {u"\"cat\"", u"cat", true},
        {u"\"cat\"", u"Cat", true},
        {u"\"cat\"", u"CAT", true},
        {u"\"cat\"", u"catalogue", false},
        {u"\"cat", u"catalogue", true},
        {u"\"cat", u"concatenate", false},
        {u"cat\"", u"bobcat", true},
        {u"cat\"", u"cats", false},
        {u"c?t", u"cut", true},
        {u"c?t", u"scatter", true},
        {u"c?t", u"ct", false},
        {u"a**b", u"a--b", true},
        {u"a**b", u"ba", false},
        {u"\"caf\u00e9\"", u"cafe", true},
        {u"\"color\"", u"colour\tcolor", true},
        {u"\"colour\"", u"colour\tcolor", true},
        {u"\"\"", u"colour\t", false},   // an empty second form is not matched
        {u"\"\"", u"\tcolor", true},     // an empty first form is
        {u"\"a?\"", u"a", false},
        {u"\"*?ab\"", u"xaab", true},    // the '?' after a star is not consumed twice
        {u"\"*??b\"", u"xbb", true},
        {u"\"*??b\"", u"bb", false},
        {u"\"a*b*c\"", u"abbbc", true},
        {u"\"a*b*c\"", u"acb", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(matches(c.mask, c.headword), c.matches)
            << std::string(c.mask.begin(), c.mask.end()) << " / " << std::string(c.headword.begin(), c.headword.end());
}

TEST(WildcardMatcher, SetSearchIgnoresStressMarksOnBothSides)
{
    const std::u16string stressed = u"\u0437\u0430\u0301\u043c\u043e\u043a"; // за́мок
    const std::u16string plain = u"\u0437\u0430\u043c\u043e\u043a";
    EXPECT_TRUE(matches(u"\"" + plain + u"\"", stressed, StressMarks::Remove));
    EXPECT_TRUE(matches(u"\"" + stressed + u"\"", plain + u"\t" + stressed, StressMarks::Remove));
    EXPECT_FALSE(matches(u"\"" + plain + u"\"", stressed, StressMarks::Keep));
}

// More than 32 separate star pieces: one resumption point serves them all.
TEST(WildcardMatcher, ManyStarPiecesNeedNoStack)
{
    std::u16string mask = u"\"";
    for (int i = 0; i < 40; ++i)
        mask += u"*a";
    mask += u"\"";
    EXPECT_TRUE(matches(mask, std::u16string(40, u'a')));
    EXPECT_TRUE(matches(mask, std::u16string(1000, u'a')));
    EXPECT_TRUE(matches(mask, u"b" + std::u16string(45, u'a')));
    EXPECT_FALSE(matches(mask, std::u16string(39, u'a')));
    EXPECT_FALSE(matches(mask, std::u16string(40, u'a') + u"b"));
}

// The reference: whether pattern[p..] matches text[t..], by plain recursion
// over every way a star can end (memoised).
bool referenceMatch(std::u16string_view pattern, std::u16string_view text, const CharacterEquality& equality)
{
    std::vector<std::vector<int>> memo(pattern.size() + 1, std::vector<int>(text.size() + 1, -1));
    auto match = [&](auto& self, std::size_t p, std::size_t t) -> bool {
        int& known = memo[p][t];
        if (known >= 0)
            return known;
        bool result;
        if (p == pattern.size())
            result = t == text.size();
        else if (pattern[p] == u'*')
            result = self(self, p + 1, t) || (t < text.size() && self(self, p, t + 1));
        else
            result = t < text.size() && (pattern[p] == u'?' || equality.equal(pattern[p], text[t])) &&
                     self(self, p + 1, t + 1);
        known = result;
        return result;
    };
    return match(match, 0, 0);
}

// The matcher as first described: a stack of at most 32 star points, the
// '?'s after a star consumed once. nullopt when the stack would overflow.
std::optional<bool> stackMatch(std::u16string_view pattern, std::u16string_view text,
                               const CharacterEquality& equality)
{
    struct Point {
        std::size_t text;
        std::size_t pattern;
    };
    std::vector<Point> stack;
    std::size_t p = 0;
    std::size_t t = 0;
    auto advance = [&]() {
        if (p < pattern.size() && pattern[p] != u'*') {
            while (t < text.size() && !equality.equal(pattern[p], text[t]))
                ++t;
        }
        if (t < text.size())
            stack.push_back({t, p});
        return stack.size() <= 32;
    };
    for (;;) {
        bool mismatch = false;
        if (p == pattern.size()) {
            if (t == text.size())
                return true;
            mismatch = true;
        } else if (pattern[p] == u'*') {
            ++p;
            while (p < pattern.size() && pattern[p] == u'?' && t < text.size()) {
                ++p;
                ++t;
            }
            if (p < pattern.size() && pattern[p] == u'?')
                mismatch = true;
            else if (!advance())
                return std::nullopt;
        } else if (t < text.size() && (pattern[p] == u'?' || equality.equal(pattern[p], text[t]))) {
            ++p;
            ++t;
        } else {
            mismatch = true;
        }
        if (mismatch) {
            if (stack.empty())
                return false;
            const Point point = stack.back();
            stack.pop_back();
            t = point.text + 1;
            p = point.pattern;
            if (!advance())
                return std::nullopt;
        }
    }
}

TEST(WildcardMatcher, AgreesWithReferenceMatchersOnRandomMasks)
{
    const CharacterEquality equality(&kWeights);
    std::mt19937 random(5);
    const std::u16string maskLetters = u"abAB\u00e9-**??\"";
    const std::u16string wordLetters = u"abeAB\u00e9-\t";
    int withinStack = 0;
    for (int round = 0; round < 20000; ++round) {
        std::u16string mask(random() % 10, u'a');
        for (char16_t& c : mask)
            c = maskLetters[random() % maskLetters.size()];
        std::u16string word(random() % 12, u'a');
        for (char16_t& c : word)
            c = wordLetters[random() % wordLetters.size()];
        const WildcardMatcher matcher(normaliseWildcardMask(mask, StressMarks::Keep), &kWeights);
        const std::u16string& pattern = matcher.pattern();

        const std::size_t tab = word.find(u'\t');
        const std::u16string first = word.substr(0, tab);
        const std::u16string second = tab == std::u16string::npos ? u"" : word.substr(tab + 1);
        const bool expected = referenceMatch(pattern, first, equality) ||
                              (!second.empty() && referenceMatch(pattern, second, equality));
        ASSERT_EQ(matcher.matchesHeadword(word), expected)
            << "mask " << std::string(mask.begin(), mask.end()) << " word " << std::string(word.begin(), word.end());

        if (const std::optional<bool> stacked = stackMatch(pattern, first, equality)) {
            ++withinStack;
            ASSERT_EQ(matcher.matchesForm(first), *stacked)
                << "mask " << std::string(mask.begin(), mask.end()) << " form " << std::string(first.begin(), first.end());
        }
    }
    EXPECT_GT(withinStack, 10000);
}

} // namespace

namespace {

TEST(WildCardExports, MatchUnderTheBuiltInTable)
{
    struct Case {
        const char16_t* mask;
        const char16_t* candidate;
        int matches;
    } cases[] = {
        {u"cat", u"Concatenate", 1},
        {u"\"cafe\"", u"Caf\u00e9", 1},                 // accents share their letter's weight
        {u"\"\u0451\u0436\"", u"\u0415\u0416", 1},      // ё by weight, Ж by case
        {u"\"co-op\"", u"co.op", 0},                     // ignored characters equal only themselves
        {u"\"color\"", u"colour\tcolor", 1},
        {u"\"*heit\"", u"Freiheit", 1},
        {u"\"?\"", u"", 0},
    };
    for (const Case& c : cases) {
        WildCardPattern* pattern = WildCardStart(c.mask);
        ASSERT_NE(pattern, nullptr);
        EXPECT_EQ(WildCardFeed(pattern, c.candidate), c.matches);
        EXPECT_EQ(WildCardEnd(pattern), 0);
    }
    EXPECT_EQ(WildCardStart(nullptr), nullptr);
    WildCardPattern* pattern = WildCardStart(u"a");
    EXPECT_EQ(WildCardFeed(pattern, nullptr), 0);
    EXPECT_EQ(WildCardFeed(nullptr, u"a"), 0);
    EXPECT_EQ(WildCardEnd(pattern), 0);
    EXPECT_EQ(WildCardEnd(nullptr), 0);
}

} // namespace

// The walk of a merged word list.

namespace {

using lexvane::engine::searchWildcardList;
using lexvane::engine::WildcardSearchList;

// Groups of a merged list: each headword stands for `size` merged entries.
class FakeMergedList : public WildcardSearchList {
public:
    struct Group {
        std::u16string headword;
        std::int32_t size;
    };
    explicit FakeMergedList(std::vector<Group> groups) : m_groups(std::move(groups)) {}

    std::int32_t total() override
    {
        std::int32_t total = 0;
        for (const Group& group : m_groups)
            total += std::max<std::int32_t>(group.size, 1);
        return total;
    }
    int positionAt(std::int32_t index, std::u16string_view& headword, std::int32_t& groupSize) override
    {
        positions.push_back(index);
        std::int32_t start = 0;
        for (const Group& group : m_groups) {
            if (start == index) {
                if (group.headword == u"!")
                    return LV_OUT_OF_RANGE;
                headword = group.headword;
                groupSize = group.size;
                return 0;
            }
            start += std::max<std::int32_t>(group.size, 1);
        }
        ADD_FAILURE() << "positioned inside a group at " << index;
        return LV_OUT_OF_RANGE;
    }

    std::vector<std::int32_t> positions;

private:
    std::vector<Group> m_groups;
};

int collectWord(const char16_t* word, std::int32_t value, void* user)
{
    EXPECT_EQ(value, 0);
    static_cast<std::vector<std::u16string>*>(user)->push_back(word);
    return 0;
}

TEST(WildcardListSearch, ReportsEachMatchingGroupOnceInListOrder)
{
    FakeMergedList list({{u"cat", 2}, {u"catalogue", 1}, {u"dog", 3}, {u"\u0437\u0430\u0301\u043c\u043e\u043a", 1},
                         {u"colour\tcolor", 0}, {u"concatenate", 1}});
    std::vector<std::u16string> found;
    EXPECT_EQ(searchWildcardList(list, &kWeights, u"cat", 100, collectWord, &found), 0);
    EXPECT_EQ(found, (std::vector<std::u16string>{u"cat", u"catalogue", u"concatenate"}));
    EXPECT_EQ(list.positions, (std::vector<std::int32_t>{0, 2, 3, 6, 7, 8}));

    found.clear();
    EXPECT_EQ(searchWildcardList(list, &kWeights, u"\"\u0437\u0430\u043c\u043e\u0301\u043a\"", 100, collectWord, &found),
              0);
    EXPECT_EQ(found, (std::vector<std::u16string>{u"\u0437\u0430\u0301\u043c\u043e\u043a"}));

    found.clear();
    EXPECT_EQ(searchWildcardList(list, &kWeights, u"\"color\"", 100, collectWord, &found), 0);
    EXPECT_EQ(found, (std::vector<std::u16string>{u"colour\tcolor"}));
}

TEST(WildcardListSearch, LimitAndFailures)
{
    FakeMergedList list({{u"cat", 1}, {u"bobcat", 1}, {u"!", 1}, {u"scatter", 1}});
    std::vector<std::u16string> found;
    EXPECT_EQ(searchWildcardList(list, &kWeights, u"cat", 1, collectWord, &found), LV_STOPPED);
    EXPECT_EQ(found, (std::vector<std::u16string>{u"cat"}));

    found.clear();
    EXPECT_EQ(searchWildcardList(list, &kWeights, u"cat", 0, collectWord, &found), LV_STOPPED);
    EXPECT_TRUE(found.empty());

    // A positioning failure ends the search with its status.
    found.clear();
    EXPECT_EQ(searchWildcardList(list, &kWeights, u"cat", 100, collectWord, &found), LV_OUT_OF_RANGE);
    EXPECT_EQ(found, (std::vector<std::u16string>{u"cat", u"bobcat"}));

    FakeMergedList empty({});
    EXPECT_EQ(searchWildcardList(empty, &kWeights, u"cat", 100, nullptr, nullptr), 0);
}

} // namespace
