// article_header_view.h: the title row of an article.
//
// The header keeps its own style (the controller's header font, shared, and
// its colours) and, once measured, the size of its title and the font's
// ascent as the baseline; -1 while it was never measured.
#pragma once

#include "ArticleEngine/External/text_fragment_style.h"
#include "ArticleEngine/Views/view.h"

#include <QColor>
#include <QSize>
#include <QString>

namespace ArticleEngine {

class ArticleHeaderView : public View {
public:
    ArticleHeaderView(const QString& title = QString(), int number = -1);

    QString title;
    TextFragmentStyle style;
    // The background painted behind the header row; invalid when none.
    QColor color;
    // The font's ascent, measured with the title; -1 when not measured.
    int baseline = -1;
    // The title's bounding size in the header font.
    QSize textSize;
};

} // namespace ArticleEngine
