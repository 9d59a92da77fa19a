// fuzzy_word_cache.cpp: filling the cache of word-list words.
#include "compiled/fuzzy_word_cache.h"

#include <algorithm>
#include <new>

namespace lexvane::engine {

void FuzzyWordCache::startFilling()
{
    m_units.clear();
    m_wordCount = 0;
    m_complete = false;
}

void FuzzyWordCache::refuse()
{
    std::vector<char16_t>().swap(m_units);
    m_wordCount = 0;
    m_complete = false;
    m_refused = true;
}

void FuzzyWordCache::append(std::u16string_view word)
{
    if (m_refused || m_complete)
        return;
    constexpr std::size_t kLongestWord = 0xFFFF; // the length is stored as one unit
    const std::size_t needed = m_units.size() + 1 + word.size();
    if (word.size() > kLongestWord || needed * sizeof(char16_t) > m_budgetBytes) {
        refuse();
        return;
    }
    try {
        // Grows by doubling, but never reserves past the budget.
        if (needed > m_units.capacity())
            m_units.reserve(std::clamp(m_units.capacity() * 2, needed, m_budgetBytes / sizeof(char16_t)));
        m_units.push_back(static_cast<char16_t>(word.size()));
        m_units.insert(m_units.end(), word.begin(), word.end());
    } catch (const std::bad_alloc&) {
        refuse();
        return;
    }
    ++m_wordCount;
}

void FuzzyWordCache::markComplete()
{
    if (!m_refused) {
        m_complete = true;
        m_units.shrink_to_fit();
    }
}

} // namespace lexvane::engine
