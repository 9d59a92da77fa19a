// view.h: the base of every view of the article view tree.
//
// A view is a plain value: its rectangle is relative to its parent view
// (inclusive right and bottom: right = left + width - 1), its layout state
// says what the next layout pass must redo. Views are small on purpose:
// an article holds one text item and one fragment view per character.
#pragma once

#include "ArticleEngine/Views/family.h"

#include <QPoint>
#include <QRect>
#include <QSize>

#include <cstdint>

namespace ArticleEngine {

// What a hit on a view means; also the part numbers of article positions.
enum ViewKind : std::int8_t {
    HeaderKind = 0,
    DeleteButtonKind = 1,
    EditButtonKind = 2,
    ExpandButtonKind = 3,
    PronounceButtonKind = 4,
    BodyKind = 5,
    ShowMoreButtonKind = 6,
    NoKind = 7,
};

enum LayoutState : std::uint8_t {
    Dirty = 0,
    ItemLaidOut = 1,
    Placed = 2,
};

class View : public Family<View> {
public:
    virtual void invalidate();

    // The top-left corner in the coordinates of the outermost ancestor.
    QPoint absolutePosition() const;
    QRect absoluteRect() const { return rect.translated(absolutePosition() - rect.topLeft()); }

    // The index within the parent (the paragraph number for a text item).
    int number = -1;
    // The size a button or header asks for; a text item's measured size.
    QSize nominalSize{-1, -1};
    // Laid out, relative to the parent view; null (0, 0, -1, -1) at first.
    QRect rect;
    // The article line the view stands on and its column in that line.
    int line = -1;
    int column = 0;
    std::int8_t kind = NoKind;
    std::uint8_t layoutState = Dirty;
    bool visible = true;
    // Set on a paragraph that lies under a spanning table cell; hit testing
    // and painting skip hidden views.
    bool hidden = false;

protected:
    View() = default;
    View(const View&) = default;
    View& operator=(const View&) = default;
    // Never deleted through the base: views live in typed members and vectors.
    ~View() = default;
};

} // namespace ArticleEngine
