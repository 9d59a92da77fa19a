// article_edit.cpp: event routing, caret blinking and the scroll bar of the
// article editor.
#include "ArticleEngine/Private/article_edit.h"

#include <QColor>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QKeySequence>
#include <QMouseEvent>
#include <QPainter>
#include <QPaintEvent>
#include <QScrollBar>
#include <QTimerEvent>
#include <QWheelEvent>

#include <algorithm>
#include <iterator>
#include <memory>

namespace {

// The keys that the editor acts on through the toolkit's standard bindings.
// A dialog's shortcut on one of them must not take it from the editor.
constexpr QKeySequence::StandardKey editingKeys[] = {
    QKeySequence::Undo,
    QKeySequence::Redo,
    QKeySequence::Copy,
    QKeySequence::Cut,
    QKeySequence::Paste,
    QKeySequence::Delete,
    QKeySequence::Backspace,
    QKeySequence::DeleteStartOfWord,
    QKeySequence::DeleteEndOfWord,
    QKeySequence::SelectAll,
    QKeySequence::MoveToPreviousChar,
    QKeySequence::MoveToNextChar,
    QKeySequence::MoveToPreviousWord,
    QKeySequence::MoveToNextWord,
    QKeySequence::MoveToPreviousLine,
    QKeySequence::MoveToNextLine,
    QKeySequence::MoveToPreviousPage,
    QKeySequence::MoveToNextPage,
    QKeySequence::MoveToStartOfLine,
    QKeySequence::MoveToEndOfLine,
    QKeySequence::MoveToStartOfBlock,
    QKeySequence::MoveToEndOfBlock,
    QKeySequence::MoveToStartOfDocument,
    QKeySequence::MoveToEndOfDocument,
    QKeySequence::SelectPreviousChar,
    QKeySequence::SelectNextChar,
    QKeySequence::SelectPreviousWord,
    QKeySequence::SelectNextWord,
    QKeySequence::SelectPreviousLine,
    QKeySequence::SelectNextLine,
    QKeySequence::SelectStartOfLine,
    QKeySequence::SelectEndOfLine,
    QKeySequence::SelectStartOfDocument,
    QKeySequence::SelectEndOfDocument,
};

// The controller gets a copy of each event: what it does to the copy (accept,
// ignore) does not leak into the toolkit's own delivery.
template <class Event>
std::unique_ptr<Event> copyOf(const Event& event)
{
    return std::unique_ptr<Event>(event.clone());
}

} // namespace

ArticleEdit::ArticleEdit(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::MinimumExpanding);
    setCursor(Qt::IBeamCursor);
    setAttribute(Qt::WA_InputMethodEnabled);
    installEventFilter(this);

    m_scrollBar = new QScrollBar(Qt::Vertical, this);
    m_scrollBar->setFocusPolicy(Qt::NoFocus);
    m_scrollBar->setCursor(Qt::ArrowCursor);
    m_scrollBar->setContextMenuPolicy(Qt::NoContextMenu);
    m_scrollBar->setRange(0, 255);
    m_scrollBar->setObjectName(QStringLiteral("scroller"));
    m_scrollBar->adjustSize();
    connect(m_scrollBar, &QScrollBar::valueChanged, this, &ArticleEdit::onScroll);

    m_controller.setWidget(&m_adapter);

    init();
    setSource(QString());
    m_blinkInterval = defaultBlinkInterval;
    setBlinking(true);
    // Text typed into an empty article starts the headword line (style 4,
    // level 1); the article's second paragraph is its first sense (style 3,
    // level 2).
    setAutoStyle(0, 4, 1);
    setAutoStyle(1, 3, 2);
}

ArticleEdit::~ArticleEdit()
{
    stopBlinking();
}

void ArticleEdit::init(ArticleEngine::External::IStyleServer* styles,
                       ArticleEngine::External::ICharAnalyzer* analyzer)
{
    m_controller.init(styles != nullptr ? styles : &m_defaultStyles,
                      analyzer != nullptr ? analyzer : &m_defaultAnalyzer);
    refreshAndUpdate();
}

void ArticleEdit::setSource(const QString& source)
{
    m_controller.setSource(source);
    refreshAndUpdate();
}

bool ArticleEdit::source(QString& out)
{
    return m_controller.source(out);
}

bool ArticleEdit::isModified()
{
    QString current;
    if (!m_controller.source(current))
        return true;
    return current != m_controller.loadedSource();
}

void ArticleEdit::applyStyle(int style)
{
    m_controller.applyStyle(style);
    refreshAndUpdate();
}

void ArticleEdit::typeChar(QChar c)
{
    m_controller.typeChar(c);
    refreshAndUpdate();
}

void ArticleEdit::setAutoStyle(int situation, int style, int level)
{
    m_controller.setAutoStyle(situation, style, level);
}

void ArticleEdit::setSelectionBorderColor(const QColor& color)
{
    m_controller.caretColor = color;
    update();
}

void ArticleEdit::updateView()
{
    update();
}

void ArticleEdit::setBlinking(bool on)
{
    m_controller.caretBlinking = on;
    restartBlinking();
    update();
}

