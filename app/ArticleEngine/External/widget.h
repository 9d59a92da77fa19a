// widget.h: the article engine's way back to the widget that hosts it.
//
// Controllers never see their widget's class; they ask it for focus,
// clipboard and repaints, and report article events through this interface.
// The list widget turns the events into its signals; the edit widget
// ignores them.
#pragma once

class QScrollBar;
class QString;

namespace ArticleEngine::External {

class IArticleServer;

class IWidget {
public:
    virtual ~IWidget() = default;

    // Puts the controller's selection on the clipboard.
    virtual void copySelection() = 0;
    // The clipboard's plain text without "\r".
    virtual QString clipboardText() = 0;
    // The clipboard's article source.
    virtual QString clipboardSource() = 0;
    virtual bool hasFocus() = 0;
    // Repaints at once.
    virtual void repaint() = 0;
    // Repaints on a later turn of the event loop.
    virtual void update() = 0;

    virtual void onWordPronounced(IArticleServer& server, int article, const QString& word) = 0;
    virtual void onWordHitted(IArticleServer& server, int article, const QString& word, int value) = 0;
    virtual void onLinkHitted(IArticleServer& server, int article, const QString& text,
                              const QString& target) = 0;
    virtual void onImageHitted(IArticleServer& server, int article, const QString& reference) = 0;
    virtual void onQueryDelete(IArticleServer& server, int article) = 0;
    virtual void onQueryEdit(IArticleServer& server, int article) = 0;

    // The host's vertical scroll bar.
    virtual QScrollBar* scrollBar() = 0;
};

} // namespace ArticleEngine::External
