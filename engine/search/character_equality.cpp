// character_equality.cpp: the case partners of the alphabets whose upper and
// lower cases lie a fixed distance apart.
#include "search/character_equality.h"

namespace lexvane::engine {

namespace {

struct CaseRange {
    char16_t firstUpper;
    char16_t lastUpper;
    char16_t lowerOffset;
};

constexpr CaseRange kCaseRanges[] = {
    {u'A', u'Z', 0x20},
    {0x0410, 0x042F, 0x20}, // basic Cyrillic А..Я / а..я
    {0x0391, 0x03A9, 0x20}, // Greek Α..Ω / α..ω
};

bool upperOf(char16_t upper, char16_t lower)
{
    for (const CaseRange& range : kCaseRanges) {
        if (upper >= range.firstUpper && upper <= range.lastUpper && lower == upper + range.lowerOffset)
            return true;
    }
    return false;
}

} // namespace

bool CharacterEquality::casePartners(char16_t a, char16_t b)
{
    return upperOf(a, b) || upperOf(b, a);
}

} // namespace lexvane::engine
