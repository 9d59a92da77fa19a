// article_layout_loader.cpp: the header row, the body pass and the height.
#include "ArticleEngine/Loading/article_layout_loader.h"

#include "ArticleEngine/Loading/body_pass.h"
#include "ArticleEngine/Loading/button_placement.h"
#include "ArticleEngine/Loading/row_pass.h"
#include "ArticleEngine/Loading/table_pass.h"
#include "ArticleEngine/Views/article_view.h"

#include <algorithm>

namespace ArticleEngine::Loading {

void ArticleLayoutLoader::run()
{
    ArticleView& article = m_view;
    const int width = m_rect.width();
    const int count = int(article.paragraphs.size());
    if (article.layoutState == Placed && article.rect.width() == width) {
        article.rect.moveTopLeft(m_rect.topLeft());
        int last = count - 1;
        while (last >= 0 && article.paragraphs[std::size_t(last)].layoutState != Placed)
            --last;
        article.lastPlacedParagraph = article.collapsed ? -1 : last;
        return;
    }

    QRect area(0, 0, width, m_rect.height());
    placeHeaderRow(article, area);
    // The article is at least its header row; with a hidden header, 0 high.
    int bottom = article.header.rect.bottom();
    bool complete = true;
    article.lastPlacedParagraph = -1;
    if (!article.collapsed) {
        BodyPass pass(article, area, m_flag, pronounceIndent(article));
        if (article.tables.empty())
            layOutRows(pass);
        else
            layOutTables(pass);
        m_laidOut = pass.laidOutAnew;
        article.lastPlacedParagraph = pass.lastPlaced;
        complete = pass.lastPlaced == count - 1;
        if (pass.lastPlaced >= 0) {
            bottom = std::max(bottom, area.top() - 1);
            if (article.pronounceButton.visible)
                placePronounceButton(article);
        }
        if (article.showMoreButton.visible && count > 0 && complete) {
            placeShowMoreButton(article, pass.lineNumber - 1);
            bottom = article.showMoreButton.rect.bottom();
        }
    }
    article.rect = QRect(m_rect.left(), m_rect.top(), width, bottom + 1);
    article.layoutState = complete ? Placed : ItemLaidOut;
}

} // namespace ArticleEngine::Loading
