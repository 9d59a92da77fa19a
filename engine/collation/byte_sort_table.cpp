// byte_sort_table.cpp: reading an 8-bit "COMP" resource and comparing 8-bit
// words under it.
//
// As with 16-bit words, both words are read as streams of weights, a rule's
// second and later weights included, and the first differing weight decides
// (see docs/behaviour/collation.md).
#include "collation/byte_sort_table.h"

#include "common/byte_order.h"
#include "lexvane_engine.h"

namespace lexvane::engine {

namespace {

std::uint32_t weightOfValue(std::uint32_t value)
{
    return value == ByteSortTable::kIgnoredValue ? 0 : value >> 8;
}

class ByteWeightStream {
public:
    ByteWeightStream(const char* text, const ByteSortTable& table)
        : m_text(reinterpret_cast<const std::uint8_t*>(text)), m_table(table)
    {
    }

    std::uint32_t next()
    {
        for (;;) {
            if (m_pending < m_pendingEnd)
                return m_rule->weights[m_pending++];
            if (*m_text == 0)
                return 0;
            const std::uint32_t value = m_table.valueOf(*m_text);
            if (value > ByteSortTable::kLastRuleIndex) {
                ++m_text;
                const std::uint32_t weight = weightOfValue(value);
                if (weight != 0)
                    return weight;
                continue;
            }
            const std::uint32_t weight = applyBestRule(value);
            if (weight != 0)
                return weight;
        }
    }

private:
    // The next four bytes, first byte highest, 0 past the word's end; and how
    // many of them belong to the word.
    std::uint32_t peek(std::size_t& available) const
    {
        std::uint32_t word = 0;
        available = 0;
        bool ended = false;
        for (int i = 0; i < 4; ++i) {
            ended = ended || m_text[i] == 0;
            if (!ended)
                ++available;
            word = (word << 8) | (ended ? 0u : m_text[i]);
        }
        return word;
    }

    static bool firstByteFits(const ByteSortTable::Rule& rule, std::uint8_t byte)
    {
        const std::uint32_t mask = rule.mask & 0xFF000000u;
        const std::uint32_t first = (std::uint32_t{byte} << 24) & mask;
        return (rule.low & mask) <= first && first <= (rule.high & mask);
    }

    // Consumes the longest rule from `first` on that matches and answers its
    // first weight, the others pending; 0 when its weights are all 0.
    std::uint32_t applyBestRule(std::uint32_t first)
    {
        std::size_t available = 0;
        const std::uint32_t word = peek(available);
        const ByteSortTable::Rule* best = nullptr;
        const auto& rules = m_table.rules();
        for (std::size_t index = first; index < rules.size() && firstByteFits(rules[index], *m_text); ++index) {
            const ByteSortTable::Rule& rule = rules[index];
            if (rule.byteCount > available || (best && rule.byteCount <= best->byteCount))
                continue;
            const std::uint32_t consumedMask = rule.byteCount == 4 ? 0xFFFFFFFFu : ~(0xFFFFFFFFu >> (8 * rule.byteCount));
            const std::uint32_t masked = word & consumedMask & rule.mask;
            if ((rule.low & rule.mask) <= masked && masked <= (rule.high & rule.mask))
                best = &rule;
        }
        if (!best) {
            ++m_text;
            return ByteSortTable::kUnmatchedRule;
        }
        m_text += best->byteCount;
        if (best->isRange()) {
            const std::uint32_t consumedMask =
                best->byteCount == 4 ? 0xFFFFFFFFu : ~(0xFFFFFFFFu >> (8 * best->byteCount));
            const std::uint32_t offset = (word & consumedMask & best->mask) - (best->low & best->mask);
            return (best->byteCount == 4 ? offset : offset >> (8 * (4 - best->byteCount))) + best->weights[0];
        }
        m_rule = best;
        m_pending = 0;
        m_pendingEnd = 0;
        while (m_pendingEnd < best->weights.size() && best->weights[m_pendingEnd] != 0)
            ++m_pendingEnd;
        return m_pendingEnd > 0 ? best->weights[m_pending++] : 0;
    }

    const std::uint8_t* m_text;
    const ByteSortTable& m_table;
    const ByteSortTable::Rule* m_rule = nullptr;
    std::size_t m_pending = 0;
    std::size_t m_pendingEnd = 0;
};

} // namespace

int ByteSortTable::read(std::span<const std::uint8_t> resource, ByteSortTable& table)
{
    bytes::ByteView view(resource);
    ByteSortTable parsed;
    for (std::uint32_t& value : parsed.m_values)
        value = view.bigEndian32();
    const std::uint32_t ruleCount = view.bigEndian32() & 0xFFFF;
    if (view.failed() || view.remaining() / (kValuesPerRule * 4) < ruleCount)
        return LV_BAD_SORT_TABLE;
    for (std::uint32_t value : parsed.m_values)
        if (value <= kLastRuleIndex && value >= ruleCount)
            return LV_BAD_SORT_TABLE;

    parsed.m_rules.resize(ruleCount);
    for (Rule& rule : parsed.m_rules) {
        rule.low = view.bigEndian32();
        rule.high = view.bigEndian32();
        rule.mask = view.bigEndian32();
        const std::uint32_t byteCount = view.bigEndian32();
        if (byteCount < 1 || byteCount > 4)
            return LV_BAD_SORT_TABLE;
        rule.byteCount = static_cast<std::uint8_t>(byteCount);
        for (std::uint32_t& weight : rule.weights)
            weight = weightOfValue(view.bigEndian32());
    }
    table = std::move(parsed);
    return LV_OK;
}

int compare8(const char* a, const char* b, const ByteSortTable* table)
{
    if (!a || !b)
        return 0;
    if (!table) {
        for (std::size_t i = 0;; ++i) {
            const auto x = static_cast<std::uint8_t>(a[i]);
            const auto y = static_cast<std::uint8_t>(b[i]);
            if (x != y)
                return x < y ? -1 : 1;
            if (x == 0)
                return 0;
        }
    }
    ByteWeightStream left(a, *table);
    ByteWeightStream right(b, *table);
    for (;;) {
        const std::uint32_t x = left.next();
        const std::uint32_t y = right.next();
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
}

} // namespace lexvane::engine
