// article_edit_position_converter.h: the editor's scroll state (a pixel
// offset from the article's top and the largest offset) on the host's
// scroll bar, one pixel to one step, and back.
//
// Each direction checks itself by converting back and writes a debug line
// when the two disagree; a bar whose range is not the pixel range (its
// minimum was moved, or its maximum set by someone else) is read scaled.
#pragma once

#include "ArticleEngine/Controller/scroll_bar_mapping.h"

namespace ArticleEngine {

struct ArticleEditScroll {
    int offset = 0;
    int maximum = 0;

    bool operator==(const ArticleEditScroll&) const = default;
};

class ArticleEditPositionConverter {
public:
    // The bar's state for the scroll: value = offset, maximum = the
    // largest offset (the minimum stays, and is 0 in every host), shown only when there is
    // anything to scroll. Page step: the bar's span times the text area's
    // height over the article's height (1 without height); single step:
    // the line height, or 12.
    static Controller::ScrollBarState toScrollBar(Controller::ScrollBarState bar, const ArticleEditScroll& scroll,
                                                  int textAreaHeight, int articleHeight, int lineHeight);
    // The offset the bar's value stands for, within [0, scroll.maximum].
    static int fromScrollBar(const Controller::ScrollBarState& bar, const ArticleEditScroll& scroll);
};

} // namespace ArticleEngine
