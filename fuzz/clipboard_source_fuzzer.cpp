// clipboard_source_fuzzer.cpp: the article source that any program may put
// on the clipboard under our source format, read as a paste reads it: split
// into style sheet and runs, each style-sheet line parsed as declarations
// into a text style, the runs found and their escapes decoded.
//
// Input: the clipboard's bytes, decoded from UTF-8 as the editor's adapter
// decodes them. Promises checked: every parsed style has an alignment of
// -1, 0 or +1, owns its font, and its font sizes are positive or unset;
// there are no more runs than number signs; a run's style number is one
// that the style server answered or 0; decoded text holds no more
// characters than the run text it came from.
#include "ArticleEngine/Controller/clipboard_source.h"
#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/External/text_fragment_style.h"

#include <QFont>
#include <QGuiApplication>
#include <QLoggingCategory>

#include <cstdio>
#include <cstdlib>
#include <set>

using namespace ArticleEngine;

namespace {

void promise(bool kept, const char* what)
{
    if (kept)
        return;
    std::fprintf(stderr, "clipboard source promise broken: %s\n", what);
    std::abort();
}

// Checks every declared style and answers a number of its own for it, so
// that the runs' numbers can be traced back to the server.
class CheckingStyleServer final : public External::IStyleServer {
public:
    bool isSpecialStyle(int) override { return false; }
    TextFragmentStyle* style(int) override { return nullptr; }
    int styleExtra(const TextFragmentStyle& declared) override
    {
        promise(declared.verticalAlignment >= -1 && declared.verticalAlignment <= 1, "alignment");
        promise(declared.font() != nullptr && declared.ownsFont(), "owned font");
        const QFont& font = *declared.font();
        promise(font.pointSize() == -1 || font.pointSize() > 0, "point size");
        promise(font.pixelSize() == -1 || font.pixelSize() > 0, "pixel size");
        promise(font.pointSize() > 0 || font.pixelSize() > 0, "a size");
        const int number = 1000 + int(answered.size());
        answered.insert(number);
        return number;
    }

    std::set<int> answered;
};

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Fonts need the application object; the offscreen platform works
    // without a display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "lexvane-fuzz";
    static char* argv[] = {name, nullptr};
    static QGuiApplication application(argc, argv);
    QLoggingCategory::setFilterRules(QStringLiteral("lexvane.article.*=false"));
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString source = QString::fromUtf8(reinterpret_cast<const char*>(data), qsizetype(size));
    CheckingStyleServer styles;
    const Controller::ClipboardSourceParts parts = Controller::splitClipboardSource(source);
    const std::vector<Controller::PastedRun> runs = Controller::readClipboardSource(source, styles);

    promise(qsizetype(runs.size()) <= parts.runText.count(QLatin1Char('#')), "runs per number sign");
    qsizetype decoded = 0;
    for (const Controller::PastedRun& run : runs) {
        promise(run.style == 0 || styles.answered.count(run.style) == 1, "style from the server");
        decoded += run.text.size();
    }
    promise(decoded <= parts.runText.size(), "decoding never adds characters");
    return 0;
}
