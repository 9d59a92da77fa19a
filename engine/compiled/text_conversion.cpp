// text_conversion.cpp: UTF-8 and code-page widening.
#include "compiled/text_conversion.h"

#include "common/byte_order.h"

namespace lexvane::engine {

void appendUtf8AsUtf16(std::string_view text, std::u16string& out)
{
    std::size_t i = 0;
    while (i < text.size()) {
        const auto lead = static_cast<std::uint8_t>(text[i]);
        if (lead < 0x80) { // most headwords are mostly ASCII
            out.push_back(lead);
            ++i;
            continue;
        }
        int length = 0;
        std::uint32_t code = 0;
        if (lead < 0x80) {
            length = 1;
            code = lead;
        } else if ((lead & 0xE0) == 0xC0) {
            length = 2;
            code = lead & 0x1F;
        } else if ((lead & 0xF0) == 0xE0) {
            length = 3;
            code = lead & 0x0F;
        } else if ((lead & 0xF8) == 0xF0) {
            length = 4;
            code = lead & 0x07;
        }
        bool valid = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; valid && k < length; ++k) {
            const auto next = static_cast<std::uint8_t>(text[i + static_cast<std::size_t>(k)]);
            if ((next & 0xC0) != 0x80)
                valid = false;
            else
                code = (code << 6) | (next & 0x3F);
        }
        static constexpr std::uint32_t kSmallest[] = {0, 0, 0x80, 0x800, 0x10000};
        if (valid && (code < kSmallest[length] || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)))
            valid = false;
        if (!valid) {
            out.push_back(u'\uFFFD');
            ++i;
            continue;
        }
        if (code >= 0x10000) {
            code -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(code));
        }
        i += static_cast<std::size_t>(length);
    }
}

void appendUtf16AsUtf8(std::u16string_view text, std::string& out)
{
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::uint32_t code = text[i];
        if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (code >= 0xD800 && code <= 0xDFFF) {
            code = 0xFFFD;
        }
        if (code < 0x80) {
            out.push_back(static_cast<char>(code));
        } else if (code < 0x800) {
            out.push_back(static_cast<char>(0xC0 | (code >> 6)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else if (code < 0x10000) {
            out.push_back(static_cast<char>(0xE0 | (code >> 12)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        } else {
            out.push_back(static_cast<char>(0xF0 | (code >> 18)));
            out.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
            out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
        }
    }
}

char16_t CodePage::unit(std::uint8_t c) const
{
    if (!present())
        return c;
    return bytes::readLittleEndian16(m_table.data() + 4 * c);
}

bool CodePage::widen(std::string_view text, std::u16string& out) const
{
    bool exact = true;
    for (char ch : text) {
        const auto c = static_cast<std::uint8_t>(ch);
        if (!present()) {
            exact = exact && c < 128;
            out.push_back(c);
            continue;
        }
        const std::uint8_t* entry = m_table.data() + 4 * c;
        out.push_back(bytes::readLittleEndian16(entry));
        const char16_t second = bytes::readLittleEndian16(entry + 2);
        if (second != 0)
            out.push_back(second);
    }
    return exact;
}

} // namespace lexvane::engine
