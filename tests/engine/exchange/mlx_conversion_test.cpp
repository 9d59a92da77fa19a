// mlx_conversion_test.cpp: MLX through UdConvert: the hand-written file,
// and our own export read back.
#include "exchange_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lexvane::testing {
namespace {

using engine::userdic::StyleList;
using engine::userdic::UdDatabase;

const std::string kFixtures = LEXVANE_EXCHANGE_FIXTURES;

StyleRecord numbered(std::int32_t number, StyleRecord style)
{
    style.number = number;
    return style;
}

using MlxConversion = ConversionTest;

TEST_F(MlxConversion, HandWrittenFileMergesTheDuplicateAndCountsTheSkippedArticle)
{
    const std::string udd = newDictionary("a.udd");
    const std::string fixture = kFixtures + "/every_class.mlx";
    std::vector<double> progress;
    // Six articles, five headwords stored (one merged), one without a
    // headword.
    EXPECT_EQ(UdConvert(nullptr, udd.c_str(), fixture.c_str(), UD_IMPORT_MLX, recordProgress, &progress),
              UD_NOT_STORED_BASE + 1);
    ASSERT_FALSE(progress.empty());
    EXPECT_EQ(progress.back(), 100.0);

    auto articles = articlesOf(udd);
    std::vector<std::u16string> titles;
    for (const Article& article : articles)
        titles.push_back(article.title);
    std::sort(titles.begin(), titles.end());
    EXPECT_EQ(titles, (std::vector<std::u16string>{u"50%#1", u"cat", u"doggy", u"x!"}));
    for (const Article& article : articles) {
        if (article.title == u"cat") {
            EXPECT_NE(article.body.find(u"a pet"), std::u16string::npos);
            EXPECT_NE(article.body.find(u"second cat"), std::u16string::npos);
        }
    }

    // The styles the file needs are in the table, headword classes too.
    UdDatabase database;
    ASSERT_EQ(database.open(nullptr, udd, false), 0);
    StyleList styles;
    ASSERT_EQ(database.readStyles(styles), 0);
    bool symbolClass = false;
    bool hexColour = false;
    for (const StyleRecord& style : styles.records()) {
        symbolClass = symbolClass || style.color == 0x0A000000u;
        hexColour = hexColour || style.color == 0x1A2B3Cu;
    }
    EXPECT_TRUE(symbolClass);
    EXPECT_TRUE(hexColour);
}

TEST_F(MlxConversion, OwnExportReadsBackAsTheSameArticlesAndStyles)
{
    const std::string first = newDictionary("first.udd");
    {
        UdDatabase database;
        ASSERT_EQ(database.open(nullptr, first, false), 0);
        StyleList styles;
        styles.add(numbered(1, styleRecord(0x01000000, 1)));
        styles.add(numbered(2, styleRecord(0x03000000, 0, 1))); // another headword class
        styles.add(numbered(5, styleRecord(0)));
        styles.add(numbered(6, styleRecord(0x123456, 1, 1, 1, 1, 2))); // no keyword has this colour
        styles.add(numbered(7, styleRecord(0xFF0000, 0, 0, 0, 2, 1))); // keyword colour
        styles.add(numbered(8, styleRecord(0x00FFFF, 0, 0, 1)));
        ASSERT_EQ(database.replaceStyles(styles), 0);
        ASSERT_EQ(database.addArticle(u"cat", u"cat#M#01\"cat%0d%0a\"#05\"a & b <c> 'd' %22e%22 50%25 %231\""
                                              u"#06\"colour%0d%0a\"#07\"\tindented\"#08\"more%0d%0a\""
                                              u"#05\"two%0d%0alines%09tab%0d%0a\""),
                  0);
        ASSERT_EQ(database.addArticle(u"50% \"#\"", u"50%25 %22%23%22#M#01\"50\"#02\"%25 %22%23%22%0d%0a\""
                                                    u"#05\"\t\tdeep \U0001F600%0d%0a\""),
                  0);
        ASSERT_EQ(database.addArticle(u"a&b", u"a&b#M#01\"a&b%0d%0a\"#07\"x%0d%0a\""), 0);
    }
    const std::string exported = folder.file("first.mlx");
    ASSERT_EQ(UdConvert(nullptr, first.c_str(), exported.c_str(), UD_EXPORT_MLX, nullptr, nullptr), 0);
    const std::u16string text = readExported(exported);
    // Each article once, and nothing after the last.
    EXPECT_EQ(text.find(u"<div class='mlxp_Hdr'><span class='mlxt_Word_Entry'>cat"),
              text.rfind(u"<div class='mlxp_Hdr'><span class='mlxt_Word_Entry'>cat"));
    EXPECT_TRUE(text.ends_with(u"lines\ttab</span></div>\r\n</div>\r\n"));
    EXPECT_NE(text.find(u".mlxt_VXN_6{  font-weight: bold;  color:  #123456 ;"), std::u16string::npos);
    EXPECT_NE(text.find(u"a &amp; b &lt;c&gt; &apos;d&apos; \"e\" 50% #1"), std::u16string::npos);

    const std::string second = newDictionary("second.udd");
    ASSERT_EQ(UdConvert(nullptr, second.c_str(), exported.c_str(), UD_IMPORT_MLX, nullptr, nullptr), 0);
    EXPECT_EQ(articlesOf(second, true), articlesOf(first, true));

    // And the second export is the first, but for style numbers.
    const std::string again = folder.file("second.mlx");
    ASSERT_EQ(UdConvert(nullptr, second.c_str(), again.c_str(), UD_EXPORT_MLX, nullptr, nullptr), 0);
    const std::string third = newDictionary("third.udd");
    ASSERT_EQ(UdConvert(nullptr, third.c_str(), again.c_str(), UD_IMPORT_MLX, nullptr, nullptr), 0);
    EXPECT_EQ(articlesOf(third, true), articlesOf(first, true));
}

} // namespace
} // namespace lexvane::testing
