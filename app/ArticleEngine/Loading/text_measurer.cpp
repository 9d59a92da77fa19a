// text_measurer.cpp: applying styles and measuring.
#include "ArticleEngine/Loading/text_measurer.h"

#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/External/text_fragment_style.h"
#include "ArticleEngine/Loading/text_metric_source.h"
#include "ArticleEngine/Views/article_header_view.h"
#include "ArticleEngine/Views/paragraph_view.h"
#include "ArticleEngine/Views/shaping_runs.h"
#include "ArticleEngine/Views/text_item_fragment_view.h"
#include "ArticleEngine/Views/text_item_view.h"

#include <QFont>

#include <algorithm>

namespace ArticleEngine::Loading {

FragmentMetrics verticalMeasures(const TextFragmentStyle& style, TextMetricSource& metrics)
{
    FragmentMetrics measures;
    if (style.font() == nullptr)
        return measures;
    measures = metrics.fontMeasures(*style.font());
    measures.width = 0;
    measures.raise = 0;
    measures.lower = 0;
    const int shift = verticalShift(measures.ascent + measures.descent + 1);
    if (style.verticalAlignment == 1)
        measures.raise = shift;
    else if (style.verticalAlignment == -1)
        measures.lower = shift;
    return measures;
}

const FragmentStyle& StyleCache::style(int number)
{
    if (m_last != nullptr && m_lastNumber == number)
        return *m_last;
    auto found = m_styles.find(number);
    if (found == m_styles.end()) {
        const TextFragmentStyle& served = m_server.effectiveStyle(number);
        FragmentStyle record(new FragmentStyleData(number, served, verticalMeasures(served, m_metrics)));
        found = m_styles.emplace(number, std::move(record)).first;
    }
    m_lastNumber = number;
    m_last = &found->second;
    return found->second;
}

void applyPicture(TextItemFragmentView& fragment, StyleCache& styles)
{
    if (fragment.hasImage())
        fragment.setPixmap(styles.server().image(fragment.image()));
    else
        fragment.resetPixmap();
}

void applyStyle(TextItemFragmentView& fragment, StyleCache& styles)
{
    fragment.setSharedStyle(styles.style(fragment.styleNumber()));
    applyPicture(fragment, styles);
}

void applyStyles(TextItemView& item, StyleCache& styles)
{
    for (TextItemFragmentView& fragment : item.fragments())
        applyStyle(fragment, styles);
}

void applyStyles(ParagraphView& paragraph, StyleCache& styles)
{
    for (TextItemFragmentView& fragment : paragraph.fragments())
        applyStyle(fragment, styles);
}

void measureFragment(TextItemFragmentView& fragment, const QString& text,
                     TextMetricSource& metrics, std::span<std::int16_t> widths)
{
    const QStringView characters = fragment.text(text);
    widths = widths.first(std::min(widths.size(), std::size_t(characters.size())));
    std::fill(widths.begin(), widths.end(), std::int16_t(0));
    int width = 0;
    if (fragment.hasImage()) {
        // The picture's width stands on its first character, so that the
        // character widths still add up to the fragment's width.
        width = fragment.metrics().width;
        if (!widths.empty())
            widths.front() = std::int16_t(std::min(width, 32767));
    } else if (const TextFragmentStyle* style = fragment.style(); style && style->font()) {
        width = metrics.characterWidths(*style->font(), characters, widths);
    }
    fragment.nominalSize = QSize(width, 0);
    fragment.nominalSize.setHeight(fragment.metrics().height());
}

void measureTextItem(TextItemView& item, std::span<TextItemFragmentView> fragments,
                     std::span<std::int16_t> widths, const QString& text, TextMetricSource& metrics)
{
    FragmentMetrics combined;
    for (TextItemFragmentView& fragment : fragments) {
        const std::size_t offset = std::size_t(std::max(fragment.start() - item.start(), 0));
        std::span<std::int16_t> own = offset <= widths.size() ? widths.subspan(offset) : std::span<std::int16_t>();
        measureFragment(fragment, text, metrics, own);
        combined.combine(fragment.metrics());
    }
    item.nominalSize = QSize(combined.width, combined.height());
    item.setWidthsKnown(widths.size() == std::size_t(std::max(item.length(), 0)));
}

void measureTextItem(TextItemView& item, const QString& text, TextMetricSource& metrics)
{
    measureTextItem(item, item.fragments(), item.characterWidths(), text, metrics);
}

void measureParagraph(ParagraphView& paragraph, const QString& text, TextMetricSource& metrics)
{
    for (TextItemView& item : paragraph.items())
        measureTextItem(item, paragraph.fragmentsOf(item), item.characterWidths(), text, metrics);
    measureShapingRuns(paragraph, text, metrics);
}

void measureShapingRuns(ParagraphView& paragraph, const QString& text, TextMetricSource& metrics)
{
    const std::vector<ShapingRun> runs = shapingRuns(paragraph, text);
    if (runs.empty())
        return;
    const std::span<std::int16_t> widths = paragraph.characterWidths();
    const std::span<TextItemFragmentView> fragments = paragraph.fragments();
    const std::span<TextItemView> items = paragraph.items();
    for (const ShapingRun& run : runs) {
        const std::size_t offset = std::size_t(run.start - paragraph.textStart());
        const std::size_t length = std::size_t(run.end - run.start);
        if (run.start < paragraph.textStart() || offset + length > widths.size())
            continue;
        const std::span<std::int16_t> own = widths.subspan(offset, length);
        const QFont& font = *fragments[run.firstFragment].style()->font();
        metrics.joinedWidths(font, QStringView(text).mid(run.start, run.end - run.start), run.rightToLeft,
                             own);
        for (std::size_t f = run.firstFragment; f < run.endFragment; ++f) {
            TextItemFragmentView& fragment = fragments[f];
            int width = 0;
            for (int c = fragment.start(); c < fragment.end(); ++c)
                width += own[std::size_t(c - run.start)];
            fragment.nominalSize.setWidth(width);
        }
        // The items that hold the run's fragments take their new sum.
        for (std::size_t i = run.firstItem; i < items.size(); ++i) {
            TextItemView& item = items[i];
            if (std::size_t(item.firstFragment()) >= run.endFragment)
                break;
            int width = 0;
            for (const TextItemFragmentView& fragment : paragraph.fragmentsOf(item))
                width += fragment.metrics().width;
            item.nominalSize.setWidth(width);
        }
    }
}

void styleHeader(ArticleHeaderView& header, QFont* font, const QColor& textColor,
                 const QColor& background, TextMetricSource& metrics)
{
    header.style = TextFragmentStyle(font, textColor, QColor(), 0, 0, 0, 0, 0);
    header.color = background;
    if (font == nullptr)
        return;
    header.textSize = metrics.boundingRect(*font, header.title).size();
    header.baseline = metrics.fontMeasures(*font).ascent;
    header.nominalSize = header.textSize;
}

} // namespace ArticleEngine::Loading
