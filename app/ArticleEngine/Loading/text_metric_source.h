// text_metric_source.h: where measuring gets the sizes of characters.
//
// Characters are measured one at a time, out of context: the engine lays
// out and paints every token (mostly one character) on its own, so kerning
// across characters never reaches the screen either. The exception are the
// shaping runs (Views/shaping_runs.h: joining letters, clusters, letters
// with marks), measured as one shaped string whose width is shared out
// among its characters. Either way the width of a piece of text is the sum
// of its characters' widths. A surrogate pair is one character: its whole
// width goes to the first half, 0 to the second. A line feed, never drawn,
// is 0 wide.
#pragma once

#include "ArticleEngine/Views/fragment_metrics.h"

#include <QFontMetrics>
#include <QRect>
#include <QStringView>

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <unordered_map>
#include <vector>

class QFont;
class QString;

namespace ArticleEngine::Loading {

class TextMetricSource {
public:
    virtual ~TextMetricSource() = default;

    // The font's ascent, descent and leading (the other fields are 0).
    virtual FragmentMetrics fontMeasures(const QFont& font) = 0;
    // Writes the width of each character of text to widths (as long as the
    // text) and answers their sum.
    virtual int characterWidths(const QFont& font, QStringView text, std::span<std::int16_t> widths) = 0;
    // The same for a shaping run, measured as one string in the given
    // direction: each character's width is its share of the shaped string
    // (between its cursor positions), and the sum is the string's width.
    // Unless a source knows better, the characters are measured alone.
    virtual int joinedWidths(const QFont& font, QStringView text, bool rightToLeft,
                             std::span<std::int16_t> widths)
    {
        (void)rightToLeft;
        return characterWidths(font, text, widths);
    }
    // The bounding rectangle of a whole line of text (for the header).
    virtual QRect boundingRect(const QFont& font, const QString& text) = 0;
};

// Measures with the toolkit's font metrics: one QFontMetrics per font and
// a table of character widths per font, filled as characters are met. Fonts
// are told apart by address, so a cache must not outlive the fonts it has
// seen: make one per build or layout pass.
class FontMetricsCache final : public TextMetricSource {
public:
    FontMetricsCache();
    ~FontMetricsCache() override;
    FontMetricsCache(const FontMetricsCache&) = delete;
    FontMetricsCache& operator=(const FontMetricsCache&) = delete;

    FragmentMetrics fontMeasures(const QFont& font) override;
    int characterWidths(const QFont& font, QStringView text, std::span<std::int16_t> widths) override;
    // Lays the run out with QTextLayout, the toolkit's shaper, once per
    // font, string and direction.
    int joinedWidths(const QFont& font, QStringView text, bool rightToLeft,
                     std::span<std::int16_t> widths) override;
    QRect boundingRect(const QFont& font, const QString& text) override;

private:
    struct Entry;
    Entry& entry(const QFont& font);

    std::unordered_map<const QFont*, std::unique_ptr<Entry>> m_entries;
    const QFont* m_lastFont = nullptr;
    Entry* m_lastEntry = nullptr;
};

} // namespace ArticleEngine::Loading
