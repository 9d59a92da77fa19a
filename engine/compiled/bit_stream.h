// bit_stream.h: one bit stream of a compiled dictionary, cut into resources.
//
// A stream type ("ARRY", "HWRD" ...) is stored as resources of that type with
// ids 0, 1, 2 ..., each kBlockSize bytes but the last. A position is a bit
// number: resource id = position >> 18, byte = (position >> 3) & 0x7FFF, bit
// = position & 7 counted from the most significant bit. Bits are read most
// significant first.
//
// Invariants: the stream keeps at most two blocks (the current one and the
// one it left or prefetched); every read is bounded by the loaded block's
// size, and reading past the last block fails with 515 instead of wrapping.
#pragma once

#include "container/prc_resource_file.h"

#include <cstdint>

namespace lexvane::engine {

class BitStream {
public:
    static constexpr std::uint32_t kBlockSize = 32768;
    static constexpr int kBlockShift = 18; // bits per block = 2^18

    BitStream() = default;
    BitStream(PrcResourceFile* container, ResourceType type) : m_container(container), m_type(type) {}

    // Forgets the loaded blocks and the position.
    void reset();

    // Moves to a bit position. Status 0, or 515 when no block holds it.
    int seek(std::uint64_t position);
    std::uint64_t tell() const { return m_position; }

    // Reads `count` bits (0 to 32) as an unsigned number. Status 0, or 515 at
    // the end of the stream (the position is then unchanged).
    int read(int count, std::uint32_t& value);

    // The next 32 bits without consuming them; bits past the end of the
    // stream read as 0 and `available` tells how many are real.
    int peek32(std::uint32_t& value, int& available);

    // Consumes bits known to be available (after peek32).
    int skip(std::uint64_t count);

private:
    struct Block {
        ResourceBlock data;
        std::int32_t id = -1;
    };

    // Makes block `id` current, reusing the other slot when it holds it.
    int useBlock(std::int32_t id);
    // The byte at a stream byte offset, loading blocks as needed; false past the end.
    bool byteAt(std::uint64_t byteOffset, std::uint8_t& value);

    PrcResourceFile* m_container = nullptr;
    ResourceType m_type{'\0', '\0', '\0', '\0'};
    Block m_current;
    Block m_other; // the block left last, or the one prefetched
    std::uint64_t m_position = 0;
};

} // namespace lexvane::engine
