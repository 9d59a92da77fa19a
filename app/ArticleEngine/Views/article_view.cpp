// article_view.cpp: the article's invalidation and its parent links.
#include "ArticleEngine/Views/article_view.h"

#include <utility>

namespace ArticleEngine {

ArticleView::ArticleView()
    : header(QString(), -1)
{
    reparentChildren();
}

ArticleView::ArticleView(const ArticleView& other)
    : View(other)
    , text(other.text)
    , tables(other.tables)
    , links(other.links)
    , labels(other.labels)
    , images(other.images)
    , collapsed(other.collapsed)
    , header(other.header)
    , paragraphs(other.paragraphs)
    , pronounceButton(other.pronounceButton)
    , deleteButton(other.deleteButton)
    , editButton(other.editButton)
    , expandButton(other.expandButton)
    , showMoreButton(other.showMoreButton)
    , lastPlacedParagraph(other.lastPlacedParagraph)
{
    reparentChildren();
}

ArticleView::ArticleView(ArticleView&& other) noexcept
    : View(other)
    , text(std::move(other.text))
    , tables(std::move(other.tables))
    , links(std::move(other.links))
    , labels(std::move(other.labels))
    , images(std::move(other.images))
    , collapsed(other.collapsed)
    , header(std::move(other.header))
    , paragraphs(std::move(other.paragraphs))
    , pronounceButton(other.pronounceButton)
    , deleteButton(other.deleteButton)
    , editButton(other.editButton)
    , expandButton(other.expandButton)
    , showMoreButton(other.showMoreButton)
    , lastPlacedParagraph(other.lastPlacedParagraph)
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
        text = std::move(other.text);
        tables = std::move(other.tables);
        links = std::move(other.links);
        labels = std::move(other.labels);
        images = std::move(other.images);
        collapsed = other.collapsed;
        header = std::move(other.header);
        paragraphs = std::move(other.paragraphs);
        pronounceButton = other.pronounceButton;
        deleteButton = other.deleteButton;
        editButton = other.editButton;
        expandButton = other.expandButton;
        showMoreButton = other.showMoreButton;
        lastPlacedParagraph = other.lastPlacedParagraph;
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
