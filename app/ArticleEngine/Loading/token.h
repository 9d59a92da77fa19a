// token.h: the pieces that the tokenizer cuts an article's text into, and
// the group ranges that keep words on one line.
//
// Tokens lie in text order, are never empty and never split a surrogate
// pair; group ranges do not overlap and never cross a paragraph boundary.
#pragma once

#include <cstdint>

namespace ArticleEngine::Loading {

enum TokenClass : std::int8_t {
    LeadBrackets = 0, // brackets at the start of the text
    LineBreak = 1,
    Space = 2,
    Separator = 3,
    WordCharacter = 4,
    TrailingBrackets = 5, // brackets that follow a word character
    // Only inside the tokenizer: one word character and the brackets after
    // it, before the word builder splits it.
    WordPiece = 6,
};

struct Token {
    int start = 0;
    int end = 0; // exclusive
    TokenClass tokenClass = LeadBrackets;

    bool operator==(const Token&) const = default;
};

struct GroupRange {
    int start = 0;
    int end = 0; // exclusive
    int number = 0;

    bool operator==(const GroupRange&) const = default;
};

} // namespace ArticleEngine::Loading
