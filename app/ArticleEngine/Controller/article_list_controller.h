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
#include "ArticleEngine/Controller/list_scroll_model.h"
#include "ArticleEngine/Controller/lru_cache.h"
#include "ArticleEngine/External/widget.h"

#include <QColor>
#include <QFont>

#include <map>
#include <set>

namespace ArticleEngine::External {
class ICharAnalyzer;
class IStyleServer;
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
    : public ArticleBaseController<External::IWidget, ArticleListScrollPosition, ArticleListPositionConverter> {
public:
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
    // Loads the article again without a line limit and keeps it so; the
    // caret's move past the button belongs to the navigation.
    void showMore(int index);
    void pronounce(int index);
    // The article laid out at the width (the client width for -1).
    QRect articleRect(int index, int width = -1);
    int articleHeight(int index);

    // Where the caret stands (its movement is the navigation's).
    const ArticleListPosition& caret() const { return m_caret; }
    int preferredX() const { return m_preferredX; }

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

    std::unique_ptr<ArticleEntry> load(int index);
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
    ArticleListPosition m_caret;
    int m_preferredX = 0;
    long long m_generation = 0;
    LimitKey m_limitKey;
    int m_serverCalls = 0;
};

} // namespace ArticleEngine::Controller
