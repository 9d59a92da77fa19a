// Tests of the Ud* exports and of the ".udd" operation table: a user
// dictionary opened with DicOpen, edited, searched and read slot by slot.
#include "lexvane_engine.h"

#include "frame/dictionary_record.h"
#include "frame/reading_position.h"
#include "userdic/ud_handle.h"
#include "userdic_fixture.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstring>

using lexvane::engine::kReadForStepping;
using lexvane::engine::kReadHeadword;
using lexvane::engine::kReadWithArticle;
using lexvane::testing::articleBody;
using lexvane::testing::packCode;
using lexvane::testing::TemporaryFolder;

namespace {

StyleRecord style(std::int32_t number, std::uint32_t color)
{
    StyleRecord record{};
    record.number = number;
    record.color = color;
    record.bold = 1;
    record.fontSize = -3; // stored as a signed byte
    return record;
}

class UserDictionaryHandleTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        path = folder.file("mine0A1B.udd");
        ASSERT_EQ(UdCreate(nullptr, path.c_str(), u"My words", 0, packCode("germ"), packCode("fren")), LV_OK);
        ASSERT_EQ(DicOpen(path.c_str(), -1, &dic, nullptr, 0, 0), LV_OK);
        ASSERT_NE(dic, nullptr);
    }
    void TearDown() override { EXPECT_EQ(DicClose(dic), LV_OK); }

    void add(const char16_t* title, const char16_t* text)
    {
        ASSERT_EQ(UdAdd(dic, title, articleBody(title, text).c_str(), nullptr, 0, 0), LV_OK);
    }

    std::int32_t count()
    {
        std::int32_t value = -1;
        EXPECT_EQ(DicGetCount(dic, &value), LV_OK);
        return value;
    }

    const lexvane::engine::DictionaryOps& ops() { return *dic->ops; }

    std::u16string current() { return ops().currentWord16(*dic); }

    TemporaryFolder folder;
    std::string path;
    DictionaryRecord* dic = nullptr;
};

} // namespace

TEST_F(UserDictionaryHandleTest, OpensWithIdLanguagesAndCount)
{
    std::int32_t value = 0;
    EXPECT_EQ(DicGetID(dic, &value), LV_OK);
    EXPECT_EQ(value, packCode("0A1B"));
    EXPECT_EQ(DicGetPairID(dic, &value), LV_OK);
    EXPECT_EQ(value, 0);
    EXPECT_EQ(DicGetLang(dic, &value), LV_OK);
    EXPECT_EQ(value, packCode("germ"));
    EXPECT_EQ(DicGetPairLang(dic, &value), LV_OK);
    EXPECT_EQ(value, packCode("fren"));
    EXPECT_EQ(count(), 0);
    EXPECT_EQ(DicInit(dic), LV_OK);
}

TEST(UserDictionaryOpen, DefaultsAndFailures)
{
    TemporaryFolder folder;
    const std::string unnamed = folder.file("bare1234.UDD");
    ASSERT_EQ(UdCreate(nullptr, unnamed.c_str(), nullptr, 0, 0, 0), LV_OK);
    DictionaryRecord* dic = nullptr;
    ASSERT_EQ(DicOpen(unnamed.c_str(), packCode("9999"), &dic, nullptr, 0, 0), LV_OK);
    std::int32_t value = 0;
    DicGetLang(dic, &value);
    EXPECT_EQ(value, packCode("engl")) << "no language stored";
    DicGetID(dic, &value);
    EXPECT_EQ(value, packCode("9999")) << "the id DicOpen was given";
    DicClose(dic);

    for (const std::string& bad : {folder.file("absent0000.udd"),
                                   folder.write("text0000.udd", std::vector<std::uint8_t>(100, 'x'))}) {
        dic = nullptr;
        EXPECT_EQ(DicOpen(bad.c_str(), -1, &dic, nullptr, 0, 0), LV_CANNOT_OPEN) << bad;
        EXPECT_EQ(DicClose(dic), LV_OK);
    }
}

