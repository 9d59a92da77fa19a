// row_pass.cpp: the article pass without tables.
//
// Paragraphs are packed into rows by their width percentages: a paragraph
// that does not fit in what is left of the row (its percent added to the
// row's would pass 100) begins the next row. A finished row of more than
// one paragraph is equalised: every paragraph ends on the row's lowest
// line and each stands right after the one before. With the default width
// of 100 every paragraph is a row of its own. The last row is left as it
// is. See docs/behaviour/article-layout.md, "Rows".
#include "ArticleEngine/Loading/row_pass.h"

#include "ArticleEngine/Views/article_view.h"

#include <algorithm>

namespace ArticleEngine::Loading {

void layOutRows(BodyPass& pass)
{
    std::vector<ParagraphView>& paragraphs = pass.article.paragraphs;
    QRect& area = pass.area;
    const int width = area.width();
    const int count = int(paragraphs.size());
    int used = 0;
    int rowHeight = 0;
    int rowStart = -1;

    auto finishRow = [&](int end) {
        if (rowStart > -1) {
            for (int d = rowStart; d < end; ++d) {
                ParagraphView& paragraph = paragraphs[std::size_t(d)];
                paragraph.rect.setBottom(paragraph.rect.top() + rowHeight - 1);
                paragraph.frame.borderColor = QColor(0, 0, 0, 255);
                if (d > rowStart) {
                    const QRect& before = paragraphs[std::size_t(d - 1)].rect;
                    paragraph.rect.moveTopLeft(QPoint(before.right() + 1, before.top()));
                }
            }
            rowStart = -1;
        }
        area.setTop(area.top() + rowHeight);
        used = 0;
        rowHeight = 0;
    };

    int i = 0;
    for (; i < count; ++i) {
        ParagraphView& paragraph = paragraphs[std::size_t(i)];
        const int percent = std::clamp(paragraph.frame.widthPercent, 0, 100);
        if (used < 100 && rowStart == -1)
            rowStart = i - 1;
        if (used + percent > 100)
            finishRow(i);
        // A partial pass stops where a row would begin below the area. (It
        // never cuts a row: the row's paragraphs are equalised together.)
        if (pass.partial && used == 0 && area.height() <= 0)
            break;
        const int left = area.left() + width * used / 100;
        pass.layOut(i, QRect(QPoint(left, area.top()),
                             QPoint(left + width * percent / 100 - 1, area.bottom())));
        rowHeight = std::max(rowHeight, paragraph.rect.height());
        used += percent;
    }
    area.setTop(area.top() + rowHeight);
    pass.finish(i);
}

} // namespace ArticleEngine::Loading
