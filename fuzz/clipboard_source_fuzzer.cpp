// clipboard_source_fuzzer.cpp: the article source that any program may put
// on the clipboard under our source format ("application/lexvane-full-
// source"), read as a paste reads it: split into style sheet and runs, each
// style-sheet line parsed as declarations into a text style whose font is
// then measured, the runs found and their escapes decoded; then the source
// pasted into the article editor over a selection, and undone.
//
// Input: a flag byte, then the source. Flag bit 0 set: 16-bit little-endian
// code units, so that any unit (lone surrogates included) reaches the
// reader; clear: UTF-8, as the editor's adapter decodes the clipboard, so
// that the dictionary's declarations mutate in place. Bits 1 to 3: where
// the paste goes in the editor's article.
// Promises checked (a broken one is a finding, as a crash is): every parsed
// style has an alignment of -1, 0 or +1, owns its font, and its font sizes
// are positive or unset; there are no more runs than number signs; a run's
// style number is one that the style server answered, or 0; decoded text
// holds no more characters than the run text it came from; the edited
// article keeps the markup reader's invariants, reads back to the same
// source, and undo gives the article from before the paste.
#include "article_input.h"
#include "fuzz_input.h"

#include "ArticleEngine/Controller/article_edit_controller.h"
#include "ArticleEngine/Controller/clipboard_source.h"
#include "ArticleEngine/Controller/css_text_style.h"
#include "ArticleEngine/External/default_char_analyzer.h"
#include "ArticleEngine/External/text_fragment_style.h"

#include "layout_fixture.h"
#include "markup_invariants.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <cstdio>
#include <cstdlib>
#include <set>

using namespace ArticleEngine;

namespace {

// The article pasted into: two paragraphs, three styles, a link element.
const QString kArticle = QStringLiteral("#01\"one \"#02\"two%0A\"#07\"<link>\"#04\"%09three\"#07\"</link>\"");

void promise(bool kept, const char* what, const std::string& detail = {})
{
    if (kept)
        return;
    std::fprintf(stderr, "clipboard source promise broken: %s %s\n", what, detail.c_str());
    std::abort();
}

// The layout tests' styles. Every declared style is checked and its font
// measured (sizes, weights and families come straight from the input); it
// gets the numbers 1 to 6 in turn (5 has no font, 6 no style), so that the
// runs' numbers can be traced back to the server.
class DeclaringStyleServer final : public lexvane::testing::TestStyleServer {
public:
    int styleExtra(const TextFragmentStyle& declared) override
    {
        promise(declared.verticalAlignment >= -1 && declared.verticalAlignment <= 1, "alignment");
        promise(declared.font() != nullptr && declared.ownsFont(), "owned font");
        const QFont& font = *declared.font();
        promise(font.pointSize() == -1 || font.pointSize() > 0, "point size");
        promise(font.pixelSize() == -1 || font.pixelSize() > 0, "pixel size");
        promise(font.pointSize() > 0 || font.pixelSize() > 0, "a size");
        measured += QFontMetrics(font).horizontalAdvance(QStringLiteral("Ag"));
        const int number = 1 + int(calls++ % 6);
        given.insert(number);
        return number;
    }

    std::set<int> given;
    long long measured = 0;
    long long calls = 0;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    lexvane::fuzzing::startArticleApplication();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 1)
        return 0;
    const QString source = lexvane::fuzzing::flaggedText(std::span(data, size));

    static DeclaringStyleServer styles;
    styles.given.clear();
    const Controller::ClipboardSourceParts parts = Controller::splitClipboardSource(source);
    const std::vector<Controller::PastedRun> runs = Controller::readClipboardSource(source, styles);
    promise(qsizetype(runs.size()) <= parts.runText.count(QLatin1Char('#')), "runs per number sign");
    qsizetype decoded = 0;
    for (const Controller::PastedRun& run : runs) {
        promise(run.style == 0 || styles.given.count(run.style) == 1, "style from the server");
        decoded += run.text.size();
    }
    promise(decoded <= parts.runText.size(), "decoding never adds characters");

    // The whole source as one declaration list, as one line of it may be.
    TextFragmentStyle style;
    Controller::cssToTextStyle(source, style);
    if (style.font() != nullptr)
        styles.measured += QFontMetrics(*style.font()).horizontalAdvance(QStringLiteral("Ag"));

    // Pasted into the editor over a selection (or at a caret) that the flag
    // byte places.
    static External::Default::CharAnalyzer analyzer;
    lexvane::testing::FixedMetricSource metrics;
    Controller::ArticleEditController editor;
    editor.setMetricSource(&metrics);
    editor.setViewport(QRect(0, 0, 200, 100));
    editor.init(&styles, &analyzer);
    editor.setSource(kArticle);
    editor.refresh();
    const QString before = editor.source();
    const int length = editor.document().length();
    const int start = (data[0] >> 1 & 3) * length / 4;
    const int end = data[0] & 8 ? length - 1 : start;
    editor.setCaret(ArticleEditPosition::body(start), true, false);
    editor.extendSelection(ArticleEditPosition::body(end), true, false);
    editor.pasteSource(source);

    const std::string fault = lexvane::testing::contentFault(editor.content());
    promise(fault.empty(), "the pasted article keeps the invariants:", fault);
    const QString after = editor.source();
    Controller::ArticleEditController reader;
    reader.setMetricSource(&metrics);
    reader.init(&styles, &analyzer);
    reader.setSource(after);
    if (reader.source() != after)
        promise(false, "the pasted article reads back:", after.toStdString());
    editor.undo();
    promise(editor.source() == before, "undo gives the article from before the paste");
    return 0;
}
