// Tests of the style list and of the body run form.
#include "userdic/body_runs.h"
#include "userdic/style_list.h"

#include <gtest/gtest.h>

using lexvane::engine::userdic::StyleList;
using lexvane::engine::userdic::splitRuns;
using lexvane::engine::userdic::toRunForm;

namespace {

StyleRecord style(std::int32_t number, std::uint32_t color, std::int8_t bold = 0)
{
    StyleRecord record{};
    record.number = number;
    record.color = color;
    record.bold = bold;
    return record;
}

} // namespace

TEST(StyleList, GivesNewStylesTheLowestFreeNumbers)
{
    StyleList list;
    EXPECT_EQ(list.add(style(-1, 1)), 0);
    EXPECT_EQ(list.add(style(-1, 2)), 1);
    EXPECT_EQ(list.add(style(5, 3)), 5);
    EXPECT_EQ(list.add(style(-7, 4)), 2);
    EXPECT_EQ(list.count(), 4);
    EXPECT_TRUE(list.storable());
    StyleRecord found{};
    ASSERT_TRUE(list.get(5, found));
    EXPECT_EQ(found.color, 3u);
    EXPECT_FALSE(list.get(3, found));
    // Match or add: the same look lends its number; reserved bytes and the
    // number do not count.
    StyleRecord same = style(40, 2);
    same.secondColor = 0xFFFFFFFF;
    EXPECT_EQ(list.matchOrAdd(same), 1);
    EXPECT_EQ(list.matchOrAdd(style(40, 2, 1)), 3);
}

TEST(StyleList, ReusesTheNearestStyleWhenAllNumbersAreTaken)
{
    StyleList list;
    for (std::int32_t i = 0; i < 99; ++i)
        ASSERT_EQ(list.add(style(-1, static_cast<std::uint32_t>(i) * 0x020202, i == 40)), i);
    // Number 99 can still be given on purpose; 0 to 98 are never exceeded
    // by the list itself, and never answered with -1.
    EXPECT_EQ(list.add(style(-1, 40 * 0x020202 + 1, 1)), 40);
    EXPECT_EQ(list.add(style(-1, 0x0A0A0A)), 5);
    EXPECT_EQ(list.matchOrAdd(style(-1, 0xFFFFFF)), 98);
    EXPECT_EQ(list.count(), 99);
    EXPECT_EQ(list.add(style(99, 7)), 99);
    EXPECT_TRUE(list.storable());
}

TEST(StyleList, IsStorableOnlyWithUniqueNumbersUpTo99)
{
    struct Case {
        std::vector<std::int32_t> numbers;
        bool storable;
    };
    for (const Case& c : {Case{{0, 1, 99}, true}, Case{{3, 3}, false}, Case{{100}, false}, Case{{}, true}}) {
        StyleList list;
        for (std::int32_t number : c.numbers)
            list.add(style(number, 0));
        EXPECT_EQ(list.storable(), c.storable) << c.numbers.size();
    }
}

TEST(BodyRuns, RewritesRunHeadersIntoMarkers)
{
    struct Case {
        const char16_t* body;
        std::u16string runForm;
    };
    for (const Case& c : {
             Case{u"#\"head\"#01\"text\"", u"\uEAFFhead\uEA01text"},
             Case{u"lead#\"h\"#12\"a\"#99\"b\"", u"lead\uEAFFh\uEA0Ca\uEA63b"},
             // Only decimal digits are a style number, and never past the end.
             Case{u"#h#", u"\uEAFFh\uEA00"},
             Case{u"#h#7", u"\uEAFFh\uEA07"},
             Case{u"#h#ab", u"\uEAFFh\uEA00ab"},
             Case{u"#h#1x2", u"\uEAFFh\uEA01x2"},
             Case{u"#h#123", u"\uEAFFh\uEA0C3"},
             Case{u"no runs", u"no runs"},
         }) {
        EXPECT_EQ(toRunForm(c.body), c.runForm);
    }
}

TEST(BodyRuns, SplitsIntoPrefixRunsAndEnd)
{
    const std::u16string form = toRunForm(u"#\"head\"#01\"text\"");
    const auto runs = splitRuns(form);
    ASSERT_EQ(runs.size(), 3u);
    EXPECT_EQ(runs[0].index, -2);
    EXPECT_EQ(runs[0].text, u"");
    EXPECT_EQ(runs[1].index, 1);
    EXPECT_EQ(runs[1].text, u"text");
    EXPECT_EQ(runs[2].index, -1);
    EXPECT_EQ(runs[2].text, u"");

    const std::u16string two = toRunForm(u"pre#\"h\"#03\"a\"#04\"b\"");
    const auto more = splitRuns(two);
    ASSERT_EQ(more.size(), 4u);
    EXPECT_EQ(more[0].text, u"pre");
    EXPECT_EQ(more[1].index, 3);
    EXPECT_EQ(more[2].index, 4);
    EXPECT_EQ(more[2].text, u"b");
}
