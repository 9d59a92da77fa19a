// css_text_style.cpp: the declaration parser, property by property.
#include "ArticleEngine/Controller/css_text_style.h"

#include "ArticleEngine/External/font_weight.h"
#include "ArticleEngine/External/text_fragment_style.h"

#include <QColor>
#include <QFont>
#include <QRegularExpression>

#include <algorithm>
#include <functional>
#include <optional>

namespace ArticleEngine::Controller {

namespace {

// The old scale's unit per CSS weight step, as the style sheet writer uses
// it the other way round.
constexpr double cssWeightStep = 8.08080768585205;

QRegularExpression pattern(const char* expression)
{
    return QRegularExpression(QString::fromLatin1(expression),
                              QRegularExpression::UseUnicodePropertiesOption);
}

// Calls visit with the captures of every match, from left to right.
void forEachMatch(const QRegularExpression& expression, const QString& text,
                  const std::function<void(const QRegularExpressionMatch&)>& visit)
{
    auto matches = expression.globalMatch(text);
    while (matches.hasNext())
        visit(matches.next());
}

std::optional<int> readInteger(QStringView digits)
{
    bool ok = false;
    const int value = digits.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

QColor readColor(const QString& value)
{
    static const QRegularExpression rgb = pattern(R"(rgb\((.*),(.*),(.*)\))");
    static const QRegularExpression hash = pattern("#(.*)");
    if (const auto match = rgb.match(value); match.hasMatch()) {
        int components[3];
        for (int i = 0; i < 3; ++i)
            components[i] = readInteger(match.capturedView(i + 1)).value_or(0);
        // A component outside 0..255 is no colour: the declaration is read as
        // unreadable rather than clamped into some other colour.
        if (std::any_of(std::begin(components), std::end(components),
                        [](int c) { return c < 0 || c > 255; }))
            return QColor();
        return QColor(components[0], components[1], components[2], 255);
    }
    if (const auto match = hash.match(value); match.hasMatch()) {
        const QString name = QLatin1Char('#') + match.captured(1);
        if (QColor::isValidColor(name))
            return QColor(name);
    }
    return QColor();
}

std::optional<int> readWeight(const QString& value)
{
    if (const auto number = readInteger(value))
        return legacyWeightOfCss(*number);
    std::optional<int> css;
    if (value.contains(QLatin1String("bold")))
        css = 900;
    if (value.contains(QLatin1String("bolder")))
        css = 700;
    if (value.contains(QLatin1String("lighter")))
        css = 100;
    if (value.contains(QLatin1String("normal")))
        css = 400;
    if (!css)
        return std::nullopt;
    return legacyWeightOfCss(*css);
}

std::optional<QFont::Style> readFontStyle(const QString& value)
{
    std::optional<QFont::Style> style;
    if (value.contains(QLatin1String("normal")))
        style = QFont::StyleNormal;
    if (value.contains(QLatin1String("italic")))
        style = QFont::StyleItalic;
    if (value.contains(QLatin1String("oblique")))
        style = QFont::StyleOblique;
    return style;
}

struct VerticalAlignment {
    int value;
    double sizeFactor;
};

std::optional<VerticalAlignment> readVerticalAlignment(const QString& value)
{
    if (value.contains(QLatin1String("baseline")))
        return VerticalAlignment{0, 1.0};
    if (value.contains(QLatin1String("sub")))
        return VerticalAlignment{-1, 1.5};
    if (value.contains(QLatin1String("super")))
        return VerticalAlignment{1, 1.5};
    return std::nullopt;
}

// The family keeps the case it was written in: the lower-cased text only
// finds the property. The first name of the list, without quotes.
QString readFamily(const QString& value)
{
    QString first = value.trimmed().section(QLatin1Char(','), 0, 0);
    first.remove(QLatin1Char('\''));
    first.remove(QLatin1Char('"'));
    return first.trimmed();
}

} // namespace

int legacyWeightOfCss(int cssWeight)
{
    // In double from the start: a pasted weight may be any int, and the
    // subtraction must not overflow at the bottom of the range.
    return int((double(cssWeight) - 100) / cssWeightStep);
}

void cssToTextStyle(const QString& declarations, TextFragmentStyle& style)
{
    const QString text = declarations.toLower();

    static const QRegularExpression colorPattern = pattern("color:([^;]*);");
    QColor color;
    forEachMatch(colorPattern, text, [&](const QRegularExpressionMatch& match) {
        color = readColor(match.captured(1));
    });

    QFont font;

    static const QRegularExpression decorationPattern = pattern("text-decoration:([^;]*);");
    bool decorated = false;
    bool overline = false;
    bool strikeOut = false;
    bool underline = false;
    forEachMatch(decorationPattern, text, [&](const QRegularExpressionMatch& match) {
        const QString value = match.captured(1);
        decorated = true;
        overline = overline || value.contains(QLatin1String("overline"));
        strikeOut = strikeOut || value.contains(QLatin1String("line-through"));
        underline = underline || value.contains(QLatin1String("underline"));
    });
    if (decorated) {
        font.setOverline(overline);
        font.setStrikeOut(strikeOut);
        font.setUnderline(underline);
    }

    // Read from the text as written, so that the family keeps its case; the
    // pattern ignores case as the lower-cased text would.
    static const QRegularExpression familyPattern(
        QStringLiteral("font-family:([^;]*);"),
        QRegularExpression::UseUnicodePropertiesOption | QRegularExpression::CaseInsensitiveOption);
    forEachMatch(familyPattern, declarations, [&](const QRegularExpressionMatch& match) {
        font.setFamily(readFamily(match.captured(1)));
    });

    static const QRegularExpression sizePattern = pattern(R"(font-size:([\s\d\.]*)(px|pt);)");
    forEachMatch(sizePattern, text, [&](const QRegularExpressionMatch& match) {
        const auto size = readInteger(match.capturedView(1));
        // The toolkit refuses sizes below 1 with a warning; so do we, quietly.
        if (!size || *size <= 0)
            return;
        if (match.capturedView(2) == QLatin1String("px"))
            font.setPixelSize(*size);
        else
            font.setPointSize(*size);
    });

    static const QRegularExpression weightPattern = pattern("font-weight:([^;]*);");
    forEachMatch(weightPattern, text, [&](const QRegularExpressionMatch& match) {
        if (const auto weight = readWeight(match.captured(1)))
            font.setWeight(External::toToolkitWeight(*weight));
    });

    static const QRegularExpression stylePattern = pattern("font-style:([^;]*);");
    forEachMatch(stylePattern, text, [&](const QRegularExpressionMatch& match) {
        if (const auto fontStyle = readFontStyle(match.captured(1)))
            font.setStyle(*fontStyle);
    });

    static const QRegularExpression alignPattern = pattern("vertical-align:([^;]*);");
    std::optional<VerticalAlignment> alignment;
    forEachMatch(alignPattern, text, [&](const QRegularExpressionMatch& match) {
        if (const auto read = readVerticalAlignment(match.captured(1)))
            alignment = read;
    });
    if (alignment) {
        style.verticalAlignment = alignment->value;
        // Raised and lowered text was written one and a half times its size.
        const int size = int(std::max(font.pixelSize(), font.pointSize()) / alignment->sizeFactor);
        if (size > 0) {
            if (font.pixelSize() > 0)
                font.setPixelSize(size);
            else if (font.pointSize() > 0)
                font.setPointSize(size);
        }
    }

    style.textColor = color;
    style.setOwnedFont(font);
}

} // namespace ArticleEngine::Controller
