// selection_text.cpp: the plain-text builder.
#include "ArticleEngine/Controller/selection_text.h"

#include <algorithm>

namespace ArticleEngine::Controller {

QString selectionText(const ExportedArticle& article, ArticleEditPosition start, ArticleEditPosition end,
                      bool endAtOffset)
{
    const ExportRange range = exportRange(article, start, end, endAtOffset);
    QString text;
    if (range.withHeader)
        text += article.leadText + QLatin1Char('\n');
    if (!range.withBody)
        return text;

    const ArticleContent& content = article.content;
    for (const ParagraphRange& paragraph : content.paragraphs) {
        const int from = std::max(paragraph.start, range.from);
        const int to = std::min(paragraph.end, range.to);
        if (from >= to)
            continue;
        if (from == paragraph.start)
            text += QString(std::max(paragraph.indent, 0), QLatin1Char('\t'));
        text += QStringView(content.text).mid(from, to - from);
    }
    return text;
}

} // namespace ArticleEngine::Controller
