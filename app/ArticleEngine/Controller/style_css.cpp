// style_css.cpp: the CSS writers. The texts are read back by the article
// editor's paste (its style declarations), so their form is fixed.
#include "ArticleEngine/Controller/style_css.h"

#include "ArticleEngine/External/font_weight.h"
#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/External/text_fragment_style.h"

#include <QFont>
#include <QRegularExpression>

#include <set>

namespace ArticleEngine::Controller {

QStringList styleCss(const TextFragmentStyle& style)
{
    QStringList css;
    const QColor& color = style.textColor;
    css << QStringLiteral("color: rgb(%1, %2, %3);").arg(color.red()).arg(color.green()).arg(color.blue());
    double factor = 1.0;
    switch (style.verticalAlignment) {
    case 0:
        css << QStringLiteral("vertical-align: baseline;");
        break;
    case -1:
        css << QStringLiteral("vertical-align: sub;");
        factor = 1.5;
        break;
    case 1:
        css << QStringLiteral("vertical-align: super;");
        factor = 1.5;
        break;
    default:
        break;
    }
    if (style.font() != nullptr)
        css << fontCss(*style.font(), factor);
    return css;
}

QStringList fontCss(const QFont& font, double sizeFactor)
{
    QStringList css;
    // Concatenated rather than put in with arg(): a family name may hold a
    // percent sign and a digit.
    css << QStringLiteral("font-family: '") + font.family() + QStringLiteral("', '") + font.defaultFamily()
            + QStringLiteral("';");
    if (font.pixelSize() > 0)
        css << QStringLiteral("font-size: %1px;").arg(QString::number(font.pixelSize() * sizeFactor, 'g', 6));
    else if (font.pointSizeF() > 0)
        css << QStringLiteral("font-size: %1pt;").arg(QString::number(font.pointSizeF() * sizeFactor, 'g', 6));

    const int weight = External::toLegacyWeight(font.weight());
    if (weight != -1) {
        // Single precision on purpose: the style sheets already written were
        // computed so, and 0-99 must land on the same hundreds.
        const float scaled = float(weight) * 8.08080768585205f + 100.0f;
        css << QStringLiteral("font-weight: %1;").arg(int(scaled / 100.0f + 0.5f) * 100);
    }

    switch (font.style()) {
    case QFont::StyleNormal:
        css << QStringLiteral("font-style: normal;");
        break;
    case QFont::StyleItalic:
        css << QStringLiteral("font-style: italic;");
        break;
    case QFont::StyleOblique:
        css << QStringLiteral("font-style: oblique;");
        break;
    }

    const bool none = !font.overline() && !font.strikeOut() && !font.underline();
    css << QStringLiteral("text-decoration:%1%2%3%4;")
               .arg(font.overline() ? QStringLiteral(" overline") : QString(),
                    font.strikeOut() ? QStringLiteral(" line-through") : QString(),
                    font.underline() ? QStringLiteral(" underline") : QString(),
                    none ? QStringLiteral(" none") : QString());
    return css;
}

QString marginCss(const QMargins& margins)
{
    return QStringLiteral("margin: %1pt %2pt %3pt %4pt;")
        .arg(margins.top())
        .arg(margins.right())
        .arg(margins.bottom())
        .arg(margins.left());
}

QString joinCss(const QStringList& declarations)
{
    return declarations.join(QLatin1Char(' '));
}

QList<int> runStyleNumbers(QStringView markup)
{
    static const QRegularExpression run(QStringLiteral("#([^\\s\"]*)\""));
    std::set<int> numbers;
    for (const QRegularExpressionMatch& match : run.globalMatch(markup)) {
        bool read = false;
        const int number = match.capturedView(1).toInt(&read, 10);
        if (read)
            numbers.insert(number);
    }
    return QList<int>(numbers.begin(), numbers.end());
}

QString styleSheet(QStringView markup, External::IStyleServer& styles)
{
    QString sheet;
    for (int number : runStyleNumbers(markup)) {
        const TextFragmentStyle* style = styles.style(number);
        if (style == nullptr)
            continue;
        sheet += QLatin1Char('.') + QString::number(number) + QStringLiteral(" { ") + joinCss(styleCss(*style))
            + QStringLiteral(" }\n");
    }
    return sheet;
}

} // namespace ArticleEngine::Controller