bool ArticleEdit::isBlinking() const
{
    return m_controller.caretBlinking;
}

void ArticleEdit::setBlinkInterval(int milliseconds)
{
    m_blinkInterval = std::max(0, milliseconds);
    restartBlinking();
}

void ArticleEdit::restartBlinking()
{
    stopBlinking();
    m_controller.blinkPhase = true;
    // A hidden widget blinks from its next show on.
    if (m_controller.caretBlinking && isVisible())
        m_blinkTimer = startTimer(m_blinkInterval);
}

void ArticleEdit::stopBlinking()
{
    if (m_blinkTimer != 0)
        killTimer(m_blinkTimer);
    m_blinkTimer = 0;
}

void ArticleEdit::refreshAndUpdate()
{
    m_controller.refresh();
    update();
}

void ArticleEdit::onScroll(int)
{
    m_controller.scrollBarEvent(m_scrollBar->value());
    refreshAndUpdate();
}

bool ArticleEdit::isEditingKey(const QKeyEvent& event)
{
    if (std::any_of(std::begin(editingKeys), std::end(editingKeys),
                    [&event](QKeySequence::StandardKey key) { return event.matches(key); }))
        return true;
    switch (event.key()) {
    case Qt::Key_Backspace:
    case Qt::Key_Delete:
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
        return true;
    default:
        break;
    }
    // Typed text, but not Alt with a letter: that stays the dialog's mnemonic.
    const QString text = event.text();
    return !text.isEmpty() && text.at(0).isPrint()
        && !(event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier));
}

bool ArticleEdit::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride && isEditingKey(*static_cast<QKeyEvent*>(event))) {
        event->accept();
        return true;
    }
    return QWidget::event(event);
}

bool ArticleEdit::eventFilter(QObject* watched, QEvent* event)
{
    // Before QWidget::event, which would spend Tab and Backtab on moving
    // the focus.
    if (watched == this && event->type() == QEvent::KeyPress) {
        keyPressEvent(static_cast<QKeyEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void ArticleEdit::keyPressEvent(QKeyEvent* event)
{
    m_controller.keyEvent(copyOf(*event).get());
    refreshAndUpdate();
    // The controller takes every key, but only the editing keys are the
    // editor's alone: Escape, F1 and the like go on to the dialog, which
    // closes on Escape as a dialog should.
    event->setAccepted(isEditingKey(*event));
}

void ArticleEdit::inputMethodEvent(QInputMethodEvent* event)
{
    // Only committed text is typed; a preedit string is not shown.
    if (!event->commitString().isEmpty()) {
        m_controller.insertText(event->commitString());
        refreshAndUpdate();
    }
    event->accept();
}

QVariant ArticleEdit::inputMethodQuery(Qt::InputMethodQuery query) const
{
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    default:
        return QWidget::inputMethodQuery(query);
    }
}

void ArticleEdit::keyReleaseEvent(QKeyEvent* event)
{
    m_controller.keyEvent(copyOf(*event).get());
    refreshAndUpdate();
}

void ArticleEdit::routeMouse(QMouseEvent* event)
{
    m_controller.mouseEvent(copyOf(*event).get());
    refreshAndUpdate();
}

void ArticleEdit::mousePressEvent(QMouseEvent* event)
{
    routeMouse(event);
}

void ArticleEdit::mouseReleaseEvent(QMouseEvent* event)
{
    routeMouse(event);
}

void ArticleEdit::mouseDoubleClickEvent(QMouseEvent* event)
{
    routeMouse(event);
}

void ArticleEdit::mouseMoveEvent(QMouseEvent* event)
{
    routeMouse(event);
}

void ArticleEdit::wheelEvent(QWheelEvent* event)
{
    m_controller.wheelEvent(copyOf(*event).get());
    refreshAndUpdate();
}

void ArticleEdit::focusInEvent(QFocusEvent* event)
{
    // The caret shows at once when the focus comes, whatever the phase.
    restartBlinking();
    m_controller.focusEvent(copyOf(*event).get());
    refreshAndUpdate();
}

void ArticleEdit::focusOutEvent(QFocusEvent* event)
{
    m_controller.focusEvent(copyOf(*event).get());
    refreshAndUpdate();
}

void ArticleEdit::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    m_controller.paint(event->rect(), &painter);
}

void ArticleEdit::resizeEvent(QResizeEvent*)
{
    const int barWidth = m_scrollBar->sizeHint().width();
    m_scrollBar->setGeometry(width() - barWidth, 0, barWidth, height());
    m_controller.setViewport(rect());
    update();
}

void ArticleEdit::timerEvent(QTimerEvent* event)
{
    if (event->timerId() != m_blinkTimer || m_blinkTimer == 0) {
        QWidget::timerEvent(event);
        return;
    }
    m_controller.blinkPhase = !m_controller.blinkPhase;
    update();
}

void ArticleEdit::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    restartBlinking();
}

void ArticleEdit::hideEvent(QHideEvent* event)
{
    QWidget::hideEvent(event);
    stopBlinking();
}
