// conversion_test.cpp: UdConvert end to end: importing the fixture, the
// golden export, round trips, cancelling and failures.
#include "exchange_test_support.h"
#include "lexvane_engine.h"
#include "temporary_folder.h"
#include "userdic/ud_database.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace lexvane::testing {
namespace {

using engine::userdic::UdDatabase;

const std::string kFixtures = LEXVANE_EXCHANGE_FIXTURES;

// The golden file is kept as UTF-8 (BMP characters only).
std::u16string readUtf8(const std::string& path)
{
    const auto bytes = fileBytes(path);
    std::u16string text;
    for (std::size_t i = 0; i < bytes.size();) {
        const std::uint8_t b = bytes[i];
        if (b < 0x80) {
            text.push_back(b);
            i += 1;
        } else if (b < 0xE0) {
            text.push_back(static_cast<char16_t>((b & 0x1F) << 6 | (bytes[i + 1] & 0x3F)));
            i += 2;
        } else {
            text.push_back(static_cast<char16_t>((b & 0x0F) << 12 | (bytes[i + 1] & 0x3F) << 6 | (bytes[i + 2] & 0x3F)));
            i += 3;
        }
    }
    return text;
}

class Conversion : public ConversionTest {
protected:
    static int cancelAtOnce(double, void* user)
    {
        ++*static_cast<int*>(user);
        return 0;
    }

    const std::string fixture = kFixtures + "/every_tag.dsl";
};

TEST_F(Conversion, ImportsTheFixtureMergingARepeatedHeadword)
{
    const std::string udd = newDictionary("a.udd");
    std::vector<double> progress;
    ASSERT_EQ(UdConvert(nullptr, udd.c_str(), fixture.c_str(), UD_IMPORT_DSL, recordProgress, &progress), 0);
    const auto articles = articlesOf(udd);
    std::vector<std::u16string> titles;
    for (const Article& article : articles)
        titles.push_back(article.title);
    EXPECT_EQ(titles, (std::vector<std::u16string>{u"100% sure", u"cat", u"house", u"kitten"}));
    // Both articles titled "house" in one body, joined by a line break.
    const std::u16string& house = articles[2].body;
    EXPECT_NE(house.find(u"%0d%0a%0d%0a\"#01\"house%0d%0a\""), std::u16string::npos);
    EXPECT_NE(house.find(u"second article for house"), std::u16string::npos);
    EXPECT_EQ(house.rfind(u"house#M#01", 0), 0u);
    // Progress up to 100, never backwards.
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 100.0);
    EXPECT_TRUE(std::is_sorted(progress.begin(), progress.end()));
}

TEST_F(Conversion, ExportMatchesTheGoldenFile)
{
    const std::string udd = newDictionary("a.udd");
    ASSERT_EQ(UdConvert(nullptr, udd.c_str(), fixture.c_str(), UD_IMPORT_DSL, nullptr, nullptr), 0);
    const std::string exported = folder.file("out.dsl");
    ASSERT_EQ(UdConvert(nullptr, udd.c_str(), exported.c_str(), UD_EXPORT_DSL, nullptr, nullptr), 0);
    const std::u16string text = readExported(exported);
    if (std::getenv("LEXVANE_WRITE_GOLDEN")) {
        std::ofstream out(kFixtures + "/every_tag.export.dsl", std::ios::binary);
        for (char16_t c : text) {
            if (c < 0x80) {
                out.put(static_cast<char>(c));
            } else if (c < 0x800) {
                out.put(static_cast<char>(0xC0 | c >> 6));
                out.put(static_cast<char>(0x80 | (c & 0x3F)));
            } else {
                out.put(static_cast<char>(0xE0 | c >> 12));
                out.put(static_cast<char>(0x80 | (c >> 6 & 0x3F)));
                out.put(static_cast<char>(0x80 | (c & 0x3F)));
            }
        }
    }
    EXPECT_EQ(text, readUtf8(kFixtures + "/every_tag.export.dsl"));
}

