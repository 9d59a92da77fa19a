// Tests of the embedding levels of a line and the display order they give.
#include "ArticleEngine/Loading/bidi_levels.h"

#include <QString>

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ArticleEngine::Loading;

namespace {

struct LevelCase {
    const char* name;
    const char16_t* text;
    bool rightToLeft;
    // One digit per UTF-16 unit.
    const char* levels;
    // The units left to right (mirroring is the painter's).
    const char16_t* shown;
};

TEST(BidiLevels, ResolvedLevelsAndDisplayOrder)
{
    // Hebrew alef, bet, gimel, dalet; Arabic alef, beh; Arabic-Indic 1, 2.
    const LevelCase cases[] = {
        {"pure Latin", u"abc def", false, "0000000", u"abc def"},
        {"pure Hebrew", u"\u05D0\u05D1 \u05D2\u05D3", true, "11111", u"\u05D3\u05D2 \u05D1\u05D0"},
        {"Hebrew with Latin in brackets", u"\u05D0 (bc) d", true, "11122112", u"d )bc( \u05D0"},
        {"Hebrew with brackets round Hebrew", u"a (\u05D0\u05D1) b", false, "00011000",
         u"a (\u05D1\u05D0) b"},
        {"Latin with a Hebrew word", u"a \u05D0\u05D1 b", false, "001100", u"a \u05D1\u05D0 b"},
        {"number in Hebrew", u"\u05D0 123 \u05D1", true, "1122211", u"\u05D1 123 \u05D0"},
        {"number with separator and terminator", u"\u05D0 1,5%", true, "112222", u"1,5% \u05D0"},
        {"Arabic-Indic digits", u"\u0627 \u0661\u0662 \u0628", true, "112211",
         u"\u0628 \u0661\u0662 \u0627"},
        {"European digits after Arabic are Arabic numbers", u"\u0627 12", false, "1122", u"12 \u0627"},
        {"Latin and a number in Hebrew", u"\u05D0 abc 12", true, "11222222", u"abc 12 \u05D0"},
        {"full stop after Hebrew in Hebrew", u"\u05D0\u05D1.", true, "111", u".\u05D1\u05D0"},
        {"full stop after Hebrew in Latin", u"abc \u05D0\u05D1.", false, "0000110", u"abc \u05D1\u05D0."},
        {"trailing space at the paragraph level", u"ab ", true, "221", u" ab"},
        {"trailing space after Hebrew in Latin", u"\u05D0\u05D1 ", false, "110", u"\u05D1\u05D0 "},
        {"tab at the paragraph level", u"\u05D0\u05D1\t\u05D2\u05D3", false, "11011",
         u"\u05D1\u05D0\t\u05D3\u05D2"},
        {"line feed at the paragraph level", u"\u05D0 a\n", true, "1121", u"\na \u05D0"},
        {"mark follows its letter", u"\u05D0\u05B7 b", false, "1100", u"\u05B7\u05D0 b"},
        {"explicit controls are neutral", u"\u202Bab", false, "000", u"\u202Bab"},
        {"unpaired bracket", u"\u05D0 (b", true, "1112", u"b( \u05D0"},
        {"empty", u"", false, "", u""},
    };
    for (const LevelCase& test : cases) {
        const QString text = QString::fromUtf16(test.text);
        std::vector<std::uint8_t> levels;
        resolveLevels(text, test.rightToLeft, levels);
        std::string digits;
        for (const std::uint8_t level : levels)
            digits += char('0' + level);
        EXPECT_EQ(digits, test.levels) << test.name;

        std::vector<int> order;
        visualOrder(levels, order);
        QString shown;
        for (const int index : order)
            shown += text[index];
        EXPECT_EQ(shown, QString::fromUtf16(test.shown)) << test.name;

        const bool plain = test.levels == std::string(std::size_t(text.size()), test.rightToLeft ? '1' : '0');
        if (!plain) {
            EXPECT_FALSE(isPlainLine(text, test.rightToLeft)) << test.name;
        }
    }
}

TEST(BidiLevels, PlainLinesNeedNoLevels)
{
    EXPECT_TRUE(isPlainLine(u"abc, 12 (d)!", false));
    EXPECT_TRUE(isPlainLine(u"\u05D0\u05D1 (\u05D2). !", true));
    EXPECT_FALSE(isPlainLine(u"a \u0661", false)) << "an Arabic number";
    EXPECT_FALSE(isPlainLine(u"\u05D0 1", true)) << "a European number";
}

TEST(BidiLevels, SurrogatePairsKeepOneLevel)
{
    // U+10800 is a right-to-left letter outside the basic plane.
    const QString text = QString::fromUtf16(u"a \U00010800");
    EXPECT_FALSE(isPlainLine(text, false));
    std::vector<std::uint8_t> levels;
    resolveLevels(text, false, levels);
    EXPECT_EQ(levels, (std::vector<std::uint8_t>{0, 0, 1, 1}));
}

TEST(BidiLevels, RunsReverseFromTheHighestLevelDown)
{
    const std::uint8_t levels[] = {0, 1, 1, 2, 2, 1, 0};
    std::vector<int> order;
    visualOrder(levels, order);
    EXPECT_EQ(order, (std::vector<int>{0, 5, 3, 4, 2, 1, 6}));
}

} // namespace
