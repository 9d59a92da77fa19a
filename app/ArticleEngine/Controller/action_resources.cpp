// action_resources.cpp: icon look-up by name and assignment to buttons.
#include "ArticleEngine/Controller/action_resources.h"

#include "ArticleEngine/Views/article_view.h"

namespace ArticleEngine::Controller {

const QIcon* ActionResources::icon(const QString& name) const
{
    const auto found = icons.find(name);
    return found == icons.end() ? &defaultIcon : &found->second;
}

void assignIcons(ArticleView& article, const ActionResources& resources)
{
    article.editButton.icon = resources.icon(QStringLiteral("edit"));
    article.deleteButton.icon = resources.icon(QStringLiteral("delete"));
    article.expandButton.firstIcon = resources.icon(QStringLiteral("collapse"));
    article.expandButton.secondIcon = resources.icon(QStringLiteral("expand"));
    article.pronounceButton.icon = resources.icon(QStringLiteral("pronounce"));
    article.showMoreButton.icon = resources.icon(QStringLiteral("showMore"));
}

} // namespace ArticleEngine::Controller
