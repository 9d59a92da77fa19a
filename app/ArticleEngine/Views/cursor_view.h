// cursor_view.h: the selection and marks that a controller paints above
// its articles: a fill (the selection's rectangles) and marks (find
// matches, the caret), each with its own colour and visibility.
#pragma once

#include "ArticleEngine/Views/view.h"

#include <QColor>
#include <QRect>
#include <QVector>

#include <vector>

namespace ArticleEngine {

class ArticleView;

class CursorView : public View {
public:
    CursorView() = default;

    // Empties the fill and the marks.
    void reset();

    // The article the caret stands in; not owned.
    const ArticleView* article = nullptr;
    // How marks are drawn: 1 filled, 2 rounded, 3 to 7 outlined with a pen
    // style, 8 a caret line; 0 draws nothing.
    int markStyle = 0;
    int penWidth = 1;
    bool fillVisible = true;
    bool marksVisible = true;
    QVector<QRect> fill;
    std::vector<QRect> marks;
    QColor fillColor;
    QColor markColor;
};

} // namespace ArticleEngine
