// scroll_bar_mapping.cpp: client area, line height and the two mappings.
#include "ArticleEngine/Controller/scroll_bar_mapping.h"

#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/External/text_fragment_style.h"
#include "ArticleEngine/Views/view.h"
#include "ArticleEngine/Views/view_lookup.h"
#include "ArticleEngine/logging.h"

#include <QFontMetrics>
#include <QScrollBar>

#include <algorithm>
#include <cmath>

namespace ArticleEngine::Controller {

float ScrollBarState::fraction() const
{
    const int span = maximum - minimum;
    if (span <= 0)
        return 0.0f;
    return float(value - minimum) / float(span);
}

void ScrollBarState::setFraction(float x)
{
    value = minimum + int(std::floor(float(maximum - minimum) * x + 0.5f));
}

QRect clientRect(const QRect& controllerRect, bool scrollBarVisible, int scrollBarWidth)
{
    QRect rect = controllerRect;
    rect.setRight(rect.right() - 1 - (scrollBarVisible ? scrollBarWidth : 0));
    return rect;
}

int lineHeight(External::IStyleServer& styles)
{
    const TextFragmentStyle* style = styles.defaultStyle();
    if (style == nullptr || style->font() == nullptr)
        return 0;
    return std::max(0, QFontMetrics(*style->font()).height());
}

int visibleLines(int clientHeight, int lineHeight)
{
    return lineHeight < 1 ? 0 : clientHeight / lineHeight;
}

bool isFullyVisible(const View& view, const QRect& clientRect)
{
    return isLaidOut(view) && clientRect.contains(view.absoluteRect());
}

ScrollBarState scrollBarState(ScrollBarState state, const ArticleListScrollPosition& position,
                              int articleCount, int clientHeight)
{
    state.visible = position.isScrollable();
    if (articleCount > articleMappingThreshold) {
        state.maximum = position.limitArticle;
        if (position.limitArticle > 0 && state.visible)
            state.setFraction(float(position.topArticle) / float(position.limitArticle));
        else if (position.limitArticle == 0 && state.visible)
            state.value = state.minimum;
        return state;
    }
    if (position.limitArticle < 0 || !state.visible)
        return state;
    const int step = std::max(10, clientHeight);
    state.maximum = (position.limitArticle + 1) * step;
    state.pageStep = step * 3 / 5;
    // The part of the top article above the view; an article of height 1,
    // or a top at the limit with offset 0, has none.
    const int span = position.topArticle == position.limitArticle ? position.limitOffset : position.topHeight - 1;
    const float part = span > 0 ? float(position.topOffset) / float(span) : 0.0f;
    const float x = (float(position.topArticle) + part) / float(position.limitArticle + 1);
    if (x > 1.0f)
        qCDebug(viewLog) << "karaul!!";
    state.setFraction(x);
    return state;
}

ScrollBarState readScrollBar(const QScrollBar& bar)
{
    // Not isVisible(): that stays false while the host is not shown yet.
    return {bar.value(), bar.minimum(), bar.maximum(), bar.pageStep(), bar.singleStep(), !bar.isHidden()};
}

void writeScrollBar(QScrollBar& bar, const ScrollBarState& state)
{
    const bool blocked = bar.blockSignals(true);
    bar.setVisible(state.visible);
    if (state.visible) {
        bar.setMinimum(state.minimum);
        bar.setMaximum(state.maximum);
        bar.setValue(state.value);
        bar.setSingleStep(state.singleStep);
        bar.setPageStep(state.pageStep);
    }
    bar.blockSignals(blocked);
}

} // namespace ArticleEngine::Controller
