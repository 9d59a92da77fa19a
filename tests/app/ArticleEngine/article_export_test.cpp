// Tests of the copy builders over a small built article with a header, a
// superscript, an indented Hebrew paragraph and a level-2 paragraph: the
// plain text, the HTML (golden strings), the source with its style sheet,
// and the three clipboard formats of the editor's copy.
#include "layout_fixture.h"

#include "ArticleEngine/Controller/article_clipboard_copy.h"
#include "ArticleEngine/Controller/article_html_exporter.h"
#include "ArticleEngine/Controller/selection_source.h"
#include "ArticleEngine/Controller/selection_text.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

using namespace ArticleEngine;
using namespace ArticleEngine::Controller;
using lexvane::testing::buildArticle;
using lexvane::testing::BuiltArticle;

namespace {

using P = ArticleEditPosition;

// Text: "H2O\n" [0, 4), "\tמים\n" [4, 8) at level 1, "\t\tdeep end\n"
// [8, 17) at level 2; the 2 is raised.
const QString fixtureMarkup =
    QStringLiteral("#1\"H\"#2\"2\"#1\"O%0a\"#1\"\t\u05DE\u05D9\u05DD%0a\"#4\"\t\tdeep end%0a\"");

class ArticleExportTest : public ::testing::Test {
protected:
    ArticleExportTest()
    {
        Loading::ArticleBuildRequest request;
        request.articleNumber = 0;
        request.title = QStringLiteral("water");
        request.headerFont = &headerFont;
        request.headerTextColor = QColor(0, 0, 128);
        request.headerBackground = QColor(255, 255, 120);
        built = buildArticle(fixtureMarkup, request);
    }

    ExportedArticle article(bool collapsed = false) const
    {
        return ExportedArticle{built.view, built.record.content, QStringLiteral("water"), collapsed};
    }

    // The declarations of a 9-point test style, as written for the fixture.
    static QString css(const char* alignment, const char* size)
    {
        const QFont font(QStringLiteral("DejaVu Sans"), 9);
        return QStringLiteral("color: rgb(0, 0, 0); vertical-align: %1; font-family: 'DejaVu Sans', '%2'; "
                              "font-size: %3; font-weight: 500; font-style: normal; text-decoration: none;")
            .arg(QLatin1String(alignment), font.defaultFamily(), QLatin1String(size));
    }

