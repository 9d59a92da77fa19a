// Article output and dictionary data: the output stage, DicExtract's header,
// every kind of DicGetData, special entries, binary items, language names,
// and the limits of callers' buffers.
#include "compiled_test_support.h"
#include "output/article_output.h"
#include "output/dictionary_text.h"
#include "output/language_names.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <fstream>
#include <iterator>

using namespace lexvane::testing;
using lexvane::tools::CompileOptions;
using lexvane::tools::DictionarySource;

namespace {

using Runs = std::vector<std::pair<int, std::u16string>>;

std::int32_t pack(const char (&text)[5])
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[0])) |
                                     static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[1])) << 8 |
                                     static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[2])) << 16 |
                                     static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[3])) << 24);
}

TEST(ArticleOutput, ForwarderSendsHeaderRunsAndOneClosingEnd)
{
    Recorder recorder;
    lexvane::engine::OutputBinding binding;
    binding.callback = &Recorder::callback;
    binding.user = &recorder;
    binding.hasHeader = true;
    StyleRecord style{};
    style.number = 4;
    EXPECT_EQ(lexvane::engine::articleOutputForwarder(binding, {}, nullptr, -2), LV_OK);
    EXPECT_EQ(lexvane::engine::articleOutputForwarder(binding, u"a\\x0042c\\x0000d\\x00zz", &style, 4), LV_OK);
    EXPECT_EQ(lexvane::engine::articleOutputForwarder(binding, {}, nullptr, -1), LV_OK);
    ASSERT_EQ(recorder.events.size(), 4u);
    EXPECT_EQ(recorder.events[0].index, -16) << "an empty header is still sent";
    EXPECT_EQ(recorder.events[0].text, u"");
    EXPECT_EQ(recorder.events[1].index, -2);
    EXPECT_EQ(recorder.events[2].text, u"aBcd\\x00zz") << "escapes resolved, code point 0 dropped";
    EXPECT_EQ(recorder.events[3].index, -1);

    for (int stopAt : {0, 1}) {
        Recorder stopping;
        stopping.stopAt = stopAt;
        binding.user = &stopping;
        binding.hasHeader = false;
        int status = lexvane::engine::articleOutputForwarder(binding, {}, nullptr, -2);
        if (stopAt == 1)
            status = lexvane::engine::articleOutputForwarder(binding, u"x", &style, 4);
        EXPECT_EQ(status, LV_STOPPED);
        EXPECT_EQ(stopping.events.back().index, -1);
        EXPECT_EQ(stopping.events.size(), static_cast<std::size_t>(stopAt + 2));
    }
    lexvane::engine::OutputBinding unbound;
    EXPECT_EQ(lexvane::engine::articleOutputForwarder(unbound, u"x", &style, 4), LV_OK);
}

TEST(ArticleOutput, HeadwordCleaning)
{
    struct Case {
        std::u16string in;
        std::int32_t room;
        std::u16string out;
    };
    const Case cases[] = {
        {u"\\x0041BC", 20, u"ABC"},
        {u"\\x0000A", 20, u"\\x0000A"},
        {u"\\x00G1", 20, u"\\x00G1"},
        {u"ab\\x004", 20, u"ab\\x004"},
        {u" abc", 20, u"abc"},
        {u"  a b", 20, u" a b"},
        {u"\tx", 20, u"x"},
        {u"a\uE044b", 20, u"ab"},
        {u"\uE07Bat", 20, u"cat"},
        {u"abcdef", 4, u"abc"},
        {u"abcdef", 1, u""},
        {u"\\x0041\\x0042", 2, u"A"},
    };
    for (const Case& c : cases) {
        std::array<char16_t, 24> buffer;
        buffer.fill(u'#');
        const std::int32_t written = lexvane::engine::cleanHeadword(c.in, buffer.data(), c.room);
        EXPECT_EQ(std::u16string(buffer.data(), static_cast<std::size_t>(written)), c.out);
        EXPECT_EQ(buffer[static_cast<std::size_t>(written)], 0);
        EXPECT_EQ(buffer[static_cast<std::size_t>(c.room)], u'#') << "nothing past the room";
    }
}

