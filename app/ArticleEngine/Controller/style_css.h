// style_css.h: text styles, fonts and paragraph margins written as CSS
// declarations, and the style sheet that follows copied article source.
//
// Every declaration ends with its semicolon; lists are joined with single
// spaces where they are used (joinCss). Weights are computed on the 0-99
// scale (font_weight.h).
#pragma once

#include <QMargins>
#include <QString>
#include <QStringList>
#include <QStringView>

class QFont;

namespace ArticleEngine {
class TextFragmentStyle;
}

namespace ArticleEngine::External {
class IStyleServer;
}

namespace ArticleEngine::Controller {

// Colour, vertical alignment and, when the style has a font, the font
// (sizes of raised and lowered runs times 1.5).
QStringList styleCss(const TextFragmentStyle& style);
// Family, size times the factor, weight, slant and decoration.
QStringList fontCss(const QFont& font, double sizeFactor);
// The paragraph's inner margins in the order CSS reads them: top, right,
// bottom, left.
QString marginCss(const QMargins& margins);
QString joinCss(const QStringList& declarations);

// The style numbers of the runs ("#N\"") in markup, each once, ascending;
// numbers that do not read are skipped.
QList<int> runStyleNumbers(QStringView markup);
// One line ".N { declarations }" for each style number of the markup's
// runs that the server has a style for, in ascending order.
QString styleSheet(QStringView markup, External::IStyleServer& styles);

} // namespace ArticleEngine::Controller
