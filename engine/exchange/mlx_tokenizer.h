// mlx_tokenizer.h: splits the lines of an MLX file into tags and text.
//
// A tag runs from '<' to '>' and may go on over several lines: the
// tokenizer keeps the unfinished tag and completes it with the next line.
// Text runs up to the next '<' or the end of its line, so a text never
// holds more than one line feed, and only at its end.
//
// Invariants: every character of every line is in exactly one token (the
// brackets of a tag excepted), in order; a tag is handed out only whole.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace lexvane::engine::exchange {

class MlxTokenizer {
public:
    enum class Kind { Tag, Text };
    struct Token {
        Kind kind;
        // A tag without its brackets, or the text. Valid until next().
        std::u16string_view text;
        // The token begins its line.
        bool lineStart;
    };

    // Begins a line; an unfinished tag of the line before stays open.
    void setLine(std::u16string line);
    // The next token of the line; false when the line is used up (an
    // unfinished tag then waits for the next line).
    bool next(Token& token);
    // The line from the tag just handed out on: what must be read again
    // when that tag is left for later.
    std::u16string fromLastTag() const;
    // Forgets the line and any unfinished tag.
    void clear();

private:
    std::u16string m_line;
    std::size_t m_at = 0;
    std::u16string m_tag;
    bool m_inTag = false;
};

// The tag's name (after leading blanks) begins with `name`, compared
// without regard to case.
bool tagIs(std::u16string_view tag, std::u16string_view name);

// The value of the tag's `class` attribute, quoted or not; empty when it
// has none.
std::u16string classOf(std::u16string_view tag);

} // namespace lexvane::engine::exchange
