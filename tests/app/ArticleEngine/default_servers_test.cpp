// Tests of the servers' base behaviour and of the default servers: the
// fallback chain of styles, the character classes and the text finder's
// normalisation.
#include "ArticleEngine/External/default_article_server.h"
#include "ArticleEngine/External/default_char_analyzer.h"
#include "ArticleEngine/External/default_style_server.h"
#include "ArticleEngine/External/default_text_finder.h"
#include "ArticleEngine/External/text_fragment_style.h"

#include "qt_printers.h"

#include <QFont>
#include <QLoggingCategory>
#include <QPixmap>

#include <gtest/gtest.h>

#include <map>
#include <vector>

using namespace ArticleEngine;
using namespace ArticleEngine::External;

namespace {

// Serves the styles it is given and records which numbers it was asked for.
class MapStyleServer : public IStyleServer {
public:
    bool isSpecialStyle(int) override { return false; }
    TextFragmentStyle* style(int number) override
    {
        asked.push_back(number);
        auto it = styles.find(number);
        return it == styles.end() ? nullptr : &it->second;
    }

    std::map<int, TextFragmentStyle> styles;
    std::vector<int> asked;
};

TextFragmentStyle withFont(QFont& font, int red)
{
    return TextFragmentStyle(&font, QColor(red, 0, 0), QColor(), 0, 0, 0, 0, 0);
}

TEST(StyleServerBase, DefaultStyleIsTheFirstOfOneToNineWithAFont)
{
    QFont font;
    MapStyleServer server;
    server.styles[0] = withFont(font, 10);
    server.styles[2] = TextFragmentStyle(); // no font
    server.styles[4] = withFont(font, 40);
    server.styles[5] = withFont(font, 50);
    ASSERT_NE(server.defaultStyle(), nullptr);
    EXPECT_EQ(server.defaultStyle()->textColor, QColor(40, 0, 0));

    server.styles.erase(4);
    server.styles.erase(5);
    server.asked.clear();
    EXPECT_EQ(server.defaultStyle(), nullptr) << "style 0 has a font but is never tried";
    EXPECT_EQ(server.asked, (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9}));
}

TEST(StyleServerBase, OptionalOperationsAnswerNothing)
{
    MapStyleServer server;
    EXPECT_TRUE(server.image(QStringLiteral("picture.png")).isNull());
    EXPECT_EQ(server.styleExtra(TextFragmentStyle()), 0);
}

// A server may answer null for any number: runs still get a style.
TEST(StyleServerBase, EffectiveStyleFallsBackToDefaultThenToEmpty)
{
    QFont font;
    MapStyleServer server;
    server.styles[3] = withFont(font, 30);
    server.styles[6] = withFont(font, 60);
    EXPECT_EQ(server.effectiveStyle(6).textColor, QColor(60, 0, 0));
    EXPECT_EQ(server.effectiveStyle(12).textColor, QColor(30, 0, 0)) << "unknown number: default style";

    server.asked.clear();
    EXPECT_EQ(server.effectiveStyle(-1).textColor, QColor(30, 0, 0)) << "no style: default style";
    for (int number : server.asked)
        EXPECT_GE(number, 0) << "a negative number is never passed to the server";

    server.styles.erase(3);
    server.styles.erase(6);
    const TextFragmentStyle& empty = server.effectiveStyle(12);
    EXPECT_EQ(empty.font(), nullptr);
    EXPECT_FALSE(empty.textColor.isValid());
}

TEST(DefaultStyleServer, OneGreyStyleForEveryNumber)
{
    QLoggingCategory::setFilterRules(QStringLiteral("lexvane.article.servers.debug=false"));
    Default::StyleServer server;
    TextFragmentStyle* style = server.style(0);
    ASSERT_NE(style, nullptr);
    ASSERT_NE(style->font(), nullptr);
    EXPECT_EQ(style->font()->family(), QStringLiteral("Arial Unicode MS"));
    EXPECT_EQ(style->font()->pointSize(), 10);
    EXPECT_FALSE(style->font()->italic());
    EXPECT_FALSE(style->ownsFont()) << "the server deletes the font";
    EXPECT_EQ(style->textColor, QColor(128, 129, 130, 255));
    EXPECT_FALSE(style->backgroundColor.isValid());
    EXPECT_EQ(style->verticalAlignment, 0);
    EXPECT_EQ(server.style(-5), style);
    EXPECT_EQ(server.style(1000), style);
    EXPECT_EQ(server.defaultStyle(), style);
    EXPECT_FALSE(server.isSpecialStyle(7)) << "no run is ever read as an element";
    EXPECT_TRUE(server.image(QStringLiteral("x")).isNull());
}

TEST(DefaultArticleServer, ServesNothing)
{
    Default::ArticleServer server;
    ArticleRecord record;
    EXPECT_EQ(server.count(), 0);
    EXPECT_FALSE(server.isValid(0));
    EXPECT_FALSE(server.articleText({0, -1}, record));
}

struct CharClasses {
    char16_t c;
    bool newLine, word, bracket, space, separator, noBreak;
};

