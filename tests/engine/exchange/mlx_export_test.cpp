// mlx_export_test.cpp: stored bodies into MLX article blocks.
#include "exchange/mlx_context.h"

#include <gtest/gtest.h>

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
