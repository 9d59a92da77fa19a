// compiled_test_support.h: writer-made compiled dictionaries and a recording
// output callback, shared by the reader's tests.
#pragma once

#include "collation/built_in_sort_table.h"
#include "collation/word_comparison.h"
#include "dictionary_compiler.h"
#include "sort_table_writer.h"
#include "lexvane_engine.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>
#include <string>
#include <vector>

namespace lexvane::testing {

// One callback event, as the caller sees it.
struct OutputEvent {
    int index = 0;
    std::u16string text;
    int style = -1;
    int bold = 0;
    std::uint32_t colour = 0;
    bool operator==(const OutputEvent&) const = default;
};

// Records every event; answers `stopAnswer` to the run number `stopAt`
// (counting -2 as run 0), else 0.
struct Recorder {
    std::vector<OutputEvent> events;
    int stopAt = -1;
    int stopAnswer = 1;
    int seen = 0;

    static int callback(int zero, const char16_t* text, std::int32_t length, const StyleRecord* style,
                        std::int32_t index, void* user)
    {
        auto* self = static_cast<Recorder*>(user);
        EXPECT_EQ(zero, 0);
        OutputEvent event;
        event.index = index;
        if (text)
            event.text.assign(text, static_cast<std::size_t>(length));
        if (style) {
            event.style = style->number;
            event.bold = style->bold;
            event.colour = style->color;
        }
        self->events.push_back(event);
        if (index == -1 || index == -16)
            return 0;
        return self->seen++ == self->stopAt ? self->stopAnswer : 0;
    }
    // The runs only, as (style, text).
    std::vector<std::pair<int, std::u16string>> runs() const
    {
        std::vector<std::pair<int, std::u16string>> result;
        for (const OutputEvent& e : events)
            if (e.index >= 0)
                result.emplace_back(e.index, e.text);
        return result;
    }
};

inline std::u16string widen(const std::string& utf8)
{
    std::u16string out;
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<std::uint8_t>(utf8[i]);
        std::uint32_t code = lead;
        std::size_t length = 1;
        if (lead >= 0xE0) {
            code = lead & 0x0F;
            length = 3;
        } else if (lead >= 0xC0) {
            code = lead & 0x1F;
            length = 2;
        }
        for (std::size_t k = 1; k < length; ++k)
            code = (code << 6) | (static_cast<std::uint8_t>(utf8[i + k]) & 0x3F);
        out.push_back(static_cast<char16_t>(code));
        i += length;
    }
    return out;
}

// A "UNIC" table in the style of a Cyrillic code page: bytes from 0xC0 map
// to U+0410 onwards, 0xA8 to the two units "E" and U+0308, others as they are.
inline std::vector<std::uint8_t> sampleCodePage()
{
    std::vector<std::uint8_t> table;
    for (int b = 0; b < 256; ++b) {
        char16_t first = static_cast<char16_t>(b);
        char16_t second = 0;
        if (b >= 0xC0)
            first = static_cast<char16_t>(0x0410 + (b - 0xC0));
        if (b == 0xA8) {
            first = u'E';
            second = 0x0308;
        }
        table.push_back(static_cast<std::uint8_t>(first));
        table.push_back(static_cast<std::uint8_t>(first >> 8));
        table.push_back(static_cast<std::uint8_t>(second));
        table.push_back(static_cast<std::uint8_t>(second >> 8));
    }
    return table;
}

inline std::u16string widenCodePage(const std::string& text)
{
    std::u16string out;
    for (char c : text) {
        const auto b = static_cast<std::uint8_t>(c);
        if (b >= 0xC0)
            out.push_back(static_cast<char16_t>(0x0410 + (b - 0xC0)));
        else if (b == 0xA8)
            out += u"E\u0308";
        else
            out.push_back(b);
    }
    return out;
}

// Four prefix-code styles (3 plain, 4 bold with front and after texts,
// 5 italic, 6 coloured).
inline std::vector<tools::StyleDefinition> sampleStyles()
{
    std::vector<tools::StyleDefinition> styles(4);
    styles[1].bold = 1;
    styles[1].front = "[";
    styles[1].after = "]";
    styles[2].italic = 1;
    styles[3].colour = 0x123456;
    return styles;
}

// "COMP" 0 of a UTF-8 dictionary: the built-in table.
inline std::vector<std::uint8_t> sampleSortTable()
{
    std::vector<std::uint8_t> resource;
    std::string error;
    EXPECT_TRUE(tools::writeSortTable(engine::builtInSortTable(), resource, error)) << error;
    return resource;
}

// "COMP" 0 of an 8-bit dictionary with sampleCodePage(): the built-in order.
inline std::vector<std::uint8_t> sampleByteSortTable()
{
    tools::CodePage codePage{};
    const std::vector<std::uint8_t> bytes = sampleCodePage();
    for (std::size_t b = 0; b < 256; ++b) {
        codePage[b][0] = static_cast<char16_t>(bytes[4 * b] | bytes[4 * b + 1] << 8);
        codePage[b][1] = static_cast<char16_t>(bytes[4 * b + 2] | bytes[4 * b + 3] << 8);
    }
    std::vector<std::uint8_t> resource;
    std::string error;
    EXPECT_TRUE(tools::writeByteSortTable(tools::byteCollationFor(engine::builtInSortTable(), codePage), resource,
                                          error))
        << error;
    return resource;
}

