// article_layout_bench.cpp: what building and laying out an article costs.
//
// Two articles: 5,000 one-line paragraphs, and one paragraph that breaks
// into about 5,000 lines, both at 800 pixels in DejaVu Sans 10. Each is
// parsed from markup, built (tokens, items, fragments, styles, measures)
// and laid out, then laid out again at the same width and at another one.
// The baseline is the toolkit's QTextLayout breaking the same plain text
// into lines of the same width. After the run a summary prints every
// figure beside its baseline with the ratio, and the memory the built
// article holds per character of its text.
#include "article_bench_styles.h"

#include "ArticleEngine/External/default_char_analyzer.h"
#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/External/text_fragment_style.h"
#include "ArticleEngine/Loading/article_builder.h"
#include "ArticleEngine/Loading/article_layout_loader.h"
#include "ArticleEngine/Loading/text_metric_source.h"

#include <QApplication>
#include <QFont>
#include <QTextLayout>

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <cstdio>
#include <map>
#include <memory>
#include <set>
#include <string>

using namespace ArticleEngine;
using lexvane::bench::BenchStyleServer;
using lexvane::bench::lineMarkup;
using lexvane::bench::lineText;

namespace {

constexpr int layoutWidth = 800;
constexpr int articleSize = 5000;

struct Sample {
    QString markup;
    // The same text without markup, paragraphs split at line feeds.
    QString plain;
};

Sample shortParagraphs()
{
    Sample sample;
    for (int i = 0; i < articleSize; ++i) {
        const QString line = lineText(i);
        sample.markup += lineMarkup(line);
        sample.plain += line + QLatin1Char('\n');
    }
    return sample;
}

// Words enough for about 5,000 lines of 800 pixels.
Sample oneLongParagraph()
{
    Sample sample;
    QString text;
    for (int i = 0; i < articleSize * 168 / 100; ++i)
        text += lineText(i) + QLatin1Char(' ');
    sample.markup = QStringLiteral("#3\"") + text + QStringLiteral("\"");
    sample.plain = text + QLatin1Char('\n');
    return sample;
}

const Sample& sampleOf(int kind)
{
    static const Sample samples[2] = {shortParagraphs(), oneLongParagraph()};
    return samples[kind];
}

struct Built {
    ArticleView view;
    Loading::ArticleLayoutRecord record;
};

// The whole article pass (header row, rows, buttons); answers the number
// of lines.
int layOut(ArticleView& view, int width)
{
    Loading::ArticleLayoutLoader(view, QRect(0, 0, width, 1 << 20), false).run();
    const ParagraphView& last = view.paragraphs.back();
    return last.firstLine + last.lineCount - 1;
}

std::unique_ptr<Built> build(BenchStyleServer& styles, const QString& markup)
{
    const External::Default::CharAnalyzer analyzer;
    Loading::FontMetricsCache metrics;
    auto built = std::make_unique<Built>();
    Loading::ArticleBuildRequest request;
    request.markup = markup;
    built->view = Loading::ArticleBuilder(styles, analyzer, metrics).build(request, built->record);
    return built;
}

std::size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

const char* const names[2] = {"5000Paragraphs", "5000Lines"};

void BuildAndLayout(benchmark::State& state)
{
    const Sample& sample = sampleOf(int(state.range(0)));
    BenchStyleServer styles;
    int lines = 0;
    std::size_t characters = 0;
    for (auto _ : state) {
        auto built = build(styles, sample.markup);
        lines = layOut(built->view, layoutWidth);
        characters = std::size_t(built->view.text.size());
        benchmark::DoNotOptimize(built);
        // Dropping the article is not part of building it.
        state.PauseTiming();
        built.reset();
        state.ResumeTiming();
    }
    // Memory held by one built and laid-out article with its record.
    const std::size_t before = heapInUse();
    auto kept = build(styles, sample.markup);
    layOut(kept->view, layoutWidth);
    const std::size_t after = heapInUse();
    state.counters["lines"] = lines;
    state.counters["chars"] = double(characters);
    state.counters["bytes_per_char"] = double(after - before) / double(characters);
    state.SetLabel(names[state.range(0)]);
}

void Relayout(benchmark::State& state)
{
    const Sample& sample = sampleOf(int(state.range(0)));
    BenchStyleServer styles;
    auto built = build(styles, sample.markup);
    layOut(built->view, layoutWidth);
    for (auto _ : state)
        benchmark::DoNotOptimize(layOut(built->view, layoutWidth));
    state.SetLabel(names[state.range(0)]);
}

void RelayoutOtherWidth(benchmark::State& state)
{
    const Sample& sample = sampleOf(int(state.range(0)));
    BenchStyleServer styles;
    auto built = build(styles, sample.markup);
    layOut(built->view, layoutWidth);
    bool narrow = false;
    for (auto _ : state) {
        narrow = !narrow;
        benchmark::DoNotOptimize(layOut(built->view, narrow ? layoutWidth - 20 : layoutWidth));
    }
    state.SetLabel(names[state.range(0)]);
}

// The baseline: the toolkit's own line breaking of the plain text, one
// layout per paragraph.
void QTextLayoutBaseline(benchmark::State& state)
{
    const Sample& sample = sampleOf(int(state.range(0)));
    const QStringList paragraphs = sample.plain.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    const QFont font(QStringLiteral("DejaVu Sans"), 10);
    int lines = 0;
    for (auto _ : state) {
        lines = 0;
        qreal top = 0;
        for (const QString& paragraph : paragraphs) {
            QTextLayout layout(paragraph, font);
            layout.beginLayout();
            for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
                line.setLineWidth(layoutWidth);
                line.setPosition(QPointF(0, top));
                top += line.height();
                ++lines;
            }
            layout.endLayout();
        }
        benchmark::DoNotOptimize(top);
    }
    state.counters["lines"] = lines;
    state.SetLabel(names[state.range(0)]);
}