TEST(DefaultCharAnalyzer, ClassesOfCharacters)
{
    const CharClasses cases[] = {
        // c       newLine word  bracket space  separ  noBreak
        {u'a',    false, true,  false, false, false, false},
        {u'\u0436', false, true, false, false, false, false},
        {u'\n',   true,  false, false, true,  false, false},
        {u'\t',   false, false, false, true,  false, false},
        {u' ',    false, false, false, true,  true,  false},
        {u'\u00A0', false, false, false, true, true, true},
        {u'"',    false, false, true,  false, false, false},
        {u'\'',   false, false, true,  false, false, false},
        {u'|',    false, false, true,  false, true,  false},
        {u'(',    false, false, true,  false, false, false},
        {u'}',    false, false, true,  false, false, false},
        {u'-',    false, true,  false, false, true,  false},
        {u'.',    false, true,  false, false, true,  false},
        {u'/',    false, true,  false, false, true,  false},
        {u'\\',   false, true,  false, false, true,  false},
        {u'?',    false, true,  false, false, true,  false},
        {u'<',    false, true,  false, false, false, false},
        {u'!',    false, true,  false, false, true,  false},
    };
    Default::CharAnalyzer analyzer;
    for (const CharClasses& expected : cases) {
        const QChar c(expected.c);
        SCOPED_TRACE(testing::Message() << "U+" << std::hex << int(expected.c));
        EXPECT_EQ(analyzer.isNewLine(c), expected.newLine);
        EXPECT_EQ(analyzer.isWordChar(c), expected.word);
        EXPECT_EQ(analyzer.isBracket(c), expected.bracket);
        EXPECT_EQ(analyzer.isSpace(c), expected.space);
        EXPECT_EQ(analyzer.isSeparator(c), expected.separator);
        EXPECT_EQ(analyzer.isNoBreakSpace(c), expected.noBreak);
    }
}

// isWordChar asks the other classes through the object, so a subclass that
// widens the brackets narrows the word characters.
TEST(DefaultCharAnalyzer, WordCharactersFollowAnOverriddenBracketClass)
{
    struct AngleBrackets : Default::CharAnalyzer {
        bool isBracket(QChar c) const override
        {
            return c == QLatin1Char('<') || Default::CharAnalyzer::isBracket(c);
        }
    };
    AngleBrackets analyzer;
    EXPECT_FALSE(analyzer.isWordChar(QLatin1Char('<')));
    EXPECT_TRUE(analyzer.isWordChar(QLatin1Char('a')));
}

TEST(DefaultCharAnalyzer, PartnersOfBrackets)
{
    Default::CharAnalyzer analyzer;
    QChar out = QLatin1Char('?');
    EXPECT_TRUE(analyzer.closingOf(QLatin1Char('['), out));
    EXPECT_EQ(out, QLatin1Char(']'));
    EXPECT_TRUE(analyzer.openingOf(QLatin1Char(']'), out));
    EXPECT_EQ(out, QLatin1Char('['));
    EXPECT_TRUE(analyzer.closingOf(QLatin1Char('{'), out));
    EXPECT_EQ(out, QLatin1Char('}'));
    EXPECT_TRUE(analyzer.openingOf(QLatin1Char(')'), out));
    EXPECT_EQ(out, QLatin1Char('('));
    EXPECT_TRUE(analyzer.closingOf(QLatin1Char('/'), out));
    EXPECT_EQ(out, QLatin1Char('/'));
    EXPECT_TRUE(analyzer.openingOf(QLatin1Char('\\'), out));
    EXPECT_EQ(out, QLatin1Char('\\'));

    out = QLatin1Char('?');
    EXPECT_FALSE(analyzer.closingOf(QLatin1Char('<'), out));
    EXPECT_FALSE(analyzer.closingOf(QLatin1Char(']'), out)) << "a closer opens nothing";
    EXPECT_FALSE(analyzer.openingOf(QLatin1Char('('), out));
    EXPECT_FALSE(analyzer.openingOf(QLatin1Char('"'), out));
    EXPECT_EQ(out, QLatin1Char('?')) << "out is left alone";
}

TEST(DefaultTextFinder, NormalisationDropsTabsAndCarriageReturns)
{
    struct Case {
        const char16_t* text;
        const char16_t* normalised;
        bool hasText;
    };
    const Case cases[] = {
        {u"word", u"word", true},
        {u"\t \r", u" ", false},
        {u"\r\n", u"\n", false},
        {u"", u"", false},
        {u"a\tb\rc", u"abc", true},
        {u" \u00A0x ", u" \u00A0x ", true},
    };
    for (const Case& c : cases) {
        const QString text = QString::fromUtf16(c.text);
        const Default::TextFinder finder(text);
        EXPECT_EQ(finder.text(), text) << "kept as given";
        EXPECT_EQ(finder.normalisedText(), QString::fromUtf16(c.normalised));
        EXPECT_EQ(finder.hasText(), c.hasText) << text.toStdString();
    }
}

} // namespace
