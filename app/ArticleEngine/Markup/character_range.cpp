// character_range.cpp: look-up of the string that covers a character.
#include "ArticleEngine/Markup/character_range.h"

#include <limits>

namespace ArticleEngine {

QString stringAt(const RangeStringMap& map, int position)
{
    // Ranges do not overlap, so only the last one starting at or before the
    // position can hold it.
    auto it = map.upper_bound({position, std::numeric_limits<int>::max()});
    if (it == map.begin())
        return QString();
    --it;
    return it->first.contains(position) ? it->second : QString();
}

} // namespace ArticleEngine