    QFont headerFont{QStringLiteral("DejaVu Sans"), 12};
    BuiltArticle built;
};

TEST_F(ArticleExportTest, FixtureHasTheParagraphsTheTestsCountOn)
{
    const ArticleContent& content = built.record.content;
    ASSERT_EQ(content.text, QStringLiteral("H2O\n\u05DE\u05D9\u05DD\ndeep end\n"));
    ASSERT_EQ(content.paragraphs,
              (std::vector<ParagraphRange>{{0, 4, 0}, {4, 8, 1}, {8, 17, 2}}));
}

TEST_F(ArticleExportTest, PlainTextOfRanges)
{
    struct Case {
        const char* name;
        P start;
        P end;
        bool endAtOffset;
        QString text;
    };
    const QString hebrew = QStringLiteral("\u05DE\u05D9\u05DD");
    const Case cases[] = {
        {"whole article", P::articleStart(), P::body(17), true,
         QStringLiteral("water\nH2O\n\t") + hebrew + QStringLiteral("\n\t\tdeep end\n")},
        {"body only, no headword", P::body(0), P::body(4), true, QStringLiteral("H2O\n")},
        {"entered mid paragraph, no tabs", P::body(13), P::body(17), true, QStringLiteral("end\n")},
        {"level-2 paragraph from its start", P::body(8), P::body(12), true, QStringLiteral("\t\tdeep")},
        {"end in the header: headword only", P::articleStart(), P{0, HeaderKind, -1}, true,
         QStringLiteral("water\n")},
        {"button start: body from 0, no headword", P{0, DeleteButtonKind, -1}, P::body(2), true,
         QStringLiteral("H2")},
        {"end covers the word of its character", P::body(8), P::body(9), false, QStringLiteral("\t\tdeep")},
        {"end on a space covers the space only", P::body(8), P::body(12), false, QStringLiteral("\t\tdeep ")},
        {"show-more end: the whole body", P::body(4), P{0, ShowMoreButtonKind, -1}, true,
         QStringLiteral("\t") + hebrew + QStringLiteral("\n\t\tdeep end\n")},
        {"start in an earlier article", P::body(3, -1), P::body(4), true, QStringLiteral("water\nH2O\n")},
        {"end in a later article", P::body(10), P::body(0, 5), false, QStringLiteral("ep end\n")},
        {"end in a later article, end at offset", P::body(10), P::body(0, 5), true,
         QStringLiteral("ep end\n")},
        {"empty", P::body(5), P::body(5), true, QString()},
        {"reversed", P::body(9), P::body(5), true, QString()},
        {"other article", P::body(0, 3), P::body(4, 3), true, QString()},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(selectionText(article(), c.start, c.end, c.endAtOffset).toStdString(), c.text.toStdString());
    }
}

TEST_F(ArticleExportTest, CollapsedArticleCopiesItsHeadwordAtMost)
{
    EXPECT_EQ(selectionText(article(true), P::articleStart(), P::body(17), true), QStringLiteral("water\n"));
    EXPECT_EQ(selectionText(article(true), P::body(0), P::body(17), true), QString());
    EXPECT_EQ(ArticleHtmlExporter(article(true)).html(P::body(0), P::body(17), true), QString());
}

TEST_F(ArticleExportTest, HtmlOfTheWholeArticle)
{
    const QString header =
        QStringLiteral("<div style = \"color: rgb(0, 0, 128); vertical-align: baseline; font-family: 'DejaVu Sans', "
                       "'%1'; font-size: 12pt; font-weight: 500; font-style: normal; text-decoration: none;; "
                       "background: rgb(255, 255, 120);\">water</div>\n")
            .arg(headerFont.defaultFamily());
    auto span = [](const QString& css, const char* dir, const QString& text) {
        return QStringLiteral("<span style = \"%1; direction = %2; unicode-bidi: embed;\" dir = '%2'>%3</span>")
            .arg(css, QLatin1String(dir), text);
    };
    const QString base = css("baseline", "9pt");
    const QString raised = css("super", "13.5pt");
    const QString large =
        QStringLiteral("color: rgb(0, 0, 0); vertical-align: baseline; font-family: 'DejaVu Sans', '%1'; "
                       "font-size: 18pt; font-weight: 500; font-style: normal; text-decoration: none;")
            .arg(QFont(QStringLiteral("DejaVu Sans"), 18).defaultFamily());
    const QString expected = header + QStringLiteral("<p style = \"margin: 0pt 0pt 0pt 0pt;\" dir=\"LTR\">\n")
        + span(base, "LTR", "H") + span(raised, "LTR", "2") + span(base, "LTR", "O") + span(base, "LTR", "<br>")
        + QStringLiteral("</p>\n\n<p style = \"margin: 0pt 0pt 0pt 15pt;\" dir=\"RTL\">\n")
        + span(base, "RTL", QStringLiteral("\u05DE\u05D9\u05DD")) + span(base, "LTR", "<br>")
        + QStringLiteral("</p>\n\n<p style = \"margin: 0pt 0pt 0pt 30pt;\" dir=\"LTR\">\n")
        + span(large, "LTR", "deep end")
        + span(large, "LTR", "<br>") + QStringLiteral("</p>\n\n");
    EXPECT_EQ(ArticleHtmlExporter(article()).html(P::articleStart(), P::body(17), true).toStdString(),
              expected.toStdString());
}

TEST_F(ArticleExportTest, HtmlCutsFragmentsToTheRangeAndStartsWithoutHeaderInTheBody)
{
    const QString html = ArticleHtmlExporter(article()).html(P::body(1), P::body(2), true);
    EXPECT_EQ(html.toStdString(),
              (QStringLiteral("<p style = \"margin: 0pt 0pt 0pt 0pt;\" dir=\"LTR\">\n<span style = \"")
               + css("super", "13.5pt")
               + QStringLiteral("; direction = LTR; unicode-bidi: embed;\" dir = 'LTR'>2</span></p>\n\n"))
                  .toStdString());
    EXPECT_EQ(ArticleHtmlExporter(article()).html(P::body(5), P::body(5), true), QString());
}

// The paragraph takes the direction of its first written fragment; each
// span keeps its own.
TEST(ArticleHtmlExporter, ParagraphDirectionFollowsItsFirstWrittenFragment)
{
    Loading::ArticleBuildRequest request;
    request.articleNumber = 0;
    BuiltArticle built = buildArticle(QStringLiteral("#1\"ab \u05E9\u05DC\u05D5\u05DD%0a\""), request);
    const ExportedArticle article{built.view, built.record.content, QString(), false};
    const QString html = ArticleHtmlExporter(article).html(P::body(0), P::body(8), true);
    EXPECT_TRUE(html.startsWith(QStringLiteral("<p style = \"margin: 0pt 0pt 0pt 0pt;\" dir=\"LTR\">"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral("direction = RTL; unicode-bidi: embed;\" dir = 'RTL'>\u05E9\u05DC\u05D5\u05DD</span>")));
    const QString fromHebrew = ArticleHtmlExporter(article).html(P::body(3), P::body(8), true);
    EXPECT_TRUE(fromHebrew.startsWith(QStringLiteral("<p style = \"margin: 0pt 0pt 0pt 0pt;\" dir=\"RTL\">")));
    // Arabic letters are of the other right-to-left class.
    EXPECT_EQ(htmlDirection(u"x \u0627"), QStringLiteral("RTL"));
    EXPECT_EQ(htmlDirection(u"x 1"), QStringLiteral("LTR"));
}

// Dictionary text must never become markup of the copy: headwords and
// article text are escaped.
TEST(ArticleHtmlExporter, EscapesHeadwordAndArticleText)
{
    Loading::ArticleBuildRequest request;
    request.articleNumber = 0;
    request.title = QStringLiteral("<b>R&D</b>");
    BuiltArticle built = buildArticle(QStringLiteral("#1\"a%3cscript%3e&%22\""), request);
    const ExportedArticle article{built.view, built.record.content, request.title, false};
    const QString html = ArticleHtmlExporter(article).html(P::articleStart(), P::body(20), true);
    EXPECT_TRUE(html.contains(QStringLiteral(">&lt;b&gt;R&amp;D&lt;/b&gt;</div>"))) << html.toStdString();
    EXPECT_TRUE(html.contains(QStringLiteral(">a&lt;script&gt;&amp;&quot;</span>"))) << html.toStdString();
    EXPECT_FALSE(html.contains(QStringLiteral("<script>")));
    EXPECT_FALSE(html.contains(QStringLiteral("<b>")));
}

TEST(ArticleHtmlExporter, HeaderWithoutBackgroundIsNotPaintedBlack)
{
    Loading::ArticleBuildRequest request;
    request.articleNumber = 0;
    request.title = QStringLiteral("w");
    BuiltArticle built = buildArticle(QStringLiteral("#1\"a\""), request);
    const ExportedArticle article{built.view, built.record.content, QStringLiteral("w"), false};
    const QString html = ArticleHtmlExporter(article).html(P::articleStart(), P{0, HeaderKind, -1}, true);
    EXPECT_EQ(html.toStdString(),
              "<div style = \"color: rgb(0, 0, 0); vertical-align: baseline;\">w</div>\n");
}

TEST_F(ArticleExportTest, SourceOfRangesWithTheirStyleSheet)
{
    built.styles->styles[2].textColor = QColor(200, 0, 0);
    const QString sheet1 = QStringLiteral(".1 { ") + css("baseline", "9pt") + QStringLiteral(" }\n");
    const QString sheet2 = QStringLiteral(".2 { ") + css("super", "13.5pt").replace(
                                                         QStringLiteral("rgb(0, 0, 0)"), QStringLiteral("rgb(200, 0, 0)"))
        + QStringLiteral(" }\n");
    auto source = [&](P start, P end) {
        return selectionSource(article(), *built.styles, start, end).toStdString();
    };
    // The lead text is written raw, as the editor keeps it.
    EXPECT_EQ(source(P::articleStart(), P::body(4)),
              (QStringLiteral("water#01\"H\"#02\"2\"#01\"O%0a\"\n") + sheet1 + sheet2).toStdString());
    // Entered in the middle of a level-2 paragraph: no tabs; from its start: two.
    EXPECT_EQ(source(P::body(13), P::body(17)).substr(0, 14), "#04\"end%0a\"\n.4");
    EXPECT_EQ(source(P::body(8), P::body(12)).substr(0, 12), "#04\"\t\tdeep\"\n");
    // An empty selection still carries the separator.
    EXPECT_EQ(source(P::body(5), P::body(5)), "\n");
}

TEST(SelectionSource, HeaderRunIsEscapedLikeAnyRun)
{
    EXPECT_EQ(headerRun(u"a\"b#c%"), QStringLiteral("#00\"%0aa%22b%23c%25%0a\""));
}

TEST_F(ArticleExportTest, EditorCopyPutsTheThreeFormsOnTheClipboard)
{
    const ArticleClipboardCopy copy(article(), *built.styles);
    copy.copy(P::body(0), P::body(4));
    const QMimeData* data = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(data->text(), QStringLiteral("H2O\n"));
    EXPECT_TRUE(QString::fromUtf8(data->data(QStringLiteral("application/lexvane-full-source")))
                    .startsWith(QStringLiteral("#01\"H\"#02\"2\"#01\"O%0a\"\n.1 { ")));
    EXPECT_TRUE(data->html().startsWith(QStringLiteral("<p style = ")));
    EXPECT_TRUE(data->html().contains(QStringLiteral(">O</span>")));

    // An empty selection copies empty forms; the source keeps its separator.
    const ClipboardForms empty = copy.forms(P::body(2), P::body(2));
    EXPECT_EQ(empty.text, QString());
    EXPECT_EQ(empty.source, QStringLiteral("\n"));
    EXPECT_EQ(empty.html, QString());
}

} // namespace
