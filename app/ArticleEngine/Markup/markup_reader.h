// markup_reader.h: turns the characters of styled runs into one text with
// paragraph and style ranges.
//
// The run parser feeds it style numbers and characters; the reader strips
// what does not belong in the text (carriage returns, soft hyphens, NUL),
// turns leading tabs into indent levels and line feeds into paragraph ends.
// It keeps the invariants of ArticleContent once endOfInput() has run.
#pragma once

#include "ArticleEngine/Markup/article_content.h"

#include <QChar>

#include <utility>

namespace ArticleEngine {

class MarkupReader {
public:
    // Starts a run of the given style; the first call, of whatever value,
    // ends the lead text.
    void setStyle(int style);
    void addChar(QChar c);
    // Ends the last paragraph and style range. Runs once; later calls and
    // later characters change nothing.
    void endOfInput();

    const ArticleContent& content() const { return m_content; }
    ArticleContent takeContent() { return std::move(m_content); }

private:
    void append(QChar c);
    void endParagraph();
    void closeStyleRange();

    ArticleContent m_content;
    // Set by the first style number: apart from the current style, so that a
    // number that does not read does not send the text back to the lead.
    bool m_started = false;
    bool m_finished = false;
    bool m_lineStarted = false;
    int m_indent = 0;
    int m_paragraphStart = 0;
    int m_runStart = 0;
    int m_style = -1;
};

} // namespace ArticleEngine
