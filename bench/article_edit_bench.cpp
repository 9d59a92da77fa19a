// article_edit_bench.cpp: what a keystroke costs in the article editor on a
// 10 KB and a 100 KB article (target under 16 ms for 10 KB), what pasting
// a copied source of 1,000 runs costs, and how much memory the undo
// history of a long session on a 100 KB article takes.
//
// A keystroke is what the host runs for a typed letter: the edit (rebuild,
// layout, caret, undo snapshot), then refresh and paint of an 800 x 600
// viewport. Each figure is printed beside a plain baseline measured in the
// same run over the same text: for a keystroke a QString insert plus the
// markup reader over the article's source, for the paste the markup
// reader over the pasted source plus appending its text; "ratio" is the
// editor's time over the baseline's.
#include "article_bench_styles.h"
#include "bench_widget.h"

#include "ArticleEngine/Controller/article_edit_controller.h"
#include "ArticleEngine/Controller/edit_undo_history.h"
#include "ArticleEngine/External/default_char_analyzer.h"
#include "ArticleEngine/Markup/style_run_parser.h"

#include <QApplication>
#include <QImage>
#include <QPainter>
#include <QScrollBar>

#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

using namespace ArticleEngine;
using namespace ArticleEngine::Controller;
using lexvane::bench::BenchStyleServer;
using lexvane::bench::BenchWidget;
using lexvane::bench::lineMarkup;
using lexvane::bench::lineText;

namespace {

constexpr int viewWidth = 800;
constexpr int viewHeight = 600;
using Clock = std::chrono::steady_clock;

struct Editor {
    BenchStyleServer styles;
    External::Default::CharAnalyzer analyzer;
    BenchWidget widget;
    ArticleEditController controller;
    QImage image{viewWidth, viewHeight, QImage::Format_ARGB32_Premultiplied};

    Editor()
    {
        controller.setWidget(&widget);
        controller.setViewport(QRect(0, 0, viewWidth, viewHeight));
        controller.init(&styles, &analyzer);
    }
    void refreshAndPaint()
    {
        controller.refresh();
        QPainter painter(&image);
        controller.paint(image.rect(), &painter);
    }
};

// Dictionary-like lines until the article's text holds kilobytes KB.
QString articleOf(int kilobytes)
{
    QString markup;
    int textLength = 0;
    for (int n = 0; textLength * 2 < kilobytes * 1024; ++n) {
        const QString line = lineText(n);
        markup += lineMarkup(line);
        textLength += int(line.size()) + 1;
    }
    return markup;
}

double milliseconds(Clock::duration d)
{
    return std::chrono::duration<double, std::milli>(d).count();
}

// A letter typed in the middle of the article, with the host's refresh and
// paint; the caret stays in the middle's view.
void Keystroke(benchmark::State& state)
{
    Editor editor;
    const QString source = articleOf(int(state.range(0)));
    editor.controller.setSource(source);
    const int middle = editor.controller.document().length() / 2;
    editor.controller.setCaret(ArticleEditPosition::body(middle), true, true);
    editor.refreshAndPaint();

    long long count = 0;
    Clock::duration spent{};
    for (auto _ : state) {
        const auto start = Clock::now();
        editor.controller.typeChar(QChar(char16_t(u'a' + count % 26)));
        editor.refreshAndPaint();
        spent += Clock::now() - start;
        ++count;
    }

    // The baseline: as much work as a plain text editor with a reparse.
    QString text = editor.controller.document().text();
    const QString current = editor.controller.source();
    const auto baselineStart = Clock::now();
    for (long long i = 0; i < count; ++i) {
        text.insert(middle, QChar(char16_t(u'a' + i % 26)));
        benchmark::DoNotOptimize(readMarkup(current));
    }
    const double baseline = milliseconds(Clock::now() - baselineStart) / double(count);
    const double edit = milliseconds(spent) / double(count);
    state.counters["text_kb"] = double(editor.controller.document().length()) * 2 / 1024;
    state.counters["edit_ms"] = edit;
    state.counters["baseline_ms"] = baseline;
    state.counters["ratio"] = edit / baseline;
}
BENCHMARK(Keystroke)->Arg(10)->Arg(100)->Unit(benchmark::kMillisecond)->UseRealTime();

// A copied source of 1,000 runs with its style sheet, pasted into an
// article of one paragraph.
QString copiedSource()
{
    QString source;
    for (int run = 0; run < 1000; ++run) {
        source += QStringLiteral("#0") + QString::number(1 + run % 3) + QStringLiteral("\"word")
            + QString::number(run) + (run % 10 == 9 ? QStringLiteral("%0a\"") : QStringLiteral(" \""));
    }
    source += QStringLiteral("\n.1 { color: rgb(0, 0, 128); font-weight: 700; }"
                             "\n.2 { color: #008000; font-style: italic; }"
                             "\n.3 { color: rgb(0, 0, 0); font-size: 10pt; }\n");
    return source;
}

void PasteSource(benchmark::State& state)
{
    Editor editor;
    const QString pasted = copiedSource();
    Clock::duration spent{};
    long long count = 0;
    for (auto _ : state) {
        state.PauseTiming();
        editor.controller.setSource(QStringLiteral("#01\"start end%0a\""));
        editor.controller.setCaret(ArticleEditPosition::body(6), true, false);
        state.ResumeTiming();
        const auto start = Clock::now();
        editor.controller.pasteSource(pasted);
        editor.refreshAndPaint();
        spent += Clock::now() - start;
        ++count;
    }
    const auto baselineStart = Clock::now();
    for (long long i = 0; i < count; ++i) {
        QString text = QStringLiteral("start end\n");
        text.insert(6, readMarkup(pasted).text);
        benchmark::DoNotOptimize(text);
    }
    const double baseline = milliseconds(Clock::now() - baselineStart) / double(count);
    const double paste = milliseconds(spent) / double(count);
    state.counters["paste_ms"] = paste;
    state.counters["baseline_ms"] = baseline;
    state.counters["ratio"] = paste / baseline;
    state.counters["text_chars"] = editor.controller.document().length();
}
BENCHMARK(PasteSource)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(20);

// The snapshots of 3,300 edits of a 100 KB article, each changing a few
// characters, as the editor pushes them; beside the bytes that plain
// copies of every kept snapshot would take.
void UndoHistoryMemory(benchmark::State& state)
{
    const QString article = articleOf(100);
    std::size_t stored = 0;
    for (auto _ : state) {
        QString source = article;
        EditUndoHistory history;
        history.reset(source, {});
        for (int edit = 0; edit < 3300; ++edit) {
            const int at = int((long long)edit * 7919 % (source.size() - 8));
            if (edit % 3 == 0)
                source.remove(at, 3);
            else
                source.insert(at, QStringLiteral("ab"));
            history.push(source, {});
        }
        stored = history.storedBytes();
    }
    const double plain = double(article.size()) * 2 * (EditUndoHistory::limit - 1);
    state.counters["stored_mb"] = double(stored) / (1 << 20);
    state.counters["plain_copies_mb"] = plain / (1 << 20);
    state.counters["ratio"] = double(stored) / plain;
}
BENCHMARK(UndoHistoryMemory)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

int main(int argc, char** argv)
{
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
