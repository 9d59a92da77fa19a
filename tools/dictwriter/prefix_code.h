// prefix_code.h: a text model's prefix code built from symbol statistics.
//
// Canonical codes from Huffman lengths, limited to kMaximumLength bits so
// that the fast table's 32-bit bisection always sees a whole code. The
// model is written in the reader's layout: the 84-byte style header, then
// the code tree (node, 1-subtree, 0-subtree; leaves are the symbols' texts),
// and optionally the fast table. See docs/formats/compiled-dictionary.md.
#pragma once

#include "bit_writer.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace lexvane::tools {

struct StyleDefinition {
    std::uint32_t method = 2;          // 0 generated, 1 constant, other prefix code
    std::uint8_t generatedKind = 0;    // method 0: 1 entry reference, 2 companion reference, 3 headword, 4-6 counters
    std::uint32_t colour = 0;          // 0x00RRGGBB
    std::uint8_t language = 0;
    std::uint8_t bold = 0;
    std::uint8_t italic = 0;
    std::uint8_t fontSize = 0;
    std::uint8_t underline = 0;
    std::uint8_t level = 0;
    std::string front;                 // at most 31 bytes
    std::string after;
    std::string constantText;          // method 1
};

class PrefixCode {
public:
    static constexpr int kMaximumLength = 24;

    // Counts one more use of a symbol text.
    void count(const std::string& symbol) { ++m_frequencies[symbol]; }

    // Builds the codes; false when there is no symbol.
    bool build();

    // Writes the code of a symbol that was counted.
    void encode(const std::string& symbol, BitWriter& out) const;

    // The "TREE" body: style header and code tree (or constant text).
    std::vector<std::uint8_t> treeResource(const StyleDefinition& style);
    // The "Tfst" body for the tree that treeResource wrote.
    std::vector<std::uint8_t> fastTableResource() const;

    bool empty() const { return m_codes.empty(); }

private:
    struct Code {
        std::string symbol;
        std::uint32_t bits = 0; // right-aligned
        int length = 0;
        std::size_t textOffset = 0; // in the "TREE" block, set by treeResource
    };

    void buildTree(std::vector<std::uint8_t>& tree, std::size_t first, std::size_t last, int depth,
                   int nodeSize);

    std::map<std::string, std::uint64_t> m_frequencies;
    std::vector<Code> m_codes;                 // canonical order = code order
    std::map<std::string, std::size_t> m_index;
};

// The 84-byte style header.
std::vector<std::uint8_t> styleHeader(const StyleDefinition& style, std::uint32_t offsetMask, std::uint8_t nodeSize);

} // namespace lexvane::tools
