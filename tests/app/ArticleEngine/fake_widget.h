// fake_widget.h: a host widget for controller tests: counts repaints and
// updates, answers a settable focus, owns a scroll bar and records the
// article events and copies it hears, one line each; its clipboard holds
// what a test puts there.
#pragma once

#include "ArticleEngine/External/widget.h"

#include <QScrollBar>
#include <QString>
#include <QStringList>

namespace lexvane::testing {

class FakeWidget final : public ArticleEngine::External::IWidget {
public:
    FakeWidget() { bar.setFixedWidth(15); }

    void copySelection() override { events << QStringLiteral("copy"); }
    QString clipboardText() override { return clipboard; }
    QString clipboardSource() override { return clipboardSourceText; }
    bool hasFocus() override { return focused; }
    void repaint() override { ++repaints; }
    void update() override { ++updates; }
    void onWordPronounced(ArticleEngine::External::IArticleServer&, int article, const QString& word) override
    {
        events << QStringLiteral("pronounce %1 %2").arg(article).arg(word);
    }
    void onWordHitted(ArticleEngine::External::IArticleServer&, int article, const QString& word,
                      int value) override
    {
        events << QStringLiteral("word %1 %2 %3").arg(article).arg(word).arg(value);
    }
    void onLinkHitted(ArticleEngine::External::IArticleServer&, int article, const QString& text,
                      const QString& target) override
    {
        events << QStringLiteral("link %1 %2 %3").arg(article).arg(text, target);
    }
    void onImageHitted(ArticleEngine::External::IArticleServer&, int article, const QString& reference) override
    {
        events << QStringLiteral("image %1 %2").arg(article).arg(reference);
    }
    void onQueryDelete(ArticleEngine::External::IArticleServer&, int article) override
    {
        events << QStringLiteral("delete %1").arg(article);
    }
    void onQueryEdit(ArticleEngine::External::IArticleServer&, int article) override
    {
        events << QStringLiteral("edit %1").arg(article);
    }
    QScrollBar* scrollBar() override { return &bar; }

    // What the clipboard holds as plain text and as article source.
    QString clipboard;
    QString clipboardSourceText;
    bool focused = false;
    int repaints = 0;
    int updates = 0;
    QStringList events;
    QScrollBar bar{Qt::Vertical};
};

} // namespace lexvane::testing
