// selection_text.h: the plain-text form of a selected part of an article:
// the headword line when the part starts at the article's start, then the
// selected paragraphs, each indented by its level in tabs.
//
// A paragraph that the range enters in the middle is not indented: the
// tabs stand for the paragraph's start, which was not copied.
#pragma once

#include "ArticleEngine/Controller/export_range.h"

#include <QString>

namespace ArticleEngine::Controller {

QString selectionText(const ExportedArticle& article, ArticleEditPosition start, ArticleEditPosition end,
                      bool endAtOffset);

} // namespace ArticleEngine::Controller
