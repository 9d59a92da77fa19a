// tokenizer.cpp: the one pass over an article's text.
#include "ArticleEngine/Loading/tokenizer.h"

#include "ArticleEngine/External/char_analyzer.h"

#include <QChar>

#include <algorithm>

namespace ArticleEngine::Loading {

namespace {

bool startsWithTag(QStringView rest, QLatin1StringView tag)
{
    return rest.startsWith(tag, Qt::CaseInsensitive);
}

// Splits the token that holds a paragraph's start strictly inside it; the
// second part keeps the class (a line break's brackets become a line-break
// token of the next paragraph).
// Whether a paragraph starts strictly inside a token (rare: brackets after
// a line feed).
bool needsSplit(std::span<const ParagraphRange> paragraphs, const std::vector<Token>& tokens)
{
    auto token = tokens.begin();
    for (std::size_t next = 1; next < paragraphs.size(); ++next) {
        const int start = paragraphs[next].start;
        token = std::lower_bound(token, tokens.end(), start,
                                 [](const Token& t, int position) { return t.end <= position; });
        if (token == tokens.end())
            return false;
        if (token->start < start)
            return true;
    }
    return false;
}

void splitAtParagraphs(std::span<const ParagraphRange> paragraphs, std::vector<Token>& tokens)
{
    if (!needsSplit(paragraphs, tokens))
        return;
    std::vector<Token> split;
    split.reserve(tokens.size() + paragraphs.size());
    std::size_t next = 1; // paragraph 0 starts the text
    for (const Token& token : tokens) {
        while (next < paragraphs.size() && paragraphs[next].start <= token.start)
            ++next;
        Token rest = token;
        while (next < paragraphs.size() && paragraphs[next].start < rest.end) {
            const int at = paragraphs[next].start;
            split.push_back({rest.start, at, rest.tokenClass});
            rest.start = at;
            ++next;
        }
        split.push_back(rest);
    }
    tokens = std::move(split);
}

} // namespace

TokenClass Tokenizer::classOf(QChar c) const
{
    if (m_analyzer.isNewLine(c))
        return LineBreak;
    if (m_analyzer.isSpace(c))
        return Space;
    if (m_analyzer.isSeparator(c))
        return Separator;
    return WordPiece;
}

void Tokenizer::closePiece(QStringView text, int start, int end, TokenClass pieceClass,
                           std::vector<Token>& out)
{
    if (end <= start)
        return;
    if (pieceClass == WordPiece)
        m_words.build(text, start, end, out);
    else
        out.push_back({start, end, pieceClass});
}

void Tokenizer::run(QStringView text, std::span<const ParagraphRange> paragraphs,
                    std::vector<Token>& out)
{
    out.clear();
    out.reserve(std::size_t(text.size()));
    m_tableFlag = false;
    const int length = int(text.size());
    int pieceStart = 0;
    TokenClass pieceClass = LeadBrackets;
    for (int i = 0; i < length; ++i) {
        const QChar ch = text[i];
        if (ch == QLatin1Char('<')) {
            const QStringView rest = text.mid(i);
            if (startsWithTag(rest, QLatin1StringView("<TABLE")))
                m_tableFlag = true;
            else if (startsWithTag(rest, QLatin1StringView("</TABLE")))
                m_tableFlag = false;
        }
        // The second half of a surrogate pair goes with the first, as a
        // bracket goes with the piece before it.
        if (ch.isLowSurrogate() && i > 0 && text[i - 1].isHighSurrogate())
            continue;
        if (m_analyzer.isBracket(ch))
            continue;
        closePiece(text, pieceStart, i, pieceClass, out);
        pieceStart = i;
        pieceClass = classOf(ch);
    }
    closePiece(text, pieceStart, length, pieceClass, out);
    if (paragraphs.size() > 1)
        splitAtParagraphs(paragraphs, out);
}

} // namespace ArticleEngine::Loading
