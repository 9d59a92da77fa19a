// bit_writer.h: writing a bit stream most significant bit first, and
// cutting it into the 32 KiB resources a compiled dictionary stores it in.
#pragma once

#include <cstdint>
#include <vector>

namespace lexvane::tools {

class BitWriter {
public:
    static constexpr std::size_t kBlockSize = 32768;

    // Appends the low `count` bits of `value` (count 0 to 32).
    void write(std::uint32_t value, int count)
    {
        for (int bit = count - 1; bit >= 0; --bit)
            writeBit((value >> bit) & 1);
    }
    void writeBit(std::uint32_t bit)
    {
        if (m_bits % 8 == 0)
            m_bytes.push_back(0);
        if (bit)
            m_bytes.back() |= static_cast<std::uint8_t>(0x80 >> (m_bits % 8));
        ++m_bits;
    }
    void append(const BitWriter& other)
    {
        for (std::uint64_t i = 0; i < other.m_bits; ++i)
            writeBit((other.m_bytes[i / 8] >> (7 - i % 8)) & 1);
    }

    std::uint64_t size() const { return m_bits; }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

    // The stream cut into resource bodies of kBlockSize bytes (the last one
    // shorter); an empty stream is one empty body, so that position 0 exists.
    std::vector<std::vector<std::uint8_t>> blocks() const
    {
        std::vector<std::vector<std::uint8_t>> result;
        for (std::size_t start = 0; start < m_bytes.size(); start += kBlockSize) {
            const std::size_t end = std::min(m_bytes.size(), start + kBlockSize);
            result.emplace_back(m_bytes.begin() + static_cast<std::ptrdiff_t>(start),
                                m_bytes.begin() + static_cast<std::ptrdiff_t>(end));
        }
        if (result.empty())
            result.emplace_back();
        return result;
    }

private:
    std::vector<std::uint8_t> m_bytes;
    std::uint64_t m_bits = 0;
};

} // namespace lexvane::tools
