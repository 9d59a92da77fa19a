// mlx_style_sheet_test.cpp: the CSS rules MLX import understands, and the
// style sheet export writes.
#include "exchange/mlx_style_sheet.h"
#include "exchange_test_support.h"

#include <gtest/gtest.h>

namespace lexvane::testing {
namespace {

using engine::exchange::MlxClassMap;
using engine::exchange::writeStyleSheet;
using engine::userdic::StyleList;

StyleRecord styleOf(const MlxClassMap& map, std::u16string_view name)
{
    StyleRecord style{};
    const auto* rule = map.find(name);
    EXPECT_NE(rule, nullptr) << std::string(name.begin(), name.end());
    if (rule)
        rule->applyTo(style);
    return style;
}


struct DeclarationCase {
    const char* what;
    std::u16string declarations;
    StyleRecord expected;
};

class Declaration : public ::testing::TestWithParam<DeclarationCase> {};

TEST_P(Declaration, ChangesTheStyle)
{
    MlxClassMap map;
    map.feed(u".c{" + GetParam().declarations + u"}");
    const StyleRecord got = styleOf(map, u"c");
    EXPECT_TRUE(engine::userdic::sameStyle(got, GetParam().expected))
        << std::hex << got.color << " b" << int(got.bold) << " i" << int(got.italic) << " u" << int(got.underline)
        << " s" << int(got.fontSize) << " l" << int(got.level);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Declaration,
    ::testing::Values(
        DeclarationCase{"bold", u"font-weight: bold;", styleRecord(0, 1, 0, 0, 0, 0)},
        DeclarationCase{"weightItalic", u"font-weight: italic", styleRecord(0, 0, 1, 0, 0, 0)},
        DeclarationCase{"italic", u"font-style:italic;", styleRecord(0, 0, 1, 0, 0, 0)},
        DeclarationCase{"styleBold", u"FONT-STYLE: Bold;", styleRecord(0, 1, 0, 0, 0, 0)},
        DeclarationCase{"keyword", u"color: Red;", styleRecord(0xFF0000, 0, 0, 0, 0, 0)},
        DeclarationCase{"keywordAsExported", u" color:  aqua ; ", styleRecord(0x00FFFF, 0, 0, 0, 0, 0)},
        DeclarationCase{"hexAsExported", u" color:  #1a2b3c ; ", styleRecord(0x1A2B3C, 0, 0, 0, 0, 0)},
        DeclarationCase{"hexShort", u"color: #ABC", styleRecord(0xAABBCC, 0, 0, 0, 0, 0)},
        DeclarationCase{"unknownColour", u"color: nosuch; color: #12345", styleRecord(0, 0, 0, 0, 0, 0)},
        DeclarationCase{"larger", u"font-size: larger", styleRecord(0, 0, 0, 0, 1, 0)},
        DeclarationCase{"smaller", u"font-size: smaller", styleRecord(0, 0, 0, 0, 2, 0)},
        DeclarationCase{"large", u"font-size: LARGE", styleRecord(0, 0, 0, 0, 1, 0)},
        DeclarationCase{"xSmall", u"font-size: x-small", styleRecord(0, 0, 0, 0, 2, 0)},
        DeclarationCase{"numberAbove", u"font-size: 1.2em", styleRecord(0, 0, 0, 0, 1, 0)},
        DeclarationCase{"numberBelow", u"font-size: .8", styleRecord(0, 0, 0, 0, 2, 0)},
        DeclarationCase{"numberOne", u"font-size: 1.0", styleRecord(0, 0, 0, 0, 0, 0)},
        DeclarationCase{"wordWithoutLetter", u"font-size: medium", styleRecord(0, 0, 0, 0, 0, 0)},
        DeclarationCase{"sub", u"vertical-align: sub", styleRecord(0, 0, 0, 0, 0, 1)},
        DeclarationCase{"super", u"vertical-align: super", styleRecord(0, 0, 0, 0, 0, 2)},
        DeclarationCase{"underline", u"text-decoration: underline", styleRecord(0, 0, 0, 1, 0, 0)},
        DeclarationCase{"unknownDeclaration", u"border: 1px; : x; nothing", styleRecord(0, 0, 0, 0, 0, 0)},
        DeclarationCase{"every", u"font-weight:bold;color:#010203;font-style:italic;font-size:smaller;"
                                 u"vertical-align:super;text-decoration:underline",
                        styleRecord(0x010203, 1, 1, 1, 2, 2)}),
    [](const ::testing::TestParamInfo<DeclarationCase>& info) { return std::string(info.param.what); });

TEST(MlxClassMap, MarginsHiddenClassesPhoneticAndHeadwordClasses)
{
    MlxClassMap map;
    map.feed(u".mlxp_margin_3{ margin-left: 30px;}\n.gone { display: none }\n.x_Phon{color: navy}"
             u".mlxt_Word_Entry{font-weight:bold} .mlxt_Word_Entry_Symb{color:#0000ff}"
             u".mlxt_Word_Entry_Excl{}");
    EXPECT_EQ(map.find(u"mlxp_margin_3")->margin, 3);
    EXPECT_FALSE(map.find(u"mlxp_margin_3")->hidden);
    EXPECT_TRUE(map.find(u"gone")->hidden);
    EXPECT_TRUE(engine::userdic::sameStyle(styleOf(map, u"x_Phon"), styleRecord(0x000080, 0, 0, 0, 0, 0, 2)));
    // The class sits in the colour's top byte; the RGB bits stay.
    EXPECT_TRUE(engine::userdic::sameStyle(styleOf(map, u"mlxt_Word_Entry"), styleRecord(0x01000000, 1, 0, 0, 0, 0)));
    EXPECT_TRUE(engine::userdic::sameStyle(styleOf(map, u"mlxt_Word_Entry_Symb"), styleRecord(0x0A0000FF, 0, 0, 0, 0, 0)));
    EXPECT_TRUE(engine::userdic::sameStyle(styleOf(map, u"mlxt_Word_Entry_Excl"), styleRecord(0x07000000, 0, 0, 0, 0, 0)));
    EXPECT_EQ(map.find(u"mlxt_VXN_1"), nullptr);
}

TEST(MlxClassMap, RulesArriveInPiecesAndCommentsAreSkipped)
{
    MlxClassMap map;
    map.feed(u"/* a comment */ .a\n");
    map.feed(u"{ color: red;\n");
    EXPECT_EQ(map.find(u"a"), nullptr);
    map.feed(u"  font-weight: bold; }\n.b{font-style:italic}");
    EXPECT_TRUE(engine::userdic::sameStyle(styleOf(map, u"a"), styleRecord(0xFF0000, 1, 0, 0, 0, 0)));
    EXPECT_TRUE(engine::userdic::sameStyle(styleOf(map, u"b"), styleRecord(0, 0, 1, 0, 0, 0)));
    // A later rule for the same class replaces the earlier one.
    map.feed(u".a{text-decoration:underline}");
    EXPECT_TRUE(engine::userdic::sameStyle(styleOf(map, u"a"), styleRecord(0, 0, 0, 1, 0, 0)));
}

TEST(MlxStyleSheet, WritesEveryDeclarationAndTheMissingHeadwordClasses)
{
    StyleList styles;
    StyleRecord headword = styleRecord(0x01000000, 1, 0, 0, 0, 0);
    headword.number = 1;
    styles.add(headword);
    StyleRecord every = styleRecord(0x1A2B3C, 1, 1, 1, 1, 2);
    every.number = 5;
    styles.add(every);
    StyleRecord keyword = styleRecord(0x00FFFF, 0, 0, 0, 2, 1);
    keyword.number = 12;
    styles.add(keyword);
    StyleRecord plain{};
    plain.number = 0;
    styles.add(plain);
    // Two styles of one class: only the last is written.
    StyleRecord symbol = styleRecord(0x0A000000, 0, 1, 0, 0, 0);
    symbol.number = 20;
    styles.add(symbol);
    symbol.italic = 0;
    symbol.underline = 1;
    symbol.number = 21;
    styles.add(symbol);

    const std::u16string expected =
        u"<style>\r\n"
        u".mlxp_Hdr{ margin-left: 0;}\r\n"
        u".mlxp_margin_0{ margin-left: 0;}\r\n.mlxp_margin_1{ margin-left: 10;}\r\n"
        u".mlxp_margin_2{ margin-left: 20;}\r\n.mlxp_margin_3{ margin-left: 30;}\r\n"
        u".mlxp_margin_4{ margin-left: 40;}\r\n.mlxp_margin_5{ margin-left: 50;}\r\n"
        u".mlxp_margin_6{ margin-left: 60;}\r\n.mlxp_margin_7{ margin-left: 70;}\r\n"
        u".mlxp_margin_8{ margin-left: 80;}\r\n.mlxp_margin_9{ margin-left: 90;}\r\n"
        u".mlxt_Word_Entry{  font-weight: bold; }\r\n"
        u".mlxt_VXN_5{  font-weight: bold;  color:  #1a2b3c ;  font-style: italic;  font-size: larger; "
        u" vertical-align: super;  text-decoration: underline; }\r\n"
        u".mlxt_VXN_12{  color:  aqua ;  font-size: smaller;  vertical-align: sub; }\r\n"
        u".mlxt_VXN_0{ }\r\n"
        u".mlxt_Word_Entry_Symb{  text-decoration: underline; }\r\n"
        u".mlxt_Word_Entry_Abbr{ font-weight: bold;}\r\n"
        u".mlxt_Word_Entry_Abbr_Acc{ font-weight: bold;}\r\n"
        u".mlxt_Word_Entry_Abbr_Acc_{ font-weight: bold;}\r\n"
        u".mlxt_Word_Entry_Acc{ font-weight: bold;}\r\n"
        u".mlxt_Word_Entry_{ font-weight: bold;}\r\n"
        u".mlxt_Word_Entry_Excl{ font-weight: bold;}\r\n"
        u".mlxt_Word_Entry_Sich{ font-weight: bold;}\r\n"
        u".mlxt_Word_Entry_Super{ font-weight: bold;}\r\n"
        u"</style>\r\n";
    const std::u16string sheet = writeStyleSheet(styles);
    EXPECT_EQ(sheet, expected);

    // Read back, every class gives the style it was written from.
    MlxClassMap map;
    map.feed(sheet.substr(9, sheet.size() - 9 - 10));
    EXPECT_TRUE(engine::userdic::sameStyle(styleOf(map, u"mlxt_Word_Entry"), headword));
    EXPECT_TRUE(engine::userdic::sameStyle(styleOf(map, u"mlxt_VXN_5"), every));
    EXPECT_TRUE(engine::userdic::sameStyle(styleOf(map, u"mlxt_VXN_12"), keyword));
    EXPECT_TRUE(engine::userdic::sameStyle(styleOf(map, u"mlxt_VXN_0"), plain));
    EXPECT_TRUE(engine::userdic::sameStyle(styleOf(map, u"mlxt_Word_Entry_Symb"), symbol));
    EXPECT_EQ(map.find(u"mlxp_margin_7")->margin, 7);
}

} // namespace
} // namespace lexvane::testing
