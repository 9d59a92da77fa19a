// article_html_exporter.cpp: the HTML builder. The attribute forms
// ("style = ", "dir = '...'") are kept as the program has always written
// them: other programs read them as they are.
#include "ArticleEngine/Controller/article_html_exporter.h"

#include "ArticleEngine/Controller/style_css.h"
#include "ArticleEngine/logging.h"

#include <algorithm>
#include <vector>

namespace ArticleEngine::Controller {

namespace {

// Characters [from, to) written as one span.
struct Piece {
    int from = 0;
    int to = 0;
    const TextFragmentStyle* style = nullptr;
    QString direction;
    // A paragraph's line feed is a span of its own: "<br>".
    bool lineFeed = false;

    bool joins(const Piece& next) const
    {
        return !lineFeed && !next.lineFeed && to == next.from && style == next.style
            && direction == next.direction;
    }
};

} // namespace

QString htmlDirection(QStringView text)
{
    for (char32_t c : text.toUcs4()) {
        const QChar::Direction direction = QChar::direction(c);
        if (direction == QChar::DirR || direction == QChar::DirAL)
            return QStringLiteral("RTL");
    }
    return QStringLiteral("LTR");
}

QString ArticleHtmlExporter::header() const
{
    const ArticleHeaderView& header = m_article.view.header;
    QString style = joinCss(styleCss(header.style));
    // A header without a background of its own is written without one
    // rather than on black (docs/behaviour/article-export.md).
    if (header.color.isValid())
        style += QStringLiteral("; background: rgb(%1, %2, %3);")
                     .arg(header.color.red())
                     .arg(header.color.green())
                     .arg(header.color.blue());
    return QStringLiteral("<div style = \"") + style.toHtmlEscaped() + QStringLiteral("\">")
        + m_article.leadText.toHtmlEscaped() + QStringLiteral("</div>\n");
}

QString ArticleHtmlExporter::html(ArticleEditPosition start, ArticleEditPosition end, bool endAtOffset) const
{
    const ExportRange range = exportRange(m_article, start, end, endAtOffset);
    QString html;
    if (range.withHeader)
        html += header();
    if (!range.withBody)
        return html;

    qCDebug(exportLog, "coping [%d %d)", range.from, range.to);
    const QString& text = m_article.view.text;
    for (const ParagraphView& paragraph : m_article.view.paragraphs) {
        if (paragraph.textEnd() <= range.from || paragraph.textStart() >= range.to)
            continue;
        // Our views hold a fragment per character; neighbours of one style
        // and one direction are written as one span, as a reader of the
        // HTML would expect (docs/behaviour/article-export.md).
        std::vector<Piece> pieces;
        for (const TextItemView& item : paragraph.items()) {
            for (const TextItemFragmentView& fragment : paragraph.fragmentsOf(item)) {
                const int from = std::max(fragment.start(), range.from);
                const int to = std::min(fragment.end(), range.to);
                if (from >= to)
                    continue;
                const QStringView cut = QStringView(text).mid(from, to - from);
                Piece piece{from, to, fragment.style(), htmlDirection(cut), cut == u"\n"};
                if (!pieces.empty() && pieces.back().joins(piece))
                    pieces.back().to = to;
                else
                    pieces.push_back(std::move(piece));
            }
        }
        if (pieces.empty())
            continue;
        html += QStringLiteral("<p style = \"%1\" dir=\"%2\">\n")
                    .arg(marginCss(paragraph.frame.margins), pieces.front().direction);
        for (const Piece& piece : pieces) {
            const QString css = piece.style != nullptr ? joinCss(styleCss(*piece.style)) : QString();
            const QString content = piece.lineFeed
                ? QStringLiteral("<br>")
                : QStringView(text).mid(piece.from, piece.to - piece.from).toString().toHtmlEscaped();
            html += QStringLiteral("<span style = \"") + css.toHtmlEscaped() + QStringLiteral("; direction = ")
                + piece.direction + QStringLiteral("; unicode-bidi: embed;\" dir = '") + piece.direction
                + QStringLiteral("'>") + content + QStringLiteral("</span>");
        }
        html += QStringLiteral("</p>\n\n");
    }
    return html;
}

} // namespace ArticleEngine::Controller
