// byte_output.h: appending numbers and fixed fields to a resource body.
//
// The writers build every resource by appending to a byte vector; these are
// the few shapes they append, each with its byte order spelled out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace lexvane::tools {

inline void putBigEndian16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v >> 8));
    out.push_back(static_cast<std::uint8_t>(v));
}

inline void putBigEndian32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    putBigEndian16(out, static_cast<std::uint16_t>(v >> 16));
    putBigEndian16(out, static_cast<std::uint16_t>(v));
}

inline void putLittleEndian16(std::vector<std::uint8_t>& out, std::uint16_t v)
{
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

inline void putLittleEndian32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    putLittleEndian16(out, static_cast<std::uint16_t>(v));
    putLittleEndian16(out, static_cast<std::uint16_t>(v >> 16));
}

// `text` in a field of `size` bytes, always terminated inside the field.
inline void putField(std::vector<std::uint8_t>& out, const std::string& text, std::size_t size)
{
    for (std::size_t i = 0; i < size; ++i)
        out.push_back(i < text.size() && i + 1 < size ? static_cast<std::uint8_t>(text[i]) : 0);
}

} // namespace lexvane::tools
