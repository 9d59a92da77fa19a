// article_edit_widget.h: the edit controller's way back to its ArticleEdit:
// focus, repaints, the scroll bar and the clipboard.
//
// The clipboard is read as the editor needs it: plain text without carriage
// returns, and article source only when the clipboard holds our own source
// format. The article events of the list (hits, pronounce, delete, edit) do
// not happen in an editor and are ignored.
#pragma once

#include "ArticleEngine/External/widget.h"

class ArticleEdit;

namespace ArticleEngine::Private {

class ArticleEditWidget final : public External::IWidget {
public:
    // The widget owns its adapter and outlives it.
    explicit ArticleEditWidget(ArticleEdit& edit)
        : m_edit(edit)
    {
    }

    void copySelection() override;
    QString clipboardText() override;
    QString clipboardSource() override;
    bool hasFocus() override;
    void repaint() override;
    void update() override;

    void onWordPronounced(External::IArticleServer&, int, const QString&) override {}
    void onWordHitted(External::IArticleServer&, int, const QString&, int) override {}
    void onLinkHitted(External::IArticleServer&, int, const QString&, const QString&) override {}
    void onImageHitted(External::IArticleServer&, int, const QString&) override {}
    void onQueryDelete(External::IArticleServer&, int) override {}
    void onQueryEdit(External::IArticleServer&, int) override {}

    QScrollBar* scrollBar() override;

private:
    ArticleEdit& m_edit;
};

} // namespace ArticleEngine::Private
