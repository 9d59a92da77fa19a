// style_run_parser.cpp: the character loop over article markup.
#include "ArticleEngine/Markup/style_run_parser.h"

#include "ArticleEngine/Markup/markup_reader.h"
#include "ArticleEngine/Markup/percent_escapes.h"

#include <QString>

#include <limits>

namespace ArticleEngine {

namespace {

enum class State {
    Text,       // in a run's text, or before the first style number
    Number,     // between '#' and '"'
    AfterClose, // after a closing '"': only '#' or the end follows
};

} // namespace

bool StyleRunParser::parse(const QString& markup)
{
    const qsizetype length = markup.size();
    State state = State::Text;
    QString number;
    // The loop ends at the string's length, never at a NUL: a literal U+0000
    // or "%00" is a character like any other (the reader drops it).
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = markup[i];
        if (c == QLatin1Char('#')) {
            number.clear();
            state = State::Number;
            continue;
        }
        if (state == State::Number) {
            if (c == QLatin1Char('"')) {
                m_reader.setStyle(readStyleNumber(number));
                state = State::Text;
            } else {
                number.append(c);
            }
            continue;
        }
        if (state == State::AfterClose)
            continue;
        if (c == QLatin1Char('"') && (i + 1 == length || markup[i + 1] == QLatin1Char('#'))) {
            state = State::AfterClose;
            continue;
        }
        if (const int escaped = escapeAt(markup, i); escaped >= 0) {
            m_reader.addChar(QChar(char16_t(escaped)));
            i += 2;
            continue;
        }
        m_reader.addChar(c);
    }
    m_reader.endOfInput();
    return true;
}

int StyleRunParser::readStyleNumber(const QString& digits)
{
    qsizetype i = 0;
    bool negative = false;
    if (!digits.isEmpty() && (digits[0] == QLatin1Char('-') || digits[0] == QLatin1Char('+'))) {
        negative = digits[0] == QLatin1Char('-');
        i = 1;
    }
    if (i == digits.size())
        return -1;
    long long value = 0;
    for (; i < digits.size(); ++i) {
        const char16_t code = digits[i].unicode();
        if (code < u'0' || code > u'9')
            return -1;
        value = value * 10 + (code - u'0');
        if (value > std::numeric_limits<int>::max())
            return -1;
    }
    return int(negative ? -value : value);
}

ArticleContent readMarkup(const QString& markup)
{
    MarkupReader reader;
    StyleRunParser(reader).parse(markup);
    return reader.takeContent();
}

} // namespace ArticleEngine
