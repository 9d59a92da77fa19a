// container_fuzzer.cpp: the ".prc" container from untrusted bytes.
//
// The bytes are written to a private file, opened, and every resource the
// directory names is loaded (the directory is read here on its own, bounded
// by the input, so that damaged directories are tried as well). A loaded
// block must keep its promise of zero spare bytes past its end.
#include "fuzz_input.h"

#include "common/byte_order.h"
#include "container/prc_resource_file.h"
#include "frame/dictionary_id.h"

#include <cstdlib>

using lexvane::engine::PrcResourceFile;
using lexvane::engine::ResourceBlock;
using lexvane::engine::ResourceType;

namespace {

void checkBlock(const ResourceBlock& block)
{
    if (block.empty())
        return;
    const std::uint8_t* spare = block.data() + block.size();
    for (std::size_t i = 0; i < ResourceBlock::kSpareBytes; ++i) {
        if (spare[i] != 0)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static const lexvane::fuzzing::PrivateFolder folder;
    const std::span<const std::uint8_t> bytes(data, size);
    const std::string path = folder.write("fuzz0A1B.prc", bytes);

    PrcResourceFile container;
    if (container.open(path, lexvane::engine::packId("0A1B")) != 0)
        return 0;

    ResourceBlock block;
    const std::size_t header = PrcResourceFile::kHeaderSize;
    const std::size_t entrySize = PrcResourceFile::kDirectoryEntrySize;
    const std::size_t stated = size >= header ? lexvane::bytes::readBigEndian16(data + header - 2) : 0;
    for (std::size_t i = 0; i < stated && header + (i + 1) * entrySize <= size; ++i) {
        const std::uint8_t* entry = data + header + i * entrySize;
        const ResourceType type(static_cast<char>(entry[0]), static_cast<char>(entry[1]),
                                static_cast<char>(entry[2]), static_cast<char>(entry[3]));
        const std::uint16_t id = lexvane::bytes::readBigEndian16(entry + 4);
        if (!container.contains(type, id))
            std::abort(); // an entry of an opened directory must be found
        if (container.load(block, type, id) == 0)
            checkBlock(block);
    }
    // A type no writer uses: almost always absent, which must fail cleanly.
    ResourceBlock absent;
    container.load(absent, ResourceType('\0', '\0', '\0', '\1'), 0xFFFF);
    checkBlock(absent);
    container.close();
    return 0;
}
