// article_view.cpp: the article's invalidation and its parent links.
#include "ArticleEngine/Views/article_view.h"

#include <utility>

namespace ArticleEngine {

ArticleView::ArticleView()
{
    reparentChildren();
}

ArticleView::ArticleView(const ArticleView& other)
    : View(other)
    , ArticleParts(other)
{
    reparentChildren();
}

ArticleView::ArticleView(ArticleView&& other) noexcept
    : View(other)
    , ArticleParts(std::move(other))
{
    reparentChildren();
}

ArticleView& ArticleView::operator=(const ArticleView& other)
{
    if (this != &other) {
        ArticleView copy(other);
        *this = std::move(copy);
    }
    return *this;
}

ArticleView& ArticleView::operator=(ArticleView&& other) noexcept
{
    if (this != &other) {
        View::operator=(other);
        ArticleParts::operator=(std::move(other));
        reparentChildren();
    }
    return *this;
}

void ArticleView::invalidate()
{
    pronounceButton.invalidate();
    deleteButton.invalidate();
    editButton.invalidate();
    expandButton.invalidate();
    showMoreButton.invalidate();
    for (ParagraphView& paragraph : paragraphs)
        paragraph.invalidate();
    View::invalidate();
}

void ArticleView::reparentChildren()
{
    header.setParent(this);
    pronounceButton.setParent(this);
    deleteButton.setParent(this);
    editButton.setParent(this);
    expandButton.setParent(this);
    showMoreButton.setParent(this);
    // A paragraph keeps its own items' links: its copy and move
    // constructors re-set them, and moving the vector keeps its buffer.
    for (ParagraphView& paragraph : paragraphs)
        paragraph.setParent(this);
}

} // namespace ArticleEngine
