// Tests of the CSS writers: declarations of styles and fonts (golden
// strings), the weight scales, margins in CSS order and the sorted style
// sheet of copied source.
#include "layout_fixture.h"

#include "ArticleEngine/Controller/style_css.h"
#include "ArticleEngine/External/font_weight.h"

#include <QFont>

#include <gtest/gtest.h>

using namespace ArticleEngine;
using namespace ArticleEngine::Controller;
using lexvane::testing::TestStyleServer;

namespace {

QString families(const QFont& font)
{
    return QStringLiteral("font-family: '") + font.family() + QStringLiteral("', '") + font.defaultFamily()
        + QStringLiteral("';");
}

TEST(StyleCss, SuperscriptPointFontIsOneAndAHalfTimesLargerAndRaised)
{
    QFont font(QStringLiteral("DejaVu Sans"), 12);
    const TextFragmentStyle style(&font, QColor(10, 20, 30), QColor(), 1, 0, 0, 0, 0);
    EXPECT_EQ(joinCss(styleCss(style)).toStdString(),
              (QStringLiteral("color: rgb(10, 20, 30); vertical-align: super; ") + families(font)
               + QStringLiteral(" font-size: 18pt; font-weight: 500; font-style: normal; text-decoration: none;"))
                  .toStdString());
}

TEST(StyleCss, AlignmentGivesTheDeclarationAndTheSizeFactor)
{
    struct Case {
        int alignment;
        const char* declaration; // null: none
        const char* size;
    };
    const Case cases[] = {
        {0, "vertical-align: baseline;", "font-size: 10pt;"},
        {-1, "vertical-align: sub;", "font-size: 15pt;"},
        {1, "vertical-align: super;", "font-size: 15pt;"},
        {2, nullptr, "font-size: 10pt;"},
    };
    QFont font(QStringLiteral("DejaVu Sans"), 10);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.alignment);
        const QStringList css = styleCss(TextFragmentStyle(&font, Qt::black, QColor(), c.alignment, 0, 0, 0, 0));
        EXPECT_EQ(css.filter(QStringLiteral("vertical-align")).join(QString()),
                  c.declaration ? QString::fromLatin1(c.declaration) : QString());
        EXPECT_TRUE(css.contains(QString::fromLatin1(c.size))) << css.join(' ').toStdString();
    }
}

TEST(StyleCss, StyleWithoutFontHasColourAndAlignmentOnly)
{
    const TextFragmentStyle style(nullptr, QColor(255, 0, 7), QColor(), 0, 0, 0, 0, 0);
    EXPECT_EQ(joinCss(styleCss(style)), QStringLiteral("color: rgb(255, 0, 7); vertical-align: baseline;"));
}

TEST(FontCss, PixelSizesKeepSixSignificantDigits)
{
    QFont font;
    font.setPixelSize(13);
    EXPECT_TRUE(fontCss(font, 1.5).contains(QStringLiteral("font-size: 19.5px;")));
    font.setPointSizeF(7.3333333);
    EXPECT_TRUE(fontCss(font, 1.0).contains(QStringLiteral("font-size: 7.33333pt;")));
}

TEST(FontCss, SlantAndDecorations)
{
    QFont font(QStringLiteral("DejaVu Sans"), 10);
    font.setItalic(true);
    font.setUnderline(true);
    font.setStrikeOut(true);
    font.setOverline(true);
    const QStringList css = fontCss(font, 1.0);
    EXPECT_TRUE(css.contains(QStringLiteral("font-style: italic;")));
    EXPECT_TRUE(css.contains(QStringLiteral("text-decoration: overline line-through underline;")));
    font.setStyle(QFont::StyleOblique);
    font.setOverline(false);
    font.setStrikeOut(false);
    EXPECT_TRUE(fontCss(font, 1.0).contains(QStringLiteral("font-style: oblique;")));
    EXPECT_TRUE(fontCss(font, 1.0).contains(QStringLiteral("text-decoration: underline;")));
}

