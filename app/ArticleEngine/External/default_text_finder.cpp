// default_text_finder.cpp: the search text of find-in-articles.
#include "ArticleEngine/External/default_text_finder.h"

namespace ArticleEngine::External::Default {

TextFinder::TextFinder(const QString& text)
    : m_text(text)
{
}

void TextFinder::find(const QString&, std::vector<std::pair<int, int>>& out) const
{
    // Matching comes with find-in-articles; until then nothing is found.
    out.clear();
}

QString TextFinder::normalisedText() const
{
    QString normalised = m_text;
    normalised.remove(QLatin1Char('\r'));
    normalised.remove(QLatin1Char('\t'));
    return normalised;
}

bool TextFinder::hasText() const
{
    return !normalisedText().trimmed().isEmpty();
}

} // namespace ArticleEngine::External::Default