TEST_F(UserDictionaryHandleTest, AddUpdateDeleteMoveTheWordList)
{
    add(u"beta", u"second");
    add(u"alpha", u"first");
    ASSERT_EQ(count(), 2);
    ASSERT_EQ(ops().readEntry(*dic, 0, 0), LV_OK);
    EXPECT_EQ(current(), u"alpha");

    // Same title: same place, new id.
    ASSERT_EQ(UdUpdate(dic, u"alpha", articleBody(u"alpha", u"changed").c_str(), nullptr, 0, 0), LV_OK);
    ASSERT_EQ(ops().readEntry(*dic, 0, 0), LV_OK);
    EXPECT_EQ(current(), u"alpha");
    // New title: new place.
    ASSERT_EQ(UdUpdate(dic, u"gamma", articleBody(u"gamma", u"moved").c_str(), nullptr, 0, 0), LV_OK);
    ASSERT_EQ(ops().readEntry(*dic, 1, 0), LV_OK);
    EXPECT_EQ(current(), u"gamma");
    EXPECT_EQ(UdUpdate(dic, u"x", u"#x", nullptr, 0, 5), lexvane::engine::userdic::UdDatabase::kNoSuchArticle);

    ASSERT_EQ(UdDelete(dic, 0), LV_OK);
    EXPECT_EQ(count(), 1);
    EXPECT_EQ(UdDelete(dic, 1), lexvane::engine::userdic::UdDatabase::kNoSuchArticle);
    EXPECT_EQ(count(), 1);
}

TEST_F(UserDictionaryHandleTest, StylesAreNumberedStoredAndCopiedWithinCapacity)
{
    const StyleRecord records[] = {style(-1, 0x112233), style(-1, 0x445566), style(5, 0x778899)};
    ASSERT_EQ(UdSetStyles(dic, records, 3), LV_OK);

    StyleRecord out[4];
    std::memset(out, 0xAB, sizeof out);
    EXPECT_EQ(UdGetStyles(dic, out, 4), 3);
    EXPECT_EQ(out[0].number, 0);
    EXPECT_EQ(out[0].color, 0x112233u);
    EXPECT_EQ(out[0].fontSize, -3);
    EXPECT_EQ(out[1].number, 1);
    EXPECT_EQ(out[2].number, static_cast<std::int32_t>(0xABABABAB)) << "no style 2: slot untouched";

    // The caller's capacity bounds what is written.
    StyleRecord one[2];
    std::memset(one, 0xCD, sizeof one);
    EXPECT_EQ(UdGetStyles(dic, one, 1), 3);
    EXPECT_EQ(one[0].number, 0);
    EXPECT_EQ(one[1].number, static_cast<std::int32_t>(0xCDCDCDCD));
    EXPECT_EQ(UdGetStyles(dic, nullptr, 0), 3);
    EXPECT_EQ(UdGetStyles(dic, nullptr, 2), LV_NULL_ARGUMENT);
}

TEST_F(UserDictionaryHandleTest, RefusedStylesLeaveTheTableAsItWas)
{
    const StyleRecord kept[] = {style(0, 1), style(1, 2)};
    ASSERT_EQ(UdSetStyles(dic, kept, 2), LV_OK);
    struct Case {
        std::vector<StyleRecord> records;
        const char* why;
    };
    for (const Case& c : {Case{{style(3, 1), style(3, 2)}, "a number twice"},
                          Case{{style(-1, 1), style(0, 2)}, "a given number already handed out"},
                          Case{{style(100, 1)}, "above 99"}}) {
        EXPECT_EQ(UdSetStyles(dic, c.records.data(), static_cast<std::int32_t>(c.records.size())), LV_BAD_ARGUMENT)
            << c.why;
        EXPECT_EQ(UdAdd(dic, u"t", u"#t", c.records.data(), static_cast<std::int32_t>(c.records.size()), 0),
                  LV_BAD_ARGUMENT)
            << c.why;
        StyleRecord out[2] = {};
        EXPECT_EQ(UdGetStyles(dic, out, 2), 2) << c.why;
        EXPECT_EQ(out[1].color, 2u) << c.why;
    }
    EXPECT_EQ(count(), 0) << "no article was added with refused styles";
    EXPECT_EQ(UdSetStyles(dic, nullptr, 1), LV_NULL_ARGUMENT);
    EXPECT_EQ(UdSetStyles(dic, kept, -1), LV_BAD_ARGUMENT);
}

