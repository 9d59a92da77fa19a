// mlx_import_test.cpp: MLX lines into titles, article markup and styles,
// through the context alone.
#include "dsl_test_support.h"
#include "exchange/mlx_context.h"
#include "exchange_test_support.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace lexvane::testing {
namespace {

using engine::exchange::UDImportContext;
using engine::exchange::UDImportContextMLX;

const std::string kFixtures = LEXVANE_EXCHANGE_FIXTURES;

// The fixture is plain ASCII.
std::u16string asciiFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    const std::string bytes((std::istreambuf_iterator<char>(in)), {});
    return std::u16string(bytes.begin(), bytes.end());
}


class MlxImport : public ::testing::Test {
protected:
    std::vector<BuiltArticle> read(const std::u16string& text)
    {
        context.reset();
        return buildArticles(context, text);
    }

    UDImportContextMLX context{0x100000};
};

TEST_F(MlxImport, HandWrittenFileWithEveryClass)
{
    const auto articles = read(asciiFile(kFixtures + "/every_class.mlx"));
    ASSERT_EQ(articles.size(), 5u);

    // Two headword spans joined into one title, text after a closing span
    // in the div's style, references of every kind, a tag across lines.
    EXPECT_EQ(articles[0].title, u"cat");
    EXPECT_EQ(articles[0].body, u"cat#M#00\"ca\"#01\"t %0d%0a\"#02\"\ta pet\"#03\" (animal)%0d%0a\""
                                u"#04\"\t\t& %22x%22 \u00E9\u00E9\U0001F600 ? ? AT&T%0d%0a\"");
    // A hidden span is neither headword nor body and does not end the
    // headword; phonetic codes.
    EXPECT_EQ(articles[1].title, u"doggy");
    EXPECT_EQ(articles[1].body, u"doggy#M#05\"dog\"#06\"gy%0d%0a\"#07\"\t[d\u0254g \u00F0\u02A7\u00E6]\"#08\"up\""
                                u"#09\"down%0d%0a\"");
    // '%' and '#' escaped in the title prefix as in the runs.
    EXPECT_EQ(articles[2].title, u"50%#1");
    EXPECT_EQ(articles[2].body, u"50%25%231#M#10\"50%25\"#11\" %231%0d%0a\"#03\"\tsee\"#12\"big\"#13\"small\""
                                u"#03\"plain%0d%0a\"");
    // The duplicate headword comes as an article of its own; the driver
    // merges it. The empty headword gives no article at all.
    EXPECT_EQ(articles[3].title, u"cat");
    EXPECT_EQ(articles[3].body, u"cat#M#14\"cat%0d%0a\"#03\"\tsecond cat%0d%0a\"");
    EXPECT_EQ(articles[4].title, u"x!");
    EXPECT_EQ(articles[4].body, u"x!#M#16\"x\"#17\"!%0d%0a\"#03\"\tlast%0d%0a\"");
    // Six articles in the file, five stored.
    EXPECT_EQ(context.articlesNotStored(5), 1);

    const std::vector<StyleRecord> expected = {
        styleRecord(0x01000000, 1, 0, 0, 0, 0),  // 0 mlxt_Word_Entry
        styleRecord(0x020000FF, 0, 0, 0, 0, 0),  // 1 mlxt_Word_Entry_Abbr
        styleRecord(0xFF0000, 1, 0, 0, 0, 0),    // 2 bold, keyword colour
        styleRecord(0, 0, 0, 0, 0, 0),           // 3 the base style
        styleRecord(0x1A2B3C, 0, 1, 0, 0, 0),    // 4 italic, hexadecimal colour
        styleRecord(0x05008000, 1, 0, 0, 0, 0),  // 5 mlxt_Word_Entry_Acc
        styleRecord(0x06000000, 0, 0, 0, 2, 0),  // 6 mlxt_Word_Entry_
        styleRecord(0x000080, 0, 0, 0, 0, 0, 2), // 7 mlxt_Phon
        styleRecord(0, 0, 0, 0, 1, 2),           // 8 larger, super
        styleRecord(0, 0, 0, 1, 2, 1),           // 9 smaller, sub, underline
        styleRecord(0x03000000, 0, 1, 0, 0, 0),  // 10 mlxt_Word_Entry_Abbr_Acc
        styleRecord(0x04000000, 0, 0, 1, 0, 0),  // 11 mlxt_Word_Entry_Abbr_Acc_
        styleRecord(0, 1, 1, 0, 1, 0),           // 12 weight italic, style bold, 1.5
        styleRecord(0xAABBCC, 0, 0, 0, 2, 0),    // 13 x-small, #ABC
        styleRecord(0x07000000, 0, 0, 0, 0, 2),  // 14 mlxt_Word_Entry_Excl
        styleRecord(0x08000000, 0, 0, 0, 0, 1),  // 15 mlxt_Word_Entry_Sich
        styleRecord(0x09000000, 0, 0, 0, 1, 0),  // 16 mlxt_Word_Entry_Super
        styleRecord(0x0A000000, 1, 0, 0, 0, 0),  // 17 mlxt_Word_Entry_Symb, not in the sheet
    };
    ASSERT_EQ(context.styleCount(), static_cast<std::int32_t>(expected.size()));
    for (std::size_t i = 0; i < expected.size(); ++i) {
        StyleRecord got{};
        ASSERT_TRUE(context.getStyle(static_cast<std::int32_t>(i), got));
        EXPECT_TRUE(engine::userdic::sameStyle(got, expected[i]))
            << i << ": " << std::hex << got.color << " b" << int(got.bold) << " i" << int(got.italic) << " u"
            << int(got.underline) << " s" << int(got.fontSize) << " l" << int(got.level) << " g"
            << int(got.language);
    }
}

