// Tests of dictionary sets: the merge against a brute-force merge at every
// position, at random jumps and for searches; groups, members, languages,
// the completion of sets whose adds failed, word-list changes, exact
// search, and members read from outside the set.
#include "merge_fixture.h"

#include "merge/merge_record.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using lexvane::testing::memberSpec;
using lexvane::testing::writeMember;
using lexvane::testing::languageCode;
using lexvane::testing::MemberSpec;
using lexvane::testing::OpenSet;
using lexvane::testing::ReferenceEntry;
using lexvane::testing::TemporaryFolder;
using lexvane::testing::widen;

std::string memberId(std::size_t m)
{
    char id[5];
    std::snprintf(id, sizeof id, "%04X", static_cast<unsigned>(0x1000 + m));
    return id;
}

// `members` members drawing overlapping words from one pool.
struct RandomSet {
    TemporaryFolder folder;
    std::vector<std::string> paths;
    std::vector<std::vector<std::u16string>> words;
    std::vector<std::u16string> pool;

    RandomSet(std::size_t members, std::size_t poolSize, double share, unsigned seed)
    {
        const std::vector<std::string> latin = {"a", "b", "c", "d", "e", "o", "s", "t"};
        const std::vector<std::string> source = lexvane::testing::sampleWords(poolSize, seed, latin);
        for (const std::string& word : source)
            pool.push_back(widen(word));
        std::mt19937 random(seed + 1);
        std::bernoulli_distribution take(share);
        for (std::size_t m = 0; m < members; ++m) {
            MemberSpec spec;
            spec.id = memberId(m);
            spec.quickAccessInterval = 2 + static_cast<std::int32_t>(m % 5);
            words.emplace_back();
            for (const std::string& word : source)
                if (take(random)) {
                    spec.words.push_back(word);
                    words.back().push_back(widen(word));
                }
            paths.push_back(writeMember(folder, spec));
        }
    }
};

void expectEntry(OpenSet& set, const std::vector<ReferenceEntry>& merged, std::int32_t index)
{
    const ReferenceEntry& expected = merged[static_cast<std::size_t>(index)];
    ASSERT_EQ(set.headword(index), expected.shown) << "index " << index;
    std::uint32_t mask = 0;
    std::int32_t values[32];
    ASSERT_EQ(MrgGetDicMask(set.handle, index, &mask, values), LV_OK);
    EXPECT_EQ(mask, expected.mask) << "index " << index;
    std::int32_t size = 0;
    ASSERT_EQ(MrgGetTranslationCount(set.handle, index, &size), LV_OK);
    EXPECT_EQ(size, expected.groupSize) << "index " << index;
}

TEST(MergeSet, MatchesTheBruteForceMergeEverywhere)
{
    struct Case {
        std::size_t members;
        std::size_t pool;
        double share;
    } cases[] = {{1, 300, 0.9}, {2, 400, 0.6}, {5, 500, 0.5}, {32, 400, 0.3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.members);
        RandomSet data(c.members, c.pool, c.share, static_cast<unsigned>(c.members * 7));
        OpenSet set(static_cast<int>(c.members));
        ASSERT_EQ(set.status, LV_OK);
        for (const std::string& path : data.paths)
            ASSERT_EQ(MrgAdd(set.handle, -1, path.c_str()), LV_OK);
        const std::vector<ReferenceEntry> merged = lexvane::testing::referenceMerge(data.words);
        ASSERT_EQ(set.count(), static_cast<std::int32_t>(merged.size()));

        for (std::int32_t i = 0; i < set.count(); ++i)
            expectEntry(set, merged, i);

        std::mt19937 random(99);
        std::uniform_int_distribution<std::int32_t> anywhere(0, set.count() - 1);
        for (int jump = 0; jump < 300; ++jump)
            expectEntry(set, merged, anywhere(random));
        // Backwards from the end, as a list scrolled up.
        for (std::int32_t i = set.count() - 1; i >= std::max(0, set.count() - 120); --i)
            expectEntry(set, merged, i);

        std::vector<std::u16string> queries = {u"a", u"zzz", u"b-", u"tt", u"o", u"AB"};
        for (int q = 0; q < 60; ++q) {
            const std::u16string& word = data.pool[static_cast<std::size_t>(random()) % data.pool.size()];
            // Typed letter by letter, then one letter more.
            for (std::size_t length = 1; length <= word.size(); ++length)
                queries.push_back(word.substr(0, length));
            queries.push_back(word + u"a");
        }
        for (const std::u16string& query : queries) {
            const std::int32_t expected = lexvane::testing::referenceSearch(merged, query);
            EXPECT_EQ(set.search(query), expected) << std::string(query.begin(), query.end());
            EXPECT_EQ(set.headword(expected), merged[static_cast<std::size_t>(expected)].shown);
            EXPECT_EQ(set.search(query, true), expected);
        }
    }
}

