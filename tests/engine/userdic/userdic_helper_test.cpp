// Tests of the default helper: order, case, words and conversions, none of
// which may follow the process's locale.
#include "userdic/trivial_helper.h"

#include <gtest/gtest.h>

#include <clocale>
#include <string>

using lexvane::engine::userdic::isWordCharacter;
using lexvane::engine::userdic::simpleLower;
using lexvane::engine::userdic::simpleUpper;
using lexvane::engine::userdic::trivialHelper;

namespace {

std::u16string upper(std::u16string text)
{
    trivialHelper().upper(nullptr, text.data());
    return text;
}

std::u16string lower(std::u16string text)
{
    trivialHelper().lower(nullptr, text.data());
    return text;
}

int sign(int value)
{
    return value < 0 ? -1 : (value > 0 ? 1 : 0);
}

// Every word nextWord finds in `text` with a target of `room` characters.
std::vector<std::u16string> words(const std::u16string& text, int room)
{
    std::vector<std::u16string> found;
    std::u16string target(static_cast<std::size_t>(room), u'?');
    const char16_t* at = text.c_str();
    while ((at = trivialHelper().nextWord(nullptr, at, target.data(), room)) != nullptr && found.size() < 20)
        found.emplace_back(target.c_str());
    return found;
}

} // namespace

TEST(TrivialHelper, ComparesWithoutRegardToCase)
{
    struct Case {
        const char16_t* a;
        const char16_t* b;
        int order;
    };
    for (const Case& c : {Case{u"apple", u"APPLE", 0}, Case{u"apple", u"Banana", -1}, Case{u"abc", u"ab", 1},
                          Case{u"", u"a", -1}, Case{u"Ёж", u"ёЖ", 0}, Case{u"Straße", u"STRASSE", 1},
                          Case{u"Ωmega", u"ωMEGA", 0}, Case{u"ÿ", u"Ÿ", 0}}) {
        EXPECT_EQ(sign(trivialHelper().compare(nullptr, c.a, c.b)), c.order)
            << std::u16string(c.a).size() << " " << std::u16string(c.b).size();
    }
    EXPECT_EQ(trivialHelper().compareN(nullptr, u"Cabbage", u"CAB", 3), 0);
    EXPECT_NE(trivialHelper().compareN(nullptr, u"Cabbage", u"CAB", 4), 0);
    EXPECT_EQ(trivialHelper().compareN(nullptr, u"x", u"y", 0), 0);
}

TEST(TrivialHelper, CaseMappingDoesNotFollowTheLocale)
{
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(upper(u"straße ёжик ωμέγα żółw ǆ"), u"STRAßE ЁЖИК ΩΜΈΓΑ ŻÓŁW ǆ");
    EXPECT_EQ(lower(u"ЁЖИК ΩΜΈΓΑ ŻÓŁW ÀÉÎ İ"), u"ёжик ωμέγα żółw àéî İ");
    // Every mapping is undone by the other one.
    for (char32_t c = 1; c < 0x10000; ++c) {
        const auto unit = static_cast<char16_t>(c);
        const auto code = static_cast<unsigned>(c);
        if (simpleUpper(unit) != unit) {
            EXPECT_EQ(simpleLower(simpleUpper(unit)), unit == 0x03C2 ? 0x03C3 : unit) << std::hex << code;
        }
        if (simpleLower(unit) != unit) {
            EXPECT_EQ(simpleUpper(simpleLower(unit)), unit) << std::hex << code;
        }
    }
}

TEST(TrivialHelper, FindsWordsAndResumesWhereTheRoomRanOut)
{
    EXPECT_EQ(words(u"  Hello, мир! 42 ĳs", 255), (std::vector<std::u16string>{u"Hello", u"мир", u"ĳs"}));
    EXPECT_TRUE(words(u" ,.; 1 2 ", 255).empty());
    EXPECT_TRUE(words(u"", 255).empty());
    // Room for three characters: the next call starts at the last one copied.
    EXPECT_EQ(words(u"abcde", 4), (std::vector<std::u16string>{u"abc", u"cde"}));
    // With room for fewer than two characters nothing could ever advance.
    EXPECT_TRUE(words(u"abc", 2).empty());
    EXPECT_TRUE(words(u"abc", 1).empty());
    EXPECT_TRUE(isWordCharacter(u'漢'));
    EXPECT_FALSE(isWordCharacter(u'-'));
}

TEST(TrivialHelper, DropsTheLastCharacterAndConvertsUtf8)
{
    std::u16string text = u"ab\U0001F600";
    EXPECT_EQ(trivialHelper().dropLast(nullptr, text.data()), 2);
    EXPECT_EQ(std::u16string(text.c_str()), u"ab");
    std::u16string empty(1, u'\0');
    EXPECT_EQ(trivialHelper().dropLast(nullptr, empty.data()), 0);

    char16_t wide[8];
    trivialHelper().toWide(nullptr, "añ€\xF0\x9F\x98\x80z", wide, 8, 1251);
    EXPECT_EQ(std::u16string(wide), u"añ€\U0001F600z");
    trivialHelper().toWide(nullptr, "abcdef", wide, 4, 0);
    EXPECT_EQ(std::u16string(wide), u"abc");
    trivialHelper().toWide(nullptr, "a\xFF", wide, 8, 0);
    EXPECT_EQ(std::u16string(wide), u"a\uFFFD");

    char narrow[8];
    trivialHelper().toNarrow(nullptr, u"añ€", narrow, 8, 0);
    EXPECT_STREQ(narrow, "a\xC3\xB1\xE2\x82\xAC");
    trivialHelper().toNarrow(nullptr, u"añ€", narrow, 5, 0);
    EXPECT_STREQ(narrow, "a\xC3\xB1") << "a character is never cut in half";
}
