// dictionary_id.cpp: packing and reading dictionary ids.
#include "frame/dictionary_id.h"

#include "common/byte_order.h"

namespace lexvane::engine {

std::string idCharacters(std::int32_t packedId)
{
    std::uint8_t raw[4];
    bytes::writeLittleEndian32(raw, static_cast<std::uint32_t>(packedId));
    return std::string(reinterpret_cast<const char*>(raw), 4);
}

std::int32_t packId(std::string_view fourCharacters)
{
    std::uint8_t raw[4] = {};
    for (std::size_t i = 0; i < 4 && i < fourCharacters.size(); ++i)
        raw[i] = static_cast<std::uint8_t>(fourCharacters[i]);
    return bytes::packFourCharacters(raw);
}

int parseHexadecimalId(std::string_view fourCharacters)
{
    if (fourCharacters.size() != 4)
        return -1;
    int number = 0;
    for (char c : fourCharacters) {
        int digit;
        if (c >= '0' && c <= '9')
            digit = c - '0';
        else if (c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        else if (c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else
            return -1;
        number = number * 16 + digit;
    }
    return number;
}

std::string formatHexadecimalId(int number, bool upperCase)
{
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string text(4, '0');
    for (int i = 3; i >= 0; --i) {
        text[static_cast<std::size_t>(i)] = digits[number & 0xF];
        number >>= 4;
    }
    return text;
}

bool idFromFileName(std::string_view path, std::int32_t& packedId)
{
    constexpr std::size_t kExtensionLength = 4;
    constexpr std::size_t kIdLength = 4;
    // The id sits between the file's stem and its extension; a path that
    // cannot hold both has no id (and is no dictionary name).
    const std::size_t slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    if (name.size() < kExtensionLength + kIdLength)
        return false;
    packedId = packId(name.substr(name.size() - kExtensionLength - kIdLength, kIdLength));
    return true;
}

} // namespace lexvane::engine