TEST(MergeSet, EightBitAndUtf8MembersMergeByTheirWideHeadwords)
{
    TemporaryFolder folder;
    const lexvane::tools::DictionarySource narrow = lexvane::testing::sampleSource(700, 21, false, 1);
    lexvane::tools::CompileOptions options;
    options.quickAccessInterval = 5;
    const std::string narrowPath = lexvane::testing::writeCompiled(folder, "dict0A1B.prc", narrow, options);
    std::vector<std::vector<std::u16string>> words(2);
    MemberSpec wide = memberSpec("0C2D", {});
    for (const lexvane::tools::SourceEntry& entry : narrow.entries) {
        words[0].push_back(lexvane::testing::widenCodePage(entry.headword));
        if (words[0].size() % 3 == 0) { // every third word in both members
            std::string utf8; // the letters lie below U+0800
            for (char16_t c : words[0].back()) {
                if (c < 0x80) {
                    utf8.push_back(static_cast<char>(c));
                } else {
                    utf8.push_back(static_cast<char>(0xC0 | (c >> 6)));
                    utf8.push_back(static_cast<char>(0x80 | (c & 0x3F)));
                }
            }
            wide.words.push_back(utf8);
            words[1].push_back(words[0].back());
        }
    }
    const std::string widePath = writeMember(folder, wide);
    OpenSet set(2);
    MrgAdd(set.handle, -1, narrowPath.c_str());
    MrgAdd(set.handle, -1, widePath.c_str());
    const std::vector<ReferenceEntry> merged = lexvane::testing::referenceMerge(words);
    ASSERT_EQ(set.count(), static_cast<std::int32_t>(merged.size()));
    std::mt19937 random(8);
    for (int jump = 0; jump < 200; ++jump)
        expectEntry(set, merged, static_cast<std::int32_t>(random() % merged.size()));
    for (std::int32_t i = 0; i < set.count(); ++i)
        expectEntry(set, merged, i);
    // The 8-bit member's letters are in the set's alphabet by their code page.
    EXPECT_EQ(MrgCountLang(set.handle, u"абв"), 3);
}

// Quick-access prefixes are the first eight units of a headword; when they
// cut a contraction in two ("ch" sorting before "c"), a prefix sorts after
// its own headword and misleads the seek's estimate.
TEST(MergeSet, PrefixesThatSortAfterTheirHeadwordsDoNotMisleadJumps)
{
    using lexvane::engine::SortTable;
    SortTable::Contraction c{{u'c', 0, 0, 0}, {10, 0, 0, 0}};
    SortTable::Contraction ch{{u'c', u'h', 0, 0}, {2, 0, 0, 0}};
    SortTable table(SortTable::Lookup::Bisection, 0,
                    {{u'a', 1}, {u'c', SortTable::kContractionFlag}, {u'h', 5}}, {c, ch});
    table.renumberContractions();
    std::vector<std::u16string> all;
    const std::u16string letters = u"ahc";
    for (const std::u16string& head : {std::u16string(u"aaaaaaach"), std::u16string(u"aaaaaaaa"),
                                       std::u16string(u"aaaaaaah"), std::u16string(u"aaaaaaac")})
        for (char16_t x : letters)
            for (char16_t y : letters)
                for (char16_t z : letters)
                    all.push_back(head + x + y + z);
    std::sort(all.begin(), all.end(), [&](const std::u16string& a, const std::u16string& b) {
        return lexvane::testing::referenceOrder(a, b, table) < 0;
    });
    all.erase(std::unique(all.begin(), all.end()), all.end());

    TemporaryFolder folder;
    std::vector<std::vector<std::u16string>> words(2);
    OpenSet set(2);
    std::mt19937 random(12);
    for (std::size_t m = 0; m < 2; ++m) {
        MemberSpec spec = memberSpec(memberId(m), {});
        std::string error;
        ASSERT_TRUE(lexvane::tools::writeSortTable(table, spec.sortTable, error)) << error;
        spec.quickAccessInterval = 2;
        for (const std::u16string& word : all)
            if (random() % 3) {
                words[m].push_back(word);
                spec.words.emplace_back(word.begin(), word.end());
            }
        MrgAdd(set.handle, -1, writeMember(folder, spec).c_str());
    }
    const std::vector<ReferenceEntry> merged = lexvane::testing::referenceMerge(words, table);
    ASSERT_EQ(set.count(), static_cast<std::int32_t>(merged.size()));
    for (int jump = 0; jump < 300; ++jump)
        expectEntry(set, merged, static_cast<std::int32_t>(random() % merged.size()));
}

