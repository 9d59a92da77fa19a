// article_actions.cpp: forwarding guarded by the server's isValid().
#include "ArticleEngine/Controller/article_actions.h"

#include "ArticleEngine/External/article_server.h"
#include "ArticleEngine/External/widget.h"

namespace ArticleEngine::Controller {

bool ArticleActions::wordHit(int article, const QString& word, int value)
{
    if (!m_server.isValid(article))
        return false;
    m_widget.onWordHitted(m_server, article, word, value);
    return true;
}

bool ArticleActions::linkHit(int article, const QString& text, const QString& target)
{
    if (!m_server.isValid(article))
        return false;
    m_widget.onLinkHitted(m_server, article, text, target);
    return true;
}

bool ArticleActions::imageHit(int article, const QString& reference)
{
    if (!m_server.isValid(article))
        return false;
    m_widget.onImageHitted(m_server, article, reference);
    return true;
}

bool ArticleActions::queryDelete(int article)
{
    if (!m_server.isValid(article))
        return false;
    m_widget.onQueryDelete(m_server, article);
    return true;
}

bool ArticleActions::queryEdit(int article)
{
    if (!m_server.isValid(article))
        return false;
    m_widget.onQueryEdit(m_server, article);
    return true;
}

} // namespace ArticleEngine::Controller
