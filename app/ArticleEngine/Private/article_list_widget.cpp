// article_list_widget.cpp: the adapter's calls, each passed to the widget.
#include "ArticleEngine/Private/article_list_widget.h"

#include "ArticleEngine/Private/article_list.h"

namespace ArticleEngine::Private {

void ArticleListWidget::copySelection()
{
    m_list.copySelection();
}

QString ArticleListWidget::clipboardText()
{
    return {};
}

QString ArticleListWidget::clipboardSource()
{
    return {};
}

bool ArticleListWidget::hasFocus()
{
    return m_list.hasFocus();
}

void ArticleListWidget::repaint()
{
    m_list.repaint();
}

void ArticleListWidget::update()
{
    m_list.update();
}

void ArticleListWidget::onWordPronounced(External::IArticleServer& server, int article, const QString& word)
{
    emit m_list.wordPronounced(server, article, word);
}

void ArticleListWidget::onWordHitted(External::IArticleServer& server, int article, const QString& word, int value)
{
    emit m_list.wordHitted(server, article, word, value);
}

void ArticleListWidget::onLinkHitted(External::IArticleServer& server, int article, const QString& text,
                                     const QString& target)
{
    emit m_list.linkHitted(server, article, text, target);
}

void ArticleListWidget::onImageHitted(External::IArticleServer& server, int article, const QString& reference)
{
    emit m_list.imageHitted(server, article, reference);
}

void ArticleListWidget::onQueryDelete(External::IArticleServer& server, int article)
{
    emit m_list.queryDelete(server, article);
}

void ArticleListWidget::onQueryEdit(External::IArticleServer& server, int article)
{
    emit m_list.queryEdit(server, article);
}

QScrollBar* ArticleListWidget::scrollBar()
{
    return m_list.scrollBar();
}

} // namespace ArticleEngine::Private
