// wildcard_fuzzer.cpp: wildcard masks and candidate words from untrusted
// bytes, and the collation that compares them.
//
// Input: 16-bit little-endian code units; the mask runs to the first 0
// unit, the candidate follows it. Both go through the exported functions
// (the built-in sort table) and through the matcher with the stress marks
// removed, as the set search uses it; the two words are compared as well.
#include "fuzz_input.h"

#include "collation/built_in_sort_table.h"
#include "lexvane_engine.h"
#include "search/wildcard_matcher.h"

#include <cstdlib>
#include <string>

using lexvane::engine::StressMarks;

namespace {

int sign(int value)
{
    return (value > 0) - (value < 0);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::u16string units = lexvane::fuzzing::utf16FromBytes(std::span(data, size));
    const auto [maskPart, candidatePart] = lexvane::fuzzing::splitAt(units, 0);
    const std::u16string mask(maskPart);
    const std::u16string candidate(candidatePart.substr(0, candidatePart.find(char16_t(0))));

    WildCardPattern* pattern = WildCardStart(mask.c_str());
    WildCardFeed(pattern, candidate.c_str());
    WildCardFeed(pattern, mask.c_str());
    WildCardEnd(pattern);

    const lexvane::engine::WildcardMatcher matcher(
        lexvane::engine::normaliseWildcardMask(mask, StressMarks::Remove), &lexvane::engine::builtInSortTable(),
        StressMarks::Remove);
    matcher.matchesHeadword(candidate);
    const lexvane::engine::WildcardMatcher byUnit(lexvane::engine::normaliseWildcardMask(mask, StressMarks::Keep),
                                                  nullptr);
    // A mask without wildcards or anchors finds itself.
    if (mask.find_first_of(u"*?\"\t") == std::u16string::npos && !byUnit.matchesForm(mask))
        std::abort();

    // A comparison is antisymmetric, and a word equals itself.
    if (sign(WCmp(mask.c_str(), candidate.c_str())) != -sign(WCmp(candidate.c_str(), mask.c_str())))
        std::abort();
    if (WCmp(candidate.c_str(), candidate.c_str()) != 0)
        std::abort();
    WNCmp(mask.c_str(), candidate.c_str(), static_cast<std::int32_t>(candidate.size() / 2));
    DicWEffectiveLen(nullptr, candidate.c_str());
    return 0;
}
