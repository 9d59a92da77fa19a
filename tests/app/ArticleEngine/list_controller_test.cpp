// Tests of the list controller over a fake server of N articles that counts
// its calls: loading and caching, scrolling across articles and the clamp,
// the bottom gap, the scroll bar, refusals and painting.
#include "fake_widget.h"
#include "layout_fixture.h"

#include "ArticleEngine/Controller/article_list_controller.h"
#include "ArticleEngine/Controller/print_pagination.h"
#include "ArticleEngine/External/default_char_analyzer.h"

#include <QFile>
#include <QImage>
#include <QPainter>
#include <QPrinter>
#include <QRegularExpression>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <set>
#include <vector>

using namespace ArticleEngine;
using namespace ArticleEngine::Controller;
using lexvane::testing::FakeWidget;
using lexvane::testing::FixedMetricSource;
using lexvane::testing::TestStyleServer;

namespace {

// Articles 0 .. count - 1, each a few lines of lead text; counts its calls
// and refuses the articles it is told to refuse.
class CountingServer final : public External::IArticleServer {
public:
    explicit CountingServer(int articles)
        : articles(articles)
    {
    }
    int count() const override { return articles; }
    bool isValid(int index) const override { return index >= 0 && index < articles; }
    bool articleText(const External::ArticleRequest& request, External::ArticleRecord& record) override
    {
        ++calls;
        requests.push_back(request);
        if (refused.count(request.index) != 0)
            return false;
        record.hitWords = hitWords;
        record.headword = QStringLiteral("word%1").arg(request.index);
        record.markup = QStringLiteral("#1\"alpha beta gamma delta %1\"").arg(request.index);
        return true;
    }

    int articles;
    int calls = 0;
    std::vector<External::ArticleRequest> requests;
    std::set<int> refused;
    std::vector<int> hitWords;
};

class ListControllerTest : public ::testing::Test {
protected:
    void start(int articles, int live = 80, int retired = 3)
    {
        server = std::make_unique<CountingServer>(articles);
        controller = std::make_unique<ArticleListController>(live, retired);
        controller->setMetricSource(&metrics);
        controller->setWidget(&widget);
        controller->setViewport(QRect(0, 0, 300, 100));
        controller->setServers(&styles, &analyzer, server.get());
    }

    // Scrolls to the end the way the host does after an event.
    void scrollToEnd()
    {
        controller->scrollPixels(-1000000);
        controller->refresh();
    }

    // Sum of the heights of articles first .. last.
    int heights(int first, int last)
    {
        int sum = 0;
        for (int i = first; i <= last; ++i)
            sum += controller->articleHeight(i);
        return sum;
    }

