// article_base_controller.h: what a host widget drives an article
// controller through (paint, print, layout, scrolling, the scroll bar,
// focus, mouse, wheel and keys), the order in which a controller brings
// itself up to date, and the line, page and wheel arithmetic that the list
// and edit controllers share.
//
// Invariants: every change of content, size or scroll position ends with
// refresh(), which always runs layout, scroll limit, bottom gap, scroll-bar
// sync and layout again in that order. Positive pixel, line and page counts
// scroll towards the beginning. The controller never owns its widget.
#pragma once

#include "ArticleEngine/Controller/scroll_bar_mapping.h"

#include <QColor>
#include <QPainter>
#include <QRect>
#include <QScrollBar>
#include <QWheelEvent>

class QFocusEvent;
class QKeyEvent;
class QMouseEvent;
class QPaintDevice;

namespace ArticleEngine::Controller {

// Position: the scroll position. Converter: how the derived controller
// turns scroll positions into scroll-bar states and back; the base only
// names it for the derived controllers.
template <class IWidget, class Position, class Converter>
class ArticleBaseController {
public:
    using WidgetType = IWidget;
    using PositionType = Position;
    using ConverterType = Converter;

    // Pixels a line scrolls when the controller knows no line height.
    static constexpr int fallbackLineHeight = 12;
    // Angle delta of one wheel notch, and the lines one notch scrolls.
    static constexpr int wheelNotch = 120;
    static constexpr int linesPerNotch = 3;

    ArticleBaseController() = default;
    virtual ~ArticleBaseController() = default;
    ArticleBaseController(const ArticleBaseController&) = delete;
    ArticleBaseController& operator=(const ArticleBaseController&) = delete;

    // The host sets its adapter once, right after building it.
    void setWidget(IWidget* widget) { m_widget = widget; }
    IWidget* widget() const { return m_widget; }

    const QRect& viewport() const { return m_viewport; }
    const Position& scrollPosition() const { return m_position; }

    // Slots in the order the hosts know them.
    virtual int lineHeight() = 0;
    virtual int visibleLines() = 0;
    virtual void paint(const QRect& rect, QPainter* painter) { painter->fillRect(rect, QColor(51, 51, 51)); }
    virtual void print(QPaintDevice*) {}
    virtual void scrollPositionAboutToChange(const Position&) {}
    virtual void layout() {}
    // Positive pixels towards the beginning.
    virtual void scrollBy(int) {}
    virtual void syncScrollBar() {}
    virtual void syncFromScrollBar() {}
    virtual void updateScrollLimit() {}
    virtual void fixBottomGap() {}
    virtual void clear() {}
    virtual bool focusEvent(QFocusEvent*)
    {
        if (m_widget != nullptr)
            m_widget->update();
        return true;
    }
    virtual bool mouseEvent(QMouseEvent*) { return false; }
    virtual bool wheelEvent(QWheelEvent* event)
    {
        wheel(event->angleDelta().y());
        return true;
    }
    virtual bool keyEvent(QKeyEvent*) { return false; }
    // The bar's value changed (the host passes it on).
    virtual bool scrollBarEvent(int) { return false; }

    void refresh()
    {
        layout();
        updateScrollLimit();
        fixBottomGap();
        syncScrollBar();
        layout();
    }

    void setViewport(const QRect& rect)
    {
        m_viewport = rect;
        refresh();
    }

    void scrollPixels(int n)
    {
        if (n == 0)
            return;
        scrollBy(n);
        layout();
        syncScrollBar();
    }

    void scrollLines(int n)
    {
        const int height = lineHeight();
        scrollPixels(n * (height > 0 ? height : fallbackLineHeight));
        refresh();
    }

    void scrollPages(int n)
    {
        scrollPixels(n * clientRect().height());
        refresh();
    }

    // Wheels and touchpads that send less than a notch at a time scroll
    // too: the part of a line not yet scrolled is kept for the next event
    // in the same direction (docs/behaviour/article-controller.md).
    void wheel(int angleDelta)
    {
        if ((angleDelta > 0 && m_wheelRemainder < 0) || (angleDelta < 0 && m_wheelRemainder > 0))
            m_wheelRemainder = 0;
        const long long total = (long long)m_wheelRemainder + angleDelta;
        const long long lines = total * linesPerNotch / wheelNotch;
        m_wheelRemainder = int(total - lines * wheelNotch / linesPerNotch);
        scrollLines(int(lines));
    }

    // The viewport less the one-pixel gap at the right and the scroll bar
    // while it shows.
    QRect clientRect() const
    {
        const QScrollBar* bar = m_widget != nullptr ? m_widget->scrollBar() : nullptr;
        // Not isVisible(): that stays false while the host is not shown yet.
        const bool visible = bar != nullptr && !bar->isHidden();
        return Controller::clientRect(m_viewport, visible, visible ? bar->width() : 0);
    }

protected:
    Position& position() { return m_position; }
    void storePosition(const Position& position) { m_position = position; }

private:
    QRect m_viewport;
    Position m_position{};
    IWidget* m_widget = nullptr;
    int m_wheelRemainder = 0;
};

} // namespace ArticleEngine::Controller
