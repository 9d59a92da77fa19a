// mlx_text_test.cpp: character references, phonetic codes and the
// escaping of exported text.
#include "exchange/mlx_text.h"

#include <gtest/gtest.h>

namespace lexvane::testing {
namespace {

using engine::exchange::appendMlxText;
using engine::exchange::decodeReference;
using engine::exchange::phoneticCode;

struct ReferenceCase {
    const char* what;
    std::u16string text;     // begins with '&'
    std::u16string decoded;
    std::size_t taken;
};

class Reference : public ::testing::TestWithParam<ReferenceCase> {};

TEST_P(Reference, DecodesAndMovesOn)
{
    const ReferenceCase& c = GetParam();
    std::u16string out;
    EXPECT_EQ(decodeReference(c.text, 0, out), c.taken);
    EXPECT_EQ(out, c.decoded);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Reference,
    ::testing::Values(ReferenceCase{"amp", u"&amp;x", u"&", 5}, ReferenceCase{"quot", u"&quot;", u"\"", 6},
                      ReferenceCase{"apos", u"&apos;", u"'", 6}, ReferenceCase{"lt", u"&lt;", u"<", 4},
                      ReferenceCase{"gt", u"&gt;", u">", 4}, ReferenceCase{"nbsp", u"&nbsp;", u" ", 6},
                      ReferenceCase{"escapedQuote", u"&%22;", u"\"", 5},
                      ReferenceCase{"decimal", u"&#233;", u"\u00E9", 6},
                      ReferenceCase{"hexLower", u"&#xe9;", u"\u00E9", 6},
                      ReferenceCase{"hexUpper", u"&#X1F600;", u"\U0001F600", 9},
                      ReferenceCase{"highestCodePoint", u"&#x10FFFF;", u"\U0010FFFF", 10},
                      ReferenceCase{"zero", u"&#0;", u"?", 4}, ReferenceCase{"surrogate", u"&#xD800;", u"?", 8},
                      ReferenceCase{"aboveUnicode", u"&#1114112;", u"?", 10},
                      ReferenceCase{"hugeNumber", u"&#99999999999999;", u"?", 17},
                      ReferenceCase{"noDigits", u"&#;", u"?", 3}, ReferenceCase{"badHexDigit", u"&#xZ1;", u"?", 6},
                      ReferenceCase{"unknownName", u"&bogus;", u"?", 7},
                      ReferenceCase{"noSemicolon", u"&T and more", u"&", 1},
                      ReferenceCase{"blankBeforeSemicolon", u"& x;", u"&", 1},
                      ReferenceCase{"emptyName", u"&;", u"&", 1}, ReferenceCase{"atTheEnd", u"&", u"&", 1},
                      ReferenceCase{"tooLong", u"&abcdefghijklmnopq;", u"&", 1}),
    [](const ::testing::TestParamInfo<ReferenceCase>& info) { return std::string(info.param.what); });

TEST(Reference, DecodesInTheMiddleOfText)
{
    std::u16string out;
    EXPECT_EQ(decodeReference(u"a&lt;b", 1, out), 4u);
    EXPECT_EQ(out, u"<");
}

TEST(PhoneticCode, EveryCodeAndOtherLetters)
{
    const std::u16string codes = u"ACDEFGHIJLNOPQRSTVWZqx";
    const std::u16string_view expected[] = {
        u"\u028C", u"\u02A7", u"\u00F0", u"\u025C", u"\u025B", u"d\u0292", u"u:", u"\u026A",
        u"i:",     u"\u0254:", u"\u014B", u"\u0254", u"\u0252", u"\u0251", u"\u0251:", u"\u0283",
        u"\u019F", u"\u028B", u"\u0259:", u"\u0292", u"\u0259", u"\u00E6"};
    for (std::size_t i = 0; i < codes.size(); ++i)
        EXPECT_EQ(phoneticCode(codes[i]), expected[i]) << static_cast<char>(codes[i]);
    for (char16_t c : std::u16string(u"BKMUXYabdz [:'1"))
        EXPECT_TRUE(phoneticCode(c).empty()) << static_cast<char>(c);
}

TEST(MlxText, EscapesMarkupCharactersOnly)
{
    std::u16string out;
    for (char16_t c : std::u16string(u"a&b'<>\"%#\u00E9"))
        appendMlxText(out, c);
    EXPECT_EQ(out, u"a&amp;b&apos;&lt;&gt;\"%#\u00E9");
}

} // namespace
} // namespace lexvane::testing