TEST(ArticleOutput, ProductNameIsRewritten)
{
    std::u16string latin = u"About LexvaNe and LexvaNe";
    lexvane::engine::rewriteProductName(latin);
    EXPECT_EQ(latin, u"About Lexvane and Lexvane");
    std::u16string cyrillic = u"\u041B\u0435\u043A\u0441\u0432\u0430\u041D\u0435!";
    lexvane::engine::rewriteProductName(cyrillic);
    EXPECT_EQ(cyrillic, u"\u041B\u0435\u043A\u0441\u0432\u0430\u043D\u0435!");
    std::u16string cut = u"LexvaN";
    lexvane::engine::rewriteProductName(cut);
    EXPECT_EQ(cut, u"LexvaN");
}

TEST(ArticleOutput, LanguageNames)
{
    struct Case {
        std::int32_t code;
        int n;
        int size;
        int status;
        std::u16string text;
    };
    const Case cases[] = {
        {pack("engl"), 0, 20, LV_OK, u"English"},
        {pack("engl"), 2, 20, LV_OK, u"En"},
        {0, 0, 20, LV_OK, u"English"},
        {pack("russ"), 0, 8, LV_OK, u"Russian"},
        {pack("russ"), 0, 7, LV_BUFFER_TOO_SMALL, u""},
        {pack("russ"), 3, 3, LV_BUFFER_TOO_SMALL, u""},
        {pack("russ"), 0, 0, LV_BUFFER_TOO_SMALL, u"#"},
        {pack("xxxx"), 0, 20, LV_UNKNOWN_LANGUAGE, u""},
        {pack("ctnn"), 0, 20, LV_OK, u"Catalonian"},
        {pack("vene"), 4, 20, LV_OK, u"Vene"},
    };
    for (const Case& c : cases) {
        std::array<char16_t, 24> buffer;
        buffer.fill(u'#');
        EXPECT_EQ(lexvane::engine::languageName(c.code, c.n, buffer.data(), c.size), c.status);
        if (c.size > 0 || c.text != u"#") {
            EXPECT_EQ(std::u16string(buffer.data()), c.text);
        } else {
            EXPECT_EQ(buffer[0], u'#') << "size 0: nothing written";
        }
        if (c.size > 0) {
            EXPECT_EQ(buffer[static_cast<std::size_t>(c.size)], u'#');
        }
    }
    EXPECT_EQ(lexvane::engine::languageName(pack("engl"), 0, nullptr, 10), LV_NULL_ARGUMENT);
}

// A dictionary with special entries, descriptions in two forms and pictures.
DictionarySource richSource(bool longHeader)
{
    DictionarySource source = sampleSource(12, 31, true);
    source.entries[0].headword = " spaced";
    source.entries[1].headword = "esc\\x0041pe";
    std::sort(source.entries.begin(), source.entries.end(), [](const auto& a, const auto& b) {
        return sortsBefore(widen(a.headword), widen(b.headword));
    });
    source.title = "LexvaNe Sample";
    source.item3 = "Item three";
    source.item4 = "Item four";
    source.longHeader = longHeader;
    source.item0 = std::string(64, 'd') + "escription";
    source.item5 = "English to Russian";
    source.item6 = "En-Ru";
    source.item7 = "English words";
    source.item8 = "Russian words";
    source.localised = {{"germ", {{2, u"Beispiel"}}},
                        {"russ", {{2, u"\u041F\u0440\u0438\u043C\u0435\u0440"}, {7, u"\u0430\u043D\u0433\u043B"}}},
                        {"germ", {{2, u"shadowed"}}}};
    source.specialEntries = {"About\n/05Hello/06 world//x", "Plain title", "Styles\n/5x/ab/99bad", "", "Tail\n//"};
    std::vector<std::uint8_t> picture(1000);
    for (std::size_t i = 0; i < picture.size(); ++i)
        picture[i] = static_cast<std::uint8_t>(i * 7);
    std::vector<std::uint8_t> large(40000);
    for (std::size_t i = 0; i < large.size(); ++i)
        large[i] = static_cast<std::uint8_t>(i / 3);
    source.images = {picture, large, {1, 2, 3}};
    return source;
}

