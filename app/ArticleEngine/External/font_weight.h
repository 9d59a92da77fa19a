// font_weight.h: the one conversion between the 0-99 weight scale that
// our styles and style sheets count on (50 normal, 75 bold, 99 black) and
// the toolkit's 100-900 weights.
//
// Invariant: the named weights go to each other both ways (Normal <-> 50,
// Bold <-> 75, Black <-> 99 ...); between them the scales map linearly, and
// a round trip from the 0-99 scale gives back the named weight nearest to
// it (docs/behaviour/article-export.md).
#pragma once

#include <QFont>

namespace ArticleEngine::External {

// A weight of the 0-99 scale (clamped to it) as the toolkit's weight.
QFont::Weight toToolkitWeight(int legacyWeight);
// The toolkit's weight (clamped to 1-1000) on the 0-99 scale.
int toLegacyWeight(int toolkitWeight);

} // namespace ArticleEngine::External
