// list_navigation.cpp: stepping the list's caret.
#include "ArticleEngine/Controller/list_navigation.h"

#include "ArticleEngine/Controller/article_hit_tester.h"
#include "ArticleEngine/Views/article_view.h"
#include "ArticleEngine/Views/view_lookup.h"

namespace ArticleEngine::Controller {

namespace Stops {

std::pair<const ParagraphView*, const TextItemView*> itemAt(const ArticleView& article, int offset)
{
    const int p = paragraphOfCharacter(article, offset);
    if (p < 0)
        return {nullptr, nullptr};
    const ParagraphView& paragraph = article.paragraphs[std::size_t(p)];
    const int i = itemOfCharacter(paragraph, offset);
    if (i < 0)
        return {&paragraph, nullptr};
    return {&paragraph, &paragraph.items()[std::size_t(i)]};
}

int nextTextStop(const ArticleView& article, int offset)
{
    const int length = int(article.text.size());
    int o = 0;
    if (offset >= 0) {
        const TextItemView* item = itemAt(article, offset).second;
        o = item != nullptr ? item->end() : offset + 1;
    }
    while (o < length) {
        const TextItemView* item = itemAt(article, o).second;
        if (item != nullptr && isShown(*item))
            return item->start();
        o = item != nullptr ? std::max(item->end(), o + 1) : o + 1;
    }
    return -1;
}

int previousTextStop(const ArticleView& article, int offset)
{
    const int length = int(article.text.size());
    int o = length - 1;
    if (offset >= 0) {
        const TextItemView* item = itemAt(article, offset).second;
        o = item != nullptr ? item->start() - 1 : std::min(offset, length) - 1;
    }
    while (o >= 0) {
        const TextItemView* item = itemAt(article, o).second;
        if (item != nullptr && isShown(*item))
            return item->start();
        o = item != nullptr ? std::min(item->start(), o) - 1 : o - 1;
    }
    return -1;
}

bool isWordItem(const TextItemView& item)
{
    return item.itemKind() == WordItem;
}

std::pair<int, int> wordItems(const ParagraphView& paragraph, int index)
{
    const auto items = paragraph.items();
    auto word = [&](int i) {
        return i >= 0 && i < int(items.size()) && isWordItem(items[std::size_t(i)])
            && isShown(items[std::size_t(i)]);
    };
    if (!word(index))
        return {index, index};
    int first = index;
    while (word(first - 1))
        --first;
    int last = index;
    while (word(last + 1))
        ++last;
    return {first, last};
}

} // namespace Stops

namespace {

using namespace Stops;

bool isTextStop(const ArticleListPosition& p)
{
    return p.kind == BodyKind;
}

// The first item of the word run that holds the item, or the item itself.
int wordStartOffset(const ArticleView& article, int offset)
{
    const auto [paragraph, item] = itemAt(article, offset);
    if (item == nullptr)
        return offset;
    const int index = int(item - paragraph->items().data());
    return paragraph->items()[std::size_t(wordItems(*paragraph, index).first)].start();
}

bool isWordStart(const ArticleView& article, int offset)
{
    const auto [paragraph, item] = itemAt(article, offset);
    if (item == nullptr || !isWordItem(*item) || !isShown(*item))
        return false;
    const int index = int(item - paragraph->items().data());
    return wordItems(*paragraph, index).first == index;
}

} // namespace

OptionalPosition ListNavigation::step(const ArticleListPosition& p, bool forward) const
{
    if (p.article < 0 || p.kind < HeaderKind || p.kind >= NoKind)
        return std::nullopt;
    int article = p.article;
    const ArticleView* view = m_list.laidOutArticle(article);
    if (view == nullptr)
        return std::nullopt;
    auto textStop = [&](int offset) {
        return forward ? nextTextStop(*view, offset) : previousTextStop(*view, offset);
    };
    if (p.kind == BodyKind && isPartShown(*view, BodyKind)) {
        const int next = textStop(p.offset);
        if (next >= 0)
            return ArticleListPosition{article, BodyKind, next};
    }
    const int direction = forward ? 1 : -1;
    const int count = m_list.navigableCount();
    int kind = p.kind + direction;
    while (true) {
        for (; kind >= HeaderKind && kind <= ShowMoreButtonKind; kind += direction) {
            if (!isPartShown(*view, kind))
                continue;
            if (kind != BodyKind)
                return ArticleListPosition{article, kind, -1};
            const int end = textStop(-1);
            if (end >= 0)
                return ArticleListPosition{article, BodyKind, end};
        }
        // Articles without a view (refused, no longer valid) are passed.
        do {
            article += direction;
            if (article < 0 || article >= count)
                return std::nullopt;
            view = m_list.laidOutArticle(article);
        } while (view == nullptr);
        kind = forward ? HeaderKind : ShowMoreButtonKind;
    }
}

OptionalPosition ListNavigation::nextPosition(const ArticleListPosition& p) const
{
    return step(p, true);
}

OptionalPosition ListNavigation::previousPosition(const ArticleListPosition& p) const
{
    return step(p, false);
}

OptionalPosition ListNavigation::wordStop(const ArticleListPosition& p, bool forward) const
{
    OptionalPosition q = p;
    while ((q = forward ? nextPosition(*q) : previousPosition(*q))) {
        if (!isTextStop(*q))
            return q;
        const ArticleView* view = m_list.laidOutArticle(q->article);
        if (view != nullptr && isWordStart(*view, q->offset))
            return q;
    }
    return std::nullopt;
}

OptionalPosition ListNavigation::nextWordStop(const ArticleListPosition& p) const
{
    return wordStop(p, true);
}

OptionalPosition ListNavigation::previousWordStop(const ArticleListPosition& p) const
{
    return wordStop(p, false);
}

int ListNavigation::lineOf(const ArticleListPosition& p) const
{
    const ArticleView* view = p.article >= 0 ? m_list.laidOutArticle(p.article) : nullptr;
    if (view == nullptr)
        return -1;
    if (p.kind == BodyKind) {
        const TextItemView* item = itemAt(*view, p.offset).second;
        return item != nullptr ? item->line : -1;
    }
    const View* part = partView(*view, p.kind);
    return part != nullptr ? part->line : -1;
}

ArticleListPosition ListNavigation::lineEdge(const ArticleListPosition& p, bool forward) const
{
    const int line = lineOf(p);
    ArticleListPosition edge = p;
    while (OptionalPosition next = wordStop(edge, forward)) {
        if (next->article != p.article || lineOf(*next) != line)
            break;
        edge = *next;
    }
    return edge;
}

ArticleListPosition ListNavigation::lineEnd(const ArticleListPosition& p) const
{
    return lineEdge(p, true);
}

ArticleListPosition ListNavigation::lineStart(const ArticleListPosition& p) const
{
    return lineEdge(p, false);
}

OptionalPosition ListNavigation::neighbourLine(const ArticleListPosition& p, int x, bool down) const
{
    const int line = lineOf(p);
    OptionalPosition stop = p;
    do {
        stop = wordStop(*stop, down);
        if (!stop)
            return std::nullopt;
    } while (stop->article == p.article && lineOf(*stop) == line);
    // Down, the line is read from its start rightwards to the first word
    // that reaches past x; up, from its end leftwards to the first that
    // starts at x or before it.
    const int newLine = lineOf(*stop);
    while (true) {
        const QRect rect = stopRect(*stop);
        if (down ? rect.right() > x : rect.left() <= x)
            return stop;
        OptionalPosition next = wordStop(*stop, down);
        if (!next || next->article != stop->article || lineOf(*next) != newLine)
            return stop;
        stop = next;
    }
}

OptionalPosition ListNavigation::lineBelow(const ArticleListPosition& p, int x) const
{
    return neighbourLine(p, x, true);
}

OptionalPosition ListNavigation::lineAbove(const ArticleListPosition& p, int x) const
{
    return neighbourLine(p, x, false);
}

OptionalPosition ListNavigation::firstPosition() const
{
    return Controller::firstPosition(m_list.navigableCount());
}

OptionalPosition ListNavigation::lastPositionOf(int article) const
{
    const ArticleView* view = article >= 0 ? m_list.laidOutArticle(article) : nullptr;
    if (view == nullptr)
        return std::nullopt;
    if (isPartShown(*view, ShowMoreButtonKind))
        return ArticleListPosition{article, ShowMoreButtonKind, -1};
    return ArticleListPosition{article, BodyKind, int(view->text.size()) - 1};
}

OptionalPosition ListNavigation::lastPosition() const
{
    OptionalPosition last;
    for (int article = m_list.navigableCount() - 1; article >= 0 && !last; --article)
        last = lastPositionOf(article);
    if (!last || last->kind == ShowMoreButtonKind)
        return last;
    const ArticleView* view = m_list.laidOutArticle(last->article);
    if (view != nullptr && isPartShown(*view, BodyKind)) {
        const TextItemView* item = itemAt(*view, last->offset).second;
        if (item != nullptr && isWordItem(*item) && isShown(*item))
            return wordStart(*last);
    }
    return previousWordStop(*last);
}

ArticleListPosition ListNavigation::wordStart(const ArticleListPosition& p) const
{
    if (p.kind != BodyKind || p.article < 0)
        return p;
    const ArticleView* view = m_list.laidOutArticle(p.article);
    if (view == nullptr)
        return p;
    return ArticleListPosition{p.article, BodyKind, wordStartOffset(*view, p.offset)};
}

QRect ListNavigation::stopRect(const ArticleListPosition& p) const
{
    const ArticleView* view = p.article >= 0 ? m_list.laidOutArticle(p.article) : nullptr;
    if (view == nullptr)
        return {};
    if (p.kind != BodyKind) {
        const View* part = partView(*view, p.kind);
        return part != nullptr && isShown(*part) ? part->absoluteRect() : QRect();
    }
    const auto [paragraph, item] = itemAt(*view, p.offset);
    if (item == nullptr || !isShown(*item))
        return {};
    const auto items = paragraph->items();
    const int index = int(item - items.data());
    const auto [first, last] = wordItems(*paragraph, index);
    QRect box;
    for (int i = first; i <= last; ++i) {
        const TextItemView& part = items[std::size_t(i)];
        if (part.line == item->line)
            box |= part.absoluteRect();
    }
    return box;
}

} // namespace ArticleEngine::Controller
