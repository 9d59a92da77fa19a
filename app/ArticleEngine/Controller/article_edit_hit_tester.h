// article_edit_hit_tester.h: which body offset of the edited article a
// point or a height stands for.
//
// Every point gives an offset once an article is attached: beside a line
// its nearest end, between lines or beside the text the start or the end
// of the document (by the text area's middle). Offsets lie in
// [0, length - 1].
#pragma once

#include "ArticleEngine/Controller/article_hit_tester.h"

#include <QRect>

namespace ArticleEngine::Controller {

class ArticleEditHitTester final : public IArticleHitTester {
public:
    void attach(const ArticleView* article, int articleIndex) override;
    // wordsOnly is not used: the editor places its caret on characters.
    bool hitPoint(QPoint point, bool wordsOnly, ArticleListPosition& out) const override;
    bool hitHeight(bool fromEnd, int y, ArticleListPosition& out) const override;

    // The controller's text area, in the article's parent's coordinates.
    void setTextArea(const QRect& area) { m_textArea = area; }

private:
    // The offset at a point relative to the article.
    int hitBody(QPoint point) const;
    int lastOffset() const;

    const ArticleView* m_article = nullptr;
    int m_index = -1;
    QRect m_textArea;
};

} // namespace ArticleEngine::Controller
