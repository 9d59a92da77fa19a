// edit_document.h: the article the editor holds: the shown text, its
// paragraphs with their levels, its style runs and the element runs kept
// beside the text, with the edit operations that change them.
//
// Invariants after every operation (the markup reader's, article_content.h):
// the text is not empty and ends with a line feed; paragraphs cover it in
// order, each ends with its only line feed and has a level in
// [0, maximumLevel]; style runs cover it without gaps, none is empty and
// neighbours differ; element runs stay in text order within [0, length].
// The text never holds a character that the markup reader would drop or
// turn into something else (NUL, carriage return, soft hyphen, tab, other
// control characters): insert() filters them. Decisions in
// docs/behaviour/article-editing.md.
#pragma once

#include "ArticleEngine/Markup/article_content.h"
#include "ArticleEngine/Markup/markup_writer.h"

#include <QString>

#include <algorithm>
#include <vector>

namespace ArticleEngine::External {
class IStyleServer;
}

namespace ArticleEngine::Controller {

class EditDocument {
public:
    static constexpr int defaultMaximumLevel = 8;

    EditDocument();

    // Reads markup; levels above the maximum are cut to it.
    void load(const QString& markup, External::IStyleServer& styles);
    void setMaximumLevel(int level) { m_maximumLevel = std::max(0, level); }
    int maximumLevel() const { return m_maximumLevel; }

    // The whole article, element runs and lead text included.
    QString source() const { return writeMarkup(m_content, m_elements); }
    QString source(int start, int end, bool withLead) const
    {
        return writeMarkup(m_content, start, end, withLead, m_elements);
    }

    const ArticleContent& content() const { return m_content; }
    const QString& text() const { return m_content.text; }
    const std::vector<ElementRun>& elements() const { return m_elements; }
    int length() const { return int(m_content.text.size()); }
    // The text is empty or a single line feed.
    bool isEmpty() const { return m_content.text.isEmpty() || m_content.text == QLatin1String("\n"); }
    // The paragraph that holds the character at position (the last one for
    // a position past the text).
    int paragraphAt(int position) const;
    int styleAt(int position) const;

    // The characters that may enter the text: line feeds and tabs stay for
    // the caller to split at, every other control character, NUL, soft
    // hyphen and carriage return go.
    static QString insertable(QStringView text);

    // Inserts text without line feeds or tabs (they are dropped) at
    // position; it joins the style run of the character before, or at a
    // paragraph's start the run of the character after. Returns the length
    // inserted.
    int insert(int position, QStringView text);
    // A line feed at position: the paragraph splits there. The new (second)
    // part takes the given level, or keeps the paragraph's for -1.
    void splitParagraph(int position, int level);
    // Deletes [start, end) within [0, length - 1): the final line feed
    // stays. Joined paragraphs keep the level of the first.
    void remove(int start, int end);
    void setLevel(int paragraph, int level);
    // Every paragraph that holds a character of [start, end], or the one at
    // start for an empty range, changes its level by delta.
    void changeLevels(int start, int end, int delta);
    // [start, end) takes the style; equal neighbours merge.
    void applyStyle(int start, int end, int style);
    // The run that holds the character at position takes the style.
    void setRunStyle(int position, int style);

private:
    int runAt(int position) const;
    void mergeRuns();
    int clampLevel(int level) const { return std::clamp(level, 0, m_maximumLevel); }

    ArticleContent m_content;
    std::vector<ElementRun> m_elements;
    int m_maximumLevel = defaultMaximumLevel;
};

} // namespace ArticleEngine::Controller