BENCHMARK(BuildAndLayout)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(QTextLayoutBaseline)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Relayout)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
BENCHMARK(RelayoutOtherWidth)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// Keeps every run's time per iteration, in milliseconds, by name.
class SummaryReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        // With repetitions the median stands for the benchmark.
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (!median && (run.run_type != Run::RT_Iteration || run.iterations == 0))
                continue;
            const std::string name = run.run_name.str();
            if (!median && medians.count(name) != 0)
                continue;
            if (median)
                medians.insert(name);
            times[name] = run.GetAdjustedRealTime()
                * benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond)
                / benchmark::GetTimeUnitMultiplier(run.time_unit);
            auto bytes = run.counters.find("bytes_per_char");
            if (bytes != run.counters.end())
                bytesPerChar[name] = bytes->second.value;
        }
    }

    std::map<std::string, double> times;
    std::map<std::string, double> bytesPerChar;
    std::set<std::string> medians;
};

void printSummary(const SummaryReporter& reporter)
{
    auto time = [&](const std::string& name) {
        auto found = reporter.times.find(name);
        return found == reporter.times.end() ? -1.0 : found->second;
    };
    std::printf("\nSummary (ms; baseline: QTextLayout line breaking of the same text at %d px)\n",
                layoutWidth);
    std::printf("%-16s %-22s %12s %12s %8s\n", "article", "figure", "ms", "baseline", "ratio");
    for (int kind = 0; kind < 2; ++kind) {
        // (Appended rather than added: GCC 12 warns falsely on "/" + string.)
        std::string arg("/");
        arg.append(std::to_string(kind));
        const double baseline = time("QTextLayoutBaseline" + arg);
        const std::pair<const char*, std::string> figures[] = {
            {"parse+build+layout", "BuildAndLayout" + arg},
            {"relayout same width", "Relayout" + arg},
            {"relayout other width", "RelayoutOtherWidth" + arg},
        };
        for (const auto& [label, name] : figures) {
            const double ms = time(name);
            if (ms < 0 || baseline <= 0)
                continue;
            std::printf("%-16s %-22s %12.3f %12.3f %8.3f\n", names[kind], label, ms, baseline,
                        ms / baseline);
        }
        auto bytes = reporter.bytesPerChar.find("BuildAndLayout" + arg);
        if (bytes != reporter.bytesPerChar.end())
            std::printf("%-16s %-22s %12.1f bytes per character (target < 200)\n", names[kind],
                        "memory", bytes->second);
    }
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
