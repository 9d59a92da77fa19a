// article_list_position.h: a place in the list of articles: the article,
// the part of it (header, a button, the body) and, in the body, the
// character.
//
// Positions order by article, then part, then offset. A position is
// nowhere when it names no article, no part, or the body without a
// character.
#pragma once

#include "ArticleEngine/Views/view.h"

#include <algorithm>
#include <compare>
#include <optional>

namespace ArticleEngine::Controller {

struct ArticleListPosition {
    int article = -1;
    int kind = NoKind;
    int offset = -1;

    bool isNowhere() const { return article == -1 || kind == NoKind || (kind == BodyKind && offset == -1); }
    auto operator<=>(const ArticleListPosition&) const = default;
};

// The header of article 0; none for an empty list.
inline std::optional<ArticleListPosition> firstPosition(int articleCount)
{
    if (articleCount <= 0)
        return std::nullopt;
    return ArticleListPosition{0, HeaderKind, -1};
}

inline ArticleListPosition smaller(const ArticleListPosition& a, const ArticleListPosition& b)
{
    return std::min(a, b);
}

inline ArticleListPosition larger(const ArticleListPosition& a, const ArticleListPosition& b)
{
    return std::max(a, b);
}

} // namespace ArticleEngine::Controller
