// article_layout_loader.h: lays out one article: its header row, its body
// and its pronounce and show-more buttons.
//
// The article keeps the given rectangle's top-left corner and width; its
// parts are placed relative to it, from (0, 0). The body is laid out by the
// table pass when the article has tables, else by the row pass; a collapsed
// article lays out its header row only. An article placed before at the
// same width keeps its layout and only moves. After run() the article is
// placed (state 2) when every paragraph is, else laid out in part (1).
#pragma once

#include "ArticleEngine/Loading/abstract_layout_loader.h"

namespace ArticleEngine {
class ArticleView;
}

namespace ArticleEngine::Loading {

class ArticleLayoutLoader final : public AbstractLayoutLoader<ArticleView> {
public:
    // partial: lay out only what fits the rectangle's height.
    ArticleLayoutLoader(ArticleView& article, const QRect& rect, bool partial)
        : AbstractLayoutLoader(article, rect, partial)
    {
    }

    void run() override;

    // After run(): the paragraphs that were laid out anew, not kept.
    int paragraphsLaidOut() const { return m_laidOut; }

private:
    int m_laidOut = 0;
};

} // namespace ArticleEngine::Loading
