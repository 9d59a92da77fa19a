// mlx_tokenizer_test.cpp: tags and text of MLX lines, and the class
// attribute.
#include "exchange/mlx_tokenizer.h"

#include <gtest/gtest.h>

#include <vector>

namespace lexvane::testing {
namespace {

using engine::exchange::classOf;
using engine::exchange::MlxTokenizer;
using engine::exchange::tagIs;

std::vector<std::u16string> tokensOf(MlxTokenizer& tokenizer, std::u16string line)
{
    tokenizer.setLine(std::move(line));
    std::vector<std::u16string> tokens;
    MlxTokenizer::Token token;
    while (tokenizer.next(token)) {
        std::u16string text(token.kind == MlxTokenizer::Kind::Tag ? u"<" : u"");
        text += token.text;
        if (token.lineStart)
            text.insert(0, u"^");
        tokens.push_back(text);
    }
    return tokens;
}

TEST(MlxTokenizer, SplitsTagsAndTextAndMarksTheLineStart)
{
    MlxTokenizer tokenizer;
    EXPECT_EQ(tokensOf(tokenizer, u"  <div class='a'>text <b>x</b>\n"),
              (std::vector<std::u16string>{u"^  ", u"<div class='a'", u"text ", u"<b", u"x", u"</b", u"\n"}));
}

TEST(MlxTokenizer, KeepsATagOpenAcrossLines)
{
    MlxTokenizer tokenizer;
    EXPECT_EQ(tokensOf(tokenizer, u"a<span\n"), (std::vector<std::u16string>{u"^a"}));
    EXPECT_EQ(tokensOf(tokenizer, u" class=x\n"), (std::vector<std::u16string>{}));
    EXPECT_EQ(tokensOf(tokenizer, u">b\n"), (std::vector<std::u16string>{u"<span\n class=x\n", u"b\n"}));
    // The rest of the line from that tag, as it is read again.
    tokenizer.setLine(u"x<div>y\n");
    MlxTokenizer::Token token;
    ASSERT_TRUE(tokenizer.next(token));
    ASSERT_TRUE(tokenizer.next(token));
    EXPECT_EQ(tokenizer.fromLastTag(), u"<div>y\n");
}

TEST(MlxTokenizer, GivesUpAStrayBracketAfterALongStretch)
{
    MlxTokenizer tokenizer;
    tokensOf(tokenizer, u"<" + std::u16string(70000, u'a'));
    EXPECT_EQ(tokensOf(tokenizer, u"text\n"), (std::vector<std::u16string>{u"^text\n"}));
}

TEST(MlxTags, NamesByPrefixWithoutRegardToCase)
{
    EXPECT_TRUE(tagIs(u"  DIV class=x", u"div"));
    EXPECT_TRUE(tagIs(u"/Span", u"/span"));
    EXPECT_FALSE(tagIs(u"/div", u"div"));
    EXPECT_FALSE(tagIs(u"di", u"div"));
}

TEST(MlxTags, ClassQuotedOrNot)
{
    EXPECT_EQ(classOf(u"span class='mlxt_Word_Entry' "), u"mlxt_Word_Entry");
    EXPECT_EQ(classOf(u"span class=\"a b\""), u"a");
    EXPECT_EQ(classOf(u"div CLASS = plain;x"), u"plain");
    EXPECT_EQ(classOf(u"div\nclass=last"), u"last");
    EXPECT_EQ(classOf(u"div id=subclass=x"), u"");
    EXPECT_EQ(classOf(u"div subclass='x' class='y'"), u"y");
    EXPECT_EQ(classOf(u"div"), u"");
    EXPECT_EQ(classOf(u"div class="), u"");
    EXPECT_EQ(classOf(u"div class='" + std::u16string(300, u'c')), std::u16string(255, u'c'));
}

} // namespace
} // namespace lexvane::testing