TEST_F(Conversion, RoundTripImportExportImportKeepsTheArticles)
{
    const std::string first = newDictionary("first.udd");
    ASSERT_EQ(UdConvert(nullptr, first.c_str(), fixture.c_str(), UD_IMPORT_DSL, nullptr, nullptr), 0);
    const std::string exported = folder.file("first.dsl");
    ASSERT_EQ(UdConvert(nullptr, first.c_str(), exported.c_str(), UD_EXPORT_DSL, nullptr, nullptr), 0);

    const std::string second = newDictionary("second.udd");
    ASSERT_EQ(UdConvert(nullptr, second.c_str(), exported.c_str(), UD_IMPORT_DSL, nullptr, nullptr), 0);
    const std::string again = folder.file("second.dsl");
    ASSERT_EQ(UdConvert(nullptr, second.c_str(), again.c_str(), UD_EXPORT_DSL, nullptr, nullptr), 0);

    // The merged article carries its second headword run inside; export
    // leaves it out, so that article comes back as one body.
    const auto a = articlesOf(first, true);
    const auto b = articlesOf(second, true);
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].title, b[i].title);
        if (a[i].title != u"house") {
            EXPECT_EQ(a[i].body, b[i].body) << i;
        }
    }
    EXPECT_EQ(readExported(exported), readExported(again));
}

TEST_F(Conversion, CancelOnTheFirstProgressCallLeavesTheDictionaryUnchanged)
{
    const std::string udd = newDictionary("a.udd");
    ASSERT_EQ(UdConvert(nullptr, udd.c_str(), fixture.c_str(), UD_IMPORT_DSL, nullptr, nullptr), 0);
    const auto before = articlesOf(udd);
    const std::string other = folder.write("other.dsl", {'n', 'e', 'w', '\n', '\t', 'x', '\n'});
    int calls = 0;
    EXPECT_EQ(UdConvert(nullptr, udd.c_str(), other.c_str(), UD_IMPORT_DSL, cancelAtOnce, &calls), UD_CANCELLED);
    EXPECT_EQ(calls, 1);
    EXPECT_EQ(articlesOf(udd), before);
}

