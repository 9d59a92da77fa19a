// paint_context.cpp: translation of the painting context and its guard.
#include "ArticleEngine/Views/paint_context.h"

#include <QPainter>

namespace ArticleEngine {

void PaintContext::translate(const QPoint& point)
{
    painter->translate(point);
    if (!hasClip)
        return;
    clip.translate(-point);
    // An empty clip stays recognisably empty (width and height -1) under
    // later translations; meets() answers false for it.
    if (clip.isEmpty()) {
        clip.setRight(clip.left() - 2);
        clip.setBottom(clip.top() - 2);
    }
}

PainterStateGuard::PainterStateGuard(PaintContext& context)
    : m_context(context)
    , m_hasClip(context.hasClip)
    , m_clip(context.clip)
{
    m_context.painter->save();
}

PainterStateGuard::~PainterStateGuard()
{
    m_context.painter->restore();
    m_context.hasClip = m_hasClip;
    m_context.clip = m_clip;
}

} // namespace ArticleEngine
