// compiled_fuzzer.cpp: a compiled dictionary from untrusted bytes, through
// the engine's exported interface.
//
// The bytes are written to a private file named for the id the seeds carry
// ("0A1B") and opened with DicOpen; every export that reads the dictionary
// is then asked, whether the open succeeded or not (a failed open still
// hands out a record that the exports must take): identity, comparison,
// search, word-list choice, fuzzy search, and for every entry (up to
// kMaximumEntries, so that a damaged count cannot stall the fuzzer) its
// headword, each data kind and its article. A header naming "0A1B" as its
// companion makes the file its own companion.
#include "dictionary_reading.h"
#include "fuzz_input.h"

#include "lexvane_engine.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <string>
#include <vector>

namespace {

// Words that reach the parts of a sort table: letters of both cases,
// accents, ligatures and their expansions, punctuation and digits that are
// ignored, Cyrillic, and one word with every code unit from space to U+024F
// so that each character entry of a fuzzed table is looked up.
std::u16string everyLatinUnit()
{
    std::u16string word;
    for (char16_t unit = 0x20; unit < 0x250; ++unit)
        word.push_back(unit);
    return word;
}

const std::vector<std::u16string>& words()
{
    static const std::vector<std::u16string> list = {
        u"", u"a", u"A", u"straße", u"STRASSE", u"co-op", u"coop", u"æther", u"Ærø", u"naïve",
        u"ёлка", u"ЕЛКА", u"1984", u"d'Artagnan", u"\t", u"abc\tdef", u"\u0301",
        std::u16string{char16_t(0xFFFF), char16_t(0xD800), char16_t(0xDC00)},
        everyLatinUnit(),
    };
    return list;
}

int sign(int value)
{
    return (value > 0) - (value < 0);
}

// Entries read per input: enough for every seed, few enough to keep the
// fuzzer fast on a count that damage made huge.
constexpr std::int32_t kMaximumEntries = 300;

// Title, language names and description (kinds 1, 4, 5, 6) in no
// interface language, the dictionary's own and others, into buffers of
// every size: *length counts bytes in and code units out.
void readDescriptions(DictionaryRecord* dic, char16_t* buffer, std::int32_t bytes)
{
    std::int32_t ownLanguage = 0;
    DicGetLang(dic, &ownLanguage);
    const std::int32_t german = 'g' | 'e' << 8 | 'r' << 16 | 'm' << 24;
    for (std::int32_t kind : {1, 4, 5, 6}) {
        for (std::int32_t language : {0, ownLanguage, german}) {
            for (std::int32_t capacity : {bytes, std::int32_t(2), std::int32_t(9)}) {
                std::int32_t length = capacity;
                std::int32_t extra = 0;
                if (DicGetData(dic, kind, language, buffer, &length, &extra) != 0)
                    continue;
                if (length < 0 || (capacity >= 2 && (length >= capacity / 2 || buffer[length] != 0)))
                    std::abort();
            }
        }
    }
}

// Binary items by reference text (kind 7), retried at the size the first
// answer asks for, as a caller does.
void readBinaryItems(DictionaryRecord* dic)
{
    static const char16_t* const references[] = {u"<img ID=IMG-0001>", u"<img ID=\"IMG-0002\"/>", u"<img ID=IMG-",
                                                  u"<img ID=IMG-99999999999>", u"IMG-0001", u""};
    for (const char16_t* reference : references) {
        std::vector<std::uint8_t> item(16);
        std::int32_t length = static_cast<std::int32_t>(item.size());
        std::int32_t extra = 0;
        const auto argument = reinterpret_cast<std::intptr_t>(reference);
        if (DicGetData(dic, 7, argument, item.data(), &length, &extra) != -1)
            continue;
        // A container's resources are below 64 KiB each; a larger answer is
        // still handed a buffer, up to a bound that keeps the fuzzer alive.
        if (length < 0 || length > (1 << 24))
            std::abort();
        item.resize(static_cast<std::size_t>(length));
        DicGetData(dic, 7, argument, item.data(), &length, &extra);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const lexvane::fuzzing::PrivateFolder folder;
    const std::string path = folder.write("fuzz0A1B.prc", std::span(data, size));

    DictionaryRecord* dic = lexvane::fuzzing::openAndIdentify(path);

    // Each word against itself and its neighbour: every word meets the
    // table, and the comparison must stay a comparison however the table
    // reads (antisymmetric, a word equal to itself).
    const std::vector<std::u16string>& list = words();
    for (std::size_t i = 0; i < list.size(); ++i) {
        const char16_t* a = list[i].c_str();
        const char16_t* b = list[(i + 1) % list.size()].c_str();
        DicWEffectiveLen(dic, a);
        if (DicWCmp(dic, a, a) != 0 || sign(DicWCmp(dic, a, b)) != -sign(DicWCmp(dic, b, a)))
            std::abort();
    }

    lexvane::fuzzing::ReadTotal results;
    DicFuzzySearch(dic, u"strasse", 10, lexvane::fuzzing::readWordResult, &results);
    DicFuzzySearch(dic, u"a", 3, lexvane::fuzzing::readWordResult, &results);

    for (const std::u16string& word : words()) {
        std::int32_t index = 0;
        DicSearch(dic, word.c_str(), 0, &index);
    }
    // Kana keep the main list, kanji choose the alternative one, a letter
    // goes back.
    DicDoFilter(dic, u"\u3042");

    // The alternative list first (it is current after the kanji), then the
    // main list.
    lexvane::fuzzing::ReadTotal total;
    DicDoFilter(dic, u"\u6f22\u5b57");
    lexvane::fuzzing::readEntries(dic, kMaximumEntries, total);
    DicDoFilter(dic, u"abc");
    lexvane::fuzzing::readEntries(dic, kMaximumEntries, total);

    std::int32_t count = 0;
    DicGetCount(dic, &count);
    char16_t headword[300];
    // Past the end, and the special entries (their titles are kind 0 with
    // a negative argument).
    for (std::int32_t entry : {count, -1, -2, -3, -256}) {
        DicExtract(dic, entry, 1, 0, lexvane::fuzzing::readArticleEvent, &total, 0);
        std::int32_t length = std::size(headword);
        DicGetData(dic, 0, entry, headword, &length, nullptr);
    }
    readDescriptions(dic, headword, sizeof headword);
    readBinaryItems(dic);

    DicClose(dic);
    return 0;
}
