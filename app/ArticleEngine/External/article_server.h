// article_server.h: where the article engine gets its articles from.
//
// The engine speaks only of article indexes 0 .. count() - 1; the server
// maps them to whatever it serves. Article widgets hand the server back by
// reference with every event, so a server must outlive the articles shown
// from it. The engine never deletes a server.
#pragma once

#include <QString>

#include <vector>

namespace ArticleEngine::External {

struct ArticleRequest {
    int index = -1;
    // Paragraph lines wanted for a preview; 0 or -1 ask for the whole article.
    int lineLimit = -1;
};

struct ArticleRecord {
    // The article markup (docs/behaviour/article-markup.md).
    QString markup;
    QString headword;
    // False when the server cut the article to a preview.
    bool complete = true;
    bool hasSound = false;
    // The article comes from a user dictionary that may be changed: these
    // decide the delete and edit buttons.
    bool canDelete = false;
    bool canEdit = false;
    // Ordinals (from 1, ascending) of the words to mark as full-text hits.
    std::vector<int> hitWords;
};

class IArticleServer {
public:
    virtual ~IArticleServer() = default;

    virtual int count() const = 0;
    virtual bool isValid(int index) const = 0;
    // Fills the record and answers true; false when there is no article.
    virtual bool articleText(const ArticleRequest& request, ArticleRecord& record) = 0;
};

} // namespace ArticleEngine::External
