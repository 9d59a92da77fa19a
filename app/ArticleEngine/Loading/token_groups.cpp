// token_groups.cpp: groups and marked tokens.
#include "ArticleEngine/Loading/token_groups.h"

namespace ArticleEngine::Loading {

namespace {

void splitAtParagraphs(std::span<const ParagraphRange> paragraphs, std::vector<GroupRange>& groups)
{
    std::vector<GroupRange> split;
    split.reserve(groups.size() + paragraphs.size());
    std::size_t next = 1;
    for (const GroupRange& group : groups) {
        while (next < paragraphs.size() && paragraphs[next].start <= group.start)
            ++next;
        GroupRange rest = group;
        while (next < paragraphs.size() && paragraphs[next].start < rest.end) {
            split.push_back({rest.start, paragraphs[next].start, 0});
            rest.start = paragraphs[next].start;
            ++next;
        }
        split.push_back(rest);
    }
    for (std::size_t i = 0; i < split.size(); ++i)
        split[i].number = int(i);
    groups = std::move(split);
}

} // namespace

std::vector<GroupRange> buildGroups(std::span<const Token> tokens,
                                    std::span<const ParagraphRange> paragraphs)
{
    std::vector<GroupRange> groups;
    int wordStart = tokens.empty() ? 0 : tokens.front().start;
    int wordEnd = wordStart;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const Token& token = tokens[i];
        if (token.tokenClass != Space) {
            wordEnd = token.end;
            continue;
        }
        if (wordEnd > wordStart)
            groups.push_back({wordStart, wordEnd, 0});
        GroupRange space{token.start, token.end, 0};
        if (i + 1 < tokens.size() && tokens[i + 1].tokenClass == LineBreak
            && tokens[i + 1].start == token.end) {
            ++i;
            space.end = tokens[i].end;
        }
        groups.push_back(space);
        wordStart = space.end;
        wordEnd = wordStart;
    }
    if (wordEnd > wordStart)
        groups.push_back({wordStart, wordEnd, 0});
    splitAtParagraphs(paragraphs, groups);
    return groups;
}

std::vector<int> groupNumbers(std::span<const Token> tokens, std::span<const GroupRange> groups)
{
    std::vector<int> numbers(tokens.size(), -1);
    std::size_t g = 0;
    for (std::size_t i = 0; i < tokens.size(); ++i) {
        const int position = tokens[i].start;
        while (g < groups.size() && groups[g].end <= position)
            ++g;
        if (g < groups.size() && groups[g].start <= position)
            numbers[i] = groups[g].number;
    }
    return numbers;
}

std::vector<int> markTokens(std::span<const Token> tokens, std::span<const int> hits)
{
    std::vector<int> marked;
    std::size_t hit = 0;
    int word = 1;
    // Hits come from the article server: ones below the first word, repeated
    // or out of order are passed over rather than trusted.
    auto skipPassed = [&] {
        while (hit < hits.size() && hits[hit] < word)
            ++hit;
    };
    skipPassed();
    bool inWord = false;
    for (std::size_t i = 0; i < tokens.size() && hit < hits.size(); ++i) {
        if (tokens[i].tokenClass == WordCharacter) {
            if (hits[hit] == word)
                marked.push_back(int(i));
            inWord = true;
        } else if (inWord) {
            ++word;
            inWord = false;
            skipPassed();
        }
    }
    return marked;
}

} // namespace ArticleEngine::Loading
