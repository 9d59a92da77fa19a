// fragment_style.h: the style that the fragments of one style number share.
//
// One article holds a fragment per character, so fragments do not carry a
// TextFragmentStyle each: they share one immutable record per style number,
// made once when styles are applied. The record's style is an assigned copy
// of the style server's (an owned font is copied and owned by the record, a
// shared font stays shared and must outlive the article, as the server's
// fonts do). With it go the font's vertical measures, taken once.
#pragma once

#include "ArticleEngine/External/text_fragment_style.h"
#include "ArticleEngine/Views/fragment_metrics.h"

#include <QExplicitlySharedDataPointer>
#include <QSharedData>

namespace ArticleEngine {

class FragmentStyleData : public QSharedData {
public:
    FragmentStyleData(int number, const TextFragmentStyle& style, const FragmentMetrics& vertical)
        : number(number)
        , vertical(vertical)
    {
        this->style = style;
    }

    const int number;
    TextFragmentStyle style;
    // Raise or lower, ascent, descent and leading of a text fragment in this
    // style; all zero when the style has no font. The width is not used.
    const FragmentMetrics vertical;
};

using FragmentStyle = QExplicitlySharedDataPointer<const FragmentStyleData>;

} // namespace ArticleEngine
