// set_fuzzer.cpp: a dictionary set of two members from untrusted bytes, a
// compiled dictionary and a compiled or user dictionary, read through the
// set's exports: the merged word list, groups and masks, search, wildcard
// and fuzzy search.
//
// Input: a 32-bit little-endian head, then the first member's bytes (as
// many as the head's low 31 bits, modulo what follows), then the second
// member's. The first member is written as "fuzz0A1B.prc", the second as
// "fuzz0A1C.udd" (a user dictionary, an SQLite file) when the head's bit 31
// is set, else as "fuzz0A1C.prc": the ids the seeds carry. Both are joined
// to a set of English to Russian; a member that cannot join is left out, as
// the set does with any.
#include "dictionary_reading.h"
#include "fuzz_input.h"

#include "lexvane_engine.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <string>

namespace {

constexpr const char* kUserName = "fuzz0A1C.udd";

// Merged entries read per input, so that damaged counts cannot stall it.
constexpr std::int32_t kMaximumEntries = 300;

constexpr std::int32_t code(const char (&text)[5])
{
    return text[0] | text[1] << 8 | text[2] << 16 | text[3] << 24;
}

void readMergedList(MergeRecord* set, lexvane::fuzzing::ReadTotal& total)
{
    std::int32_t count = 0;
    MrgGetCount(set, &count);
    char16_t headword[300];
    for (std::int32_t index = 0; index < std::min(count, kMaximumEntries); ++index) {
        for (std::int32_t capacity : {std::int32_t(std::size(headword)), std::int32_t(1), std::int32_t(3)}) {
            std::int32_t length = capacity;
            MrgGetData(set, 0, index, headword, &length);
            if (length < 0 || length >= capacity || headword[length] != 0)
                std::abort();
        }
        std::uint32_t mask = 0;
        std::int32_t values[32] = {};
        MrgGetDicMask(set, index, &mask, values);
        if (mask >> 2 != 0)
            std::abort(); // two members: only bits 0 and 1 can be set
        std::int32_t group = 0;
        MrgGetTranslationCount(set, index, &group);
        total.units += static_cast<std::size_t>(group) + mask;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 4)
        return 0;
    static const lexvane::fuzzing::PrivateFolder folder;
    const std::size_t rest = size - 4;
    const std::size_t first =
        (data[0] | std::size_t(data[1]) << 8 | std::size_t(data[2]) << 16 | std::size_t(data[3] & 0x7F) << 24) %
        (rest + 1);
    const bool userSecond = data[3] & 0x80;
    const std::string pathA = folder.write("fuzz0A1B.prc", std::span(data + 4, first));
    // A journal left by an earlier input would be played back into this one.
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        folder.remove(std::string(kUserName) + suffix);
    const std::string pathB = folder.write(userSecond ? kUserName : "fuzz0A1C.prc",
                                           std::span(data + 4 + first, rest - first));

    MergeRecord* set = nullptr;
    if (MrgOpen(&set, 2, code("engl"), code("russ"), nullptr, 0, 0) != 0)
        std::abort();
    MrgAdd(set, -1, pathA.c_str());
    MrgAdd(set, -1, pathB.c_str());
    MrgInit(set);

    lexvane::fuzzing::ReadTotal total;
    std::int32_t ids[32] = {};
    MrgGetDicList(set, ids);
    for (std::int32_t position : {0, 1, 2}) {
        DictionaryRecord* member = nullptr;
        MrgGetDicAt(set, position, &member);
    }
    DictionaryRecord* member = nullptr;
    MrgGetDic(set, 0x0A1C, &member);

    readMergedList(set, total);
    for (const char16_t* word : {u"", u"a", u"apple", u"banana", u"Straße", u"zzz", u"\u3042"}) {
        std::int32_t index = 0;
        MrgSearch(set, word, 0, &index);
        MrgSearch(set, word, 1, &index);
        MrgCountLang(set, word);
        MrgFuzzySearch(set, word, 5, lexvane::fuzzing::readWordResult, &total);
    }
    for (const char16_t* mask : {u"*", u"a*", u"?a*", u"\"b", u"*e\"", u"*\u0301*"})
        MrgSearchWildCard(set, mask, 50, lexvane::fuzzing::readWordResult, &total);
    // Choosing other word lists changes the count and the position.
    if (MrgDoFilter(set, u"\u6f22\u5b57") == 1) {
        readMergedList(set, total);
        MrgDoFilter(set, u"abc");
    }
    MrgClose(set);
    return 0;
}
