// fuzz_input.cpp: texts from fuzzer bytes, and the private folder.
#include "fuzz_input.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <system_error>

namespace lexvane::fuzzing {

std::u16string utf16FromBytes(std::span<const std::uint8_t> bytes)
{
    std::u16string text;
    text.reserve(bytes.size() / 2);
    for (std::size_t i = 0; i + 1 < bytes.size(); i += 2)
        text.push_back(static_cast<char16_t>(bytes[i] | bytes[i + 1] << 8));
    return text;
}

std::pair<std::u16string_view, std::u16string_view> splitAt(std::u16string_view text, char16_t separator)
{
    const std::size_t at = text.find(separator);
    if (at == std::u16string_view::npos)
        return {text, {}};
    return {text.substr(0, at), text.substr(at + 1)};
}

PrivateFolder::PrivateFolder()
{
    std::error_code error;
    std::filesystem::path base = std::filesystem::temp_directory_path(error);
    if (error)
        base = "/tmp";
    std::string pattern = (base / "lexvane-fuzz-XXXXXX").string();
    if (!mkdtemp(pattern.data())) {
        std::perror("lexvane fuzz: cannot make a private folder");
        std::abort();
    }
    m_path = pattern;
}

PrivateFolder::~PrivateFolder()
{
    std::error_code ignored;
    std::filesystem::remove_all(m_path, ignored);
}

std::string PrivateFolder::write(std::string_view name, std::span<const std::uint8_t> bytes) const
{
    const std::filesystem::path file = m_path / name;
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    out.close();
    if (!out) {
        std::fprintf(stderr, "lexvane fuzz: cannot write %s\n", file.c_str());
        std::abort();
    }
    return file.string();
}

void PrivateFolder::remove(std::string_view name) const
{
    std::error_code ignored;
    std::filesystem::remove(m_path / name, ignored);
}

} // namespace lexvane::fuzzing
