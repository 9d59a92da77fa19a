// paint_context.h: what every painter of the view tree receives, and the
// guard that puts the painter and the clip back when a painter is done.
//
// The clip rectangle is kept in the painter's current coordinates: each
// level of the tree translates the painter once to its own corner and the
// clip by the opposite amount, so that views test their own relative
// rectangles against it. Invariant: a guard restores both the painter's
// state and the clip it found, in that order, whatever happened between.
#pragma once

#include <QPoint>
#include <QRect>

class QPainter;

namespace ArticleEngine {

struct PaintContext {
    QPainter* painter = nullptr;
    bool hasClip = false;
    // Inclusive edges, in the painter's current coordinates.
    QRect clip;

    // Without a clip every rectangle meets it; an empty clip meets nothing
    // (QRect::intersects would normalise it first).
    bool meets(const QRect& rect) const { return !hasClip || (!clip.isEmpty() && clip.intersects(rect)); }
    // Moves the origin to point: the painter by it, the clip the other way.
    void translate(const QPoint& point);
};

class PainterStateGuard {
public:
    explicit PainterStateGuard(PaintContext& context);
    ~PainterStateGuard();
    PainterStateGuard(const PainterStateGuard&) = delete;
    PainterStateGuard& operator=(const PainterStateGuard&) = delete;

private:
    PaintContext& m_context;
    bool m_hasClip;
    QRect m_clip;
};

} // namespace ArticleEngine
