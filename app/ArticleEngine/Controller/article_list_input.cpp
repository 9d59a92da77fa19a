// article_list_input.cpp: the list controller's caret and selection, its
// hit test, mouse and keys, and the actions of an article's parts.
//
// The caret moves by word stops (list_navigation.h). Every call to the host
// widget about an article is made only while the server calls the article
// valid (ArticleActions).
#include "ArticleEngine/Controller/article_list_controller.h"

#include "ArticleEngine/Controller/article_actions.h"
#include "ArticleEngine/Controller/list_key_table.h"
#include "ArticleEngine/Views/view_lookup.h"
#include "ArticleEngine/Views/view_painter.h"

#include <QKeyEvent>
#include <QMouseEvent>

namespace ArticleEngine::Controller {

namespace {

// How an action was triggered: the tables of the parts differ in the body.
enum Trigger {
    ClickTrigger = 0,
    ActivateTrigger = 1,
    DoubleClickTrigger = 2,
};

bool isHiddenWhenCollapsed(int kind)
{
    return kind == PronounceButtonKind || kind == BodyKind || kind == ShowMoreButtonKind;
}

QString itemLabel(const TextItemView& item)
{
    for (const TextItemFragmentView& fragment : item.fragments()) {
        const QString label = fragment.label();
        if (!label.isEmpty())
            return label;
    }
    return {};
}

int itemValue(const TextItemView& item)
{
    for (const TextItemFragmentView& fragment : item.fragments()) {
        if (fragment.value() != 0)
            return fragment.value();
    }
    return 0;
}

// The linked text around an offset: the whole range of the link, not the
// one character item under the point.
QString linkText(const ArticleView& article, const TextItemView& item)
{
    for (const auto& [range, target] : article.links) {
        if (range.contains(item.start()))
            return article.text.mid(range.start, range.end - range.start);
    }
    return itemText(item, article.text);
}

} // namespace

const ArticleView* ArticleListController::laidOutArticle(int index)
{
    ArticleEntry* entry = article(index);
    if (entry == nullptr || entry->view() == nullptr)
        return nullptr;
    if (entry->view()->layoutState != Placed)
        articleRect(index);
    return entry->view();
}

void ArticleListController::updatePreferredX(const ArticleListPosition& position)
{
    const QRect rect = stopRect(position);
    if (!rect.isNull())
        m_preferredX = (rect.left() + rect.right()) / 2;
}

void ArticleListController::setCaret(const ArticleListPosition& position, bool updateX, bool visible)
{
    m_selection.reset(position);
    if (updateX)
        updatePreferredX(position);
    if (visible)
        ensureVisible(position);
}

void ArticleListController::extendSelection(const ArticleListPosition& position, bool updateX, bool visible)
{
    m_selection.extend(position);
    if (updateX)
        updatePreferredX(position);
    if (visible)
        ensureVisible(position);
}

void ArticleListController::ensureVisible(const ArticleListPosition& position)
{
    if (position.isNowhere())
        return;
    const ArticleEntry* entry = article(position.article);
    if (entry == nullptr || entry->view() == nullptr)
        return;
    const bool wasPlaced
        = scrollPosition().isArticleOnScreen(position.article) && entry->view()->layoutState == Placed;
    const ArticleView* view = laidOutArticle(position.article);
    const QRect rect = stopRect(position);
    if (view == nullptr || rect.isNull())
        return;
    const QRect client = clientRect().translated(-viewport().topLeft());
    if (wasPlaced && client.contains(rect))
        return;
    ArticleListScrollPosition next = scrollPosition();
    next.topArticle = position.article;
    next.topOffset = std::max(0, rect.top() - view->rect.top());
    next.topHeight = view->rect.height();
    setPosition(next);
    refresh();
}

OptionalPosition ArticleListController::firstVisiblePosition()
{
    const ArticleListScrollPosition& p = scrollPosition();
    if (p.bottomArticle < 0)
        return std::nullopt;
    ArticleEntry* entry = m_live.find(p.topArticle);
    if (entry == nullptr || entry->view() == nullptr)
        return std::nullopt;
    ArticleListPosition hit;
    if (entry->hitTester.hitHeight(false, 0, hit))
        return lineStart(hit);
    return ArticleListPosition{p.topArticle, HeaderKind, -1};
}

OptionalPosition ArticleListController::lastVisiblePosition()
{
    const ArticleListScrollPosition& p = scrollPosition();
    if (p.bottomArticle < 0 || !firstVisiblePosition())
        return std::nullopt;
    for (int index = p.bottomArticle; index >= p.topArticle; --index) {
        ArticleEntry* entry = m_live.find(index);
        if (entry == nullptr || entry->view() == nullptr)
            continue;
        ArticleListPosition hit;
        if (entry->hitTester.hitHeight(true, clientRect().height() - 1, hit))
            return lineEnd(hit);
        // The list ends above the viewport's bottom.
        return lastPositionOf(index);
    }
    return std::nullopt;
}

void ArticleListController::paintSelection(PaintContext& context)
{
    m_cursor.reset();
    m_cursor.markStyle = caretStyle;
    m_cursor.fillColor = caretFill;
    m_cursor.markColor = caretBorder;
    // Without focus the selection stays, the caret box goes
    // (docs/behaviour/article-controller.md).
    m_cursor.marksVisible = widget() != nullptr && widget()->hasFocus();
    const OptionalPosition first = firstVisiblePosition();
    const OptionalPosition last = lastVisiblePosition();
    if (first && last) {
        m_cursor.fill = selectionRegion(m_navigation, m_selection.selectionStart, m_selection.selectionEnd,
                                        *first, *last);
    }
    const int caretArticle = m_selection.caret.article;
    if (scrollPosition().isArticleOnScreen(caretArticle)) {
        const QRect box = stopRect(m_selection.caret);
        if (!box.isNull())
            m_cursor.marks.push_back(box);
    }
    paintCursor(context, m_cursor);
}

bool ArticleListController::hitTest(QPoint point, bool snap, ArticleListPosition& out)
{
    const QPoint inside = point - viewport().topLeft();
    const ArticleListScrollPosition& p = scrollPosition();
    for (int index = p.topArticle; index <= p.bottomArticle && p.bottomArticle >= 0; ++index) {
        ArticleEntry* entry = m_live.find(index);
        if (entry == nullptr || entry->view() == nullptr || entry->view()->layoutState != Placed)
            continue;
        ArticleListPosition hit;
        if (!entry->hitTester.hitPoint(inside, false, hit))
            continue;
        // A collapsed article answers from its hidden parts' last places:
        // such a hit goes up to a line the article shows.
        bool found = true;
        while (found && entry->view()->collapsed && hit.article == index && isHiddenWhenCollapsed(hit.kind)) {
            const OptionalPosition above = lineAbove(hit, m_preferredX);
            found = above.has_value();
            if (found)
                hit = *above;
        }
        if (!found)
            continue;
        out = hit;
        return true;
    }
    if (snap && articleCount() > 0) {
        if (const OptionalPosition last = lastPosition()) {
            out = *last;
            return true;
        }
    }
    return false;
}

bool ArticleListController::isOverLink(QPoint point)
{
    ArticleListPosition hit;
    if (!hitTest(point, false, hit) || hit.kind != BodyKind)
        return false;
    const ArticleEntry* entry = m_live.find(hit.article);
    if (entry == nullptr || entry->view() == nullptr)
        return false;
    const TextItemView* item = Stops::itemAt(*entry->view(), hit.offset).second;
    return item != nullptr && !itemLink(*item).isEmpty();
}

bool ArticleListController::mouseEvent(QMouseEvent* event)
{
    const QPoint point = event->position().toPoint();
    ArticleListPosition hit;
    if (!hitTest(point, !isOverLink(point), hit))
        return true;
    const bool leftPress = event->type() == QEvent::MouseButtonPress && event->button() == Qt::LeftButton;
    bool reloaded = false;
    if (leftPress)
        reloaded = click(hit);
    else if (event->type() == QEvent::MouseButtonDblClick)
        reloaded = doubleClick(hit);
    if (reloaded && !hitTest(point, !isOverLink(point), hit))
        return true;
    const bool leftHeld = (event->buttons() & Qt::LeftButton) != 0;
    if (event->type() == QEvent::MouseButtonPress && leftHeld) {
        if ((event->modifiers() & Qt::ShiftModifier) != 0)
            extendSelection(hit, true, false);
        else
            setCaret(hit, true, false);
    } else if (event->type() == QEvent::MouseMove && leftHeld) {
        extendSelection(hit, true, false);
    }
    return true;
}

bool ArticleListController::keyEvent(QKeyEvent* event)
{
    if (event->type() != QEvent::KeyPress || articleCount() == 0)
        return false;
    const ListKeyCommand command = listKeyCommand(*event);
    const ArticleListPosition at = caret();
    OptionalPosition to;
    // Vertical moves keep the preferred x; everything else takes the new one.
    bool updateX = true;
    switch (command.key) {
    case ListKey::None:
        return false;
    case ListKey::Copy:
        if (widget() != nullptr)
            widget()->copySelection();
        return true;
    case ListKey::Activate:
        setCaret(at, true, true);
        activate(at);
        return true;
    case ListKey::PreviousPage:
    case ListKey::NextPage:
        if (!command.select)
            scrollPages(command.key == ListKey::PreviousPage ? 1 : -1);
        return true;
    case ListKey::SelectAll:
        if (const OptionalPosition first = firstPosition()) {
            setCaret(*first, false, false);
            if (const OptionalPosition last = lastPosition())
                extendSelection(*last, false, false);
        }
        return true;
    case ListKey::PreviousWord:
        to = previousWordStop(at);
        break;
    case ListKey::NextWord:
        to = nextWordStop(at);
        break;
    case ListKey::PreviousLine:
        to = lineAbove(at, m_preferredX);
        updateX = false;
        break;
    case ListKey::NextLine:
        to = lineBelow(at, m_preferredX);
        // Down from the last line of the last article: the list's end.
        if (!to && at.article == articleCount() - 1)
            to = lastPosition();
        updateX = false;
        break;
    case ListKey::LineStart:
        to = lineStart(at);
        break;
    case ListKey::LineEnd:
        to = lineEnd(at);
        break;
    case ListKey::DocumentStart:
        to = firstPosition();
        break;
    case ListKey::DocumentEnd:
        to = lastPosition();
        break;
    }
    // A move that finds no position leaves caret and selection as they are.
    if (to && command.select)
        extendSelection(*to, updateX, true);
    else if (to)
        setCaret(*to, updateX, true);
    return true;
}

bool ArticleListController::activate(const ArticleListPosition& position)
{
    return runAction(position, ActivateTrigger);
}

bool ArticleListController::click(const ArticleListPosition& position)
{
    return runAction(position, ClickTrigger);
}

bool ArticleListController::doubleClick(const ArticleListPosition& position)
{
    return runAction(position, DoubleClickTrigger);
}

bool ArticleListController::runAction(const ArticleListPosition& position, int trigger)
{
    const int index = position.article;
    if (m_articles == nullptr || widget() == nullptr || !m_articles->isValid(index))
        return false;
    ArticleActions actions(*m_articles, *widget());
    if (position.kind != BodyKind) {
        if (trigger == DoubleClickTrigger)
            return false;
        switch (position.kind) {
        case DeleteButtonKind:
            actions.queryDelete(index);
            return false;
        case EditButtonKind:
            actions.queryEdit(index);
            return false;
        case ExpandButtonKind:
            setCollapsed(index, !isCollapsed(index));
            return false;
        case PronounceButtonKind:
            pronounce(index);
            return false;
        case ShowMoreButtonKind:
            showMore(index);
            return true;
        default:
            return false;
        }
    }
    const ArticleView* view = laidOutArticle(index);
    if (view == nullptr)
        return false;
    const auto [paragraph, item] = Stops::itemAt(*view, position.offset);
    if (item == nullptr)
        return false;
    const QString link = itemLink(*item);
    if (trigger == ClickTrigger) {
        if (!link.isEmpty())
            actions.linkHit(index, linkText(*view, *item), link);
        return false;
    }
    // Enter and a double click need an item the reader can see and select:
    // a link, a picture (which stands on a line feed) or a word
    // (docs/behaviour/article-controller.md).
    if (!isShown(*item))
        return false;
    if (!link.isEmpty()) {
        if (trigger == ActivateTrigger)
            actions.linkHit(index, linkText(*view, *item), link);
        return false;
    }
    const QString image = itemImage(*item);
    if (!image.isEmpty()) {
        actions.imageHit(index, image);
        return false;
    }
    if (!Stops::isWordItem(*item))
        return false;
    const auto items = paragraph->items();
    const auto [first, last] = Stops::wordItems(*paragraph, int(item - items.data()));
    QString word;
    for (int i = first; i <= last; ++i)
        word += itemText(items[std::size_t(i)], view->text);
    actions.wordHit(index, word, itemValue(*item));
    return false;
}

bool ArticleListController::locate(int index, const QString& name)
{
    const ArticleEntry* entry = article(index);
    if (entry == nullptr || entry->view() == nullptr)
        return false;
    for (const ParagraphView& paragraph : entry->view()->paragraphs) {
        for (const TextItemView& item : paragraph.items()) {
            if (itemLabel(item) == name) {
                setCaret(ArticleListPosition{index, BodyKind, item.start()}, true, true);
                return true;
            }
        }
    }
    return false;
}

} // namespace ArticleEngine::Controller