TEST(MergeSet, RandomJumpsInALargeSetGoThroughCheckpoints)
{
    RandomSet data(4, 3000, 0.7, 5);
    OpenSet set(4);
    for (const std::string& path : data.paths)
        MrgAdd(set.handle, -1, path.c_str());
    const std::vector<ReferenceEntry> merged = lexvane::testing::referenceMerge(data.words);
    std::mt19937 random(3);
    std::uniform_int_distribution<std::int32_t> anywhere(0, set.count() - 1);
    for (int jump = 0; jump < 200; ++jump) {
        const std::int32_t index = anywhere(random);
        expectEntry(set, merged, index);
        // A few rows on, as a list shows them.
        for (std::int32_t row = index + 1; row < std::min(index + 20, set.count()); ++row)
            ASSERT_EQ(set.headword(row), merged[static_cast<std::size_t>(row)].shown);
    }
    EXPECT_GT(set.handle->checkpointCount(), 0u);
    EXPECT_LE(set.handle->checkpointCount(), lexvane::engine::CheckpointCache::kCapacity);
}

TEST(MergeSet, IdenticalHeadwordsJoinAndCaseVariantsStayApart)
{
    TemporaryFolder folder;
    const std::string first = writeMember(folder, memberSpec("0A1B", {"Apple", "apple", "pear"}));
    const std::string second = writeMember(folder, memberSpec("0C2D", {"apple", "quince"}));
    OpenSet set(2);
    MrgAdd(set.handle, -1, first.c_str());
    MrgAdd(set.handle, -1, second.c_str());
    ASSERT_EQ(set.count(), 5);
    // "Apple" sorts equal to "apple" under the table and first by code units.
    const std::u16string expected[] = {u"Apple", u"apple", u"", u"pear", u"quince"};
    for (std::int32_t i = 0; i < 5; ++i)
        EXPECT_EQ(set.headword(i), expected[i]) << i;
    std::uint32_t mask = 0;
    std::int32_t values[32];
    ASSERT_EQ(MrgGetDicMask(set.handle, 1, &mask, values), LV_OK);
    EXPECT_EQ(mask, 3u);
    EXPECT_EQ(values[0], 1); // "apple" is entry 1 of the first member
    EXPECT_EQ(values[1], 0);
    EXPECT_EQ(values[2], 0);
    std::int32_t size = 0;
    EXPECT_EQ(MrgGetTranslationCount(set.handle, 2, &size), LV_OK);
    EXPECT_EQ(size, 2);

    // Search lands on the first of the equal words; exact search prefers
    // the identical one.
    EXPECT_EQ(set.search(u"apple"), 0);
    EXPECT_EQ(set.search(u"apple", true), 1);
    EXPECT_EQ(set.search(u"APPLE", true), 0) << "no identical word: the first found group";
    EXPECT_EQ(set.search(u"zebra"), 4) << "past the end: the last group";
    EXPECT_EQ(set.search(u""), 0);

    std::int32_t outside = 0;
    EXPECT_EQ(MrgGetDicMask(set.handle, 5, &mask, nullptr), LV_OUT_OF_RANGE);
    EXPECT_EQ(MrgGetTranslationCount(set.handle, -1, &outside), LV_OUT_OF_RANGE);
    EXPECT_EQ(set.headword(5), u"");
    EXPECT_EQ(set.headword(-3), u"");
}

