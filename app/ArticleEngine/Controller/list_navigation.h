// list_navigation.h: the stops of the list's caret and the walks between
// them: part by part, word by word, line by line and to the ends.
//
// A stop is a shown part of an article (header, buttons, show-more) or a
// shown text item of its body. The caret moves by word stops: the non-text
// stops and the first word item of every run of word items, so that both
// directions visit the same stops (docs/behaviour/article-controller.md,
// "Caret and selection"). Every walk answers nothing rather than failing;
// positions in articles without a view have no neighbours.
#pragma once

#include "ArticleEngine/Controller/article_list_position.h"

#include <QRect>

#include <optional>
#include <utility>

namespace ArticleEngine {
class ArticleView;
class ParagraphView;
class TextItemView;
}

namespace ArticleEngine::Controller {

// The articles a navigation walks over.
class NavigableList {
public:
    virtual int navigableCount() = 0;
    // The article's view laid out at the list's width (in its place when it
    // is on screen); null for an article without a view.
    virtual const ArticleView* laidOutArticle(int index) = 0;

protected:
    ~NavigableList() = default;
};

using OptionalPosition = std::optional<ArticleListPosition>;

class ListNavigation {
public:
    // The list must outlive the navigation.
    explicit ListNavigation(NavigableList& list)
        : m_list(list)
    {
    }

    OptionalPosition nextPosition(const ArticleListPosition& p) const;
    OptionalPosition previousPosition(const ArticleListPosition& p) const;
    OptionalPosition nextWordStop(const ArticleListPosition& p) const;
    OptionalPosition previousWordStop(const ArticleListPosition& p) const;
    ArticleListPosition lineStart(const ArticleListPosition& p) const;
    ArticleListPosition lineEnd(const ArticleListPosition& p) const;
    OptionalPosition lineBelow(const ArticleListPosition& p, int x) const;
    OptionalPosition lineAbove(const ArticleListPosition& p, int x) const;
    OptionalPosition firstPosition() const;
    // The last word stop of the list (the show-more button of the last
    // article when it shows one).
    OptionalPosition lastPosition() const;
    OptionalPosition lastPositionOf(int article) const;

    // The article line a position stands on; -1 without a view.
    int lineOf(const ArticleListPosition& p) const;
    // Where a stop is drawn, in the list's coordinates: a part's view, or
    // the word at a text position on the row of its item. Null when the
    // position has no shown view.
    QRect stopRect(const ArticleListPosition& p) const;
    // The word stop at or before a text position: the first item of the
    // run of word items that holds it. Other positions stay as they are.
    ArticleListPosition wordStart(const ArticleListPosition& p) const;

private:
    OptionalPosition step(const ArticleListPosition& p, bool forward) const;
    OptionalPosition wordStop(const ArticleListPosition& p, bool forward) const;
    ArticleListPosition lineEdge(const ArticleListPosition& p, bool forward) const;
    OptionalPosition neighbourLine(const ArticleListPosition& p, int x, bool down) const;

    NavigableList& m_list;
};

// Look-ups on one article shared by the navigation, the selection and the
// actions.
namespace Stops {

// The paragraph and item that hold a body offset; nulls when none does.
std::pair<const ParagraphView*, const TextItemView*> itemAt(const ArticleView& article, int offset);
// The offset of the first shown text item after the one at offset (from
// the start for -1); -1 when none.
int nextTextStop(const ArticleView& article, int offset);
// The offset of the last shown text item before the one at offset (from
// the end for -1); -1 when none.
int previousTextStop(const ArticleView& article, int offset);
bool isWordItem(const TextItemView& item);
// The items [first, last] of the run of shown word items of the paragraph
// that holds the item at index; (index, index) when that item is no word.
std::pair<int, int> wordItems(const ParagraphView& paragraph, int index);

} // namespace Stops

} // namespace ArticleEngine::Controller
