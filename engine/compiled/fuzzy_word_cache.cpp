// fuzzy_word_cache.cpp: filling the cache of word-list words.
#include "compiled/fuzzy_word_cache.h"

#include <algorithm>
#include <new>

namespace lexvane::engine {

void FuzzyWordCache::startFilling()
{
    m_units.clear();
    m_last.clear();
    m_wordCount = 0;
    m_complete = false;
}

void FuzzyWordCache::refuse()
{
    std::vector<char16_t>().swap(m_units);
    std::u16string().swap(m_last);
    m_wordCount = 0;
    m_complete = false;
    m_refused = true;
}

void FuzzyWordCache::append(std::u16string_view word)
{
    if (m_refused || m_complete)
        return;
    constexpr std::size_t kLargestCount = 0xFFFF; // both counts are stored as one unit
    const std::size_t limit = std::min(m_last.size(), word.size());
    std::size_t shared = 0;
    while (shared < limit && m_last[shared] == word[shared])
        ++shared;
    const std::size_t rest = word.size() - shared;
    if (shared > kLargestCount || rest > kLargestCount
        || (m_units.size() + 2 + rest) * sizeof(char16_t) > m_budgetBytes) {
        refuse();
        return;
    }
    try {
        // Grows by doubling, but never reserves past the budget.
        if (m_units.size() + 2 + rest > m_units.capacity())
            m_units.reserve(std::clamp(m_units.capacity() * 2, m_units.size() + 2 + rest,
                                       m_budgetBytes / sizeof(char16_t)));
        m_units.push_back(static_cast<char16_t>(shared));
        m_units.push_back(static_cast<char16_t>(rest));
        m_units.insert(m_units.end(), word.begin() + static_cast<std::ptrdiff_t>(shared), word.end());
        m_last.assign(word);
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
