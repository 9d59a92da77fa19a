// Tests of the markup writer: the exact form of what it writes (escapes,
// levels as tabs, runs cut at paragraph ends, the lead text), ranges that
// start inside a paragraph, and round trips through the reader: for a
// table of articles with elements and for seeded random markup, reading
// back what was written gives the same text, ranges, levels and elements.
#include "ArticleEngine/Markup/element_pass.h"
#include "ArticleEngine/Markup/element_runs.h"
#include "ArticleEngine/Markup/markup_writer.h"
#include "ArticleEngine/Markup/style_run_parser.h"

#include "element_style_server.h"
#include "markup_invariants.h"
#include "qt_printers.h"

#include <QLoggingCategory>

#include <gtest/gtest.h>

#include <random>

using namespace ArticleEngine;
using lexvane::testing::describeParagraphs;
using lexvane::testing::describeStyles;
using lexvane::testing::ElementStyleServer;
using lexvane::testing::escaped;
using lexvane::testing::randomMarkup;

namespace {

ArticleContent content(const QString& lead, const QString& text, std::vector<ParagraphRange> paragraphs,
                       std::vector<StyleRange> styles)
{
    return ArticleContent{lead, text, std::move(paragraphs), std::move(styles)};
}

TEST(MarkupWriter, WritesALevelTwoParagraphWithEscapesAsTabsInItsFirstRun)
{
    const ArticleContent article = content({}, QStringLiteral("a\"b\n"), {{0, 4, 2}}, {{0, 4, 3}});
    EXPECT_EQ(writeMarkup(article), QStringLiteral("#03\"\t\ta%22b%0a\""));
}

TEST(MarkupWriter, EscapesPercentFirstAndEverySyntaxCharacterInLowerCase)
{
    EXPECT_EQ(escapeRunText(u"%0a#\"<>\t\n%"), QStringLiteral("%250a%23%22%3c%3e%09%0a%25"));
    EXPECT_EQ(escapeRunText(u"plain \u00e9\u4e2d"), QString::fromUtf16(u"plain \u00e9\u4e2d"));
}

TEST(MarkupWriter, CutsRunsAtParagraphEndsAndPadsStyleNumbers)
{
    // One style range over two paragraphs of levels 0 and 1, then style 123
    // and a stretch without style.
    const ArticleContent article =
        content({}, QStringLiteral("ab\ncd\nef\n"), {{0, 3, 0}, {3, 6, 1}, {6, 9, 0}},
                {{0, 5, 4}, {5, 7, 123}, {7, 9, -1}});
    EXPECT_EQ(writeMarkup(article),
              QStringLiteral("#04\"ab%0a\"#04\"\tcd\"#123\"%0a\"#123\"e\"#-1\"f%0a\""));
}

TEST(MarkupWriter, EscapesTheCharactersOfTheLeadTextThatWouldChangeOnReading)
{
    const ArticleContent article =
        content(QStringLiteral("50% #1 \"x\""), QStringLiteral("a\n"), {{0, 2, 0}}, {{0, 2, 1}});
    const QString written = writeMarkup(article);
    EXPECT_EQ(written, QStringLiteral("50%25 %231 %22x%22#01\"a%0a\""));
    EXPECT_EQ(readMarkup(written).leadText, article.leadText);
}

TEST(MarkupWriter, RangesWriteTheirOwnPartOnly)
{
    // Paragraphs "abc\n" (level 1) and "de\n" (level 2), lead "L".
    const ArticleContent article = content(QStringLiteral("L"), QStringLiteral("abc\nde\n"),
                                           {{0, 4, 1}, {4, 7, 2}}, {{0, 2, 1}, {2, 7, 2}});
    struct Case {
        const char* name;
        int start;
        int end;
        bool withLead;
        const char* expected;
    };
    const Case cases[] = {
        {"entered in the middle: no tabs", 1, 3, false, "#01\"b\"#02\"c\""},
        {"cut before a paragraph end", 0, 2, true, "L#01\"\tab\""},
        {"over a paragraph start", 3, 6, false, "#02\"%0a\"#02\"\t\tde\""},
        {"empty", 2, 2, false, ""},
        {"whole body", 0, 7, false, "#01\"\tab\"#02\"c%0a\"#02\"\t\tde%0a\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(writeMarkup(article, c.start, c.end, c.withLead), QString::fromUtf8(c.expected));
    }
}

TEST(MarkupWriter, ElementsOfOneStyleSideBySideAreWrittenAsOneRun)
{
    // Deleting the text between two elements puts them side by side; the
    // reader would take two such runs as one, so they are written as one.
    const ArticleContent article = content({}, QStringLiteral("ab\n"), {{0, 3, 1}}, {{0, 3, 1}});
    const ElementRun elements[] = {{0, 7, QStringLiteral("<link x>")}, {0, 7, QStringLiteral("</link>\n")},
                                   {0, 8, QStringLiteral("<img p>")}, {3, 7, QStringLiteral("</img>")}};
    EXPECT_EQ(writeMarkup(article, elements),
              QStringLiteral("#07\"%3clink x%3e%3c/link%3e%0a\t\"#08\"%3cimg p%3e\"#01\"ab%0a\"#07\"%3c/img%3e\""));
}

// What an article is after reading, for comparing two reads.
struct Read {
    EditableMarkup markup;
    ArticleElements elements;
};

Read readBack(const QString& text, ElementStyleServer& server)
{
    Read read;
    read.markup = readEditableMarkup(text, server);
    ArticleContent cut = readMarkup(text);
    read.elements = takeElements(cut, server);
    EXPECT_EQ(cut.text, read.markup.content.text);
    return read;
}

void expectSameArticle(const Read& a, const Read& b)
{
    EXPECT_EQ(a.markup.content.leadText, b.markup.content.leadText);
    EXPECT_EQ(a.markup.content.text, b.markup.content.text);
    EXPECT_EQ(describeParagraphs(a.markup.content), describeParagraphs(b.markup.content));
    EXPECT_EQ(describeStyles(a.markup.content), describeStyles(b.markup.content));
    EXPECT_EQ(a.markup.elements, b.markup.elements);
    EXPECT_EQ(a.elements.links, b.elements.links);
    EXPECT_EQ(a.elements.labels, b.elements.labels);
    EXPECT_EQ(a.elements.images, b.elements.images);
    EXPECT_EQ(a.elements.tables.size(), b.elements.tables.size());
}

TEST(MarkupWriter, ElementRunsComeBackAtTheirPlacesWithTheirStyles)
{
    ElementStyleServer server;
    const char16_t* articles[] = {
        u"head#01\"see \"#07\"<link target>\"#01\"there\"#08\"</link>\"#01\" now\"",
        u"#07\"<table><row><cell 40%>\"#01\"\t\tleft%0a\"#07\"</cell><cell 60%>\"#02\"right%0a\""
        u"#07\"</cell></row></table>\"",
        u"#01\"\t\"#07\"<label %22n%22>\"#01\"named%0a\"#07\"<img pic>\"#08\"</img>\"#01\"after\"",
        // Elements that hold line feeds, in front of an indented paragraph.
        u"#01\"one%0a\"#07\"<table>%0a<row>\"#01\"\t\t\ttwo%0a\"#07\"</row>%0a</table>\"",
        u"#07\"<link x>\"#01\"at the start and\"#08\"</link>\"",
    };
    for (const char16_t* source : articles) {
        const QString markup = QString::fromUtf16(source);
        SCOPED_TRACE(escaped(markup));
        const Read first = readBack(markup, server);
        ASSERT_FALSE(first.markup.elements.empty());
        const QString written = writeMarkup(first.markup.content, first.markup.elements);
        SCOPED_TRACE(escaped(written));
        expectSameArticle(first, readBack(written, server));
        // Written once, the markup is the writer's own: it stays as it is.
        const Read second = readBack(written, server);
        EXPECT_EQ(writeMarkup(second.markup.content, second.markup.elements), written);
    }
}

TEST(MarkupWriter, RandomMarkupReadsBackTheSameAfterWriting)
{
    QLoggingCategory::setFilterRules(QStringLiteral("lexvane.article.markup.debug=false"));
    std::mt19937 random(181210);
    ElementStyleServer server;
    for (int round = 0; round < 3000; ++round) {
        const QString markup = randomMarkup(random);
        SCOPED_TRACE(escaped(markup));
        const Read first = readBack(markup, server);
        const QString written = writeMarkup(first.markup.content, first.markup.elements);
        SCOPED_TRACE(escaped(written));
        const Read second = readBack(written, server);
        expectSameArticle(first, second);
        ASSERT_EQ(writeMarkup(second.markup.content, second.markup.elements), written);
        if (::testing::Test::HasFailure())
            break;
    }
}

} // namespace
