// list_controller_bench.cpp: what refreshing and painting the article list
// cost with 10,000 articles, and how often a scroll-bar drag asks the
// server.
//
// A fake server serves 10,000 articles of five dictionary-like lines each
// and counts its calls. The controller shows them in an 800 x 600 viewport
// with the widget's cache sizes (80 and 3). Refresh plus paint is measured
// at the top, the middle and the end of the list (target under 16 ms); a
// drag moves the scroll bar from the top to the end in 100 steps and back
// over the last 5 steps (articles it has cached), counting the server calls of each part.
// The caret's part: a key press (a word step, a line step, the list's end,
// select all) and a click, each with the refresh and paint the host runs
// after it, in the middle of the list (target under 16 ms); and a find
// whose only match is in the last article, so that the first search walks
// all 10,000 articles and the next ones reuse their matches.
#include "article_bench_styles.h"
#include "bench_widget.h"

#include "ArticleEngine/Controller/article_list_controller.h"
#include "ArticleEngine/External/default_char_analyzer.h"
#include "ArticleEngine/External/default_text_finder.h"

#include <QApplication>
#include <QImage>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <memory>

using namespace ArticleEngine;
using namespace ArticleEngine::Controller;
using lexvane::bench::BenchStyleServer;
using lexvane::bench::BenchWidget;
using lexvane::bench::lineMarkup;
using lexvane::bench::lineText;

namespace {

constexpr int articleCount = 10000;
constexpr int viewWidth = 800;
constexpr int viewHeight = 600;

class CountingServer final : public External::IArticleServer {
public:
    int count() const override { return articleCount; }
    bool isValid(int index) const override { return index >= 0 && index < articleCount; }
    bool articleText(const External::ArticleRequest& request, External::ArticleRecord& record) override
    {
        ++calls;
        record.headword = QStringLiteral("term%1").arg(request.index);
        for (int line = 0; line < 5; ++line)
            record.markup += lineMarkup(lineText(request.index * 5 + line));
        if (request.index == articleCount - 1)
            record.markup += lineMarkup(QStringLiteral("zyzzyva"));
        return true;
    }
    long long calls = 0;
};

struct List {
    BenchStyleServer styles;
    External::Default::CharAnalyzer analyzer;
    CountingServer server;
    BenchWidget widget;
    ArticleListController controller{80, 3};

    List()
    {
        controller.setWidget(&widget);
        controller.setViewport(QRect(0, 0, viewWidth, viewHeight));
        controller.setServers(&styles, &analyzer, &server);
    }

    // Moves the bar as a drag does and lets the controller follow.
    void dragTo(int value)
    {
        widget.bar.setValue(value);
        controller.scrollBarEvent(value);
        controller.refresh();
    }
};

// Built after and destroyed before the application: fonts and the bar need it.
std::unique_ptr<List> theList;

List& list()
{
    return *theList;
}

void RefreshAndPaint(benchmark::State& state)
{
    List& l = list();
    const int maximum = l.widget.bar.maximum();
    l.dragTo(int(state.range(0)) * maximum / 2);
    QImage image(viewWidth, viewHeight, QImage::Format_ARGB32_Premultiplied);
    const long long callsBefore = l.server.calls;
    for (auto _ : state) {
        l.controller.refresh();
        QPainter painter(&image);
        l.controller.paint(image.rect(), &painter);
    }
    state.counters["server_calls"] = double(l.server.calls - callsBefore);
    state.counters["top_article"] = l.controller.scrollPosition().topArticle;
}
BENCHMARK(RefreshAndPaint)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);

void ScrollBarDrag(benchmark::State& state)
{
    List& l = list();
    const int maximum = l.widget.bar.maximum();
    long long forward = 0;
    long long back = 0;
    for (auto _ : state) {
        l.dragTo(0);
        const long long start = l.server.calls;
        for (int step = 0; step <= 100; ++step)
            l.dragTo(step * maximum / 100);
        forward = l.server.calls - start;
        const long long middle = l.server.calls;
        for (int step = 100; step >= 95; --step)
            l.dragTo(step * maximum / 100);
        back = l.server.calls - middle;
    }
    state.counters["calls_forward_101_steps"] = double(forward);
    state.counters["calls_back_over_cached"] = double(back);
}
BENCHMARK(ScrollBarDrag)->Unit(benchmark::kMillisecond)->Iterations(3);

