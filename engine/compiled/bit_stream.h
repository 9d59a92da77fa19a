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
// Reads that lie wholly inside the current block take an inline path that
// loads five bytes at once; everything else (block edges, the last bits of
// the stream) goes byte by byte, with the same results.
#pragma once

#include "container/prc_resource_file.h"
#include "lexvane_engine.h"

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
    int read(int count, std::uint32_t& value)
    {
        std::uint32_t bits = 0;
        if (count < 0 || count > 32 || !peekInBlock(bits))
            return readSlowly(count, value);
        value = count == 0 ? 0 : bits >> (32 - count);
        m_position += static_cast<std::uint64_t>(count);
        return LV_OK;
    }

    // The next 32 bits without consuming them; bits past the end of the
    // stream read as 0 and `available` tells how many are real.
    int peek32(std::uint32_t& value, int& available)
    {
        if (!peekInBlock(value))
            return peekSlowly(value, available);
        available = 32;
        return LV_OK;
    }

    // Consumes bits known to be available (after peek32).
    int skip(std::uint64_t count)
    {
        // The last bit skipped must exist.
        const std::uint64_t last = m_position + count - 1;
        if (count != 0 && static_cast<std::int64_t>(last >> kBlockShift) == m_current.id
            && ((last >> 3) & (kBlockSize - 1)) < m_current.data.size()) {
            m_position += count;
            return LV_OK;
        }
        return skipSlowly(count);
    }

private:
    // The 32 bits at the position when the five bytes that hold them lie in
    // the current block; false otherwise (nothing is loaded or moved).
    bool peekInBlock(std::uint32_t& value) const
    {
        if (static_cast<std::int64_t>(m_position >> kBlockShift) != m_current.id)
            return false;
        const std::uint32_t offset = static_cast<std::uint32_t>((m_position >> 3) & (kBlockSize - 1));
        if (offset + 5u > m_current.data.size())
            return false;
        const std::uint8_t* p = m_current.data.data() + offset;
        const std::uint64_t window = std::uint64_t{p[0]} << 32 | std::uint64_t{p[1]} << 24 | std::uint64_t{p[2]} << 16
                                     | std::uint64_t{p[3]} << 8 | std::uint64_t{p[4]};
        value = static_cast<std::uint32_t>((window << (m_position & 7)) >> 8);
        return true;
    }

    int readSlowly(int count, std::uint32_t& value);
    int peekSlowly(std::uint32_t& value, int& available);
    int skipSlowly(std::uint64_t count);

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
