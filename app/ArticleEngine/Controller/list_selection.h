// list_selection.h: the caret and selection of the list (the five stored
// positions) and the shapes that paint them: the selection region and the
// caret box.
//
// Invariant: selectionStart <= selectionEnd, both between anchor and
// movingEnd, and caret == movingEnd. Selecting is not a mode: the selection
// is always [selectionStart, selectionEnd], empty when they are equal.
#pragma once

#include "ArticleEngine/Controller/article_list_position.h"

#include <QRect>
#include <QVector>

namespace ArticleEngine::Controller {

class ListNavigation;

struct CaretRecord {
    ArticleListPosition caret;
    ArticleListPosition selectionStart;
    ArticleListPosition selectionEnd;
    ArticleListPosition anchor;
    ArticleListPosition movingEnd;

    // All five become the position.
    void reset(const ArticleListPosition& p)
    {
        caret = selectionStart = selectionEnd = anchor = movingEnd = p;
    }
    // The moving end goes to the position; the anchor stays.
    void extend(const ArticleListPosition& p)
    {
        movingEnd = p;
        caret = movingEnd;
        selectionStart = smaller(anchor, movingEnd);
        selectionEnd = larger(anchor, movingEnd);
    }
};

// The rectangles of the selection [start, end] clamped to [firstVisible,
// lastVisible], in the list's coordinates: the words at both ends whole and
// every stop between, rows of touching rectangles joined. Empty when the
// clamped range is empty or an end is none.
QVector<QRect> selectionRegion(const ListNavigation& navigation, ArticleListPosition start,
                               ArticleListPosition end, const ArticleListPosition& firstVisible,
                               const ArticleListPosition& lastVisible);

} // namespace ArticleEngine::Controller
