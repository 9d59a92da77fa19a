// article_list.h: the widget that shows a list of articles, read-only.
//
// It hosts one list controller, hands it every paint, key, mouse, wheel,
// focus, resize and scroll-bar event and runs the controller's refresh
// after each; what the controller reports through its IWidget adapter
// comes out as the signals below. Until init() gets real servers it shows
// nothing, through built-in defaults. The servers are not owned and must
// outlive their use by the widget.
//
// Invariants: the scroll bar stands along the right edge over the full
// height; the controller's viewport is the whole widget (the controller
// takes the scroll bar's strip off itself).
#pragma once

#include "ArticleEngine/Controller/article_list_controller.h"
#include "ArticleEngine/External/default_article_server.h"
#include "ArticleEngine/External/default_char_analyzer.h"
#include "ArticleEngine/External/default_style_server.h"
#include "ArticleEngine/External/default_text_finder.h"
#include "ArticleEngine/Private/article_list_widget.h"

#include <QIcon>
#include <QPixmap>
#include <QString>
#include <QWidget>

class QKeyEvent;
class QPrinter;
class QScrollBar;

namespace ArticleEngine::External {
class IArticleServer;
class ICharAnalyzer;
class IStyleServer;
}

namespace ArticleEngine::Controller {
struct ClipboardForms;
}

class ArticleList : public QWidget {
    Q_OBJECT

public:
    explicit ArticleList(QWidget* parent = nullptr);
    ~ArticleList() override;

    // A null argument stands for the built-in default; restarts the list.
    void init(ArticleEngine::External::IStyleServer* styles, ArticleEngine::External::ICharAnalyzer* analyzer,
              ArticleEngine::External::IArticleServer* articles);
    void reload();

    // The articles' font (not the widget's own).
    void setFont(const QFont& font);
    // The header's highlight with and without the focus.
    void setHighlightColors(const QColor& focused, const QColor& unfocused);
    void setMarkColor(const QColor& color);
    void setMatchColor(const QColor& color);
    // In the order delete, edit, pronounce, expand, collapse, show more.
    void setActionIcons(const QIcon& remove, const QIcon& edit, const QIcon& pronounce, const QIcon& expand,
                        const QIcon& collapse, const QIcon& showMore);
    void setActionIcons(const QPixmap& remove, const QPixmap& edit, const QPixmap& pronounce,
                        const QPixmap& expand, const QPixmap& collapse, const QPixmap& showMore);
    void setActionToolTips(const QString& remove, const QString& edit, const QString& pronounce,
                           const QString& expand, const QString& collapse, const QString& showMore);

    // Find in the articles: true when a match was selected. A search that
    // finds nothing, and any step after the last match without wrap, ends
    // the find.
    bool find(const QString& text);
    bool findNext(bool wrap);
    bool findPrevious(bool wrap);
    void clearFind();
    bool isFindActive() const;
    // Empty while no find is active.
    QString findText() const;

    void print(QPrinter* printer);
    QScrollBar* scrollBar() const { return m_scroller; }

    // The selection's three clipboard forms (docs/behaviour/article-export.md).
    QString selectedText();
    QString selectedHtml();
    QString selectedSource();
    // Puts the three forms on the clipboard (the Copy key).
    void copySelection();

    // Puts the caret on the first text item of the article named name;
    // false, and nothing changes, when there is none.
    bool locate(int article, const QString& name);

    // The tool tip of the part under a point: the button's text; empty
    // elsewhere.
    QString toolTipAt(QPoint point);

    ArticleEngine::Controller::ArticleListController& controller() { return m_controller; }

signals:
    void resized(QWidget* widget);
    void keyPressed(QWidget* widget, QKeyEvent* event);
    void wordPronounced(ArticleEngine::External::IArticleServer& server, int article, QString word);
    void linkHitted(ArticleEngine::External::IArticleServer& server, int article, QString text, QString target);
    void imageHitted(ArticleEngine::External::IArticleServer& server, int article, QString reference);
    void wordHitted(ArticleEngine::External::IArticleServer& server, int article, QString word, int value);
    void queryDelete(ArticleEngine::External::IArticleServer& server, int article);
    void queryEdit(ArticleEngine::External::IArticleServer& server, int article);

public slots:
    void onScroll(int value);
    void onScrollerActionTriggered(int action);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    // The three forms of the selection, article by article.
    ArticleEngine::Controller::ClipboardForms selectionForms();
    // Runs the controller's refresh and asks for a repaint.
    void refreshAndUpdate();
    // Press, release, double click and move go to the controller's one
    // mouse slot; focus in and out to its focus slot.
    void routeMouse(QMouseEvent* event);
    void routeFocus(QFocusEvent* event);
    bool firstMatch();
    bool afterFind(bool found);

    QScrollBar* m_scroller = nullptr;
    // The last scroll-bar action was a single step (towards the beginning).
    bool m_lineStepping = false;
    bool m_steppedBack = false;
    // Declared before the controller, so that they outlive the articles it
    // built from them.
    ArticleEngine::External::Default::ArticleServer m_defaultArticleServer;
    ArticleEngine::External::Default::CharAnalyzer m_defaultCharAnalyzer;
    ArticleEngine::External::Default::StyleServer m_defaultStyleServer;
    ArticleEngine::External::Default::TextFinder m_textFinder{QString()};
    // The style server in use: the copied source's style sheet asks it.
    ArticleEngine::External::IStyleServer* m_styles = nullptr;
    ArticleEngine::Controller::ArticleListController m_controller{80, 3};
    ArticleEngine::Private::ArticleListWidget m_adapter{*this};
};
