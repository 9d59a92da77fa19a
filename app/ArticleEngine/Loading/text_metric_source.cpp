// text_metric_source.cpp: character widths through cached font metrics.
#include "ArticleEngine/Loading/text_metric_source.h"

#include <QFont>
#include <QString>

#include <algorithm>
#include <limits>

namespace ArticleEngine::Loading {

namespace {

constexpr int pageSize = 256;
// Marks a width not yet asked for (no real advance is this negative).
constexpr std::int16_t unknownWidth = std::numeric_limits<std::int16_t>::min();

std::int16_t clampWidth(int width)
{
    return std::int16_t(std::clamp(width, 0, int(std::numeric_limits<std::int16_t>::max())));
}

} // namespace

struct FontMetricsCache::Entry {
    explicit Entry(const QFont& font)
        : metrics(font)
    {
        measures.ascent = metrics.ascent();
        measures.descent = metrics.descent();
        measures.leading = metrics.leading();
    }

    std::int16_t width(char16_t code)
    {
        auto& page = pages[code / pageSize];
        if (!page) {
            page = std::make_unique<std::array<std::int16_t, pageSize>>();
            page->fill(unknownWidth);
        }
        std::int16_t& slot = (*page)[code % pageSize];
        if (slot == unknownWidth) {
            // Fonts give a line feed the width of a box, but painting drops
            // line feeds: one must take no room, or a word that fits would
            // wrap for it.
            slot = code == u'\n' ? 0 : clampWidth(metrics.horizontalAdvance(QChar(code)));
        }
        return slot;
    }

    std::int16_t pairWidth(QChar high, QChar low)
    {
        const char32_t code = QChar::surrogateToUcs4(high, low);
        auto found = pairs.find(code);
        if (found != pairs.end())
            return found->second;
        const QChar pair[2] = {high, low};
        const std::int16_t width = clampWidth(metrics.horizontalAdvance(QString(pair, 2)));
        pairs.emplace(code, width);
        return width;
    }

    QFontMetrics metrics;
    FragmentMetrics measures;
    std::array<std::unique_ptr<std::array<std::int16_t, pageSize>>, 65536 / pageSize> pages;
    std::unordered_map<char32_t, std::int16_t> pairs;
};

FontMetricsCache::FontMetricsCache() = default;
FontMetricsCache::~FontMetricsCache() = default;

FontMetricsCache::Entry& FontMetricsCache::entry(const QFont& font)
{
    if (m_lastFont == &font)
        return *m_lastEntry;
    auto& slot = m_entries[&font];
    if (!slot)
        slot = std::make_unique<Entry>(font);
    m_lastFont = &font;
    m_lastEntry = slot.get();
    return *slot;
}

FragmentMetrics FontMetricsCache::fontMeasures(const QFont& font)
{
    return entry(font).measures;
}

int FontMetricsCache::characterWidths(const QFont& font, QStringView text,
                                      std::span<std::int16_t> widths)
{
    Entry& measured = entry(font);
    const std::size_t length = std::min(std::size_t(text.size()), widths.size());
    int sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        const QChar c = text[qsizetype(i)];
        if (c.isHighSurrogate() && i + 1 < length && text[qsizetype(i + 1)].isLowSurrogate()) {
            widths[i] = measured.pairWidth(c, text[qsizetype(i + 1)]);
            widths[i + 1] = 0;
            sum += widths[i];
            ++i;
            continue;
        }
        widths[i] = measured.width(c.unicode());
        sum += widths[i];
    }
    return sum;
}

QRect FontMetricsCache::boundingRect(const QFont& font, const QString& text)
{
    return entry(font).metrics.boundingRect(text);
}

} // namespace ArticleEngine::Loading
