// article_list_widget.h: the list controller's way back to its ArticleList:
// focus, repaints, the scroll bar, the copy, and the article events that
// the widget turns into its signals.
//
// The list never pastes, so it has no clipboard to read: both clipboard
// reads answer empty.
#pragma once

#include "ArticleEngine/External/widget.h"

class ArticleList;

namespace ArticleEngine::Private {

class ArticleListWidget final : public External::IWidget {
public:
    // The widget holds its adapter and outlives it.
    explicit ArticleListWidget(ArticleList& list)
        : m_list(list)
    {
    }

    void copySelection() override;
    QString clipboardText() override;
    QString clipboardSource() override;
    bool hasFocus() override;
    void repaint() override;
    void update() override;

    void onWordPronounced(External::IArticleServer& server, int article, const QString& word) override;
    void onWordHitted(External::IArticleServer& server, int article, const QString& word, int value) override;
    void onLinkHitted(External::IArticleServer& server, int article, const QString& text,
                      const QString& target) override;
    void onImageHitted(External::IArticleServer& server, int article, const QString& reference) override;
    void onQueryDelete(External::IArticleServer& server, int article) override;
    void onQueryEdit(External::IArticleServer& server, int article) override;

    QScrollBar* scrollBar() override;

private:
    ArticleList& m_list;
};

} // namespace ArticleEngine::Private
