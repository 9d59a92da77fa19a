// word_builder.cpp: stripping unmatched brackets and separators off a piece.
#include "ArticleEngine/Loading/word_builder.h"

#include "ArticleEngine/External/char_analyzer.h"

#include <QChar>

namespace ArticleEngine::Loading {

namespace {

bool isHalfOfPair(QChar c)
{
    return c.isSurrogate();
}

} // namespace

void WordBuilder::build(QStringView text, int start, int end, std::vector<Token>& out)
{
    const int length = end - start;
    if (length <= 0)
        return;
    if (length == 1) {
        // The common case: one word character and nothing after it.
        out.push_back({start, end, WordCharacter});
        return;
    }
    const QStringView piece = text.mid(start, length);
    m_stripped.assign(std::size_t(length), false);
    m_seen.clear();

    for (int i = 0; i < length; ++i) {
        const QChar ch = piece[i];
        // Surrogate halves are never stripped: a pair stays whole.
        if (isHalfOfPair(ch) || !m_seen.insert(ch.unicode()).second)
            continue;
        QChar opener;
        QChar closer;
        QChar partner;
        if (m_analyzer.closingOf(ch, partner)) {
            opener = ch;
            closer = partner;
        } else if (m_analyzer.openingOf(ch, partner)) {
            opener = partner;
            closer = ch;
        } else {
            if (m_analyzer.isSeparator(ch)) {
                for (int j = i; j < length; ++j) {
                    if (piece[j] == ch)
                        m_stripped[std::size_t(j)] = true;
                }
            }
            continue;
        }
        int count = 0;
        int firstOpener = -1;
        int lastCloser = -1;
        // A character that is its own partner (the slash) counts as an
        // opener wherever it stands.
        for (int j = 0; j < length; ++j) {
            const QChar c = piece[j];
            if (c == opener) {
                if (count == 0)
                    firstOpener = j;
                ++count;
            } else if (c == closer) {
                lastCloser = j;
                --count;
            }
        }
        if (count > 0 && firstOpener >= 0) {
            m_stripped[std::size_t(firstOpener)] = true;
        } else if (count < 0 && lastCloser >= 0) {
            m_stripped[std::size_t(lastCloser)] = true;
        } else if (count == 0 && firstOpener == 0 && lastCloser == length - 1) {
            m_stripped[0] = true;
            m_stripped[std::size_t(lastCloser)] = true;
        }
    }

    int leading = 0;
    while (leading < length && m_stripped[std::size_t(leading)])
        ++leading;
    int trailing = 0;
    while (trailing < length - leading && m_stripped[std::size_t(length - 1 - trailing)])
        ++trailing;

    if (leading > 0)
        out.push_back({start, start + leading, TrailingBrackets});
    if (leading + trailing < length)
        out.push_back({start + leading, end - trailing, WordCharacter});
    if (trailing > 0)
        out.push_back({end - trailing, end, TrailingBrackets});
}

} // namespace ArticleEngine::Loading
