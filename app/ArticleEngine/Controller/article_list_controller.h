// article_list_controller.h: the controller of the read-only article list:
// the articles of one server shown as one long document that scrolls
// vertically, each laid out to the client width, article i + 1 right below
// article i.
//
// Invariants: only the visible articles are laid out for the screen;
// laid-out articles are cached (live cache), and invalidation retires them
// to a small second cache instead of deleting them all at once. The scroll
// limit is recomputed only when the content, the width or the viewport
// height changed, so that a refresh does not reload the articles at the
// end of the list. An article the server calls valid but refuses is asked
// for twice at most and then counts as absent until the next invalidation
// (docs/behaviour/article-controller.md).
#pragma once

#include "ArticleEngine/Controller/action_resources.h"
#include "ArticleEngine/Controller/article_base_controller.h"
#include "ArticleEngine/Controller/article_entry.h"
#include "ArticleEngine/Controller/article_list_position.h"
#include "ArticleEngine/Controller/list_navigation.h"
#include "ArticleEngine/Controller/list_scroll_model.h"
#include "ArticleEngine/Controller/list_selection.h"
#include "ArticleEngine/Controller/lru_cache.h"
#include "ArticleEngine/External/widget.h"
#include "ArticleEngine/Views/cursor_view.h"

#include <QColor>
#include <QFont>

#include <map>
#include <set>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ArticleEngine::External {
class ICharAnalyzer;
class IStyleServer;
class ITextFinder;
}

namespace ArticleEngine {
struct PaintContext;
}

namespace ArticleEngine::Loading {
class TextMetricSource;
}

