// article_actions.h: hits on an article sent on to the host widget.
//
// Every call first asks the article server whether the index is valid; for
// an invalid one the host hears nothing and the call answers false.
#pragma once

#include <QString>

namespace ArticleEngine::External {
class IArticleServer;
class IWidget;
}

namespace ArticleEngine::Controller {

class ArticleActions {
public:
    // Both must outlive the actions.
    ArticleActions(External::IArticleServer& server, External::IWidget& widget)
        : m_server(server)
        , m_widget(widget)
    {
    }

    bool wordHit(int article, const QString& word, int value);
    bool linkHit(int article, const QString& text, const QString& target);
    bool imageHit(int article, const QString& reference);
    bool queryDelete(int article);
    bool queryEdit(int article);

private:
    External::IArticleServer& m_server;
    External::IWidget& m_widget;
};

} // namespace ArticleEngine::Controller
