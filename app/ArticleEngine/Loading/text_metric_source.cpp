// text_metric_source.cpp: character widths through cached font metrics.
#include "ArticleEngine/Loading/text_metric_source.h"

#include <QFont>
#include <QHash>
#include <QString>
#include <QTextLayout>
#include <QTextOption>

#include <algorithm>
#include <cmath>
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
    // Shaping runs met, left to right [0] and right to left [1]: a
    // dictionary repeats its words.
    std::array<QHash<QString, std::vector<std::int16_t>>, 2> joined;
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

namespace {

bool isCharacterStart(QStringView text, qsizetype position)
{
    return position == 0 || position >= text.size() || !text[position].isLowSurrogate()
        || !text[position - 1].isHighSurrogate();
}

// Shares the shaped string's width out among its characters: a character
// takes the distance between its cursor positions, rounded as offsets from
// the string's leading edge (the right one, right to left) so that the
// shares add up to the rounded width of the whole. A ligature's cursor
// positions split it; inside a cluster they stand at its edge, so the
// cluster's first character takes it all. The leading edge is the text's,
// not the first cursor position: right to left the toolkit may put that a
// pixel inside. False when the cursor positions do not run one way (the
// string was not of one direction after all).
bool shapedShares(const QFont& font, const QString& text, bool rightToLeft,
                  std::span<std::int16_t> widths)
{
    QTextLayout layout(text, font);
    QTextOption option(Qt::AlignLeft | Qt::AlignAbsolute);
    option.setWrapMode(QTextOption::NoWrap);
    option.setTextDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
    layout.setTextOption(option);
    layout.beginLayout();
    QTextLine line = layout.createLine();
    if (!line.isValid()) {
        layout.endLayout();
        return false;
    }
    line.setLineWidth(std::numeric_limits<std::int16_t>::max());
    layout.endLayout();

    const qreal width = line.naturalTextWidth();
    const qreal origin = rightToLeft ? line.x() + width : line.x();
    const int whole = int(std::lround(width));
    auto offset = [&](qsizetype position) {
        if (position >= text.size())
            return whole;
        return int(std::lround(std::abs(line.cursorToX(int(position)) - origin)));
    };
    std::fill(widths.begin(), widths.end(), std::int16_t(0));
    qsizetype start = 0;
    int startOffset = 0;
    for (qsizetype position = 1; position <= text.size(); ++position) {
        if (!isCharacterStart(text, position))
            continue;
        const int endOffset = offset(position);
        if (endOffset > whole)
            return false;
        if (endOffset < startOffset)
            return false;
        widths[std::size_t(start)] = clampWidth(endOffset - startOffset);
        start = position;
        startOffset = endOffset;
    }
    return true;
}

} // namespace

int FontMetricsCache::joinedWidths(const QFont& font, QStringView text, bool rightToLeft,
                                   std::span<std::int16_t> widths)
{
    Entry& measured = entry(font);
    const std::size_t length = std::min(std::size_t(text.size()), widths.size());
    const QString key = text.first(qsizetype(length)).toString();
    auto& known = measured.joined[rightToLeft ? 1 : 0];
    auto found = known.constFind(key);
    if (found == known.constEnd()) {
        std::vector<std::int16_t> shares(length);
        if (!shapedShares(font, key, rightToLeft, shares))
            characterWidths(font, key, shares);
        found = known.insert(key, std::move(shares));
    }
    int sum = 0;
    for (std::size_t i = 0; i < length; ++i) {
        widths[i] = (*found)[i];
        sum += widths[i];
    }
    return sum;
}

QRect FontMetricsCache::boundingRect(const QFont& font, const QString& text)
{
    return entry(font).metrics.boundingRect(text);
}

} // namespace ArticleEngine::Loading
