// dsl_export_test.cpp: stored bodies rendered as DSL lines, titles on
// headword lines, and merging bodies within their room.
#include "exchange/body_merge.h"
#include "exchange/dsl_context.h"

#include <gtest/gtest.h>

namespace lexvane::testing {
namespace {

using engine::exchange::mergeBodies;
using engine::exchange::UDImportContextDSL;

StyleRecord makeStyle(std::int32_t number, std::uint32_t color, int bold = 0, int italic = 0, int underline = 0,
                      int level = 0)
{
    StyleRecord record{};
    record.number = number;
    record.color = color;
    record.bold = static_cast<std::int8_t>(bold);
    record.italic = static_cast<std::int8_t>(italic);
    record.underline = static_cast<std::int8_t>(underline);
    record.level = static_cast<std::int8_t>(level);
    return record;
}

class DslRender : public ::testing::Test {
protected:
    std::u16string render(const std::u16string& body, bool expectWhole = true)
    {
        std::u16string out;
        EXPECT_EQ(context.render(body, out), expectWhole);
        return out;
    }

    UDImportContextDSL context{0x100000};
};

TEST_F(DslRender, TagsOpenInOrderAndCloseInReverse)
{
    context.addStyle(makeStyle(3, 0xFF0000, 1, 1, 1, 2));
    context.addStyle(makeStyle(4, 0, 0, 0, 0, 1));
    EXPECT_EQ(render(u"#03\"x\"#04\"y\""), u"\r\n [b][c red][i][sup][u]x[/u][/sup][/i][/c][/b][sub]y[/sub]");
}

TEST_F(DslRender, ColoursByFirstKeywordElseHexAndBlackWritesNoTag)
{
    context.addStyle(makeStyle(0, 0x00FFFF));
    context.addStyle(makeStyle(1, 0x123456));
    context.addStyle(makeStyle(2, 0));
    EXPECT_EQ(render(u"#00\"a\"#01\"b\"#02\"c\""), u"\r\n [c aqua]a[/c][c #123456]b[/c]c");
}

TEST_F(DslRender, HeadwordRunsOfImportedBodiesAreLeftOut)
{
    context.addStyle(makeStyle(1, 0x01000000, 1));
    context.addStyle(makeStyle(0, 0));
    EXPECT_EQ(render(u"w#M#01\"w%0d%0a\"#00\"a%0d%0a\"#01\"w%0d%0a\"#00\"b%0d%0a\""), u"\r\n a\r\n b");
}

TEST_F(DslRender, BareDictionaryStillExportsTheArticleAfterItsHeadwordRun)
{
    // No styles at all: the headword run is known by its place, and the
    // other runs are written without tags.
    EXPECT_EQ(render(u"w#M#01\"w%0d%0a\"#00\"text%0d%0a\"#07\"more\""), u"\r\n text\r\n more");
}

TEST_F(DslRender, RunOfAMissingStyleIsWrittenWithoutTagsAndTheRestFollows)
{
    context.addStyle(makeStyle(0, 0, 1));
    EXPECT_EQ(render(u"#00\"a\"#05\"b\"#00\"c\""), u"\r\n [b]a[/b]b[b]c[/b]");
}

TEST_F(DslRender, LinesMarginsAndEmptyLines)
{
    EXPECT_EQ(render(u"#00\"\ta%0d%0ab%0d%0a%0d%0a\"#00\"\t\tc%0D%0A\""),
              u"\r\n [m1]a[/m]\r\n b\r\n \r\n [m2]c[/m]");
}

TEST_F(DslRender, EscapesEveryCharacterThatImportTreatsSpecially)
{
    EXPECT_EQ(render(u"#00\"[]\\~^{}%25%23%22%09x\""), u"\r\n \\[\\]\\\\\\~\\^\\{\\}%#\"\tx");
}

TEST_F(DslRender, DamagedBodyEndsTheRenderingAndKeepsWhatCameBefore)
{
    EXPECT_EQ(render(u"#00\"ab%zz\"", false), u"\r\n ab");
    EXPECT_EQ(render(u"#00\"ab\"x", false), u"\r\n ab");
    EXPECT_EQ(render(u"no runs at all"), u"");
}

TEST(DslTitleLine, PercentBracesAndLeadingBlanksAreEscapedAndReadBack)
{
    const std::u16string titles[] = {u"100%", u"{{x}}", u" lead", u"#hash", u"tab\there", u"plain"};
    const std::u16string written[] = {u"100%25", u"%7b%7bx%7d%7d", u"%20lead", u"%23hash", u"tab%09here", u"plain"};
    for (std::size_t i = 0; i < std::size(titles); ++i) {
        EXPECT_EQ(UDImportContextDSL::escapeTitleLine(titles[i]), written[i]);
        EXPECT_EQ(UDImportContextDSL::unescapeTitleLine(written[i]), titles[i]);
    }
}

TEST(BodyMerge, AppendsTheNewRunsBehindALineBreak)
{
    std::u16string out;
    mergeBodies(u"w#M#01\"w%0d%0a\"#00\"a\"", u"w#M#01\"w%0d%0a\"#00\"b\"", 1000, out);
    EXPECT_EQ(out, u"w#M#01\"w%0d%0a\"#00\"a%0d%0a\"#01\"w%0d%0a\"#00\"b\"");
    mergeBodies(u"", u"w#M#00\"b\"", 1000, out);
    EXPECT_EQ(out, u"w#M#00\"b\"");
}

TEST(BodyMerge, CutsOnlyAtRunBoundariesAndKeepsTheLastRunClosed)
{
    const std::u16string stored = u"w#M#00\"a\"";
    const std::u16string added = u"w#M#01\"long run one\"#02\"two\"";
    std::u16string out;
    for (std::size_t room = stored.size(); room < 60; ++room) {
        mergeBodies(stored, added, room, out);
        EXPECT_LE(out.size(), std::max(room, stored.size()));
        EXPECT_EQ(out.back(), u'"');
        EXPECT_EQ(std::count(out.begin(), out.end(), u'"') % 2, 0) << room;
    }
    mergeBodies(stored, added, 34, out);
    EXPECT_EQ(out, u"w#M#00\"a%0d%0a\"#01\"long run one\"");
}

} // namespace
} // namespace lexvane::testing
