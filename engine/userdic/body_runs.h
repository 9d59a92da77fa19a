// body_runs.h: a stored article body in the engine's run form.
//
// Stored bodies are article markup: '#', a two-digit style number and a
// quoted text per run, the first '#' opening the headword segment. The run
// form drops the quotes and turns each run header into one marker
// character, so that the output stage can walk runs without parsing again.
// Only decimal digits are ever read as a style number
// (docs/behaviour/user-dictionary.md).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace lexvane::engine::userdic {

inline constexpr char16_t kHeadwordMarker = 0xEAFF; // the first '#'
inline constexpr char16_t kStyleMarkerBase = 0xEA00; // later '#' + style number

inline bool isRunMarker(char16_t c)
{
    return c >= kStyleMarkerBase && c <= kHeadwordMarker;
}

// Rewrites a stored body into the run form.
std::u16string toRunForm(std::u16string_view body);

// The text before the first marker of a run-form body.
std::u16string_view runPrefix(std::u16string_view runForm);

struct Run {
    int index; // -2 the prefix, a style number, -1 the end
    std::u16string_view text;
};

// The runs the output stage sends for a run-form body: the prefix (-2),
// each run after the headword segment with its style number, then the
// empty end (-1).
std::vector<Run> splitRuns(std::u16string_view runForm);

} // namespace lexvane::engine::userdic
