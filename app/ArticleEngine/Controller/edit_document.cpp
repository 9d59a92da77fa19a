// edit_document.cpp: the edit operations on text, paragraphs, style runs
// and element runs.
#include "ArticleEngine/Controller/edit_document.h"

#include "ArticleEngine/Markup/element_runs.h"

#include <algorithm>

namespace ArticleEngine::Controller {

namespace {

constexpr char16_t softHyphen = 0x00AD;

// The place a position takes when [start, end) is deleted: what stood
// inside (and the character at end) moves to start.
int mapDeleted(int position, int start, int end)
{
    if (position <= start)
        return position;
    return position >= end ? position - (end - start) : start;
}

} // namespace

EditDocument::EditDocument()
{
    m_content.text = QStringLiteral("\n");
    m_content.paragraphs = {{0, 1, 0}};
    m_content.styles = {{0, 1, -1}};
}

void EditDocument::load(const QString& markup, External::IStyleServer& styles)
{
    EditableMarkup read = readEditableMarkup(markup, styles);
    m_content = std::move(read.content);
    m_elements = std::move(read.elements);
    for (ParagraphRange& paragraph : m_content.paragraphs)
        paragraph.indent = clampLevel(paragraph.indent);
}

// The range that holds the character at position: the first that ends
// after it; the last one for a position past them all.
template <class Range>
static int holderOf(const std::vector<Range>& ranges, int position)
{
    auto holder = std::upper_bound(ranges.begin(), ranges.end(), position,
                                   [](int p, const Range& range) { return p < range.end; });
    if (holder == ranges.end())
        return int(ranges.size()) - 1;
    return int(holder - ranges.begin());
}

int EditDocument::paragraphAt(int position) const
{
    return holderOf(m_content.paragraphs, position);
}

int EditDocument::runAt(int position) const
{
    return holderOf(m_content.styles, position);
}

int EditDocument::styleAt(int position) const
{
    const int run = runAt(position);
    return run < 0 ? -1 : m_content.styles[std::size_t(run)].style;
}

QString EditDocument::insertable(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        const char16_t code = c.unicode();
        const bool control = code < 0x20 || (code >= 0x7F && code <= 0x9F);
        if ((control && code != u'\n' && code != u'\t') || code == softHyphen)
            continue;
        out.append(c);
    }
    return out;
}

int EditDocument::insert(int position, QStringView text)
{
    QString kept = insertable(text);
    kept.remove(QLatin1Char('\n'));
    kept.remove(QLatin1Char('\t'));
    const int count = int(kept.size());
    if (count == 0)
        return 0;
    position = std::clamp(position, 0, length() - 1);
    const int paragraph = paragraphAt(position);
    auto& paragraphs = m_content.paragraphs;
    const bool atStart = paragraphs[std::size_t(paragraph)].start == position;
    auto& styles = m_content.styles;
    const int run = runAt(atStart ? position : position - 1);

    m_content.text.insert(position, kept);
    paragraphs[std::size_t(paragraph)].end += count;
    for (std::size_t i = std::size_t(paragraph) + 1; i < paragraphs.size(); ++i) {
        paragraphs[i].start += count;
        paragraphs[i].end += count;
    }
    styles[std::size_t(run)].end += count;
    for (std::size_t i = std::size_t(run) + 1; i < styles.size(); ++i) {
        styles[i].start += count;
        styles[i].end += count;
    }
    // Elements at the insertion point keep their place: the text goes after
    // them.
    for (ElementRun& element : m_elements) {
        if (element.position > position)
            element.position += count;
    }
    return count;
}

void EditDocument::splitParagraph(int position, int level)
{
    position = std::clamp(position, 0, length() - 1);
    // Inserted as a letter first, so that it joins a run as typed text does.
    insert(position, u"x");
    m_content.text[position] = QLatin1Char('\n');
    const int paragraph = paragraphAt(position);
    auto& paragraphs = m_content.paragraphs;
    ParagraphRange second = paragraphs[std::size_t(paragraph)];
    second.start = position + 1;
    if (level >= 0)
        second.indent = clampLevel(level);
    paragraphs[std::size_t(paragraph)].end = position + 1;
    paragraphs.insert(paragraphs.begin() + paragraph + 1, second);
}

void EditDocument::remove(int start, int end)
{
    start = std::max(0, start);
    end = std::min(end, length() - 1);
    if (start >= end)
        return;
    const int count = end - start;
    auto& paragraphs = m_content.paragraphs;
    const int first = paragraphAt(start);
    const int last = paragraphAt(end);
    ParagraphRange joined = paragraphs[std::size_t(first)];
    joined.end = paragraphs[std::size_t(last)].end - count;
    paragraphs.erase(paragraphs.begin() + first + 1, paragraphs.begin() + last + 1);
    paragraphs[std::size_t(first)] = joined;
    for (std::size_t i = std::size_t(first) + 1; i < paragraphs.size(); ++i) {
        paragraphs[i].start -= count;
        paragraphs[i].end -= count;
    }
    for (StyleRange& range : m_content.styles) {
        range.start = mapDeleted(range.start, start, end);
        range.end = mapDeleted(range.end, start, end);
    }
    for (ElementRun& element : m_elements)
        element.position = mapDeleted(element.position, start, end);
    m_content.text.remove(start, count);
    mergeRuns();
}

void EditDocument::setLevel(int paragraph, int level)
{
    if (paragraph >= 0 && paragraph < int(m_content.paragraphs.size()))
        m_content.paragraphs[std::size_t(paragraph)].indent = clampLevel(level);
}

void EditDocument::changeLevels(int start, int end, int delta)
{
    const int first = paragraphAt(start);
    const int last = end > start ? paragraphAt(end - 1) : first;
    for (int i = first; i <= last; ++i)
        setLevel(i, m_content.paragraphs[std::size_t(i)].indent + delta);
}

void EditDocument::applyStyle(int start, int end, int style)
{
    start = std::max(0, start);
    end = std::min(end, length());
    if (start >= end)
        return;
    std::vector<StyleRange> styles;
    styles.reserve(m_content.styles.size() + 2);
    bool placed = false;
    for (const StyleRange& range : m_content.styles) {
        if (range.end <= start || range.start >= end) {
            if (range.start >= end && !placed) {
                styles.push_back({start, end, style});
                placed = true;
            }
            styles.push_back(range);
            continue;
        }
        if (range.start < start)
            styles.push_back({range.start, start, range.style});
        if (!placed) {
            styles.push_back({start, end, style});
            placed = true;
        }
        if (range.end > end)
            styles.push_back({end, range.end, range.style});
    }
    if (!placed)
        styles.push_back({start, end, style});
    m_content.styles = std::move(styles);
    mergeRuns();
}

void EditDocument::setRunStyle(int position, int style)
{
    const int run = runAt(std::clamp(position, 0, length() - 1));
    if (run < 0)
        return;
    m_content.styles[std::size_t(run)].style = style;
    mergeRuns();
}

void EditDocument::mergeRuns()
{
    std::vector<StyleRange>& styles = m_content.styles;
    std::size_t out = 0;
    for (std::size_t i = 0; i < styles.size(); ++i) {
        const StyleRange range = styles[i];
        if (range.end <= range.start)
            continue;
        if (out > 0 && styles[out - 1].style == range.style && styles[out - 1].end == range.start)
            styles[out - 1].end = range.end;
        else
            styles[out++] = range;
    }
    styles.resize(out);
}

} // namespace ArticleEngine::Controller
