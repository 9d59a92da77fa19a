// element_pass.cpp: cutting special runs out of the text, then reading them
// as elements against the shortened text.
//
// All runs are cut first and read afterwards, so that every element speaks
// of positions and paragraph numbers of the final text.
#include "ArticleEngine/Markup/element_pass.h"

#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/Markup/table_builder.h"
#include "ArticleEngine/logging.h"

#include <QStringView>

#include <algorithm>
#include <limits>
#include <optional>

namespace ArticleEngine {

namespace {

struct Cut {
    int start = 0;
    int end = 0;
    int removedBefore = 0; // characters cut before this cut's start
};

// Where an original position lands in the shortened text.
int mapPosition(const std::vector<Cut>& cuts, int position)
{
    auto after = std::upper_bound(cuts.begin(), cuts.end(), position,
                                  [](int p, const Cut& cut) { return p < cut.start; });
    if (after == cuts.begin())
        return position;
    const Cut& last = *(after - 1);
    return position - last.removedBefore - (std::min(position, last.end) - last.start);
}

void appendStyle(std::vector<StyleRange>& styles, StyleRange range)
{
    if (!styles.empty() && styles.back().style == range.style && styles.back().end == range.start)
        styles.back().end = range.end;
    else
        styles.push_back(range);
}

// Cuts the special runs; returns them with their positions in the new text.
std::vector<MarkupElement> cutSpecialRuns(ArticleContent& content,
                                          External::IStyleServer& server)
{
    const QString& text = content.text;
    const int length = int(text.size());
    QString kept;
    std::vector<StyleRange> styles;
    std::vector<Cut> cuts;
    std::vector<MarkupElement> elements;
    int removed = 0;
    int covered = 0;

    auto take = [&](int start, int end, int style, bool special) {
        if (special) {
            const QString run = text.mid(start, end - start);
            qCDebug(markupLog, "meta: %s", qUtf8Printable(run));
            elements.push_back({run, start - removed});
            cuts.push_back({start, end, removed});
            removed += end - start;
        } else {
            kept.append(QStringView(text).mid(start, end - start));
            appendStyle(styles, {start - removed, end - removed, style});
        }
    };

    // Ranges are taken as they are only where they fit: characters that no
    // range covers stay in the text without style.
    for (const StyleRange& range : content.styles) {
        const int start = std::max(range.start, covered);
        const int end = std::min(range.end, length);
        if (end <= start)
            continue;
        if (start > covered)
            take(covered, start, -1, false);
        take(start, end, range.style, range.style >= 0 && server.isSpecialStyle(range.style));
        covered = end;
    }
    if (elements.empty())
        return elements;
    if (covered < length)
        take(covered, length, -1, false);

    // A line feed inside a special run was the element's, not the text's;
    // the text must still end with one.
    if (kept.isEmpty() || kept.back() != QLatin1Char('\n')) {
        kept.append(QLatin1Char('\n'));
        const int newLength = int(kept.size());
        if (styles.empty())
            styles.push_back({0, newLength, -1});
        else
            styles.back().end = newLength;
    }

    // Paragraphs follow the line feeds that are left. One whose line feed was
    // cut joins the next; one cut whole is gone. Each keeps the indent of
    // the paragraph its first character came from.
    std::vector<ParagraphRange> paragraphs;
    std::size_t source = 0;
    int start = 0;
    for (int i = 0; i < int(kept.size()); ++i) {
        if (kept[i] != QLatin1Char('\n'))
            continue;
        while (source < content.paragraphs.size()
               && mapPosition(cuts, content.paragraphs[source].end) <= start)
            ++source;
        const int indent = source < content.paragraphs.size() ? content.paragraphs[source].indent : 0;
        paragraphs.push_back({start, i + 1, indent});
        start = i + 1;
    }

    content.text = std::move(kept);
    content.styles = std::move(styles);
    content.paragraphs = std::move(paragraphs);
    return elements;
}

bool startsWith(QStringView text, QLatin1StringView tag)
{
    return text.startsWith(tag, Qt::CaseInsensitive);
}

// A count written in a tag: decimal digits, white space around them allowed.
std::optional<int> readCount(QStringView text)
{
    text = text.trimmed();
    if (text.isEmpty())
        return std::nullopt;
    long long value = 0;
    for (QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return std::nullopt;
        value = value * 10 + (c.unicode() - u'0');
        if (value > std::numeric_limits<int>::max())
            return std::nullopt;
    }
    return int(value);
}

// Reads the elements of the cut runs against the shortened text.
class ElementReader {
public:
    ElementReader(const ArticleContent& content, ArticleElements& result)
        : m_content(content)
        , m_result(result)
        , m_tables(int(content.paragraphs.size()))
    {
    }

    void read(const MarkupElement& element);
    void finish() { m_result.tables = m_tables.finish(); }

private:
    struct Opening {
        QString text;
        int position = -1; // -1: none open
    };

