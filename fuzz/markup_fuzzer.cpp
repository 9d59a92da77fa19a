// markup_fuzzer.cpp: article markup from untrusted bytes through the run
// parser, the markup reader and the element pass, then the whole article as
// the list controller shows it: built (tokens, groups, styled and measured
// items, header and buttons), laid out (rows or tables), hit-tested and
// painted offscreen.
//
// Input: a flag byte, then the markup. Flag bits: 0 set, the markup is
// 16-bit little-endian code units, so that any unit reaches the parser,
// lone surrogates included; clear, UTF-8, so that the token dictionary's
// tags mutate in place. 1: measure with the toolkit's font metrics instead
// of fixed widths. 2: the header, the buttons and the show-more button, as
// the list controller builds an entry. 3 to 7: the layout width (10 + 12 * n
// pixels). Styles 7 and 8 are special in the element pass, as in the markup
// tests; the build uses the layout tests' styles.
// Every promise of article_content.h and the element records is checked
// after each step, and every hit must name a part of the article that the
// position look-up finds again: a broken promise is a finding as much as a
// crash is.
#include "article_input.h"
#include "fuzz_input.h"

#include "ArticleEngine/Markup/element_pass.h"
#include "ArticleEngine/Markup/style_run_parser.h"

#include "ArticleEngine/Controller/action_resources.h"
#include "ArticleEngine/Controller/article_entry.h"
#include "ArticleEngine/Controller/article_hit_tester.h"
#include "ArticleEngine/Controller/debug_overlay.h"
#include "ArticleEngine/External/default_char_analyzer.h"
#include "ArticleEngine/Loading/article_builder.h"
#include "ArticleEngine/Loading/article_layout_loader.h"
#include "ArticleEngine/Loading/text_metric_source.h"
#include "ArticleEngine/Views/view_painter.h"

#include "layout_fixture.h"
#include "markup_invariants.h"
#include "element_style_server.h"

#include <QGuiApplication>
#include <QIcon>
#include <QImage>
#include <QLoggingCategory>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
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

// The article's number in the list, as the controller attaches it.
constexpr int kIndex = 1;
// Where the article stands in the controller's document: off the origin, so
// that a part placed relative to the wrong corner shows.
constexpr int kLeft = 3;
constexpr int kTop = 7;
// Painting stops at this height: the pixels below add nothing a fault
// could show that the rows above do not.
constexpr int kMaximumPaintHeight = 400;

// One small picture for every button, as the controller's resources give.
const Controller::ActionResources& actionResources()
{
    static const Controller::ActionResources resources = [] {
        Controller::ActionResources made;
        QPixmap pixmap(6, 6);
        pixmap.fill(Qt::blue);
        made.defaultIcon = QIcon(pixmap);
        return made;
    }();
    return resources;
}

// A hit names this article, a body offset within its text, and a part that
// the position look-up finds again.
void checkHit(const ArticleView& view, const Controller::ArticleListPosition& position)
{
    if (position.article != kIndex || position.kind < HeaderKind || position.kind >= NoKind)
        check("a hit outside the article's parts", "in hit testing");
    if (position.kind == BodyKind && (position.offset < 0 || position.offset > view.text.size()))
        check("a body hit outside the text", "in hit testing");
    if (Controller::viewAtPosition(view, kIndex, position) == nullptr)
        check("a hit whose position names no view", "in hit testing");
}

// Points in a grid over the article and a margin around it, heights down
// its whole rectangle, and a few positions of every kind.
void hitTest(const Controller::ArticleEntry& entry)
{
    const ArticleView& view = *entry.view();
    const QRect area = view.rect.adjusted(-4, -4, 4, 4);
    // A hit costs a walk over the items of a line, so the grid stays coarse:
    // at most 7 by 25 points, half of them by the word rule.
    const int xStep = std::max(1, area.width() / 6);
    const int yStep = std::max(1, area.height() / 24);
    bool wordsOnly = false;
    for (int y = area.top(); y <= area.bottom(); y += yStep) {
        for (int x = area.left(); x <= area.right(); x += xStep) {
            wordsOnly = !wordsOnly;
            Controller::ArticleListPosition position;
            if (entry.hitTester.hitPoint(QPoint(x, y), wordsOnly, position))
                checkHit(view, position);
        }
        for (bool fromEnd : {false, true}) {
            Controller::ArticleListPosition position;
            if (entry.hitTester.hitHeight(fromEnd, y, position))
                checkHit(view, position);
        }
    }
    const int length = int(view.text.size());
    for (int kind = HeaderKind; kind <= NoKind; ++kind) {
        Controller::partView(view, kind);
        Controller::isPartShown(view, kind);
        for (int offset : {-1, 0, length / 2, length - 1, length, length + 5})
            Controller::viewAtPosition(view, kIndex, {kIndex, kind, offset});
    }
}

