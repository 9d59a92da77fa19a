// markup_writer.cpp: paragraphs, style runs and element runs written as
// "#NN\"...\"" runs.
//
// The reader turns tabs into a level only at the start of a line of the
// markup's raw text, where element runs still stand inside the text. So a
// paragraph's tabs go to the last line start before its first character:
// in front of the elements that open it, or after the last line feed that
// one of them holds.
#include "ArticleEngine/Markup/markup_writer.h"

#include <algorithm>

namespace ArticleEngine {

namespace {

bool isEscaped(char16_t c)
{
    switch (c) {
    case u'%':
    case u'\n':
    case u'\t':
    case u'#':
    case u'"':
    case u'<':
    case u'>':
        return true;
    default:
        return false;
    }
}

void appendEscape(QString& out, char16_t c)
{
    static const char digits[] = "0123456789abcdef";
    out.append(QLatin1Char('%'));
    out.append(QLatin1Char(digits[(c >> 4) & 0xF]));
    out.append(QLatin1Char(digits[c & 0xF]));
}

void appendRunStart(QString& out, int style)
{
    out.append(QLatin1Char('#'));
    out.append(QString::asprintf("%02d", style));
    out.append(QLatin1Char('"'));
}

class Writer {
public:
    Writer(const ArticleContent& content, int start, int end, std::span<const ElementRun> elements)
        : m_content(content)
        , m_start(start)
        , m_end(end)
        , m_elements(elements)
    {
    }

    void writeLead();
    void writeBody();
    QString take() { return std::move(m_out); }

private:
    void writeParagraph(const ParagraphRange& paragraph);
    // Writes the elements that stand before position; tabs, when given, go
    // to the last line start among them, else in front of them all.
    void writeElementsBefore(int position, int& tabs);
    void writeText(int style, int from, int to, int& tabs);
    void appendTabs(int& tabs)
    {
        m_out.append(QString(tabs, QLatin1Char('\t')));
        tabs = 0;
    }

    const ArticleContent& m_content;
    const int m_start;
    const int m_end;
    std::span<const ElementRun> m_elements;
    std::size_t m_element = 0;
    QString m_out;
};

void Writer::writeLead()
{
    // Written as it stands except for the characters that would end it
    // early or change on reading: '#' starts the first run, '%' an escape,
    // and a '"' before the first run's '#' is taken as a closing quote.
    for (QChar c : m_content.leadText) {
        const char16_t code = c.unicode();
        if (code == u'%' || code == u'#' || code == u'"')
            appendEscape(m_out, code);
        else
            m_out.append(c);
    }
}

void Writer::writeBody()
{
    // Elements before the range are not the range's.
    while (m_element < m_elements.size() && m_elements[m_element].position < m_start)
        ++m_element;
    for (const ParagraphRange& paragraph : m_content.paragraphs) {
        if (paragraph.end <= m_start)
            continue;
        if (paragraph.start >= m_end)
            break;
        writeParagraph(paragraph);
    }
    const int length = int(m_content.text.size());
    if (m_end >= length) {
        int none = 0;
        writeElementsBefore(length + 1, none);
    }
}

void Writer::writeParagraph(const ParagraphRange& paragraph)
{
    const int from = std::max(paragraph.start, m_start);
    const int to = std::min(paragraph.end, m_end);
    int tabs = paragraph.start >= m_start ? std::max(0, paragraph.indent) : 0;
    const auto& styles = m_content.styles;
    auto run = std::upper_bound(styles.begin(), styles.end(), from,
                                [](int p, const StyleRange& range) { return p < range.end; });
    int position = from;
    for (; position < to && run != styles.end(); ++run) {
        const int runEnd = std::min(run->end, to);
        if (runEnd <= position)
            continue;
        // Characters no range covers are written without style.
        if (run->start > position) {
            writeText(-1, position, std::min(run->start, to), tabs);
            position = std::min(run->start, to);
            if (position >= to)
                break;
        }
        writeText(run->style, position, runEnd, tabs);
        position = runEnd;
    }
    if (position < to)
        writeText(-1, position, to, tabs);
}

void Writer::writeElementsBefore(int position, int& tabs)
{
    std::size_t last = m_element;
    while (last < m_elements.size() && m_elements[last].position < position)
        ++last;
    if (last == m_element)
        return;
    // The last line start among the elements: after the last line feed one
    // of them holds, else in front of the first.
    std::size_t lineElement = m_elements.size();
    qsizetype lineStart = 0;
    for (std::size_t i = m_element; i < last && tabs > 0; ++i) {
        const qsizetype feed = m_elements[i].text.lastIndexOf(QLatin1Char('\n'));
        if (feed >= 0) {
            lineElement = i;
            lineStart = feed + 1;
        }
    }
    if (tabs > 0 && lineElement == m_elements.size()) {
        lineElement = m_element;
        lineStart = 0;
    }
    const std::size_t first = m_element;
    for (; m_element < last; ++m_element) {
        const ElementRun& element = m_elements[m_element];
        // Elements of one style side by side are one run to the reader:
        // written so, the markup reads back to what it was written from.
        const bool joins = m_element > first && m_elements[m_element - 1].style == element.style;
        if (joins)
            m_out.chop(1);
        else
            appendRunStart(m_out, element.style);
        if (m_element == lineElement) {
            m_out.append(escapeRunText(QStringView(element.text).left(lineStart)));
            appendTabs(tabs);
            m_out.append(escapeRunText(QStringView(element.text).mid(lineStart)));
        } else {
            m_out.append(escapeRunText(element.text));
        }
        m_out.append(QLatin1Char('"'));
    }
}

void Writer::writeText(int style, int from, int to, int& tabs)
{
    const QStringView text(m_content.text);
    while (from < to) {
        writeElementsBefore(from + 1, tabs);
        // Up to the next element inside the piece.
        int stop = to;
        if (m_element < m_elements.size())
            stop = std::clamp(m_elements[m_element].position, from + 1, to);
        appendRunStart(m_out, style);
        appendTabs(tabs);
        m_out.append(escapeRunText(text.mid(from, stop - from)));
        m_out.append(QLatin1Char('"'));
        from = stop;
    }
}

} // namespace

QString escapeRunText(QStringView text)
{
    QString out;
    out.reserve(text.size() + text.size() / 8);
    for (QChar c : text) {
        if (isEscaped(c.unicode()))
            appendEscape(out, c.unicode());
        else
            out.append(c);
    }
    return out;
}

QString writeMarkup(const ArticleContent& content, int start, int end, bool withLead,
                    std::span<const ElementRun> elements)
{
    const int length = int(content.text.size());
    start = std::clamp(start, 0, length);
    end = std::clamp(end, start, length);
    Writer writer(content, start, end, elements);
    if (withLead)
        writer.writeLead();
    writer.writeBody();
    return writer.take();
}

QString writeMarkup(const ArticleContent& content, std::span<const ElementRun> elements)
{
    return writeMarkup(content, 0, int(content.text.size()), true, elements);
}

} // namespace ArticleEngine
