// article_list_controller.cpp: loading and caching articles, the list's
// scroll model applied to the controller, the scroll bar and painting.
#include "ArticleEngine/Controller/article_list_controller.h"

#include "ArticleEngine/Controller/debug_overlay.h"
#include "ArticleEngine/Controller/print_pagination.h"
#include "ArticleEngine/External/char_analyzer.h"
#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/Loading/article_layout_loader.h"
#include "ArticleEngine/Loading/text_metric_source.h"
#include "ArticleEngine/Views/paint_context.h"
#include "ArticleEngine/Views/view_painter.h"
#include "ArticleEngine/logging.h"

#include <QPainter>
#include <QPrinter>
#include <QScrollBar>

#include <algorithm>
#include <utility>

namespace ArticleEngine::Controller {

namespace {

// A server that calls an article valid and refuses it is asked once more,
// then the article counts as absent.
constexpr int requestAttempts = 2;

} // namespace

ArticleListController::ArticleListController(int liveCapacity, int retiredCapacity)
    : m_live(liveCapacity)
    , m_retired(retiredCapacity)
{
    ArticleListScrollPosition cleared;
    cleared.bottomArticle = -1;
    storePosition(cleared);
}

ArticleListController::~ArticleListController() = default;

void ArticleListController::setHeaderColors(const QColor& highlightUnfocused, const QColor& textUnfocused,
                                            const QColor& highlightFocused, const QColor& textFocused)
{
    headerHighlightUnfocused = highlightUnfocused;
    headerTextUnfocused = textUnfocused;
    headerHighlightFocused = highlightFocused;
    headerTextFocused = textFocused;
    invalidate(false, false);
}

void ArticleListController::setArticleFont(const QFont& font)
{
    // Retire first: the retired entries' headers still point at the font,
    // which is only assigned to, never replaced.
    invalidate(false, false);
    m_articleFont = font;
}

void ArticleListController::setShowDebugFrames(bool show)
{
    m_showDebugFrames = show;
    invalidate(false, false);
}

void ArticleListController::setActionResources(ActionResources resources)
{
    // Entries point at the icons: retire them all and drop the retired ones
    // before the old icons go.
    invalidate(false, false);
    m_retired.takeAll();
    m_actionResources = std::move(resources);
}

void ArticleListController::setServers(External::IStyleServer* styles, External::ICharAnalyzer* analyzer,
                                       External::IArticleServer* articles)
{
    // Built articles share the old style server's fonts: none may survive.
    m_live.takeAll();
    m_retired.takeAll();
    m_styles = styles;
    m_analyzer = analyzer;
    m_articles = articles;
    restart();
}

void ArticleListController::restart()
{
    findActive = false;
    showMarks = true;
    m_textFinder = nullptr;
    m_currentMatch = {-1, -1};
    m_selection.reset(ArticleListPosition{});
    clear();
    refresh();
    if (m_articles != nullptr && m_articles->isValid(0))
        setCaret(ArticleListPosition{0, ExpandButtonKind, -1}, false, true);
}

int ArticleListController::articleCount() const
{
    return m_articles != nullptr ? std::max(0, m_articles->count()) : 0;
}

ArticleEntry* ArticleListController::article(int index)
{
    if (m_articles == nullptr || !m_articles->isValid(index))
        return nullptr;
    if (ArticleEntry* cached = m_live.find(index))
        return cached;
    if (m_refused.count(index) != 0)
        return nullptr;
    std::unique_ptr<ArticleEntry> entry = load(index);
    if (entry == nullptr) {
        m_refused.insert(index);
        return nullptr;
    }
    return m_live.insert(index, std::move(entry));
}

std::unique_ptr<ArticleEntry> ArticleListController::load(int index)
{
    if (m_styles == nullptr || m_analyzer == nullptr)
        return nullptr;
    RememberedState remembered = m_state.count(index) != 0 ? m_state[index] : RememberedState{};
    remembered.showAll = remembered.showAll || m_everyArticleInFull;
    const int lines = visibleLines();
    External::ArticleRequest request{index, remembered.showAll ? -1 : (lines > 0 ? lines : -1)};

    auto entry = std::make_unique<ArticleEntry>();
    bool served = false;
    for (int attempt = 0; attempt < requestAttempts && !served; ++attempt) {
        ++m_serverCalls;
        entry->record = External::ArticleRecord{};
        served = m_articles->articleText(request, entry->record);
        if (!served)
            qCDebug(viewLog) << "Плохо";
    }
    if (!served)
        return nullptr;

    const bool focused = widget() != nullptr && widget()->hasFocus();
    Loading::ArticleBuildRequest build;
    build.articleNumber = index;
    build.title = entry->record.headword;
    build.markup = entry->record.markup;
    build.hitWords = entry->record.hitWords;
    build.flags = {true, entry->record.hasSound, entry->record.canEdit, entry->record.canDelete, true};
    build.complete = entry->record.complete;
    build.headerFont = &m_articleFont;
    build.headerTextColor = focused ? headerTextFocused : headerTextUnfocused;
    build.headerBackground = focused ? headerHighlightFocused : headerHighlightUnfocused;

    Loading::FontMetricsCache fontMetrics;
    Loading::TextMetricSource& metrics = m_metrics != nullptr ? *m_metrics : fontMetrics;
    auto view = std::make_unique<ArticleView>(
        Loading::ArticleBuilder(*m_styles, *m_analyzer, metrics).build(build, entry->layoutRecord));
    for (int token : entry->layoutRecord.markedTokens) {
        if (token >= 0 && token < int(entry->layoutRecord.tokens.size())) {
            const Loading::Token& t = entry->layoutRecord.tokens[std::size_t(token)];
            entry->marks.push_back({t.start, t.end});
        }
    }
    entry->setView(std::move(view));
    entry->setCollapsed(remembered.collapsed, remembered.showAll);
    entry->hitTester.attach(entry->view(), index);
    assignIcons(*entry->view(), m_actionResources);
    return entry;
}

void ArticleListController::invalidate(bool dropState, bool dropMatches)
{
    for (auto& [index, entry] : m_live.takeAll())
        m_retired.insert(index, std::move(entry));
    if (dropState) {
        m_state.clear();
        m_everyArticleInFull = false;
    }
    if (dropMatches)
        m_matches.clear();
    m_refused.clear();
    contentChanged();
}

bool ArticleListController::isCollapsed(int index)
{
    const ArticleEntry* entry = article(index);
    return entry == nullptr || entry->collapsed();
}

void ArticleListController::setCollapsed(int index, bool collapsed)
{
    ArticleEntry* entry = article(index);
    if (entry == nullptr)
        return;
    entry->setCollapsed(collapsed);
    assignIcons(*entry->view(), m_actionResources);
    m_state[index] = {entry->collapsed(), entry->showAll()};
    contentChanged();
    updateScrollLimit();
}

void ArticleListController::showMore(int index)
{
    if (m_articles == nullptr || !m_articles->isValid(index))
        return;
    const OptionalPosition before = previousPosition(ArticleListPosition{index, ShowMoreButtonKind, -1});
    retireToShowInFull(index);
    article(index);
    if (before) {
        layout();
        // The caret stands on words: the first one after the old end.
        if (const OptionalPosition next = nextWordStop(*before))
            setCaret(*next, true, true);
    }
    refresh();
}

void ArticleListController::retireToShowInFull(int index)
{
    const ArticleEntry* cached = m_live.find(index);
    const bool collapsed = cached != nullptr ? cached->collapsed()
                                             : (m_state.count(index) != 0 && m_state[index].collapsed);
    if (std::unique_ptr<ArticleEntry> entry = m_live.take(index))
        m_retired.insert(index, std::move(entry));
    m_refused.erase(index);
    m_matches.erase(index);
    m_state[index] = {collapsed, true};
    contentChanged();
}

void ArticleListController::pronounce(int index)
{
    const ArticleEntry* entry = article(index);
    if (entry != nullptr && widget() != nullptr)
        widget()->onWordPronounced(*m_articles, index, entry->record.headword);
}

QRect ArticleListController::articleRect(int index, int width)
{
    ArticleEntry* entry = article(index);
    if (entry == nullptr || entry->view() == nullptr)
        return {};
    ArticleView& view = *entry->view();
    const int w = width == -1 ? clientRect().width() : width;
    // Articles off screen are laid out above the viewport, so that they
    // never show where they do not belong.
    const bool onScreen = scrollPosition().isArticleOnScreen(index);
    const int top = onScreen ? view.rect.top() : 0;
    Loading::ArticleLayoutLoader(view, QRect(0, top, std::max(1, w), std::max(1, viewport().height())), false)
        .run();
    if (!onScreen)
        view.rect.moveBottom(-1);
    return view.rect;
}

int ArticleListController::articleHeight(int index)
{
    const QRect rect = articleRect(index);
    return rect.isNull() ? 0 : rect.bottom() - rect.top() + 1;
}

ArticleHeight ArticleListController::heightFunction()
{
    return [this](int index) { return articleHeight(index); };
}

int ArticleListController::lineHeight()
{
    return m_styles != nullptr ? Controller::lineHeight(*m_styles) : 0;
}

int ArticleListController::visibleLines()
{
    return Controller::visibleLines(clientRect().height(), lineHeight());
}

void ArticleListController::applyHeaderColors(ArticleEntry& entry)
{
    if (entry.view() == nullptr)
        return;
    const bool focused = widget() != nullptr && widget()->hasFocus();
    entry.view()->header.style.textColor = focused ? headerTextFocused : headerTextUnfocused;
    entry.view()->header.color = focused ? headerHighlightFocused : headerHighlightUnfocused;
}

void ArticleListController::paint(const QRect& rect, QPainter* painter)
{
    painter->fillRect(rect, backgroundColor);
    const ArticleListScrollPosition& p = scrollPosition();
    const bool consistent = (p.topArticle == 0 && p.bottomArticle == -1)
        || (p.topArticle != -1 && p.bottomArticle != -1 && p.topArticle <= p.bottomArticle
            && p.topArticle <= p.limitArticle);
    if (!consistent || p.bottomArticle < 0)
        return;

    PaintContext context{painter, true, rect};
    PainterStateGuard guard(context);
    context.translate(viewport().topLeft());
    for (int index = p.topArticle; index <= p.bottomArticle; ++index) {
        ArticleEntry* entry = m_live.find(index);
        if (entry == nullptr || entry->view() == nullptr)
            continue;
        applyHeaderColors(*entry);
        if (showMarks)
            paintHighlights(context, *entry->view(), entry->marks, markColor);
        if (findActive && m_textFinder != nullptr) {
            std::vector<CharacterRange> found;
            for (const auto& [start, end] : matches(index))
                found.push_back({start, end});
            paintHighlights(context, *entry->view(), found, matchColor);
        }
        paintArticle(context, *entry->view());
    }
    if (m_showDebugFrames) {
        for (int index = p.topArticle; index <= p.bottomArticle; ++index) {
            const ArticleEntry* entry = m_live.find(index);
            if (entry != nullptr && entry->view() != nullptr)
                paintDebugOverlays(context, *entry->view(), entry->layoutRecord, 1 | 2 | 4 | 8);
        }
    }
    if (showCaret)
        paintSelection(context);
}

void ArticleListController::print(QPaintDevice* device)
{
    auto* printer = dynamic_cast<QPrinter*>(device);
    if (printer == nullptr)
        return;
    // When the printer makes the copies, they must not be printed again here.
    const int passes = printPasses(printer->copyCount(), printer->supportsMultipleCopies());
    if (passes == 0)
        return;
    QPainter painter(printer);
    if (!painter.isActive())
        return;
    const QRect page = painter.viewport();
    painter.setClipRect(page);

    // An article laid out at the page width from (0, 0); loaded again when
    // the cache let it go since the pages were cut.
    auto printable = [&](int index) -> ArticleEntry* {
        ArticleEntry* entry = article(index);
        if (entry == nullptr || entry->view() == nullptr)
            return nullptr;
        applyHeaderColors(*entry);
        Loading::ArticleLayoutLoader(*entry->view(),
                                     QRect(0, 0, std::max(1, page.width()), std::max(1, page.height())), false)
            .run();
        return entry;
    };

    // Every article with the rows where its lines end.
    std::vector<PrintArticle> articles;
    const int count = articleCount();
    for (int index = 0; index < count; ++index) {
        ArticleEntry* entry = printable(index);
        PrintArticle printed;
        if (entry != nullptr) {
            const ArticleView& view = *entry->view();
            printed.height = view.rect.height();
            if (!view.collapsed) {
                for (const ParagraphView& paragraph : view.paragraphs) {
                    const auto items = paragraph.items();
                    for (const ParagraphLine& line : paragraph.lines()) {
                        if (line.firstItem >= 0 && line.firstItem < int(items.size()))
                            printed.lineEnds.push_back(paragraph.rect.top()
                                                       + items[std::size_t(line.firstItem)].rect.bottom() + 1);
                    }
                }
                std::sort(printed.lineEnds.begin(), printed.lineEnds.end());
            }
        }
        articles.push_back(std::move(printed));
    }
    const std::vector<PrintSlice> slices = paginate(articles, page.width(), page.height());

    bool first = true;
    for (int pass = 0; pass < passes; ++pass) {
        int previousPage = -1;
        for (const PrintSlice& slice : slices) {
            // Each copy starts on a new page too.
            if (!first && slice.page != previousPage)
                printer->newPage();
            first = false;
            previousPage = slice.page;
            ArticleEntry* entry = printable(slice.article);
            if (entry == nullptr)
                continue;
            PaintContext context{&painter, false, {}};
            PainterStateGuard guard(context);
            painter.translate(page.left() + slice.x, page.top() + slice.y - slice.rect.top());
            painter.setClipRect(slice.rect, Qt::IntersectClip);
            context.hasClip = true;
            context.clip = slice.rect;
            paintHighlights(context, *entry->view(), entry->marks, markColor);
            paintArticle(context, *entry->view());
        }
    }
    painter.end();
    // Back to the screen's width for the visible articles.
    layout();
}

void ArticleListController::scrollPositionAboutToChange(const ArticleListScrollPosition& next)
{
    // Articles that leave the screen give up their layout; their heights
    // are laid out again when asked for. The range widens to the selection's
    // articles, which the caret's walks laid out off screen.
    const ArticleListScrollPosition& old = scrollPosition();
    int low = old.topArticle;
    int high = old.bottomArticle;
    for (const ArticleListPosition* end : {&m_selection.selectionStart, &m_selection.selectionEnd}) {
        if (end->article >= 0) {
            low = std::min(low, end->article);
            high = std::max(high, end->article);
        }
    }
    const int belowFrom = std::max(next.bottomArticle + 1, next.topArticle + 1);
    // A scan of the cache, not of the range: a selection may span the list.
    m_live.forEach([&](int index, ArticleEntry& entry) {
        const bool above = index >= low && index < next.topArticle;
        const bool below = index >= belowFrom && index <= high;
        if ((above || below) && entry.view() != nullptr)
            entry.view()->invalidate();
    });
}

void ArticleListController::setPosition(const ArticleListScrollPosition& next)
{
    scrollPositionAboutToChange(next);
    storePosition(next);
}

void ArticleListController::layout()
{
    ArticleListScrollPosition p = scrollPosition();
    const int count = articleCount();
    if (count == 0) {
        p.topArticle = 0;
        p.topOffset = 0;
        p.topHeight = 0;
        p.bottomArticle = -1;
        storePosition(p);
        return;
    }
    p.topArticle = std::clamp(p.topArticle, 0, count - 1);
    const QRect client = clientRect();
    const int width = std::max(1, client.width());
    const int viewportHeight = viewport().height();
    int y = -p.topOffset;
    p.bottomArticle = p.topArticle;
    for (int index = p.topArticle; index < count && (index == p.topArticle || y < viewportHeight); ++index) {
        ArticleEntry* entry = article(index);
        p.bottomArticle = index;
        if (entry == nullptr || entry->view() == nullptr)
            continue;
        Loading::ArticleLayoutLoader(*entry->view(), QRect(0, y, width, std::max(1, viewportHeight)), false)
            .run();
        const int height = entry->view()->rect.height();
        if (index == p.topArticle)
            p.topHeight = height;
        y += height;
    }
    storePosition(p);
}

void ArticleListController::scrollBy(int pixels)
{
    const int count = articleCount();
    if (count == 0)
        return;
    setPosition(scrolledBy(scrollPosition(), pixels, count, heightFunction()));
    layout();
}

void ArticleListController::syncScrollBar()
{
    QScrollBar* bar = widget() != nullptr ? widget()->scrollBar() : nullptr;
    if (bar == nullptr)
        return;
    const ScrollBarState present = readScrollBar(*bar);
    const ScrollBarState wanted = ArticleListPositionConverter::toScrollBar(present, scrollPosition(), articleCount(),
                                                                            clientRect().height());
    if (!(wanted == present))
        writeScrollBar(*bar, wanted);
}

void ArticleListController::syncFromScrollBar()
{
    QScrollBar* bar = widget() != nullptr ? widget()->scrollBar() : nullptr;
    if (bar == nullptr || articleCount() == 0)
        return;
    setPosition(ArticleListPositionConverter::fromScrollBar(readScrollBar(*bar), scrollPosition(), articleCount(),
                                                            heightFunction()));
}

bool ArticleListController::scrollBarEvent(int)
{
    syncFromScrollBar();
    layout();
    return true;
}

void ArticleListController::updateScrollLimit()
{
    const LimitKey key{m_generation, articleCount(), clientRect().width(), viewport().height()};
    if (key == m_limitKey)
        return;
    m_limitKey = key;
    const ScrollLimit limit = scrollLimit(key.articleCount, std::max(0, key.height), heightFunction());
    ArticleListScrollPosition p = scrollPosition();
    p.limitArticle = limit.article;
    p.limitOffset = limit.offset;
    storePosition(p);
}

void ArticleListController::fixBottomGap()
{
    const int gap = bottomGap(scrollPosition(), articleCount(), viewport().height(), heightFunction());
    if (gap > 0)
        scrollBy(-gap);
}

void ArticleListController::clear()
{
    invalidate(true, true);
    ArticleListScrollPosition p = scrollPosition();
    p.topArticle = 0;
    p.topOffset = 0;
    p.topHeight = 0;
    p.bottomArticle = -1;
    storePosition(p);
}

} // namespace ArticleEngine::Controller
