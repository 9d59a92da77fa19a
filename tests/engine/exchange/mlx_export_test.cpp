// mlx_export_test.cpp: stored bodies into MLX article blocks.
#include "dsl_test_support.h"
#include "exchange/mlx_context.h"
#include "exchange_test_support.h"

#include <gtest/gtest.h>

#include <random>

namespace lexvane::testing {
namespace {

using engine::exchange::UDImportContextMLX;

class MlxExport : public ::testing::Test {
protected:
    void SetUp() override
    {
        StyleRecord headword{};
        headword.number = 1;
        headword.color = 0x01000000;
        headword.bold = 1;
        context.addStyle(headword);
        StyleRecord plain{};
        plain.number = 5;
        context.addStyle(plain);
        StyleRecord italic{};
        italic.number = 7;
        italic.italic = 1;
        context.addStyle(italic);
    }

    std::u16string render(std::u16string_view body, bool expectSound = true)
    {
        std::u16string out;
        EXPECT_EQ(context.render(u"title", body, out), expectSound);
        return out;
    }

    UDImportContextMLX context{0x100000};
};

TEST_F(MlxExport, ImportedBodyWithMarginsAndEscapes)
{
    EXPECT_EQ(render(u"w#M#01\"w%0d%0a\"#05\"a & b <c> 'd' \"#07\"x%25%0d%0a\"#05\"\t\tdeep%0d%0a\""),
              u"\r\n<div>\r\n<div class='mlxp_Hdr'><span class='mlxt_Word_Entry'>w</span></div>"
              u"\r\n<div class='mlxp_margin_0'><span class='mlxt_VXN_5'>a &amp; b &lt;c&gt; &apos;d&apos; </span>"
              u"<span class='mlxt_VXN_7'>x%</span></div>"
              u"\r\n<div class='mlxp_margin_2'><span class='mlxt_VXN_5'>deep</span></div>"
              u"\r\n</div>\r\n");
}

TEST_F(MlxExport, ALineBreakInsideARunStartsANewLine)
{
    EXPECT_EQ(render(u"w#M#01\"w%0d%0a\"#05\"one%0d%0a\ttwo\"#07\"!%0D%0A\""),
              u"\r\n<div>\r\n<div class='mlxp_Hdr'><span class='mlxt_Word_Entry'>w</span></div>"
              u"\r\n<div class='mlxp_margin_0'><span class='mlxt_VXN_5'>one</span></div>"
              u"\r\n<div class='mlxp_margin_1'><span class='mlxt_VXN_5'>two</span><span class='mlxt_VXN_7'>!</span>"
              u"</div>\r\n</div>\r\n");
}

TEST_F(MlxExport, ARunWithAMissingStyleLosesOnlyItsClass)
{
    EXPECT_EQ(render(u"w#M#01\"w%0d%0a\"#42\"lost style \"#05\"kept%0d%0a\""),
              u"\r\n<div>\r\n<div class='mlxp_Hdr'><span class='mlxt_Word_Entry'>w</span></div>"
              u"\r\n<div class='mlxp_margin_0'><span>lost style </span><span class='mlxt_VXN_5'>kept</span></div>"
              u"\r\n</div>\r\n");
}

TEST_F(MlxExport, ABodyWithoutHeadwordSegmentGetsItsPrefixAsHeadword)
{
    EXPECT_EQ(render(u"a%23b's#05\"text\""),
              u"<div>\r\n<div class='mlxp_Hdr'><span class='mlxt_Word_Entry' >a#b&apos;s</span></div>"
              u"\r\n<div class='mlxp_margin_0'><span class='mlxt_VXN_5'>text</span></div>\r\n</div>\r\n");
    // Nothing at all: the headword is the title.
    EXPECT_EQ(render(u""), UDImportContextMLX::headwordBlock(u"title") + u"\r\n</div>\r\n");
    EXPECT_EQ(render(u"title#M"), UDImportContextMLX::headwordBlock(u"title") + u"\r\n</div>\r\n");
}

TEST_F(MlxExport, ADamagedBodyEndsWithEveryElementClosed)
{
    EXPECT_EQ(render(u"w#M#01\"w%0d%0a\"#05\"good%zz\"#05\"never\"", false),
              u"\r\n<div>\r\n<div class='mlxp_Hdr'><span class='mlxt_Word_Entry'>w</span></div>"
              u"\r\n<div class='mlxp_margin_0'><span class='mlxt_VXN_5'>good</span></div>\r\n</div>\r\n");
    EXPECT_EQ(render(u"w#M#01\"w%0d%0a\"#5x", false),
              u"\r\n<div>\r\n<div class='mlxp_Hdr'><span class='mlxt_Word_Entry'>w</span></div>\r\n</div>\r\n");
}

} // namespace
} // namespace lexvane::testing

namespace lexvane::testing {
namespace {

// Random bodies as import stores them: after the headword line, lines of
// runs in four styles, with margins, every character export escapes and a
// pair of surrogates; consecutive runs of one style joined as import joins
// them.
std::u16string randomBody(std::mt19937& random)
{
    const std::u16string_view pieces[] = {u"a", u"b ", u" ", u"&", u"&amp;", u"<", u">", u"'", u"%22",
                                          u"%23", u"%25", u"%09", u"\u00E9", u"\U0001F600", u";"};
    auto pick = [&](std::size_t n) { return static_cast<std::size_t>(random() % n); };
    std::u16string body = u"w#M#01\"w%0d%0a\"";
    int previous = 1;
    const std::size_t lines = 1 + pick(4);
    for (std::size_t line = 0; line < lines; ++line) {
        const std::size_t runs = 1 + pick(3);
        const std::size_t margin = pick(4);
        for (std::size_t run = 0; run < runs; ++run) {
            int style = 5 + static_cast<int>(pick(4));
            std::u16string text = run == 0 ? std::u16string(margin, u'\t') : u"";
            // The first piece of a run that does not start a line is no TAB:
            // that would read as a margin.
            text += u"x";
            for (std::size_t i = pick(4); i > 0; --i)
                text += pieces[pick(std::size(pieces))];
            if (run + 1 == runs)
                text += u"%0d%0a";
            if (style == previous && (run > 0 || margin == 0)) {
                body.pop_back();
            } else {
                if (style == previous)
                    style = style == 8 ? 5 : style + 1;
                body += u"#0" + std::u16string(1, static_cast<char16_t>(u'0' + style)) + u"\"";
            }
            body += text + u"\"";
            previous = style;
        }
    }
    return body;
}

TEST_F(MlxExport, RandomBodiesComeBackAsTheyWent)
{
    StyleRecord bold{};
    bold.number = 6;
    bold.bold = 1;
    bold.color = 0x123456;
    context.addStyle(bold);
    StyleRecord small{};
    small.number = 8;
    small.fontSize = 2;
    small.level = 1;
    context.addStyle(small);

    std::mt19937 random(20261210);
    for (int round = 0; round < 300; ++round) {
        const std::u16string body = randomBody(random);
        std::u16string file;
        context.exportHead(file);
        std::u16string article;
        ASSERT_TRUE(context.render(u"w", body, article));
        file += article;
        std::erase(file, u'\r');

        UDImportContextMLX reader{0x100000};
        reader.reset();
        const auto articles = buildArticles(reader, file);
        ASSERT_EQ(articles.size(), 1u);
        EXPECT_EQ(articles[0].title, u"w");
        EXPECT_EQ(describeStyles(articles[0].body, reader.styles()), describeStyles(body, context.styles()))
            << round;
    }
}

} // namespace
} // namespace lexvane::testing
