// byte_builder.h: assembling file fixtures byte by byte in tests.
//
// Hand-assembled fixtures follow the format tables directly, independent of
// the project's writers, so that a reader and a writer cannot share a
// misreading unnoticed.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace lexvane::testing {

class ByteBuilder {
public:
    ByteBuilder& u8(std::uint8_t v)
    {
        m_bytes.push_back(v);
        return *this;
    }
    ByteBuilder& bigEndian16(std::uint16_t v) { return u8(static_cast<std::uint8_t>(v >> 8)).u8(static_cast<std::uint8_t>(v)); }
    ByteBuilder& bigEndian32(std::uint32_t v) { return bigEndian16(static_cast<std::uint16_t>(v >> 16)).bigEndian16(static_cast<std::uint16_t>(v)); }
    ByteBuilder& littleEndian16(std::uint16_t v) { return u8(static_cast<std::uint8_t>(v)).u8(static_cast<std::uint8_t>(v >> 8)); }
    ByteBuilder& littleEndian32(std::uint32_t v) { return littleEndian16(static_cast<std::uint16_t>(v)).littleEndian16(static_cast<std::uint16_t>(v >> 16)); }
    // The characters of `text`, without a terminator.
    ByteBuilder& text(std::string_view text)
    {
        for (char c : text)
            u8(static_cast<std::uint8_t>(c));
        return *this;
    }
    // `text` padded with zero bytes (or cut) to exactly `size` bytes.
    ByteBuilder& field(std::string_view text, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i)
            u8(i < text.size() ? static_cast<std::uint8_t>(text[i]) : 0);
        return *this;
    }
    ByteBuilder& zeros(std::size_t count) { return field({}, count); }
    ByteBuilder& append(const std::vector<std::uint8_t>& bytes)
    {
        m_bytes.insert(m_bytes.end(), bytes.begin(), bytes.end());
        return *this;
    }

    std::size_t size() const { return m_bytes.size(); }
    const std::vector<std::uint8_t>& bytes() const { return m_bytes; }

private:
    std::vector<std::uint8_t> m_bytes;
};

} // namespace lexvane::testing