std::u16string textData(OpenDictionary& dic, int kind, std::int32_t language, std::int32_t bytes = 400,
                        int* status = nullptr, std::int32_t* extra = nullptr)
{
    std::array<char16_t, 256> buffer;
    buffer.fill(u'#');
    std::int32_t length = bytes;
    const int s = DicGetData(dic.handle, kind, language, buffer.data(), &length, extra);
    if (status)
        *status = s;
    EXPECT_EQ(buffer[static_cast<std::size_t>(bytes / 2)], u'#') << "nothing past the caller's length";
    return std::u16string(buffer.data(), static_cast<std::size_t>(length));
}

TEST(DictionaryData, DescriptionItemsFromHeadersAndLanguages)
{
    TemporaryFolder folder;
    OpenDictionary shortHeader(writeCompiled(folder, "shrt0A1B.prc", richSource(false)));
    OpenDictionary longHeader(writeCompiled(folder, "long0A1B.prc", richSource(true)));
    ASSERT_EQ(shortHeader.status, LV_OK);
    ASSERT_EQ(longHeader.status, LV_OK);

    struct Case {
        int kind;
        std::u16string shortText;
        std::u16string longText;
    };
    const Case cases[] = {
        {1, u"Lexvane Sample", u"Lexvane Sample"},
        {4, u"English", u"English words"},
        {5, u"Russian", u"Russian words"},
        {6, u"Lexvane Sample", widen(std::string(64, 'd') + "escription")},
        {9, u"", u""},
    };
    for (const Case& c : cases) {
        std::int32_t extra = -5;
        EXPECT_EQ(textData(shortHeader, c.kind, pack("engl"), 400, nullptr, &extra), c.shortText) << c.kind;
        EXPECT_EQ(extra, c.kind == 9 ? -5 : 0);
        EXPECT_EQ(textData(longHeader, c.kind, 0), c.longText) << c.kind;
    }
    std::int32_t extra = 0;
    EXPECT_EQ(textData(shortHeader, 1, pack("germ"), 400, nullptr, &extra), u"Beispiel") << "the first match wins";
    EXPECT_EQ(extra, pack("germ"));
    EXPECT_EQ(textData(shortHeader, 4, pack("russ"), 400, nullptr, &extra), u"\u0430\u043D\u0433\u043B");
    EXPECT_EQ(textData(shortHeader, 5, pack("russ"), 400, nullptr, &extra), u"")
        << "an item the language leaves empty stays empty";

    // Byte lengths: the text gets length / 2 units with its terminator.
    int status = 0;
    EXPECT_EQ(textData(shortHeader, 1, 0, 8, &status), u"Lex");
    EXPECT_EQ(status, LV_OK);
    EXPECT_EQ(textData(shortHeader, 1, 0, 4, &status), u"L");
    EXPECT_EQ(textData(shortHeader, 1, 0, 3, &status), u"");
    EXPECT_EQ(status, LV_OK);
    EXPECT_EQ(textData(shortHeader, 1, 0, 1, &status), u"");
    EXPECT_EQ(status, LV_BUFFER_TOO_SMALL) << "no room for the terminator";
    EXPECT_EQ(textData(shortHeader, 1, 0, 0, &status), u"");
    EXPECT_EQ(status, LV_BUFFER_TOO_SMALL);
}

