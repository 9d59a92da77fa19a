// Tests of the element pass: special runs leave the text, and their tags
// become tables, links, labels and images. Styles 7 and 8 are special (see
// element_style_server.h). Markup reaches the pass from imported files, so
// every malformed tag has a case that shows it clamped, defaulted or
// ignored, with the invariants still holding.
#include "ArticleEngine/Markup/element_pass.h"
#include "ArticleEngine/Markup/style_run_parser.h"

#include "markup_invariants.h"
#include "qt_printers.h"
#include "element_style_server.h"

#include <QLoggingCategory>

#include <gtest/gtest.h>

using namespace ArticleEngine;
using lexvane::testing::ElementStyleServer;
using lexvane::testing::contentFault;
using lexvane::testing::describeParagraphs;
using lexvane::testing::describeStyles;
using lexvane::testing::elementsFault;

namespace {

struct Read {
    ArticleContent content;
    ArticleElements elements;
};

class ElementPass : public testing::Test {
protected:
    static void SetUpTestSuite()
    {
        QLoggingCategory::setFilterRules(QStringLiteral("lexvane.article.markup.debug=false"));
    }

    Read read(const char16_t* markup) { return read(QString::fromUtf16(markup)); }
    Read read(const QString& markup)
    {
        Read result;
        result.content = readMarkup(markup);
        result.elements = takeElements(result.content, server);
        EXPECT_EQ(contentFault(result.content), "");
        EXPECT_EQ(elementsFault(result.content, result.elements), "");
        return result;
    }

    // The single cell of markup's single table, made by one tag.
    TableCell cellOf(const QString& tag)
    {
        const QString markup = QStringLiteral("#07\"<table><row>%1</row></table>\"#01\"x\"").arg(tag);
        const Read r = read(markup);
        if (r.elements.tables.size() != 1 || r.elements.tables[0].rows.size() != 1
            || r.elements.tables[0].rows[0].cells.size() != 1) {
            ADD_FAILURE() << "no single cell for " << tag.toStdString();
            return {};
        }
        return r.elements.tables[0].rows[0].cells[0];
    }

    ElementStyleServer server;
};

TEST_F(ElementPass, WithoutSpecialRunsNothingChanges)
{
    const Read r = read(u"#01\"ab%0A\"#02\"<table>\"");
    EXPECT_EQ(r.content.text, QStringLiteral("ab\n<table>\n"));
    EXPECT_TRUE(r.elements.elements.empty());
    EXPECT_TRUE(r.elements.tables.empty());
}

TEST_F(ElementPass, SpecialRunLeavesTheTextAndTheSidesJoin)
{
    const Read r = read(u"#01\"ab\"#07\"<x>\"#01\"cd\"");
    EXPECT_EQ(r.content.text, QStringLiteral("abcd\n"));
    EXPECT_EQ(describeStyles(r.content), "0-5:1") << "the two sides form one range again";
    EXPECT_EQ(describeParagraphs(r.content), "0-5/0");
    ASSERT_EQ(r.elements.elements.size(), 1u);
    EXPECT_EQ(r.elements.elements[0], (MarkupElement{QStringLiteral("<x>"), 2}));
}

// As the article source builder writes a two-cell row: a line feed of
// style 0 ends each cell's paragraph before its closing tag.
TEST_F(ElementPass, TableOfTwoCells)
{
    const Read r = read(u"#01\"before%0A\"#07\"<table><row><cell 30%>\"#01\"left\"#00\"%0A\""
                        u"#07\"</cell><cell 70%>\"#01\"right\"#00\"%0A\""
                        u"#07\"</cell></row></table>\"#01\"after%0A\"");
    EXPECT_EQ(r.content.text, QStringLiteral("before\nleft\nright\nafter\n"));
    EXPECT_EQ(describeParagraphs(r.content), "0-7/0 7-12/0 12-18/0 18-24/0");
    ASSERT_EQ(r.elements.tables.size(), 1u);
    const Table& table = r.elements.tables[0];
    EXPECT_EQ(table.firstParagraph, 1);
    EXPECT_EQ(table.endParagraph, 3);
    ASSERT_EQ(table.rows.size(), 1u);
    EXPECT_EQ(table.rows[0].firstParagraph, 1);
    EXPECT_EQ(table.rows[0].endParagraph, 3);
    ASSERT_EQ(table.rows[0].cells.size(), 2u);
    const TableCell& left = table.rows[0].cells[0];
    const TableCell& right = table.rows[0].cells[1];
    EXPECT_EQ(std::tuple(left.firstParagraph, left.endParagraph, left.width, left.columnStart), std::tuple(1, 2, 30, 0));
    EXPECT_EQ(std::tuple(right.firstParagraph, right.endParagraph, right.width, right.columnStart), std::tuple(2, 3, 70, 30));
}

TEST_F(ElementPass, RowsAreNumberedAndTagsReadWithoutRegardToCase)
{
    const Read r = read(u"#07\"<TABLE><Row><CELL ROWSPAN=%222%22>\"#01\"a%0A\"#07\"</cell></ROW>"
                        u"<row><cell 50%>\"#01\"b%0A\"#07\"</Cell></row></Table>\"");
    ASSERT_EQ(r.elements.tables.size(), 1u);
    const Table& table = r.elements.tables[0];
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0].index, 0);
    EXPECT_EQ(table.rows[1].index, 1);
    ASSERT_EQ(table.rows[0].cells.size(), 1u);
    EXPECT_EQ(table.rows[0].cells[0].rowSpan, 2);
    EXPECT_EQ(table.rows[0].cells[0].width, 100);
    EXPECT_EQ(table.rows[1].firstParagraph, 1);
    ASSERT_EQ(table.rows[1].cells.size(), 1u);
    EXPECT_EQ(table.rows[1].cells[0].width, 50);
}

