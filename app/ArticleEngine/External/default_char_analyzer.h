// default_char_analyzer.h: character classes for text of no particular
// language: ASCII brackets and separators, control characters as spaces.
#pragma once

#include "ArticleEngine/External/char_analyzer.h"

namespace ArticleEngine::External::Default {

class CharAnalyzer : public ICharAnalyzer {
public:
    bool isNewLine(QChar c) const override;
    // Neither a space nor a bracket, as the (possibly overridden) isSpace and
    // isBracket say; separators are word characters too.
    bool isWordChar(QChar c) const override;
    bool isBracket(QChar c) const override;
    bool isSpace(QChar c) const override;
    bool isSeparator(QChar c) const override;
    bool isNoBreakSpace(QChar c) const override;
    // Pairs ( ) [ ] { }; the slash and the backslash are their own partners.
    bool closingOf(QChar c, QChar& out) const override;
    bool openingOf(QChar c, QChar& out) const override;
};

} // namespace ArticleEngine::External::Default
