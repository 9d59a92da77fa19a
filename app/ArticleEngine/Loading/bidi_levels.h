// bidi_levels.h: the embedding levels of one line of mixed-direction text
// and the visual order they give.
//
// The essential rules of the Unicode bidirectional algorithm, for one line
// whose paragraph level is 0 (left to right) or 1 (right to left): weak
// types (numbers, separators, terminators, marks), bracket pairs, neutrals,
// implicit levels and the line-end rule for whitespace. Explicit embedding,
// override and isolate controls are taken as neutrals: article text has no
// use for them. Levels never exceed 2. See docs/behaviour/article-layout.md
// ("Lines").
#pragma once

#include <QStringView>

#include <cstdint>
#include <span>
#include <vector>

namespace ArticleEngine::Loading {

// Whether a line can be shown in plain paragraph order (every character at
// the paragraph level): cheap, so that plain lines skip the rest.
bool isPlainLine(QStringView line, bool rightToLeft);

// One level per UTF-16 unit of the line (both halves of a pair alike).
void resolveLevels(QStringView line, bool rightToLeft, std::vector<std::uint8_t>& levels);

// Rule L2: the indices of the levels in left-to-right display order (runs at
// each level from the highest down to the lowest odd one reversed).
void visualOrder(std::span<const std::uint8_t> levels, std::vector<int>& order);

} // namespace ArticleEngine::Loading