TEST_F(ElementPass, CellWidthsAndRowSpans)
{
    struct Case {
        const char* tag;
        int width;
        int rowSpan;
    };
    const Case cases[] = {
        {"<cell 30%>", 30, 0},
        {"<cell>", 100, 0},
        {"<cell 0%>", 0, 0},
        {"<cell  45 %>", 45, 0},
        {"<cell 20% rowspan=\"3\">", 20, 3},
        {"<cell rowspan=\"2\" 20%>", 100, 2},   // the width must come first
        {"<cell abc%>", 100, 0},               // not a number: the default
        {"<cell -5%>", 100, 0},
        {"<cell 250%>", 100, 0},               // beyond the article: clamped
        {"<cell 99999999999%>", 100, 0},
        {"<cell rowspan=\"x\">", 100, 0},
        {"<cell rowspan=\"-2\">", 100, 0},
        {"<cell rowspan=\"2>", 100, 0},         // an unclosed value is no span
    };
    for (const Case& c : cases) {
        const TableCell cell = cellOf(QString::fromLatin1(c.tag).replace(QLatin1Char('"'), QStringLiteral("%22")));
        EXPECT_EQ(cell.width, c.width) << c.tag;
        EXPECT_EQ(cell.rowSpan, c.rowSpan) << c.tag;
    }
}

// A cell tag without '>' opens a default cell and gives up only its five
// characters: the tags after it are still read.
TEST_F(ElementPass, CellWithoutItsEndKeepsTheDefaults)
{
    const Read r = read(u"#07\"<table><row><cell 30%<link q\"#01\"ab\"#08\"</link>\"");
    ASSERT_EQ(r.elements.tables.size(), 1u);
    ASSERT_EQ(r.elements.tables[0].rows[0].cells.size(), 1u);
    EXPECT_EQ(r.elements.tables[0].rows[0].cells[0].width, 100);
    EXPECT_EQ(r.elements.tables[0].rows[0].cells[0].rowSpan, 0);
    ASSERT_EQ(r.elements.links.size(), 1u);
    EXPECT_EQ(r.elements.links.begin()->first, (CharacterRange{0, 2}));
    EXPECT_EQ(r.elements.links.begin()->second, QStringLiteral("<link q"));
}

TEST_F(ElementPass, CellsNeverReachPastTheArticle)
{
    const Read r = read(u"#07\"<table><row><cell 60%><cell 60%><cell>\"#01\"x\"");
    ASSERT_EQ(r.elements.tables.size(), 1u);
    const auto& cells = r.elements.tables[0].rows[0].cells;
    ASSERT_EQ(cells.size(), 3u);
    EXPECT_EQ(cells[1].columnStart, 60);
    EXPECT_EQ(cells[1].width, 40);
    EXPECT_EQ(cells[2].columnStart, 100);
    EXPECT_EQ(cells[2].width, 0);
}

