// fake_widget.h: a host widget for controller tests: counts repaints and
// updates, answers a settable focus, owns a scroll bar and records the
// article events it hears.
#pragma once

#include "ArticleEngine/External/widget.h"

#include <QScrollBar>
#include <QString>
#include <QStringList>

namespace lexvane::testing {

class FakeWidget final : public ArticleEngine::External::IWidget {
public:
    FakeWidget() { bar.setFixedWidth(15); }

    void copySelection() override {}
    QString clipboardText() override { return {}; }
    QString clipboardSource() override { return {}; }
    bool hasFocus() override { return focused; }
    void repaint() override { ++repaints; }
    void update() override { ++updates; }
    void onWordPronounced(ArticleEngine::External::IArticleServer&, int article, const QString& word) override
    {
        events << QStringLiteral("pronounce %1 %2").arg(article).arg(word);
    }
    void onWordHitted(ArticleEngine::External::IArticleServer&, int, const QString&, int) override {}
    void onLinkHitted(ArticleEngine::External::IArticleServer&, int, const QString&, const QString&) override {}
    void onImageHitted(ArticleEngine::External::IArticleServer&, int, const QString&) override {}
    void onQueryDelete(ArticleEngine::External::IArticleServer&, int) override {}
    void onQueryEdit(ArticleEngine::External::IArticleServer&, int) override {}
    QScrollBar* scrollBar() override { return &bar; }

    bool focused = false;
    int repaints = 0;
    int updates = 0;
    QStringList events;
    QScrollBar bar{Qt::Vertical};
};

} // namespace lexvane::testing