    int length() const { return int(m_content.text.size()); }
    // The paragraph that holds the character at position; the paragraph
    // count when the position lies after the text.
    int paragraphAt(int position) const;
    // The number just after the paragraph that holds the character before
    // position.
    int endBefore(int position) const { return position <= 0 ? 0 : paragraphAt(position - 1) + 1; }
    // Reads one tag at the start of rest; returns the characters consumed.
    qsizetype readTag(QStringView rest, int position);
    void openCell(QStringView tag, int position);

    const ArticleContent& m_content;
    ArticleElements& m_result;
    TableBuilder m_tables;
    Opening m_link;
    Opening m_image;
};

int ElementReader::paragraphAt(int position) const
{
    const auto& paragraphs = m_content.paragraphs;
    if (position >= length())
        return int(paragraphs.size());
    auto after = std::upper_bound(paragraphs.begin(), paragraphs.end(), position,
                                  [](int p, const ParagraphRange& range) { return p < range.start; });
    return after == paragraphs.begin() ? 0 : int(after - paragraphs.begin()) - 1;
}

void ElementReader::read(const MarkupElement& element)
{
    const QStringView text(element.text);
    qsizetype i = 0;
    while (i < text.size())
        i += readTag(text.mid(i), element.position);
}

qsizetype ElementReader::readTag(QStringView rest, int position)
{
    const qsizetype all = rest.size();
    if (startsWith(rest, QLatin1StringView("<table>"))) {
        m_tables.openTable(paragraphAt(position));
        return 7;
    }
    if (startsWith(rest, QLatin1StringView("</table>"))) {
        m_tables.closeTable(endBefore(position));
        return 8;
    }
    if (startsWith(rest, QLatin1StringView("<row>"))) {
        m_tables.openRow(paragraphAt(position));
        return 5;
    }
    if (startsWith(rest, QLatin1StringView("</row>"))) {
        m_tables.closeRow(endBefore(position));
        return 6;
    }
    if (startsWith(rest, QLatin1StringView("</cell>"))) {
        m_tables.closeCell(endBefore(position));
        return 7;
    }
    if (startsWith(rest, QLatin1StringView("<cell"))) {
        const qsizetype close = rest.indexOf(QLatin1Char('>'));
        if (close < 0) {
            m_tables.openCell(paragraphAt(position), 100, 0);
            return 5;
        }
        openCell(rest.left(close + 1), position);
        return close + 1;
    }
    if (startsWith(rest, QLatin1StringView("</link>"))) {
        if (m_link.position >= 0 && m_link.position < position)
            m_result.links[{m_link.position, position}] = m_link.text;
        m_link = {};
        return all;
    }
    if (startsWith(rest, QLatin1StringView("<link"))) {
        m_link = {rest.toString(), position};
        return all;
    }
    if (startsWith(rest, QLatin1StringView("<label"))) {
        const qsizetype open = rest.indexOf(QLatin1Char('"'));
        const qsizetype close = open < 0 ? -1 : rest.indexOf(QLatin1Char('"'), open + 1);
        if (close > open + 1 && position < length())
            m_result.labels[{position, position + 1}] = rest.mid(open + 1, close - open - 1).toString();
        return all;
    }
    if (startsWith(rest, QLatin1StringView("</img>"))) {
        // The picture stands on the character before its element: with none
        // there, it has nowhere to go.
        if (m_image.position > 0)
            m_result.images[{m_image.position - 1, m_image.position}] = m_image.text;
        m_image = {};
        return all;
    }
    if (startsWith(rest, QLatin1StringView("<img"))) {
        m_image = {rest.toString(), position};
        return all;
    }
    return 1;
}

void ElementReader::openCell(QStringView tag, int position)
{
    const QString lower = tag.toString().toLower();
    // The width is whatever stands between the tag's seventh character and
    // the next '%'.
    int width = 100;
    const qsizetype percent = lower.size() > 6 ? lower.indexOf(QLatin1Char('%'), 6) : -1;
    if (percent >= 0)
        width = std::min(readCount(QStringView(lower).mid(6, percent - 6)).value_or(100), 100);

    int rowSpan = 0;
    const QLatin1StringView spanKey("rowspan=\"");
    const qsizetype key = lower.indexOf(spanKey);
    if (key >= 0) {
        const qsizetype valueStart = key + spanKey.size();
        const qsizetype valueEnd = lower.indexOf(QLatin1Char('"'), valueStart);
        if (valueEnd >= 0)
            rowSpan = readCount(QStringView(lower).mid(valueStart, valueEnd - valueStart)).value_or(0);
    }
    m_tables.openCell(paragraphAt(position), width, rowSpan);
}

} // namespace

ArticleElements takeElements(ArticleContent& content, External::IStyleServer& styles)
{
    ArticleElements result;
    result.elements = cutSpecialRuns(content, styles);
    if (result.elements.empty())
        return result;
    ElementReader reader(content, result);
    for (const MarkupElement& element : result.elements)
        reader.read(element);
    reader.finish();
    return result;
}

} // namespace ArticleEngine
