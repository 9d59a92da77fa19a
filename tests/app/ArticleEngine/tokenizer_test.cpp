// Tests of the tokenizer, the word builder, groups and marked tokens, with
// the default character classes.
#include "ArticleEngine/External/default_char_analyzer.h"
#include "ArticleEngine/Loading/token_groups.h"
#include "ArticleEngine/Loading/tokenizer.h"
#include "ArticleEngine/Markup/style_run_parser.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace ArticleEngine;
using namespace ArticleEngine::Loading;

namespace {

struct Tokens {
    ArticleContent content;
    std::vector<Token> tokens;
};

// The text as one run of style 1; "\n" in it separates paragraphs.
Tokens tokenize(const QString& text)
{
    Tokens result;
    QString escaped = text;
    escaped.replace(QLatin1Char('\n'), QLatin1String("%0A"));
    result.content = readMarkup(QStringLiteral("#1\"") + escaped + QStringLiteral("\""));
    const External::Default::CharAnalyzer analyzer;
    Tokenizer(analyzer).run(result.content.text, result.content.paragraphs, result.tokens);
    return result;
}

// "a:4 ):5 $:1": each token's text and class; line feeds as '$'.
std::string describe(const Tokens& tokens)
{
    std::string out;
    for (const Token& token : tokens.tokens) {
        if (!out.empty())
            out += ' ';
        QString text = tokens.content.text.mid(token.start, token.end - token.start);
        text.replace(QLatin1Char('\n'), QLatin1Char('$'));
        out += text.toStdString() + ':' + std::to_string(int(token.tokenClass));
    }
    return out;
}

struct TokenCase {
    const char16_t* text;
    const char* tokens;
};

TEST(Tokenizer, CutsTextIntoTokensOfTheirClass)
{
    const TokenCase cases[] = {
        // A closing bracket without opener leaves the word.
        {u"a)", "a:4 ):5 $:1"},
        // '|' is a bracket and a separator: it stays with the piece and is stripped.
        {u"a|", "a:4 |:5 $:1"},
        // A quotation mark has no partner and is no separator: it stays in the word.
        {u"a\"", "a\":4 $:1"},
        {u"(abc)", "(:0 a:4 b:4 c:4 ):5 $:1"},
        // After a space the bracket goes with the space.
        {u"x (ab)", "x:4  (:2 a:4 b:4 ):5 $:1"},
        {u"a(b)", "a:4 (:5 b:4 ):5 $:1"},
        // A pair inside the piece, not around it, stays in the word.
        {u"a()", "a():4 $:1"},
        {u"a[]]", "a[]:4 ]:5 $:1"},
        {u"a,b", "a:4 ,:3 b:4 $:1"},
        {u"a, b", "a:4 ,:3  :2 b:4 $:1"},
        // Brackets after a line feed begin the next paragraph, as a line break.
        {u"ab\n(c", "a:4 b:4 $:1 (:1 c:4 $:1"},
        {u"a\n\n", "a:4 $:1 $:1"},
        // A surrogate pair is one character.
        {u"a\U0001F600b", "a:4 \U0001F600:4 b:4 $:1"},
        {u"\U0001F600)", "\U0001F600:4 ):5 $:1"},
    };
    for (const TokenCase& test : cases) {
        const QString text = QString::fromUtf16(test.text);
        EXPECT_EQ(describe(tokenize(text)), test.tokens) << text.toStdString();
    }
}

TEST(Tokenizer, TokensCoverTheTextAndNeverCrossAParagraphStart)
{
    const Tokens result = tokenize(QStringLiteral("(one) [two]\n((three)) four.\n)x"));
    int position = 0;
    for (const Token& token : result.tokens) {
        EXPECT_EQ(token.start, position);
        EXPECT_LT(token.start, token.end);
        for (const ParagraphRange& paragraph : result.content.paragraphs)
            EXPECT_FALSE(token.start < paragraph.start && paragraph.start < token.end);
        position = token.end;
    }
    EXPECT_EQ(position, result.content.text.size());
}

TEST(Tokenizer, KeepsTheTableFlag)
{
    const External::Default::CharAnalyzer analyzer;
    Tokenizer tokenizer(analyzer);
    std::vector<Token> tokens;
    const std::vector<ParagraphRange> one{{0, 12, 0}};
    tokenizer.run(u"x <table> y\n", one, tokens);
    EXPECT_TRUE(tokenizer.tableFlag());
    const std::vector<ParagraphRange> closed{{0, 20, 0}};
    tokenizer.run(u"<Table> y </TABLE>\n", closed, tokens);
    EXPECT_FALSE(tokenizer.tableFlag());
}

// "0-2 2-3 3-6": the group ranges as start-end; numbers must count up.
std::string describeGroups(const std::vector<GroupRange>& groups)
{
    std::string out;
    for (std::size_t i = 0; i < groups.size(); ++i) {
        if (!out.empty())
            out += ' ';
        out += std::to_string(groups[i].start) + '-' + std::to_string(groups[i].end);
        EXPECT_EQ(groups[i].number, int(i));
    }
    return out;
}

TEST(TokenGroups, WordsSpacesAndParagraphs)
{
    struct GroupCase {
        const char16_t* text;
        const char* groups;
    };
    const GroupCase cases[] = {
        // The word takes its brackets and separators; each space is a group.
        {u"ab (c-d)", "0-2 2-4 4-9"},
        {u"ab  cd", "0-2 2-3 3-4 4-7"},
        // A line break right after a space joins the space's group.
        {u"ab \ncd", "0-2 2-4 4-7"},
        // A word range that runs over a line break is cut at the paragraph.
        {u"ab\ncd", "0-3 3-6"},
    };
    for (const GroupCase& test : cases) {
        const QString text = QString::fromUtf16(test.text);
        const Tokens result = tokenize(text);
        EXPECT_EQ(describeGroups(buildGroups(result.tokens, result.content.paragraphs)), test.groups)
            << text.toStdString();
    }
}

TEST(TokenGroups, EveryTokenTakesTheGroupOfItsFirstCharacter)
{
    const Tokens result = tokenize(QStringLiteral("ab (c) d"));
    const auto groups = buildGroups(result.tokens, result.content.paragraphs);
    const auto numbers = groupNumbers(result.tokens, groups);
    ASSERT_EQ(numbers.size(), result.tokens.size());
    // a b | " (" | c ) | " " | d $
    EXPECT_EQ(numbers, (std::vector<int>{0, 0, 1, 2, 2, 3, 4, 4}));
}

TEST(MarkedTokens, HitsNameWordsCountedFromOne)
{
    //                                   o n e _( t w o ) _ t h r e e - f o u r $
    const Tokens result = tokenize(QStringLiteral("one (two) three-four"));
    const std::vector<int> hits{2, 4};
    EXPECT_EQ(markTokens(result.tokens, hits), (std::vector<int>{4, 5, 6, 15, 16, 17, 18}));

    const std::vector<int> none;
    EXPECT_TRUE(markTokens(result.tokens, none).empty());
    // Hits that name no word, repeat or come out of order do no harm.
    const std::vector<int> odd{0, -3, 1, 1, 9};
    EXPECT_EQ(markTokens(result.tokens, odd), (std::vector<int>{0, 1, 2}));
}

} // namespace
