// default_text_finder.h: the text finder of find-in-articles.
//
// It keeps the search text as given; tabs and carriage returns that come
// with pasted text never take part in matching. Case is ignored, and so are
// the stress mark U+0301 and '|' after any matched character. The search
// text is a regular expression whose characters are not escaped: '.' finds
// any character and a text that is no valid expression finds nothing.
// Offsets of the matches are those of the article text as given: case is
// folded one code unit (or surrogate pair) at a time, never changing the
// length (docs/behaviour/article-controller.md, "Find in articles").
#pragma once

#include "ArticleEngine/External/text_finder.h"

#include <QRegularExpression>

namespace ArticleEngine::External::Default {

class TextFinder : public ITextFinder {
public:
    explicit TextFinder(const QString& text);

    void find(const QString& articleText, std::vector<std::pair<int, int>>& out) const override;
    QString text() const override { return m_text; }
    void setText(const QString& text);

    // The search text without "\r" and "\t".
    QString normalisedText() const;
    // Whether there is anything to search for: the normalised text holds
    // more than white space.
    bool hasText() const;
    // The expression the text becomes.
    const QRegularExpression& expression() const { return m_expression; }

    // Lower case of each code unit (or surrogate pair) on its own, so that
    // the text keeps its length; a character whose lower case takes another
    // number of units stays as it is.
    static QString lowerKeepingOffsets(const QString& text);

private:
    QString m_text;
    QRegularExpression m_expression;
};

} // namespace ArticleEngine::External::Default
