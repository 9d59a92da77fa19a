// article_edit.h: the widget in which the user writes an article of a user
// dictionary.
//
// It hosts one edit controller, hands it every key, mouse, wheel, focus,
// paint, resize and scroll-bar event, and after each runs the controller's
// full refresh, so that an edit that changes the article's height reaches
// the scroll bar at once. Keys are taken before focus handling and before
// the shortcuts of the dialog around it: Tab indents instead of moving the
// focus, and the editing keys (copy, paste, undo ...) act in the editor
// even when the dialog has shortcuts of its own on them
// (docs/behaviour/article-editing.md, "The edit widget").
//
// Text composed by an input method (dead keys, compose sequences, the input
// methods of Chinese or Japanese) is typed when it is committed.
//
// Invariants: the blink timer runs exactly while the widget is shown with
// blinking on; the scroll bar stands along the right edge over the full
// height.
#pragma once

#include "ArticleEngine/Controller/article_edit_controller.h"
#include "ArticleEngine/External/default_char_analyzer.h"
#include "ArticleEngine/External/default_style_server.h"
#include "ArticleEngine/Private/article_edit_widget.h"

#include <QString>
#include <QWidget>

class QColor;
class QScrollBar;

namespace ArticleEngine::External {
class ICharAnalyzer;
class IStyleServer;
}

class ArticleEdit : public QWidget {
    Q_OBJECT

public:
    static constexpr int defaultBlinkInterval = 400;

    explicit ArticleEdit(QWidget* parent = nullptr);
    ~ArticleEdit() override;

    // A null server or analyser stands for the widget's built-in default.
    void init(ArticleEngine::External::IStyleServer* styles = nullptr,
              ArticleEngine::External::ICharAnalyzer* analyzer = nullptr);
    // An empty source loads one empty run of style 1.
    void setSource(const QString& source);
    bool source(QString& out);
    // The source differs from the one last loaded, or cannot be read.
    bool isModified();

    void applyStyle(int style);
    // Line feed or carriage return: new paragraph; tab: indent; code 8:
    // backspace; anything else is typed.
    void typeChar(QChar c);
    void setAutoStyle(int situation, int style, int level);
    // The colour of the caret mark.
    void setSelectionBorderColor(const QColor& color);
    void updateView();
    QScrollBar* scrollBar() const { return m_scrollBar; }

    void setBlinking(bool on);
    bool isBlinking() const;
    // A negative interval counts as 0.
    void setBlinkInterval(int milliseconds);
    int blinkInterval() const { return m_blinkInterval; }
    bool blinkTimerRunning() const { return m_blinkTimer != 0; }

    ArticleEngine::Controller::ArticleEditController& controller() { return m_controller; }

public slots:
    void onScroll(int value);

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void timerEvent(QTimerEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void restartBlinking();
    void stopBlinking();
    // After every event: the controller's full refresh, then a repaint.
    void refreshAndUpdate();
    // Every mouse event goes to the controller the same way.
    void routeMouse(QMouseEvent* event);
    static bool isEditingKey(const QKeyEvent& event);

    int m_blinkTimer = 0;
    int m_blinkInterval = defaultBlinkInterval;
    // A child: the widget deletes it.
    QScrollBar* m_scrollBar = nullptr;
    // Used when the host gives no servers of its own. Declared before the
    // controller, whose views share the default style's font: they go
    // after it.
    ArticleEngine::External::Default::StyleServer m_defaultStyles;
    ArticleEngine::External::Default::CharAnalyzer m_defaultAnalyzer;
    ArticleEngine::Controller::ArticleEditController m_controller;
    ArticleEngine::Private::ArticleEditWidget m_adapter{*this};
};
