// bench_widget.h: the host widget of the controller benchmarks: focused,
// with a scroll bar, and deaf to every article event.
#pragma once

#include "ArticleEngine/External/widget.h"

#include <QScrollBar>
#include <QString>

namespace lexvane::bench {

class BenchWidget final : public ArticleEngine::External::IWidget {
public:
    using Server = ArticleEngine::External::IArticleServer;

    void copySelection() override {}
    QString clipboardText() override { return {}; }
    QString clipboardSource() override { return {}; }
    bool hasFocus() override { return true; }
    void repaint() override {}
    void update() override {}
    void onWordPronounced(Server&, int, const QString&) override {}
    void onWordHitted(Server&, int, const QString&, int) override {}
    void onLinkHitted(Server&, int, const QString&, const QString&) override {}
    void onImageHitted(Server&, int, const QString&) override {}
    void onQueryDelete(Server&, int) override {}
    void onQueryEdit(Server&, int) override {}
    QScrollBar* scrollBar() override { return &bar; }

    QScrollBar bar{Qt::Vertical};
};

} // namespace lexvane::bench
