// article_paint_bench.cpp: what painting a viewport of a long article and
// hit testing in it cost.
//
// The article has 5,000 one-line paragraphs, built and laid out at 800
// pixels in DejaVu Sans 10. An 800 x 600 viewport is painted into a QImage
// at the top, the middle and the end; the baseline is QPainter::drawText
// of the same visible text, one call per line, in the same image. 1,000
// hitPoint calls at points spread over the article stand beside 1,000
// QTextLine::xToCursor calls on one laid-out line of the same text. After
// the run a summary prints each figure beside its baseline with the ratio.
#include "article_bench_styles.h"

#include "ArticleEngine/Controller/article_hit_tester.h"
#include "ArticleEngine/External/default_char_analyzer.h"
#include "ArticleEngine/Loading/article_builder.h"
#include "ArticleEngine/Loading/article_layout_loader.h"
#include "ArticleEngine/Loading/text_metric_source.h"
#include "ArticleEngine/Views/view_lookup.h"
#include "ArticleEngine/Views/view_painter.h"

#include <QApplication>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QTextLayout>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <memory>
#include <string>

using namespace ArticleEngine;
using lexvane::bench::BenchStyleServer;
using lexvane::bench::lineMarkup;
using lexvane::bench::lineText;

namespace {

constexpr int viewWidth = 800;
constexpr int viewHeight = 600;
constexpr int articleSize = 5000;
constexpr int hits = 1000;

struct Fixture {
    BenchStyleServer styles;
    ArticleView view;
    Loading::ArticleLayoutRecord record;
    std::vector<QString> lines;

    Fixture()
    {
        QString markup;
        for (int i = 0; i < articleSize; ++i) {
            const QString line = lineText(i);
            lines.push_back(line);
            markup += lineMarkup(line);
        }
        const External::Default::CharAnalyzer analyzer;
        Loading::FontMetricsCache metrics;
        Loading::ArticleBuildRequest request;
        request.markup = markup;
        view = Loading::ArticleBuilder(styles, analyzer, metrics).build(request, record);
        Loading::ArticleLayoutLoader(view, QRect(0, 0, viewWidth, 1 << 22), false).run();
    }

    int top(int where) const
    {
        const int height = view.rect.height();
        return where == 0 ? 0 : where == 1 ? height / 2 : height - viewHeight;
    }
};

Fixture& fixture()
{
    static Fixture instance;
    return instance;
}

const char* const places[3] = {"top", "middle", "end"};

void PaintViewport(benchmark::State& state)
{
    Fixture& f = fixture();
    const int top = f.top(int(state.range(0)));
    QImage image(viewWidth, viewHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.translate(0, -top);
        PaintContext context{&painter, true, QRect(0, top, viewWidth, viewHeight)};
        paintArticle(context, f.view);
    }
    state.SetLabel(places[state.range(0)]);
}

// The same visible lines, each drawn with one drawText call.
void DrawTextBaseline(benchmark::State& state)
{
    Fixture& f = fixture();
    const int top = f.top(int(state.range(0)));
    const int first = firstParagraphReaching(f.view, top);
    const int end = firstParagraphBelow(f.view, top + viewHeight - 1);
    QImage image(viewWidth, viewHeight, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        painter.translate(0, -top);
        painter.setFont(f.styles.plainFont());
        for (int i = first; i < end; ++i) {
            const QRect rect = f.view.paragraphs[std::size_t(i)].rect;
            painter.drawText(QPoint(0, rect.top() + 12), f.lines[std::size_t(i)]);
        }
    }
    state.counters["lines"] = end - first;
    state.SetLabel(places[state.range(0)]);
}

void HitPoints(benchmark::State& state)
{
    Fixture& f = fixture();
    Controller::ArticleListHitTester tester;
    tester.attach(&f.view, -1);
    const int height = f.view.rect.height();
    for (auto _ : state) {
        Controller::ArticleListPosition position;
        int found = 0;
        for (int i = 0; i < hits; ++i) {
            const QPoint point((i * 37) % viewWidth, int(std::int64_t(i) * height / hits));
            found += tester.hitPoint(point, i % 2 == 1, position) ? 1 : 0;
        }
        benchmark::DoNotOptimize(found);
    }
}

void XToCursorBaseline(benchmark::State& state)
{
    Fixture& f = fixture();
    QTextLayout layout(f.lines[0], f.styles.plainFont());
    layout.beginLayout();
    QTextLine line = layout.createLine();
    line.setLineWidth(viewWidth);
    layout.endLayout();
    for (auto _ : state) {
        int sum = 0;
        for (int i = 0; i < hits; ++i)
            sum += line.xToCursor((i * 37) % viewWidth);
        benchmark::DoNotOptimize(sum);
    }
}

BENCHMARK(PaintViewport)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(DrawTextBaseline)->Arg(0)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(HitPoints)->Unit(benchmark::kMillisecond);
BENCHMARK(XToCursorBaseline)->Unit(benchmark::kMillisecond);

class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Iteration || run.iterations == 0)
                continue;
            times[run.run_name.str()] = run.GetAdjustedRealTime()
                * benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond)
                / benchmark::GetTimeUnitMultiplier(run.time_unit);
        }
    }

    std::map<std::string, double> times;
};

void printSummary(const SummaryReporter& reporter)
{
    auto time = [&](const std::string& name) {
        auto found = reporter.times.find(name);
        return found == reporter.times.end() ? -1.0 : found->second;
    };
    auto row = [](const char* figure, double ms, double baseline, double target) {
        if (ms < 0 || baseline <= 0)
            return;
        std::printf("%-26s %10.3f %10.3f %8.2f   (target < %.0f ms)\n", figure, ms, baseline,
                    ms / baseline, target);
    };
    std::printf("\nSummary (ms; 5,000 lines at %d px, viewport %d x %d)\n", viewWidth, viewWidth,
                viewHeight);
    std::printf("%-26s %10s %10s %8s\n", "figure", "ms", "baseline", "ratio");
    for (int place = 0; place < 3; ++place) {
        std::string arg("/");
        arg.append(std::to_string(place));
        const std::string figure = std::string("paint viewport, ") + places[place];
        row(figure.c_str(), time("PaintViewport" + arg), time("DrawTextBaseline" + arg), 8);
    }
    row("1,000 hitPoint calls", time("HitPoints"), time("XToCursorBaseline"), 10);
    std::printf("baselines: QPainter::drawText of the visible lines; QTextLine::xToCursor\n");
}

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    printSummary(reporter);
    benchmark::Shutdown();
    return 0;
}
