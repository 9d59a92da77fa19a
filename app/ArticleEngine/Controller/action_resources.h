// action_resources.h: the icons of the article buttons, by name, and how an
// article's buttons get them.
//
// The resources own the icons; the button views only point at them, so the
// resources must outlive every article they were assigned to. A name
// without icon yields the default icon: a button never shows nothing.
#pragma once

#include <QIcon>
#include <QString>

#include <map>

namespace ArticleEngine {
class ArticleView;
}

namespace ArticleEngine::Controller {

struct ActionResources {
    // Names: "delete", "edit", "pronounce", "expand", "collapse", "showMore".
    std::map<QString, QIcon> icons;
    QIcon defaultIcon;
    // The same names; the list widget shows them over the buttons.
    std::map<QString, QString> toolTips;

    const QIcon* icon(const QString& name) const;
};

// Points the article's buttons at their icons; the expand/collapse button
// shows "collapse" while checked (collapsed) and "expand" otherwise.
void assignIcons(ArticleView& article, const ActionResources& resources);

} // namespace ArticleEngine::Controller
