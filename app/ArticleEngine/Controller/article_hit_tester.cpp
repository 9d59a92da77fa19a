// article_hit_tester.cpp: hits on an article's parts and body.
#include "ArticleEngine/Controller/article_hit_tester.h"

#include "ArticleEngine/Views/article_view.h"
#include "ArticleEngine/Views/view_lookup.h"
#include "ArticleEngine/logging.h"

#include <algorithm>

namespace ArticleEngine::Controller {

namespace {

bool contains(const View& view, QPoint point)
{
    return !view.hidden && view.visible && view.rect.contains(point);
}

bool spans(const View& view, int y)
{
    return !view.hidden && view.visible && view.rect.top() <= y && y <= view.rect.bottom();
}

bool isWordItem(const TextItemView& item)
{
    return !item.hidden && item.itemKind() == WordItem;
}

// From a non-word item, the nearest word item on one side: each step takes
// the item that holds the character just beyond the current one on that
// side. -1 when the paragraph ends first.
int stepToWord(const ParagraphView& paragraph, int index, bool leftwards)
{
    const auto items = paragraph.items();
    // Leftwards is backwards in the text, except in a right-to-left paragraph.
    const bool backwards = leftwards != paragraph.frame.rightToLeft;
    while (index >= 0) {
        const TextItemView& item = items[std::size_t(index)];
        if (isWordItem(item))
            return index;
        const int next = backwards ? item.start() - 1 : item.end();
        index = next < 0 ? -1 : itemOfCharacter(paragraph, next);
    }
    return -1;
}

} // namespace

void ArticleListHitTester::attach(const ArticleView* article, int articleIndex)
{
    m_article = article;
    m_index = articleIndex;
    if (article != nullptr && article->number != articleIndex)
        qCDebug(viewLog) << "hit tester: article" << article->number << "attached as" << articleIndex;
}

bool ArticleListHitTester::hitHeight(bool fromEnd, int y, ArticleListPosition& out) const
{
    if (m_article == nullptr || !spans(*m_article, y))
        return false;
    const ArticleView& article = *m_article;
    out.article = m_index;
    y -= article.rect.top();
    const View* parts[] = {&article.pronounceButton, &article.deleteButton, &article.editButton,
                           &article.expandButton,    &article.header,       &article.showMoreButton};
    for (const View* part : parts) {
        if (spans(*part, y)) {
            out.kind = part->kind;
            return true;
        }
    }
    const auto& paragraphs = article.paragraphs;
    int found = -1;
    if (fromEnd) {
        for (int i = int(paragraphs.size()) - 1; i >= 0 && found < 0; --i) {
            if (spans(paragraphs[std::size_t(i)], y))
                found = i;
        }
    } else {
        const int end = firstParagraphBelow(article, y);
        for (int i = firstParagraphReaching(article, y); i < end && found < 0; ++i) {
            if (spans(paragraphs[std::size_t(i)], y))
                found = i;
        }
    }
    if (found < 0)
        return false;
    const ParagraphView& paragraph = paragraphs[std::size_t(found)];
    out.kind = BodyKind;
    const int line = lineAt(paragraph, y - paragraph.rect.top());
    if (line < 0)
        return false;
    const int item = itemAt(paragraph, paragraph.lines()[std::size_t(line)], 0);
    if (item < 0)
        return false;
    out.offset = paragraph.items()[std::size_t(item)].start();
    return true;
}

bool ArticleListHitTester::hitPoint(QPoint point, bool wordsOnly, ArticleListPosition& out) const
{
    if (m_article == nullptr)
        return false;
    const ArticleView& article = *m_article;
    // A point beside the article counts at its nearest edge.
    point.setX(std::max(std::min(point.x(), article.rect.right()), article.rect.left()));
    if (point.y() < 1)
        point.setY(0);
    if (!contains(article, point))
        return false;
    out.article = m_index;
    point -= article.rect.topLeft();
    const View* parts[] = {&article.pronounceButton, &article.deleteButton, &article.editButton,
                           &article.expandButton, &article.header};
    for (const View* part : parts) {
        if (contains(*part, point)) {
            out.kind = part->kind;
            return true;
        }
    }
    const View& showMore = article.showMoreButton;
    if (contains(showMore, point)) {
        out.kind = ShowMoreButtonKind;
        return true;
    }
    // Beside the show-more button: the body row just above it.
    if (spans(showMore, point.y()) && hitBody(QPoint(point.x(), showMore.rect.top() - 1), wordsOnly, out))
        return true;
    return hitBody(point, wordsOnly, out);
}

bool ArticleListHitTester::hitBody(QPoint point, bool wordsOnly, ArticleListPosition& out) const
{
    const auto& paragraphs = m_article->paragraphs;
    const int count = int(paragraphs.size());
    const int start = firstParagraphReaching(*m_article, point.y());
    const int end = firstParagraphBelow(*m_article, point.y());
    // First by containment, then by height alone; once a paragraph matched,
    // the later ones are tried too, wherever they stand.
    for (int pass = 0; pass < 2; ++pass) {
        int first = -1;
        for (int i = start; i < end && first < 0; ++i) {
            const ParagraphView& p = paragraphs[std::size_t(i)];
            if (pass == 0 ? contains(p, point) : spans(p, point.y()))
                first = i;
        }
        if (first < 0)
            continue;
        for (int i = first; i < count; ++i) {
            if (hitParagraph(i, point, wordsOnly, out))
                return true;
        }
    }
    return false;
}

bool ArticleListHitTester::hitParagraph(int index, QPoint point, bool wordsOnly, ArticleListPosition& out) const
{
    const ParagraphView& paragraph = m_article->paragraphs[std::size_t(index)];
    out.kind = BodyKind;
    const QPoint inside = point - paragraph.rect.topLeft();
    const int line = lineAt(paragraph, inside.y());
    if (line < 0)
        return false;
    int item = itemAt(paragraph, paragraph.lines()[std::size_t(line)], inside.x());
    if (item < 0)
        return false;
    if (wordsOnly) {
        const int left = stepToWord(paragraph, item, true);
        item = left >= 0 ? left : stepToWord(paragraph, item, false);
        if (item < 0)
            return false;
    }
    out.offset = paragraph.items()[std::size_t(item)].start();
    return true;
}

const View* partView(const ArticleView& article, int kind)
{
    switch (kind) {
    case HeaderKind:
        return &article.header;
    case DeleteButtonKind:
        return &article.deleteButton;
    case EditButtonKind:
        return &article.editButton;
    case ExpandButtonKind:
        return &article.expandButton;
    case PronounceButtonKind:
        return &article.pronounceButton;
    case BodyKind:
        return article.paragraphs.empty() ? nullptr : &article.paragraphs.front();
    case ShowMoreButtonKind:
        return &article.showMoreButton;
    default:
        return nullptr;
    }
}

bool isPartShown(const ArticleView& article, int kind)
{
    const View* view = partView(article, kind);
    if (view == nullptr || !view->visible)
        return false;
    const bool needsBody = kind == PronounceButtonKind || kind == BodyKind || kind == ShowMoreButtonKind;
    return !(needsBody && article.collapsed);
}

const View* viewAtPosition(const ArticleView& article, int articleIndex, const ArticleListPosition& position)
{
    if (position.article != articleIndex)
        return nullptr;
    if (position.kind == BodyKind) {
        const int paragraph = paragraphOfCharacter(article, position.offset);
        return paragraph < 0 ? nullptr : &article.paragraphs[std::size_t(paragraph)];
    }
    const View* view = partView(article, position.kind);
    return view != nullptr && view->visible ? view : nullptr;
}

} // namespace ArticleEngine::Controller
