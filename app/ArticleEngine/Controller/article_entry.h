// article_entry.h: one article of the list controller's cache: its view
// (once built) and its remembered collapsed and show-all flags.
//
// Invariant: while the view exists, its collapsed flag and the expand/
// collapse button's checked flag equal the entry's collapsed flag. Before
// the view exists, setCollapsed() changes nothing: the list controller
// remembers the state and applies it to the entry it builds.
#pragma once

#include "ArticleEngine/Controller/article_hit_tester.h"
#include "ArticleEngine/External/article_server.h"
#include "ArticleEngine/Loading/article_builder.h"
#include "ArticleEngine/Markup/character_range.h"
#include "ArticleEngine/Views/article_view.h"

#include <memory>
#include <vector>

namespace ArticleEngine::Controller {

class ArticleEntry {
public:
    const ArticleView* view() const { return m_view.get(); }
    ArticleView* view() { return m_view.get(); }
    void setView(std::unique_ptr<ArticleView> view);

    bool collapsed() const { return m_collapsed; }
    bool showAll() const { return m_showAll; }
    // A change of either flag invalidates the view, so that the next layout
    // shows the article collapsed to its header row, or open again.
    void setCollapsed(bool collapsed, bool showAll);
    void setCollapsed(bool collapsed) { setCollapsed(collapsed, m_showAll); }

    // What the server returned for the article and what building it left:
    // the list controller keeps both for painting marks and debug frames.
    External::ArticleRecord record;
    Loading::ArticleLayoutRecord layoutRecord;
    // The marked words as character ranges of the article's text.
    std::vector<CharacterRange> marks;
    // Attached to the view by the list controller when it builds the entry.
    ArticleListHitTester hitTester;

private:
    std::unique_ptr<ArticleView> m_view;
    bool m_collapsed = false;
    bool m_showAll = false;
};

} // namespace ArticleEngine::Controller
