// dsl_import_test.cpp: DSL lines into article markup and styles.
#include "dsl_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace lexvane::testing {
namespace {

using engine::exchange::UDImportContextDSL;

class DslImport : public ::testing::Test {
protected:
    std::vector<BuiltArticle> build(const std::u16string& text, std::size_t room = 0x100000)
    {
        return buildArticles(context, text, room);
    }

    // The body of the only article, after its headword segment and run.
    std::u16string runsOf(const std::u16string& text)
    {
        const auto articles = build(text);
        EXPECT_EQ(articles.size(), 1u);
        if (articles.empty())
            return {};
        const std::u16string& body = articles[0].body;
        std::u16string title;
        for (char16_t c : articles[0].title)
            title += c == u'"' ? std::u16string(u"%22") : std::u16string(1, c);
        const std::u16string head = title + u"#M#01\"" + title + u"%0d%0a\"";
        EXPECT_EQ(body.substr(0, head.size()), head);
        return body.substr(head.size());
    }

    StyleRecord style(std::int32_t number)
    {
        StyleRecord record{};
        EXPECT_TRUE(context.getStyle(number, record)) << number;
        return record;
    }

    UDImportContextDSL context{0x100000};
};

TEST_F(DslImport, BoldWordAndPlainTextGiveTwoRunsNumberedByMatchOrAdd)
{
    EXPECT_EQ(runsOf(u"w\n\t[b]word[/b] more\n"), u"#00\"word\"#02\" more%0d%0a\"");
    EXPECT_EQ(style(0).bold, 1);
    EXPECT_EQ(style(2).bold, 0);
    // Style 1 is the headword style: headword class 1, which export leaves out.
    EXPECT_EQ(style(1).color, 0x01000000u);
}

TEST_F(DslImport, TagsSetTheirStyleFields)
{
    struct Case {
        const char16_t* tag;
        std::uint32_t color;
        int bold, italic, underline, level;
    };
    const Case cases[] = {
        {u"[i]", 0, 0, 1, 0, 0},         {u"[U]", 0, 0, 0, 1, 0},          {u"[sub]", 0, 0, 0, 0, 1},
        {u"[sup]", 0, 0, 0, 0, 2},       {u"[p]", 0x007F00, 0, 0, 0, 0},   {u"[com]", 0x007F00, 0, 0, 0, 0},
        {u"[*]", 0xFF0000, 0, 0, 0, 0},  {u"[']", 0xFF00FF, 0, 0, 0, 0},   {u"[url]", 0x00007F, 0, 0, 1, 0},
        {u"[c red]", 0xFF0000, 0, 0, 0, 0}, {u"[c #ff0000]", 0xFF0000, 0, 0, 0, 0},
        {u"[c  DarkGreen ]", 0x006400, 0, 0, 0, 0}, {u"[c #ff0000ff]", 0xFF0000, 0, 0, 0, 0},
        {u"[c #12]", 0x12, 0, 0, 0, 0},  {u"[c nocolour]", 0, 0, 0, 0, 0}, {u"[c]", 0, 0, 0, 0, 0},
        {u"[ex]", 0, 0, 0, 0, 0},        {u"[lang id=1]", 0, 0, 0, 0, 0},  {u"[!trs]", 0, 0, 0, 0, 0},
    };
    for (const Case& c : cases) {
        context.reset();
        const std::u16string runs = runsOf(u"w\n\t" + std::u16string(c.tag) + u"x\n");
        ASSERT_EQ(runs.substr(0, 1), u"#");
        const StyleRecord record = style((runs[1] - u'0') * 10 + (runs[2] - u'0'));
        EXPECT_EQ(record.color, c.color);
        EXPECT_EQ(record.bold, c.bold);
        EXPECT_EQ(record.italic, c.italic);
        EXPECT_EQ(record.underline, c.underline);
        EXPECT_EQ(record.level, c.level);
    }
}

TEST_F(DslImport, MarginsOpenARunWithTabsAndAreClampedToNine)
{
    EXPECT_EQ(runsOf(u"w\n\t[m2]a[/m]\n\t[m12]b[/m]\n\tc\n"),
              u"#00\"\t\ta%0d%0a\"#00\"\t\t\t\t\t\t\t\t\tb%0d%0a\"#00\"c%0d%0a\"");
}

TEST_F(DslImport, UnknownTagIsIgnoredButItsClosingTagStillPops)
{
    EXPECT_EQ(runsOf(u"w\n\t[b][x]a[/x]b\n"), u"#00\"a\"#02\"b%0d%0a\"");
    EXPECT_EQ(style(0).bold, 1);
    EXPECT_EQ(style(2).bold, 0); // [/x] closed the bold
}

TEST_F(DslImport, StyleStackHoldsAtMost127AboveTheBase)
{
    std::u16string line = u"w\n\t";
    for (int i = 0; i < 130; ++i)
        line += u"[b]";
    line += u"a";
    for (int i = 0; i < 127; ++i)
        line += u"[/b]";
    line += u"b\n";
    // 127 pops empty the stack down to the base style again.
    EXPECT_EQ(runsOf(line), u"#00\"a\"#02\"b%0d%0a\"");
}

TEST_F(DslImport, EscapesAndSpecialCharacters)
{
    // ~ and @ stand for the headword; ^~ too; \ makes the next character
    // literal, where @ is a line break and ^ is kept.
    EXPECT_EQ(runsOf(u"a\"b\n\t~ @ ^~ ^x \\~ \\@ \\^ \\[ \\\\ # \" %\tz\r\n"),
              u"#00\"a%22b a%22b a%22b ^x ~ %0d%0a %5e [ \\ %23 %22 %25%09z%0d%0a\"");
}

TEST_F(DslImport, ABracketThatOpensNoTagIsText)
{
    EXPECT_EQ(runsOf(u"w\n\ta [b\n"), u"#00\"a [b%0d%0a\"");
}

TEST_F(DslImport, HeadwordLinesShareTheBodyLinesAfterThem)
{
    const auto articles = build(u"one\ntwo\n\tshared\nthree\n\tits own\n");
    ASSERT_EQ(articles.size(), 3u);
    EXPECT_EQ(articles[0].title, u"one");
    EXPECT_EQ(articles[1].title, u"two");
    EXPECT_EQ(articles[2].title, u"three");
    EXPECT_EQ(articles[0].body.substr(articles[0].body.find(u"%0d%0a\"#")), u"%0d%0a\"#00\"shared%0d%0a\"");
    EXPECT_EQ(articles[1].body.substr(articles[1].body.find(u"%0d%0a\"#")), u"%0d%0a\"#00\"shared%0d%0a\"");
    EXPECT_EQ(articles[2].body.substr(articles[2].body.find(u"%0d%0a\"#")), u"%0d%0a\"#00\"its own%0d%0a\"");
}

TEST_F(DslImport, EmptyLinesNeitherEndNorSplitAnArticle)
{
    const auto articles = build(u"one\n\n\ta\n\n\tb\n\n\ntwo\n\tc\n");
    ASSERT_EQ(articles.size(), 2u);
    EXPECT_NE(articles[0].body.find(u"a%0d%0ab%0d%0a"), std::u16string::npos);
}

TEST_F(DslImport, CommentsVanishWithinAndAcrossLines)
{
    struct Case {
        const char16_t* text;
        const char16_t* runs;
    };
    const Case cases[] = {
        {u"w\n\ta{{x}}b{{y}}c\n", u"#00\"abc%0d%0a\""},
        // An unclosed comment swallows the rest of its line and every line
        // up to the one with the closing braces.
        {u"w\n\ta {{x\nnot a headword\n\tnor body}} b\n", u"#00\"a b%0d%0a\""},
        // Closing braces before the opening ones close nothing; the search
        // for the closing braces starts after the opening ones.
        {u"w\n\ta }} b {{ c }} d\n", u"#00\"a }} b  d%0d%0a\""},
        {u"w\n\ta {{ b {{ c }} d\n", u"#00\"a  d%0d%0a\""},
    };
    for (const Case& c : cases) {
        context.reset();
        EXPECT_EQ(runsOf(c.text), c.runs) << std::u16string(c.text).size();
    }
}

TEST_F(DslImport, CommentOpenedOnAHeadwordLineIsNotLostWhenTheLineIsGivenBack)
{
    const auto articles = build(u"one\n\ta\ntwo {{comment\n\tstill comment\n}}\n\tb\n");
    ASSERT_EQ(articles.size(), 2u);
    EXPECT_EQ(articles[1].title, u"two ");
    EXPECT_EQ(articles[1].body.substr(articles[1].body.find(u"%0d%0a\"#")), u"%0d%0a\"#00\"b%0d%0a\"");
}

TEST_F(DslImport, HeadwordLongerThan256IsCutTo255AndTheLineIsNeverSplit)
{
    const std::u16string longWord(10000, u'x');
    const auto articles = build(longWord + u"\n\tbody\n");
    ASSERT_EQ(articles.size(), 1u);
    EXPECT_EQ(articles[0].title, std::u16string(255, u'x'));
}

TEST_F(DslImport, PercentEscapesInHeadwordsAreDecoded)
{
    const auto articles = build(u"100%25 sure%\n\tx\n");
    ASSERT_EQ(articles.size(), 1u);
    EXPECT_EQ(articles[0].title, u"100% sure%");
    // The markup escapes it again.
    EXPECT_EQ(articles[0].body.substr(0, 18), u"100%25 sure%25#M#0");
}

TEST_F(DslImport, ABodyOverItsRoomIsCutWhereARunCanBeClosed)
{
    std::u16string line = u"w\n\t";
    for (int i = 0; i < 50; ++i)
        line += u"[b]ab\"[/b]cd";
    const std::u16string head = u"w#M#01\"w%0d%0a\"";
    for (std::size_t room = head.size(); room < head.size() + 60; ++room) {
        context.reset();
        const auto articles = build(line, room);
        ASSERT_EQ(articles.size(), 1u);
        const std::u16string& body = articles[0].body;
        EXPECT_LE(body.size(), room);
        EXPECT_EQ(body.back(), u'"') << room;
        // Runs whole: an even count of quotes, and no escape cut short.
        EXPECT_EQ(std::count(body.begin(), body.end(), u'"') % 2, 0) << room;
        const std::size_t percent = body.rfind(u'%');
        EXPECT_LE(percent + 3, body.size() - 1) << room;
    }
}

} // namespace
} // namespace lexvane::testing
