// article_edit_position_converter.cpp: one pixel, one step of the bar.
#include "ArticleEngine/Controller/article_edit_position_converter.h"

#include "ArticleEngine/logging.h"

#include <algorithm>

namespace ArticleEngine {

namespace {

constexpr int fallbackSingleStep = 12;

int offsetOf(const Controller::ScrollBarState& bar, int maximum)
{
    const int span = bar.maximum - bar.minimum;
    if (span == maximum)
        return bar.value - bar.minimum;
    qCDebug(viewLog) << "no good";
    if (span <= 0)
        return 0;
    return int((long long)(bar.value - bar.minimum) * maximum / span);
}

} // namespace

Controller::ScrollBarState ArticleEditPositionConverter::toScrollBar(Controller::ScrollBarState bar,
                                                                    const ArticleEditScroll& scroll,
                                                                    int textAreaHeight, int articleHeight,
                                                                    int lineHeight)
{
    bar.maximum = scroll.maximum;
    bar.value = scroll.offset;
    bar.visible = scroll.maximum > 0;
    const int span = bar.maximum - bar.minimum;
    bar.pageStep = articleHeight > 0 ? int((long long)span * textAreaHeight / articleHeight) : 1;
    bar.singleStep = lineHeight > 0 ? lineHeight : fallbackSingleStep;
    if (offsetOf(bar, scroll.maximum) != scroll.offset)
        qCDebug(viewLog) << "articleEditConverter: p -> s !";
    return bar;
}

int ArticleEditPositionConverter::fromScrollBar(const Controller::ScrollBarState& bar,
                                                const ArticleEditScroll& scroll)
{
    const int offset = std::clamp(offsetOf(bar, scroll.maximum), 0, std::max(0, scroll.maximum));
    if (bar.minimum + offset != bar.value && bar.maximum - bar.minimum == scroll.maximum)
        qCDebug(viewLog) << "articleEditConverter: s -> p !";
    return offset;
}

} // namespace ArticleEngine
