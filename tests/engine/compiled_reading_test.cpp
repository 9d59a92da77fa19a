// Reading behaviour of compiled dictionaries beyond plain round trips:
// generated texts, the companion pair, the alternative word list, stops
// from the output callback, re-reading and resynchronising after an error.
#include "compiled_test_support.h"

#include <gtest/gtest.h>

using namespace lexvane::testing;
using lexvane::tools::CompileOptions;
using lexvane::tools::DictionarySource;
using lexvane::tools::SourceRun;
using lexvane::tools::StyleDefinition;

namespace {

using Runs = std::vector<std::pair<int, std::u16string>>;

enum Style : std::uint8_t {
    kText = 3,
    kUpper,
    kMiddle,
    kLower,
    kReference,
    kCompanionReference,
    kHeadword,
    kConstant,
};

DictionarySource generatedSource()
{
    DictionarySource source;
    source.sortTable = sampleSortTable();
    auto generated = [](std::uint8_t kind) {
        StyleDefinition style;
        style.method = 0;
        style.generatedKind = kind;
        return style;
    };
    StyleDefinition constant;
    constant.method = 1;
    constant.constantText = "=>";
    source.styles = {StyleDefinition{}, generated(4), generated(5), generated(6), generated(1),
                     generated(2),      generated(3), constant};
    return source;
}

std::vector<SourceRun> repeated(std::uint8_t style, int count)
{
    return std::vector<SourceRun>(static_cast<std::size_t>(count), SourceRun{style, "", 0});
}

TEST(CompiledReading, CountersWriteRomanNumbersDecimalsAndLetters)
{
    DictionarySource source = generatedSource();
    source.entries.push_back({"counters", repeated(kUpper, 20)});
    std::vector<SourceRun> mixed = repeated(kLower, 28);
    mixed.push_back({kMiddle, "", 0});
    mixed.push_back({kMiddle, "", 0});
    mixed.push_back({kLower, "", 0});
    mixed.push_back({kUpper, "", 0});
    mixed.push_back({kLower, "", 0});
    mixed.push_back({kMiddle, "", 0});
    source.entries.push_back({"letters", mixed});
    TemporaryFolder folder;
    OpenDictionary dic(writeCompiled(folder, "gene0A1B.prc", source));
    ASSERT_EQ(dic.status, LV_OK);

    Recorder upper;
    ASSERT_EQ(dic.extract(0, upper), LV_OK);
    const Runs runs = upper.runs();
    ASSERT_EQ(runs.size(), 20u);
    const std::pair<int, std::u16string> expected[] = {{1, u"I"},   {2, u"II"},    {3, u"III"},  {4, u"IV"},
                                                       {5, u"V"},   {6, u"VI"},    {9, u"IX"},   {10, u"X"},
                                                       {14, u"XIV"}, {19, u"XIX"}, {20, u"XX"}};
    for (const auto& [value, text] : expected)
        EXPECT_EQ(runs[static_cast<std::size_t>(value - 1)].second, text) << value;

    Recorder letters;
    ASSERT_EQ(dic.extract(1, letters), LV_OK);
    const Runs lower = letters.runs();
    ASSERT_EQ(lower.size(), 34u);
    EXPECT_EQ(lower[0].second, u"a");
    EXPECT_EQ(lower[25].second, u"z");
    EXPECT_EQ(lower[26].second, u"") << "the lower counter stops after z";
    EXPECT_EQ(lower[27].second, u"");
    EXPECT_EQ(lower[28].second, u"1");
    EXPECT_EQ(lower[29].second, u"2");
    EXPECT_EQ(lower[30].second, u"a") << "the middle counter clears the lower one";
    EXPECT_EQ(lower[31].second, u"I") << "counters start again with every article";
    EXPECT_EQ(lower[32].second, u"a");
    EXPECT_EQ(lower[33].second, u"1") << "the upper counter clears the middle one";
}

TEST(CompiledReading, ReferencesHeadwordAndConstantText)
{
    DictionarySource source = generatedSource();
    source.entries.push_back({"apple", {{kText, "see ", 0}, {kReference, "", 2}, {kConstant, "", 0}}});
    source.entries.push_back({"banana", {{kHeadword, "", 0}, {kText, "!", 0}}});
    source.entries.push_back({"cherry", {{kReference, "", 0}, {kReference, "", 1}}});
    TemporaryFolder folder;
    OpenDictionary dic(writeCompiled(folder, "refs0A1B.prc", source));
    ASSERT_EQ(dic.status, LV_OK);
    Recorder a;
    ASSERT_EQ(dic.extract(0, a), LV_OK);
    EXPECT_EQ(a.runs(), (Runs{{kText, u"see "}, {kReference, u"cherry"}, {kConstant, u"=>"}}));
    Recorder b;
    ASSERT_EQ(dic.extract(1, b), LV_OK);
    EXPECT_EQ(b.runs(), (Runs{{kHeadword, u"banana"}, {kText, u"!"}}));
    // A reference read in place leaves the reader where it was: stepping on
    // from entry 2 continues correctly.
    Recorder c;
    ASSERT_EQ(dic.extract(2, c), LV_OK);
    EXPECT_EQ(c.runs(), (Runs{{kReference, u"apple"}, {kReference, u"banana"}}));
    EXPECT_EQ(dic.headword(2), u"cherry");
    EXPECT_EQ(dic.headword(0), u"apple");
}

TEST(CompiledReading, CompanionServesKindTwoReferences)
{
    TemporaryFolder folder;
    DictionarySource english = generatedSource();
    english.id = "0A1B";
    english.companionId = "0A1C";
    english.entries.push_back({"house", {{kCompanionReference, "", 1}}});
    DictionarySource russian = generatedSource();
    russian.id = "0A1C";
    russian.companionId = "0A1B";
    russian.sourceLanguage = "russ";
    russian.targetLanguage = "engl";
    russian.entries.push_back({"дом", {{kCompanionReference, "", 0}}});
    russian.entries.push_back({"здание", {{kText, "x", 0}}});
    CompileOptions options;
    options.companionEntryCount = 2;
    const std::string englishPath = writeCompiled(folder, "pair0A1B.prc", english, options);

    {
        OpenDictionary alone(englishPath);
        EXPECT_EQ(alone.status, LV_CANNOT_OPEN) << "the companion's failure is the open's";
    }
    writeCompiled(folder, "pair0A1C.prc", russian, options);
    OpenDictionary dic(englishPath);
    ASSERT_EQ(dic.status, LV_OK);
    std::int32_t pair = 0;
    DicGetPairID(dic.handle, &pair);
    EXPECT_EQ(pair, static_cast<std::int32_t>('0' | 'A' << 8 | '1' << 16 | 'C' << 24));
    Recorder recorder;
    ASSERT_EQ(dic.extract(0, recorder), LV_OK);
    EXPECT_EQ(recorder.runs(), (Runs{{kCompanionReference, u"здание"}}));

    // Opened from the other side, the pair points back.
    OpenDictionary back(folder.file("pair0A1C.prc"));
    ASSERT_EQ(back.status, LV_OK);
    Recorder russianArticle;
    ASSERT_EQ(back.extract(0, russianArticle), LV_OK);
    EXPECT_EQ(russianArticle.runs(), (Runs{{kCompanionReference, u"house"}}));
}

TEST(CompiledReading, BrokenReferencesGiveAStatusAndTheNextReadIsInStep)
{
    DictionarySource source = generatedSource();
    source.entries.push_back({"alpha", {{kText, "one", 0}}});
    source.entries.push_back({"beta", {{kText, "two", 0}, {kCompanionReference, "", 0}, {kText, "lost", 0}}});
    source.entries.push_back({"gamma", {{kText, "three", 0}, {kReference, "", 300}}});
    source.entries.push_back({"delta", {{kText, "four", 0}}});
    CompileOptions options;
    options.entryReferenceBits = 12;
    options.quickAccessInterval = 100; // one point: resynchronising starts at entry 0
    TemporaryFolder folder;
    OpenDictionary dic(writeCompiled(folder, "bad10A1B.prc", source, options));
    ASSERT_EQ(dic.status, LV_OK);

    Recorder noCompanion;
    EXPECT_EQ(dic.extract(1, noCompanion), LV_NOT_PRESENT) << "kind 2 with no companion open";
    Recorder outOfRange;
    EXPECT_EQ(dic.extract(2, outOfRange), LV_NOT_PRESENT) << "kind 1 past the last entry";
    Recorder next;
    ASSERT_EQ(dic.extract(3, next), LV_OK);
    EXPECT_EQ(next.runs(), (Runs{{kText, u"four"}}));
    EXPECT_EQ(dic.headword(2), u"gamma");
    Recorder first;
    ASSERT_EQ(dic.extract(0, first), LV_OK);
    EXPECT_EQ(first.runs(), (Runs{{kText, u"one"}}));
}

TEST(CompiledReading, CallbackStopsLeaveTheReaderInStep)
{
    DictionarySource source = sampleSource(40, 9, true);
    for (auto& entry : source.entries)
        entry.article = {{3, "a", 0}, {4, "b", 0}, {5, "c", 0}};
    for (std::uint8_t lengthBits : {0, 24}) {
        CompileOptions options;
        options.articleLengthBits = lengthBits;
        options.quickAccessInterval = 8;
        TemporaryFolder folder;
        OpenDictionary dic(writeCompiled(folder, "stop0A1B.prc", source, options));
        ASSERT_EQ(dic.status, LV_OK);
        for (int stopAt = 0; stopAt < 4; ++stopAt) {
            const std::int32_t entry = 10 + stopAt;
            Recorder stopped;
            stopped.stopAt = stopAt;
            stopped.stopAnswer = stopAt == 2 ? LV_STOPPED : 1;
            EXPECT_EQ(dic.extract(entry, stopped), LV_STOPPED) << stopAt;
            EXPECT_EQ(stopped.events.back().index, -1);
            EXPECT_EQ(std::count_if(stopped.events.begin(), stopped.events.end(),
                                    [](const OutputEvent& e) { return e.index == -1; }),
                      1)
                << "exactly one closing -1, stop at " << stopAt;
            EXPECT_EQ(stopped.events.size(), static_cast<std::size_t>(stopAt + 2));
            // The next entry reads on from here, without a seek.
            Recorder next;
            ASSERT_EQ(dic.extract(entry + 1, next), LV_OK);
            EXPECT_EQ(next.runs(), (Runs{{3, u"a"}, {4, u"[b]"}, {5, u"c"}}));
            EXPECT_EQ(dic.headword(entry + 1), widen(source.entries[static_cast<std::size_t>(entry) + 1].headword));
        }
    }
}

TEST(CompiledReading, ReadingTheCurrentEntryAgainDecodesItsArticleAgain)
{
    DictionarySource source = sampleSource(30, 4, true);
    for (std::uint32_t version : {612u, 615u}) {
        source.version = version;
        TemporaryFolder folder;
        OpenDictionary dic(writeCompiled(folder, "again0A1B.prc", source));
        ASSERT_EQ(dic.status, LV_OK);
        Recorder first;
        Recorder second;
        ASSERT_EQ(dic.extract(17, first), LV_OK);
        ASSERT_EQ(dic.extract(17, second), LV_OK);
        EXPECT_EQ(first.events, second.events);
        // After only the headword was read, the article still comes out whole.
        dic.headword(18);
        Recorder third;
        ASSERT_EQ(dic.extract(18, third), LV_OK);
        EXPECT_EQ(third.runs().size(), source.entries[18].article.size());
    }
}

TEST(CompiledReading, HeaderLineComesBeforeTheArticleStart)
{
    DictionarySource source = sampleSource(5, 1, true);
    TemporaryFolder folder;
    OpenDictionary dic(writeCompiled(folder, "head0A1B.prc", source));
    Recorder recorder;
    ASSERT_EQ(dic.extract(3, recorder, true), LV_OK);
    ASSERT_GE(recorder.events.size(), 3u);
    EXPECT_EQ(recorder.events[0].index, -16);
    EXPECT_EQ(recorder.events[0].text, widen(source.entries[3].headword));
    EXPECT_EQ(recorder.events[1].index, -2);
}

DictionarySource japaneseSource()
{
    DictionarySource source;
    source.sourceLanguage = "japa";
    source.sortTable = sampleSortTable();
    source.styles.resize(1);
    const char* words[] = {"あい", "あお", "いえ", "うみ", "えき", "おか"};
    for (const char* word : words)
        source.entries.push_back({word, {{3, std::string("article ") + word, 0}}});
    source.alternative = {{"愛", {0}}, {"海", {3}}, {"青", {1, 5}}, {"駅", {4}}, {"家", {2}}};
    // A table that weighs the kana and kanji used here by code.
    std::u16string characters;
    for (const auto& entry : source.entries)
        characters += widen(entry.headword);
    for (const auto& entry : source.alternative)
        characters += widen(entry.headword);
    for (char16_t c = u'a'; c <= u'z'; ++c)
        characters.push_back(c);
    std::sort(characters.begin(), characters.end());
    characters.erase(std::unique(characters.begin(), characters.end()), characters.end());
    std::vector<lexvane::engine::SortTable::Character> weights;
    for (std::size_t i = 0; i < characters.size(); ++i)
        weights.push_back({characters[i], static_cast<std::uint16_t>(i + 1)});
    const lexvane::engine::SortTable table(lexvane::engine::SortTable::Lookup::Bisection, 0, weights, {});
    std::string error;
    source.sortTable.clear();
    EXPECT_TRUE(lexvane::tools::writeSortTable(table, source.sortTable, error)) << error;
    std::sort(source.alternative.begin(), source.alternative.end(), [&](const auto& a, const auto& b) {
        return lexvane::engine::compare(widen(a.headword), widen(b.headword), &table) < 0;
    });
    return source;
}

TEST(CompiledReading, AlternativeWordListIsChosenByTheTypedText)
{
    DictionarySource source = japaneseSource();
    CompileOptions options;
    options.quickAccessInterval = 2;
    TemporaryFolder folder;
    OpenDictionary dic(writeCompiled(folder, "japa0A1B.prc", source, options));
    ASSERT_EQ(dic.status, LV_OK);
    std::int32_t count = 0;
    DicGetCount(dic.handle, &count);
    EXPECT_EQ(count, 6);

    EXPECT_EQ(DicDoFilter(dic.handle, u"1 \u3042\u3044"), 0) << "kana keeps the main list";
    EXPECT_EQ(DicDoFilter(dic.handle, u"\u6f22\u5b57"), 1) << "kanji choose the alternative list";
    DicGetCount(dic.handle, &count);
    EXPECT_EQ(count, 5);
    for (std::size_t k = 0; k < source.alternative.size(); ++k)
        EXPECT_EQ(dic.headword(static_cast<std::int32_t>(k)), widen(source.alternative[k].headword)) << k;

    std::int32_t index = -1;
    EXPECT_EQ(DicSearch(dic.handle, u"\u6d77", 0, &index), LV_OK); // 海
    EXPECT_EQ(dic.headword(index), u"\u6d77");

    // An alternative entry sends the articles of all its main entries.
    std::size_t blue = 0;
    while (source.alternative[blue].headword != "青")
        ++blue;
    Recorder recorder;
    ASSERT_EQ(dic.extract(static_cast<std::int32_t>(blue), recorder), LV_OK);
    EXPECT_EQ(recorder.runs(), (Runs{{3, widen("article あお")}, {3, widen("article おか")}}));

    EXPECT_EQ(DicDoFilter(dic.handle, u"\u6f22"), 0) << "no change";
    EXPECT_EQ(DicDoFilter(dic.handle, u"\tabc"), 0) << "nothing before the tab decides";
    EXPECT_EQ(DicDoFilter(dic.handle, u"abc"), 1) << "a letter chooses the main list";
    DicGetCount(dic.handle, &count);
    EXPECT_EQ(count, 6);
    EXPECT_EQ(DicDoFilter(nullptr, u"abc"), LV_NULL_HANDLE);
}

TEST(CompiledReading, OtherLanguagesKeepTheMainList)
{
    DictionarySource source = japaneseSource();
    source.sourceLanguage = "engl";
    TemporaryFolder folder;
    OpenDictionary dic(writeCompiled(folder, "engl0A1B.prc", source));
    ASSERT_EQ(dic.status, LV_OK);
    EXPECT_EQ(DicDoFilter(dic.handle, u"\u6f22"), 0);
    std::int32_t count = 0;
    DicGetCount(dic.handle, &count);
    EXPECT_EQ(count, 6);
}

TEST(CompiledReading, SearchPositionsAtTheFirstEntryNotBeforeTheWord)
{
    DictionarySource source = sampleSource(200, 21, true);
    CompileOptions options;
    options.quickAccessInterval = 16;
    TemporaryFolder folder;
    OpenDictionary dic(writeCompiled(folder, "find0A1B.prc", source, options));
    ASSERT_EQ(dic.status, LV_OK);
    for (std::size_t i = 0; i < source.entries.size(); i += 7) {
        std::int32_t index = -1;
        const std::u16string word = widen(source.entries[i].headword);
        ASSERT_EQ(DicSearch(dic.handle, word.c_str(), 0, &index), LV_OK);
        EXPECT_EQ(index, static_cast<std::int32_t>(i)) << source.entries[i].headword;
        // A word just after this one lands on the next entry.
        const std::u16string after = word + u"a";
        ASSERT_EQ(DicSearch(dic.handle, after.c_str(), 0, &index), LV_OK);
        EXPECT_EQ(index, static_cast<std::int32_t>(i + 1 < source.entries.size() ? i + 1 : i));
    }
    std::int32_t index = -1;
    EXPECT_EQ(DicSearch(dic.handle, u"", 0, &index), LV_OK);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(DicSearch(dic.handle, u"zz", 0, &index), LV_OK);
    EXPECT_EQ(index, 199) << "after the last entry the list stops at the last entry";
    EXPECT_EQ(DicSearch(dic.handle, u"-", 0, &index), LV_OK);
    EXPECT_EQ(index, 0) << "a word of ignored characters sorts first";
    EXPECT_EQ(DicSearch(nullptr, u"a", 0, &index), LV_NULL_HANDLE);
    EXPECT_EQ(DicSearch(dic.handle, nullptr, 0, &index), LV_NULL_ARGUMENT);
    EXPECT_EQ(DicSearch(dic.handle, u"a", 0, nullptr), LV_NULL_ARGUMENT);
}

} // namespace