// Marks, the article and the debug frames into an image, as the controller
// paints them; then again clipped to a band across the middle.
void paint(const Controller::ArticleEntry& entry)
{
    const ArticleView& view = *entry.view();
    const int height = std::clamp(view.rect.bottom() + 4, 1, kMaximumPaintHeight);
    QImage image(std::max(1, view.rect.right() + 8), height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    PaintContext context{&painter, true, image.rect()};
    PainterStateGuard guard(context);
    paintHighlights(context, view, entry.marks, QColor(255, 255, 0));
    paintArticle(context, view);
    Controller::paintDebugOverlays(context, view, entry.layoutRecord, 1 | 2 | 4 | 8);
    PaintContext band{&painter, true, QRect(0, height / 3, image.width(), height / 3)};
    paintArticle(band, view);
}

void layOut(Controller::ArticleEntry& entry, int width, bool partial = false)
{
    Loading::ArticleLayoutLoader(*entry.view(), QRect(kLeft, kTop, width, partial ? 40 : 100000), partial).run();
}

// Builds the article as the list controller builds an entry (header,
// buttons and show-more when flag bit 2 is set, else the body alone), lays
// it out in part and then whole, hit-tests and paints it; then wider,
// collapsed and opened again with everything shown.
void buildAndLayOut(const QString& markup, std::uint8_t flags)
{
    static lexvane::testing::TestStyleServer styles;
    static const External::Default::CharAnalyzer analyzer;
    lexvane::testing::FixedMetricSource fixed;
    Loading::FontMetricsCache fontMetrics;
    Loading::TextMetricSource& metrics = (flags & 2) ? static_cast<Loading::TextMetricSource&>(fontMetrics)
                                                     : static_cast<Loading::TextMetricSource&>(fixed);
    const bool controlled = flags & 4;
    Loading::ArticleBuildRequest request;
    request.articleNumber = kIndex;
    request.title = QStringLiteral("title");
    request.markup = markup;
    request.hitWords = {1, 2, 5};
    request.flags = {controlled, controlled, controlled, controlled, controlled};
    request.complete = !controlled;
    request.headerFont = &styles.small;
    request.headerTextColor = QColor(Qt::black);
    request.headerBackground = QColor(200, 200, 255);

    Controller::ArticleEntry entry;
    entry.setView(std::make_unique<ArticleView>(
        Loading::ArticleBuilder(styles, analyzer, metrics).build(request, entry.layoutRecord)));
    for (int token : entry.layoutRecord.markedTokens) {
        if (token < 0 || token >= int(entry.layoutRecord.tokens.size()))
            check("a marked token that does not exist", "after building");
        const Loading::Token& t = entry.layoutRecord.tokens[std::size_t(token)];
        entry.marks.push_back({t.start, t.end});
    }
    entry.setCollapsed(false, false);
    entry.hitTester.attach(entry.view(), kIndex);
    Controller::assignIcons(*entry.view(), actionResources());

    const int width = 10 + 12 * (flags >> 3);
    layOut(entry, width, true);
    layOut(entry, width);
    hitTest(entry);
    paint(entry);

    // Wider: a second pass must cope with what the first one left.
    layOut(entry, width * 2 + 1);
    hitTest(entry);

    entry.setCollapsed(true);
    Controller::assignIcons(*entry.view(), actionResources());
    layOut(entry, width);
    hitTest(entry);
    paint(entry);

    entry.setCollapsed(false, true);
    Controller::assignIcons(*entry.view(), actionResources());
    layOut(entry, width);
    hitTest(entry);
}
} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    lexvane::fuzzing::startArticleApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QString markup = lexvane::fuzzing::flaggedText(std::span(data, size));

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
