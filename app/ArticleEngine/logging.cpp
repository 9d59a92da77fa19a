// logging.cpp: the definitions of the article engine's debug categories.
#include "ArticleEngine/logging.h"

namespace ArticleEngine {

Q_LOGGING_CATEGORY(markupLog, "lexvane.article.markup")
Q_LOGGING_CATEGORY(serverLog, "lexvane.article.servers")
Q_LOGGING_CATEGORY(viewLog, "lexvane.article.views")
Q_LOGGING_CATEGORY(exportLog, "lexvane.article.export")

} // namespace ArticleEngine