namespace {

TEST(CompiledReading, SearchFollowsTheSortTableAcrossEqualPrefixes)
{
    // Quick-access prefixes hold 8 characters: many points share
    // "abcdefgh", and the word's entry may lie before the last of them.
    DictionarySource source;
    source.sortTable = sampleSortTable();
    source.styles.resize(1);
    for (char c = 'a'; c <= 'z'; ++c)
        source.entries.push_back({std::string("abcdefgh") + c, {{3, std::string(1, c), 0}}});
    CompileOptions options;
    options.quickAccessInterval = 3;
    TemporaryFolder folder;
    OpenDictionary dic(writeCompiled(folder, "pref0A1B.prc", source, options));
    ASSERT_EQ(dic.status, LV_OK);
    struct Case {
        const char16_t* word;
        std::int32_t index;
    };
    const Case cases[] = {
        {u"abcdefghm", 12},  {u"ABCDEFGHM", 12}, {u"abc-defgh-m", 12}, {u"abcdefghmm", 13},
        {u"abcdefgh", 0},    {u"abcdefghz", 25}, {u"abcdefghzz", 25},   {u"b", 25},
    };
    for (const Case& c : cases) {
        std::int32_t index = -1;
        EXPECT_EQ(DicSearch(dic.handle, c.word, 0, &index), LV_OK);
        EXPECT_EQ(index, c.index) << std::string(c.word, c.word + std::char_traits<char16_t>::length(c.word));
    }
}

} // namespace

