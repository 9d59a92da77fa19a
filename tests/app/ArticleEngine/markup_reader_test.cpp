// Tests of the run parser and the markup reader: one table of markup
// strings with the lead text, text, paragraphs and style ranges each yields.
// Escapes, NULs and unreadable style numbers come from imported files, so
// they have rows of their own.
#include "ArticleEngine/Markup/markup_reader.h"
#include "ArticleEngine/Markup/style_run_parser.h"

#include "markup_invariants.h"
#include "qt_printers.h"

#include <gtest/gtest.h>

#include <string_view>

using namespace ArticleEngine;
using namespace std::literals;
using lexvane::testing::contentFault;
using lexvane::testing::describeParagraphs;
using lexvane::testing::describeStyles;

namespace {

QString qs(std::u16string_view text)
{
    return QString::fromUtf16(text.data(), qsizetype(text.size()));
}

struct ReadCase {
    const char* name;
    std::u16string_view markup;
    std::u16string_view lead;
    std::u16string_view text;
    const char* paragraphs;
    const char* styles;
};

const ReadCase readCases[] = {
    // The syntax of runs.
    {"quote inside text is literal", u"#01\"a\"b\"#02\"c\""sv, u""sv, u"a\"bc\n"sv, "0-5/0", "0-3:1 3-5:2"},
    {"quote before a letter is literal", u"#01\"a\"x"sv, u""sv, u"a\"x\n"sv, "0-4/0", "0-4:1"},
    {"quotes around a word", u"#01\"say \"hi\"\""sv, u""sv, u"say \"hi\"\n"sv, "0-9/0", "0-9:1"},
    {"lead text", u"head#01\"x\""sv, u"head"sv, u"x\n"sv, "0-2/0", "0-2:1"},
    {"characters between number signs are dropped", u"#M#02\"x\""sv, u""sv, u"x\n"sv, "0-2/0", "0-2:2"},
    {"number sign in text starts a number", u"#01\"a#b\""sv, u""sv, u"a\n"sv, "0-2/0", "0-1:1 1-2:-1"},
    {"unterminated run", u"#01\"abc"sv, u""sv, u"abc\n"sv, "0-4/0", "0-4:1"},
    {"number without its quote at the end", u"#01\"a\"#02"sv, u""sv, u"a\n"sv, "0-2/0", "0-2:1"},
    {"no number sign: all lead text", u"plain %41 text"sv, u"plain A text"sv, u"\n"sv, "0-1/0", "0-1:-1"},
    {"empty markup", u""sv, u""sv, u"\n"sv, "0-1/0", "0-1:-1"},
    {"lead text decoded and cleaned", u"\th%09e%23a\u00AD\r#01\"x\""sv, u"h e#a"sv, u"x\n"sv, "0-2/0", "0-2:1"},

    // Paragraphs, indents and dropped characters.
    {"paragraphs and styles", u"#01\"ab%0Acd%0A\"#02\"ef\""sv, u""sv, u"ab\ncd\nef\n"sv, "0-3/0 3-6/0 6-9/0", "0-6:1 6-9:2"},
    {"no line feed added after one", u"#01\"a%0A\""sv, u""sv, u"a\n"sv, "0-2/0", "0-2:1"},
    {"leading tabs indent, later ones are spaces", u"#01\"\t\tab\tc\n\""sv, u""sv, u"ab c\n"sv, "0-5/2", "0-5:1"},
    {"escaped tabs indent the next paragraph", u"#01\"a%09b%0A%09c\""sv, u""sv, u"a b\nc\n"sv, "0-4/0 4-6/1", "0-6:1"},
    {"indent of a paragraph of tabs only", u"#01\"%09%09\""sv, u""sv, u"\n"sv, "0-1/2", "0-1:1"},
    {"soft hyphen and carriage return dropped", u"#01\"a%0Db\u00ADc%AD\r\""sv, u""sv, u"abc\n"sv, "0-4/0", "0-4:1"},
    {"runs of one style form one range", u"#01\"a\"#01\"b\""sv, u""sv, u"ab\n"sv, "0-3/0", "0-3:1"},
    {"an empty run does not split a range", u"#01\"a\"#02\"\"#01\"b\""sv, u""sv, u"ab\n"sv, "0-3/0", "0-3:1"},
    {"style number with leading zeros", u"#0003\"a\""sv, u""sv, u"a\n"sv, "0-2/0", "0-2:3"},

    // Escapes: exactly two hexadecimal digits, else the text as it stands.
    {"escape of a letter", u"#01\"%4a\""sv, u""sv, u"J\n"sv, "0-2/0", "0-2:1"},
    {"escaped number sign", u"#01\"a%23b\""sv, u""sv, u"a#b\n"sv, "0-4/0", "0-4:1"},
    {"escaped quote and upper-case digits", u"#01\"%22%4A\""sv, u""sv, u"\"J\n"sv, "0-3/0", "0-3:1"},
    {"percent sign at the end", u"#01\"50%\""sv, u""sv, u"50%\n"sv, "0-4/0", "0-4:1"},
    {"one digit at the end", u"#01\"%4\""sv, u""sv, u"%4\n"sv, "0-3/0", "0-3:1"},
    {"percent sign as the last character", u"#01\"a%"sv, u""sv, u"a%\n"sv, "0-3/0", "0-3:1"},
    {"digits that are not hexadecimal", u"#01\"%G1%zz%41\""sv, u""sv, u"%G1%zzA\n"sv, "0-8/0", "0-8:1"},
    {"signs and spaces are not digits", u"#01\"% 1%+1%-1%0x\""sv, u""sv, u"% 1%+1%-1%0x\n"sv, "0-13/0", "0-13:1"},

    // NUL, escaped or literal, is dropped and ends nothing.
    {"escaped NUL", u"#01\"a%00b\"#02\"c\""sv, u""sv, u"abc\n"sv, "0-4/0", "0-2:1 2-4:2"},
    {"literal NUL", u"#01\"a\0b\"#02\"c\0\""sv, u""sv, u"abc\n"sv, "0-4/0", "0-2:1 2-4:2"},
    {"NUL in lead text", u"h\0d#01\"x\""sv, u"hd"sv, u"x\n"sv, "0-2/0", "0-2:1"},
    {"NUL at the end", u"#01\"x\"\0"sv, u""sv, u"x\"\n"sv, "0-3/0", "0-3:1"},

    // Style numbers that do not read are -1 and do not restart the lead text.
    {"unreadable number after the first", u"#01\"a\"#x\"b\"#02\"c\""sv, u""sv, u"abc\n"sv, "0-4/0", "0-1:1 1-2:-1 2-4:2"},
    {"unreadable first number", u"L#x\"a\"#01\"b\""sv, u"L"sv, u"ab\n"sv, "0-3/0", "0-1:-1 1-3:1"},
    {"empty number", u"#\"a\""sv, u""sv, u"a\n"sv, "0-2/0", "0-2:-1"},
    {"number with a space", u"# 1\"a\""sv, u""sv, u"a\n"sv, "0-2/0", "0-2:-1"},
    {"number beyond int", u"#2147483648\"a\"#2147483647\"b\""sv, u""sv, u"ab\n"sv, "0-3/0", "0-1:-1 1-3:2147483647"},
    {"negative and signed numbers", u"#-5\"a\"#+7\"b\""sv, u""sv, u"ab\n"sv, "0-3/0", "0-1:-5 1-3:7"},
};

void PrintTo(const ReadCase& c, std::ostream* out)
{
    *out << c.name;
}

class MarkupRead : public testing::TestWithParam<ReadCase> {};

TEST_P(MarkupRead, YieldsLeadTextTextAndRanges)
{
    const ReadCase& c = GetParam();
    const ArticleContent content = readMarkup(qs(c.markup));
    EXPECT_EQ(content.leadText, qs(c.lead));
    EXPECT_EQ(content.text, qs(c.text));
    EXPECT_EQ(describeParagraphs(content), c.paragraphs);
    EXPECT_EQ(describeStyles(content), c.styles);
    EXPECT_EQ(contentFault(content), "");
}

INSTANTIATE_TEST_SUITE_P(Cases, MarkupRead, testing::ValuesIn(readCases),
                         [](const testing::TestParamInfo<ReadCase>& info) {
                             std::string name;
                             for (const char* p = info.param.name; *p; ++p)
                                 name += std::isalnum(static_cast<unsigned char>(*p)) ? *p : '_';
                             return name;
                         });

// The reader is fed by hand as well (the paste path does): the end of input
// runs once, and nothing after it changes the content.
TEST(MarkupReader, EndOfInputRunsOnce)
{
    MarkupReader reader;
    reader.setStyle(4);
    reader.addChar(QLatin1Char('a'));
    reader.endOfInput();
    reader.endOfInput();
    reader.addChar(QLatin1Char('b'));
    reader.setStyle(5);
    reader.addChar(QChar(0));
    EXPECT_EQ(reader.content().text, QStringLiteral("a\n"));
    EXPECT_EQ(describeParagraphs(reader.content()), "0-2/0");
    EXPECT_EQ(describeStyles(reader.content()), "0-2:4");
}

TEST(StyleRunParser, ReadsStyleNumbersStrictly)
{
    const std::pair<const char*, int> cases[] = {
        {"0", 0},      {"01", 1},      {"98308014", 98308014}, {"-3", -3}, {"+3", 3},
        {"", -1},      {"-", -1},      {"+", -1},              {"1a", -1}, {" 1", -1},
        {"1 ", -1},    {"0x1", -1},    {"--1", -1},            {"2147483647", 2147483647},
        {"99999999999999999999", -1},
    };
    for (const auto& [digits, value] : cases)
        EXPECT_EQ(StyleRunParser::readStyleNumber(QString::fromLatin1(digits)), value) << digits;
}

} // namespace