TEST_F(MlxImport, ArticlesThatShareALine)
{
    const auto articles =
        read(u"<style>.h{font-weight:bold}</style><div><div class=mlxp_Hdr><span class=mlxt_Word_Entry>one</span>"
             u"</div><div class=m>first</div></div><div><div class=mlxp_Hdr><span class=mlxt_Word_Entry>two</span>"
             u"</div><span class=mlxt_Ref>second</span></div>\n");
    ASSERT_EQ(articles.size(), 2u);
    EXPECT_EQ(articles[0].title, u"one");
    EXPECT_EQ(articles[0].body, u"one#M#00\"one%0d%0a\"#01\"first%0d%0a\"");
    EXPECT_EQ(articles[1].title, u"two");
    EXPECT_EQ(articles[1].body, u"two#M#00\"two%0d%0a\"#01\"second\"");
    EXPECT_EQ(context.articlesNotStored(2), 0);
}

TEST_F(MlxImport, AnArticleWithoutBodyEndsAtTheNextUnclassedDiv)
{
    const auto articles = read(u"<div><div class=mlxp_Hdr><span class=mlxt_Word_Entry>a</span></div>\n"
                               u"<div><div class=mlxp_Hdr><span class=mlxt_Word_Entry>b</span></div>\n"
                               u"<div class=mlxp_margin_0>text</div>\n");
    ASSERT_EQ(articles.size(), 2u);
    EXPECT_EQ(articles[0].body, u"a#M#00\"a%0d%0a\"");
    EXPECT_EQ(articles[1].body, u"b#M#00\"b%0d%0a\"#01\"text%0d%0a\"");
}

TEST_F(MlxImport, TextOutsideArticlesAndBlanksThatLayTheFileOutAreIgnored)
{
    const auto articles = read(u"<html><body>Title page\n<div>\n  <div class=mlxp_Hdr>\n"
                               u"    <span class=mlxt_Word_Entry>w</span>\n  </div>\n"
                               u"  <div class=mlxp_margin_0><span class=a>x</span> <span class=b>y</span></div>\n"
                               u"</div>\n");
    ASSERT_EQ(articles.size(), 1u);
    // The blank between two spans is text.
    EXPECT_EQ(articles[0].body, u"w#M#00\"w%0d%0a\"#01\"x y%0d%0a\"");
}

TEST_F(MlxImport, HiddenDivsAndStyledDivs)
{
    const auto articles =
        read(u"<style>.gone{display:none}.red{color:red;margin-left:20}.i{font-style:italic}</style>\n"
             u"<div><div class=mlxp_Hdr><span class=mlxt_Word_Entry>w</span></div>\n"
             u"<div class=gone>unseen</div>\n"
             u"<div class=red>r<span class=i>i</span>r</div>\n</div>\n");
    ASSERT_EQ(articles.size(), 1u);
    EXPECT_EQ(articles[0].body, u"w#M#00\"w%0d%0a\"#01\"\t\tr\"#02\"i\"#01\"r%0d%0a\"");
    StyleRecord italicRed{};
    ASSERT_TRUE(context.getStyle(2, italicRed));
    EXPECT_EQ(italicRed.color, 0xFF0000u);
    EXPECT_EQ(italicRed.italic, 1);
}

TEST_F(MlxImport, NestedDivsRestoreTheEnclosingStyle)
{
    const auto articles = read(u"<style>.red{color:red}.i{font-style:italic;margin-left:10}</style>\n"
                               u"<div><div class=mlxp_Hdr><span class=mlxt_Word_Entry>w</span></div>\n"
                               u"<div class=red>r<div class=i>i</div>r<div>plain div</div>r</div>\n</div>\n");
    ASSERT_EQ(articles.size(), 1u);
    // A classed div starts from the base style and ends its line; an
    // unclassed one keeps the style around it and ends nothing.
    EXPECT_EQ(articles[0].body, u"w#M#00\"w%0d%0a\"#01\"r\"#02\"\ti%0d%0a\"#01\"rplain divr%0d%0a\"");
    StyleRecord italic{};
    ASSERT_TRUE(context.getStyle(2, italic));
    EXPECT_EQ(italic.color, 0u);
    EXPECT_EQ(italic.italic, 1);
}

TEST_F(MlxImport, ABodyThatDoesNotFitKeepsWholeRuns)
{
    UDImportContextMLX small{40};
    small.reset();
    const auto articles = buildArticles(small, u"<div><div class=mlxp_Hdr><span class=mlxt_Word_Entry>w</span>"
                                               u"</div><div class=m>0123456789</div><div class=m>abcdefghij"
                                               u"</div></div>\n",
                                        24);
    ASSERT_EQ(articles.size(), 1u);
    // The buffer held "w", its line break and the first line; the built
    // body is cut before the run that no longer fits, and stays closed.
    EXPECT_EQ(articles[0].body, u"w#M#00\"w%0d%0a\"");
}

} // namespace
} // namespace lexvane::testing