#include "frame/dictionary_record.h"
#include "frame/reading_position.h"

namespace {

// The slots the dictionary sets use: quick-access points, stepping, and
// saving and restoring a reading position.
TEST(CompiledReading, SetSlotsStepSaveAndRestore)
{
    DictionarySource source = sampleSource(50, 13, false);
    CompileOptions options;
    options.quickAccessInterval = 10;
    TemporaryFolder folder;
    OpenDictionary dic(writeCompiled(folder, "slot0A1B.prc", source, options));
    ASSERT_EQ(dic.status, LV_OK);
    DictionaryRecord& record = *dic.handle;
    const auto& ops = *record.ops;
    EXPECT_EQ(ops.quickAccessCount(record), 5);
    EXPECT_EQ(ops.quickAccessEntryIndex(record, 3), 30);
    const char* prefix8 = nullptr;
    ASSERT_EQ(ops.quickAccessWord8(record, 3, &prefix8), LV_OK);
    EXPECT_EQ(std::string(prefix8), source.entries[30].headword.substr(0, 8));
    const char16_t* prefix16 = nullptr;
    ASSERT_EQ(ops.quickAccessWord16(record, 3, &prefix16), LV_OK);
    EXPECT_EQ(std::u16string(prefix16), widenCodePage(source.entries[30].headword.substr(0, 8)));
    EXPECT_EQ(ops.quickAccessWord16(record, 5, &prefix16), LV_OUT_OF_RANGE);

    ASSERT_EQ(ops.goToQuickAccessPoint(record, 2, lexvane::engine::kReadForStepping), LV_OK);
    EXPECT_EQ(ops.currentIndex(record), 20);
    EXPECT_EQ(std::string(ops.currentWord8(record)), source.entries[20].headword);
    ASSERT_EQ(ops.nextEntry(record, lexvane::engine::kReadForStepping), LV_OK);
    EXPECT_EQ(ops.currentIndex(record), 21);

    lexvane::engine::ReadingPosition saved;
    ops.savePosition(record, saved);
    for (int k = 0; k < 7; ++k)
        ops.nextEntry(record, lexvane::engine::kReadForStepping);
    EXPECT_EQ(ops.currentIndex(record), 28);
    ops.restorePosition(record, saved);
    ASSERT_EQ(ops.nextEntry(record, lexvane::engine::kReadForStepping), LV_OK);
    EXPECT_EQ(ops.currentIndex(record), 22);
    EXPECT_EQ(std::u16string(ops.currentWord16(record)), widenCodePage(source.entries[22].headword));

    ASSERT_EQ(ops.goToQuickAccessPoint(record, 0x8000, lexvane::engine::kReadForStepping), LV_OK);
    EXPECT_EQ(ops.currentIndex(record), -1) << "before the first entry";
    ASSERT_EQ(ops.nextEntry(record, lexvane::engine::kReadForStepping), LV_OK);
    EXPECT_EQ(std::string(ops.currentWord8(record)), source.entries[0].headword);

    ASSERT_EQ(ops.findMainWord8(record, source.entries[33].headword.c_str()), LV_OK);
    EXPECT_EQ(ops.currentIndex(record), 33);
    EXPECT_TRUE(ops.inAlphabet8(record, static_cast<std::uint8_t>(source.entries[0].headword[0])));
    EXPECT_FALSE(ops.inAlphabet8(record, '-'));
    EXPECT_FALSE(ops.inAlphabet16(record, u'a')) << "an 8-bit dictionary has no 16-bit alphabet";
}

TEST(CompiledReading, SearchReportsReadFailures)
{
    DictionarySource source = sampleSource(40, 17, true);
    lexvane::tools::PrcWriter writer;
    std::string error;
    ASSERT_TRUE(lexvane::tools::compileDictionary(source, {}, writer, error)) << error;
    lexvane::tools::PrcWriter damaged;
    for (const auto& resource : writer.resources())
        if (resource.type != "HWRD")
            damaged.add(resource.type, resource.id, resource.body);
    TemporaryFolder folder;
    OpenDictionary dic(folder.write("nohw0A1B.prc", damaged.bytes()));
    ASSERT_EQ(dic.status, LV_OK) << "streams are read on demand";
    std::int32_t index = -1;
    EXPECT_EQ(DicSearch(dic.handle, u"b", 0, &index), LV_NOT_PRESENT);
}

} // namespace
