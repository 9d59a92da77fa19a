// Tests of the declaration parser: each property's accepted forms, the
// last-declaration-wins rule, the weight formula and the size division of
// raised and lowered text.
#include "ArticleEngine/Controller/css_text_style.h"
#include "ArticleEngine/External/font_weight.h"
#include "ArticleEngine/External/text_fragment_style.h"

#include "qt_printers.h"

#include <QFont>

#include <gtest/gtest.h>

#include <limits>

using ArticleEngine::TextFragmentStyle;
using ArticleEngine::Controller::cssToTextStyle;
using ArticleEngine::Controller::legacyWeightOfCss;

namespace {

TextFragmentStyle parsed(const QString& declarations)
{
    TextFragmentStyle style(nullptr, QColor(), QColor(), 0, 0, 0, 0, 0);
    cssToTextStyle(declarations, style);
    return style;
}

QFont parsedFont(const QString& declarations)
{
    const TextFragmentStyle style = parsed(declarations);
    return style.font() != nullptr ? *style.font() : QFont();
}

TEST(CssToTextStyle, ColourForms)
{
    struct Case {
        const char* name;
        const char* declarations;
        QColor expected; // invalid: no colour
    };
    const Case cases[] = {
        {"rgb", "color: rgb(10, 20, 30);", QColor(10, 20, 30, 255)},
        {"six hex digits", "color: #ff0000;", QColor(255, 0, 0)},
        {"three hex digits", "color: #0f0;", QColor(0, 255, 0)},
        {"hex written last wins", "color: rgb(10, 20, 30); color: #ff0000;", QColor(255, 0, 0)},
        {"rgb written last wins", "color: #ff0000; color: rgb(10, 20, 30);", QColor(10, 20, 30)},
        {"capitals match after lower-casing", "COLOR: RGB(10, 20, 30);", QColor(10, 20, 30)},
        {"capital hex digits", "color: #00FF00;", QColor(0, 255, 0)},
        {"a part that is no number counts as 0", "color: rgb(10, x, 30);", QColor(10, 0, 30)},
        {"a named colour is no accepted form", "color: red;", QColor()},
        {"an unreadable last declaration leaves none", "color: #ff0000; color: red;", QColor()},
        {"a component out of range is no colour", "color: rgb(300, 0, 0);", QColor()},
        {"bad hex", "color: #ff00;", QColor()},
        {"no closing semicolon, no declaration", "color: #ff0000", QColor()},
        {"background-color matches too", "color: #ff0000; background-color: #0000ff;", QColor(0, 0, 255)},
        {"nothing", "", QColor()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const TextFragmentStyle style = parsed(QString::fromLatin1(c.declarations));
        EXPECT_EQ(style.textColor.isValid(), c.expected.isValid());
        if (c.expected.isValid()) {
            EXPECT_EQ(style.textColor, c.expected);
        }
    }
}

TEST(CssToTextStyle, WeightFormulaCutsTowardZero)
{
    const std::pair<int, int> cases[] = {{100, 0}, {400, 37}, {700, 74}, {900, 99}, {500, 49}};
    for (const auto& [css, legacy] : cases)
        EXPECT_EQ(legacyWeightOfCss(css), legacy) << css;
}

// Fault: a pasted weight of the lowest int overflowed the subtraction.
TEST(CssToTextStyle, WeightAtTheEndsOfTheIntRange)
{
    EXPECT_EQ(legacyWeightOfCss(std::numeric_limits<int>::min()), -265751126);
    EXPECT_EQ(legacyWeightOfCss(std::numeric_limits<int>::max()), 265751101);
    EXPECT_EQ(parsedFont(QStringLiteral("font-weight: -2147483648;")).weight(), QFont::Thin);
    EXPECT_EQ(parsedFont(QStringLiteral("font-weight: 2147483647;")).weight(), QFont::Black);
}

TEST(CssToTextStyle, WeightKeywordsAndNumbers)
{
    using ArticleEngine::External::toToolkitWeight;
    struct Case {
        const char* declarations;
        int weight;
    };
    // On the old scale "bold" is 900 before the formula (99, the heaviest),
    // "bolder" 700 (74).
    const Case cases[] = {
        {"font-weight: bolder;", toToolkitWeight(74)},
        {"font-weight: bold;", QFont::Black},
        {"font-weight: lighter;", QFont::Thin},
        {"font-weight: 700;", toToolkitWeight(74)},
        {"font-weight: 400;", toToolkitWeight(37)},
        {"font-weight: bold; font-weight: 100;", QFont::Thin},
        {"font-weight: heavy;", QFont().weight()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parsedFont(QString::fromLatin1(c.declarations)).weight(), c.weight) << c.declarations;
}

TEST(CssToTextStyle, SizeAndVerticalAlignment)
{
    struct Case {
        const char* declarations;
        int pointSize; // -1: not a point size
        int pixelSize; // -1: not a pixel size
        int alignment;
    };
    const QFont fresh;
    const Case cases[] = {
        {"font-size: 12pt;", 12, -1, 7},
        {"font-size: 15px;", -1, 15, 7},
        {"font-size: 12 pt;", 12, -1, 7},
        {"font-size: 12pt; vertical-align: super;", 8, -1, 1},
        {"font-size: 12pt; vertical-align: baseline;", 12, -1, 0},
        {"font-size: 15px; vertical-align: sub;", -1, 10, -1},
        {"font-size: 7px; vertical-align: sub; vertical-align: super;", -1, 4, 1},
        {"font-size: 12pt; vertical-align: middle;", 12, -1, 7},
        {"font-size: 12.5pt;", fresh.pointSize(), fresh.pixelSize(), 7},
        {"font-size: 0px;", fresh.pointSize(), fresh.pixelSize(), 7},
        {"font-size: 15px; font-size: 12pt;", 12, -1, 7},
        {"font-size: 1pt; vertical-align: super;", 1, -1, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.declarations);
        // A marker alignment that only a matched declaration replaces.
        TextFragmentStyle style(nullptr, QColor(), QColor(), 7, 0, 0, 0, 0);
        cssToTextStyle(QString::fromLatin1(c.declarations), style);
        ASSERT_NE(style.font(), nullptr);
        EXPECT_EQ(style.font()->pointSize(), c.pointSize);
        EXPECT_EQ(style.font()->pixelSize(), c.pixelSize);
        EXPECT_EQ(style.verticalAlignment, c.alignment);
    }
}

TEST(CssToTextStyle, DecorationFlagsAccumulateAndClearTheRest)
{
    QFont font = parsedFont(QStringLiteral("text-decoration: underline;"));
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.overline());
    EXPECT_FALSE(font.strikeOut());

    font = parsedFont(QStringLiteral("text-decoration: overline; text-decoration: line-through;"));
    EXPECT_TRUE(font.overline());
    EXPECT_TRUE(font.strikeOut());
    EXPECT_FALSE(font.underline());

    font = parsedFont(QStringLiteral("text-decoration: none;"));
    EXPECT_FALSE(font.overline() || font.strikeOut() || font.underline());
}

TEST(CssToTextStyle, FamilyIsTheFirstNameWithoutQuotesInItsOwnCase)
{
    EXPECT_EQ(parsedFont(QStringLiteral("font-family: 'Times New Roman', serif;")).family(),
              QStringLiteral("Times New Roman"));
    EXPECT_EQ(parsedFont(QStringLiteral("FONT-FAMILY: \"DejaVu Sans\" , 'x';")).family(),
              QStringLiteral("DejaVu Sans"));
    EXPECT_EQ(parsedFont(QStringLiteral("font-family: a; font-family: Liberation Mono;")).family(),
              QStringLiteral("Liberation Mono"));
}

TEST(CssToTextStyle, FontStyleLaterKeywordsOverride)
{
    EXPECT_EQ(parsedFont(QStringLiteral("font-style: italic;")).style(), QFont::StyleItalic);
    EXPECT_EQ(parsedFont(QStringLiteral("font-style: oblique;")).style(), QFont::StyleOblique);
    EXPECT_EQ(parsedFont(QStringLiteral("font-style: normal italic;")).style(), QFont::StyleItalic);
    EXPECT_EQ(parsedFont(QStringLiteral("font-style: italic; font-style: normal;")).style(),
              QFont::StyleNormal);
}

TEST(CssToTextStyle, TheStyleOwnsItsFontAndKeepsItsOtherMembers)
{
    QFont shared;
    TextFragmentStyle style(&shared, QColor(1, 2, 3), QColor(4, 5, 6), 0, 7, 8, 9, 10);
    cssToTextStyle(QStringLiteral(".3 { color: rgb(1, 1, 1); }"), style);
    EXPECT_TRUE(style.ownsFont());
    EXPECT_NE(style.font(), &shared);
    EXPECT_EQ(style.textColor, QColor(1, 1, 1));
    EXPECT_EQ(style.backgroundColor, QColor(4, 5, 6));
    EXPECT_EQ(style.extraInts, (std::array<int, 3>{7, 8, 9}));
    EXPECT_EQ(style.extraByte, 10);
}

} // namespace
