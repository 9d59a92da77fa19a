// byte_sort_table.h: the collation of an 8-bit dictionary's words, as its
// "COMP" 0 resource holds it, and the comparison of 8-bit words under it.
//
// "COMP" 0 of an 8-bit dictionary is a list of big-endian 32-bit values: one
// per byte value (-1 ignored, 0 to 254 the index of the first multi-byte rule
// that starts with this byte, otherwise the weight shifted left by 8), the
// rule count at value 256, then eight values per rule. The rule layout is
// ours: see docs/formats/sort-tables.md.
//
// Invariants after read(): every rule index of a byte lies inside the rule
// list and every rule consumes 1 to 4 bytes.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

namespace lexvane::engine {

class ByteSortTable {
public:
    static constexpr std::uint32_t kIgnoredValue = 0xFFFFFFFF;
    static constexpr std::uint32_t kLastRuleIndex = 254;
    static constexpr std::size_t kRuleCountValue = 256;     // index of the rule count
    static constexpr std::size_t kFirstRuleValue = 257;     // index of the first rule's first value
    static constexpr std::size_t kValuesPerRule = 8;
    // A rule start that no rule matches sorts after every weight.
    static constexpr std::uint32_t kUnmatchedRule = 0xFFFFFFFF;

    // One multi-byte rule. The next up to four bytes of a word, read
    // big-endian with the first byte highest, match when, under `mask`, they
    // lie from `low` to `high`. When low and high agree under the mask the
    // rule is a contraction with up to four explicit weights; otherwise a
    // range, whose weight is the matched value minus `low`, shifted right
    // past the bytes the rule does not consume, plus `weights[0]`.
    struct Rule {
        std::uint32_t low = 0;
        std::uint32_t high = 0;
        std::uint32_t mask = 0;
        std::uint8_t byteCount = 0;
        std::array<std::uint32_t, 4> weights{}; // 0 = none (stored -1)
        bool isRange() const { return (low & mask) != (high & mask); }
    };

    // Parses a "COMP" 0 resource of an 8-bit dictionary. LV_OK, or
    // LV_BAD_SORT_TABLE when the resource is shorter than its byte values,
    // rule count and rules, when a byte names a rule that does not exist, or
    // when a rule consumes no or more than four bytes.
    static int read(std::span<const std::uint8_t> resource, ByteSortTable& table);

    // The stored value of a byte (kIgnoredValue, a rule index or weight << 8).
    std::uint32_t valueOf(std::uint8_t byte) const { return m_values[byte]; }
    const std::vector<Rule>& rules() const { return m_rules; }

private:
    std::array<std::uint32_t, 256> m_values{};
    std::vector<Rule> m_rules;
};

// Compares two terminated 8-bit words: -1, 0 or 1. Without a table by
// unsigned byte value, a null word comparing equal to anything. Never
// allocates.
int compare8(const char* a, const char* b, const ByteSortTable* table);

} // namespace lexvane::engine
