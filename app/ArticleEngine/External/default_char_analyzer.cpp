// default_char_analyzer.cpp: the fallback character classes.
#include "ArticleEngine/External/default_char_analyzer.h"

#include <string_view>

namespace ArticleEngine::External::Default {

namespace {

constexpr char16_t noBreakSpace = 0x00A0;
constexpr std::u16string_view brackets = u"([{}])'\"|";
constexpr std::u16string_view separators = u"/\\,.- \u00A0|:!?;";
// Parallel lists: an opener and its closer stand at the same index.
constexpr std::u16string_view openers = u"([{/\\";
constexpr std::u16string_view closers = u")]}/\\";

bool holds(std::u16string_view set, QChar c)
{
    return set.find(c.unicode()) != std::u16string_view::npos;
}

bool partner(std::u16string_view from, std::u16string_view to, QChar c, QChar& out)
{
    const std::size_t index = from.find(c.unicode());
    if (index == std::u16string_view::npos)
        return false;
    out = QChar(to[index]);
    return true;
}

} // namespace

bool CharAnalyzer::isNewLine(QChar c) const
{
    return c.unicode() == u'\n';
}

bool CharAnalyzer::isWordChar(QChar c) const
{
    return !isSpace(c) && !isBracket(c);
}

bool CharAnalyzer::isBracket(QChar c) const
{
    return holds(brackets, c);
}

bool CharAnalyzer::isSpace(QChar c) const
{
    return c.unicode() <= 32 || c.unicode() == noBreakSpace;
}

bool CharAnalyzer::isSeparator(QChar c) const
{
    return holds(separators, c);
}

bool CharAnalyzer::isNoBreakSpace(QChar c) const
{
    return c.unicode() == noBreakSpace;
}

bool CharAnalyzer::closingOf(QChar c, QChar& out) const
{
    return partner(openers, closers, c, out);
}

bool CharAnalyzer::openingOf(QChar c, QChar& out) const
{
    return partner(closers, openers, c, out);
}

} // namespace ArticleEngine::External::Default
