// view_painter.h: the painters of the view tree: article, header, buttons,
// paragraphs, fragments, the cursor view and highlighted ranges.
//
// Painting reads the tree only; nothing is measured or laid out here. Each
// painter first tests visibility and the clip, then translates the painter
// once to its own corner, so that children paint in their own relative
// coordinates. Every painter leaves the painter and the context as it
// found them (PainterStateGuard).
#pragma once

#include "ArticleEngine/Markup/character_range.h"
#include "ArticleEngine/Views/paint_context.h"

#include <QColor>

#include <span>

class QString;

namespace ArticleEngine {

class ArticleView;
class ArticleHeaderView;
class CheckButtonView;
class CursorView;
class ParagraphView;
class PushButtonView;
class TextItemFragmentView;
class TextItemView;
class View;

// The article at its own rectangle, in the coordinates of its parent (the
// controller's document).
void paintArticle(PaintContext& context, const ArticleView& article);
// The rest take the coordinates of their parent view, already translated.
void paintHeader(PaintContext& context, const ArticleHeaderView& header);
void paintButton(PaintContext& context, const PushButtonView& button);
void paintButton(PaintContext& context, const CheckButtonView& button);
void paintParagraph(PaintContext& context, const ParagraphView& paragraph, const QString& text);

enum class FragmentPaintMode {
    // Inside an item already translated and clipped by its painter.
    InItem = 0,
    // On its own, with its own visibility test and state guard.
    Standalone = 1,
};
// Any other mode writes a debug line and paints nothing.
void paintFragment(PaintContext& context, const TextItemFragmentView& fragment, const QString& text,
                   int mode);

// The selection fill and the marks, in the controller's coordinates.
void paintCursor(PaintContext& context, const CursorView& cursor);
// Fills every visible item that holds a character of each range, in the
// article's parent's coordinates; nothing while the article is collapsed.
void paintHighlights(PaintContext& context, const ArticleView& article,
                     std::span<const CharacterRange> ranges, const QColor& color);

} // namespace ArticleEngine
