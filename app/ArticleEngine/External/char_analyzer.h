// char_analyzer.h: character classes for word and line breaking.
//
// The layout asks these questions of every character it cuts into tokens;
// the program's implementation follows the languages of the dictionary.
#pragma once

#include <QChar>

namespace ArticleEngine::External {

class ICharAnalyzer {
public:
    virtual ~ICharAnalyzer() = default;

    virtual bool isNewLine(QChar c) const = 0;
    virtual bool isWordChar(QChar c) const = 0;
    virtual bool isBracket(QChar c) const = 0;
    virtual bool isSpace(QChar c) const = 0;
    virtual bool isSeparator(QChar c) const = 0;
    virtual bool isNoBreakSpace(QChar c) const = 0;
    // True, with the partner written to out, when c opens a pair; out is
    // left alone otherwise.
    virtual bool closingOf(QChar c, QChar& out) const = 0;
    // The reverse: true, with the opener written to out, when c closes a pair.
    virtual bool openingOf(QChar c, QChar& out) const = 0;
};

} // namespace ArticleEngine::External