namespace ArticleEngine::Controller {

// Scroll position to scroll-bar state and back, for the list.
struct ArticleListPositionConverter {
    static ScrollBarState toScrollBar(const ScrollBarState& bar, const ArticleListScrollPosition& position,
                                      int articleCount, int clientHeight)
    {
        return scrollBarState(bar, position, articleCount, clientHeight);
    }
    static ArticleListScrollPosition fromScrollBar(const ScrollBarState& bar,
                                                   const ArticleListScrollPosition& position, int articleCount,
                                                   const ArticleHeight& height)
    {
        return positionFromScrollBar(position, bar, articleCount, height);
    }
};

class ArticleListController final
    : public ArticleBaseController<External::IWidget, ArticleListScrollPosition, ArticleListPositionConverter>,
      private NavigableList {
public:
    using Matches = std::vector<std::pair<int, int>>;

    // The list widget passes 80 and 3.
    ArticleListController(int liveCapacity = 80, int retiredCapacity = 3);
    ~ArticleListController() override;

    // Settings; those that change the look of built articles invalidate the
    // cache, keeping the remembered collapsed states.
    void setHeaderColors(const QColor& highlightUnfocused, const QColor& textUnfocused,
                         const QColor& highlightFocused, const QColor& textFocused);
    void setArticleFont(const QFont& font);
    void setShowDebugFrames(bool show);
    void setActionResources(ActionResources resources);
    const ActionResources& actionResources() const { return m_actionResources; }

    QColor backgroundColor{255, 255, 255};
    QColor headerHighlightUnfocused{144, 144, 120};
    QColor headerTextUnfocused{33, 33, 33};
    QColor headerHighlightFocused{255, 255, 120};
    QColor headerTextFocused{0, 0, 0};
    QColor caretFill{100, 200, 255, 64};
    QColor caretBorder{0, 128, 200};
    int caretStyle = 5;
    // Assigned directly by the widget; a change only needs a repaint.
    QColor markColor{255, 190, 0, 100};
    QColor matchColor{0, 190, 190, 50};
    bool showCaret = true;
    bool showMarks = true;
    bool findActive = false;

    const QFont& articleFont() const { return m_articleFont; }
    bool showDebugFrames() const { return m_showDebugFrames; }

    // Layout measures with the toolkit's font metrics unless given a
    // source (tests); the source must outlive the controller.
    void setMetricSource(Loading::TextMetricSource* metrics) { m_metrics = metrics; }

    // The servers are not owned and must outlive the controller's use.
    void setServers(External::IStyleServer* styles, External::ICharAnalyzer* analyzer,
                    External::IArticleServer* articles);
    void restart();

    int articleCount() const;
    // The entry of a valid article, loaded when not cached; null for an
    // invalid index or an article the server refused.
    ArticleEntry* article(int index);
    void invalidate(bool dropState, bool dropMatches);
    bool isCollapsed(int index);
    void setCollapsed(int index, bool collapsed);
    // Loads the article again without a line limit and keeps it so; when
    // there was a text stop before its show-more button, the caret goes to
    // the first word after that stop.
    void showMore(int index);
    void pronounce(int index);
    // The article laid out at the width (the client width for -1).
    QRect articleRect(int index, int width = -1);
    int articleHeight(int index);

    // Caret, selection and input (article_list_input.cpp).
    const ArticleListPosition& caret() const { return m_selection.caret; }
    const ArticleListPosition& selectionStart() const { return m_selection.selectionStart; }
    const ArticleListPosition& selectionEnd() const { return m_selection.selectionEnd; }
    const ArticleListPosition& anchor() const { return m_selection.anchor; }
    const ArticleListPosition& movingEnd() const { return m_selection.movingEnd; }
    // The x that vertical moves try to keep, in the list's coordinates.
    int preferredX() const { return m_preferredX; }

    // All five positions become the position; with updateX the preferred x
    // becomes the middle of the position's view, with ensureVisible the
    // position is scrolled into view.
    void setCaret(const ArticleListPosition& position, bool updateX, bool ensureVisible);
    // The moving end goes to the position, the anchor stays.
    void extendSelection(const ArticleListPosition& position, bool updateX, bool ensureVisible);
    // Scrolls the position's view to the top of the viewport unless it is
    // laid out and fully visible already.
    void ensureVisible(const ArticleListPosition& position);

    // The walks of the caret (list_navigation.h); nothing at the ends.
    OptionalPosition nextPosition(const ArticleListPosition& p) { return m_navigation.nextPosition(p); }
    OptionalPosition previousPosition(const ArticleListPosition& p) { return m_navigation.previousPosition(p); }
    OptionalPosition nextWordStop(const ArticleListPosition& p) { return m_navigation.nextWordStop(p); }
    OptionalPosition previousWordStop(const ArticleListPosition& p) { return m_navigation.previousWordStop(p); }
    ArticleListPosition lineStart(const ArticleListPosition& p) { return m_navigation.lineStart(p); }
    ArticleListPosition lineEnd(const ArticleListPosition& p) { return m_navigation.lineEnd(p); }
    OptionalPosition lineBelow(const ArticleListPosition& p, int x) { return m_navigation.lineBelow(p, x); }
    OptionalPosition lineAbove(const ArticleListPosition& p, int x) { return m_navigation.lineAbove(p, x); }
    OptionalPosition firstPosition() { return m_navigation.firstPosition(); }
    OptionalPosition lastPosition() { return m_navigation.lastPosition(); }
    OptionalPosition lastPositionOf(int article) { return m_navigation.lastPositionOf(article); }
    // The first stop of the line at the viewport's top and the last stop of
    // the line at its bottom; nothing when the top article has no view.
    OptionalPosition firstVisiblePosition();
    OptionalPosition lastVisiblePosition();
    // Where a stop is drawn in the list's coordinates (the caret box of a
    // text position is its word on the row of its item).
    QRect stopRect(const ArticleListPosition& p) { return m_navigation.stopRect(p); }
    int lineOf(const ArticleListPosition& p) { return m_navigation.lineOf(p); }

    // The position under a point of the widget; with snap, a point that
    // hits no article gives the list's last position.
    bool hitTest(QPoint point, bool snap, ArticleListPosition& out);
    bool isOverLink(QPoint point);
    // The actions of a part: Enter, a left press, a double click. True when
    // the action loaded more text (the layout changed under the point).
    bool activate(const ArticleListPosition& position);
    bool click(const ArticleListPosition& position);
    bool doubleClick(const ArticleListPosition& position);
    // Puts the caret on the first text item of the article whose name is
    // the name; false when there is none.
    bool locate(int article, const QString& name);
    // What the last paint gave the cursor view (selection and caret box).
    const CursorView& cursorView() const { return m_cursor; }

    // Find in articles (article_list_find.cpp). The finder is not owned;
    // null ends the find.
    void setTextFinder(External::ITextFinder* finder);
    External::ITextFinder* textFinder() const { return m_textFinder; }
    // The finder is dropped and the server's marks shown again; the
    // matches stay until the next find or restart.
    void clearFind();
    // The matches of an article, found on first use.
    const Matches& matches(int article);
    bool findFirst();
    bool findLast();
    bool findNext(bool wrap);
    bool findPrevious(bool wrap);
    int currentMatchArticle() const { return m_currentMatch.first; }
    int currentMatchIndex() const { return m_currentMatch.second; }

    // Server calls so far (for tests and benchmarks).
    int serverCalls() const { return m_serverCalls; }

    int lineHeight() override;
    int visibleLines() override;
    void paint(const QRect& rect, QPainter* painter) override;
    // Prints every article on a QPrinter (other devices print nothing).
    void print(QPaintDevice* device) override;
    void scrollPositionAboutToChange(const ArticleListScrollPosition& position) override;
    void layout() override;
    void scrollBy(int pixels) override;
    void syncScrollBar() override;
    void syncFromScrollBar() override;
    void updateScrollLimit() override;
    void fixBottomGap() override;
    void clear() override;
    bool mouseEvent(QMouseEvent* event) override;
    bool keyEvent(QKeyEvent* event) override;
    bool scrollBarEvent(int value) override;

private:
    struct RememberedState {
        bool collapsed = false;
        bool showAll = false;
    };
    struct LimitKey {
        long long generation = -1;
        int articleCount = -1;
        int width = -1;
        int height = -1;
        bool operator==(const LimitKey&) const = default;
    };

    int navigableCount() override { return articleCount(); }
    const ArticleView* laidOutArticle(int index) override;

    std::unique_ptr<ArticleEntry> load(int index);
    // Retires the article and remembers it as shown in full, so that it is
    // loaded again without a line limit when next asked for.
    void retireToShowInFull(int index);
    void updatePreferredX(const ArticleListPosition& position);
    void paintSelection(PaintContext& context);
    bool runAction(const ArticleListPosition& position, int trigger);
    bool advanceMatch(int step);
    void selectCurrentMatch();
    void setPosition(const ArticleListScrollPosition& position);
    void applyHeaderColors(ArticleEntry& entry);
    ArticleHeight heightFunction();
    void contentChanged() { ++m_generation; }

    External::IStyleServer* m_styles = nullptr;
    External::ICharAnalyzer* m_analyzer = nullptr;
    External::IArticleServer* m_articles = nullptr;
    Loading::TextMetricSource* m_metrics = nullptr;
    ActionResources m_actionResources;
    // Declared before the caches: built articles point at it.
    QFont m_articleFont{QStringLiteral("MS Arial Unicode"), 14};
    bool m_showDebugFrames = false;
    LruCache<ArticleEntry> m_live;
    LruCache<ArticleEntry> m_retired;
    std::map<int, RememberedState> m_state;
    std::set<int> m_refused;
    CaretRecord m_selection;
    ListNavigation m_navigation{*this};
    CursorView m_cursor;
    int m_preferredX = 0;
    External::ITextFinder* m_textFinder = nullptr;
    std::unordered_map<int, Matches> m_matches;
    // (article, index) of the match last selected.
    std::pair<int, int> m_currentMatch{-1, -1};
    // Set by starting a find: every article is loaded in full from then on,
    // as though each one remembered show-all (until the states are dropped).
    bool m_everyArticleInFull = false;
    long long m_generation = 0;
    LimitKey m_limitKey;
    int m_serverCalls = 0;
};

} // namespace ArticleEngine::Controller
