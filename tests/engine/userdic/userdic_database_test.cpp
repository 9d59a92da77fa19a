// Tests of the user-dictionary database: the file it creates, title order,
// twins and quick access, the full-text table, properties, and that a
// failing change leaves the file as it was.
#include "userdic/fulltext_index.h"
#include "userdic/last_error.h"
#include "userdic/title_collation.h"
#include "userdic/ud_database.h"
#include "userdic_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <memory>
#include <thread>

using lexvane::engine::userdic::HelperCalls;
using lexvane::engine::userdic::UdDatabase;
using lexvane::engine::userdic::compareKeys;
using lexvane::engine::userdic::lastError;
using lexvane::engine::userdic::wordHash;
using lexvane::testing::articleBody;
using lexvane::testing::packCode;
using lexvane::testing::TemporaryFolder;
using lexvane::testing::UserDictionaryTest;
using Column = UdDatabase::Column;

namespace {

std::vector<std::uint32_t> gathered;
std::vector<std::int32_t> gatheredIndexes;

int gather(std::int32_t index, const std::uint32_t* positions, void*, std::int32_t count)
{
    gatheredIndexes.push_back(index);
    gathered.assign(positions, positions + count);
    return 1;
}

std::vector<std::int32_t> searchIndexes(UdDatabase& database, const char16_t* word)
{
    gatheredIndexes.clear();
    gathered.clear();
    EXPECT_EQ(database.search(word, gather, nullptr), 0);
    return gatheredIndexes;
}

} // namespace

TEST_F(UserDictionaryTest, CreatesTheSchemaPropertiesAndTextEncoding)
{
    std::u16string text;
    EXPECT_EQ(database.getProperty("DictName", text), 0);
    EXPECT_EQ(text, u"Mine");
    EXPECT_EQ(database.getIntProperty("LangID"), packCode("engl"));
    EXPECT_EQ(database.getIntProperty("LangPairID"), packCode("russ"));
    EXPECT_EQ(queryInt("SELECT COUNT(*) FROM sqlite_master WHERE name IN ('arts','sort_title','properties',"
                       "'fullsearch','sort_full','styles','i2id','qa')"),
              8);
    EXPECT_EQ(queryInt("PRAGMA page_size"), 32768);
    // Values are blobs of UTF-16LE bytes with a terminator; languages "%d".
    EXPECT_EQ(queryInt("SELECT value = X'4D0069006E0065000000' FROM properties WHERE name='DictName'"), 1);
    EXPECT_EQ(queryInt("SELECT value = CAST('1818717797' AS BLOB) FROM properties WHERE name='LangID'"), 0);
    EXPECT_EQ(queryInt("SELECT length(value) FROM properties WHERE name='LangID'"), 22);

    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(database.connection(), "PRAGMA encoding", -1, &statement, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0)), "UTF-16le");
    sqlite3_finalize(statement);
}

TEST(UserDictionaryCreate, ReplacesAnExistingFileAndItsStaleJournal)
{
    TemporaryFolder folder;
    const std::string path = folder.file("old.udd");
    {
        UdDatabase first;
        ASSERT_EQ(first.create(nullptr, path, u"Old", 0, 0), 0);
        ASSERT_EQ(first.addArticle(u"kept?", articleBody(u"kept?", u"no")), 0);
    }
    // A journal left by a crash of the old file must not be played back
    // into the new one.
    folder.write("old.udd-journal", std::vector<std::uint8_t>(4096, 0xD9));
    UdDatabase second;
    ASSERT_EQ(second.create(nullptr, path, nullptr, 0, 0), 0);
    EXPECT_EQ(second.articleCount(), 0);
    std::u16string name;
    EXPECT_EQ(second.getProperty("DictName", name), LV_NOT_PRESENT) << "no name, no properties";
    EXPECT_FALSE(std::filesystem::exists(path + "-journal"));
}