TEST_F(ElementPass, LinkCoversTheTextBetweenItsTags)
{
    const Read r = read(u"#01\"see \"#07\"<link href=%22w%22>\"#01\"word\"#07\"</link>\"#01\" end\"");
    EXPECT_EQ(r.content.text, QStringLiteral("see word end\n"));
    ASSERT_EQ(r.elements.links.size(), 1u);
    EXPECT_EQ(r.elements.links.begin()->first, (CharacterRange{4, 8}));
    EXPECT_EQ(r.elements.links.begin()->second, QStringLiteral("<link href=\"w\">"));
    EXPECT_EQ(stringAt(r.elements.links, 4), QStringLiteral("<link href=\"w\">"));
    EXPECT_EQ(stringAt(r.elements.links, 7), QStringLiteral("<link href=\"w\">"));
    EXPECT_EQ(stringAt(r.elements.links, 8), QString());
    EXPECT_EQ(stringAt(r.elements.links, 3), QString());
}

TEST_F(ElementPass, LabelNamesTheCharacterAfterIt)
{
    const Read r = read(u"#01\"a\"#07\"<label name=%22top%22 x>\"#01\"bc\"");
    ASSERT_EQ(r.elements.labels.size(), 1u);
    EXPECT_EQ(r.elements.labels.begin()->first, (CharacterRange{1, 2}));
    EXPECT_EQ(r.elements.labels.begin()->second, QStringLiteral("top"));
}

// As the article source builder writes a picture: a line feed of style 0,
// then the picture's tag; the picture stands on that line feed.
TEST_F(ElementPass, ImageStandsOnTheCharacterBeforeIt)
{
    const Read r = read(u"#01\"a\"#00\"%0A\"#07\"<IMG dic=%221%22 src=a.png>\"#01\"caption\"#08\"</IMG>\"");
    EXPECT_EQ(r.content.text, QStringLiteral("a\ncaption\n"));
    ASSERT_EQ(r.elements.images.size(), 1u);
    EXPECT_EQ(r.elements.images.begin()->first, (CharacterRange{1, 2}));
    EXPECT_EQ(r.elements.images.begin()->second, QStringLiteral("<IMG dic=\"1\" src=a.png>"));
}

// Fault: closing tags without their openers must not touch any record.
TEST_F(ElementPass, ClosingTagsWithoutOpenersAreIgnored)
{
    const Read r = read(u"#01\"x%0A\"#07\"</table></row></cell></link>\"#01\"y\"#08\"</img>\"");
    EXPECT_TRUE(r.elements.tables.empty());
    EXPECT_TRUE(r.elements.links.empty());
    EXPECT_TRUE(r.elements.images.empty());
    EXPECT_EQ(r.content.text, QStringLiteral("x\ny\n"));
}

// Fault: a row outside a table and a cell outside a row have no parent.
TEST_F(ElementPass, RowsAndCellsOutsideTheirParentsAreIgnored)
{
    const Read r = read(u"#07\"<row><cell 50%>\"#01\"a%0A\"#07\"<table><cell 50%>\"#01\"b\"");
    ASSERT_EQ(r.elements.tables.size(), 1u);
    EXPECT_EQ(r.elements.tables[0].firstParagraph, 1);
    EXPECT_TRUE(r.elements.tables[0].rows.empty());
}

// Fault: an image at position 0 has no character before it.
TEST_F(ElementPass, ImageAtTheStartIsDropped)
{
    const Read r = read(u"#07\"<img src=a.png>\"#08\"</img>\"#01\"x\"");
    EXPECT_TRUE(r.elements.images.empty());
    EXPECT_EQ(r.content.text, QStringLiteral("x\n"));
}

// Fault: a label needs both its quotes and a name between them.
TEST_F(ElementPass, LabelWithoutItsQuotesIsIgnored)
{
    for (const char16_t* markup : {u"#07\"<label top>\"#01\"x\"", u"#07\"<label %22top>\"#01\"x\"",
                                   u"#07\"<label %22%22>\"#01\"x\""}) {
        const Read r = read(markup);
        EXPECT_TRUE(r.elements.labels.empty()) << QString::fromUtf16(markup).toStdString();
    }
}

