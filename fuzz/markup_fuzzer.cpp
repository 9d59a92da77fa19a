// markup_fuzzer.cpp: article markup from untrusted bytes through the run
// parser, the markup reader and the element pass, then the article builder
// (tokens, groups, styled and measured items) and the paragraph layout.
//
// Input: a flag byte, then the markup. Flag bits: 0 set, the markup is
// 16-bit little-endian code units, so that any unit reaches the parser,
// lone surrogates included; clear, UTF-8, so that the token dictionary's
// tags mutate in place. 1: measure with the toolkit's font metrics instead
// of fixed widths. 2: show the header and the buttons. 3 to 7: the layout
// width (10 + 12 * n pixels). Styles 7 and 8 are special in the element
// pass, as in the markup tests; the build uses the layout tests' styles.
// Every promise of article_content.h and the element records is checked
// after each step: a broken invariant is a finding as much as a crash is.
#include "fuzz_input.h"

#include "ArticleEngine/Markup/element_pass.h"
#include "ArticleEngine/Markup/style_run_parser.h"

#include "ArticleEngine/External/default_char_analyzer.h"
#include "ArticleEngine/Loading/article_builder.h"
#include "ArticleEngine/Loading/paragraph_layout_loader.h"
#include "ArticleEngine/Loading/text_metric_source.h"

#include "layout_fixture.h"
#include "markup_invariants.h"
#include "element_style_server.h"

#include <QGuiApplication>
#include <QLoggingCategory>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace ArticleEngine;

namespace {

void check(const std::string& fault, const char* step)
{
    if (fault.empty())
        return;
    std::fprintf(stderr, "markup invariant broken %s: %s\n", step, fault.c_str());
    std::abort();
}

void buildAndLayOut(const QString& markup, std::uint8_t flags)
{
    static lexvane::testing::TestStyleServer styles;
    static const External::Default::CharAnalyzer analyzer;
    lexvane::testing::FixedMetricSource fixed;
    Loading::FontMetricsCache fontMetrics;
    Loading::TextMetricSource& metrics = (flags & 2) ? static_cast<Loading::TextMetricSource&>(fontMetrics)
                                                     : static_cast<Loading::TextMetricSource&>(fixed);
    Loading::ArticleBuildRequest request;
    request.articleNumber = 1;
    request.title = QStringLiteral("title");
    request.markup = markup;
    request.hitWords = {1, 2, 5};
    request.flags.header = flags & 4;
    request.flags.pronounce = flags & 4;
    request.flags.expandCollapse = flags & 4;
    request.complete = !(flags & 4);
    Loading::ArticleLayoutRecord record;
    ArticleView view = Loading::ArticleBuilder(styles, analyzer, metrics).build(request, record);

    // Every paragraph at the input's width, then again wider: a second pass
    // must cope with what the first one left.
    const int width = 10 + 12 * (flags >> 3);
    int line = 1;
    int top = 0;
    for (ParagraphView& paragraph : view.paragraphs) {
        Loading::ParagraphLayoutLoader(paragraph, QRect(0, top, width, 100000), false, line).run();
        line += paragraph.lineCount;
        top += paragraph.rect.height();
    }
    for (ParagraphView& paragraph : view.paragraphs)
        Loading::ParagraphLayoutLoader(paragraph, QRect(0, 0, width * 2, 100000), false, 1).run();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Layout needs fonts and so an application; the offscreen platform
    // works without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "lexvane-fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("lexvane.article.*=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    QString markup;
    if (data[0] & 1) {
        const std::u16string units = lexvane::fuzzing::utf16FromBytes(rest);
        markup = QString::fromUtf16(units.data(), qsizetype(units.size()));
    } else {
        markup = QString::fromUtf8(reinterpret_cast<const char*>(rest.data()), qsizetype(rest.size()));
    }

    ArticleContent content = readMarkup(markup);
    check(lexvane::testing::contentFault(content), "after reading");

    lexvane::testing::ElementStyleServer server;
    const ArticleElements elements = takeElements(content, server);
    check(lexvane::testing::contentFault(content), "after the element pass");
    check(lexvane::testing::elementsFault(content, elements), "in the elements");
    for (int asked : server.asked) {
        if (asked < 0)
            std::abort(); // negative numbers mean "no style" and are never asked about
    }
    // What is left holds no special run: a second pass cuts nothing.
    if (!takeElements(content, server).elements.empty())
        std::abort();

    buildAndLayOut(markup, data[0]);
    return 0;
}