TEST(DictionaryData, HeadwordsAndSpecialEntryTitles)
{
    TemporaryFolder folder;
    const DictionarySource source = richSource(false);
    OpenDictionary dic(writeCompiled(folder, "head0A1B.prc", source));
    ASSERT_EQ(dic.status, LV_OK);
    std::size_t spaced = 0;
    while (source.entries[spaced].headword != " spaced")
        ++spaced;
    std::size_t escaped = 0;
    while (source.entries[escaped].headword != "esc\\x0041pe")
        ++escaped;
    EXPECT_EQ(dic.headword(static_cast<std::int32_t>(spaced)), u"spaced");
    EXPECT_EQ(dic.headword(static_cast<std::int32_t>(escaped)), u"escApe");
    EXPECT_EQ(dic.headword(~0), u"About");
    EXPECT_EQ(dic.headword(~1), u"Plain title");
    EXPECT_EQ(dic.headword(~0x101), u"Plain title") << "only the low byte counts";
    int status = 0;
    dic.headword(~3, &status);
    EXPECT_EQ(status, LV_NO_SPECIAL_ENTRY) << "an empty special entry";
    dic.headword(~9, &status);
    EXPECT_EQ(status, LV_NO_SPECIAL_ENTRY);
    // A special title read in between leaves the entries readable.
    EXPECT_EQ(dic.headword(static_cast<std::int32_t>(escaped)), u"escApe");

    std::array<char16_t, 8> small;
    small.fill(u'#');
    std::int32_t length = 0;
    EXPECT_EQ(DicGetData(dic.handle, 0, 0, small.data(), &length, nullptr), LV_BUFFER_TOO_SMALL);
    EXPECT_EQ(small[0], u'#') << "length 0: nothing written";
    length = 3;
    EXPECT_EQ(DicGetData(dic.handle, 0, static_cast<std::int32_t>(escaped), small.data(), &length, nullptr), LV_OK);
    EXPECT_EQ(std::u16string(small.data()), u"es");
    EXPECT_EQ(small[3], u'#');
    length = 10;
    EXPECT_EQ(DicGetData(dic.handle, 3, 0, small.data(), &length, nullptr), LV_OK);
    EXPECT_EQ(length, 0) << "a kind without data";
    EXPECT_EQ(DicGetData(nullptr, 0, 0, small.data(), &length, nullptr), LV_NULL_HANDLE);
    EXPECT_EQ(DicGetData(dic.handle, 0, 0, small.data(), nullptr, nullptr), LV_NULL_ARGUMENT);
}

TEST(DictionaryData, SpecialEntriesSwitchStyles)
{
    TemporaryFolder folder;
    OpenDictionary dic(writeCompiled(folder, "info0A1B.prc", richSource(false)));
    ASSERT_EQ(dic.status, LV_OK);
    Recorder about;
    ASSERT_EQ(dic.extract(~0, about), LV_OK);
    EXPECT_EQ(about.runs(), (Runs{{5, u"Hello"}, {6, u" world/x"}}));
    EXPECT_EQ(about.events.front().index, -2);
    EXPECT_EQ(about.events.back().index, -1);

    Recorder plain;
    ASSERT_EQ(dic.extract(~1, plain), LV_OK) << "a title without a body";
    EXPECT_EQ(plain.runs(), Runs{});

    Recorder tail;
    ASSERT_EQ(dic.extract(~4, tail), LV_OK);
    EXPECT_EQ(tail.runs(), (Runs{{0, u"/"}})) << "the style starts at 0";

    // "/5x": one digit is dropped with its slash; "/a": the slash alone.
    // "/99" names a style the dictionary does not have.
    Recorder styles;
    EXPECT_EQ(dic.extract(~2, styles), LV_NOT_PRESENT);
    EXPECT_EQ(styles.runs(), (Runs{{0, u"x"}, {0, u"ab"}}));
    EXPECT_EQ(std::count_if(styles.events.begin(), styles.events.end(), [](const auto& e) { return e.index == -1; }),
              1);

    Recorder missing;
    EXPECT_EQ(dic.extract(~3, missing), LV_NO_SPECIAL_ENTRY);
    EXPECT_EQ(dic.extract(~7, missing), LV_NO_SPECIAL_ENTRY);
    EXPECT_TRUE(missing.events.empty());

    for (int stopAt = 0; stopAt < 3; ++stopAt) {
        Recorder stopped;
        stopped.stopAt = stopAt;
        EXPECT_EQ(dic.extract(~0, stopped), LV_STOPPED) << stopAt;
        EXPECT_EQ(stopped.events.size(), static_cast<std::size_t>(stopAt + 2));
        EXPECT_EQ(stopped.events.back().index, -1);
    }
}

