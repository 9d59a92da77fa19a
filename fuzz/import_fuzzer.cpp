// import_fuzzer.cpp: DSL and MLX files from untrusted bytes imported into a
// fresh user dictionary, which is then read whole and exported again in
// both formats.
//
// Input: a flag byte (bit 0 set: MLX, clear: DSL), then the file. The
// import is one transaction; whatever it answers, the dictionary must open
// and read, and an export of it must complete or fail cleanly.
#include "dictionary_reading.h"
#include "fuzz_input.h"

#include "lexvane_engine.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr std::int32_t kMaximumEntries = 100;

// A fresh dictionary is written once and copied for every input.
struct Workspace {
    lexvane::fuzzing::PrivateFolder folder;
    std::vector<std::uint8_t> freshDictionary = lexvane::fuzzing::freshUserDictionary(folder, u"Imported");
};

int keepGoing(double percent, void*)
{
    if (!(percent >= 0.0 && percent <= 100.0))
        std::abort(); // a percentage, whatever the file
    return 1;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    static Workspace space;
    const bool mlx = data[0] & 1;
    for (const char* suffix : {"-journal", "-wal", "-shm"})
        space.folder.remove(std::string("fuzz0A1B.udd") + suffix);
    const std::string dictionary = space.folder.write("fuzz0A1B.udd", space.freshDictionary);
    const std::string text = space.folder.write(mlx ? "import.mlx" : "import.dsl", std::span(data + 1, size - 1));

    UdConvert(nullptr, dictionary.c_str(), text.c_str(), mlx ? UD_IMPORT_MLX : UD_IMPORT_DSL, keepGoing, nullptr);

    DictionaryRecord* dic = lexvane::fuzzing::openAndIdentify(dictionary);
    lexvane::fuzzing::ReadTotal total;
    lexvane::fuzzing::readEntries(dic, kMaximumEntries, total);
    DicClose(dic);

    const std::string dsl = space.folder.write("export.dsl", {});
    const std::string html = space.folder.write("export.mlx", {});
    UdConvert(nullptr, dictionary.c_str(), dsl.c_str(), UD_EXPORT_DSL, keepGoing, nullptr);
    UdConvert(nullptr, dictionary.c_str(), html.c_str(), UD_EXPORT_MLX, keepGoing, nullptr);
    return 0;
}