    FixedMetricSource metrics;
    TestStyleServer styles;
    External::Default::CharAnalyzer analyzer;
    FakeWidget widget;
    std::unique_ptr<CountingServer> server;
    std::unique_ptr<ArticleListController> controller;
};

TEST_F(ListControllerTest, Defaults)
{
    ArticleListController c;
    EXPECT_EQ(c.backgroundColor, QColor(255, 255, 255));
    EXPECT_EQ(c.headerHighlightUnfocused, QColor(144, 144, 120));
    EXPECT_EQ(c.headerTextUnfocused, QColor(33, 33, 33));
    EXPECT_EQ(c.headerHighlightFocused, QColor(255, 255, 120));
    EXPECT_EQ(c.headerTextFocused, QColor(0, 0, 0));
    EXPECT_EQ(c.caretFill, QColor(100, 200, 255, 64));
    EXPECT_EQ(c.caretBorder, QColor(0, 128, 200));
    EXPECT_EQ(c.caretStyle, 5);
    EXPECT_EQ(c.markColor, QColor(255, 190, 0, 100));
    EXPECT_EQ(c.matchColor, QColor(0, 190, 190, 50));
    EXPECT_EQ(c.articleFont().pointSize(), 14);
    EXPECT_TRUE(c.showCaret);
    EXPECT_FALSE(c.showDebugFrames());
}

TEST_F(ListControllerTest, EmptyServerPaintsTheBackgroundOnly)
{
    start(0);
    EXPECT_EQ(server->calls, 0);
    EXPECT_EQ(controller->scrollPosition().bottomArticle, -1);
    EXPECT_TRUE(controller->caret().isNowhere());
    EXPECT_TRUE(widget.bar.isHidden());
    controller->backgroundColor = QColor(10, 20, 30);
    QImage image(300, 100, QImage::Format_RGB32);
    {
        QPainter painter(&image);
        controller->paint(image.rect(), &painter);
    }
    for (int y = 0; y < 100; y += 9)
        for (int x = 0; x < 300; x += 13)
            ASSERT_EQ(image.pixelColor(x, y), QColor(10, 20, 30));
}

TEST_F(ListControllerTest, RestartLoadsTheVisibleArticlesWithALineLimit)
{
    start(10);
    const ArticleListScrollPosition& p = controller->scrollPosition();
    EXPECT_EQ(p.topArticle, 0);
    EXPECT_EQ(p.topOffset, 0);
    EXPECT_GE(p.bottomArticle, 0);
    EXPECT_EQ(heights(0, p.bottomArticle - 1) < 100, true) << "the bottom article starts inside the view";
    EXPECT_EQ(controller->caret(), (ArticleListPosition{0, ExpandButtonKind, -1}));
    ASSERT_FALSE(server->requests.empty());
    EXPECT_GT(controller->visibleLines(), 0);
    EXPECT_EQ(server->requests.front().lineLimit, controller->visibleLines());
}

TEST_F(ListControllerTest, ScrollByCrossesArticlesAndClampsAtTheLimit)
{
    start(10);
    const int first = controller->articleHeight(0);
    controller->scrollPixels(-(first + 5));
    EXPECT_EQ(controller->scrollPosition().topArticle, 1);
    EXPECT_EQ(controller->scrollPosition().topOffset, 5);
    EXPECT_EQ(controller->scrollPosition().topHeight, controller->articleHeight(1));

    controller->scrollPixels(6);
    EXPECT_EQ(controller->scrollPosition().topArticle, 0);
    EXPECT_EQ(controller->scrollPosition().topOffset, first - 1);

    scrollToEnd();
    const ArticleListScrollPosition& p = controller->scrollPosition();
    EXPECT_EQ(p.topArticle, p.limitArticle);
    EXPECT_EQ(p.topOffset, p.limitOffset);
    EXPECT_EQ(p.bottomArticle, 9);
    // The last article ends on the viewport's last row.
    EXPECT_EQ(heights(p.topArticle, 9) - p.topOffset, 100);
}

TEST_F(ListControllerTest, AListThatFitsDoesNotScroll)
{
    start(1);
    ASSERT_LT(controller->articleHeight(0), 100);
    controller->scrollPixels(-50);
    EXPECT_EQ(controller->scrollPosition().topOffset, 0);
    EXPECT_EQ(controller->scrollPosition().limitArticle, 0);
    EXPECT_EQ(controller->scrollPosition().limitOffset, 0);
    EXPECT_TRUE(widget.bar.isHidden());
}

TEST_F(ListControllerTest, CollapsingTheLastArticlesClosesTheBottomGap)
{
    start(10);
    scrollToEnd();
    const int oldLimit = controller->scrollPosition().limitArticle;
    for (int i = 9; i >= oldLimit; --i)
        controller->setCollapsed(i, true);
    EXPECT_TRUE(controller->isCollapsed(9));
    controller->refresh();
    const ArticleListScrollPosition& p = controller->scrollPosition();
    EXPECT_LT(p.limitArticle, oldLimit);
    EXPECT_EQ(p.topArticle, p.limitArticle);
    EXPECT_EQ(p.topOffset, p.limitOffset);
    EXPECT_EQ(heights(p.topArticle, 9) - p.topOffset, 100);
}

TEST_F(ListControllerTest, ScrollBarAt50And51Articles)
{
    for (int articles : {50, 51}) {
        start(articles);
        controller->scrollPixels(-(heights(0, 9) + 3)); // 3 rows into article 10
        controller->refresh();
        const ArticleListScrollPosition p = controller->scrollPosition();
        ASSERT_EQ(p.topArticle, 10) << articles;
        EXPECT_FALSE(widget.bar.isHidden());
        if (articles == 51) {
            EXPECT_EQ(widget.bar.maximum(), p.limitArticle);
            EXPECT_EQ(widget.bar.value(), 10);
        } else {
            const int step = std::max(10, controller->clientRect().height());
            EXPECT_EQ(widget.bar.maximum(), (p.limitArticle + 1) * step);
        }
        // Dragging half way through the bar: whole articles above 50, inside
        // an article at 50.
        widget.bar.setValue(widget.bar.minimum() + (widget.bar.maximum() - widget.bar.minimum()) * 2 / 5
                            + (articles == 50 ? 5 : 0));
        EXPECT_TRUE(controller->scrollBarEvent(widget.bar.value()));
        if (articles == 51)
            EXPECT_EQ(controller->scrollPosition().topOffset, 0);
        else
            EXPECT_GT(controller->scrollPosition().topOffset, 0);
    }
}

TEST_F(ListControllerTest, The81stArticleEvictsTheFirst)
{
    start(100);
    for (int i = 0; i < 80; ++i)
        ASSERT_NE(controller->article(i), nullptr);
    int calls = server->calls;
    controller->article(0);
    EXPECT_EQ(server->calls, calls) << "80 articles stay cached";
    // 0 was used last: 1 is the oldest now.
    controller->article(80);
    calls = server->calls;
    controller->article(0);
    EXPECT_EQ(server->calls, calls);
    controller->article(1);
    EXPECT_EQ(server->calls, calls + 1) << "loaded again after 81 others";
}

// Fault: a server that refused an article it called valid was asked forever.
TEST_F(ListControllerTest, ARefusedArticleIsAskedTwiceThenAbsent)
{
    server = std::make_unique<CountingServer>(5);
    server->refused = {0, 2};
    controller = std::make_unique<ArticleListController>();
    controller->setMetricSource(&metrics);
    controller->setWidget(&widget);
    controller->setViewport(QRect(0, 0, 300, 100));
    controller->setServers(&styles, &analyzer, server.get());

    int asked = 0;
    for (const External::ArticleRequest& r : server->requests)
        asked += r.index == 2 ? 1 : 0;
    controller->article(2);
    controller->article(2);
    int after = 0;
    for (const External::ArticleRequest& r : server->requests)
        after += r.index == 2 ? 1 : 0;
    EXPECT_EQ(after, 2) << "asked once more, then absent";
    EXPECT_LE(asked, 2);
    EXPECT_EQ(controller->article(2), nullptr);
    EXPECT_TRUE(controller->isCollapsed(2));
    EXPECT_EQ(controller->articleHeight(0), 0);
    // Scrolling passes the absent articles and ends.
    scrollToEnd();
    EXPECT_EQ(controller->scrollPosition().bottomArticle, 4);
    QImage image(300, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    controller->paint(image.rect(), &painter);
}

// Fault: every refresh summed the heights at the end of the list again,
// which with a small cache reloaded those articles each time.
TEST_F(ListControllerTest, RefreshKeepsTheScrollLimit)
{
    // A cache with room for the visible articles and one more, not for
    // them and those that the limit is summed from.
    start(100);
    const int visible = controller->scrollPosition().bottomArticle + 1;
    const int atTheEnd = 100 - controller->scrollPosition().limitArticle;
    ASSERT_GT(atTheEnd, 1);
    start(100, visible + 1, 3);
    // The bar that showed with the first refresh narrowed the client area.
    controller->refresh();
    const int calls = server->calls;
    for (int i = 0; i < 5; ++i)
        controller->refresh();
    EXPECT_EQ(server->calls, calls);

    // A narrower viewport makes taller articles: the limit follows.
    controller->setViewport(QRect(0, 0, 120, 100));
    const ArticleListScrollPosition& p = controller->scrollPosition();
    EXPECT_EQ(heights(p.limitArticle, 99) - p.limitOffset, 100);
}

TEST_F(ListControllerTest, PronounceAndHeaderColoursFollowFocus)
{
    start(3);
    controller->pronounce(1);
    controller->pronounce(7);
    EXPECT_EQ(widget.events, QStringList{"pronounce 1 word1"});

    QImage image(300, 100, QImage::Format_RGB32);
    widget.focused = true;
    {
        QPainter painter(&image);
        controller->paint(image.rect(), &painter);
    }
    EXPECT_EQ(controller->article(0)->view()->header.color, controller->headerHighlightFocused);
    widget.focused = false;
    {
        QPainter painter(&image);
        controller->paint(image.rect(), &painter);
    }
    EXPECT_EQ(controller->article(0)->view()->header.color, controller->headerHighlightUnfocused);
    EXPECT_EQ(controller->article(0)->view()->header.style.textColor, controller->headerTextUnfocused);
}

TEST_F(ListControllerTest, CollapsedStatesOutliveInvalidationUnlessDropped)
{
    start(5);
    controller->setCollapsed(1, true);
    controller->setCollapsed(9, true); // not an article: nothing happens
    const int calls = server->calls;
    controller->setHeaderColors(Qt::red, Qt::white, Qt::green, Qt::black);
    EXPECT_TRUE(controller->isCollapsed(1));
    EXPECT_GT(server->calls, calls) << "built again with the new colours";
    EXPECT_EQ(controller->article(1)->view()->header.style.textColor, QColor(Qt::white));
    controller->invalidate(true, false);
    EXPECT_FALSE(controller->isCollapsed(1));
}

TEST_F(ListControllerTest, ArticlesOffScreenAreLaidOutAboveTheViewport)
{
    start(10);
    ASSERT_LT(controller->scrollPosition().bottomArticle, 9);
    const QRect rect = controller->articleRect(9);
    EXPECT_EQ(rect.bottom(), -1);
    EXPECT_EQ(rect.width(), controller->clientRect().width());
    EXPECT_EQ(controller->articleRect(9, 120).width(), 120);
    EXPECT_EQ(controller->articleHeight(-1), 0);
}

TEST_F(ListControllerTest, MarksArePaintedUnderTheText)
{
    server = std::make_unique<CountingServer>(2);
    server->hitWords = {1};
    controller = std::make_unique<ArticleListController>();
    controller->setMetricSource(&metrics);
    controller->setWidget(&widget);
    controller->setViewport(QRect(0, 0, 300, 100));
    controller->setServers(&styles, &analyzer, server.get());
    controller->markColor = QColor(255, 0, 0);

    auto markedPixels = [this] {
        QImage image(300, 100, QImage::Format_RGB32);
        QPainter painter(&image);
        controller->paint(image.rect(), &painter);
        painter.end();
        int red = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                red += image.pixelColor(x, y) == QColor(255, 0, 0) ? 1 : 0;
        return red;
    };
    EXPECT_GT(markedPixels(), 0);
    controller->showMarks = false;
    EXPECT_EQ(markedPixels(), 0);
}

// Prints the list into a PDF file and answers its number of pages.
int printedPages(ArticleListController& controller, int copies, bool& printerCopies)
{
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("list.pdf"));
    {
        QPrinter printer(QPrinter::ScreenResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(file);
        printer.setCopyCount(copies);
        printerCopies = printer.supportsMultipleCopies();
        controller.print(&printer);
    }
    QFile pdf(file);
    if (!pdf.open(QIODevice::ReadOnly))
        return 0;
    const QString text = QString::fromLatin1(pdf.readAll());
    return int(text.count(QRegularExpression(QStringLiteral("/Type\\s*/Page(?!s)"))));
}

TEST_F(ListControllerTest, PrintsEveryArticleOncePerCopy)
{
    start(200);
    bool printerCopies = false;
    const int pages = printedPages(*controller, 1, printerCopies);
    EXPECT_GT(pages, 1);
    EXPECT_EQ(printedPages(*controller, 2, printerCopies), pages * printPasses(2, printerCopies));
    EXPECT_EQ(printedPages(*controller, 0, printerCopies), 0);
    // The screen is laid out again afterwards.
    EXPECT_EQ(controller->scrollPosition().topArticle, 0);
    EXPECT_EQ(controller->articleRect(0).width(), controller->clientRect().width());
}

TEST_F(ListControllerTest, ShowMoreLoadsTheWholeArticleAndKeepsItSo)
{
    start(5);
    controller->setCollapsed(1, true);
    controller->showMore(1);
    controller->showMore(17); // not an article
    ASSERT_FALSE(server->requests.empty());
    EXPECT_EQ(server->requests.back().index, 1);
    EXPECT_EQ(server->requests.back().lineLimit, -1);
    EXPECT_TRUE(controller->isCollapsed(1)) << "keeps its collapsed flag";
    EXPECT_TRUE(controller->article(1)->showAll());

    // Kept through an invalidation that keeps states, dropped with them.
    controller->invalidate(false, false);
    controller->article(1);
    EXPECT_EQ(server->requests.back().lineLimit, -1);
    controller->invalidate(true, false);
    controller->article(1);
    EXPECT_EQ(server->requests.back().lineLimit, controller->visibleLines());
}

TEST_F(ListControllerTest, EntriesCarryAnAttachedHitTester)
{
    start(3);
    const ArticleEntry* entry = controller->article(1);
    ASSERT_NE(entry, nullptr);
    const QPoint inHeader = entry->view()->header.absoluteRect().center();
    ArticleListPosition hit;
    ASSERT_TRUE(entry->hitTester.hitPoint(inHeader, false, hit));
    EXPECT_EQ(hit.article, 1);
    EXPECT_EQ(hit.kind, HeaderKind);
}

} // namespace
