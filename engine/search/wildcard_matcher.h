// wildcard_matcher.h: masks with '*' (any run of characters) and '?' (any
// one character), and matching headwords against them.
//
// A mask is normalised once: a '"' at its end or start anchors it there,
// else a '*' is added on that side, and runs of '*' collapse. A headword may
// hold two forms separated by a TAB; each is matched on its own. Matching
// keeps one resumption point, at the most recent '*': an earlier star can
// never place the rest better than the latest one, so the result is that of
// a full backtracking search however many stars the mask holds.
// See docs/behaviour/wildcard-search.md.
#pragma once

#include "search/character_equality.h"

#include <string>
#include <string_view>

namespace lexvane::engine {

// U+0301, the stress mark that the set search ignores on both sides.
inline constexpr char16_t kStressMark = 0x0301;

enum class StressMarks { Keep, Remove };

// The normalised pattern of `mask`.
std::u16string normaliseWildcardMask(std::u16string_view mask, StressMarks stressMarks);

class WildcardMatcher {
public:
    // `pattern` is a normalised pattern; `table` may be null and must
    // outlive the matcher.
    WildcardMatcher(std::u16string pattern, const SortTable* table,
                    StressMarks candidateStressMarks = StressMarks::Keep);

    const std::u16string& pattern() const { return m_pattern; }

    // Whether the first form of `headword` (up to a TAB) or its second form
    // (after it, when not empty) matches.
    bool matchesHeadword(std::u16string_view headword) const;

    // Whether one form matches the whole pattern.
    bool matchesForm(std::u16string_view form) const;

    // matchesHeadword() for a headword known to hold neither a TAB nor a
    // stress mark: one form, matched as it stands.
    bool matchesPlainHeadword(std::u16string_view headword) const { return matchesFormAsGiven(headword); }

private:
    bool matchesFormAsGiven(std::u16string_view form) const;

    std::u16string m_pattern;
    CharacterEquality m_equality;
    StressMarks m_candidateStressMarks;
};

} // namespace lexvane::engine
