// text_file_writer.h: writing an exchange text file, all or nothing.
//
// The text goes to a temporary file beside the target and replaces the
// target only when every byte was written and the file closed without
// error, so that a failed or cancelled export never leaves a half-written
// file where the user asked for one (docs/behaviour/import-export.md).
// The file is UTF-16 little-endian and begins with the byte-order mark.
// Invariant: after the first failed write nothing more is written, and the
// failure sticks until the writer is discarded.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::engine::exchange {

class TextFileWriter {
public:
    TextFileWriter() = default;
    // Discards the temporary file unless commit() succeeded.
    ~TextFileWriter();
    TextFileWriter(const TextFileWriter&) = delete;
    TextFileWriter& operator=(const TextFileWriter&) = delete;

    // Creates the temporary file for `path` (UTF-8) and writes the
    // byte-order mark. False when it cannot be created.
    bool create(const std::string& path);

    // Each character as two bytes, low byte first.
    void write16(std::u16string_view text);
    // Each byte of an 8-bit literal as one character.
    void write8(std::string_view text);

    bool failed() const { return m_failed; }

    // Flushes, closes and moves the file into place. False when any write,
    // the close or the move failed; the target is then left as it was.
    bool commit();
    // Closes and removes the temporary file.
    void discard();

private:
    void flush();

    std::FILE* m_file = nullptr;
    std::string m_target;
    std::string m_temporary;
    std::vector<unsigned char> m_buffer;
    bool m_failed = false;
};

} // namespace lexvane::engine::exchange
