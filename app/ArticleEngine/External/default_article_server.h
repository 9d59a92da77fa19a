// default_article_server.h: the article server a widget uses when its host
// gives none: it serves no articles.
#pragma once

#include "ArticleEngine/External/article_server.h"

namespace ArticleEngine::External::Default {

class ArticleServer final : public IArticleServer {
public:
    int count() const override { return 0; }
    bool isValid(int) const override { return false; }
    bool articleText(const ArticleRequest&, ArticleRecord&) override { return false; }
};

} // namespace ArticleEngine::External::Default
