// logging.h: the debug output categories of the article engine.
//
// The engine traces what it reads and serves to the toolkit's debug output;
// a category per concern lets tests and users switch the noisy ones off
// ("lexvane.article.markup.debug=false").
#pragma once

#include <QLoggingCategory>

namespace ArticleEngine {

Q_DECLARE_LOGGING_CATEGORY(markupLog)
Q_DECLARE_LOGGING_CATEGORY(serverLog)
// Painting and hit testing: unknown paint modes, mismatched articles.
Q_DECLARE_LOGGING_CATEGORY(viewLog)
// Copying: the ranges the copy builders cut.
Q_DECLARE_LOGGING_CATEGORY(exportLog)

} // namespace ArticleEngine
