// markup_fuzzer.cpp: article markup from untrusted bytes through the run
// parser, the markup reader and the element pass.
//
// Input: a flag byte (bit 0 set: the rest is 16-bit little-endian code
// units, so that any unit reaches the parser, lone surrogates included;
// clear: UTF-8, so that the token dictionary's tags mutate in place), then
// the markup. Styles 7 and 8 are special, as in the markup tests. Every
// promise of article_content.h and the element records is checked after
// each step: a broken invariant is a finding as much as a crash is.
#include "fuzz_input.h"

#include "ArticleEngine/Markup/element_pass.h"
#include "ArticleEngine/Markup/style_run_parser.h"

#include "markup_invariants.h"
#include "special_style_server.h"

#include <QGuiApplication>
#include <QLoggingCategory>

#include <cstdio>
#include <cstdlib>
#include <memory>

using namespace ArticleEngine;

namespace {

void check(const std::string& fault, const char* step)
{
    if (fault.empty())
        return;
    std::fprintf(stderr, "markup invariant broken %s: %s\n", step, fault.c_str());
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    // Layout needs fonts and so an application; the offscreen platform
    // works without a display.
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
    if (size < 1)
        return 0;
    const std::span<const std::uint8_t> rest(data + 1, size - 1);
    QString markup;
    if (data[0] & 1) {
        const std::u16string units = lexvane::fuzzing::utf16FromBytes(rest);
        markup = QString::fromUtf16(units.data(), qsizetype(units.size()));
    } else {
        markup = QString::fromUtf8(reinterpret_cast<const char*>(rest.data()), qsizetype(rest.size()));
    }

    ArticleContent content = readMarkup(markup);
    check(lexvane::testing::contentFault(content), "after reading");

    lexvane::testing::SpecialStyleServer server;
    const ArticleElements elements = takeElements(content, server);
    check(lexvane::testing::contentFault(content), "after the element pass");
    check(lexvane::testing::elementsFault(content, elements), "in the elements");
    for (int asked : server.asked) {
        if (asked < 0)
            std::abort(); // negative numbers mean "no style" and are never asked about
    }
    // What is left holds no special run: a second pass cuts nothing.
    if (!takeElements(content, server).elements.empty())
        std::abort();
    return 0;
}
