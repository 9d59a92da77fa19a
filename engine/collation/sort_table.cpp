// sort_table.cpp: weight lookup, contraction matching and the checks of a
// sort table.
#include "collation/sort_table.h"

#include "lexvane_engine.h"

#include <algorithm>

namespace lexvane::engine {

SortTable::SortTable()
{
    fillPages();
}

SortTable::SortTable(Lookup lookup, char16_t terminator, std::vector<Character> characters,
                     std::vector<Contraction> contractions)
    : m_lookup(lookup)
    , m_terminator(terminator)
    , m_characters(std::move(characters))
    , m_contractions(std::move(contractions))
{
    fillPages();
}

void SortTable::fillPages()
{
    std::array<bool, 256> used{};
    if (m_lookup == Lookup::CodeIndex) {
        for (std::size_t page = 0; page * kPageSize < m_characters.size() && page < used.size(); ++page)
            used[page] = true;
    } else {
        for (const Character& entry : m_characters)
            used[entry.code >> 8] = true;
    }
    m_pageWeights.assign(kPageSize, kIgnored);
    for (std::size_t page = 0; page < used.size(); ++page) {
        if (!used[page]) {
            m_pageOf[page] = 0;
            continue;
        }
        m_pageOf[page] = static_cast<std::uint16_t>(m_pageWeights.size() / kPageSize);
        for (std::size_t low = 0; low < kPageSize; ++low)
            m_pageWeights.push_back(lookUp(static_cast<char16_t>(page * kPageSize + low)));
    }
}

std::uint16_t SortTable::lookUp(char16_t character) const
{
    if (m_lookup == Lookup::CodeIndex)
        return character < m_characters.size() ? m_characters[character].weight : kIgnored;
    const auto found = std::lower_bound(m_characters.begin(), m_characters.end(), character,
                                        [](const Character& entry, char16_t code) { return entry.code < code; });
    return found != m_characters.end() && found->code == character ? found->weight : kIgnored;
}

SortTable::Match SortTable::matchContraction(std::size_t first, const char16_t* text, std::size_t length) const
{
    Match best;
    if (length == 0)
        return best;
    for (std::size_t index = first; index < m_contractions.size(); ++index) {
        const Contraction& entry = m_contractions[index];
        if (entry.characters[0] != text[0])
            break;
        std::size_t matched = 0;
        while (matched < kContractionLength && entry.characters[matched] != 0 && matched < length
               && text[matched] == entry.characters[matched])
            ++matched;
        const bool complete = matched == kContractionLength || entry.characters[matched] == 0;
        if (complete && matched > best.length) {
            best.entry = &entry;
            best.length = matched;
        }
    }
    return best;
}

int SortTable::validate() const
{
    for (const Character& entry : m_characters) {
        if ((entry.weight & kContractionFlag) && entry.weight != kUnmatchedContraction
            && (entry.weight & ~kContractionFlag) >= m_contractions.size())
            return LV_BAD_SORT_TABLE;
    }
    if (m_lookup == Lookup::Bisection) {
        const auto byCode = [](const Character& a, const Character& b) { return a.code < b.code; };
        if (!std::is_sorted(m_characters.begin(), m_characters.end(), byCode))
            return LV_BAD_SORT_TABLE;
    }
    return LV_OK;
}

void SortTable::renumberContractions()
{
    // Empty entries (no characters) go last, where no match can reach them.
    std::stable_sort(m_contractions.begin(), m_contractions.end(), [](const Contraction& a, const Contraction& b) {
        const bool aEmpty = a.characters[0] == 0;
        const bool bEmpty = b.characters[0] == 0;
        if (aEmpty != bEmpty)
            return bEmpty;
        return a.characters < b.characters;
    });
    for (Character& entry : m_characters) {
        if (entry.code == 0)
            continue;
        const auto first = std::find_if(m_contractions.begin(), m_contractions.end(), [&](const Contraction& c) {
            return c.characters[0] == entry.code;
        });
        if (first != m_contractions.end())
            entry.weight = static_cast<std::uint16_t>(kContractionFlag | (first - m_contractions.begin()));
    }
    std::stable_sort(m_characters.begin(), m_characters.end(),
                     [](const Character& a, const Character& b) { return a.code < b.code; });
    fillPages();
}

bool SortTable::operator==(const SortTable& other) const
{
    return m_lookup == other.m_lookup && m_terminator == other.m_terminator && m_characters == other.m_characters
        && m_contractions == other.m_contractions;
}

} // namespace lexvane::engine
