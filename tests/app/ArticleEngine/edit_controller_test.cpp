// Tests of the edit controller's document operations through its public
// operations: loading and reading back sources, typing with the auto
// styles, new paragraphs, levels, backspace and delete at their edges,
// plain-text paste, applying styles, and what never enters the text.
#include "edit_fixture.h"
#include "qt_printers.h"

#include "ArticleEngine/Markup/style_run_parser.h"

#include <QImage>
#include <QPainter>

using namespace ArticleEngine;
using lexvane::testing::EditFixture;

namespace {

class EditControllerTest : public EditFixture {};

TEST_F(EditControllerTest, SourcesReadBackAsTheyWereWrittenAndCountAsUnmodified)
{
    const QString sources[] = {
        QStringLiteral("#03\"\t\ta%22b%0a\""),
        QStringLiteral("head#01\"one %25 two%0a\"#02\"\tthree%0a\""),
        QStringLiteral("#01\"a\"#02\"b\"#01\"c%0a\""),
    };
    for (const QString& written : sources) {
        SCOPED_TRACE(written.toStdString());
        load(written);
        EXPECT_EQ(source(), written);
        EXPECT_EQ(controller->loadedSource(), written);
        EXPECT_FALSE(controller->isModified());
        EXPECT_EQ(controller->view().text, text());
    }
}

TEST_F(EditControllerTest, LoadingNormalisesTheSourceOnce)
{
    struct Case {
        const char* name;
        QString given;
        QString expected;
    };
    const Case cases[] = {
        {"empty: one empty run of style 1", QString(), QStringLiteral("#01\"%0a\"")},
        {"blank: trimmed to empty", QStringLiteral("  \n "), QStringLiteral("#01\"%0a\"")},
        {"upper-case escapes and a missing line feed", QStringLiteral("#1\"a%3Cb\""),
         QStringLiteral("#01\"a%3cb%0a\"")},
        {"levels above 8 are cut", QStringLiteral("#01\"\t\t\t\t\t\t\t\t\t\tdeep\""),
         QStringLiteral("#01\"\t\t\t\t\t\t\t\tdeep%0a\"")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        load(c.given);
        EXPECT_EQ(controller->loadedSource(), c.expected);
        EXPECT_EQ(source(), c.expected);
        EXPECT_FALSE(controller->isModified());
    }
}

TEST_F(EditControllerTest, ASourceSetBeforeTheServersIsReadWithThem)
{
    controller = std::make_unique<Controller::ArticleEditController>();
    controller->setMetricSource(&metrics);
    controller->setWidget(&widget);
    controller->setViewport(QRect(0, 0, 300, 200));
    const QString written = QStringLiteral("#01\"a\"#07\"<link x>\"#01\"b%0a\"#07\"</link>\"");
    controller->setSource(written);
    EXPECT_FALSE(controller->isInitialised());
    controller->init(&styles, &analyzer);
    EXPECT_TRUE(controller->isInitialised());
    EXPECT_EQ(text(), QStringLiteral("ab\n")) << "style 7 carries elements";
    EXPECT_EQ(controller->document().elements().size(), 2u);
    EXPECT_EQ(controller->view().links.size(), 1u);
    EXPECT_EQ(caret(), 0);
}

TEST_F(EditControllerTest, TypingIntoAnEmptyArticleAppliesTheEmptyArticleStyleFirst)
{
    load({});
    type(QStringLiteral("wo"));
    EXPECT_EQ(source(), QStringLiteral("#04\"\two%0a\""));
    EXPECT_EQ(caret(), 2);
    EXPECT_TRUE(controller->isModified());
}

TEST_F(EditControllerTest, OnlyTheSecondParagraphGetsTheSecondParagraphStyle)
{
    load({});
    type(QStringLiteral("head\nbody\nmore"));
    // The first paragraph keeps its style and level.
    EXPECT_EQ(source(), QStringLiteral("#04\"\thead%0a\"#03\"\t\tbody%0a\"#03\"\t\tmore%0a\""));
    EXPECT_EQ(paragraphs(), "0-5/1 5-10/2 10-15/2");
}

TEST_F(EditControllerTest, EnterSplitsAParagraphAndKeepsItsLevelForBothParts)
{
    load(QStringLiteral("#01\"one%0a\"#02\"\ttwo words%0a\""));
    setCaret(7); // "two| words"
    controller->newParagraph();
    EXPECT_EQ(text(), QStringLiteral("one\ntwo\n words\n"));
    EXPECT_EQ(paragraphs(), "0-4/0 4-8/1 8-15/1");
    EXPECT_EQ(caret(), 8);
}

TEST_F(EditControllerTest, BackspaceAtAParagraphStartOutdentsBeforeItJoins)
{
    load(QStringLiteral("#01\"one%0a\"#01\"\t\ttwo%0a\""));
    setCaret(4);
    controller->backspace();
    EXPECT_EQ(paragraphs(), "0-4/0 4-8/1");
    controller->backspace();
    EXPECT_EQ(paragraphs(), "0-4/0 4-8/0");
    controller->backspace();
    // Joined: the first paragraph's level stays.
    EXPECT_EQ(text(), QStringLiteral("onetwo\n"));
    EXPECT_EQ(paragraphs(), "0-7/0");
    EXPECT_EQ(caret(), 3);
    setCaret(0);
    controller->backspace();
    EXPECT_EQ(text(), QStringLiteral("onetwo\n"));
}

TEST_F(EditControllerTest, TheFinalLineFeedIsNeverDeleted)
{
    load(QStringLiteral("#01\"ab%0a\"#02\"cd%0a\""));
    setCaret(5);
    controller->deleteForward();
    EXPECT_EQ(text(), QStringLiteral("ab\ncd\n")) << "delete at the very end";
    controller->selectAll();
    controller->deleteForward();
    EXPECT_EQ(text(), QStringLiteral("\n"));
    EXPECT_EQ(caret(), 0);
    controller->deleteForward();
    controller->backspace();
    EXPECT_EQ(text(), QStringLiteral("\n"));
}

TEST_F(EditControllerTest, PastedPlainTextIndentsAtTabsAndStartsLevelZeroParagraphsAtLineFeeds)
{
    load(QStringLiteral("#01\"x%0a\""));
    setCaret(1);
    widget.clipboard = QStringLiteral("a\tb\nc");
    controller->paste();
    EXPECT_EQ(text(), QStringLiteral("xab\nc\n"));
    EXPECT_EQ(paragraphs(), "0-4/1 4-6/0");
    EXPECT_EQ(caret(), 5);
}

TEST_F(EditControllerTest, StyleButtonsStyleTheSelectionAndItsParagraphEnd)
{
    load(QStringLiteral("#01\"one two%0a\"#01\"three%0a\""));
    controller->applyStyle(2);
    EXPECT_EQ(styleRuns(), "0-14:1") << "an empty selection changes nothing";
    select(4, 7);
    controller->applyStyle(2);
    // "two" ends on the paragraph's line feed, which takes the style too.
    EXPECT_EQ(styleRuns(), "0-4:1 4-8:2 8-14:1");
    EXPECT_TRUE(controller->hasSelection()) << "the selection stays for the next button";
    // Starting on a line feed begins after it; equal neighbours merge.
    select(7, 14);
    controller->applyStyle(1);
    EXPECT_EQ(styleRuns(), "0-4:1 4-8:2 8-14:1");
    select(0, 13);
    controller->applyStyle(1);
    EXPECT_EQ(styleRuns(), "0-14:1");
    // Style 7 carries elements: text in it would leave the article on
    // saving.
    controller->applyStyle(7);
    EXPECT_EQ(styleRuns(), "0-14:1");
}

TEST_F(EditControllerTest, InsertedTextJoinsTheRunBeforeItExceptAtAParagraphStart)
{
    load(QStringLiteral("#01\"ab\"#02\"cd%0a\"#03\"ef%0a\""));
    setCaret(2);
    type(QStringLiteral("X"));
    setCaret(6);
    type(QStringLiteral("Y"));
    EXPECT_EQ(text(), QStringLiteral("abXcd\nYef\n"));
    EXPECT_EQ(styleRuns(), "0-3:1 3-6:2 6-10:3");
}

TEST_F(EditControllerTest, ControlCharactersNeverEnterTheText)
{
    load(QStringLiteral("#01\"%0a\""));
    controller->typeChar(QChar(0));
    controller->typeChar(QChar(0x1B));
    const char16_t typed[] = u"a\u0001b\u0000c\rd\u00ADe\u007F\u0085f";
    controller->insertText(QString::fromUtf16(typed, qsizetype(std::size(typed) - 1)));
    widget.clipboard = QString::fromUtf16(u"g\u0002h");
    controller->paste();
    pressKey(Qt::Key_unknown, Qt::NoModifier, QString(QChar(7)));
    EXPECT_EQ(text(), QStringLiteral("abcdefgh\n"));
    // What was written reads back as the same text.
    EXPECT_EQ(readMarkup(source()).text, text());
}

TEST_F(EditControllerTest, LevelsStayWithinZeroToEight)
{
    load(QStringLiteral("#01\"a%0a\""));
    for (int i = 0; i < 10; ++i)
        controller->indent();
    EXPECT_EQ(paragraphs(), "0-2/8");
    for (int i = 0; i < 10; ++i)
        controller->outdent();
    EXPECT_EQ(paragraphs(), "0-2/0");
    controller->insertText(QString(12, QLatin1Char('\t')) + QStringLiteral("b"));
    EXPECT_EQ(paragraphs(), "0-3/8");
    EXPECT_EQ(source(), QStringLiteral("#01\"\t\t\t\t\t\t\t\tba%0a\""));
}

TEST_F(EditControllerTest, TheLeadTextIsKeptAndEscaped)
{
    load(QStringLiteral("5%25 %23#01\"a\""));
    EXPECT_EQ(controller->content().leadText, QStringLiteral("5% #"));
    setCaret(1);
    type(QStringLiteral("b"));
    EXPECT_EQ(source(), QStringLiteral("5%25 %23#01\"ab%0a\""));
    EXPECT_EQ(readMarkup(source()).leadText, QStringLiteral("5% #"));
}

TEST_F(EditControllerTest, PastedSourceKeepsEveryRunAndMapsUnknownStylesToZero)
{
    load(QStringLiteral("#01\"ab%0a\""));
    setCaret(1);
    // The default style server answers 0 for every declared style.
    widget.clipboardSourceText =
        QStringLiteral("head#01\"x%22y\"#02\"z\"#M#05\"w\"\n.1 { color: rgb(10, 20, 30); }\n");
    controller->paste();
    EXPECT_EQ(text(), QStringLiteral("ax\"yzwb\n"));
    EXPECT_EQ(styleRuns(), "0-1:1 1-6:0 6-8:1");
    EXPECT_EQ(caret(), 6);
    controller->undo();
    EXPECT_EQ(text(), QStringLiteral("ab\n")) << "one undo step";
}

TEST_F(EditControllerTest, PastedSourceStartsParagraphsIndentsAndReplacesTheSelection)
{
    load(QStringLiteral("#01\"one two%0a\""));
    select(4, 7);
    controller->pasteSource(QStringLiteral("#03\"A%0a\"#04\"%09B%00\""));
    EXPECT_EQ(text(), QStringLiteral("one A\nB\n"));
    EXPECT_EQ(paragraphs(), "0-6/0 6-8/1");
    EXPECT_EQ(styleRuns(), "0-4:1 4-8:0");
    // A source without runs still deletes the selection.
    select(0, 3);
    controller->pasteSource(QStringLiteral("no runs here"));
    EXPECT_EQ(text(), QStringLiteral(" A\nB\n"));
}

TEST_F(EditControllerTest, CopiesTheSelectionAsTextSourceAndHtml)
{
    load(QStringLiteral("#01\"one%0a\"#02\"\ttwo%0a\""));
    select(2, 6);
    EXPECT_EQ(controller->selectionText(), QStringLiteral("e\n\ttw"));
    EXPECT_TRUE(controller->selectionSource().startsWith(QStringLiteral("#01\"e%0a\"#02\"\ttw\"\n.1 {")))
        << controller->selectionSource().toStdString();
    EXPECT_TRUE(controller->selectionHtml().contains(QStringLiteral("tw")));
    EXPECT_EQ(controller->clipboardForms().text, controller->selectionText());
}

TEST_F(EditControllerTest, PaintsTheArticleAndTheCaretOnlyWithFocus)
{
    load(QStringLiteral("#01\"hello%0a\""));
    auto paint = [&] {
        QImage image(300, 200, QImage::Format_ARGB32);
        QPainter painter(&image);
        controller->paint(image.rect(), &painter);
        painter.end();
        return image;
    };
    const QImage unfocused = paint();
    EXPECT_EQ(unfocused.pixelColor(290, 190), QColor(255, 255, 255));
    widget.focused = true;
    const QImage focused = paint();
    EXPECT_NE(focused, unfocused) << "the caret shows with focus";
    controller->caretBlinking = true;
    controller->blinkPhase = false;
    EXPECT_EQ(paint(), unfocused) << "blinking, in the off phase";
}

TEST_F(EditControllerTest, TheCaretShowsOnALineFeed)
{
    // A line feed is drawn without width: at a line's end, in an empty
    // paragraph and in an empty article the caret stands on one.
    auto paint = [&] {
        QImage image(300, 200, QImage::Format_ARGB32);
        QPainter painter(&image);
        controller->paint(image.rect(), &painter);
        painter.end();
        return image;
    };
    const QString sources[] = {QString(), QStringLiteral("#01\"ab%0a\"#01\"%0a\"")};
    for (const QString& written : sources) {
        SCOPED_TRACE(written.toStdString());
        load(written);
        for (int offset : {0, 2, controller->document().length() - 1}) {
            setCaret(offset);
            if (text().at(caret()) != QLatin1Char('\n'))
                continue;
            widget.focused = false;
            const QImage unfocused = paint();
            widget.focused = true;
            EXPECT_NE(paint(), unfocused) << "caret at " << offset;
        }
    }
}

} // namespace
