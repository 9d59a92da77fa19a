// text_measurer.h: styles and measures of fragments, text items and the
// header.
//
// applyStyles gives fragments their shared style record (one per style
// number, asked of the style server once per StyleCache) and image
// fragments a copy of their picture; measuring then sets the widths: a
// text fragment's width is the sum of its characters' widths, an image
// fragment's that of its picture (carried by its first character), a
// fragment without font has width 0 and height 1. Measuring an item also
// fills its character widths, so hit testing never measures again. The
// characters of a shaping run (Views/shaping_runs.h) are measured again
// together once their paragraph is whole; their widths still add up to
// their fragments' and items' widths.
#pragma once

#include "ArticleEngine/Views/fragment_metrics.h"
#include "ArticleEngine/Views/fragment_style.h"

#include <QString>

#include <cstdint>
#include <span>
#include <unordered_map>

namespace ArticleEngine {
class ArticleHeaderView;
class ParagraphView;
class TextItemFragmentView;
class TextItemView;
}

namespace ArticleEngine::External {
class IStyleServer;
}

namespace ArticleEngine::Loading {

class TextMetricSource;

// The style records of one pass, one per style number. Also keeps every
// font it measured alive for the metric source's cache.
class StyleCache {
public:
    StyleCache(External::IStyleServer& server, TextMetricSource& metrics)
        : m_server(server)
        , m_metrics(metrics)
    {
    }

    // The record for a style number: the server's style (or its fallback,
    // see IStyleServer::effectiveStyle) with its font's vertical measures.
    const FragmentStyle& style(int number);

    External::IStyleServer& server() { return m_server; }
    TextMetricSource& metrics() { return m_metrics; }

private:
    External::IStyleServer& m_server;
    TextMetricSource& m_metrics;
    std::unordered_map<int, FragmentStyle> m_styles;
    int m_lastNumber = 0;
    const FragmentStyle* m_last = nullptr;
};

// The vertical measures of a text fragment in a style: the font's ascent,
// descent and leading, and the shift into raise (+1) or lower (-1).
FragmentMetrics verticalMeasures(const TextFragmentStyle& style, TextMetricSource& metrics);

// Styles every fragment of the paragraph (or of one item, or one fragment),
// and gives image fragments the server's picture.
void applyStyles(ParagraphView& paragraph, StyleCache& styles);
void applyStyles(TextItemView& item, StyleCache& styles);
void applyStyle(TextItemFragmentView& fragment, StyleCache& styles);
// Only the picture: for a fragment made with its style.
void applyPicture(TextItemFragmentView& fragment, StyleCache& styles);

// Sets the fragment's width and height, and writes its characters' widths
// into widths (as long as the fragment).
void measureFragment(TextItemFragmentView& fragment, const QString& text,
                     TextMetricSource& metrics, std::span<std::int16_t> widths);
// Measures the item's fragments, sets its size and fills its widths.
void measureTextItem(TextItemView& item, const QString& text, TextMetricSource& metrics);
// The same for an item whose fragments and widths are given (an item being
// built, not yet in its paragraph).
void measureTextItem(TextItemView& item, std::span<TextItemFragmentView> fragments,
                     std::span<std::int16_t> widths, const QString& text, TextMetricSource& metrics);
// Measures every item of the paragraph, its shaping runs in context.
void measureParagraph(ParagraphView& paragraph, const QString& text, TextMetricSource& metrics);
// Measures the shaping runs of a paragraph whose items are measured, each
// as one string, and sets the widths of their fragments and items anew.
void measureShapingRuns(ParagraphView& paragraph, const QString& text, TextMetricSource& metrics);

// The header's style from the given font (shared) and colours; then, with
// a font, its text size and baseline (the font's ascent), and its nominal
// size the text size. Without a font nothing is measured.
void styleHeader(ArticleHeaderView& header, QFont* font, const QColor& textColor,
                 const QColor& background, TextMetricSource& metrics);

} // namespace ArticleEngine::Loading
