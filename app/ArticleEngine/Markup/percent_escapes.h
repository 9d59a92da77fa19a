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

// The character of the escape that starts at index, or -1 when none does.
int escapeAt(QStringView text, qsizetype index);

// The text with every escape replaced by its character. Characters are
// passed on as they are, U+0000 included: what may enter an article is the
// reader's or the editor's decision, not the decoder's.
QString decodePercentEscapes(QStringView text);

} // namespace ArticleEngine
