// article_list.cpp: event routing, the scroll bar, find, copy and the
// settings of the list widget.
#include "ArticleEngine/Private/article_list.h"

#include "ArticleEngine/Controller/article_clipboard_copy.h"
#include "ArticleEngine/Controller/article_html_exporter.h"
#include "ArticleEngine/Controller/selection_source.h"
#include "ArticleEngine/Controller/selection_text.h"

#include <QHelpEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPrinter>
#include <QScrollBar>
#include <QToolTip>

using namespace ArticleEngine;
using ArticleEngine::Controller::ArticleListPosition;

namespace {

const QString deleteName = QStringLiteral("delete");
const QString editName = QStringLiteral("edit");
const QString pronounceName = QStringLiteral("pronounce");
const QString expandName = QStringLiteral("expand");
const QString collapseName = QStringLiteral("collapse");
const QString showMoreName = QStringLiteral("showMore");

ArticleEditPosition exportPosition(const ArticleListPosition& p)
{
    return ArticleEditPosition{p.article, p.kind, p.offset};
}

} // namespace

ArticleList::ArticleList(QWidget* parent)
    : QWidget(parent)
{
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::MinimumExpanding);
    setAttribute(Qt::WA_MouseTracking);

    m_scroller = new QScrollBar(Qt::Vertical, this);
    m_scroller->setFocusPolicy(Qt::NoFocus);
    m_scroller->setContextMenuPolicy(Qt::NoContextMenu);
    m_scroller->setRange(0, 255);
    m_scroller->setObjectName(QStringLiteral("scroller"));
    m_scroller->adjustSize();
    connect(m_scroller, &QScrollBar::valueChanged, this, &ArticleList::onScroll);
    connect(m_scroller, &QScrollBar::actionTriggered, this, &ArticleList::onScrollerActionTriggered);

    m_controller.setWidget(&m_adapter);
    init(nullptr, nullptr, nullptr);
    setActionIcons(QPixmap(), QPixmap(), QPixmap(), QPixmap(), QPixmap(), QPixmap());
    m_lineStepping = false;
}

ArticleList::~ArticleList() = default;

void ArticleList::init(External::IStyleServer* styles, External::ICharAnalyzer* analyzer,
                       External::IArticleServer* articles)
{
    m_styles = styles != nullptr ? styles : &m_defaultStyleServer;
    m_controller.setServers(m_styles, analyzer != nullptr ? analyzer : &m_defaultCharAnalyzer,
                            articles != nullptr ? articles : &m_defaultArticleServer);
    repaint();
}

void ArticleList::reload()
{
    m_controller.restart();
    repaint();
}

void ArticleList::setFont(const QFont& font)
{
    m_controller.setArticleFont(font);
    repaint();
}

void ArticleList::setHighlightColors(const QColor& focused, const QColor& unfocused)
{
    m_controller.setHeaderColors(unfocused, m_controller.headerTextUnfocused, focused,
                                 m_controller.headerTextFocused);
    repaint();
}

void ArticleList::setMarkColor(const QColor& color)
{
    m_controller.markColor = color;
    repaint();
}

void ArticleList::setMatchColor(const QColor& color)
{
    m_controller.matchColor = color;
    repaint();
}

void ArticleList::setActionIcons(const QIcon& remove, const QIcon& edit, const QIcon& pronounce,
                                 const QIcon& expand, const QIcon& collapse, const QIcon& showMore)
{
    Controller::ActionResources resources = m_controller.actionResources();
    resources.icons[deleteName] = remove;
    resources.icons[editName] = edit;
    resources.icons[pronounceName] = pronounce;
    resources.icons[expandName] = expand;
    resources.icons[collapseName] = collapse;
    resources.icons[showMoreName] = showMore;
    m_controller.setActionResources(std::move(resources));
    repaint();
}

void ArticleList::setActionIcons(const QPixmap& remove, const QPixmap& edit, const QPixmap& pronounce,
                                 const QPixmap& expand, const QPixmap& collapse, const QPixmap& showMore)
{
    setActionIcons(QIcon(remove), QIcon(edit), QIcon(pronounce), QIcon(expand), QIcon(collapse), QIcon(showMore));
}