TEST(UserDictionaryCreate, FailedCreationLeavesNoFile)
{
    TemporaryFolder folder;
    UdDatabase database;
    const std::string path = folder.file("missing/folder/words.udd");
    EXPECT_NE(database.create(nullptr, path, u"x", 0, 0), 0);
    EXPECT_FALSE(database.isOpen());
    EXPECT_FALSE(std::filesystem::exists(path));

    // A folder in place of the file is not deleted.
    std::filesystem::create_directory(folder.path() / "empty.udd");
    EXPECT_NE(database.create(nullptr, folder.file("empty.udd"), u"x", 0, 0), 0);
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "empty.udd"));
}

TEST_F(UserDictionaryTest, EmptyDictionaryAnswersNothing)
{
    EXPECT_EQ(database.articleCount(), 0);
    std::u16string text;
    EXPECT_EQ(database.readByIndex(0, Column::Title, text), UdDatabase::kNoSuchArticle);
    EXPECT_EQ(database.readByIndex(-1, Column::Body, text), UdDatabase::kNoSuchArticle);
    EXPECT_TRUE(searchIndexes(database, u"text").empty());
    std::int32_t index = 7;
    EXPECT_EQ(database.firstIndexOf(u"a", index), 0);
    EXPECT_EQ(index, -1);
    EXPECT_EQ(database.removeArticle(0), UdDatabase::kNoSuchArticle);
}

TEST_F(UserDictionaryTest, ArticlesStandInTitleOrderWithNewIds)
{
    addAll({u"pear", u"Apple", u"banana"});
    ASSERT_EQ(database.articleCount(), 3);
    EXPECT_EQ(title(0), u"Apple");
    EXPECT_EQ(title(1), u"banana");
    EXPECT_EQ(title(2), u"pear");
    EXPECT_EQ(database.idOfIndex(0), 2);
    EXPECT_EQ(database.idOfTitle(u"BANANA"), 3) << "titles compare through the helper";
    EXPECT_EQ(database.idOfTitle(u"plum"), 0);
    std::u16string body;
    EXPECT_EQ(database.readById(1, Column::Body, body), 0);
    EXPECT_EQ(body, articleBody(u"pear", u"text of it"));
    // Stored forms: the title with its terminator, the body as a blob.
    EXPECT_EQ(queryInt("SELECT length(CAST(title AS BLOB)) FROM arts WHERE id=1"), 10);
    EXPECT_EQ(queryInt("SELECT typeof(body)='blob' FROM arts WHERE id=1"), 1);
    EXPECT_EQ(queryInt("SELECT firstchar FROM arts WHERE id=2"), 'A');
}

TEST_F(UserDictionaryTest, ReplacingGivesANewIdAndAPlaceByTheNewTitle)
{
    addAll({u"alpha", u"beta", u"gamma"});
    ASSERT_EQ(database.replaceArticle(0, u"omega", articleBody(u"omega", u"last")), 0);
    EXPECT_EQ(title(2), u"omega");
    EXPECT_EQ(database.idOfIndex(2), 4);
    EXPECT_EQ(database.replaceArticle(1, u"gamma", articleBody(u"gamma", u"same place")), 0);
    EXPECT_EQ(title(1), u"gamma");
    EXPECT_EQ(database.replaceArticle(3, u"x", u"#x"), UdDatabase::kNoSuchArticle);
    EXPECT_EQ(database.articleCount(), 3);
}

TEST_F(UserDictionaryTest, TwinsStayOutOfQuickAccessAndDeletingOneRecountsThem)
{
    addAll({u"same", u"other", u"same"});
    EXPECT_EQ(queryInt("SELECT COUNT(*) FROM arts WHERE twins=2"), 2);
    EXPECT_EQ(queryInt("SELECT MAX(ind)-MIN(ind) FROM i2id WHERE twins=2"), 1) << "twins are adjacent";
    EXPECT_EQ(queryInt("SELECT COUNT(*) FROM qa"), 1);
    EXPECT_EQ(database.quickAccessCount(), 2);

    ASSERT_EQ(database.removeArticle(1), 0);
    EXPECT_EQ(queryInt("SELECT MAX(twins) FROM arts"), 1);
    EXPECT_EQ(queryInt("SELECT COUNT(*) FROM qa"), 2);
}

