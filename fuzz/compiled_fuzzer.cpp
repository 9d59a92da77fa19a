// compiled_fuzzer.cpp: a compiled dictionary from untrusted bytes, through
// the engine's exported interface.
//
// The bytes are written to a private file named for the id the seeds carry
// ("0A1B") and opened with DicOpen; every export that reads the dictionary
// is then asked, whether the open succeeded or not (a failed open still
// hands out a record that the exports must take).
#include "fuzz_input.h"

#include "lexvane_engine.h"

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

int countResult(const char16_t* headword, std::int32_t, void* user)
{
    // Read the whole result, as a caller may.
    std::size_t length = 0;
    while (headword[length] != 0)
        ++length;
    *static_cast<std::size_t*>(user) += length;
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const lexvane::fuzzing::PrivateFolder folder;
    const std::string path = folder.write("fuzz0A1B.prc", std::span(data, size));

    DictionaryRecord* dic = nullptr;
    DicOpen(path.c_str(), -1, &dic, nullptr, 0, 0);
    DicInit(dic);

    std::int32_t value = 0;
    DicGetCount(dic, &value);
    DicGetID(dic, &value);
    DicGetPairID(dic, &value);
    DicGetLang(dic, &value);
    DicGetPairLang(dic, &value);

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

    std::size_t reported = 0;
    DicFuzzySearch(dic, u"strasse", 10, countResult, &reported);
    DicFuzzySearch(dic, u"a", 3, countResult, &reported);

    DicClose(dic);
    return 0;
}
