// article_edit_controller.cpp: the edit frame, the edit operations, the
// caret, the scroll state and painting.
#include "ArticleEngine/Controller/article_edit_controller.h"

#include "ArticleEngine/Controller/article_clipboard_copy.h"
#include "ArticleEngine/Controller/article_html_exporter.h"
#include "ArticleEngine/Controller/clipboard_source.h"
#include "ArticleEngine/Controller/debug_overlay.h"
#include "ArticleEngine/Controller/edit_key_table.h"
#include "ArticleEngine/Controller/selection_source.h"
#include "ArticleEngine/Controller/selection_text.h"
#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/Loading/article_layout_loader.h"
#include "ArticleEngine/Loading/text_metric_source.h"
#include "ArticleEngine/Views/cursor_view.h"
#include "ArticleEngine/Views/paint_context.h"
#include "ArticleEngine/Views/view_lookup.h"
#include "ArticleEngine/Views/view_painter.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <algorithm>

namespace ArticleEngine::Controller {

namespace {

// One empty run of style 1.
const QString defaultSource = QStringLiteral("#1\"\"");

} // namespace

ArticleEditController::ArticleEditController()
{
    m_autoStyles = {{0, {0, 0}}, {1, {1, 1}}, {2, {2, 2}}};
    m_hitTester.attach(&m_view, 0);
}

ArticleEditController::~ArticleEditController() = default;

void ArticleEditController::init(External::IStyleServer* styles, External::ICharAnalyzer* analyzer)
{
    m_styles = styles;
    m_analyzer = analyzer;
    m_initialised = true;
    // A source set before the servers were known is read again: only the
    // style server tells element runs from text.
    setSource(m_loadedSource);
}

ArticleEditController::AutoStyle ArticleEditController::autoStyle(int situation) const
{
    const auto found = m_autoStyles.find(situation);
    return found != m_autoStyles.end() ? found->second : AutoStyle{};
}

void ArticleEditController::setSource(const QString& source)
{
    const QString trimmed = source.trimmed();
    const QString& markup = trimmed.isEmpty() ? defaultSource : trimmed;
    if (m_styles != nullptr) {
        m_document.load(markup, *m_styles);
    } else {
        // Without a style server no run is special; init() reads it again.
        m_document = EditDocument();
        m_loadedSource = markup;
    }
    m_scroll = {};
    const QString built = rebuild();
    if (m_styles != nullptr)
        m_loadedSource = built;
    setCaret(bodyPosition(0), true, false);
    m_history.reset(built, caretState());
    if (widget() != nullptr)
        widget()->update();
}

bool ArticleEditController::source(QString& out) const
{
    out = m_document.source();
    return true;
}

// --- the edit frame -------------------------------------------------------

int ArticleEditController::offsetOf(const ArticleEditPosition& position) const
{
    if (position.kind != BodyKind || position.offset < 0)
        return 0;
    return std::min(position.offset, std::max(0, m_document.length() - 1));
}

ArticleEditPosition ArticleEditController::bodyPosition(int offset) const
{
    offset = std::clamp(offset, 0, std::max(0, m_document.length() - 1));
    // Never inside a surrogate pair: typing there would split it.
    if (splitsSurrogatePair(m_document.text(), offset))
        --offset;
    return ArticleEditPosition::body(offset);
}

EditCaretState ArticleEditController::caretState() const
{
    return {m_caret, m_selectionStart, m_selectionEnd, m_anchor, m_movingEnd, m_scroll.offset, m_scroll.maximum};
}

void ArticleEditController::applyCaretState(const EditCaretState& state)
{
    auto clamped = [this](const ArticleEditPosition& p) {
        return p.kind == BodyKind ? bodyPosition(p.offset) : p;
    };
    m_caret = clamped(state.caret);
    m_selectionStart = clamped(state.selectionStart);
    m_selectionEnd = clamped(state.selectionEnd);
    m_anchor = clamped(state.anchor);
    m_movingEnd = clamped(state.movingEnd);
}

void ArticleEditController::beginEdit()
{
    // Into the current snapshot, which stays when later ones are dropped:
    // undoing this edit brings the caret back to where the user left it.
    m_history.storeState(caretState());
}

void ArticleEditController::endEdit(std::optional<int> caret)
{
    const QString built = rebuild();
    if (caret.has_value()) {
        setCaret(bodyPosition(*caret), true, true);
    } else {
        applyCaretState(caretState());
        const QRect rect = navigation().characterRect(caretOffset());
        if (!rect.isNull())
            m_preferredX = (rect.left() + rect.right()) / 2;
    }
    if (widget() != nullptr)
        widget()->update();
    // An operation that found nothing to change leaves no undo step.
    if (built != m_history.source(m_history.current()))
        m_history.push(built, caretState());
    else
        m_history.storeState(caretState());
}

QString ArticleEditController::rebuild()
{
    QString markup = m_document.source();
    if (m_styles == nullptr || m_analyzer == nullptr) {
        m_view = ArticleView();
        m_record = {};
        m_hitTester.attach(&m_view, 0);
        return markup;
    }
    Loading::ArticleBuildRequest request;
    request.articleNumber = 0;
    request.markup = markup;
    request.flags.header = false;
    Loading::FontMetricsCache fontMetrics;
    Loading::TextMetricSource& metrics = m_metrics != nullptr ? *m_metrics : fontMetrics;
    m_view = Loading::ArticleBuilder(*m_styles, *m_analyzer, metrics).build(request, m_record);
    m_hitTester.attach(&m_view, 0);
    refresh();
    return markup;
}

int ArticleEditController::deleteSelection()
{
    const int start = selectionStartOffset();
    const int end = selectionEndOffset();
    if (end > start)
        m_document.remove(start, end);
    setCaret(bodyPosition(start), false, false);
    return start;
}

// --- edit operations ------------------------------------------------------

void ArticleEditController::typeChar(QChar c)
{
    switch (c.unicode()) {
    case u'\n':
    case u'\r':
        newParagraph();
        break;
    case u'\t':
        indent();
        break;
    case 8:
        backspace();
        break;
    default:
        insertText(QString(c));
        break;
    }
}

void ArticleEditController::insertText(const QString& text)
{
    beginEdit();
    endEdit(insertAtCaret(text));
}

int ArticleEditController::insertAtCaret(QStringView text)
{
    int position = deleteSelection();
    const QString kept = EditDocument::insertable(text);
    if (kept.isEmpty())
        return position;
    if (m_document.isEmpty())
        applyEmptyArticleStyle(position);
    qsizetype pieceStart = 0;
    auto flush = [&](qsizetype end) {
        if (end > pieceStart)
            position += m_document.insert(position, QStringView(kept).mid(pieceStart, end - pieceStart));
    };
    for (qsizetype i = 0; i < kept.size(); ++i) {
        const QChar c = kept[i];
        if (c != QLatin1Char('\n') && c != QLatin1Char('\t'))
            continue;
        flush(i);
        pieceStart = i + 1;
        if (c == QLatin1Char('\n')) {
            m_document.splitParagraph(position, 0);
            ++position;
        } else {
            m_document.changeLevels(position, position, 1);
        }
    }
    flush(kept.size());
    return position;
}

void ArticleEditController::applyEmptyArticleStyle(int caret)
{
    const AutoStyle situation = autoStyle(emptyArticleSituation);
    const auto [start, end] = styleRange(0, m_document.length());
    if (end > start)
        m_document.applyStyle(start, end, situation.style);
    else
        m_document.setRunStyle(caret, situation.style);
    for (int i = 0; i < int(m_document.content().paragraphs.size()); ++i)
        m_document.setLevel(i, situation.level);
}

void ArticleEditController::newParagraph()
{
    beginEdit();
    const int position = deleteSelection();
    m_document.splitParagraph(position, -1);
    const int paragraph = m_document.paragraphAt(position + 1);
    if (paragraph == 1) {
        // Only the new paragraph takes the style: the first one, which the
        // run at the caret may also cover, keeps its own
        // (docs/behaviour/article-editing.md).
        const AutoStyle situation = autoStyle(secondParagraphSituation);
        const ParagraphRange range = m_document.content().paragraphs[1];
        m_document.applyStyle(range.start, range.end, situation.style);
        m_document.setLevel(1, situation.level);
    }
    endEdit(position + 1);
}

void ArticleEditController::indent()
{
    beginEdit();
    m_document.changeLevels(selectionStartOffset(), selectionEndOffset(), 1);
    endEdit(std::nullopt);
}

void ArticleEditController::outdent()
{
    beginEdit();
    m_document.changeLevels(selectionStartOffset(), selectionEndOffset(), -1);
    endEdit(std::nullopt);
}

void ArticleEditController::backspace()
{
    beginEdit();
    if (hasSelection()) {
        endEdit(deleteSelection());
        return;
    }
    const int position = caretOffset();
    const int paragraph = m_document.paragraphAt(position);
    const ParagraphRange& range = m_document.content().paragraphs[std::size_t(paragraph)];
    if (position == range.start && range.indent > 0) {
        m_document.setLevel(paragraph, range.indent - 1);
        endEdit(position);
        return;
    }
    if (position == 0) {
        endEdit(position);
        return;
    }
    // A surrogate pair goes as one character.
    const int start = splitsSurrogatePair(m_document.text(), position - 1) ? position - 2 : position - 1;
    m_document.remove(start, position);
    endEdit(start);
}

void ArticleEditController::deleteForward()
{
    beginEdit();
    if (hasSelection()) {
        endEdit(deleteSelection());
        return;
    }
    const int position = caretOffset();
    const int end = splitsSurrogatePair(m_document.text(), position + 1) ? position + 2 : position + 1;
    // The final line feed stays: remove() cuts the range before it.
    m_document.remove(position, end);
    endEdit(position);
}

void ArticleEditController::deleteTo(int target)
{
    // With no word to go to the range is empty: Delete must not take the
    // character after the caret instead.
    extendSelection(bodyPosition(target), false, false);
    if (hasSelection())
        deleteForward();
}

std::pair<int, int> ArticleEditController::styleRange(int start, int end) const
{
    const QString& text = m_document.text();
    const int length = int(text.size());
    if (start < length && text[start] == QLatin1Char('\n'))
        ++start;
    if (end < length && text[end] == QLatin1Char('\n'))
        ++end;
    return {start, std::max(start, end)};
}

bool ArticleEditController::isTextStyle(int style) const
{
    // Text in a special style would be read as an element when the saved
    // article is read again: it would leave the text.
    return style < 0 || m_styles == nullptr || !m_styles->isSpecialStyle(style);
}

void ArticleEditController::applyStyle(int style)
{
    const auto [start, end] = styleRange(selectionStartOffset(), selectionEndOffset());
    if (!hasSelection() || end <= start || !isTextStyle(style))
        return;
    beginEdit();
    m_document.applyStyle(start, end, style);
    endEdit(std::nullopt);
}

void ArticleEditController::paste()
{
    if (widget() == nullptr)
        return;
    const QString clipboardSource = widget()->clipboardSource();
    if (!clipboardSource.isEmpty())
        pasteSource(clipboardSource);
    else
        insertText(widget()->clipboardText());
}

void ArticleEditController::pasteSource(const QString& clipboardSource)
{
    beginEdit();
    int position = deleteSelection();
    if (m_styles != nullptr) {
        for (const PastedRun& run : readClipboardSource(clipboardSource, *m_styles)) {
            const int start = position;
            position = insertAtCaret(run.text);
            const auto [from, to] = styleRange(start, position);
            if (position > start && to > from)
                m_document.applyStyle(from, to, isTextStyle(run.style) ? run.style : 0);
            // Collapsed after every run, so that the next run's insertion
            // does not take this one for a selection and delete it.
            setCaret(bodyPosition(position), false, false);
        }
    }
    endEdit(position);
}

void ArticleEditController::undo()
{
    // Always into the current snapshot, also after an undo: a redo then
    // finds the caret where the user left it.
    m_history.storeState(caretState());
    if (m_history.stepBack())
        restore(m_history.current());
}

void ArticleEditController::redo()
{
    m_history.storeState(caretState());
    if (m_history.stepForward())
        restore(m_history.current());
}

void ArticleEditController::restore(int index)
{
    if (m_styles != nullptr)
        m_document.load(m_history.source(index), *m_styles);
    const EditCaretState& state = m_history.state(index);
    m_scroll = {state.scrollOffset, state.maximumOffset};
    rebuild();
    applyCaretState(state);
    m_scroll.offset = std::clamp(state.scrollOffset, 0, m_scroll.maximum);
    layout();
    syncScrollBar();
    const QRect rect = navigation().characterRect(caretOffset());
    if (!rect.isNull())
        m_preferredX = (rect.left() + rect.right()) / 2;
    if (widget() != nullptr)
        widget()->update();
}

// --- caret and selection ----------------------------------------------------

void ArticleEditController::setCaret(const ArticleEditPosition& position, bool updateX, bool ensureVisible)
{
    const ArticleEditPosition p = position.kind == BodyKind ? bodyPosition(position.offset) : position;
    m_caret = m_selectionStart = m_selectionEnd = m_anchor = m_movingEnd = p;
    if (updateX) {
        const QRect rect = navigation().characterRect(caretOffset());
        if (!rect.isNull())
            m_preferredX = (rect.left() + rect.right()) / 2;
    }
    if (ensureVisible)
        ensureCaretVisible();
}

void ArticleEditController::extendSelection(const ArticleEditPosition& position, bool updateX, bool ensureVisible)
{
    m_movingEnd = position.kind == BodyKind ? bodyPosition(position.offset) : position;
    m_caret = m_movingEnd;
    m_selectionStart = std::min(m_anchor, m_movingEnd);
    m_selectionEnd = std::max(m_anchor, m_movingEnd);
    if (updateX) {
        const QRect rect = navigation().characterRect(caretOffset());
        if (!rect.isNull())
            m_preferredX = (rect.left() + rect.right()) / 2;
    }
    if (ensureVisible)
        ensureCaretVisible();
}

void ArticleEditController::selectAll()
{
    setCaret(bodyPosition(0), true, false);
    extendSelection(bodyPosition(m_document.length() - 1), true, true);
}

void ArticleEditController::ensureCaretVisible()
{
    const QRect rect = navigation().characterRect(caretOffset());
    if (rect.isNull())
        return;
    const QRect area = clientRect();
    int delta = 0;
    if (rect.top() < area.top())
        delta = area.top() - rect.top();
    else if (rect.bottom() > area.bottom())
        delta = std::max(area.bottom() - rect.bottom(), area.top() - rect.top());
    if (delta != 0) {
        scrollBy(delta);
        syncScrollBar();
    }
}

ExportedArticle ArticleEditController::exported() const
{
    return {m_view, m_document.content(), m_document.content().leadText, false};
}

QString ArticleEditController::selectionText() const
{
    return Controller::selectionText(exported(), m_selectionStart, m_selectionEnd, true);
}

QString ArticleEditController::selectionSource() const
{
    if (m_styles == nullptr)
        return {};
    return Controller::selectionSource(exported(), *m_styles, m_selectionStart, m_selectionEnd);
}

QString ArticleEditController::selectionHtml() const
{
    return ArticleHtmlExporter(exported()).html(m_selectionStart, m_selectionEnd, true);
}

ClipboardForms ArticleEditController::clipboardForms() const
{
    if (m_styles == nullptr)
        return {};
    return ArticleClipboardCopy(exported(), *m_styles).forms(m_selectionStart, m_selectionEnd);
}

// --- slots ------------------------------------------------------------------

int ArticleEditController::lineHeight()
{
    return m_styles != nullptr ? Controller::lineHeight(*m_styles) : 0;
}

int ArticleEditController::visibleLines()
{
    int lines = 0;
    for (const ParagraphView& paragraph : m_view.paragraphs)
        lines += paragraph.lineCount;
    return lines;
}

QVector<QRect> ArticleEditController::selectionRects() const
{
    QVector<QRect> rects;
    const int end = selectionEndOffset();
    int offset = selectionStartOffset();
    while (offset < end) {
        const int paragraphIndex = paragraphOfCharacter(m_view, offset);
        if (paragraphIndex < 0)
            break;
        const ParagraphView& paragraph = m_view.paragraphs[std::size_t(paragraphIndex)];
        const int itemIndex = itemOfCharacter(paragraph, offset);
        if (itemIndex < 0) {
            ++offset;
            continue;
        }
        const TextItemView& item = paragraph.items()[std::size_t(itemIndex)];
        const int to = std::min(end, item.end());
        if (item.layoutState != Dirty && !paragraph.hidden)
            rects.push_back(characterRect(item, offset - item.start(), to - item.start()));
        offset = to;
    }
    return rects;
}

void ArticleEditController::paint(const QRect& rect, QPainter* painter)
{
    painter->fillRect(rect, backgroundColor);
    if (m_view.paragraphs.empty())
        return;
    PaintContext context{painter, true, rect};
    PainterStateGuard guard(context);
    paintArticle(context, m_view);
    if (showDebugOverlay)
        paintDebugOverlays(context, m_view, m_record, ParagraphOverlay | StyleOverlay | TokenOverlay | GroupOverlay);
    if (!showCaret)
        return;
    CursorView cursor;
    cursor.article = &m_view;
    cursor.fill = selectionRects();
    cursor.fillColor = selectionColor;
    cursor.fillVisible = true;
    QRect caretRect = navigation().characterRect(caretOffset());
    if (!caretRect.isNull()) {
        // A line feed takes no width, and an empty mark is not drawn: the
        // caret at a line's end or in an empty article would not show.
        caretRect.setWidth(std::max(1, caretRect.width()));
        cursor.marks.push_back(caretRect);
    }
    cursor.markColor = caretColor;
    cursor.markStyle = caretMarkStyle;
    const bool focused = widget() != nullptr && widget()->hasFocus();
    cursor.marksVisible = focused && (!caretBlinking || blinkPhase);
    paintCursor(context, cursor);
}

void ArticleEditController::layout()
{
    const QRect area = clientRect();
    m_hitTester.setTextArea(area);
    if (m_view.paragraphs.empty())
        return;
    Loading::ArticleLayoutLoader(m_view,
                                 QRect(area.left(), area.top() - m_scroll.offset, std::max(1, area.width()),
                                       std::max(1, area.height())),
                                 false)
        .run();
}

void ArticleEditController::scrollBy(int pixels)
{
    m_scroll.offset = std::clamp(m_scroll.offset - pixels, 0, std::max(0, m_scroll.maximum));
    layout();
}

void ArticleEditController::syncScrollBar()
{
    QScrollBar* bar = widget() != nullptr ? widget()->scrollBar() : nullptr;
    if (bar == nullptr)
        return;
    const ScrollBarState present = readScrollBar(*bar);
    const int articleHeight = m_view.layoutState != Dirty ? m_view.rect.height() : 0;
    const ScrollBarState wanted = ArticleEditPositionConverter::toScrollBar(
        present, m_scroll, clientRect().height(), articleHeight, lineHeight());
    if (!(wanted == present))
        writeScrollBar(*bar, wanted);
}

void ArticleEditController::syncFromScrollBar()
{
    QScrollBar* bar = widget() != nullptr ? widget()->scrollBar() : nullptr;
    if (bar == nullptr)
        return;
    m_scroll.offset = ArticleEditPositionConverter::fromScrollBar(readScrollBar(*bar), m_scroll);
    layout();
}

void ArticleEditController::updateScrollLimit()
{
    const int articleHeight = m_view.layoutState != Dirty ? m_view.rect.height() : 0;
    m_scroll.maximum = std::max(0, articleHeight - clientRect().height());
}

void ArticleEditController::fixBottomGap()
{
    m_scroll.offset = std::clamp(m_scroll.offset, 0, m_scroll.maximum);
}

void ArticleEditController::clear()
{
    m_scroll = {};
}

bool ArticleEditController::scrollBarEvent(int)
{
    // The bar scrolls the text, as the list's does.
    syncFromScrollBar();
    return true;
}

void ArticleEditController::pageStep(bool down)
{
    QScrollBar* bar = widget() != nullptr ? widget()->scrollBar() : nullptr;
    if (bar == nullptr || bar->isHidden())
        return;
    bar->triggerAction(down ? QAbstractSlider::SliderPageStepAdd : QAbstractSlider::SliderPageStepSub);
    // The host may pass the bar's change on too; taking the offset from the
    // bar twice does no harm.
    scrollBarEvent(bar->value());
}

bool ArticleEditController::mouseEvent(QMouseEvent* event)
{
    const QEvent::Type type = event->type();
    const bool leftPress = type == QEvent::MouseButtonPress && event->button() == Qt::LeftButton;
    const bool leftDrag = type == QEvent::MouseMove && (event->buttons() & Qt::LeftButton) != 0;
    const bool doubleClick = type == QEvent::MouseButtonDblClick;
    if (!leftPress && !leftDrag && !doubleClick)
        return false;
    ArticleListPosition hit;
    if (!m_hitTester.hitPoint(event->position().toPoint(), false, hit) || hit.kind != BodyKind)
        return false;
    if (doubleClick) {
        const auto word = navigation().wordAt(hit.offset);
        if (!word.has_value())
            return true;
        setCaret(bodyPosition(word->first), true, false);
        extendSelection(bodyPosition(word->second), true, false);
    } else if (leftDrag || (event->modifiers() & Qt::ShiftModifier) != 0) {
        extendSelection(bodyPosition(hit.offset), true, false);
    } else {
        setCaret(bodyPosition(hit.offset), true, false);
    }
    if (widget() != nullptr)
        widget()->update();
    return true;
}

bool ArticleEditController::keyEvent(QKeyEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return false;
    const EditNavigation moves = navigation();
    const int caret = caretOffset();
    auto moveTo = [this](std::optional<int> target, bool select, bool updateX = true) {
        if (!target.has_value())
            return;
        if (select)
            extendSelection(bodyPosition(*target), updateX, true);
        else
            setCaret(bodyPosition(*target), updateX, true);
    };

    using Command = EditKeyCommand;
    const Command command = editKeyCommand(*event);
    switch (command) {
    case Command::Undo:
        undo();
        if (event->matches(QKeySequence::Redo))
            redo();
        break;
    case Command::Redo:
        redo();
        break;
    case Command::Copy:
        if (widget() != nullptr)
            widget()->copySelection();
        return true;
    case Command::Cut:
        // Without a selection, Delete would take the next character and the
        // clipboard would get nothing: the character would be lost.
        if (!hasSelection())
            break;
        if (widget() != nullptr)
            widget()->copySelection();
        deleteForward();
        break;
    case Command::Paste:
        paste();
        break;
    case Command::Delete:
        deleteForward();
        break;
    case Command::Backspace:
        backspace();
        break;
    case Command::DeleteStartOfWord:
        deleteTo(moves.previousWord(caret));
        break;
    case Command::DeleteEndOfWord:
        deleteTo(moves.endOfWord(caret));
        break;
    case Command::DeleteEndOfLine:
        break;
    case Command::NewParagraph:
        newParagraph();
        break;
    case Command::Indent:
        indent();
        break;
    case Command::Outdent:
        outdent();
        break;
    case Command::PreviousCharacter:
    case Command::SelectPreviousCharacter:
        moveTo(moves.previousCharacter(caret), command == Command::SelectPreviousCharacter);
        break;
    case Command::NextCharacter:
    case Command::SelectNextCharacter:
        moveTo(moves.nextCharacter(caret), command == Command::SelectNextCharacter);
        break;
    case Command::PreviousWord:
    case Command::SelectPreviousWord:
        moveTo(moves.previousWord(caret), command == Command::SelectPreviousWord);
        break;
    case Command::NextWord:
    case Command::SelectNextWord:
        moveTo(moves.nextWord(caret), command == Command::SelectNextWord);
        break;
    case Command::LineUp:
    case Command::SelectLineUp:
        moveTo(moves.lineAbove(caret, m_preferredX), command == Command::SelectLineUp, false);
        break;
    case Command::LineDown:
    case Command::SelectLineDown:
        moveTo(moves.lineBelow(caret, m_preferredX), command == Command::SelectLineDown, false);
        break;
    case Command::PageUp:
    case Command::PageDown:
        pageStep(command == Command::PageDown);
        break;
    case Command::SelectPage:
        break;
    case Command::LineStart:
    case Command::SelectLineStart:
        moveTo(moves.lineStart(caret), command == Command::SelectLineStart);
        break;
    case Command::LineEnd:
    case Command::SelectLineEnd:
        moveTo(moves.lineEnd(caret), command == Command::SelectLineEnd);
        break;
    case Command::DocumentStart:
    case Command::SelectDocumentStart:
        moveTo(0, command == Command::SelectDocumentStart);
        break;
    case Command::DocumentEnd:
    case Command::SelectDocumentEnd:
        moveTo(moves.lastOffset(), command == Command::SelectDocumentEnd);
        break;
    case Command::SelectAll:
        selectAll();
        break;
    case Command::None: {
        const QString text = event->text();
        const bool control = (event->modifiers() & Qt::ControlModifier) != 0;
        if (!text.isEmpty() && !control && (text.size() != 1 || text[0].isPrint()))
            insertText(text);
        break;
    }
    }
    if (widget() != nullptr)
        widget()->update();
    return true;
}

} // namespace ArticleEngine::Controller
