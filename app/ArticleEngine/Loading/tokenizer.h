// tokenizer.h: cuts an article's text into tokens.
//
// Every line break, space and separator is a token of its own; every word
// character is one too, apart from brackets that the word builder leaves
// attached. Brackets stay with the piece before them, brackets at the very
// start of the text form a token of class 0, and brackets after a line
// break belong to the next paragraph. Tokens cover the text in order
// without gaps, never cross a paragraph start and never split a surrogate
// pair.
#pragma once

#include "ArticleEngine/Loading/token.h"
#include "ArticleEngine/Loading/word_builder.h"
#include "ArticleEngine/Markup/article_content.h"

#include <QStringView>

#include <span>
#include <vector>

namespace ArticleEngine::External {
class ICharAnalyzer;
}

namespace ArticleEngine::Loading {

class Tokenizer {
public:
    explicit Tokenizer(const External::ICharAnalyzer& analyzer)
        : m_analyzer(analyzer)
        , m_words(analyzer)
    {
    }

    // Replaces out with the tokens of text; paragraphs are the text's
    // paragraph ranges, in order.
    void run(QStringView text, std::span<const ParagraphRange> paragraphs, std::vector<Token>& out);

    // Whether the text ended inside "<TABLE" ... "</TABLE" (either case);
    // kept with the tokens for whoever wants to know.
    bool tableFlag() const { return m_tableFlag; }

private:
    TokenClass classOf(QChar c) const;
    void closePiece(QStringView text, int start, int end, TokenClass pieceClass,
                    std::vector<Token>& out);

    const External::ICharAnalyzer& m_analyzer;
    WordBuilder m_words;
    bool m_tableFlag = false;
};

} // namespace ArticleEngine::Loading
