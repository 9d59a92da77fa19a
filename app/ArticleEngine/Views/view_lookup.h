// view_lookup.h: finding views of an article by height, by x and by
// character, shared by painting, hit testing and the controllers.
//
// Paragraph tops never decrease in article order (rows share a top, a table
// row begins below what stands above it) and within a paragraph the items'
// tops and bottoms never decrease (an item is as high as its line), so the
// look-ups by height search instead of walking every view. Every look-up
// answers -1 (or an empty result) rather than failing.
#pragma once

#include "ArticleEngine/Views/article_view.h"

#include <QRect>
#include <QString>

#include <span>

namespace ArticleEngine {

// The view and every ancestor are visible and not hidden.
bool isShown(const View& view);
// The view and every ancestor have a non-zero layout state.
bool isLaidOut(const View& view);

// The first paragraph that may reach down to y or below (its bottom is at y
// or lower, or it stands at or after y); every paragraph before it ends
// above y. Spanning table cells and row neighbours are included, so the
// answer may be a little early, never late. Coordinates are the article's.
int firstParagraphReaching(const ArticleView& article, int y);
// The first paragraph whose top lies below y; paragraphs.size() when none.
int firstParagraphBelow(const ArticleView& article, int y);
// The same for the items of a paragraph, in the paragraph's coordinates.
int firstItemReaching(const ParagraphView& paragraph, int y);
int firstItemBelow(const ParagraphView& paragraph, int y);

// The line of the paragraph at y (relative to the paragraph; lines begin at
// its top margin): the first whose running height exceeds y; line 0 above
// the first, the last below the last; -1 without lines.
int lineAt(const ParagraphView& paragraph, int y);
// The item of a line that holds x, scanned from the line's last item so
// that at a shared edge the later item wins; the first item left of the
// line, the last right of it, -1 in a gap or without items. With absolute
// set the items' absolute rectangles are compared, else their rectangles
// relative to the paragraph. Answers the item's index in the paragraph.
int itemAt(const ParagraphView& paragraph, const ParagraphLine& line, int x, bool absolute = false);

// The characters [first, last] of a paragraph's items; (0, 0) without items.
struct InclusiveRange {
    int first = 0;
    int last = 0;
};
InclusiveRange characterRange(const ParagraphView& paragraph);
// [max(a.first, b.first), min(a.last, b.last)], or (0, 0) when empty.
InclusiveRange intersect(InclusiveRange a, InclusiveRange b);
// "first-last" per range ("first-last !" when first is not below last),
// one per line, then an empty line: for debug traces.
QString traceRanges(std::span<const InclusiveRange> ranges);

// The paragraph whose items hold the character; -1 for a negative offset,
// an offset past the text or one that no paragraph's items hold.
// Paragraphs without items hold nothing.
int paragraphOfCharacter(const ArticleView& article, int offset);
// The item of the paragraph whose [start, end) holds the offset; -1 if none.
int itemOfCharacter(const ParagraphView& paragraph, int offset);
// An item's text: its fragments' texts joined; its link and image
// reference: those of its first fragment that has one, else empty.
QString itemText(const TextItemView& item, const QString& articleText);
QString itemLink(const TextItemView& item);
QString itemImage(const TextItemView& item);
// The absolute rectangle of the item's characters [from, to), counted from
// its first character; the whole item's rectangle for its whole range.
QRect characterRect(const TextItemView& item, int from, int to);

} // namespace ArticleEngine