void ArticleList::setActionToolTips(const QString& remove, const QString& edit, const QString& pronounce,
                                    const QString& expand, const QString& collapse, const QString& showMore)
{
    Controller::ActionResources resources = m_controller.actionResources();
    resources.toolTips[deleteName] = remove;
    resources.toolTips[editName] = edit;
    resources.toolTips[pronounceName] = pronounce;
    resources.toolTips[expandName] = expand;
    resources.toolTips[collapseName] = collapse;
    resources.toolTips[showMoreName] = showMore;
    m_controller.setActionResources(std::move(resources));
    repaint();
}

// Find ---------------------------------------------------------------------

bool ArticleList::find(const QString& text)
{
    m_textFinder.setText(text);
    m_controller.setTextFinder(&m_textFinder);
    return firstMatch();
}

bool ArticleList::afterFind(bool found)
{
    if (!found) {
        clearFind();
        return false;
    }
    refreshAndUpdate();
    repaint();
    return true;
}

bool ArticleList::firstMatch()
{
    if (!m_controller.findActive)
        return false;
    return afterFind(m_controller.findFirst());
}

bool ArticleList::findNext(bool wrap)
{
    if (!m_controller.findActive)
        return false;
    return afterFind(m_controller.findNext(wrap));
}

bool ArticleList::findPrevious(bool wrap)
{
    if (!m_controller.findActive)
        return false;
    return afterFind(m_controller.findPrevious(wrap));
}

void ArticleList::clearFind()
{
    m_controller.clearFind();
    m_controller.findActive = false;
    m_controller.showMarks = true;
    repaint();
}

bool ArticleList::isFindActive() const
{
    return m_controller.findActive;
}

QString ArticleList::findText() const
{
    return m_controller.findActive ? m_textFinder.text() : QString();
}

// Print, locate --------------------------------------------------------------

void ArticleList::print(QPrinter* printer)
{
    m_controller.print(printer);
    // Printing lays the articles out at the page's width.
    m_controller.layout();
    update();
}

bool ArticleList::locate(int article, const QString& name)
{
    if (!m_controller.locate(article, name))
        return false;
    refreshAndUpdate();
    return true;
}

// Copy ----------------------------------------------------------------------

Controller::ClipboardForms ArticleList::selectionForms()
{
    Controller::ClipboardForms forms;
    const ArticleListPosition start = m_controller.selectionStart();
    const ArticleListPosition end = m_controller.selectionEnd();
    QStringList texts;
    QStringList htmls;
    QString markup;
    if (!start.isNowhere() && !end.isNowhere()) {
        for (int index = start.article; index <= end.article; ++index) {
            Controller::ArticleEntry* entry = m_controller.article(index);
            if (entry == nullptr || entry->view() == nullptr)
                continue;
            const Controller::ExportedArticle article{*entry->view(), entry->layoutRecord.content,
                                                      entry->record.headword, entry->collapsed()};
            const ArticleEditPosition from = exportPosition(start);
            const ArticleEditPosition to = exportPosition(end);
            texts << Controller::selectionText(article, from, to, false);
            htmls << Controller::ArticleHtmlExporter(article).html(from, to, false);
            const Controller::ExportRange range = Controller::exportRange(article, from, to, false);
            if (range.withHeader && !article.leadText.isEmpty())
                markup += Controller::headerRun(article.leadText);
            markup += Controller::selectionBodyMarkup(article, range);
        }
    }
    forms.text = texts.join(QStringLiteral("\n\n"));
    forms.html = QStringLiteral("<html><body>") + htmls.join(QStringLiteral("<br><br>"))
        + QStringLiteral("</body></html>");
    forms.source = Controller::withStyleSheet(markup, *m_styles);
    return forms;
}

QString ArticleList::selectedText()
{
    return selectionForms().text;
}

QString ArticleList::selectedHtml()
{
    return selectionForms().html;
}

QString ArticleList::selectedSource()
{
    return selectionForms().source;
}

void ArticleList::copySelection()
{
    Controller::putOnClipboard(selectionForms());
}

