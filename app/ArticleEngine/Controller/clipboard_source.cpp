// clipboard_source.cpp: splitting, the style map and the run search.
#include "ArticleEngine/Controller/clipboard_source.h"

#include "ArticleEngine/Controller/css_text_style.h"
#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/External/text_fragment_style.h"
#include "ArticleEngine/Markup/percent_escapes.h"

#include <QRegularExpression>

#include <optional>

namespace ArticleEngine::Controller {

namespace {

std::optional<int> readDecimal(QStringView digits)
{
    bool ok = false;
    const int value = digits.trimmed().toInt(&ok, 10);
    return ok ? std::optional<int>(value) : std::nullopt;
}

// The number of a line ".N { ... }": what stands between the first "." and
// the first "{".
std::optional<int> styleSheetNumber(QStringView line)
{
    const qsizetype brace = line.indexOf(QLatin1Char('{'));
    if (brace < 1)
        return std::nullopt;
    return readDecimal(line.mid(1, brace - 1));
}

} // namespace

ClipboardSourceParts splitClipboardSource(QStringView source)
{
    ClipboardSourceParts parts;
    for (const QStringView line : source.tokenize(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        if (line.startsWith(QLatin1Char('.')))
            parts.styleSheetLines.append(line.toString());
        else
            parts.runText.append(line);
    }
    return parts;
}

std::map<int, int> mapSourceStyles(const QStringList& styleSheetLines,
                                   External::IStyleServer& server)
{
    std::map<int, int> map;
    for (const QString& line : styleSheetLines) {
        const auto number = styleSheetNumber(line);
        if (!number)
            continue;
        // A style built with no font, no colours and zero integers, filled
        // from the whole line.
        TextFragmentStyle declared(nullptr, QColor(), QColor(), 0, 0, 0, 0, 0);
        cssToTextStyle(line, declared);
        map[*number] = server.styleExtra(declared);
    }
    return map;
}

std::vector<PastedRun> readClipboardSource(QStringView source, External::IStyleServer& server)
{
    const ClipboardSourceParts parts = splitClipboardSource(source);
    const std::map<int, int> styles = mapSourceStyles(parts.styleSheetLines, server);
    const auto mapped = [&styles](int number) {
        const auto found = styles.find(number);
        return found == styles.end() ? 0 : found->second;
    };

    // The run syntax of the markup, but stricter than its reader: the style
    // number holds no blank and no quote, and the text ends at the first quote
    // (a copy escapes every quote inside a run).
    static const QRegularExpression run(QStringLiteral(R"re(#([^\s"]*)"([^"]*)")re"),
                                        QRegularExpression::UseUnicodePropertiesOption);
    std::vector<PastedRun> runs;
    auto matches = run.globalMatch(parts.runText);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        const int number = readDecimal(match.capturedView(1)).value_or(0);
        runs.push_back({mapped(number), decodePercentEscapes(match.capturedView(2))});
    }
    return runs;
}

} // namespace ArticleEngine::Controller