TEST_F(UserDictionaryHandleTest, AddingKeepsTheStylesAlsoWhenTheArticleFails)
{
    const StyleRecord records[] = {style(-1, 0xABCDEF)};
    const std::u16string tooLong(257, u't');
    EXPECT_EQ(UdAdd(dic, tooLong.c_str(), u"#t", records, 1, 0), LV_BAD_ARGUMENT);
    ASSERT_EQ(UdAdd(dic, u"t", u"#t", records, 1, 0), LV_OK);
    StyleRecord out{};
    EXPECT_EQ(UdGetStyles(dic, &out, 1), 1);
    EXPECT_EQ(out.color, 0xABCDEFu);
    // An article that fails in the database still leaves the editor's styles.
    ASSERT_EQ(sqlite3_exec(lexvane::engine::userdic::userDictionaryOf(dic)->database.connection(),
                           "CREATE TRIGGER refuse BEFORE INSERT ON arts BEGIN SELECT RAISE(ABORT, 'no'); END",
                           nullptr, nullptr, nullptr),
              SQLITE_OK);
    const StyleRecord next[] = {style(-1, 0x010203), style(-1, 0x040506)};
    EXPECT_EQ(UdAdd(dic, u"u", u"#u", next, 2, 0), LV_SQLITE_BASE + SQLITE_CONSTRAINT);
    EXPECT_EQ(UdGetStyles(dic, nullptr, 0), 2);
    EXPECT_EQ(count(), 1);
}

TEST_F(UserDictionaryHandleTest, ChecksHandlesArgumentsAndLengths)
{
    // A record of another kind: the compiled dictionaries' state carries
    // tag 0, and every Ud* function must see that it is no user dictionary.
    DictionaryRecord compiledRecord;
    compiledRecord.state = std::make_unique<lexvane::engine::DictionaryState>(0u);
    DictionaryRecord* compiled = &compiledRecord;
    const StyleRecord records[] = {style(0, 0)};
    // A compiled dictionary's handle is never taken for a user dictionary.
    for (DictionaryRecord* wrong : {compiled, static_cast<DictionaryRecord*>(nullptr)}) {
        EXPECT_EQ(UdSetProp(wrong, "a", u"b"), LV_NULL_HANDLE);
        EXPECT_EQ(UdSetStyles(wrong, records, 1), LV_NULL_HANDLE);
        EXPECT_EQ(UdGetStyles(wrong, nullptr, 0), LV_NULL_HANDLE);
        EXPECT_EQ(UdAdd(wrong, u"a", u"#a", nullptr, 0, 0), LV_NULL_HANDLE);
        EXPECT_EQ(UdUpdate(wrong, u"a", u"#a", nullptr, 0, 0), LV_NULL_HANDLE);
        EXPECT_EQ(UdDelete(wrong, 0), LV_NULL_HANDLE);
        EXPECT_EQ(UdSearch(wrong, u"a", [](std::int32_t, const std::uint32_t*, void*, std::int32_t) { return 1; },
                           nullptr),
                  LV_NULL_HANDLE);
    }

    TemporaryFolder other;
    EXPECT_EQ(UdAdd(dic, nullptr, u"#", nullptr, 0, 0), LV_NULL_ARGUMENT);
    EXPECT_EQ(UdAdd(dic, u"a", nullptr, nullptr, 0, 0), LV_NULL_ARGUMENT);
    EXPECT_EQ(UdSetProp(dic, nullptr, u"x"), LV_NULL_ARGUMENT);
    EXPECT_EQ(UdSearch(dic, u"a", nullptr, nullptr), LV_NULL_ARGUMENT);

    const std::string longPath = other.file(std::string(300, 'p') + ".udd");
    EXPECT_EQ(UdCreate(nullptr, longPath.c_str(), nullptr, 0, 0, 0), LV_BAD_ARGUMENT);
    EXPECT_EQ(UdCreate(nullptr, nullptr, nullptr, 0, 0, 0), LV_NULL_ARGUMENT);
    const std::u16string longName(150, u'n');
    EXPECT_EQ(UdCreate(nullptr, other.file("n.udd").c_str(), longName.c_str(), 0, 0, 0), LV_BAD_ARGUMENT);
    EXPECT_EQ(UdCreate(nullptr, other.file("n.udd").c_str(), longName.substr(1).c_str(), 0, 0, 0), LV_OK);
    const std::u16string longTitle(257, u't');
    EXPECT_EQ(UdAdd(dic, longTitle.c_str(), u"#t", nullptr, 0, 0), LV_BAD_ARGUMENT);
    EXPECT_EQ(UdAdd(dic, longTitle.substr(1).c_str(), u"#t", nullptr, 0, 0), LV_OK);
}

