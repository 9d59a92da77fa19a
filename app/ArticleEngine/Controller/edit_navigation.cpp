// edit_navigation.cpp: caret targets over the laid-out article.
#include "ArticleEngine/Controller/edit_navigation.h"

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

int EditNavigation::length() const
{
    return int(m_article.text.size());
}

std::pair<const ParagraphView*, const TextItemView*> EditNavigation::itemAt(int offset) const
{
    const int paragraph = paragraphOfCharacter(m_article, offset);
    if (paragraph < 0)
        return {nullptr, nullptr};
    const ParagraphView& view = m_article.paragraphs[std::size_t(paragraph)];
    const int item = itemOfCharacter(view, offset);
    if (item < 0)
        return {&view, nullptr};
    return {&view, &view.items()[std::size_t(item)]};
}

std::optional<int> EditNavigation::nextCharacter(int offset) const
{
    if (offset + 1 > lastOffset())
        return std::nullopt;
    return offset + 1;
}

std::optional<int> EditNavigation::previousCharacter(int offset) const
{
    if (offset - 1 < 0)
        return std::nullopt;
    return offset - 1;
}

int EditNavigation::nextWord(int offset) const
{
    for (auto token = std::upper_bound(m_tokens.begin(), m_tokens.end(), offset,
                                       [](int p, const Loading::Token& t) { return p < t.start; });
         token != m_tokens.end(); ++token) {
        if (isWord(*token))
            return std::min(token->start, lastOffset());
    }
    return lastOffset();
}

int EditNavigation::previousWord(int offset) const
{
    auto token = std::lower_bound(m_tokens.begin(), m_tokens.end(), offset,
                                  [](const Loading::Token& t, int p) { return t.start < p; });
    while (token != m_tokens.begin()) {
        --token;
        if (isWord(*token))
            return token->start;
    }
    return 0;
}

int EditNavigation::endOfWord(int offset) const
{
    for (auto token = std::upper_bound(m_tokens.begin(), m_tokens.end(), offset,
                                       [](int p, const Loading::Token& t) { return p < t.end; });
         token != m_tokens.end(); ++token) {
        if (isWord(*token))
            return std::min(token->end, lastOffset());
    }
    return lastOffset();
}

std::optional<std::pair<int, int>> EditNavigation::wordAt(int offset) const
{
    auto token = std::upper_bound(m_tokens.begin(), m_tokens.end(), offset,
                                  [](int p, const Loading::Token& t) { return p < t.end; });
    if (token == m_tokens.end() || token->start > offset || !isWord(*token))
        return std::nullopt;
    return std::make_pair(token->start, token->end);
}

int EditNavigation::lineOf(int offset) const
{
    const auto [paragraph, item] = itemAt(offset);
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
    const auto [paragraph, item] = itemAt(offset);
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
                if (rightHalf && !lineBreak && offset + 1 <= lastOffset() && lineOf(offset + 1) == line)
                    return offset + 1;
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
