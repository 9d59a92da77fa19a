// fragment_metrics.cpp: combining measures and the vertical shift.
#include "ArticleEngine/Views/fragment_metrics.h"

#include <algorithm>

namespace ArticleEngine {

void FragmentMetrics::combine(const FragmentMetrics& other)
{
    width += other.width;
    raise = std::max(raise, other.raise);
    lower = std::max(lower, other.lower);
    ascent = std::max(ascent, other.ascent);
    descent = std::max(descent, other.descent);
    leading = std::max(leading, other.leading);
}

int verticalShift(int fontHeight)
{
    // 0.45f widened to double is 0.449999988079071: 12 gives 5, 20 gives 8.
    return int(double(fontHeight) * double(0.45f));
}

} // namespace ArticleEngine