TEST_F(Conversion, CancelledOrFailedExportLeavesNoFileAndIsNotReportedAsOne)
{
    const std::string udd = newDictionary("a.udd");
    ASSERT_EQ(UdConvert(nullptr, udd.c_str(), fixture.c_str(), UD_IMPORT_DSL, nullptr, nullptr), 0);
    const std::string target = folder.file("out.dsl");
    int calls = 0;
    EXPECT_EQ(UdConvert(nullptr, udd.c_str(), target.c_str(), UD_EXPORT_DSL, cancelAtOnce, &calls), UD_CANCELLED);
    EXPECT_FALSE(std::filesystem::exists(target));
    const std::string missing = folder.file("no/such/folder.dsl");
    EXPECT_EQ(UdConvert(nullptr, udd.c_str(), missing.c_str(), UD_EXPORT_DSL, nullptr, nullptr),
              UD_CANNOT_WRITE_TEXT);
    // Only the dictionary is left in the folder: no temporary file.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST_F(Conversion, DatabaseFailureIsReportedAsItselfNeverAsACancel)
{
    const std::string udd = newDictionary("a.udd");
    {
        UdDatabase database;
        ASSERT_EQ(database.open(nullptr, udd, false), 0);
        ASSERT_EQ(database.execute("DROP TABLE styles"), 0);
    }
    std::vector<double> progress;
    const int imported = UdConvert(nullptr, udd.c_str(), fixture.c_str(), UD_IMPORT_DSL, recordProgress, &progress);
    EXPECT_EQ(imported, LV_SQLITE_BASE + 1); // SQLITE_ERROR: no such table
    const std::string target = folder.file("out.dsl");
    EXPECT_EQ(UdConvert(nullptr, udd.c_str(), target.c_str(), UD_EXPORT_DSL, recordProgress, &progress),
              LV_SQLITE_BASE + 1);
    EXPECT_TRUE(articlesOf(udd).empty());
    EXPECT_FALSE(std::filesystem::exists(target));
}

TEST_F(Conversion, ArgumentsFilesAndTypes)
{
    const std::string udd = newDictionary("a.udd");
    const std::string missing = folder.file("missing.dsl");
    EXPECT_EQ(UdConvert(nullptr, udd.c_str(), missing.c_str(), UD_IMPORT_DSL, nullptr, nullptr), UD_CANNOT_READ_TEXT);
    EXPECT_EQ(UdConvert(nullptr, udd.c_str(), fixture.c_str(), 7, nullptr, nullptr), LV_BAD_ARGUMENT);
    EXPECT_EQ(UdConvert(nullptr, nullptr, fixture.c_str(), UD_IMPORT_DSL, nullptr, nullptr), LV_NULL_ARGUMENT);
    const std::string noDictionary = folder.file("none.udd");
    EXPECT_GT(UdConvert(nullptr, noDictionary.c_str(), fixture.c_str(), UD_IMPORT_DSL, nullptr, nullptr),
              LV_SQLITE_BASE);
}

TEST_F(Conversion, ImportedFileCarriesItsStylesIntoTheTable)
{
    const std::string udd = newDictionary("a.udd");
    const std::string text = folder.write("s.dsl", {'w', '\n', '\t', '[', 'b', ']', 'x', '[', '/', 'b', ']', 'y', '\n'});
    ASSERT_EQ(UdConvert(nullptr, udd.c_str(), text.c_str(), UD_IMPORT_DSL, nullptr, nullptr), 0);
    UdDatabase database;
    ASSERT_EQ(database.open(nullptr, udd, false), 0);
    engine::userdic::StyleList styles;
    ASSERT_EQ(database.readStyles(styles), 0);
    EXPECT_EQ(styles.count(), 3); // headword, bold, plain
}

TEST_F(Conversion, BareDictionaryExportsTheRunsUnderEachHeadword)
{
    const std::string udd = newDictionary("a.udd");
    {
        UdDatabase database;
        ASSERT_EQ(database.open(nullptr, udd, false), 0);
        ASSERT_EQ(database.addArticle(u"w", u"w#M#01\"w%0d%0a\"#00\"text%0d%0a\""), 0);
    }
    const std::string target = folder.file("out.dsl");
    ASSERT_EQ(UdConvert(nullptr, udd.c_str(), target.c_str(), UD_EXPORT_DSL, nullptr, nullptr), 0);
    EXPECT_EQ(readExported(target), u"#NAME \"\"\r\n\r\n\r\nw\r\n text\r\n");
}

} // namespace
} // namespace lexvane::testing

namespace lexvane::testing {
namespace {

struct CountingHelper {
    int comparisons = 0;
};

int countingCompare(void* context, const char16_t* a, const char16_t* b)
{
    ++static_cast<CountingHelper*>(context)->comparisons;
    return std::u16string_view(a).compare(std::u16string_view(b));
}

TEST_F(Conversion, CallersHelperSeesItsOwnContextAndTheFileKeepsItsIndexes)
{
    CountingHelper counting;
    UDHelper helper{};
    helper.context = &counting;
    helper.compare = countingCompare;
    const std::string udd = newDictionary("a.udd");
    ASSERT_EQ(UdConvert(&helper, udd.c_str(), fixture.c_str(), UD_IMPORT_DSL, nullptr, nullptr), 0);
    EXPECT_GT(counting.comparisons, 0);

    // The import's own index for merges is gone, the hash index is back as
    // it was created.
    UdDatabase database;
    ASSERT_EQ(database.open(&helper, udd, false), 0);
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(sqlite3_prepare_v2(database.connection(),
                                 "SELECT name, sql FROM sqlite_master WHERE tbl_name='fullsearch' AND type='index'", -1,
                                 &statement, nullptr),
              SQLITE_OK);
    std::vector<std::string> indexes;
    while (sqlite3_step(statement) == SQLITE_ROW)
        indexes.push_back(std::string(reinterpret_cast<const char*>(sqlite3_column_text(statement, 0))) + ": " +
                          reinterpret_cast<const char*>(sqlite3_column_text(statement, 1)));
    sqlite3_finalize(statement);
    EXPECT_EQ(indexes, (std::vector<std::string>{"sort_full: CREATE INDEX sort_full ON fullsearch ( hash )"}));
}

} // namespace
} // namespace lexvane::testing
