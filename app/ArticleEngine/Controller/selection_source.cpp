// selection_source.cpp: the source builder, over the editor's markup writer.
#include "ArticleEngine/Controller/selection_source.h"

#include "ArticleEngine/Controller/style_css.h"
#include "ArticleEngine/Markup/markup_writer.h"

namespace ArticleEngine::Controller {

QString selectionBodyMarkup(const ExportedArticle& article, const ExportRange& range)
{
    if (!range.withBody || range.from >= range.to)
        return {};
    return writeMarkup(article.content, range.from, range.to, false);
}

QString selectionSource(const ExportedArticle& article, External::IStyleServer& styles,
                        ArticleEditPosition start, ArticleEditPosition end, bool endAtOffset)
{
    const ExportRange range = exportRange(article, start, end, endAtOffset);
    QString markup;
    if (range.withHeader)
        markup += article.leadText;
    markup += selectionBodyMarkup(article, range);
    return withStyleSheet(markup, styles);
}

QString withStyleSheet(const QString& markup, External::IStyleServer& styles)
{
    return markup + QLatin1Char('\n') + styleSheet(markup, styles);
}

QString headerRun(QStringView headword)
{
    return QStringLiteral("#00\"%0a") + escapeRunText(headword) + QStringLiteral("%0a\"");
}

} // namespace ArticleEngine::Controller
