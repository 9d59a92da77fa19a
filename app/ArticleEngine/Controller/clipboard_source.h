// clipboard_source.h: reads the article source that a copy put on the
// clipboard (runs of markup followed by a style sheet) into the runs that a
// paste inserts, each with the style it takes in the receiving article.
//
// Pure: nothing here touches an editor. The runs come out in order with
// their escapes decoded; characters are passed on as the source holds them
// (control characters included): the editor's text insertion is the one
// place that decides what may enter an article. Text before the first run
// (a copied headword) is not a run and is not returned.
// docs/behaviour/article-editing.md, "Source paste".
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <map>
#include <vector>

namespace ArticleEngine::External {
class IStyleServer;
}

namespace ArticleEngine::Controller {

// A clipboard source cut into its lines: those that start with "." are the
// style sheet, the others (empty ones aside) are joined into the run text.
struct ClipboardSourceParts {
    QStringList styleSheetLines;
    QString runText;
};

ClipboardSourceParts splitClipboardSource(QStringView source);

// One run to insert: the receiving article's style number and the decoded
// text, in which line feeds start paragraphs and tabs indent.
struct PastedRun {
    int style = 0;
    QString text;

    bool operator==(const PastedRun&) const = default;
};

// Source style number -> receiving style number: each style-sheet line whose
// number reads is parsed into a style and handed to the server's
// styleExtra(), whose answer is the number. A later line for the same
// number replaces an earlier one.
std::map<int, int> mapSourceStyles(const QStringList& styleSheetLines,
                                   External::IStyleServer& server);

// The runs of the source in order. A style number that does not read, or that
// no style-sheet line defines, takes what source style 0 maps to (0 unless
// the sheet defines ".0").
std::vector<PastedRun> readClipboardSource(QStringView source, External::IStyleServer& server);

} // namespace ArticleEngine::Controller
