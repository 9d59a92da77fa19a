// word_cache.h: a list of words kept in memory after one whole decoding,
// so that later searches replay it instead of decoding again: a compiled
// dictionary's "WLST" word list and its main headwords (fuzzy search), a
// set's group headwords (wildcard search).
//
// Each word is stored as one head unit (its length, and two marks: whether
// it holds a TAB, which splits a headword into two forms, and whether it
// holds U+0301, the stress mark that the set search ignores) and its units,
// all in one array, so that a replay hands out views without copying and a
// search skips the scans that most words do not need. Invariants: the cache
// never holds more than its budget; it is either being filled, complete
// (it holds every word of the list, in order) or refused (the list did not
// fit, and it stays empty until cleared). See docs/behaviour/fuzzy-search.md
// and docs/behaviour/wildcard-search.md.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::engine {

class WordCache {
public:
    // 16 MiB of stored units: some 800,000 words of ten units.
    static constexpr std::size_t kDefaultBudgetBytes = std::size_t{16} << 20;

    // What a word holds, handed to a visitor that takes it.
    enum Marks : unsigned { kHoldsTab = 1, kHoldsStressMark = 2 };
    // Longer words are not stored: the cache is refused.
    static constexpr std::size_t kLongestWord = 0x3FFF;

    explicit WordCache(std::size_t budgetBytes = kDefaultBudgetBytes) : m_budgetBytes(budgetBytes) {}

    bool complete() const { return m_complete; }
    bool refused() const { return m_refused; }
    std::size_t wordCount() const { return m_wordCount; }
    std::size_t memoryBytes() const { return m_units.capacity() * sizeof(char16_t); }

    // Empties the cache for a new filling (a refusal is kept: the list is
    // the same while the dictionary is open).
    void startFilling();
    // Forgets everything, a refusal too: the list itself has changed.
    void clear();
    // Appends the next word of the list; once the budget is exceeded (or a
    // word is too long to store) the cache is emptied and refused.
    void append(std::u16string_view word);
    // The whole list went through append(): later searches may replay it.
    void markComplete();

    // Calls visit(word) or visit(word, marks) for every word in order;
    // stops at the first non-zero answer and returns it. `word` is valid
    // during the call only.
    template <class Visit>
    int forEachWord(Visit&& visit) const
    {
        for (std::size_t at = 0; at < m_units.size();) {
            const unsigned head = m_units[at];
            const std::size_t length = head & kLongestWord;
            const std::u16string_view word(m_units.data() + at + 1, length);
            at += 1 + length;
            int answer = 0;
            if constexpr (std::is_invocable_v<Visit, std::u16string_view, unsigned>)
                answer = visit(word, head >> kMarkShift);
            else
                answer = visit(word);
            if (answer)
                return answer;
        }
        return 0;
    }

private:
    static constexpr unsigned kMarkShift = 14;

    void refuse();

    std::size_t m_budgetBytes;
    std::vector<char16_t> m_units;
    std::size_t m_wordCount = 0;
    bool m_complete = false;
    bool m_refused = false;
};

} // namespace lexvane::engine
