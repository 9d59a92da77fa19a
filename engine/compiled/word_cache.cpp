// word_cache.cpp: filling a cache of decoded words.
#include "compiled/word_cache.h"

#include <algorithm>
#include <new>

namespace lexvane::engine {

void WordCache::startFilling()
{
    m_units.clear();
    m_wordCount = 0;
    m_complete = false;
}

void WordCache::clear()
{
    std::vector<char16_t>().swap(m_units);
    m_wordCount = 0;
    m_complete = false;
    m_refused = false;
}

void WordCache::refuse()
{
    std::vector<char16_t>().swap(m_units);
    m_wordCount = 0;
    m_complete = false;
    m_refused = true;
}

void WordCache::append(std::u16string_view word)
{
    if (m_refused || m_complete)
        return;
    const std::size_t needed = m_units.size() + 1 + word.size();
    if (word.size() > kLongestWord || needed * sizeof(char16_t) > m_budgetBytes) {
        refuse();
        return;
    }
    try {
        // Grows by doubling, but never reserves past the budget.
        if (needed > m_units.capacity())
            m_units.reserve(std::clamp(m_units.capacity() * 2, needed, m_budgetBytes / sizeof(char16_t)));
        unsigned marks = 0;
        for (char16_t c : word) {
            if (c == u'\t')
                marks |= kHoldsTab;
            else if (c == 0x0301)
                marks |= kHoldsStressMark;
        }
        m_units.push_back(static_cast<char16_t>(word.size() | marks << kMarkShift));
        m_units.insert(m_units.end(), word.begin(), word.end());
    } catch (const std::bad_alloc&) {
        refuse();
        return;
    }
    ++m_wordCount;
}

void WordCache::markComplete()
{
    if (!m_refused) {
        m_complete = true;
        m_units.shrink_to_fit();
    }
}

} // namespace lexvane::engine
