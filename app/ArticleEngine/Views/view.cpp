// view.cpp: the base view's invalidation and coordinates.
#include "ArticleEngine/Views/view.h"

namespace ArticleEngine {

void View::invalidate()
{
    layoutState = Dirty;
}

QPoint View::absolutePosition() const
{
    QPoint position = rect.topLeft();
    for (const View* up = parent(); up != nullptr; up = up->parent())
        position += up->rect.topLeft();
    return position;
}

} // namespace ArticleEngine
