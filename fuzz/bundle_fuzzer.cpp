// bundle_fuzzer.cpp: a bundle file (the ".prc" container that lists the
// dictionaries a product installs and names the bundle) from untrusted
// bytes, read with BndGetAll and BndGetName into arrays and buffers of
// several sizes. Nothing may be written past what the caller offered.
#include "fuzz_input.h"

#include "lexvane_engine.h"

#include <algorithm>
#include <cstdlib>
#include <iterator>

namespace {

constexpr std::int32_t code(const char (&text)[5])
{
    return text[0] | text[1] << 8 | text[2] << 16 | text[3] << 24;
}

// Arrays with a guard past the caller's part.
constexpr std::int32_t kGuard = 0x5A5A5A5A;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const lexvane::fuzzing::PrivateFolder folder;
    const std::string path = folder.write("bund0A1B.prc", std::span(data, size));

    for (std::int32_t offered : {0, 1, 3, 64}) {
        std::int32_t ids[65];
        std::int32_t flagsA[65];
        std::int32_t flagsB[65];
        std::fill(std::begin(ids), std::end(ids), kGuard);
        std::fill(std::begin(flagsA), std::end(flagsA), kGuard);
        std::fill(std::begin(flagsB), std::end(flagsB), kGuard);
        std::int32_t count = offered;
        if (BndGetAll(path.c_str(), ids, flagsA, flagsB, &count) == 0 && count < 0)
            std::abort();
        if (ids[offered] != kGuard || flagsA[offered] != kGuard || flagsB[offered] != kGuard)
            std::abort();
    }
    for (std::int32_t language : {0, code("engl"), code("germ"), code("russ")}) {
        for (std::int32_t bytes : {2, 3, 10, 256}) {
            char16_t name[129];
            std::fill(std::begin(name), std::end(name), char16_t(0x5A5A));
            if (BndGetName(path.c_str(), language, name, bytes) == 0) {
                // Terminated inside the caller's buffer.
                bool terminated = false;
                for (std::int32_t i = 0; i < bytes / 2 && !terminated; ++i)
                    terminated = name[i] == 0;
                if (!terminated)
                    std::abort();
            }
            if (name[bytes / 2] != 0x5A5A && bytes / 2 < std::int32_t(std::size(name)))
                std::abort();
        }
    }
    return 0;
}