TEST_F(UserDictionaryTest, QuickAccessStepsOverLargeDictionaries)
{
    constexpr std::int32_t kArticles = 32005;
    const int status = database.change(
        [&] {
            for (std::int32_t i = 0; i < kArticles; ++i) {
                char16_t title[16];
                for (int k = 0; k < 6; ++k)
                    title[k] = static_cast<char16_t>(u'a' + (i / (k == 0 ? 1 : k == 1 ? 26 : k == 2 ? 676 : k == 3 ? 17576 : 456976) % 26));
                title[6] = 0;
                if (int s = database.insertArticle(title, u"#only a headword"); s != 0)
                    return s;
            }
            return 0;
        },
        nullptr);
    ASSERT_EQ(status, 0);
    ASSERT_EQ(database.articleCount(), kArticles);
    // Every second article, since the count is above 32001.
    EXPECT_EQ(queryInt("SELECT COUNT(*) FROM qa"), kArticles / 2);
    EXPECT_EQ(database.quickAccessCount(), kArticles / 2 + 1);
    std::int32_t index = -1;
    EXPECT_EQ(database.quickAccessPoint(0, index), 0);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(database.quickAccessPoint(1, index), 0);
    EXPECT_EQ(index, 1);
    EXPECT_EQ(database.quickAccessPoint(16002, index), 0);
    EXPECT_EQ(index, 32003);
    EXPECT_EQ(database.quickAccessPoint(16003, index), 0);
    EXPECT_EQ(index, -1) << "past the last point";
    EXPECT_EQ(database.quickAccessPoint(1, index), 0) << "cached";
    EXPECT_EQ(index, 1);
}

TEST(UserDictionaryHash, MatchesStoredFiles)
{
    EXPECT_EQ(static_cast<std::uint32_t>(wordHash(u"ABC")), 0x6ED91650u);
    EXPECT_EQ(wordHash(u"ABC"), 1859720784);
    EXPECT_NE(wordHash(u"ABC"), wordHash(u"ABD"));
    EXPECT_NE(wordHash(u"A"), wordHash(u"A\u0100")) << "both bytes of each code unit count";
}

TEST_F(UserDictionaryTest, FullTextRowsHoldOrdinalsByHash)
{
    std::u16string many = u"#\"head\"#01\"";
    for (int i = 0; i < 300; ++i)
        many += u"echo ";
    many += u"\"";
    ASSERT_EQ(database.addArticle(u"head", many), 0);
    ASSERT_EQ(database.addArticle(u"lone", u"#\"lone words never indexed\""), 0);
    ASSERT_EQ(database.addArticle(u"abc", articleBody(u"abc", u"Abc, xyz; abc!")), 0);

    EXPECT_EQ(queryInt("SELECT length(positions) FROM fullsearch WHERE id=1"), 1024) << "256 ordinals at most";
    EXPECT_EQ(queryInt("SELECT COUNT(*) FROM fullsearch WHERE id=2"), 0);
    EXPECT_EQ(queryInt("SELECT hash FROM fullsearch WHERE id=3 ORDER BY rowid LIMIT 1"),
              std::min(wordHash(u"ABC"), wordHash(u"XYZ")))
        << "rows go in ascending order of the signed hash";

    EXPECT_THAT(searchIndexes(database, u"abc"), ::testing::ElementsAre(0));
    EXPECT_THAT(gathered, ::testing::ElementsAre(1u, 3u));
    EXPECT_THAT(searchIndexes(database, u"ABC"), ::testing::ElementsAre(0));
    EXPECT_THAT(searchIndexes(database, u"lone"), ::testing::IsEmpty());
    searchIndexes(database, u"echo");
    ASSERT_EQ(gathered.size(), 256u);
    EXPECT_EQ(gathered.back(), 256u);
}

