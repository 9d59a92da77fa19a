// token_groups.h: the group ranges that keep a word on one line, and the
// tokens marked as full-text hits.
#pragma once

#include "ArticleEngine/Loading/token.h"
#include "ArticleEngine/Markup/article_content.h"

#include <span>
#include <vector>

namespace ArticleEngine::Loading {

// The group ranges of the tokens: a word range runs from the end of the
// previous space group to the last token before the next space; a space,
// with a line break right after it, is a range of its own; ranges are then
// split at paragraph starts. Numbered from 0 in text order.
std::vector<GroupRange> buildGroups(std::span<const Token> tokens,
                                    std::span<const ParagraphRange> paragraphs);

// The group number of each token: that of the range holding its first
// character.
std::vector<int> groupNumbers(std::span<const Token> tokens, std::span<const GroupRange> groups);

// The indexes of the word-character tokens of the words numbered in hits
// (ascending ordinals from 1). A word is a run of word-character tokens:
// brackets, separators and spaces end it.
std::vector<int> markTokens(std::span<const Token> tokens, std::span<const int> hits);

} // namespace ArticleEngine::Loading