// Fault: tags after the last character speak of no paragraph; the records
// stay inside the article and a label there has nothing to name.
TEST_F(ElementPass, ElementsAfterTheLastParagraphStayInBounds)
{
    const Read r = read(u"#01\"x%0A\"#07\"<table><row><cell 50%>\"#08\"<label %22end%22>\"");
    EXPECT_EQ(r.content.text, QStringLiteral("x\n"));
    ASSERT_EQ(r.elements.elements.size(), 2u);
    EXPECT_EQ(r.elements.elements[0].position, 2);
    ASSERT_EQ(r.elements.tables.size(), 1u);
    EXPECT_EQ(r.elements.tables[0].firstParagraph, 1);
    EXPECT_EQ(r.elements.tables[0].endParagraph, 1);
    EXPECT_EQ(r.elements.tables[0].rows[0].cells[0].endParagraph, 1);
    EXPECT_TRUE(r.elements.labels.empty());
}

// Fault: tables and cells left open end with the article.
TEST_F(ElementPass, UnclosedTablesAndCellsEndWithTheArticle)
{
    const Read r = read(u"#01\"x%0A\"#07\"<table><row><cell 40%>\"#01\"a%0Ab%0A\"#07\"<link q>\"#01\"c\"");
    ASSERT_EQ(r.elements.tables.size(), 1u);
    const Table& table = r.elements.tables[0];
    EXPECT_EQ(table.firstParagraph, 1);
    EXPECT_EQ(table.endParagraph, 4);
    EXPECT_EQ(table.rows[0].endParagraph, 4);
    EXPECT_EQ(table.rows[0].cells[0].endParagraph, 4);
    EXPECT_TRUE(r.elements.links.empty()) << "a link never closed covers nothing";
}

// Tables do not nest: a table opened inside another closes it first, and
// the two never share a paragraph, even when both tags stand in one.
TEST_F(ElementPass, TableInsideATableClosesTheFirst)
{
    const Read r = read(u"#07\"<table><row><cell>\"#01\"a\"#07\"</table><table><row><cell>\"#01\"b%0Ac\"");
    ASSERT_EQ(r.elements.tables.size(), 2u);
    EXPECT_EQ(r.elements.tables[0].endParagraph, r.elements.tables[1].firstParagraph);
    EXPECT_EQ(r.elements.tables[1].endParagraph, 2);
}

// Fault: a negative style number is never a special style, and the server
// is never asked about it.
TEST_F(ElementPass, NegativeStyleNumbersAreText)
{
    const Read r = read(u"#-7\"<table>\"#x\"<row>\"#07\"<link>\"");
    EXPECT_EQ(r.content.text, QStringLiteral("<table><row>\n"));
    EXPECT_TRUE(r.elements.tables.empty());
    for (int asked : server.asked)
        EXPECT_GE(asked, 0);
}

// Fault: cutting keeps every paragraph ending with its line feed and the
// text ending with one.
TEST_F(ElementPass, CuttingKeepsParagraphsAndTheFinalLineFeed)
{
    struct Case {
        const char16_t* markup;
        const char16_t* text;
        const char* paragraphs;
        const char* styles;
    };
    const Case cases[] = {
        // The final line feed belonged to the special run.
        {u"#01\"a\"#07\"<x>\"", u"a\n", "0-2/0", "0-2:1"},
        // A line feed in a special run was the element's: its paragraph joins the next.
        {u"#01\"ab\"#07\"<x>%0A\"#01\"cd%0A\"", u"abcd\n", "0-5/0", "0-5:1"},
        // A paragraph cut whole is gone.
        {u"#01\"a%0A\"#07\"<x>%0A\"#01\"b%0A\"", u"a\nb\n", "0-2/0 2-4/0", "0-4:1"},
        // Everything special: one empty paragraph is left.
        {u"#07\"<table>%0A</table>\"", u"\n", "0-1/0", "0-1:-1"},
        // Indents stay with the paragraphs their text came from.
        {u"#01\"%09a%0A\"#07\"<x>%0A\"#01\"%09%09b%0A\"", u"a\nb\n", "0-2/1 2-4/2", "0-4:1"},
        {u"#01\"%09a\"#07\"<x>%0A\"#02\"%09b\"", u"ab\n", "0-3/1", "0-1:1 1-3:2"},
    };
    for (const Case& c : cases) {
        const Read r = read(c.markup);
        SCOPED_TRACE(QString::fromUtf16(c.markup).toStdString());
        EXPECT_EQ(r.content.text, QString::fromUtf16(c.text));
        EXPECT_EQ(describeParagraphs(r.content), c.paragraphs);
        EXPECT_EQ(describeStyles(r.content), c.styles);
    }
}

} // namespace
