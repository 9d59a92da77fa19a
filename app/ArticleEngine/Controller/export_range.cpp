// export_range.cpp: cutting a pair of positions to one article.
#include "ArticleEngine/Controller/export_range.h"

#include "ArticleEngine/Controller/list_navigation.h"

#include <algorithm>

namespace ArticleEngine::Controller {

namespace {

// The end of the word holding the character at offset (the run of word
// items around it: our layout makes an item per character, and the list
// shows the word at a selection's end as selected); the end of the item
// itself when it is no word, the offset when no item holds it.
int endOfWordAt(const ArticleView& view, int offset)
{
    const auto [paragraph, item] = Stops::itemAt(view, offset);
    if (paragraph == nullptr || item == nullptr)
        return offset;
    const auto items = paragraph->items();
    const int last = Stops::wordItems(*paragraph, int(item - items.data())).second;
    return items[std::size_t(last)].end();
}

} // namespace

ExportRange exportRange(const ExportedArticle& article, ArticleEditPosition start, ArticleEditPosition end,
                        bool endAtOffset)
{
    const int number = article.view.number;
    const int length = int(article.content.text.size());
    if (start.article < number)
        start = ArticleEditPosition::articleStart(number);
    // The end of the body: past the last character for an end between
    // characters, on the last character for an end that covers one.
    if (end.article > number)
        end = ArticleEditPosition::body(endAtOffset ? length : std::max(length - 1, 0), number);

    ExportRange range;
    if (start.article != number || end.article != number || start.kind == NoKind || end.kind == NoKind
        || end < start)
        return range;

    range.withHeader = start.kind == HeaderKind;
    range.withBody = end.kind >= BodyKind && !article.collapsed;
    if (!range.withBody)
        return range;

    if (start.kind < BodyKind)
        range.from = 0;
    else if (start.kind == BodyKind)
        range.from = std::clamp(start.offset, 0, length);
    else
        range.from = length;

    if (end.kind == BodyKind) {
        const int offset = std::clamp(end.offset, 0, length);
        range.to = endAtOffset ? offset : std::min(endOfWordAt(article.view, offset), length);
    } else {
        // The show-more button stands after the whole body.
        range.to = length;
    }
    range.to = std::max(range.to, range.from);
    return range;
}

} // namespace ArticleEngine::Controller
