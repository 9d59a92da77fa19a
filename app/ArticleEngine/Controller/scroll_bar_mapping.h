// scroll_bar_mapping.h: the list controller's client area, line metrics
// and the mapping of its scroll position onto the host's scroll bar.
//
// Pure functions, so that the controller and its tests share them. Lists of
// more than 50 articles map one article to one step of the bar (value =
// the top article); shorter lists map every article to one page-sized step
// whatever its height, with the part of the top article above the view as
// a fraction of a step. No mapping divides by an empty span
// (docs/behaviour/article-painting.md).
#pragma once

#include <QRect>

class QScrollBar;

namespace ArticleEngine {
class View;
}

namespace ArticleEngine::External {
class IStyleServer;
}

namespace ArticleEngine::Controller {

// Where the list is scrolled to: the top article, how far into it the view
// begins and its height, the last article on screen, and the last place the
// top may scroll to (the limit article and the offset into it).
struct ArticleListScrollPosition {
    int topArticle = 0;
    int topOffset = 0;
    int topHeight = 0;
    int bottomArticle = 0;
    int limitArticle = 0;
    int limitOffset = 0;

    bool isValid() const
    {
        return (bottomArticle == -1 && topArticle == 0)
            || (topArticle != -1 && bottomArticle != -1 && bottomArticle >= topArticle
                && limitArticle >= topArticle);
    }
    bool isScrollable() const { return limitArticle > 0 || (limitArticle == 0 && limitOffset > 0); }
    bool isArticleOnScreen(int index) const { return topArticle <= index && index <= bottomArticle; }
    // Positions are equal when their tops are.
    bool operator==(const ArticleListScrollPosition& other) const
    {
        return topArticle == other.topArticle && topOffset == other.topOffset && topHeight == other.topHeight;
    }
};

struct ScrollBarState {
    int value = 0;
    int minimum = 0;
    int maximum = 0;
    int pageStep = 0;
    int singleStep = 0;
    bool visible = false;

    // (value - minimum) / (maximum - minimum); 0 for an empty span.
    float fraction() const;
    // value = minimum + floor(span * x + 0.5).
    void setFraction(float x);
    bool operator==(const ScrollBarState&) const = default;
};

// More articles than this map one article to one step of the bar.
inline constexpr int articleMappingThreshold = 50;

// The controller's rectangle less the one-pixel gap at the right and the
// scroll bar's width while it shows.
QRect clientRect(const QRect& controllerRect, bool scrollBarVisible, int scrollBarWidth);
// The height of the default style's font; 0 without one.
int lineHeight(External::IStyleServer& styles);
int visibleLines(int clientHeight, int lineHeight);
// The view is laid out and its absolute rectangle lies inside the client
// rectangle.
bool isFullyVisible(const View& view, const QRect& clientRect);

// The bar's state for a scroll position, starting from its present state
// (minimum and single step stay as they are).
ScrollBarState scrollBarState(ScrollBarState state, const ArticleListScrollPosition& position,
                              int articleCount, int clientHeight);

ScrollBarState readScrollBar(const QScrollBar& bar);
// Writes with the bar's signals blocked, so that no valueChanged feeds back
// into the controller; the earlier blocking state is restored.
void writeScrollBar(QScrollBar& bar, const ScrollBarState& state);

} // namespace ArticleEngine::Controller
