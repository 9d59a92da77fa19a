// text_file_writer.cpp: buffered UTF-16LE output through a temporary file.
#include "exchange/text_file_writer.h"

#include <filesystem>
#include <system_error>

namespace lexvane::engine::exchange {

namespace {

constexpr std::size_t kWriteBlock = 1 << 16;

std::filesystem::path fromUtf8(const std::string& path)
{
    return std::filesystem::path(reinterpret_cast<const char8_t*>(path.c_str()));
}

} // namespace

TextFileWriter::~TextFileWriter()
{
    discard();
}

bool TextFileWriter::create(const std::string& path)
{
    discard();
    m_failed = false;
    m_target = path;
    m_temporary = path + ".lexvane-part";
    m_file = std::fopen(m_temporary.c_str(), "wb");
    if (!m_file) {
        m_failed = true;
        return false;
    }
    m_buffer.clear();
    m_buffer.reserve(kWriteBlock);
    m_buffer.push_back(0xFF);
    m_buffer.push_back(0xFE);
    return true;
}

void TextFileWriter::flush()
{
    if (!m_file || m_failed || m_buffer.empty()) {
        m_buffer.clear();
        return;
    }
    if (std::fwrite(m_buffer.data(), 1, m_buffer.size(), m_file) != m_buffer.size())
        m_failed = true;
    m_buffer.clear();
}

void TextFileWriter::write16(std::u16string_view text)
{
    if (m_failed || !m_file)
        return;
    for (char16_t c : text) {
        m_buffer.push_back(static_cast<unsigned char>(c & 0xFF));
        m_buffer.push_back(static_cast<unsigned char>(c >> 8));
    }
    if (m_buffer.size() >= kWriteBlock)
        flush();
}

void TextFileWriter::write8(std::string_view text)
{
    if (m_failed || !m_file)
        return;
    for (char c : text) {
        m_buffer.push_back(static_cast<unsigned char>(c));
        m_buffer.push_back(0);
    }
    if (m_buffer.size() >= kWriteBlock)
        flush();
}

bool TextFileWriter::commit()
{
    if (!m_file)
        return false;
    flush();
    if (std::fflush(m_file) != 0)
        m_failed = true;
    if (std::fclose(m_file) != 0)
        m_failed = true;
    m_file = nullptr;
    if (!m_failed) {
        std::error_code error;
        std::filesystem::rename(fromUtf8(m_temporary), fromUtf8(m_target), error);
        if (error)
            m_failed = true;
    }
    if (m_failed) {
        std::error_code ignored;
        std::filesystem::remove(fromUtf8(m_temporary), ignored);
        return false;
    }
    m_temporary.clear();
    return true;
}

void TextFileWriter::discard()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
    m_buffer.clear();
    if (!m_temporary.empty()) {
        std::error_code ignored;
        std::filesystem::remove(fromUtf8(m_temporary), ignored);
        m_temporary.clear();
    }
}

} // namespace lexvane::engine::exchange
