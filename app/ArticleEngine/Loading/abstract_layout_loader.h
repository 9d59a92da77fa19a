// abstract_layout_loader.h: the base of the layout loaders.
//
// A loader lays out one view: it is made on the stack with the target
// rectangle (in the coordinates of the view's parent), a flag from the
// controller and the view, run once and dropped. It keeps nothing after.
#pragma once

#include <QRect>

namespace ArticleEngine::Loading {

template <class T>
class AbstractLayoutLoader {
public:
    AbstractLayoutLoader(T& view, const QRect& rect, bool flag)
        : m_rect(rect)
        , m_flag(flag)
        , m_view(view)
    {
    }
    virtual ~AbstractLayoutLoader() = default;
    AbstractLayoutLoader(const AbstractLayoutLoader&) = delete;
    AbstractLayoutLoader& operator=(const AbstractLayoutLoader&) = delete;

    virtual void run() { }

protected:
    QRect m_rect;
    // Handed down from the controller: a partial layout (only what fits).
    bool m_flag;
    T& m_view;
};

} // namespace ArticleEngine::Loading