TEST(DictionaryData, ExtractHeaders)
{
    TemporaryFolder folder;
    DictionarySource source = richSource(false);
    source.entries.push_back({"zzzz" + std::string(600, 'y'), {{3, "long", 0}}});
    source.entries.push_back({"zzzzz ", {{3, "x", 0}}});
    OpenDictionary dic(writeCompiled(folder, "hdr0A1B.prc", source));
    ASSERT_EQ(dic.status, LV_OK);

    Recorder titled;
    ASSERT_EQ(DicExtract(dic.handle, 2, 1, pack("russ"), &Recorder::callback, &titled, 0), LV_OK);
    EXPECT_EQ(titled.events[0].index, -16);
    EXPECT_EQ(titled.events[0].text, u" \u041F\u0440\u0438\u043C\u0435\u0440");
    Recorder ownTitle;
    ASSERT_EQ(DicExtract(dic.handle, 2, 1, 0, &Recorder::callback, &ownTitle, 0), LV_OK);
    EXPECT_EQ(ownTitle.events[0].text, u" Lexvane Sample");

    Recorder longWord;
    ASSERT_EQ(DicExtract(dic.handle, 12, 1, 0, &Recorder::callback, &longWord, 1), LV_OK);
    EXPECT_EQ(longWord.events[0].text.size(), 399u) << "the header holds 400 units with its terminator";
    EXPECT_EQ(longWord.runs(), (Runs{{3, u"long"}}));

    Recorder none;
    ASSERT_EQ(DicExtract(dic.handle, 2, 0, 0, &Recorder::callback, &none, 1), LV_OK);
    EXPECT_EQ(none.events[0].index, -2);

    Recorder special;
    ASSERT_EQ(DicExtract(dic.handle, ~0, 1, 0, &Recorder::callback, &special, 1), LV_OK);
    EXPECT_EQ(special.events[0].text, u"About");
    EXPECT_EQ(special.events[1].index, -2);
}

