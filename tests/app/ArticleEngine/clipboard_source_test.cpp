// Tests of the clipboard-source reader: how a copied source splits into
// style sheet and runs, how source style numbers map through the receiving
// style server, and how run text is decoded.
#include "ArticleEngine/Controller/clipboard_source.h"
#include "ArticleEngine/External/style_server.h"
#include "ArticleEngine/External/text_fragment_style.h"

#include "qt_printers.h"

#include <QFont>

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace ArticleEngine::Controller {
void PrintTo(const PastedRun& run, std::ostream* out)
{
    *out << "{" << run.style << ", \"" << run.text.toStdString() << "\"}";
}
} // namespace ArticleEngine::Controller

using namespace ArticleEngine;
using namespace ArticleEngine::Controller;

namespace {

// Gives a declared style the number 100 + the red of its colour (0 for no
// colour), so that tests see which declarations reached it; keeps them.
class DeclaringStyleServer : public External::IStyleServer {
public:
    bool isSpecialStyle(int) override { return false; }
    TextFragmentStyle* style(int) override { return nullptr; }
    int styleExtra(const TextFragmentStyle& declared) override
    {
        declaredStyles.push_back(declared);
        return declared.textColor.isValid() ? 100 + declared.textColor.red() : 0;
    }

    std::vector<TextFragmentStyle> declaredStyles;
};

// The base server, which answers 0 for every declared style.
class PlainStyleServer : public External::IStyleServer {
public:
    bool isSpecialStyle(int) override { return false; }
    TextFragmentStyle* style(int) override { return nullptr; }
};

TEST(ClipboardSource, SplitsStyleSheetLinesFromRunText)
{
    const ClipboardSourceParts parts = splitClipboardSource(
        u"head#01\"a\"\n\n#02\"b\"\n.1 { color: #ff0000; }\n.2{ }\n#03\"c\"");
    EXPECT_EQ(parts.runText, QStringLiteral("head#01\"a\"#02\"b\"#03\"c\""))
        << "run lines join without separators, empty lines are dropped, the last line counts without \\n";
    EXPECT_EQ(parts.styleSheetLines,
              (QStringList{QStringLiteral(".1 { color: #ff0000; }"), QStringLiteral(".2{ }")}));
}

TEST(ClipboardSource, RunsAndTheirText)
{
    struct Case {
        const char* name;
        const char16_t* source;
        std::vector<PastedRun> expected;
    };
    const Case cases[] = {
        {"an escaped quote", u"#01\"a%22b\"", {{0, QStringLiteral("a\"b")}}},
        {"an indented paragraph as the editor writes it", u"#03\"\t\ta%22b%0a\"",
         {{0, QStringLiteral("\t\ta\"b\n")}}},
        {"escapes of either case", u"#1\"%0a%0A%3c%3E\"", {{0, QStringLiteral("\n\n<>")}}},
        {"a % without two hex digits stays", u"#1\"%zz %4 50%\"", {{0, QStringLiteral("%zz %4 50%")}}},
        {"a % escape after a stray %", u"#1\"%%41\"", {{0, QStringLiteral("%A")}}},
        {"the headword before the runs is not pasted", u"head word#01\"a\"#02\"b\"",
         {{0, QStringLiteral("a")}, {0, QStringLiteral("b")}}},
        {"runs on lines of their own, carriage returns between them", u"#01\"a\"\r\n#02\"b\"\r\n",
         {{0, QStringLiteral("a")}, {0, QStringLiteral("b")}}},
        {"an empty run", u"#01\"\"", {{0, QString()}}},
        {"no runs", u"just text\n.1 { color: #ff0000; }\n", {}},
        {"a number sign with a blank before the quote is no run", u"#1 2\"x\"#3\"y\"",
         {{0, QStringLiteral("y")}}},
        {"an unclosed run is not pasted", u"#01\"a\"#02\"b", {{0, QStringLiteral("a")}}},
        {"control characters pass through to the insertion", u"#01\"a%00b%07c\"",
         {{0, QString::fromUtf16(u"a\u0000b\u0007c", 5)}}},
    };
    PlainStyleServer server;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(readClipboardSource(c.source, server), c.expected);
    }
}

TEST(ClipboardSource, StyleNumbersMapThroughTheStyleSheet)
{
    struct Case {
        const char* name;
        const char16_t* source;
        std::vector<int> styles;
    };
    const Case cases[] = {
        {"defined styles map, an undefined one takes 0",
         u"#03\"x\"#12\"y\"#05\"z\"\n.3 { color: rgb(5, 0, 0); }\n.12 { color: rgb(7, 0, 0); }\n",
         {105, 107, 0}},
        {"a sheet line written without blanks", u"#4\"x\"\n.4{color: rgb(1, 0, 0);}", {101}},
        {"a sheet line with blanks around the number", u"#4\"x\"\n. 4 { color: rgb(1, 0, 0); }", {101}},
        {"a headword separator makes the number unreadable: map[0]",
         u"#M#01\"a\"\n.0 { color: rgb(9, 0, 0); }\n.1 { color: rgb(2, 0, 0); }", {109}},
        {"an unreadable number takes 0 without a .0 line", u"#x\"a\"", {0}},
        {"a later line for the same number wins",
         u"#6\"a\"\n.6 { color: rgb(1, 0, 0); }\n.6 { color: rgb(3, 0, 0); }", {103}},
        {"a line without a readable number is skipped",
         u"#6\"a\"\n.x { color: rgb(1, 0, 0); }\n.6 no brace color: rgb(4, 0, 0);", {0}},
        {"the number is read whole: 01 is 1", u"#01\"a\"\n.1 { color: rgb(8, 0, 0); }", {108}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        DeclaringStyleServer server;
        std::vector<int> styles;
        for (const PastedRun& run : readClipboardSource(c.source, server))
            styles.push_back(run.style);
        EXPECT_EQ(styles, c.styles);
    }
}

TEST(ClipboardSource, TheServerSeesEachLineParsedAsAStyle)
{
    DeclaringStyleServer server;
    const auto map = mapSourceStyles(
        {QStringLiteral(".2 { color: rgb(1, 2, 3); vertical-align: super; font-size: 12pt; }"),
         QStringLiteral(".5 { }")},
        server);
    EXPECT_EQ(map, (std::map<int, int>{{2, 101}, {5, 0}}));
    ASSERT_EQ(server.declaredStyles.size(), 2u);
    const TextFragmentStyle& declared = server.declaredStyles[0];
    EXPECT_EQ(declared.textColor, QColor(1, 2, 3));
    EXPECT_EQ(declared.verticalAlignment, 1);
    ASSERT_NE(declared.font(), nullptr);
    EXPECT_EQ(declared.font()->pointSize(), 8);
    EXPECT_FALSE(server.declaredStyles[1].textColor.isValid());
    EXPECT_FALSE(server.declaredStyles[1].backgroundColor.isValid());
}

} // namespace
