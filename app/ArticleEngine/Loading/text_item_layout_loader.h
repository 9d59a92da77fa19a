// text_item_layout_loader.h: places a text item and its fragments.
//
// The item takes the rectangle it is given (relative to its paragraph);
// its fragments stand side by side from its left edge, each as high as
// the item, with its bottom edge on the baseline (lowered by a subscript's
// shift, raised by a superscript's): the bottom is the line the text is
// drawn on.
#pragma once

#include "ArticleEngine/Loading/abstract_layout_loader.h"

#include <span>

namespace ArticleEngine {
class TextItemFragmentView;
class TextItemView;
}

namespace ArticleEngine::Loading {

class TextItemLayoutLoader final : public AbstractLayoutLoader<TextItemView> {
public:
    // baseline: the baseline's distance from the rectangle's top.
    TextItemLayoutLoader(TextItemView& item, const QRect& rect, int baseline);
    // The same, with the item's fragments already at hand (the paragraph's
    // fast path).
    TextItemLayoutLoader(TextItemView& item, std::span<TextItemFragmentView> fragments,
                         const QRect& rect, int baseline)
        : AbstractLayoutLoader(item, rect, false)
        , m_fragments(fragments)
        , m_baseline(baseline)
    {
    }

    void run() override;

private:
    std::span<TextItemFragmentView> m_fragments;
    int m_baseline;
};

} // namespace ArticleEngine::Loading
