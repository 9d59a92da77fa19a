// word_builder.h: splits a word piece (one word character and the brackets
// that follow it) into leading brackets, the word and trailing brackets.
//
// A bracket is stripped from the word when it has no partner inside the
// piece, or when one pair encloses the whole piece; separators are always
// stripped. Only the stripped characters at the piece's ends leave the
// word: a stripped character in the middle stays in it.
#pragma once

#include "ArticleEngine/Loading/token.h"

#include <QStringView>

#include <unordered_set>
#include <vector>

namespace ArticleEngine::External {
class ICharAnalyzer;
}

namespace ArticleEngine::Loading {

class WordBuilder {
public:
    explicit WordBuilder(const External::ICharAnalyzer& analyzer)
        : m_analyzer(analyzer)
    {
    }

    // Appends up to three tokens for the piece text[start, end): leading
    // brackets (class 5), the word (class 4), trailing brackets (class 5),
    // each only when not empty.
    void build(QStringView text, int start, int end, std::vector<Token>& out);

private:
    const External::ICharAnalyzer& m_analyzer;
    std::vector<bool> m_stripped;
    // The characters of the piece already looked at: each distinct one once.
    std::unordered_set<char16_t> m_seen;
};

} // namespace ArticleEngine::Loading
