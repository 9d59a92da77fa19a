// markup_reader.cpp: text, paragraphs and style ranges out of styled runs.
#include "ArticleEngine/Markup/markup_reader.h"

namespace ArticleEngine {

namespace {

constexpr char16_t softHyphen = 0x00AD;

bool isDropped(QChar c)
{
    const char16_t code = c.unicode();
    return code == softHyphen || code == u'\r' || code == 0;
}

} // namespace

void MarkupReader::setStyle(int style)
{
    if (m_finished)
        return;
    if (!m_started) {
        // What came so far was lead text; the article text starts here.
        m_started = true;
        m_lineStarted = false;
        m_indent = 0;
        m_style = style;
        return;
    }
    if (style != m_style)
        closeStyleRange();
    m_style = style;
}

void MarkupReader::addChar(QChar c)
{
    if (m_finished || isDropped(c))
        return;
    if (c.unicode() == u'\t') {
        if (m_lineStarted)
            append(QLatin1Char(' '));
        else if (m_started)
            ++m_indent;
        return;
    }
    append(c);
    if (c.unicode() == u'\n')
        endParagraph();
}

void MarkupReader::endOfInput()
{
    if (m_finished)
        return;
    if (!m_started) {
        // No style number at all: everything was lead text, and the article
        // text is one empty paragraph without style.
        m_started = true;
        m_style = -1;
    }
    if (m_content.text.isEmpty() || m_content.text.back() != QLatin1Char('\n'))
        addChar(QLatin1Char('\n'));
    closeStyleRange();
    m_finished = true;
}

void MarkupReader::append(QChar c)
{
    if (!m_started) {
        m_content.leadText.append(c);
    } else {
        m_content.text.append(c);
    }
    m_lineStarted = true;
}

void MarkupReader::endParagraph()
{
    if (!m_started)
        return;
    const int position = int(m_content.text.size());
    m_content.paragraphs.push_back({m_paragraphStart, position, m_indent});
    m_indent = 0;
    m_paragraphStart = position;
    m_lineStarted = false;
}

void MarkupReader::closeStyleRange()
{
    const int position = int(m_content.text.size());
    if (position == m_runStart)
        return;
    auto& styles = m_content.styles;
    // A run of another style that held no character leaves two runs of one
    // style side by side: they form one range.
    if (!styles.empty() && styles.back().style == m_style && styles.back().end == m_runStart)
        styles.back().end = position;
    else
        styles.push_back({m_runStart, position, m_style});
    m_runStart = position;
}

} // namespace ArticleEngine