TEST(DictionaryData, BinaryItems)
{
    TemporaryFolder folder;
    const DictionarySource source = richSource(false);
    OpenDictionary dic(writeCompiled(folder, "meta0A1B.prc", source));
    ASSERT_EQ(dic.status, LV_OK);
    OpenDictionary plain(writeCompiled(folder, "none0A1B.prc", sampleSource(3, 1, true)));
    auto itemOf = [&](OpenDictionary& from, const char16_t* reference, std::vector<std::uint8_t>& out,
                      std::int32_t capacity) {
        out.assign(static_cast<std::size_t>(capacity) + 4, 0xEE);
        std::int32_t length = capacity;
        const int status = DicGetData(from.handle, 7, reinterpret_cast<std::intptr_t>(reference), out.data(),
                                      &length, nullptr);
        for (std::size_t i = static_cast<std::size_t>(capacity); i < out.size(); ++i)
            EXPECT_EQ(out[i], 0xEE) << "nothing past the caller's length";
        out.resize(static_cast<std::size_t>(std::max(0, std::min(length, capacity))));
        return std::make_pair(status, length);
    };
    auto item = [&](const char16_t* reference, std::vector<std::uint8_t>& out, std::int32_t capacity) {
        return itemOf(dic, reference, out, capacity);
    };
    std::vector<std::uint8_t> bytes;
    EXPECT_EQ(item(u"<img ID=\"IMG-0001\">", bytes, 10), std::make_pair(-1, 1000));
    EXPECT_EQ(item(u"<img ID=\"IMG-0001\">", bytes, 1000), std::make_pair(0, 1000));
    EXPECT_EQ(bytes, source.images[0]);
    EXPECT_EQ(item(u"<picture src=x ID=IMG-0002/>", bytes, 40000), std::make_pair(0, 40000));
    EXPECT_EQ(bytes, source.images[1]) << "an item that runs across data resources";
    EXPECT_EQ(item(u"<img ID=IMG-0003>", bytes, 3), std::make_pair(0, 3));
    EXPECT_EQ(bytes, source.images[2]);

    struct Case {
        const char16_t* reference;
        int status;
    };
    const Case cases[] = {
        {u"<img ID=IMG-0004>", LV_NOT_PRESENT}, {u"<img ID=IMG-0000>", LV_NOT_PRESENT},
        {u"<img ID=IMG-00G1>", LV_BAD_REFERENCE}, {u"<img ID=IMG-01", LV_BAD_REFERENCE},
        {u"<img ID=", LV_BAD_REFERENCE},          {u"</img ID=IMG-0001>", LV_NOT_PRESENT},
        {u"img ID=IMG-0001", LV_NOT_PRESENT},     {u"<img ID=SND-0001>", LV_NOT_PRESENT},
        {u"<img>", LV_NOT_PRESENT},               {u"", LV_NOT_PRESENT},
    };
    for (const Case& c : cases) {
        // An exact-size copy, so that any read past the text is caught.
        const std::u16string exact(c.reference);
        std::unique_ptr<char16_t[]> copy(new char16_t[exact.size() + 1]);
        std::copy(exact.begin(), exact.end(), copy.get());
        copy[exact.size()] = 0;
        EXPECT_EQ(item(copy.get(), bytes, 100).first, c.status)
            << std::string(exact.begin(), exact.end());
    }
    std::int32_t length = 10;
    EXPECT_EQ(DicGetData(dic.handle, 7, 0, bytes.data(), &length, nullptr), LV_NULL_ARGUMENT);
    length = 0;
    EXPECT_EQ(DicGetData(dic.handle, 7, reinterpret_cast<std::intptr_t>(u"<img ID=IMG-0002>"), nullptr, &length,
                         nullptr),
              -1)
        << "a size query without a buffer";
    EXPECT_EQ(length, 40000);

    EXPECT_EQ(itemOf(plain, u"<img ID=IMG-0001>", bytes, 10).first, LV_NOT_PRESENT) << "no META at all";
}

// An item's size comes from the file. A damaged index once made kind 7 ask
// the caller to retry with a negative length (a size of 2^31 or more) or
// to allocate gigabytes for an item of a few bytes; such a size is damage.
TEST(DictionaryData, BinaryItemSizeBeyondItsDataIsDamage)
{
    TemporaryFolder folder;
    const std::string path = writeCompiled(folder, "meta0A1B.prc", richSource(false));
    std::vector<std::uint8_t> file;
    {
        std::ifstream in(path, std::ios::binary);
        file.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // The first "Iidx" entry: data id, offset, then the size at byte 4.
    std::size_t index = 0;
    const std::size_t entries = static_cast<std::size_t>(file[76] << 8 | file[77]);
    for (std::size_t i = 0; i < entries; ++i) {
        const std::uint8_t* entry = file.data() + 78 + 10 * i;
        if (std::equal(entry, entry + 4, "Iidx"))
            index = static_cast<std::size_t>(entry[6]) << 24 | entry[7] << 16 | entry[8] << 8 | entry[9];
    }
    ASSERT_NE(index, 0u);
    for (const std::uint32_t size : {0xFFFFFFFBu, 0x80000000u, 41000u + 1000u}) {
        SCOPED_TRACE(size);
        for (int k = 0; k < 4; ++k)
            file[index + 4 + k] = static_cast<std::uint8_t>(size >> (8 * k));
        const std::string damaged = folder.write("dama0A1B.prc", file);
        OpenDictionary dic(damaged);
        ASSERT_EQ(dic.status, LV_OK);
        std::vector<std::uint8_t> bytes(16);
        std::int32_t length = static_cast<std::int32_t>(bytes.size());
        EXPECT_EQ(DicGetData(dic.handle, 7, reinterpret_cast<std::intptr_t>(u"<img ID=IMG-0001>"), bytes.data(),
                             &length, nullptr),
                  LV_NOT_PRESENT);
        EXPECT_EQ(length, 0);
    }
}

} // namespace