// The style sheets count weights on the 0-99 scale: normal 50 gives 500,
// bold 75 gives 700, black 99 gives 900, whatever scale the font keeps.
TEST(FontCss, WeightsAreWrittenFromTheLegacyScale)
{
    const std::pair<QFont::Weight, int> cases[] = {
        {QFont::Thin, 100},     {QFont::ExtraLight, 200}, {QFont::Light, 300},
        {QFont::Normal, 500},   {QFont::Medium, 600},     {QFont::DemiBold, 600},
        {QFont::Bold, 700},     {QFont::ExtraBold, 800},  {QFont::Black, 900},
    };
    for (const auto& [weight, written] : cases) {
        QFont font;
        font.setWeight(weight);
        EXPECT_TRUE(fontCss(font, 1.0).contains(QStringLiteral("font-weight: %1;").arg(written)))
            << int(weight) << ": " << fontCss(font, 1.0).join(' ').toStdString();
    }
}

TEST(FontWeight, NamedWeightsConvertBothWays)
{
    const std::pair<int, QFont::Weight> named[] = {
        {0, QFont::Thin},     {12, QFont::ExtraLight}, {25, QFont::Light},
        {50, QFont::Normal},  {57, QFont::Medium},     {63, QFont::DemiBold},
        {75, QFont::Bold},    {81, QFont::ExtraBold},  {99, QFont::Black},
    };
    for (const auto& [legacy, weight] : named) {
        EXPECT_EQ(External::toToolkitWeight(legacy), weight) << legacy;
        EXPECT_EQ(External::toLegacyWeight(weight), legacy) << int(weight);
    }
    // Between the names the scales run linearly, and out-of-range values
    // are clamped rather than handed to the toolkit.
    EXPECT_EQ(External::toToolkitWeight(87), 833);
    EXPECT_EQ(External::toLegacyWeight(833), 87);
    EXPECT_EQ(External::toToolkitWeight(-5), QFont::Thin);
    EXPECT_EQ(External::toToolkitWeight(250), QFont::Black);
    EXPECT_EQ(External::toLegacyWeight(0), 0);
    EXPECT_EQ(External::toLegacyWeight(5000), 99);
}

// QMargins keeps left, top, right, bottom; CSS reads top, right, bottom,
// left. An indented paragraph must come out indented, not pushed down.
TEST(MarginCss, WritesTheMarginsInCssOrder)
{
    EXPECT_EQ(marginCss(QMargins(30, 1, 2, 3)), QStringLiteral("margin: 1pt 2pt 3pt 30pt;"));
    EXPECT_EQ(marginCss(QMargins()), QStringLiteral("margin: 0pt 0pt 0pt 0pt;"));
}

TEST(StyleSheet, OneLinePerKnownStyleInAscendingOrder)
{
    TestStyleServer styles;
    styles.styles[12] = TextFragmentStyle(nullptr, QColor(1, 2, 3), QColor(), 0, 0, 0, 0, 0);
    styles.styles[3] = TextFragmentStyle(nullptr, QColor(4, 5, 6), QColor(), -1, 0, 0, 0, 0);
    EXPECT_EQ(styleSheet(u"#03\"a\"#12\"b\"#03\"c\"", styles),
              QStringLiteral(".3 { color: rgb(4, 5, 6); vertical-align: sub; }\n"
                             ".12 { color: rgb(1, 2, 3); vertical-align: baseline; }\n"));
    // Unknown styles are left out, numbers that do not read skipped, and a
    // number sign inside run text (escaped) never counts.
    EXPECT_EQ(styleSheet(u"#99\"a\"#x1\"b\"#\"c\"#12\"%23 3%22\"", styles),
              QStringLiteral(".12 { color: rgb(1, 2, 3); vertical-align: baseline; }\n"));
    EXPECT_EQ(runStyleNumbers(u"lead #1\"a\" #0012\"b\"#-4\"c\"#1\"d\""), (QList<int>{-4, 1, 12}));
}

} // namespace
