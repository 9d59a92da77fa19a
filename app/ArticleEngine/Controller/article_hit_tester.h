// article_hit_tester.h: turning a point or a height into a position inside
// one article, and the part look-ups that the controllers share.
//
// A tester works over one attached article at a time, in the controller's
// coordinates (the article's rectangle is in them). It does not look at the
// collapsed flag: on a collapsed article it answers from the views' last
// rectangles, and isPartShown() is the test that rules such hits out.
// Every look-up answers false or null rather than failing.
#pragma once

#include "ArticleEngine/Controller/article_list_position.h"

#include <QPoint>

namespace ArticleEngine {
class ArticleView;
class View;
}

namespace ArticleEngine::Controller {

class IArticleHitTester {
public:
    virtual void attach(const ArticleView* article, int articleIndex) = 0;
    virtual bool hitPoint(QPoint point, bool wordsOnly, ArticleListPosition& out) const = 0;
    virtual bool hitHeight(bool fromEnd, int y, ArticleListPosition& out) const = 0;
    virtual ~IArticleHitTester() = default;
};

class ArticleListHitTester final : public IArticleHitTester {
public:
    // An article whose own number is not articleIndex writes a debug line;
    // the tester goes on with it.
    void attach(const ArticleView* article, int articleIndex) override;
    bool hitPoint(QPoint point, bool wordsOnly, ArticleListPosition& out) const override;
    bool hitHeight(bool fromEnd, int y, ArticleListPosition& out) const override;

private:
    // The body search at a point relative to the article.
    bool hitBody(QPoint point, bool wordsOnly, ArticleListPosition& out) const;
    bool hitParagraph(int paragraph, QPoint point, bool wordsOnly, ArticleListPosition& out) const;

    const ArticleView* m_article = nullptr;
    int m_index = -1;
};

// The part view of a kind; for the body the first paragraph (null when the
// article has none).
const View* partView(const ArticleView& article, int kind);
// The part exists and is visible; the pronounce, body and show-more parts
// also need the article open.
bool isPartShown(const ArticleView& article, int kind);
// For a position in this article: the paragraph that holds a body offset,
// else the first visible part view of the position's kind; null otherwise.
const View* viewAtPosition(const ArticleView& article, int articleIndex, const ArticleListPosition& position);

} // namespace ArticleEngine::Controller
