// article_edit_position.h: a place in the one article that the editor
// holds, and the range builders that copy from it take: the article's
// start (the header), a character of the body, or nowhere.
//
// Positions order by article, then kind, then offset, like the list's.
#pragma once

#include "ArticleEngine/Views/view.h"

#include <compare>

namespace ArticleEngine {

struct ArticleEditPosition {
    int article = -1;
    int kind = NoKind;
    int offset = -1;

    static ArticleEditPosition articleStart(int article = 0) { return {article, HeaderKind, -1}; }
    static ArticleEditPosition body(int offset, int article = 0) { return {article, BodyKind, offset}; }

    bool isNowhere() const { return article == -1 || kind == NoKind || (kind == BodyKind && offset == -1); }
    auto operator<=>(const ArticleEditPosition&) const = default;
};

} // namespace ArticleEngine
