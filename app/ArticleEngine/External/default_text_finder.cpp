// default_text_finder.cpp: matching of find-in-articles.
#include "ArticleEngine/External/default_text_finder.h"

namespace ArticleEngine::External::Default {

namespace {

constexpr char16_t stressMark = 0x0301;

// Every character may be followed by any run of stress marks and '|'.
QString patternOf(const QString& lowered)
{
    const QString follower = QStringLiteral("[\\x{0301}\\|]*");
    QString pattern;
    for (qsizetype i = 0; i < lowered.size(); ++i) {
        const QChar c = lowered.at(i);
        if (c.unicode() == stressMark)
            continue;
        pattern += c;
        // A surrogate pair is one character of the expression.
        if (c.isHighSurrogate() && i + 1 < lowered.size() && lowered.at(i + 1).isLowSurrogate())
            pattern += lowered.at(++i);
        pattern += follower;
    }
    return pattern;
}

} // namespace

TextFinder::TextFinder(const QString& text)
{
    setText(text);
}

void TextFinder::setText(const QString& text)
{
    m_text = text;
    m_expression = QRegularExpression(patternOf(lowerKeepingOffsets(normalisedText())),
                                      QRegularExpression::UseUnicodePropertiesOption);
}

QString TextFinder::lowerKeepingOffsets(const QString& text)
{
    QString lowered = text;
    QChar* units = lowered.data();
    const qsizetype size = lowered.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char16_t unit = units[i].unicode();
        if (QChar::isHighSurrogate(unit) && i + 1 < size && QChar::isLowSurrogate(units[i + 1].unicode())) {
            const char32_t lower = QChar::toLower(QChar::surrogateToUcs4(unit, units[i + 1].unicode()));
            if (QChar::requiresSurrogates(lower)) {
                units[i] = QChar(QChar::highSurrogate(lower));
                units[i + 1] = QChar(QChar::lowSurrogate(lower));
            }
            ++i;
            continue;
        }
        const char32_t lower = QChar::toLower(char32_t(unit));
        if (!QChar::requiresSurrogates(lower))
            units[i] = QChar(char16_t(lower));
    }
    return lowered;
}

void TextFinder::find(const QString& articleText, std::vector<std::pair<int, int>>& out) const
{
    out.clear();
    // A text of stress marks alone leaves an empty expression, which would
    // match nothing but empty places.
    if (!hasText() || !m_expression.isValid() || m_expression.pattern().isEmpty())
        return;
    const QString lowered = lowerKeepingOffsets(articleText);
    qsizetype from = 0;
    while (from <= lowered.size()) {
        const QRegularExpressionMatch match = m_expression.match(lowered, from);
        if (!match.hasMatch())
            break;
        const qsizetype start = match.capturedStart(0);
        const qsizetype length = match.capturedLength(0);
        // An empty match selects nothing; the search goes on one character
        // later so that it always ends.
        if (length == 0) {
            from = start + 1;
            if (from < lowered.size() && lowered.at(from).isLowSurrogate())
                ++from;
            continue;
        }
        out.emplace_back(int(start), int(start + length));
        from = start + length;
    }
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
