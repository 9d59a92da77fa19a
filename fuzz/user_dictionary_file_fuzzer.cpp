// user_dictionary_file_fuzzer.cpp: a user dictionary file (".udd", an
// SQLite database) from untrusted bytes, as a user might copy one in.
//
// The bytes are written to a private file and opened with DicOpen; whatever
// the open answers, every export that reads the dictionary is asked (every
// headword and article up to kMaximumEntries, search, full-text search,
// styles), and then one article is added and deleted, as an edit would.
// SQLite itself checks the file's pages; this target is about what our code
// makes of rows it did not write: odd types, sizes, numbers and tables.
#include "fuzz_input.h"

#include "lexvane_engine.h"

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

constexpr std::int32_t kMaximumEntries = 100;
constexpr const char* kName = "fuzz0A1B.udd";

int readEvent(int zero, const char16_t* text, std::int32_t length, const StyleRecord*, std::int32_t index, void* user)
{
    if (zero != 0 || length < 0 || (length > 0 && !text))
        std::abort();
    std::size_t sum = 0;
    for (std::int32_t i = 0; i < length; ++i)
        sum += text[i];
    if (index >= 0 && text && text[length] != 0)
        std::abort();
    *static_cast<std::size_t*>(user) += sum;
    return 0;
}

int countHit(std::int32_t, const std::uint32_t* positions, void* user, std::int32_t count)
{
    if (count < 0 || count > 256 || (count > 0 && !positions))
        std::abort();
    for (std::int32_t i = 0; i < count; ++i)
        *static_cast<std::size_t*>(user) += positions[i];
    return 1;
}

int countResult(const char16_t* word, std::int32_t, void* user)
{
    *static_cast<std::size_t*>(user) += std::char_traits<char16_t>::length(word);
    return 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const lexvane::fuzzing::PrivateFolder folder;
    // A journal left by an earlier input would be played back into this one.
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        folder.remove(std::string(kName) + suffix);
    const std::string path = folder.write(kName, std::span(data, size));

    DictionaryRecord* dic = nullptr;
    DicOpen(path.c_str(), -1, &dic, nullptr, 0, 0);
    DicInit(dic);
    std::int32_t value = 0;
    DicGetID(dic, &value);
    DicGetLang(dic, &value);
    DicGetPairLang(dic, &value);

    std::size_t sink = 0;
    std::int32_t count = 0;
    DicGetCount(dic, &count);
    char16_t headword[300];
    for (std::int32_t entry = 0; entry < std::min(count, kMaximumEntries); ++entry) {
        std::int32_t length = std::size(headword);
        DicGetData(dic, 0, entry, headword, &length, nullptr);
        if (length < 0 || length >= std::int32_t(std::size(headword)) || headword[length] != 0)
            std::abort();
        DicExtract(dic, entry, entry % 2, 0, readEvent, &sink, entry % 3 == 0);
    }
    for (const char16_t* word : {u"", u"a", u"apple", u"Straße", u"\uFFFF"}) {
        std::int32_t index = 0;
        DicSearch(dic, word, 0, &index);
        DicFuzzySearch(dic, word, 5, countResult, &sink);
        UdSearch(dic, word, countHit, &sink);
    }
    StyleRecord styles[100];
    UdGetStyles(dic, styles, std::size(styles));

    // An edit of a file that may be damaged must fail cleanly or succeed.
    if (UdAdd(dic, u"fuzz", u"#\"fuzz\"#01\"added\"", nullptr, 0, 0) == 0) {
        std::int32_t index = 0;
        if (DicSearch(dic, u"fuzz", 0, &index) == 0)
            UdDelete(dic, index);
    }
    DicClose(dic);
    return 0;
}