// Events --------------------------------------------------------------------

void ArticleList::refreshAndUpdate()
{
    m_controller.refresh();
    m_adapter.update();
}

QString ArticleList::toolTipAt(QPoint point)
{
    ArticleListPosition hit;
    if (!m_controller.hitTest(point, true, hit))
        return {};
    QString name;
    switch (hit.kind) {
    case DeleteButtonKind:
        name = deleteName;
        break;
    case EditButtonKind:
        name = editName;
        break;
    case ExpandButtonKind:
        name = m_controller.isCollapsed(hit.article) ? expandName : collapseName;
        break;
    case PronounceButtonKind:
        name = pronounceName;
        break;
    case ShowMoreButtonKind:
        name = showMoreName;
        break;
    default:
        return {};
    }
    const auto& toolTips = m_controller.actionResources().toolTips;
    const auto found = toolTips.find(name);
    return found == toolTips.end() ? QString() : found->second;
}

bool ArticleList::event(QEvent* event)
{
    if (event->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(event);
        QToolTip::showText(help->globalPos(), toolTipAt(help->pos()), this);
    } else if (event->type() == QEvent::MouseMove) {
        if (m_controller.isOverLink(static_cast<QMouseEvent*>(event)->position().toPoint()))
            setCursor(Qt::PointingHandCursor);
        else
            unsetCursor();
    }
    return QWidget::event(event);
}

void ArticleList::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    painter.fillRect(event->rect(), QColor(255, 255, 255));
    m_controller.paint(event->rect(), &painter);
}

void ArticleList::resizeEvent(QResizeEvent*)
{
    const int barWidth = m_scroller->sizeHint().width();
    m_scroller->setGeometry(width() - barWidth, 0, barWidth, height());
    m_controller.setViewport(QRect(0, 0, width(), height()));
    emit resized(this);
}

void ArticleList::keyPressEvent(QKeyEvent* event)
{
    const bool consumed = m_controller.keyEvent(event);
    event->setAccepted(consumed);
    refreshAndUpdate();
    emit keyPressed(this, event);
}

void ArticleList::keyReleaseEvent(QKeyEvent* event)
{
    m_controller.keyEvent(event);
    refreshAndUpdate();
}

void ArticleList::routeMouse(QMouseEvent* event)
{
    m_controller.mouseEvent(event);
    refreshAndUpdate();
}

void ArticleList::mousePressEvent(QMouseEvent* event)
{
    routeMouse(event);
}

void ArticleList::mouseReleaseEvent(QMouseEvent* event)
{
    routeMouse(event);
}

void ArticleList::mouseDoubleClickEvent(QMouseEvent* event)
{
    routeMouse(event);
}

void ArticleList::mouseMoveEvent(QMouseEvent* event)
{
    routeMouse(event);
}

void ArticleList::wheelEvent(QWheelEvent* event)
{
    m_controller.wheelEvent(event);
    refreshAndUpdate();
}

void ArticleList::routeFocus(QFocusEvent* event)
{
    m_controller.focusEvent(event);
    refreshAndUpdate();
}

void ArticleList::focusInEvent(QFocusEvent* event)
{
    routeFocus(event);
}

void ArticleList::focusOutEvent(QFocusEvent* event)
{
    routeFocus(event);
}

// The scroll bar ------------------------------------------------------------

void ArticleList::onScrollerActionTriggered(int action)
{
    if (!m_scroller->isVisible())
        return;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd:
        m_lineStepping = true;
        m_steppedBack = false;
        m_controller.scrollLines(-1);
        break;
    case QAbstractSlider::SliderSingleStepSub:
        m_lineStepping = true;
        m_steppedBack = true;
        m_controller.scrollLines(1);
        break;
    default:
        m_lineStepping = false;
        break;
    }
    update();
}

void ArticleList::onScroll(int)
{
    if (m_lineStepping) {
        // The line is scrolled already; the bar's own step is taken back by
        // showing the controller's position again, whatever the step's size.
        m_controller.syncScrollBar();
        return;
    }
    m_controller.scrollBarEvent(m_scroller->value());
    refreshAndUpdate();
}