// The host's sequence after an input event: refresh, then paint.
void refreshAndPaint(List& l, QImage& image)
{
    l.controller.refresh();
    QPainter painter(&image);
    l.controller.paint(image.rect(), &painter);
}

void KeyPress(benchmark::State& state)
{
    List& l = list();
    static constexpr QKeySequence::StandardKey keys[] = {QKeySequence::MoveToNextChar, QKeySequence::MoveToNextLine,
                                                         QKeySequence::MoveToEndOfDocument, QKeySequence::SelectAll};
    const QKeySequence::StandardKey key = keys[state.range(0)];
    const QKeyCombination combination = QKeySequence::keyBindings(key).front()[0];
    QImage image(viewWidth, viewHeight, QImage::Format_ARGB32_Premultiplied);
    const ArticleListPosition middle{articleCount / 2, BodyKind, 0};
    const long long callsBefore = l.server.calls;
    for (auto _ : state) {
        state.PauseTiming();
        l.controller.setCaret(middle, true, true);
        refreshAndPaint(l, image);
        state.ResumeTiming();
        QKeyEvent event(QEvent::KeyPress, combination.key(), combination.keyboardModifiers());
        l.controller.keyEvent(&event);
        refreshAndPaint(l, image);
    }
    state.counters["server_calls"] = double(l.server.calls - callsBefore);
}
// 0 a word step, 1 a line step, 2 the list's end, 3 select all.
BENCHMARK(KeyPress)->Arg(0)->Arg(1)->Arg(2)->Arg(3)->Unit(benchmark::kMillisecond);

void Click(benchmark::State& state)
{
    List& l = list();
    l.dragTo(l.widget.bar.maximum() / 2);
    QImage image(viewWidth, viewHeight, QImage::Format_ARGB32_Premultiplied);
    const QPointF point(viewWidth / 3, viewHeight / 2);
    for (auto _ : state) {
        QMouseEvent event(QEvent::MouseButtonPress, point, point, Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        l.controller.mouseEvent(&event);
        refreshAndPaint(l, image);
    }
}
BENCHMARK(Click)->Unit(benchmark::kMillisecond);

void FindOverTheList(benchmark::State& state)
{
    List& l = list();
    External::Default::TextFinder finder(QStringLiteral("zyzzyva"));
    double first = 0;
    long long calls = 0;
    for (auto _ : state) {
        l.controller.setTextFinder(&finder);
        const long long before = l.server.calls;
        const auto start = std::chrono::steady_clock::now();
        if (!l.controller.findFirst())
            state.SkipWithError("no match");
        first = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        calls = l.server.calls - before;
        // Again over matches already found.
        for (int i = 0; i < 10; ++i)
            l.controller.findNext(true);
    }
    state.counters["first_find_ms"] = first;
    state.counters["first_find_server_calls"] = double(calls);
    l.controller.clearFind();
}
BENCHMARK(FindOverTheList)->Unit(benchmark::kMillisecond)->Iterations(1);

void FindNextOverFoundMatches(benchmark::State& state)
{
    List& l = list();
    External::Default::TextFinder finder(QStringLiteral("zyzzyva"));
    l.controller.setTextFinder(&finder);
    l.controller.findFirst();
    QImage image(viewWidth, viewHeight, QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        l.controller.findNext(true);
        refreshAndPaint(l, image);
    }
    l.controller.clearFind();
}
BENCHMARK(FindNextOverFoundMatches)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    theList = std::make_unique<List>();
    const long long setUpCalls = theList->server.calls;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::printf("server calls to set up the list: %lld\n", setUpCalls);
    theList.reset();
    return 0;
}