TEST_F(UserDictionaryHandleTest, SearchReportsArticlesUntilTheCallbackStops)
{
    add(u"one", u"shared word");
    add(u"two", u"another shared");
    struct Seen {
        std::vector<std::int32_t> indexes;
        int answer = 1;
    } seen;
    auto record = [](std::int32_t index, const std::uint32_t* positions, void* user, std::int32_t count) {
        auto* s = static_cast<Seen*>(user);
        s->indexes.push_back(index * 100 + static_cast<std::int32_t>(positions[count - 1]));
        return s->answer;
    };
    ASSERT_EQ(UdSearch(dic, u"SHARED", record, &seen), LV_OK);
    EXPECT_THAT(seen.indexes, ::testing::UnorderedElementsAre(1, 102));
    seen.indexes.clear();
    seen.answer = 0;
    ASSERT_EQ(UdSearch(dic, u"shared", record, &seen), LV_OK);
    EXPECT_EQ(seen.indexes.size(), 1u);
}

TEST_F(UserDictionaryHandleTest, ReadingSlotsFillTheCurrentArticleBuffer)
{
    add(u"alpha", u"first");
    add(u"beta", u"second");
    EXPECT_EQ(ops().currentIndex(*dic), -1);
    ASSERT_EQ(ops().readEntry(*dic, 1, kReadWithArticle), LV_OK);
    EXPECT_EQ(current(), u"\uEAFFbeta\uEA01second");
    // A title request of the same index after its body: the body's prefix.
    ASSERT_EQ(ops().readEntry(*dic, 1, kReadHeadword), LV_OK);
    EXPECT_EQ(current(), u"");
    ASSERT_EQ(ops().setCurrentIndex(*dic, 0), LV_OK);
    EXPECT_EQ(current(), u"alpha");
    ASSERT_EQ(ops().nextEntry(*dic, kReadForStepping), LV_OK);
    EXPECT_EQ(current(), u"beta");
    EXPECT_EQ(ops().currentIndex(*dic), 1);
    EXPECT_EQ(ops().nextEntry(*dic, kReadForStepping), LV_NOT_PRESENT) << "past the end";
    EXPECT_EQ(ops().readEntry(*dic, 7, kReadHeadword), LV_NOT_PRESENT);
    EXPECT_EQ(ops().readEntry(*dic, 7, kReadWithArticle), LV_NOT_PRESENT);
    EXPECT_EQ(ops().readEntry(*dic, -1, kReadHeadword), LV_OK);
    EXPECT_EQ(current(), u"");

    EXPECT_EQ(ops().findWord(*dic, u"BE"), LV_OK);
    EXPECT_EQ(ops().currentIndex(*dic), 1);
    EXPECT_EQ(current(), u"beta");
    EXPECT_EQ(ops().findWord(*dic, u"gamma"), LV_OUT_OF_RANGE);
    EXPECT_EQ(ops().findWord(*dic, nullptr), LV_NULL_ARGUMENT);
}

TEST_F(UserDictionaryHandleTest, QuickAccessTitlesLeaveTheCurrentArticleAlone)
{
    add(u"alpha", u"first");
    add(u"beta", u"second");
    EXPECT_EQ(ops().quickAccessCount(*dic), 3);
    ASSERT_EQ(ops().setCurrentIndex(*dic, 1), LV_OK);
    const char16_t* word = nullptr;
    ASSERT_EQ(ops().quickAccessWord16(*dic, 1, &word), LV_OK);
    EXPECT_EQ(std::u16string(word), u"alpha");
    EXPECT_EQ(current(), u"beta") << "no stale title in the current-article buffer";
    EXPECT_EQ(ops().currentIndex(*dic), 1);
    EXPECT_EQ(ops().quickAccessWord16(*dic, 9, &word), LV_OUT_OF_RANGE);
    EXPECT_EQ(std::u16string(word), u"") << "a failed lookup leaves no old title behind";
    EXPECT_EQ(ops().quickAccessWord16(*dic, 1, nullptr), LV_NULL_HANDLE);

    EXPECT_EQ(ops().quickAccessEntryIndex(*dic, 2), 1);
    EXPECT_EQ(ops().quickAccessEntryIndex(*dic, 3), -1);
    EXPECT_EQ(ops().quickAccessEntryIndex(*dic, -1), -1);
    ASSERT_EQ(ops().goToQuickAccessPoint(*dic, 2, 0), LV_OK);
    EXPECT_EQ(current(), u"beta");
    EXPECT_EQ(ops().goToQuickAccessPoint(*dic, -1, 0), LV_OUT_OF_RANGE);
    const char* narrow = nullptr;
    EXPECT_EQ(ops().quickAccessWord8(*dic, 1, &narrow), LV_OK);
    EXPECT_STREQ(narrow, "");
    EXPECT_EQ(ops().quickAccessWord8(*dic, 32000, &narrow), LV_OUT_OF_RANGE);
}

