// edit_navigation.h: where the editor's caret goes: by character, by word,
// to the ends of a line or the document (a word is a run of
// word-character tokens), and to the line above or below
// at a horizontal place; and where a character is drawn.
//
// Works over one laid-out article whose text is the document's; every
// offset it answers lies in [0, length - 1] (the final line feed is the
// last place). A move that has no target answers nothing.
#pragma once

#include "ArticleEngine/Loading/token.h"

#include <QRect>
#include <QStringView>

#include <optional>
#include <utility>
#include <vector>

namespace ArticleEngine {
class ArticleView;
}

namespace ArticleEngine::Controller {

// Whether offset falls between the two halves of a surrogate pair: no caret
// stands there, or text typed at it would split the character.
bool splitsSurrogatePair(QStringView text, int offset);

class EditNavigation {
public:
    // Both must outlive the navigation; the tokens are the article's.
    EditNavigation(const ArticleView& article, const std::vector<Loading::Token>& tokens)
        : m_article(article)
        , m_tokens(tokens)
    {
    }

    int length() const;
    int lastOffset() const { return std::max(0, length() - 1); }

    // A surrogate pair is one character.
    std::optional<int> nextCharacter(int offset) const;
    std::optional<int> previousCharacter(int offset) const;
    // A failed word move goes to the document's end or start.
    int nextWord(int offset) const;
    int previousWord(int offset) const;
    int endOfWord(int offset) const;
    // The word that holds the offset: [start, end); none on no word.
    std::optional<std::pair<int, int>> wordAt(int offset) const;
    int lineStart(int offset) const;
    int lineEnd(int offset) const;
    // The place on the line before or after the offset's at x; none when
    // there is no such line.
    std::optional<int> lineAbove(int offset, int x) const;
    std::optional<int> lineBelow(int offset, int x) const;

    // The article line that holds the offset; -1 when none does.
    int lineOf(int offset) const;
    // The character's rectangle in the article's parent's coordinates;
    // null when no laid-out item holds it.
    QRect characterRect(int offset) const;
    // The place on an article line at x: the character whose left half
    // holds x, the next one for its right half (but never past a line
    // break or off the line); the line's start when x misses the line.
    std::optional<int> placeOnLine(int line, int x) const;

private:
    bool isWordAt(std::size_t index) const;
    bool startsWord(std::size_t index) const;
    bool endsWord(std::size_t index) const;
    std::size_t tokenAfter(int offset) const;

    const ArticleView& m_article;
    const std::vector<Loading::Token>& m_tokens;
};

} // namespace ArticleEngine::Controller
