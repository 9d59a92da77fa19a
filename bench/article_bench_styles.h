// article_bench_styles.h: what the article benchmarks share: three styles
// as a dictionary article has (headword, remark, text) in DejaVu Sans 10,
// and one dictionary-like line of text.
#pragma once

#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/External/text_fragment_style.h"

#include <QFont>
#include <QString>

#include <map>

namespace lexvane::bench {

class BenchStyleServer : public ArticleEngine::External::IStyleServer {
public:
    BenchStyleServer()
    {
        using ArticleEngine::TextFragmentStyle;
        m_bold.setBold(true);
        m_italic.setItalic(true);
        m_styles[1] = TextFragmentStyle(&m_bold, QColor(0, 0, 128), QColor(), 0, 0, 0, 0, 0);
        m_styles[2] = TextFragmentStyle(&m_italic, QColor(0, 128, 0), QColor(), 0, 0, 0, 0, 0);
        m_styles[3] = TextFragmentStyle(&m_plain, QColor(0, 0, 0), QColor(), 0, 0, 0, 0, 0);
    }
    bool isSpecialStyle(int) override { return false; }
    ArticleEngine::TextFragmentStyle* style(int number) override
    {
        auto found = m_styles.find(number);
        return found == m_styles.end() ? nullptr : &found->second;
    }
    const QFont& plainFont() const { return m_plain; }

private:
    QFont m_plain{QStringLiteral("DejaVu Sans"), 10};
    QFont m_bold{QStringLiteral("DejaVu Sans"), 10};
    QFont m_italic{QStringLiteral("DejaVu Sans"), 10};
    std::map<int, ArticleEngine::TextFragmentStyle> m_styles;
};

// One dictionary-like line of about 70 characters, varied by n.
inline QString lineText(int n)
{
    return QStringLiteral("term%1 (n.) a word of meaning %2, with more; see also: other%3 words")
        .arg(n)
        .arg(n % 97)
        .arg(n % 13);
}

// The line as markup: its first word in style 1, the next six characters
// in style 2, the rest in style 3, ended by a line feed.
inline QString lineMarkup(const QString& line)
{
    const int split = int(line.indexOf(QLatin1Char(' ')));
    return QStringLiteral("#1\"") + line.left(split) + QStringLiteral("\"#2\"") + line.mid(split, 6)
        + QStringLiteral("\"#3\"") + line.mid(split + 6) + QStringLiteral("%0A\"");
}

} // namespace lexvane::bench
