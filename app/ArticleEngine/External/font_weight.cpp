// font_weight.cpp: the weight scales' anchor table and the interpolation
// between its rows.
#include "ArticleEngine/External/font_weight.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace ArticleEngine::External {

namespace {

struct Anchor {
    int legacy;
    int toolkit;
};

// The toolkit's named weights and where they stand on the 0-99 scale. Black
// sits at the top of the scale so that style sheets (weight x 8.08 + 100)
// write it as 900.
constexpr std::array<Anchor, 9> anchors{{
    {0, QFont::Thin},
    {12, QFont::ExtraLight},
    {25, QFont::Light},
    {50, QFont::Normal},
    {57, QFont::Medium},
    {63, QFont::DemiBold},
    {75, QFont::Bold},
    {81, QFont::ExtraBold},
    {99, QFont::Black},
}};

} // namespace

QFont::Weight toToolkitWeight(int legacyWeight)
{
    const int legacy = std::clamp(legacyWeight, 0, 99);
    for (std::size_t i = 1; i < anchors.size(); ++i) {
        const Anchor& low = anchors[i - 1];
        const Anchor& high = anchors[i];
        if (legacy > high.legacy)
            continue;
        const double share = double(legacy - low.legacy) / double(high.legacy - low.legacy);
        return QFont::Weight(std::lround(low.toolkit + share * (high.toolkit - low.toolkit)));
    }
    return QFont::Black;
}

int toLegacyWeight(int toolkitWeight)
{
    const int toolkit = std::clamp(toolkitWeight, 1, 1000);
    if (toolkit <= anchors.front().toolkit)
        return 0;
    if (toolkit >= anchors.back().toolkit)
        return 99;
    for (std::size_t i = 1; i < anchors.size(); ++i) {
        const Anchor& low = anchors[i - 1];
        const Anchor& high = anchors[i];
        if (toolkit > high.toolkit)
            continue;
        const double share = double(toolkit - low.toolkit) / double(high.toolkit - low.toolkit);
        return int(std::lround(low.legacy + share * (high.legacy - low.legacy)));
    }
    return 99;
}

} // namespace ArticleEngine::External
