// css_text_style.h: a text style read back from the CSS declarations of a
// copied article's style sheet, so that pasted runs can be matched to the
// receiving dictionary's styles.
//
// Property names are matched without regard to case, anywhere in the text
// (so "background-color:" counts as a colour); for a property given twice
// the last declaration wins. What does not read sets nothing, except the
// colour, which is invalid without a readable declaration. The whole table
// is in docs/behaviour/article-editing.md, "Style declarations".
#pragma once

#include <QString>

namespace ArticleEngine {
class TextFragmentStyle;
}

namespace ArticleEngine::Controller {

// Fills the style's text colour, vertical alignment and an owned font built
// from the declarations; other members are left as they are.
void cssToTextStyle(const QString& declarations, TextFragmentStyle& style);

// A CSS weight (100 thin to 900 black) on the old 0 to 99 weight scale:
// (w - 100) / 8.0808..., cut toward zero, so that 400 gives 37 and 900 99.
int legacyWeightOfCss(int cssWeight);

} // namespace ArticleEngine::Controller
