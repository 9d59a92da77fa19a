// button_placement.h: the header row and the pronounce and show-more
// buttons of an article.
//
// The header row is line 0: the header in column 0, then the edit (1),
// delete (2) and expand/collapse (3) squares at the right edge, from the
// edge inwards expand/collapse, edit, delete. The squares are as high as
// the header, and the header at least as high as the largest icon.
// Rectangles are relative to the article.
#pragma once

#include <QRect>

namespace ArticleEngine {
class ArticleView;
}

namespace ArticleEngine::Loading {

// Places the header row at the top of area and moves area's top below it.
void placeHeaderRow(ArticleView& article, QRect& area);
// The room the pronounce button keeps at the start of the first line; 0
// when it is not shown.
int pronounceIndent(const ArticleView& article);
// Places the pronounce button at the start of the first body line, once
// the first paragraph is placed.
void placePronounceButton(ArticleView& article);
// Places the show-more button under the right end of the last paragraph.
void placeShowMoreButton(ArticleView& article, int lastLine);

} // namespace ArticleEngine::Loading
