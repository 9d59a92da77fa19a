// user_dictionary_file_fuzzer.cpp: a user dictionary file (".udd", an
// SQLite database) from untrusted bytes, as a user might copy one in.
//
// The bytes are written to a private file and opened with DicOpen; whatever
// the open answers, every export that reads the dictionary is asked (every
// headword and article up to kMaximumEntries, search, full-text search,
// styles), and then one article is added and deleted, as an edit would.
// SQLite itself checks the file's pages; this target is about what our code
// makes of rows it did not write: odd types, sizes, numbers and tables.
#include "dictionary_reading.h"
#include "fuzz_input.h"

#include "lexvane_engine.h"

#include <cstdlib>
#include <string>

namespace {

constexpr std::int32_t kMaximumEntries = 100;
constexpr const char* kName = "fuzz0A1B.udd";

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const lexvane::fuzzing::PrivateFolder folder;
    // A journal left by an earlier input would be played back into this one.
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        folder.remove(std::string(kName) + suffix);
    const std::string path = folder.write(kName, std::span(data, size));

    DictionaryRecord* dic = lexvane::fuzzing::openAndIdentify(path);

    lexvane::fuzzing::ReadTotal total;
    lexvane::fuzzing::readEntries(dic, kMaximumEntries, total);
    for (const char16_t* word : {u"", u"a", u"apple", u"Straße", u"\uFFFF"}) {
        std::int32_t index = 0;
        DicSearch(dic, word, 0, &index);
        DicFuzzySearch(dic, word, 5, lexvane::fuzzing::readWordResult, &total);
        UdSearch(dic, word, lexvane::fuzzing::readSearchHit, &total);
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
