// byte_order.h: reading and writing numbers of file formats byte by byte.
//
// Every format the engine reads states its byte order; these helpers make
// that order explicit at each use. ByteView adds bounds: a read past the end
// of the view leaves the view failed and yields 0, so a parser can read a
// whole record and test once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

namespace lexvane::bytes {

inline std::uint16_t readBigEndian16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>((p[0] << 8) | p[1]);
}

inline std::uint32_t readBigEndian32(const std::uint8_t* p)
{
    return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

inline std::uint16_t readLittleEndian16(const std::uint8_t* p)
{
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

inline std::uint32_t readLittleEndian32(const std::uint8_t* p)
{
    return std::uint32_t{p[0]} | (std::uint32_t{p[1]} << 8) | (std::uint32_t{p[2]} << 16) | (std::uint32_t{p[3]} << 24);
}

inline void writeBigEndian16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v >> 8);
    p[1] = static_cast<std::uint8_t>(v);
}

inline void writeBigEndian32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v >> 24);
    p[1] = static_cast<std::uint8_t>(v >> 16);
    p[2] = static_cast<std::uint8_t>(v >> 8);
    p[3] = static_cast<std::uint8_t>(v);
}

inline void writeLittleEndian16(std::uint8_t* p, std::uint16_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

inline void writeLittleEndian32(std::uint8_t* p, std::uint32_t v)
{
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
    p[2] = static_cast<std::uint8_t>(v >> 16);
    p[3] = static_cast<std::uint8_t>(v >> 24);
}

// Four characters in reading order packed into the engine's 32-bit form:
// the first character in the lowest byte.
inline std::int32_t packFourCharacters(const std::uint8_t* p)
{
    return static_cast<std::int32_t>(readLittleEndian32(p));
}

// A bounded cursor over bytes. Reads past the end set failed() and return 0.
class ByteView {
public:
    explicit ByteView(std::span<const std::uint8_t> data) : m_data(data) {}

    std::size_t size() const { return m_data.size(); }
    std::size_t position() const { return m_position; }
    std::size_t remaining() const { return m_failed ? 0 : m_data.size() - m_position; }
    bool failed() const { return m_failed; }

    void seek(std::size_t position)
    {
        if (position > m_data.size())
            m_failed = true;
        else
            m_position = position;
    }

    void skip(std::size_t count) { seek(m_position + count); }

    std::uint8_t u8()
    {
        const std::uint8_t* p = take(1);
        return p ? p[0] : 0;
    }
    std::uint16_t bigEndian16()
    {
        const std::uint8_t* p = take(2);
        return p ? readBigEndian16(p) : 0;
    }
    std::uint32_t bigEndian32()
    {
        const std::uint8_t* p = take(4);
        return p ? readBigEndian32(p) : 0;
    }
    std::uint16_t littleEndian16()
    {
        const std::uint8_t* p = take(2);
        return p ? readLittleEndian16(p) : 0;
    }
    std::uint32_t littleEndian32()
    {
        const std::uint8_t* p = take(4);
        return p ? readLittleEndian32(p) : 0;
    }
    // The next `count` bytes, or an empty span (and failed()) when fewer remain.
    std::span<const std::uint8_t> bytes(std::size_t count)
    {
        const std::uint8_t* p = take(count);
        return p ? std::span<const std::uint8_t>(p, count) : std::span<const std::uint8_t>();
    }

private:
    const std::uint8_t* take(std::size_t count)
    {
        if (m_failed || count > m_data.size() - m_position) {
            m_failed = true;
            return nullptr;
        }
        const std::uint8_t* p = m_data.data() + m_position;
        m_position += count;
        return p;
    }

    std::span<const std::uint8_t> m_data;
    std::size_t m_position = 0;
    bool m_failed = false;
};

} // namespace lexvane::bytes
