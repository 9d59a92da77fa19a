// text_file.cpp: encoding detection and line reading.
#include "exchange/text_file.h"

namespace lexvane::engine::exchange {

namespace {

constexpr std::size_t kReadBlock = 1 << 16;
constexpr char16_t kReplacement = 0xFFFD;

} // namespace

TextFile::~TextFile()
{
    close();
}

void TextFile::close()
{
    if (m_file)
        std::fclose(m_file);
    m_file = nullptr;
}

bool TextFile::open(const std::string& path)
{
    close();
    m_file = std::fopen(path.c_str(), "rb");
    if (!m_file)
        return false;
    m_size = 0;
    if (std::fseek(m_file, 0, SEEK_END) == 0) {
        const long end = std::ftell(m_file);
        if (end > 0)
            m_size = static_cast<std::uint64_t>(end);
    }
    std::fseek(m_file, 0, SEEK_SET);
    m_buffer.assign(kReadBlock, 0);
    m_at = 0;
    m_filled = 0;
    m_consumed = 0;
    m_pendingLow = 0;

    unsigned char head[3] = {0, 0, 0};
    const std::size_t got = std::fread(head, 1, 3, m_file);
    std::size_t skip = 0;
    if (got >= 2 && head[0] == 0xFE && head[1] == 0xFF) {
        m_encoding = Encoding::BigEndian16;
        skip = 2;
    } else if (got >= 2 && head[0] == 0xFF && head[1] == 0xFE) {
        m_encoding = Encoding::LittleEndian16;
        skip = 2;
    } else if (got == 3 && head[0] == 0xEF && head[1] == 0xBB && head[2] == 0xBF) {
        m_encoding = Encoding::Utf8;
        skip = 3;
    } else if (got < 2 || (head[0] != 0) == (head[1] != 0)) {
        m_encoding = Encoding::EightBit;
    } else {
        m_encoding = head[1] == 0 ? Encoding::LittleEndian16 : Encoding::BigEndian16;
    }
    std::fseek(m_file, static_cast<long>(skip), SEEK_SET);
    m_consumed = skip;
    return true;
}

int TextFile::nextByte()
{
    if (m_at == m_filled) {
        if (!m_file)
            return -1;
        m_filled = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
        m_at = 0;
        if (m_filled == 0)
            return -1;
    }
    ++m_consumed;
    return m_buffer[m_at++];
}

std::int32_t TextFile::nextUtf8()
{
    const int lead = nextByte();
    if (lead < 0x80)
        return lead;
    int length = 0;
    std::uint32_t code = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 1;
        code = static_cast<std::uint32_t>(lead & 0x1F);
    } else if ((lead & 0xF0) == 0xE0) {
        length = 2;
        code = static_cast<std::uint32_t>(lead & 0x0F);
    } else if ((lead & 0xF8) == 0xF0) {
        length = 3;
        code = static_cast<std::uint32_t>(lead & 0x07);
    } else {
        return kReplacement;
    }
    for (int i = 0; i < length; ++i) {
        // A broken sequence costs the bytes read so far, never the byte that
        // ends the line.
        if (m_at == m_filled) {
            const int b = nextByte();
            if (b < 0)
                return kReplacement;
            --m_at;
            --m_consumed;
        }
        const unsigned char b = m_buffer[m_at];
        if ((b & 0xC0) != 0x80)
            return kReplacement;
        nextByte();
        code = (code << 6) | (b & 0x3F);
    }
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return kReplacement;
    if (code >= 0x10000) {
        code -= 0x10000;
        m_pendingLow = static_cast<char16_t>(0xDC00 + (code & 0x3FF));
        return static_cast<std::int32_t>(0xD800 + (code >> 10));
    }
    return static_cast<std::int32_t>(code);
}

std::int32_t TextFile::nextCharacter()
{
    if (m_pendingLow) {
        const char16_t low = m_pendingLow;
        m_pendingLow = 0;
        return low;
    }
    switch (m_encoding) {
    case Encoding::EightBit:
        return nextByte();
    case Encoding::Utf8:
        return nextUtf8();
    case Encoding::LittleEndian16:
    case Encoding::BigEndian16: {
        const int first = nextByte();
        if (first < 0)
            return -1;
        const int second = nextByte();
        if (second < 0)
            return -1; // an odd last byte is no character
        return m_encoding == Encoding::LittleEndian16 ? first | second << 8 : first << 8 | second;
    }
    }
    return -1;
}

bool TextFile::readLine(std::u16string& line)
{
    line.clear();
    bool any = false;
    for (;;) {
        const std::int32_t c = nextCharacter();
        if (c < 0)
            return any;
        any = true;
        if (c == 0 || c == u'\r')
            continue;
        line.push_back(static_cast<char16_t>(c));
        if (c == u'\n')
            return true;
    }
}

double TextFile::progress() const
{
    if (m_size == 0)
        return 100.0;
    const std::uint64_t percent = m_consumed * 100 / m_size;
    return static_cast<double>(percent > 100 ? 100 : percent);
}

} // namespace lexvane::engine::exchange
