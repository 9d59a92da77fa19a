// selection_source.h: the source form of a selected part of an article:
// its markup as the editor writes it, a line feed, and a style sheet with
// a line for every style the markup's runs use, so that the editor can
// paste it back with its looks in another article.
#pragma once

#include "ArticleEngine/Controller/export_range.h"

#include <QString>
#include <QStringView>

namespace ArticleEngine::External {
class IStyleServer;
}

namespace ArticleEngine::Controller {

// The markup of the range's body, without the lead text.
QString selectionBodyMarkup(const ExportedArticle& article, const ExportRange& range);

// The lead text (when the range starts at the article's start) and the
// markup of the range, then "\n" and the style sheet.
QString selectionSource(const ExportedArticle& article, External::IStyleServer& styles,
                        ArticleEditPosition start, ArticleEditPosition end, bool endAtOffset = true);

// Markup followed by "\n" and the style sheet of its runs.
QString withStyleSheet(const QString& markup, External::IStyleServer& styles);

// A headword as the run of style 0 on a line of its own that the list
// writes in front of an article's copied markup; escaped like any run.
QString headerRun(QStringView headword);

} // namespace ArticleEngine::Controller
