// percent_escapes.h: the "%hh" escapes of article markup, read the one way
// that every reader of markup shares (docs/behaviour/article-markup.md,
// "Escapes").
//
// An escape is "%" and exactly two hexadecimal digits of either case; a "%"
// without them stays as it is. Decoding never reads past the text.
#pragma once

#include <QChar>
#include <QString>
#include <QStringView>

namespace ArticleEngine {

// 0 to 15 for a hexadecimal digit, -1 for any other character.
int hexDigitValue(QChar c);

// The text with every escape replaced by its character. Characters are
// passed on as they are, U+0000 included: what may enter an article is the
// reader's or the editor's decision, not the decoder's.
QString decodePercentEscapes(QStringView text);

} // namespace ArticleEngine
