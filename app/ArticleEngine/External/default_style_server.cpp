// default_style_server.cpp: the fallback style server.
#include "ArticleEngine/External/default_style_server.h"

#include "ArticleEngine/External/text_fragment_style.h"
#include "ArticleEngine/logging.h"

#include <QFont>

namespace ArticleEngine::External::Default {

StyleServer::StyleServer()
    : m_font(std::make_unique<QFont>(QStringLiteral("Arial Unicode MS"), 10))
    , m_style(std::make_unique<TextFragmentStyle>(m_font.get(), QColor(128, 129, 130, 255),
                                                  QColor(), 0, 0, 0, 0, 0))
{
}

StyleServer::~StyleServer()
{
    qCDebug(serverLog, "Default::~StyleServer");
}

bool StyleServer::isSpecialStyle(int)
{
    return false;
}

TextFragmentStyle* StyleServer::style(int number)
{
    qCDebug(serverLog, "Default::StyleServer::style(%d) ", number);
    return m_style.get();
}

} // namespace ArticleEngine::External::Default
