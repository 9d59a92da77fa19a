// export_range.cpp: cutting a pair of positions to one article.
#include "ArticleEngine/Controller/export_range.h"

#include <algorithm>

namespace ArticleEngine::Controller {

namespace {

// The end of the text item holding the character at offset; the offset
// itself when no item holds it.
int endOfItemAt(const ArticleView& view, int offset)
{
    for (const ParagraphView& paragraph : view.paragraphs) {
        if (offset < paragraph.textStart() || offset >= paragraph.textEnd())
            continue;
        for (const TextItemView& item : paragraph.items()) {
            if (offset >= item.start() && offset < item.end())
                return item.end();
        }
    }
    return offset;
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
        range.to = endAtOffset ? offset : std::min(endOfItemAt(article.view, offset), length);
    } else {
        // The show-more button stands after the whole body.
        range.to = length;
    }
    range.to = std::max(range.to, range.from);
    return range;
}

} // namespace ArticleEngine::Controller
