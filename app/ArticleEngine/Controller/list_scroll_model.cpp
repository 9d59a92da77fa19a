// list_scroll_model.cpp: the walk across articles, the limit, the bottom
// gap and the reverse mapping of the scroll bar.
#include "ArticleEngine/Controller/list_scroll_model.h"

#include <algorithm>

namespace ArticleEngine::Controller {

namespace {

ArticleListScrollPosition towardsEnd(ArticleListScrollPosition p, int distance, int articleCount,
                                     const ArticleHeight& height)
{
    while (distance > 0) {
        if (p.topArticle >= p.limitArticle || p.topArticle + 1 >= articleCount) {
            if (p.topArticle > p.limitArticle) {
                p.topArticle = std::max(0, p.limitArticle);
                p.topOffset = p.limitOffset;
            } else if (p.topArticle == p.limitArticle) {
                p.topOffset = std::min(p.topOffset + distance, p.limitOffset);
            }
            return p;
        }
        const int end = p.topOffset + distance;
        const int h = height(p.topArticle);
        if (end < h) {
            p.topOffset = end;
            return p;
        }
        ++p.topArticle;
        p.topOffset = 0;
        distance = end - h;
    }
    // A position left past the limit by a change of content goes back to it.
    if (p.topArticle > p.limitArticle && p.limitArticle >= 0) {
        p.topArticle = p.limitArticle;
        p.topOffset = p.limitOffset;
    }
    return p;
}

ArticleListScrollPosition towardsBeginning(ArticleListScrollPosition p, int distance,
                                           const ArticleHeight& height)
{
    while (distance > 0) {
        if (p.topArticle <= 0) {
            p.topArticle = 0;
            p.topOffset = std::max(p.topOffset - distance, 0);
            return p;
        }
        const int end = p.topOffset - distance;
        if (end >= 0) {
            p.topOffset = end;
            return p;
        }
        distance -= p.topOffset + 1;
        --p.topArticle;
        p.topOffset = std::max(0, height(p.topArticle) - 1);
    }
    return p;
}

} // namespace

ArticleListScrollPosition scrolledBy(ArticleListScrollPosition position, int pixels, int articleCount,
                                     const ArticleHeight& height)
{
    if (articleCount <= 0)
        return position;
    if (pixels < 0)
        position = towardsEnd(position, -pixels, articleCount, height);
    else
        position = towardsBeginning(position, pixels, height);
    position.topHeight = height(position.topArticle);
    return position;
}

ScrollLimit scrollLimit(int articleCount, int viewportHeight, const ArticleHeight& height)
{
    long long sum = 0;
    for (int index = articleCount - 1; index >= 0; --index) {
        sum += height(index);
        if (sum > viewportHeight)
            return {index, int(sum - viewportHeight)};
    }
    return {};
}

int bottomGap(const ArticleListScrollPosition& position, int articleCount, int clientHeight,
              const ArticleHeight& height)
{
    if (articleCount <= 0 || position.bottomArticle != articleCount - 1 || position.topArticle < 0)
        return 0;
    long long bottom = -position.topOffset - 1;
    for (int index = position.topArticle; index < articleCount; ++index)
        bottom += height(index);
    const long long clientBottom = clientHeight - 1;
    return bottom < clientBottom ? int(clientBottom - bottom) + 1 : 0;
}

ArticleListScrollPosition positionFromScrollBar(ArticleListScrollPosition position, const ScrollBarState& bar,
                                                int articleCount, const ArticleHeight& height)
{
    if (articleCount <= 0 || position.limitArticle < 0)
        return position;
    const float f = bar.fraction();
    if (articleCount > articleMappingThreshold) {
        // The tolerance reads a value that the forward mapping wrote as the
        // same article despite single-precision rounding.
        position.topArticle = int(f * float(position.limitArticle) + 1e-3f);
        position.topOffset = f >= 1.0f ? position.limitOffset : 0;
    } else {
        const float b = float(position.limitArticle + 1) * f;
        position.topArticle = std::min(position.limitArticle, f < 1.0f ? int(b) : int(b - 1.0f));
        const int k = position.topArticle == position.limitArticle ? position.limitOffset
                                                                   : height(position.topArticle);
        position.topOffset = int((b - float(position.topArticle)) * float(k));
    }
    position.topArticle = std::clamp(position.topArticle, 0, articleCount - 1);
    position.topHeight = height(position.topArticle);
    return position;
}

} // namespace ArticleEngine::Controller
