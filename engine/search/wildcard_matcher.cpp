// wildcard_matcher.cpp: mask normalisation and the matcher.
#include "search/wildcard_matcher.h"

#include <algorithm>

namespace lexvane::engine {

std::u16string normaliseWildcardMask(std::u16string_view mask, StressMarks stressMarks)
{
    std::u16string text;
    text.reserve(mask.size() + 2);
    for (char16_t c : mask) {
        if (!(stressMarks == StressMarks::Remove && c == kStressMark))
            text.push_back(c);
    }
    // The closing side is looked at first, so a lone '"' anchors the end.
    if (!text.empty() && text.back() == u'"')
        text.pop_back();
    else
        text.push_back(u'*');
    if (!text.empty() && text.front() == u'"')
        text.erase(text.begin());
    else
        text.insert(text.begin(), u'*');

    std::u16string pattern;
    pattern.reserve(text.size());
    for (char16_t c : text) {
        if (!(c == u'*' && !pattern.empty() && pattern.back() == u'*'))
            pattern.push_back(c);
    }
    return pattern;
}

WildcardMatcher::WildcardMatcher(std::u16string pattern, const SortTable* table, StressMarks candidateStressMarks)
    : m_pattern(std::move(pattern))
    , m_equality(table)
    , m_candidateStressMarks(candidateStressMarks)
{
}

bool WildcardMatcher::matchesHeadword(std::u16string_view headword) const
{
    const std::size_t tab = headword.find(u'\t');
    if (tab == std::u16string_view::npos)
        return matchesForm(headword);
    if (matchesForm(headword.substr(0, tab)))
        return true;
    const std::u16string_view second = headword.substr(tab + 1);
    return !second.empty() && matchesForm(second);
}

bool WildcardMatcher::matchesForm(std::u16string_view form) const
{
    if (m_candidateStressMarks == StressMarks::Remove && form.find(kStressMark) != std::u16string_view::npos) {
        std::u16string plain;
        plain.reserve(form.size());
        std::copy_if(form.begin(), form.end(), std::back_inserter(plain), [](char16_t c) { return c != kStressMark; });
        return matchesFormAsGiven(plain);
    }
    return matchesFormAsGiven(form);
}

bool WildcardMatcher::matchesFormAsGiven(std::u16string_view form) const
{
    const std::u16string_view pattern = m_pattern;
    constexpr std::size_t kNoStar = std::u16string_view::npos;
    std::size_t p = 0;
    std::size_t c = 0;
    std::size_t star = kNoStar; // pattern position just after the latest '*'
    std::size_t resume = 0;     // where that star's run ends for now

    while (c < form.size()) {
        if (p < pattern.size() && pattern[p] == u'*') {
            star = ++p;
            resume = c;
            // Skip straight to the next place where the following literal
            // can start; '?' and a further '*' take any character.
            if (p < pattern.size() && pattern[p] != u'?' && pattern[p] != u'*') {
                while (c < form.size() && !m_equality.equal(pattern[p], form[c]))
                    ++c;
                resume = c;
            }
            continue;
        }
        if (p < pattern.size() && (pattern[p] == u'?' || m_equality.equal(pattern[p], form[c]))) {
            ++p;
            ++c;
            continue;
        }
        if (star == kNoStar)
            return false;
        // The latest star takes one more character and the rest starts over.
        p = star;
        c = ++resume;
        if (p < pattern.size() && pattern[p] != u'?' && pattern[p] != u'*') {
            while (c < form.size() && !m_equality.equal(pattern[p], form[c]))
                ++c;
            resume = c;
        }
    }
    while (p < pattern.size() && pattern[p] == u'*')
        ++p;
    return p == pattern.size();
}

} // namespace lexvane::engine
