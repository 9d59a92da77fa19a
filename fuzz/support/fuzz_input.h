// fuzz_input.h: what the fuzz targets share: turning fuzzer bytes into
// texts, and a private folder for readers that open files by name.
//
// Invariant: a PrivateFolder belongs to one process (fuzzers and the corpus
// driver may run many at once), and everything in it is removed with it.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <string_view>

namespace lexvane::fuzzing {

// Bytes as 16-bit little-endian code units; an odd last byte is dropped.
std::u16string utf16FromBytes(std::span<const std::uint8_t> bytes);

// Splits `text` at its first `separator`: the part in front of it, and
// what follows (empty when there is no separator).
std::pair<std::u16string_view, std::u16string_view> splitAt(std::u16string_view text, char16_t separator);

class PrivateFolder {
public:
    PrivateFolder();
    ~PrivateFolder();
    PrivateFolder(const PrivateFolder&) = delete;
    PrivateFolder& operator=(const PrivateFolder&) = delete;

    // Writes `bytes` to the file `name` of the folder, replacing it, and
    // returns its path (UTF-8). Aborts when the file cannot be written: a
    // target that silently fuzzed nothing would report false comfort.
    std::string write(std::string_view name, std::span<const std::uint8_t> bytes) const;

    // Removes the file `name` of the folder, if there is one.
    void remove(std::string_view name) const;

private:
    std::filesystem::path m_path;
};

} // namespace lexvane::fuzzing
