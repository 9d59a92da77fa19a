// article_header_view.cpp: the header's construction.
#include "ArticleEngine/Views/article_header_view.h"

namespace ArticleEngine {

ArticleHeaderView::ArticleHeaderView(const QString& title, int number)
    : title(title)
{
    this->number = number;
    kind = HeaderKind;
}

} // namespace ArticleEngine
