// edit_navigation.cpp: caret targets over the laid-out article.
#include "ArticleEngine/Controller/edit_navigation.h"

#include "ArticleEngine/Controller/list_navigation.h"
#include "ArticleEngine/Views/article_view.h"
#include "ArticleEngine/Views/view_lookup.h"

#include <algorithm>

namespace ArticleEngine::Controller {

namespace {

bool isWord(const Loading::Token& token)
{
    return token.tokenClass == Loading::WordCharacter;
}

} // namespace

bool splitsSurrogatePair(QStringView text, int offset)
{
    return offset > 0 && offset < text.size() && text[offset].isLowSurrogate() && text[offset - 1].isHighSurrogate();
}

int EditNavigation::length() const
{
    return int(m_article.text.size());
}

std::optional<int> EditNavigation::nextCharacter(int offset) const
{
    const int next = splitsSurrogatePair(m_article.text, offset + 1) ? offset + 2 : offset + 1;
    if (next > lastOffset())
        return std::nullopt;
    return next;
}

std::optional<int> EditNavigation::previousCharacter(int offset) const
{
    const int previous = splitsSurrogatePair(m_article.text, offset - 1) ? offset - 2 : offset - 1;
    if (previous < 0)
        return std::nullopt;
    return previous;
}

// Words are runs of word-character tokens (one token per character or
// so); anything else, or a gap, ends a run.
bool EditNavigation::isWordAt(std::size_t index) const
{
    return index < m_tokens.size() && isWord(m_tokens[index]);
}

bool EditNavigation::startsWord(std::size_t index) const
{
    return isWordAt(index)
        && (index == 0 || !isWordAt(index - 1) || m_tokens[index - 1].end != m_tokens[index].start);
}

bool EditNavigation::endsWord(std::size_t index) const
{
    return isWordAt(index)
        && (!isWordAt(index + 1) || m_tokens[index + 1].start != m_tokens[index].end);
}

std::size_t EditNavigation::tokenAfter(int offset) const
{
    // The first token that ends after offset.
    return std::size_t(std::upper_bound(m_tokens.begin(), m_tokens.end(), offset,
                                        [](int p, const Loading::Token& t) { return p < t.end; })
                       - m_tokens.begin());
}

int EditNavigation::nextWord(int offset) const
{
    for (std::size_t i = tokenAfter(offset); i < m_tokens.size(); ++i) {
        if (m_tokens[i].start > offset && startsWord(i))
            return std::min(m_tokens[i].start, lastOffset());
    }
    return lastOffset();
}

int EditNavigation::previousWord(int offset) const
{
    for (std::size_t i = std::min(tokenAfter(offset), m_tokens.size()); i-- > 0;) {
        if (m_tokens[i].start < offset && startsWord(i))
            return m_tokens[i].start;
    }
    return 0;
}

int EditNavigation::endOfWord(int offset) const
{
    for (std::size_t i = tokenAfter(offset); i < m_tokens.size(); ++i) {
        if (endsWord(i))
            return std::min(m_tokens[i].end, lastOffset());
    }
    return lastOffset();
}

std::optional<std::pair<int, int>> EditNavigation::wordAt(int offset) const
{
    std::size_t first = tokenAfter(offset);
    if (first >= m_tokens.size() || m_tokens[first].start > offset || !isWordAt(first))
        return std::nullopt;
    std::size_t last = first;
    while (!startsWord(first))
        --first;
    while (!endsWord(last))
        ++last;
    return std::make_pair(m_tokens[first].start, m_tokens[last].end);
}

int EditNavigation::lineOf(int offset) const
{
    const auto [paragraph, item] = Stops::itemAt(m_article, offset);
    return item != nullptr && item->layoutState != Dirty ? item->line : -1;
}

int EditNavigation::lineStart(int offset) const
{
    const int line = lineOf(offset);
    while (offset > 0 && lineOf(offset - 1) == line)
        --offset;
    return offset;
}

int EditNavigation::lineEnd(int offset) const
{
    const int line = lineOf(offset);
    while (offset < lastOffset() && lineOf(offset + 1) == line)
        ++offset;
    return offset;
}

QRect EditNavigation::characterRect(int offset) const
{
    const auto [paragraph, item] = Stops::itemAt(m_article, offset);
    if (item == nullptr || item->layoutState == Dirty)
        return {};
    const int from = offset - item->start();
    return ArticleEngine::characterRect(*item, from, from + 1);
}

std::optional<int> EditNavigation::placeOnLine(int line, int x) const
{
    for (const ParagraphView& paragraph : m_article.paragraphs) {
        if (paragraph.hidden || line < paragraph.firstLine || line >= paragraph.firstLine + paragraph.lineCount)
            continue;
        const auto& lines = paragraph.lines();
        const std::size_t index = std::size_t(line - paragraph.firstLine);
        if (index >= lines.size() || lines[index].itemCount() <= 0)
            continue;
        const ParagraphLine& row = lines[index];
        const auto items = paragraph.items();
        for (int i = row.firstItem; i < row.endItem; ++i) {
            const TextItemView& item = items[std::size_t(i)];
            for (int offset = item.start(); offset < item.end(); ++offset) {
                const QRect rect = characterRect(offset);
                if (rect.isNull() || x < rect.left() || x > rect.right())
                    continue;
                const bool rightHalf = x > (rect.left() + rect.right()) / 2;
                const bool lineBreak = m_article.text[offset] == QLatin1Char('\n');
                const int next = splitsSurrogatePair(m_article.text, offset + 1) ? offset + 2 : offset + 1;
                if (rightHalf && !lineBreak && next <= lastOffset() && lineOf(next) == line)
                    return next;
                return std::min(offset, lastOffset());
            }
        }
        return std::min(items[std::size_t(row.firstItem)].start(), lastOffset());
    }
    return std::nullopt;
}

std::optional<int> EditNavigation::lineAbove(int offset, int x) const
{
    const int line = lineOf(offset);
    if (line < 0)
        return std::nullopt;
    return placeOnLine(line - 1, x);
}

std::optional<int> EditNavigation::lineBelow(int offset, int x) const
{
    const int line = lineOf(offset);
    if (line < 0)
        return std::nullopt;
    return placeOnLine(line + 1, x);
}

} // namespace ArticleEngine::Controller
