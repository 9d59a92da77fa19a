// text_file.h: reading the lines of an exchange text file.
//
// The encoding is decided once from the first bytes (docs/formats/dsl.md,
// "Encodings"): a byte-order mark for UTF-16 either way round or UTF-8,
// else a guess from the first two bytes between UTF-16 and 8-bit text.
// Invariants: a line is returned whole, however long, so that no line is
// ever split in two; carriage returns never reach the caller and a line
// keeps its line feed; character 0 is skipped in every encoding.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace lexvane::engine::exchange {

class TextFile {
public:
    enum class Encoding { BigEndian16 = 1, EightBit = 2, LittleEndian16 = 3, Utf8 = 4 };

    TextFile() = default;
    ~TextFile();
    TextFile(const TextFile&) = delete;
    TextFile& operator=(const TextFile&) = delete;

    // Opens `path` (UTF-8) for reading and decides the encoding.
    bool open(const std::string& path);
    void close();

    // Reads the next line into `line` (replacing it). False at the end of
    // the file, when nothing was read.
    bool readLine(std::u16string& line);

    // Bytes read so far as a percentage of the file size (100 for an empty
    // file), in 64 bits so that large files do not overflow.
    double progress() const;

    Encoding encoding() const { return m_encoding; }
    std::uint64_t size() const { return m_size; }

private:
    // The next byte, or -1 at the end of the file.
    int nextByte();
    // The next character, 0 for a skipped one, -1 at the end of the file.
    std::int32_t nextCharacter();
    std::int32_t nextUtf8();

    std::FILE* m_file = nullptr;
    Encoding m_encoding = Encoding::EightBit;
    std::uint64_t m_size = 0;
    std::uint64_t m_consumed = 0;
    std::vector<unsigned char> m_buffer;
    std::size_t m_at = 0;
    std::size_t m_filled = 0;
    // The low half of a character above U+FFFF, due next.
    char16_t m_pendingLow = 0;
};

} // namespace lexvane::engine::exchange
