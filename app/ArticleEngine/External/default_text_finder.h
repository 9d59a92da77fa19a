// default_text_finder.h: the text finder of find-in-articles.
//
// It keeps the search text as given; tabs and carriage returns that come
// with pasted text never take part in matching.
#pragma once

#include "ArticleEngine/External/text_finder.h"

namespace ArticleEngine::External::Default {

class TextFinder : public ITextFinder {
public:
    explicit TextFinder(const QString& text);

    void find(const QString& articleText, std::vector<std::pair<int, int>>& out) const override;
    QString text() const override { return m_text; }

    // The search text without "\r" and "\t".
    QString normalisedText() const;
    // Whether there is anything to search for: the normalised text holds
    // more than white space.
    bool hasText() const;

private:
    QString m_text;
};

} // namespace ArticleEngine::External::Default