TEST_F(UserDictionaryHandleTest, DescriptionItemsAlwaysWriteAText)
{
    char16_t buffer[8];
    struct Case {
        int item;
        std::int32_t room;
        int status;
        std::u16string text;
    };
    for (const Case& c : {Case{0, 8, LV_OK, u"My word"}, Case{2, 4, LV_OK, u"My "}, Case{3, 1, LV_OK, u""},
                          Case{5, 8, LV_OK, u""}, Case{1, 8, LV_OK, u""}}) {
        std::fill(std::begin(buffer), std::end(buffer), u'#');
        std::int32_t length = c.room;
        EXPECT_EQ(ops().descriptionItem(*dic, c.item, 0, buffer, &length, nullptr), c.status) << c.item;
        EXPECT_EQ(std::u16string(buffer), c.text) << c.item;
        EXPECT_EQ(length, static_cast<std::int32_t>(c.text.size()));
    }
    std::int32_t none = 0;
    EXPECT_EQ(ops().descriptionItem(*dic, 0, 0, buffer, &none, nullptr), LV_NULL_ARGUMENT);

    // Without a stored name: an empty text and "not present".
    TemporaryFolder other;
    const std::string bare = other.file("bare0000.udd");
    ASSERT_EQ(UdCreate(nullptr, bare.c_str(), nullptr, 0, 0, 0), LV_OK);
    DictionaryRecord* unnamed = nullptr;
    ASSERT_EQ(DicOpen(bare.c_str(), -1, &unnamed, nullptr, 0, 0), LV_OK);
    std::fill(std::begin(buffer), std::end(buffer), u'#');
    std::int32_t length = 8;
    EXPECT_EQ(unnamed->ops->descriptionItem(*unnamed, 0, 0, buffer, &length, nullptr), LV_NOT_PRESENT);
    EXPECT_EQ(buffer[0], u'\0');
    DicClose(unnamed);
}

TEST_F(UserDictionaryHandleTest, AnswersTheFixedSlots)
{
    EXPECT_EQ(ops().makeSpecialEntryCurrent(*dic, 0), LV_NOT_PRESENT);
    EXPECT_EQ(ops().renderSpecialEntry(*dic, 0), LV_NOT_PRESENT);
    EXPECT_TRUE(ops().reserved(*dic));
    EXPECT_FALSE(ops().inAlphabet16(*dic, u'a'));
    EXPECT_FALSE(ops().inAlphabet8(*dic, 'a'));
    EXPECT_STREQ(ops().currentWord8(*dic), "");
    EXPECT_EQ(ops().readMainEntry(*dic, 0, 0), LV_OK);
    EXPECT_EQ(ops().chooseWordList(*dic, u"x"), LV_OK);
}

TEST_F(UserDictionaryHandleTest, SetPropertyThroughTheHandle)
{
    ASSERT_EQ(UdSetProp(dic, "DictName", u"Renamed"), LV_OK);
    char16_t buffer[16];
    std::int32_t length = 16;
    ASSERT_EQ(ops().descriptionItem(*dic, 0, 0, buffer, &length, nullptr), LV_OK);
    EXPECT_EQ(std::u16string(buffer), u"Renamed");
}

TEST_F(UserDictionaryHandleTest, FuzzySearchAndComparisonWorkOnTitles)
{
    for (const char16_t* title : {u"house", u"horse", u"mouse", u"garden"})
        add(title, u"x");
    std::vector<std::u16string> found;
    auto collect = [](const char16_t* word, std::int32_t, void* user) {
        static_cast<std::vector<std::u16string>*>(user)->emplace_back(word);
        return 0;
    };
    ASSERT_EQ(DicFuzzySearch(dic, u"hous", 2, collect, &found), LV_OK);
    ASSERT_EQ(found.size(), 2u);
    EXPECT_EQ(found[0], u"house");
    // User dictionaries compare by the built-in table.
    EXPECT_EQ(DicWCmp(dic, u"Straße", u"strasse"), WCmp(u"Straße", u"strasse"));
    EXPECT_LT(DicWCmp(dic, u"apple", u"Banana"), 0);
    EXPECT_EQ(ops().sortTable(*dic, 1), nullptr);
}

