// text_model.h: one style's text model ("TREE" s, with its optional "Tfst").
//
// An 84-byte style header (colour, coding method, language, typography,
// front and after texts) followed by a constant text or a code tree whose
// leaves are the symbols' texts. The optional fast table decodes a symbol
// from the next 8 (or 32) bits without walking the tree.
//
// Invariants: load() checks every offset and size the model can reach, so
// nextSymbol() only needs to check what the stream supplies; a tree walk
// always shrinks its region and so ends. See docs/formats/compiled-dictionary.md.
#pragma once

#include "compiled/bit_stream.h"
#include "container/prc_resource_file.h"

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::engine {

struct StyleHeader {
    std::uint32_t offsetMask = 0;
    std::uint32_t colour = 0;         // 0x00RRGGBB
    std::uint32_t method = 2;         // 0 generated, 1 constant, other prefix code
    std::uint8_t language = 0;        // selects the "UNIC" table and the output language
    std::uint8_t nodeSize = 0;
    std::uint8_t generatedKind = 0;   // method 0 only
    std::uint8_t bold = 0;
    std::uint8_t italic = 0;
    std::uint8_t fontSize = 0;
    std::uint8_t underline = 0;
    std::uint8_t level = 0;
    std::string front;                // put before every run of the style
    std::string after;                // put after every run
};

class TextModel {
public:
    static constexpr std::size_t kHeaderSize = 84;
    static constexpr std::size_t kFastIndexSize = 1024;
    static constexpr std::size_t kFastEntrySize = 12;

    enum Method : std::uint32_t { kGenerated = 0, kConstant = 1 };

    // Takes the model's resources and checks them. `fast` may be empty.
    // Status 0 or 515.
    int load(ResourceBlock tree, ResourceBlock fast);

    const StyleHeader& style() const { return m_style; }
    bool isGenerated() const { return m_style.method == kGenerated; }
    bool isConstant() const { return m_style.method == kConstant; }
    bool hasFastTable() const { return !m_fastEntries.empty(); }

    // The bytes after the style header: a constant model's text.
    std::span<const std::uint8_t> body() const;

    // Reads the next symbol from `stream`; `text` points into the model.
    // Status 0, or 515 for bits that lead nowhere or the end of the stream.
    int nextSymbol(BitStream& stream, std::span<const std::uint8_t>& text) const;

private:
    struct FastEntry {
        std::uint32_t code;
        std::uint32_t mask;
        std::uint16_t offset;
        std::uint8_t length;
        std::uint8_t codeLength;
    };
    struct FastIndex {
        std::uint16_t first;
        std::uint16_t second;
    };

    int walkTree(BitStream& stream, std::span<const std::uint8_t>& text) const;
    int lookUpFast(BitStream& stream, std::span<const std::uint8_t>& text) const;
    // The entry the fast table's search chooses for `bits`.
    std::size_t chooseFastEntry(std::uint32_t bits) const;
    // Fills m_shortcut; see there.
    void buildShortcut();

    ResourceBlock m_tree;
    StyleHeader m_style;
    std::vector<FastIndex> m_fastIndex;
    std::vector<FastEntry> m_fastEntries;
    // Indexed by the next kShortcutBits bits: the symbol that the search
    // and the code check give for every continuation of them (codeLength 0
    // where that depends on later bits). Built only when the entries are
    // sorted (then the search's choice grows with the bits, and equal
    // choices at both ends of a prefix's range mean the same choice
    // throughout), and only for entries whose mask lies within those bits,
    // so that it never answers differently from the search.
    struct Shortcut {
        std::uint16_t offset = 0;
        std::uint8_t length = 0;
        std::uint8_t codeLength = 0;
    };
    static constexpr int kShortcutBits = 12;
    std::vector<Shortcut> m_shortcut;
};

// A fixed-size text field: the bytes up to the first NUL, or the whole field
// when it holds none.
std::string fixedText(std::span<const std::uint8_t> field);

} // namespace lexvane::engine
