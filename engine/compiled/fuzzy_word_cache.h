// fuzzy_word_cache.h: the words of a dictionary's compressed word list
// ("WLST"), kept after the first fuzzy search so that later searches do
// not inflate the list again.
//
// Each word is stored as its length and its units, all in one array, so
// that a replay hands out views without copying. Invariants: the cache
// never holds more than its budget; it is either being filled, complete
// (it holds every word of the list, in order) or refused (the list did not
// fit, and it stays empty until cleared). See docs/behaviour/fuzzy-search.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::engine {

class FuzzyWordCache {
public:
    // 16 MiB of stored units: some 800,000 words of ten units.
    static constexpr std::size_t kDefaultBudgetBytes = std::size_t{16} << 20;

    explicit FuzzyWordCache(std::size_t budgetBytes = kDefaultBudgetBytes) : m_budgetBytes(budgetBytes) {}

    bool complete() const { return m_complete; }
    bool refused() const { return m_refused; }
    std::size_t wordCount() const { return m_wordCount; }
    std::size_t memoryBytes() const { return m_units.capacity() * sizeof(char16_t); }

    // Empties the cache for a new filling (a refusal is kept: the list is
    // the same while the dictionary is open).
    void startFilling();
    // Appends the next word of the list; once the budget is exceeded (or a
    // word is too long to store) the cache is emptied and refused.
    void append(std::u16string_view word);
    // The whole list went through append(): later searches may replay it.
    void markComplete();

    // Calls visit(word) for every word in order; stops at the first
    // non-zero answer and returns it. `word` is valid during the call only.
    template <class Visit>
    int forEachWord(Visit&& visit) const
    {
        for (std::size_t at = 0; at < m_units.size();) {
            const std::size_t length = m_units[at];
            const std::u16string_view word(m_units.data() + at + 1, length);
            at += 1 + length;
            if (const int answer = visit(word))
                return answer;
        }
        return 0;
    }

private:
    void refuse();

    std::size_t m_budgetBytes;
    std::vector<char16_t> m_units;
    std::size_t m_wordCount = 0;
    bool m_complete = false;
    bool m_refused = false;
};

} // namespace lexvane::engine
