// percent_escapes.cpp: reading "%hh" escapes.
#include "ArticleEngine/Markup/percent_escapes.h"

namespace ArticleEngine {

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

QString decodePercentEscapes(QStringView text)
{
    QString decoded;
    decoded.reserve(text.size());
    const qsizetype length = text.size();
    for (qsizetype i = 0; i < length; ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('%') && i + 2 < length) {
            const int high = hexDigitValue(text[i + 1]);
            const int low = hexDigitValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                decoded.append(QChar(char16_t(high * 16 + low)));
                i += 2;
                continue;
            }
        }
        decoded.append(c);
    }
    return decoded;
}

} // namespace ArticleEngine
