// list_selection.cpp: the selection region of the list.
#include "ArticleEngine/Controller/list_selection.h"

#include "ArticleEngine/Controller/list_navigation.h"

namespace ArticleEngine::Controller {

namespace {

// Per-character items would leave a seam of overlapping alpha between
// neighbours: a rectangle that continues the last one's row is merged.
void append(QVector<QRect>& region, const QRect& rect)
{
    if (rect.isNull() || rect.isEmpty())
        return;
    if (!region.isEmpty()) {
        QRect& last = region.back();
        if (last.top() == rect.top() && last.bottom() == rect.bottom() && last.right() + 1 >= rect.left()
            && rect.right() + 1 >= last.left()) {
            last |= rect;
            return;
        }
    }
    region.append(rect);
}

} // namespace

QVector<QRect> selectionRegion(const ListNavigation& navigation, ArticleListPosition start,
                               ArticleListPosition end, const ArticleListPosition& firstVisible,
                               const ArticleListPosition& lastVisible)
{
    QVector<QRect> region;
    if (firstVisible.isNowhere() || lastVisible.isNowhere())
        return region;
    start = larger(start, firstVisible);
    end = smaller(end, lastVisible);
    if (start.isNowhere() || end.isNowhere() || end < start)
        return region;
    // The word at the start counts whole, and so does the word at the end:
    // the caret stands on words, and what it stands on is selected.
    append(region, navigation.stopRect(navigation.wordStart(start)));
    OptionalPosition stop = start;
    while ((stop = navigation.nextPosition(*stop)) && *stop <= end)
        append(region, navigation.stopRect(*stop));
    if (end.kind == BodyKind)
        append(region, navigation.stopRect(navigation.wordStart(end)));
    return region;
}

} // namespace ArticleEngine::Controller