namespace {
struct Event {
    std::int32_t index;
    std::u16string text;
    std::int32_t styleNumber;
    std::uint32_t color;
};
struct Output {
    std::vector<Event> events;
    std::int32_t stopAt = -100; // answer non-zero to this index
};
int record(int, const char16_t* text, std::int32_t length, const StyleRecord* style, std::int32_t index, void* user)
{
    auto* output = static_cast<Output*>(user);
    output->events.push_back({index, text ? std::u16string(text, static_cast<std::size_t>(length)) : u"<null>",
                              style ? style->number : -1, style ? style->color : 0});
    return index == output->stopAt ? 1 : 0;
}
} // namespace

TEST_F(UserDictionaryHandleTest, ExtractSendsRunsWithTheirStyles)
{
    const StyleRecord records[] = {style(0, 0x000000), style(1, 0x3366CC)};
    ASSERT_EQ(UdAdd(dic, u"alpha", u"#\"alpha\"#01\"first\"#00\" and \"#07\"more\"", records, 2, 0), LV_OK);
    Output output;
    ASSERT_EQ(DicExtract(dic, 0, 1, 0, record, &output, 1), LV_OK);
    ASSERT_EQ(output.events.size(), 6u);
    EXPECT_EQ(output.events[0].index, -16);
    EXPECT_EQ(output.events[0].text, u"alpha");
    EXPECT_EQ(output.events[1].index, -2);
    EXPECT_EQ(output.events[2].index, 1);
    EXPECT_EQ(output.events[2].text, u"first");
    EXPECT_EQ(output.events[2].color, 0x3366CCu);
    EXPECT_EQ(output.events[3].index, 0);
    EXPECT_EQ(output.events[3].text, u" and ");
    EXPECT_EQ(output.events[4].styleNumber, 7) << "a number the file lacks gets an empty style";
    EXPECT_EQ(output.events[4].color, 0u);
    EXPECT_EQ(output.events[5].index, -1);

    // A stop at the first run: one closing -1 and LV_STOPPED.
    Output stopped;
    stopped.stopAt = 1;
    EXPECT_EQ(DicExtract(dic, 0, 0, 0, record, &stopped, 0), LV_STOPPED);
    ASSERT_EQ(stopped.events.size(), 3u);
    EXPECT_EQ(stopped.events.back().index, -1);

    Output none;
    EXPECT_EQ(DicExtract(dic, 3, 0, 0, record, &none, 0), LV_NOT_PRESENT);
    EXPECT_EQ(DicExtract(dic, -1, 0, 0, record, &none, 0), LV_NOT_PRESENT);
    EXPECT_TRUE(none.events.empty());
}

TEST_F(UserDictionaryHandleTest, GetDataAndSearchReadTitles)
{
    add(u"beta", u"b");
    add(u"alpha", u"a");
    add(u"delta", u"d");
    char16_t buffer[16];
    std::int32_t length = 16;
    ASSERT_EQ(DicGetData(dic, 0, 1, buffer, &length, nullptr), LV_OK);
    EXPECT_EQ(std::u16string(buffer), u"beta");
    EXPECT_EQ(length, 4);
    length = 16;
    EXPECT_EQ(DicGetData(dic, 0, 3, buffer, &length, nullptr), LV_NOT_PRESENT);
    EXPECT_EQ(length, 0);

    struct Case {
        const char16_t* word;
        std::int32_t index;
    };
    for (const Case& c : {Case{u"DELTA", 2}, Case{u"al", 0}, Case{u"c", 2}, Case{u"zeta", 2}, Case{u"aa", 0}}) {
        std::int32_t index = -5;
        EXPECT_EQ(DicSearch(dic, c.word, 0, &index), LV_OK);
        EXPECT_EQ(index, c.index) << "not found: the place the word would stand";
    }
}

TEST_F(UserDictionaryHandleTest, SavedPositionsComeBackWithTheirTitle)
{
    add(u"alpha", u"a");
    add(u"beta", u"b");
    ASSERT_EQ(ops().setCurrentIndex(*dic, 1), LV_OK);
    lexvane::engine::ReadingPosition saved;
    ASSERT_EQ(ops().savePosition(*dic, saved), LV_OK);
    ASSERT_EQ(ops().readEntry(*dic, 0, kReadWithArticle), LV_OK);
    ASSERT_EQ(ops().restorePosition(*dic, saved), LV_OK);
    EXPECT_EQ(ops().currentIndex(*dic), 1);
    EXPECT_EQ(current(), u"beta");
    saved.current = 9;
    EXPECT_EQ(ops().restorePosition(*dic, saved), LV_NOT_PRESENT);
}
