// text_finder.h: finds a search text in the plain text of an article.
#pragma once

#include <QString>

#include <utility>
#include <vector>

namespace ArticleEngine::External {

class ITextFinder {
public:
    virtual ~ITextFinder() = default;

    // Clears out and fills it with the (start, end) character ranges of the
    // matches, end exclusive, ascending and not overlapping.
    virtual void find(const QString& articleText, std::vector<std::pair<int, int>>& out) const = 0;
    // The search text as it was given.
    virtual QString text() const = 0;
};

} // namespace ArticleEngine::External