TEST(MergeSet, MembersByIdPositionAndList)
{
    TemporaryFolder folder;
    const std::string first = writeMember(folder, memberSpec("0A1B", {"apple"}));
    const std::string second = writeMember(folder, memberSpec("0C2D", {"pear"}));
    OpenSet set(2);
    MrgAdd(set.handle, -1, first.c_str());
    MrgAdd(set.handle, -1, second.c_str());
    DictionaryRecord* dic = nullptr;
    ASSERT_EQ(MrgGetDic(set.handle, 0x0C2D, &dic), LV_OK);
    std::int32_t id = 0;
    DicGetID(dic, &id);
    EXPECT_EQ(id, languageCode("0C2D"));
    ASSERT_EQ(MrgGetDic(set.handle, languageCode("0A1B"), &dic), LV_OK);
    EXPECT_EQ(MrgGetDic(set.handle, 0x0EEE, &dic), -1);
    ASSERT_EQ(MrgGetDicAt(set.handle, 1, &dic), LV_OK);
    EXPECT_EQ(MrgGetDicAt(set.handle, 2, &dic), -1);
    EXPECT_EQ(MrgGetDicAt(set.handle, -1, &dic), -1);
    std::int32_t ids[32];
    ASSERT_EQ(MrgGetDicList(set.handle, ids), LV_OK);
    EXPECT_EQ(ids[0], languageCode("0A1B"));
    EXPECT_EQ(ids[1], languageCode("0C2D"));
    EXPECT_EQ(ids[2], 0);
    EXPECT_EQ(ids[31], 0);
}

TEST(MergeSet, OpenRefusesBadCapacitiesAndWritesANullSet)
{
    struct Case {
        std::int32_t capacity;
        int status;
    } cases[] = {{33, LV_CAPACITY_TOO_LARGE}, {0, LV_BAD_ARGUMENT}, {-4, LV_BAD_ARGUMENT}};
    int data = 0;
    for (const Case& c : cases) {
        MergeRecord* set = reinterpret_cast<MergeRecord*>(&data);
        EXPECT_EQ(MrgOpen(&set, c.capacity, 0, 0, nullptr, 0, 0), c.status) << c.capacity;
        EXPECT_EQ(set, nullptr) << c.capacity;
    }
    EXPECT_EQ(MrgOpen(nullptr, 4, 0, 0, nullptr, 0, 0), LV_NULL_ARGUMENT);
    MergeRecord* set = nullptr;
    EXPECT_EQ(MrgOpen(&set, 32, 0, 0, nullptr, 0, 0), LV_OK);
    MrgClose(set);
}

TEST(MergeSet, MembersThatCannotJoinAreLeftOutAndTheSetStillCompletes)
{
    TemporaryFolder folder;
    // "Zebra" sorts before "apple" by code units but after it by the table.
    const std::string english = writeMember(folder, memberSpec("0A1B", {"apple", "Zebra"}));
    MemberSpec otherSpec = memberSpec("0C2D", {"apple"});
    otherSpec.target = "germ";
    const std::string otherPair = writeMember(folder, otherSpec);
    MemberSpec monolingual = memberSpec("0E3F", {"mango"});
    monolingual.target = "engl";
    const std::string sameLanguages = writeMember(folder, monolingual);

    OpenSet set(4);
    EXPECT_EQ(set.handle->add(-1, english.c_str()), LV_OK);
    EXPECT_EQ(set.handle->add(-1, otherPair.c_str()), LV_LANGUAGE_MISMATCH);
    EXPECT_EQ(MrgAdd(set.handle, -1, otherPair.c_str()), LV_OK) << "MrgAdd hides every failure";
    EXPECT_EQ(set.handle->add(-1, folder.file("dict0000.prc").c_str()), LV_CANNOT_OPEN);
    EXPECT_EQ(set.handle->add(-1, sameLanguages.c_str()), LV_OK) << "one language: the set's source";
    DictionaryRecord* dic = nullptr;
    EXPECT_EQ(MrgGetDicAt(set.handle, 1, &dic), LV_OK);
    EXPECT_EQ(MrgGetDicAt(set.handle, 2, &dic), -1);

    // Capacity 4 was never reached: the first query completes the set.
    ASSERT_EQ(set.count(), 3);
    EXPECT_EQ(set.headword(0), u"apple");
    EXPECT_EQ(set.headword(1), u"mango");
    EXPECT_EQ(set.headword(2), u"Zebra");
    EXPECT_EQ(MrgCountLang(set.handle, u"apple"), 5);
    EXPECT_EQ(set.search(u"b"), 1);
}

TEST(MergeSet, AFullSetRefusesMoreMembers)
{
    TemporaryFolder folder;
    const std::string first = writeMember(folder, memberSpec("0A1B", {"apple"}));
    const std::string second = writeMember(folder, memberSpec("0C2D", {"pear"}));
    OpenSet set(1);
    EXPECT_EQ(set.handle->add(-1, first.c_str()), LV_OK);
    EXPECT_EQ(set.handle->add(-1, second.c_str()), LV_SET_FULL);
    EXPECT_EQ(MrgAdd(set.handle, -1, second.c_str()), LV_OK);
    EXPECT_EQ(set.count(), 1);
}