TEST_F(UserDictionaryTest, HashesWithTheTopBitSetAreStoredNegative)
{
    std::u16string word;
    for (char16_t c = u'A'; c <= u'Z' && word.empty(); ++c)
        if (wordHash(std::u16string(1, c)) < 0)
            word = std::u16string(1, c);
    ASSERT_FALSE(word.empty());
    ASSERT_EQ(database.addArticle(u"t", articleBody(u"t", word)), 0);
    EXPECT_EQ(queryInt("SELECT hash FROM fullsearch"), wordHash(word));
    EXPECT_LT(queryInt("SELECT hash FROM fullsearch"), 0);
    EXPECT_THAT(searchIndexes(database, word.c_str()), ::testing::ElementsAre(0));
}

TEST_F(UserDictionaryTest, FirstIndexOfFindsTheFirstTitleWithThePrefix)
{
    addAll({u"carrot", u"cab", u"Cabbage", u"cabin", u"dog", u"apple"});
    // apple cab Cabbage cabin carrot dog
    struct Case {
        const char16_t* prefix;
        std::int32_t index;
    };
    for (const Case& c : {Case{u"cab", 1}, Case{u"CABB", 2}, Case{u"cabi", 3}, Case{u"car", 4}, Case{u"c", 1},
                          Case{u"d", 5}, Case{u"dogs", -1}, Case{u"b", -1}, Case{u"z", -1}, Case{u"", -1},
                          Case{u"a", 0}}) {
        std::int32_t index = 99;
        EXPECT_EQ(database.firstIndexOf(c.prefix, index), 0);
        EXPECT_EQ(index, c.index) << std::string(c.prefix, c.prefix + std::char_traits<char16_t>::length(c.prefix)).c_str();
    }
}

namespace {
// Orders by code unit, so "Ab" sorts before "ab"; compareN ignores case.
int caseFirstCompare(void*, const char16_t* a, const char16_t* b)
{
    return std::u16string_view(a).compare(b);
}
} // namespace

TEST(UserDictionaryPrefix, FindsTitlesThatSortBeforeThePrefixButBeginWithIt)
{
    TemporaryFolder folder;
    UDHelper helper{};
    helper.compare = caseFirstCompare;
    UdDatabase database;
    ASSERT_EQ(database.create(&helper, folder.file("a.udd"), nullptr, 0, 0), 0);
    for (const char16_t* title : {u"ab", u"Ab", u"AB", u"b"})
        ASSERT_EQ(database.addArticle(title, u"#x"), 0);
    // AB Ab ab b
    std::int32_t index = -1;
    EXPECT_EQ(database.firstIndexOf(u"ab", index), 0);
    EXPECT_EQ(index, 0);
}

TEST_F(UserDictionaryTest, ReopeningRegistersTheCollationBeforeAnyStatement)
{
    addAll({u"b", u"a"});
    database.close();
    UdDatabase reopened;
    ASSERT_EQ(reopened.open(nullptr, path, false), 0);
    EXPECT_EQ(reopened.idOfTitle(u"A"), 2);
    ASSERT_EQ(reopened.addArticle(u"c", u"#c"), 0);
    std::u16string text;
    EXPECT_EQ(reopened.readByIndex(2, Column::Title, text), 0);
    EXPECT_EQ(text, u"c");
}

TEST_F(UserDictionaryTest, PreparedStatementsOutliveTheRebuildOfDerivedTables)
{
    addAll({u"one"});
    EXPECT_EQ(title(0), u"one");
    for (const char16_t* next : {u"a", u"b", u"c"}) {
        ASSERT_EQ(database.addArticle(next, articleBody(next, u"w")), 0);
        EXPECT_EQ(title(0), u"a");
        std::int32_t index = -1;
        EXPECT_EQ(database.firstIndexOf(next, index), 0);
        EXPECT_EQ(title(index), next);
    }
}

