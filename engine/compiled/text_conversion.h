// text_conversion.h: turning a compiled dictionary's stored texts into UTF-16.
//
// Words and runs are either UTF-8 or 8-bit texts that a "UNIC" code-page
// table widens (one or two code units per byte). Malformed UTF-8 never stops
// a read: each bad byte becomes U+FFFD.
#pragma once

#include "container/prc_resource_file.h"

#include <string>
#include <string_view>

namespace lexvane::engine {

// Appends the UTF-16 form of UTF-8 `text`.
void appendUtf8AsUtf16(std::string_view text, std::u16string& out);

// Appends the UTF-8 form of UTF-16 `text` (lone surrogates become U+FFFD).
void appendUtf16AsUtf8(std::u16string_view text, std::string& out);

// One "UNIC" table: 256 entries of two little-endian code units; the second
// is 0 when the byte maps to one unit. A missing or short table widens each
// byte as it stands.
class CodePage {
public:
    static constexpr std::size_t kSize = 256 * 4;

    void assign(ResourceBlock block) { m_table = std::move(block); }
    bool present() const { return m_table.size() >= kSize; }

    // Appends the widened text; false when the table was missing and a byte
    // above 127 was widened as it stands (the caller may warn with 1537).
    bool widen(std::string_view text, std::u16string& out) const;

    // The first code unit of byte `c`.
    char16_t unit(std::uint8_t c) const;

private:
    ResourceBlock m_table;
};

} // namespace lexvane::engine