// Word order under the built-in table.
inline bool sortsBefore(const std::u16string& a, const std::u16string& b)
{
    return engine::compare(a, b, &engine::builtInSortTable()) < 0;
}

// `count` distinct words over `alphabet`, sorted in code-unit order.
inline std::vector<std::string> sampleWords(std::size_t count, unsigned seed, const std::vector<std::string>& alphabet,
                                            bool utf8 = true)
{
    std::mt19937 random(seed);
    std::vector<std::u16string> wide;
    std::vector<std::string> words;
    std::set<std::u16string> seen;
    while (words.size() < count) {
        std::string word;
        const std::size_t length = 1 + random() % 9;
        for (std::size_t i = 0; i < length; ++i)
            word += alphabet[random() % alphabet.size()];
        if (seen.insert(utf8 ? widen(word) : widenCodePage(word)).second)
            words.push_back(word);
    }
    std::sort(words.begin(), words.end(), [&](const std::string& a, const std::string& b) {
        return utf8 ? sortsBefore(widen(a), widen(b)) : sortsBefore(widenCodePage(a), widenCodePage(b));
    });
    return words;
}

// Articles of 1 to `maxRuns` runs over the sample styles.
inline tools::DictionarySource sampleSource(std::size_t count, unsigned seed, bool utf8, std::size_t maxRuns = 5)
{
    const std::vector<std::string> latin = {"a", "b", "c", "d", "e", "o", "s", "t"};
    const std::vector<std::string> cyrillic = {"а", "б", "в", "д", "о", "с", "т", "я"};
    const std::vector<std::string> eightBit = {"a", "b", "c", "\xE0", "\xE1", "\xE2"};
    tools::DictionarySource source;
    source.utf8Words = utf8;
    source.title = "Sample";
    source.styles = sampleStyles();
    source.sortTable = utf8 ? sampleSortTable() : sampleByteSortTable();
    if (!utf8)
        source.codePages = {sampleCodePage()};
    std::mt19937 random(seed);
    for (const std::string& word : sampleWords(count, seed, utf8 ? latin : eightBit, utf8)) {
        tools::SourceEntry entry;
        entry.headword = word;
        const std::size_t runs = 1 + random() % maxRuns;
        for (std::size_t r = 0; r < runs; ++r) {
            tools::SourceRun run;
            run.style = static_cast<std::uint8_t>(3 + random() % 4);
            const std::size_t length = random() % 30;
            for (std::size_t i = 0; i < length; ++i)
                run.text += utf8 ? cyrillic[random() % cyrillic.size()] : eightBit[random() % eightBit.size()];
            entry.article.push_back(run);
        }
        source.entries.push_back(entry);
    }
    return source;
}

// The text a run of the sample styles shows.
inline std::u16string shownRun(const tools::DictionarySource& source, const tools::SourceRun& run)
{
    const tools::StyleDefinition& style = source.styles[run.style - 3u];
    const std::string text = style.front + run.text + style.after;
    return source.utf8Words ? widen(text) : widenCodePage(text);
}

inline std::u16string shownWord(const tools::DictionarySource& source, const std::string& word)
{
    return source.utf8Words ? widen(word) : widenCodePage(word);
}

// Compiles `source` into `folder`/`name`; fails the test on a writer error.
inline std::string writeCompiled(const TemporaryFolder& folder, const std::string& name,
                                 const tools::DictionarySource& source, const tools::CompileOptions& options = {})
{
    tools::PrcWriter writer;
    std::string error;
    EXPECT_TRUE(tools::compileDictionary(source, options, writer, error)) << error;
    return folder.write(name, writer.bytes());
}

// Opens through the exported interface; closes on destruction.
class OpenDictionary {
public:
    explicit OpenDictionary(const std::string& path, std::int32_t id = -1)
    {
        status = DicOpen(path.c_str(), id, &handle, nullptr, 0, 0);
    }
    ~OpenDictionary() { DicClose(handle); }
    OpenDictionary(const OpenDictionary&) = delete;
    OpenDictionary& operator=(const OpenDictionary&) = delete;

    std::u16string headword(std::int32_t index, int* statusOut = nullptr)
    {
        char16_t buffer[9000];
        std::int32_t length = 9000;
        const int s = DicGetData(handle, 0, index, buffer, &length, nullptr);
        if (statusOut)
            *statusOut = s;
        return s == LV_OK ? std::u16string(buffer, static_cast<std::size_t>(length)) : std::u16string();
    }
    int extract(std::int32_t index, Recorder& recorder, bool header = false)
    {
        return DicExtract(handle, index, header, 0, &Recorder::callback, &recorder, header);
    }

    DictionaryRecord* handle = nullptr;
    int status = -1;
};

} // namespace lexvane::testing
