// article_entry.cpp: collapsing an article entry.
#include "ArticleEngine/Controller/article_entry.h"

#include <utility>

namespace ArticleEngine::Controller {

void ArticleEntry::setView(std::unique_ptr<ArticleView> view)
{
    m_view = std::move(view);
    if (m_view != nullptr) {
        m_view->collapsed = m_collapsed;
        m_view->expandButton.checked = m_collapsed;
    }
}

void ArticleEntry::setCollapsed(bool collapsed, bool showAll)
{
    if (m_view == nullptr)
        return;
    if (collapsed != m_collapsed) {
        m_view->collapsed = collapsed;
        m_view->invalidate();
    }
    if (showAll != m_showAll)
        m_view->invalidate();
    m_collapsed = collapsed;
    m_showAll = showAll;
    m_view->expandButton.checked = collapsed;
}

} // namespace ArticleEngine::Controller
