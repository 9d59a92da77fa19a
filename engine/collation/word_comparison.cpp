// word_comparison.cpp: the weight streams behind compare and effectiveLength.
//
// Both words are compared as one stream of weights each, pending contraction
// weights included, so that a ligature sorts exactly like its expansion even
// at the end of a word ("æ" against "af" as "ae" against "af"). See
// docs/behaviour/collation.md.
#include "collation/word_comparison.h"

#include "collation/sort_table.h"

#include <cstdint>

namespace lexvane::engine {

namespace {

// Reads the weights of one word. next() answers 0 once the word has ended.
class WeightStream {
public:
    WeightStream(const char16_t* text, std::size_t limit, const SortTable& table)
        : m_text(text), m_remaining(text ? limit : 0), m_table(table), m_terminator(table.terminator())
    {
    }

    std::uint16_t next()
    {
        for (;;) {
            if (m_pending < m_pendingEnd)
                return m_contraction->weights[m_pending++];
            if (atEnd())
                return 0;
            const std::uint16_t weight = m_table.weightOf(*m_text);
            if (!(weight & SortTable::kContractionFlag)) {
                advance(1);
                if (weight != SortTable::kIgnored)
                    return weight;
                continue;
            }
            const SortTable::Match match = m_table.matchContraction(
                weight & ~SortTable::kContractionFlag, m_text, availableLength());
            if (!match.entry) {
                advance(1);
                return SortTable::kUnmatchedContraction;
            }
            advance(match.length);
            m_contraction = match.entry;
            m_pending = 0;
            m_pendingEnd = 0;
            while (m_pendingEnd < SortTable::kContractionLength && match.entry->weights[m_pendingEnd] != 0)
                ++m_pendingEnd;
        }
    }

    // Counts the rest of the word's characters that carry weight.
    std::size_t effectiveLength()
    {
        std::size_t length = 0;
        for (;;) {
            if (atEnd())
                return length;
            const std::uint16_t weight = m_table.weightOf(*m_text);
            if (!(weight & SortTable::kContractionFlag)) {
                advance(1);
                if (weight != SortTable::kIgnored)
                    ++length;
                continue;
            }
            const SortTable::Match match = m_table.matchContraction(
                weight & ~SortTable::kContractionFlag, m_text, availableLength());
            const std::size_t consumed = match.entry ? match.length : 1;
            advance(consumed);
            length += consumed;
        }
    }

private:
    bool atEnd() const { return m_remaining == 0 || *m_text == 0 || (m_terminator != 0 && *m_text == m_terminator); }

    void advance(std::size_t count)
    {
        m_text += count;
        m_remaining -= count;
    }

    // How many characters a contraction may look at: up to its four, within
    // the limit, and never past the word's end.
    std::size_t availableLength() const
    {
        std::size_t length = 0;
        while (length < SortTable::kContractionLength && length < m_remaining && m_text[length] != 0
               && !(m_terminator != 0 && m_text[length] == m_terminator))
            ++length;
        return length;
    }

    const char16_t* m_text;
    std::size_t m_remaining;
    const SortTable& m_table;
    const char16_t m_terminator;
    const SortTable::Contraction* m_contraction = nullptr;
    std::size_t m_pending = 0;
    std::size_t m_pendingEnd = 0;
};

int compareCodeUnits(const char16_t* a, const char16_t* b, std::size_t limit)
{
    if (!a || !b)
        return 0;
    for (std::size_t i = 0; i < limit; ++i) {
        const char16_t x = a[i];
        const char16_t y = b[i];
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
    return 0;
}

int compareWeights(const char16_t* a, std::size_t aLimit, const char16_t* b, std::size_t bLimit,
                   const SortTable& table)
{
    WeightStream left(a, aLimit, table);
    WeightStream right(b, bLimit, table);
    for (;;) {
        const std::uint16_t x = left.next();
        const std::uint16_t y = right.next();
        if (x != y)
            return x < y ? -1 : 1;
        if (x == 0)
            return 0;
    }
}

} // namespace

int compare(const char16_t* a, const char16_t* b, const SortTable* table, std::size_t limit)
{
    if (!table)
        return compareCodeUnits(a, b, limit);
    return compareWeights(a, limit, b, limit, *table);
}

int compare(std::u16string_view a, std::u16string_view b, const SortTable* table)
{
    if (!table) {
        // A 0 inside a view ends the word there, as it ends a terminated one.
        a = a.substr(0, a.find(u'\0'));
        b = b.substr(0, b.find(u'\0'));
        const int order = a.compare(b);
        return order < 0 ? -1 : order > 0 ? 1 : 0;
    }
    return compareWeights(a.data(), a.size(), b.data(), b.size(), *table);
}

std::size_t effectiveLength(const char16_t* word, const SortTable* table)
{
    if (!word)
        return 0;
    if (!table)
        return std::u16string_view(word).size();
    return WeightStream(word, kNoLimit, *table).effectiveLength();
}

std::size_t effectiveLength(std::u16string_view word, const SortTable* table)
{
    if (!table)
        return word.substr(0, word.find(u'\0')).size();
    return WeightStream(word.data(), word.size(), *table).effectiveLength();
}

} // namespace lexvane::engine
