// sort_table.h: the in-memory collation table of a word list.
//
// A table maps each 16-bit character to a weight. Weight 0 ignores the
// character (as does absence from the table); a weight with the top bit set
// marks a character that may start a contraction, its low 15 bits being the
// index of the first contraction entry that starts with it. Contractions map
// up to four characters to up to four weights (ligatures expand, digraphs
// join).
//
// Invariants the readers check before a table is used (validate()): every
// contraction index lies inside the contraction list, and a bisection table
// is sorted by character code. Lookups stay inside the table even when a
// table was never validated, so an inconsistent table sorts badly but is
// never read out of bounds.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace lexvane::engine {

class SortTable {
public:
    static constexpr std::uint16_t kIgnored = 0;
    static constexpr std::uint16_t kContractionFlag = 0x8000;
    // The weight of a contraction start that no contraction entry matches:
    // such a character sorts after every letter.
    static constexpr std::uint16_t kUnmatchedContraction = 0xFFFF;
    static constexpr std::size_t kContractionLength = 4;
    static constexpr std::uint32_t kHeaderSize = 20;

    enum class Lookup : std::uint16_t {
        Bisection = 1,  // entries sorted by code, found by bisection
        CodeIndex = 2,  // the character code is the entry index
    };

    struct Character {
        char16_t code;
        std::uint16_t weight;
        bool operator==(const Character&) const = default;
    };

    struct Contraction {
        std::array<char16_t, kContractionLength> characters;     // unused ones 0
        std::array<std::uint16_t, kContractionLength> weights;   // unused ones 0
        bool operator==(const Contraction&) const = default;
    };

    // The best contraction at a text position: the entry and the number of
    // characters it consumes; entry is null when none matches.
    struct Match {
        const Contraction* entry = nullptr;
        std::size_t length = 0;
    };

    // An empty table: it ignores every character.
    SortTable();
    SortTable(Lookup lookup, char16_t terminator, std::vector<Character> characters,
              std::vector<Contraction> contractions);

    Lookup lookup() const { return m_lookup; }
    // The character that ends a word besides 0; 0 when there is none.
    char16_t terminator() const { return m_terminator; }
    const std::vector<Character>& characters() const { return m_characters; }
    const std::vector<Contraction>& contractions() const { return m_contractions; }

    // The raw weight of a character: 0 when ignored or absent, else a weight
    // or a contraction start (kContractionFlag | index).
    std::uint16_t weightOf(char16_t character) const
    {
        return m_pageWeights[std::size_t{m_pageOf[character >> 8]} * kPageSize + (character & 0xFF)];
    }

    // The longest contraction from index `first` on whose first character is
    // `text[0]` and whose characters all match `text` (at most `length`
    // characters are looked at); the first of equally long ones wins.
    Match matchContraction(std::size_t first, const char16_t* text, std::size_t length) const;

    // LV_OK, or LV_BAD_SORT_TABLE when a contraction index lies outside the
    // contraction list or a bisection table is not sorted by code.
    int validate() const;

    // Sorts the contractions by their characters, gives every character that
    // starts a contraction the index of the first such entry, and sorts the
    // characters by code. Used when a table is assembled from other sources.
    void renumberContractions();

    bool operator==(const SortTable& other) const;

private:
    static constexpr std::size_t kPageSize = 256;

    std::uint16_t lookUp(char16_t character) const;
    void fillPages();

    Lookup m_lookup = Lookup::Bisection;
    char16_t m_terminator = 0;
    std::vector<Character> m_characters;
    std::vector<Contraction> m_contractions;
    // Every weight resolved once, by pages of 256 codes: the pages that hold
    // no entry share page 0, all zeros. Comparison then costs one lookup
    // per character in every script instead of a bisection.
    std::array<std::uint16_t, 256> m_pageOf{};
    std::vector<std::uint16_t> m_pageWeights;
};

} // namespace lexvane::engine