TEST(MergeSet, CountLangByScriptRangesAndAlphabet)
{
    TemporaryFolder folder;
    MemberSpec russian = memberSpec("0A1B", {"да", "нет"});
    russian.source = "russ";
    russian.target = "engl";
    const std::string russianPath = writeMember(folder, russian);
    MemberSpec japanese = memberSpec("0C2D", {"abc"});
    japanese.source = "japa";
    japanese.target = "engl";
    const std::string japanesePath = writeMember(folder, japanese);

    OpenSet russianSet(1, "russ", "engl");
    EXPECT_EQ(MrgCountLang(russianSet.handle, u"abc"), -1) << "no members, no alphabet";
    MrgAdd(russianSet.handle, -1, russianPath.c_str());
    EXPECT_EQ(MrgCountLang(russianSet.handle, u"abc"), 0);
    EXPECT_EQ(MrgCountLang(russianSet.handle, u"дом 5"), 5);
    EXPECT_EQ(MrgCountLang(russianSet.handle, nullptr), -1);
    EXPECT_EQ(MrgCountLang(nullptr, u"abc"), -1);

    OpenSet japaneseSet(1, "japa", "engl");
    MrgAdd(japaneseSet.handle, -1, japanesePath.c_str());
    // a, b, c from the alphabet; other ASCII letters but L, Q, X; the blank.
    EXPECT_EQ(MrgCountLang(japaneseSet.handle, u"abkLqX ю"), 4);
}

// Every group's headword, as a wildcard search for "*" reports them.
std::vector<std::u16string> everyGroupHeadword(MergeRecord* set)
{
    std::vector<std::u16string> found;
    const auto collect = [](const char16_t* word, std::int32_t, void* user) {
        static_cast<std::vector<std::u16string>*>(user)->push_back(word);
        return 0;
    };
    EXPECT_EQ(MrgSearchWildCard(set, u"*", 100, collect, &found), LV_OK);
    return found;
}

TEST(MergeSet, ChangingAWordListStartsTheMergeAnew)
{
    TemporaryFolder folder;
    lexvane::tools::DictionarySource source;
    source.id = "0A1B";
    source.sourceLanguage = "japa";
    source.targetLanguage = "engl";
    source.styles = lexvane::testing::sampleStyles();
    source.sortTable = lexvane::testing::sampleSortTable();
    for (const char* word : {"aoi", "kawa", "yama"}) {
        lexvane::tools::SourceEntry entry;
        entry.headword = word;
        entry.article.push_back({3, word, 0});
        source.entries.push_back(entry);
    }
    source.alternative = {{"山", {2}}, {"川", {1}}};
    const std::string path = lexvane::testing::writeCompiled(folder, "dict0A1B.prc", source);
    const std::string other = writeMember(folder, memberSpec("0C2D", {"zzz"}, "japa", "engl"));

    OpenSet set(2, "japa", "engl");
    MrgAdd(set.handle, -1, path.c_str());
    MrgAdd(set.handle, -1, other.c_str());
    ASSERT_EQ(set.count(), 4);
    EXPECT_EQ(set.headword(0), u"aoi");
    const std::vector<std::u16string> mainList = {u"aoi", u"kawa", u"yama", u"zzz"};
    EXPECT_EQ(everyGroupHeadword(set.handle), mainList);
    EXPECT_EQ(MrgDoFilter(set.handle, u"山"), 1);
    ASSERT_EQ(set.count(), 3);
    EXPECT_EQ(set.headword(0), u"山") << "the old list's headword must not come back";
    EXPECT_EQ(set.headword(2), u"zzz");
    // Nor may the wildcard search report the old list's kept headwords.
    EXPECT_EQ(everyGroupHeadword(set.handle),
              (std::vector<std::u16string>{set.headword(0), set.headword(1), set.headword(2)}));
    EXPECT_EQ(MrgDoFilter(set.handle, u"山"), 0);
    EXPECT_EQ(MrgDoFilter(set.handle, u"kawa"), 1);
    EXPECT_EQ(set.headword(0), u"aoi");
    EXPECT_EQ(everyGroupHeadword(set.handle), mainList);
    EXPECT_EQ(MrgDoFilter(nullptr, u"a"), LV_NULL_HANDLE);
}

