// percent_escapes.cpp: reading "%hh" escapes.
#include "ArticleEngine/Markup/percent_escapes.h"

namespace ArticleEngine {

namespace {

// 0 to 15 for a hexadecimal digit, -1 for any other character.
int hexDigitValue(QChar c)
{
    const char16_t code = c.unicode();
    if (code >= u'0' && code <= u'9')
        return code - u'0';
    if (code >= u'a' && code <= u'f')
        return code - u'a' + 10;
    if (code >= u'A' && code <= u'F')
        return code - u'A' + 10;
    return -1;
}

} // namespace

int escapeAt(QStringView text, qsizetype index)
{
    if (index < 0 || index + 2 >= text.size() || text[index] != QLatin1Char('%'))
        return -1;
    const int high = hexDigitValue(text[index + 1]);
    const int low = hexDigitValue(text[index + 2]);
    return high >= 0 && low >= 0 ? high * 16 + low : -1;
}

QString decodePercentEscapes(QStringView text)
{
    QString decoded;
    decoded.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const int escaped = escapeAt(text, i);
        if (escaped >= 0) {
            decoded.append(QChar(char16_t(escaped)));
            i += 2;
        } else {
            decoded.append(text[i]);
        }
    }
    return decoded;
}

} // namespace ArticleEngine
