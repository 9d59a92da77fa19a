// layout_fixture.h: what the view and layout tests share: a metric source
// with fixed sizes, a style server with a few fonts, a special link style
// and pictures, and short ways to build an article and describe its lines.
#pragma once

#include "ArticleEngine/External/default_char_analyzer.h"
#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/External/text_fragment_style.h"
#include "ArticleEngine/Loading/article_builder.h"
#include "ArticleEngine/Loading/text_metric_source.h"
#include "ArticleEngine/Views/article_view.h"

#include <QFont>
#include <QPixmap>

#include <map>
#include <memory>
#include <string>

namespace lexvane::testing {

// Every character is 10 pixels wide, a line feed 0 wide; a font's ascent
// is its point size and its descent a third of it, rounded up (a 9-point
// font: 9 and 3, so ascent + descent + 1 = 13; an 8-point font: 12).
class FixedMetricSource final : public ArticleEngine::Loading::TextMetricSource {
public:
    ArticleEngine::FragmentMetrics fontMeasures(const QFont& font) override;
    int characterWidths(const QFont& font, QStringView text, std::span<std::int16_t> widths) override;
    QRect boundingRect(const QFont& font, const QString& text) override;

    int characterWidth = 10;
};

// Styles 1 to 4: 9-point fonts on the baseline (1), raised (2), lowered (3)
// and an 18-point font (4); style 5 has no font; 7 is special (elements).
// Every other number has no style (the default, style 1, stands in).
// image("pic17") is a 10 x 17 picture; other references give none.
class TestStyleServer : public ArticleEngine::External::IStyleServer {
public:
    TestStyleServer();

    bool isSpecialStyle(int style) override { return style == 7; }
    ArticleEngine::TextFragmentStyle* style(int style) override;
    QPixmap image(const QString& reference) override;

    QFont small{QStringLiteral("DejaVu Sans"), 9};
    QFont large{QStringLiteral("DejaVu Sans"), 18};
    std::map<int, ArticleEngine::TextFragmentStyle> styles;
};

struct BuiltArticle {
    // Declared first: the view shares the server's fonts and goes first.
    std::shared_ptr<TestStyleServer> styles;
    ArticleEngine::ArticleView view;
    ArticleEngine::Loading::ArticleLayoutRecord record;
};

// Builds markup with the fixed metrics, the test styles (a new server
// unless one is given) and the default character classes.
BuiltArticle buildArticle(const QString& markup,
                          const ArticleEngine::Loading::ArticleBuildRequest& request = {},
                          std::shared_ptr<TestStyleServer> styles = nullptr);

// Lays a paragraph out at a width from (0, 0), first line 1.
void layOut(ArticleEngine::ParagraphView& paragraph, int width);

// The paragraph's lines as their text in display order, joined by '|'; line
// feeds shown as '$'.
std::string describeLines(const ArticleEngine::ArticleView& article,
                          const ArticleEngine::ParagraphView& paragraph);

} // namespace lexvane::testing
