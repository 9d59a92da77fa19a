// text_file_fuzzer.cpp: the lines of an exchange text file (DSL, MLX) from
// untrusted bytes, in whatever encoding its first bytes suggest.
//
// Every line must keep the reader's promises: no carriage return and no
// character 0 reach the caller, only the last line may lack its line feed
// (or be empty: skipped characters alone still make a line), and a line
// holds nothing after its line feed.
#include "fuzz_input.h"

#include "exchange/text_file.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const lexvane::fuzzing::PrivateFolder folder;
    const std::string path = folder.write("lines.dsl", std::span(data, size));

    lexvane::engine::exchange::TextFile file;
    if (!file.open(path))
        return 0;
    std::u16string line;
    bool ended = false;
    while (file.readLine(line)) {
        if (ended)
            std::abort(); // a line without its line feed must be the last
        for (std::size_t i = 0; i < line.size(); ++i) {
            if (line[i] == u'\r' || line[i] == 0 || (line[i] == u'\n' && i + 1 != line.size()))
                std::abort();
        }
        ended = line.empty() || line.back() != u'\n';
        const double progress = file.progress();
        if (!(progress >= 0.0 && progress <= 100.0))
            std::abort();
    }
    return 0;
}
