// button_views.h: the icon buttons of an article (pronounce, delete, edit,
// expand/collapse, show more).
//
// The icons belong to the controller's action resources; the buttons only
// point at them, so copying a button shares its icons.
#pragma once

#include "ArticleEngine/Views/view.h"

class QIcon;

namespace ArticleEngine {

class PushButtonView : public View {
public:
    explicit PushButtonView(ViewKind buttonKind = NoKind) { kind = buttonKind; }

    const QIcon* icon = nullptr;
};

class CheckButtonView : public View {
public:
    explicit CheckButtonView(ViewKind buttonKind = NoKind) { kind = buttonKind; }

    // Shown while checked.
    const QIcon* firstIcon = nullptr;
    // Shown while not checked.
    const QIcon* secondIcon = nullptr;
    bool checked = false;
};

} // namespace ArticleEngine