TEST_F(UserDictionaryTest, PropertyNamesAreBoundNotSpliced)
{
    const char* name = "it's'; DROP TABLE arts; --";
    ASSERT_EQ(database.setProperty(name, u"first"), 0);
    ASSERT_EQ(database.setProperty(name, u"second"), 0);
    std::u16string value;
    EXPECT_EQ(database.getProperty(name, value), 0);
    EXPECT_EQ(value, u"second");
    EXPECT_EQ(queryInt("SELECT COUNT(*) FROM properties"), 4);
    EXPECT_EQ(queryInt("SELECT COUNT(*) FROM sqlite_master WHERE name='arts'"), 1);
    // The old value is deleted and the new one written in one transaction:
    // a write that fails keeps the old value.
    ASSERT_EQ(sqlite3_exec(database.connection(),
                           "CREATE TRIGGER refuse BEFORE INSERT ON properties BEGIN SELECT RAISE(ABORT, 'no'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_EQ(database.setProperty(name, u"third"), LV_SQLITE_BASE + SQLITE_CONSTRAINT);
    EXPECT_EQ(database.getProperty(name, value), 0);
    EXPECT_EQ(value, u"second");
    sqlite3_exec(database.connection(), "DROP TRIGGER refuse", nullptr, nullptr, nullptr);
    EXPECT_EQ(database.setIntProperty("n", -42), 0);
    EXPECT_EQ(database.getIntProperty("n"), -42);
    EXPECT_EQ(database.getIntProperty("absent"), 0);
}

TEST_F(UserDictionaryTest, AFailingStepRollsTheWholeChangeBack)
{
    addAll({u"kept"});
    // A failure after the article row was written: the row must go too.
    ASSERT_EQ(sqlite3_exec(database.connection(),
                           "CREATE TRIGGER refuse BEFORE INSERT ON fullsearch BEGIN SELECT RAISE(ABORT, 'no'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    EXPECT_EQ(database.addArticle(u"new", articleBody(u"new", u"words")), LV_SQLITE_BASE + SQLITE_CONSTRAINT);
    EXPECT_EQ(lastError(), "no");
    EXPECT_EQ(database.articleCount(), 1);
    EXPECT_EQ(queryInt("SELECT COUNT(*) FROM arts"), 1);
    EXPECT_EQ(database.replaceArticle(0, u"new", articleBody(u"new", u"words")), LV_SQLITE_BASE + SQLITE_CONSTRAINT);
    EXPECT_EQ(title(0), u"kept");
    EXPECT_EQ(queryInt("SELECT COUNT(*) FROM fullsearch"), 3) << "the three words of the kept article";
    EXPECT_EQ(database.addArticle(u"fine", u"#\"fine\""), 0) << "a body without words passes";
}

namespace {
// Refuses to prepare one statement, as a full disk or a damaged file would
// refuse to run it.
struct Refusal {
    int action;
    std::string argument;
};

int refuse(void* user, int action, const char* a, const char*, const char*, const char*)
{
    const auto* refusal = static_cast<const Refusal*>(user);
    return action == refusal->action && a && refusal->argument == a ? SQLITE_DENY : SQLITE_OK;
}
} // namespace

TEST_F(UserDictionaryTest, FailuresOfTheRebuildAndOfCommitAreReportedAndRolledBack)
{
    addAll({u"kept"});
    for (const Refusal& refusal : {Refusal{SQLITE_CREATE_INDEX, "sort_id_0"}, Refusal{SQLITE_TRANSACTION, "COMMIT"},
                                   Refusal{SQLITE_INSERT, "qa"}}) {
        UdDatabase fresh; // statements not yet prepared
        ASSERT_EQ(fresh.open(nullptr, path, false), 0);
        sqlite3_set_authorizer(fresh.connection(), refuse, const_cast<Refusal*>(&refusal));
        EXPECT_EQ(fresh.addArticle(u"lost", u"#lost"), LV_SQLITE_BASE + SQLITE_AUTH) << refusal.argument;
        sqlite3_set_authorizer(fresh.connection(), nullptr, nullptr);
        EXPECT_EQ(fresh.articleCount(), 1) << refusal.argument;
        EXPECT_EQ(fresh.idOfTitle(u"lost"), 0) << refusal.argument;
        EXPECT_EQ(sqlite3_get_autocommit(fresh.connection()), 1) << "no transaction left open";
    }
}

TEST_F(UserDictionaryTest, AStyleTableThatFailsHalfWrittenIsTakenBack)
{
    lexvane::engine::userdic::StyleList styles;
    for (std::uint32_t color : {1u, 2u, 3u})
        styles.add(StyleRecord{-1, color, 0, 0, 0, 0, 0, 0, {}, 0});
    ASSERT_EQ(database.replaceStyles(styles), 0);
    ASSERT_EQ(sqlite3_exec(database.connection(),
                           "CREATE TRIGGER refuse BEFORE INSERT ON styles WHEN NEW.number=1 BEGIN "
                           "SELECT RAISE(ABORT, 'no'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    lexvane::engine::userdic::StyleList other;
    for (std::uint32_t color : {7u, 8u})
        other.add(StyleRecord{-1, color, 0, 0, 0, 0, 0, 0, {}, 0});
    EXPECT_EQ(database.replaceStyles(other), LV_SQLITE_BASE + SQLITE_CONSTRAINT);
    lexvane::engine::userdic::StyleList stored;
    ASSERT_EQ(database.readStyles(stored), 0);
    ASSERT_EQ(stored.count(), 3);
    EXPECT_EQ(stored.records()[0].color, 1u);
}

TEST_F(UserDictionaryTest, RefusesTitlesTooLongAndIdsPastTheLast)
{
    EXPECT_EQ(database.addArticle(std::u16string(257, u'x'), u"#x"), LV_BAD_ARGUMENT);
    EXPECT_EQ(database.addArticle(std::u16string(256, u'x'), u"#x"), 0);
    ASSERT_EQ(sqlite3_exec(database.connection(),
                           "INSERT INTO arts (id, title, body, firstchar) VALUES (2147483632, 'z', x'00', 90)", nullptr,
                           nullptr, nullptr),
              SQLITE_OK);
    EXPECT_EQ(database.addArticle(u"y", u"#y"), LV_SQLITE_BASE + SQLITE_FULL);
    EXPECT_EQ(queryInt("SELECT COUNT(*) FROM arts"), 2);
}

TEST(UserDictionaryCollation, ReadsKeysOnlyUpToTheirLength)
{
    HelperCalls helper;
    // Exactly sized heap copies without terminators: any read past the
    // given length is out of bounds.
    auto key = [](std::u16string_view text) {
        auto bytes = std::make_unique<std::uint8_t[]>(text.size() * 2);
        for (std::size_t i = 0; i < text.size(); ++i) {
            bytes[2 * i] = static_cast<std::uint8_t>(text[i]);
            bytes[2 * i + 1] = static_cast<std::uint8_t>(text[i] >> 8);
        }
        return bytes;
    };
    const auto abc = key(u"abc");
    const auto abd = key(u"ABD");
    EXPECT_LT(compareKeys(&helper, 6, abc.get(), 6, abd.get()), 0);
    EXPECT_EQ(compareKeys(&helper, 4, abc.get(), 4, abd.get()), 0) << "only the first two characters count";
    EXPECT_GT(compareKeys(&helper, 2, abc.get(), 0, abd.get()), 0);
    const std::u16string longTitle(300, u'q');
    const auto longKey = key(longTitle);
    EXPECT_EQ(compareKeys(&helper, 600, longKey.get(), 600, longKey.get()), 0);
}

TEST(UserDictionaryLastError, IsKeptPerThread)
{
    TemporaryFolder folder;
    UdDatabase database;
    ASSERT_EQ(database.create(nullptr, folder.file("e.udd"), nullptr, 0, 0), 0);
    EXPECT_NE(database.execute("SELECT x FROM nowhere"), 0);
    const std::string mine = lastError();
    EXPECT_THAT(mine, ::testing::HasSubstr("nowhere"));
    std::string theirs;
    std::thread other([&] {
        UdDatabase own;
        own.open(nullptr, folder.file("e.udd"), false);
        own.execute("SELECT elsewhere FROM arts");
        theirs = lastError();
    });
    other.join();
    EXPECT_THAT(theirs, ::testing::HasSubstr("elsewhere"));
    EXPECT_EQ(lastError(), mine);
}
