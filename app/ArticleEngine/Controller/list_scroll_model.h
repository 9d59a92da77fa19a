// list_scroll_model.h: how the list controller's scroll position moves over
// a stack of articles of different heights: scrolling by pixels across
// article boundaries, the last place the top may scroll to, the gap below
// the last article, and the position a scroll bar's value stands for.
//
// Pure functions over the article count and a height per article, so that
// the controller and its tests share them. Article i + 1 starts right
// below article i; the top article starts topOffset pixels above the view.
// Scrolling towards the end never passes the limit, towards the beginning
// never passes the start of article 0 (docs/behaviour/article-controller.md).
#pragma once

#include "ArticleEngine/Controller/scroll_bar_mapping.h"

#include <functional>

namespace ArticleEngine::Controller {

using ArticleHeight = std::function<int(int index)>;

// Moves the top by pixels (positive towards the beginning); topHeight
// becomes the new top article's height. No articles: no move.
ArticleListScrollPosition scrolledBy(ArticleListScrollPosition position, int pixels, int articleCount,
                                     const ArticleHeight& height);

struct ScrollLimit {
    int article = 0;
    int offset = 0;
    bool operator==(const ScrollLimit&) const = default;
};

// The last allowed top: summing heights from the last article back, the
// first article at which the sum exceeds the viewport height, with the
// excess as offset; (0, 0) when all articles fit.
ScrollLimit scrollLimit(int articleCount, int viewportHeight, const ArticleHeight& height);

// The pixels to scroll towards the end so that the last article, when it
// is the bottom one, ends on the client area's last row; 0 when there is
// no gap. The clamp of scrolledBy turns the move into the limit position.
int bottomGap(const ArticleListScrollPosition& position, int articleCount, int clientHeight,
              const ArticleHeight& height);

// The position a scroll bar's state stands for. Above 50 articles the bar
// moves by whole articles; up to 50 it may land inside an article.
ArticleListScrollPosition positionFromScrollBar(ArticleListScrollPosition position, const ScrollBarState& bar,
                                                int articleCount, const ArticleHeight& height);

} // namespace ArticleEngine::Controller