TEST(MergeSet, AMemberReadThroughItsOwnHandleDoesNotDerailTheMerge)
{
    RandomSet data(3, 300, 0.6, 11);
    OpenSet set(3);
    for (const std::string& path : data.paths)
        MrgAdd(set.handle, -1, path.c_str());
    const std::vector<ReferenceEntry> merged = lexvane::testing::referenceMerge(data.words);
    DictionaryRecord* member = nullptr;
    ASSERT_EQ(MrgGetDicAt(set.handle, 1, &member), LV_OK);
    lexvane::testing::Recorder recorder;
    std::mt19937 random(1);
    for (std::int32_t i = 0; i < set.count(); ++i) {
        char16_t buffer[64];
        std::int32_t length = 64;
        const auto entry = static_cast<std::int32_t>(random() % data.words[1].size());
        if (i % 2)
            DicGetData(member, 0, entry, buffer, &length, nullptr);
        else
            DicExtract(member, entry, 1, 0, &lexvane::testing::Recorder::callback, &recorder, 1);
        ASSERT_EQ(set.headword(i), merged[static_cast<std::size_t>(i)].shown) << i;
    }
}

TEST(MergeSet, LargeUserDictionaryMembersJumpLikeCompiledOnes)
{
    RandomSet data(1, 500, 0.8, 31);
    const std::string user = data.folder.file("mine0C2D.udd");
    ASSERT_EQ(UdCreate(nullptr, user.c_str(), u"Mine", 0, languageCode("engl"), languageCode("russ")), LV_OK);
    std::vector<std::vector<std::u16string>> words = {data.words[0], {}};
    {
        DictionaryRecord* dic = nullptr;
        ASSERT_EQ(DicOpen(user.c_str(), -1, &dic, nullptr, 0, 0), LV_OK);
        for (std::size_t i = 0; i < data.pool.size(); i += 3) {
            ASSERT_EQ(UdAdd(dic, data.pool[i].c_str(), u"#03\"text\"", nullptr, 0, 0), LV_OK);
            words[1].push_back(data.pool[i]);
        }
        DicClose(dic);
    }
    OpenSet set(2);
    MrgAdd(set.handle, -1, data.paths[0].c_str());
    MrgAdd(set.handle, -1, user.c_str());
    const std::vector<ReferenceEntry> merged = lexvane::testing::referenceMerge(words);
    ASSERT_EQ(set.count(), static_cast<std::int32_t>(merged.size()));
    std::mt19937 random(2);
    for (int jump = 0; jump < 150; ++jump) {
        const auto index = static_cast<std::int32_t>(random() % merged.size());
        for (std::int32_t row = index; row < std::min(index + 5, set.count()); ++row)
            expectEntry(set, merged, row);
    }
    for (std::int32_t i = set.count() - 1; i >= 0; i -= 7)
        expectEntry(set, merged, i);
}

TEST(MergeSet, UserDictionaryMembersMergeLikeCompiledOnes)
{
    TemporaryFolder folder;
    const std::string compiled = writeMember(folder, memberSpec("0A1B", {"apple", "melon", "pear"}));
    const std::string user = folder.file("mine0C2D.udd");
    ASSERT_EQ(UdCreate(nullptr, user.c_str(), u"Mine", 0, languageCode("engl"), languageCode("russ")), LV_OK);
    {
        DictionaryRecord* dic = nullptr;
        ASSERT_EQ(DicOpen(user.c_str(), -1, &dic, nullptr, 0, 0), LV_OK);
        for (const char16_t* title : {u"pear", u"banana", u"zucchini"})
            ASSERT_EQ(UdAdd(dic, title, u"#03\"text\"", nullptr, 0, 0), LV_OK);
        DicClose(dic);
    }
    OpenSet set(2);
    MrgAdd(set.handle, -1, compiled.c_str());
    MrgAdd(set.handle, -1, user.c_str());
    const std::vector<ReferenceEntry> merged = lexvane::testing::referenceMerge(
        {{u"apple", u"melon", u"pear"}, {u"banana", u"pear", u"zucchini"}});
    ASSERT_EQ(set.count(), 6);
    for (std::int32_t i : {0, 1, 2, 3, 4, 5, 3, 0, 5, 1})
        expectEntry(set, merged, i);
    EXPECT_EQ(set.search(u"peach"), 3);
}

} // namespace
