// Tests of the list's caret and selection: word stops through the parts,
// line moves, the keys through the platform's bindings, clicks and
// shift-clicks, the hit on a collapsed article, the actions by part, show
// more, locate, and the painting of selection and caret box.
#include "list_fixture.h"

#include <QImage>
#include <QPainter>

using namespace ArticleEngine;
using namespace ArticleEngine::Controller;
using lexvane::testing::ListFixture;

namespace {

class ListCaretTest : public ListFixture {
protected:
    // A point just inside the left edge of a stop, where its first item is.
    QPoint leftOf(const ArticleListPosition& p)
    {
        const QRect rect = controller->stopRect(p);
        return QPoint(rect.left() + 2, rect.center().y()) + controller->viewport().topLeft();
    }
};

TEST_F(ListCaretTest, RightWalksThePartsIntoTheFirstWordAndLeftWalksBack)
{
    server.withButtons = true;
    start({QStringLiteral("#1\"alpha beta\""), QStringLiteral("#1\"co-op, x\"")});
    EXPECT_EQ(controller->caret(), part(0, ExpandButtonKind)) << "restart";

    const std::vector<ArticleListPosition> stops = {
        part(0, HeaderKind), part(0, DeleteButtonKind), part(0, EditButtonKind), part(0, ExpandButtonKind),
        part(0, PronounceButtonKind), text(0, 0), text(0, 6), part(1, HeaderKind), part(1, DeleteButtonKind),
        part(1, EditButtonKind), part(1, ExpandButtonKind), part(1, PronounceButtonKind), text(1, 0), text(1, 3),
        text(1, 7)};
    controller->setCaret(stops.front(), true, false);
    for (std::size_t i = 1; i < stops.size(); ++i) {
        EXPECT_TRUE(press(QKeySequence::MoveToNextChar));
        EXPECT_EQ(controller->caret(), stops[i]) << "step " << i;
        EXPECT_EQ(controller->selectionStart(), controller->selectionEnd());
    }
    EXPECT_TRUE(press(QKeySequence::MoveToNextChar)) << "consumed at the end";
    EXPECT_EQ(controller->caret(), stops.back()) << "nothing after the last part of the last article";

    for (std::size_t i = stops.size() - 1; i-- > 0;) {
        press(QKeySequence::MoveToPreviousChar);
        EXPECT_EQ(controller->caret(), stops[i]) << "back to step " << i;
    }
    press(QKeySequence::MoveToPreviousChar);
    EXPECT_EQ(controller->caret(), stops.front());
}

TEST_F(ListCaretTest, LineMovesKeepTheColumnAndDownEndsOnTheLastPosition)
{
    // one two / three four / five six
    start({QStringLiteral("#1\"one two%0athree four%0afive six\"")});
    const ArticleListPosition two = text(0, 4), three = text(0, 8), four = text(0, 14), five = text(0, 19),
                              six = text(0, 24);
    ASSERT_EQ(controller->lastPosition(), six);

    controller->setCaret(two, true, false);
    press(QKeySequence::MoveToNextLine);
    EXPECT_EQ(controller->caret(), four);
    press(QKeySequence::MoveToNextLine);
    EXPECT_EQ(controller->caret(), six);

    controller->setCaret(five, true, false);
    press(QKeySequence::MoveToNextLine);
    EXPECT_EQ(controller->caret(), six) << "down on the last line goes to the list's last position";
    press(QKeySequence::MoveToPreviousLine);
    EXPECT_EQ(controller->caret(), three) << "the column of 'five' is kept";

    press(QKeySequence::MoveToEndOfLine);
    EXPECT_EQ(controller->caret(), four);
    press(QKeySequence::MoveToStartOfLine);
    EXPECT_EQ(controller->caret(), three);
    press(QKeySequence::SelectEndOfLine);
    EXPECT_EQ(controller->selectionStart(), three);
    EXPECT_EQ(controller->selectionEnd(), four);
    press(QKeySequence::MoveToEndOfDocument);
    EXPECT_EQ(controller->caret(), six);
    press(QKeySequence::MoveToStartOfDocument);
    EXPECT_EQ(controller->caret(), part(0, HeaderKind));
}

TEST_F(ListCaretTest, AClickCollapsesTheSelectionAndShiftClickExtendsFromTheAnchor)
{
    start({QStringLiteral("#1\"one two three\"")});
    click(leftOf(text(0, 4)));
    EXPECT_EQ(controller->caret(), text(0, 4));
    EXPECT_EQ(controller->selectionStart(), controller->selectionEnd());

    click(leftOf(text(0, 8)), Qt::ShiftModifier);
    EXPECT_EQ(controller->anchor(), text(0, 4));
    EXPECT_EQ(controller->selectionStart(), text(0, 4));
    EXPECT_EQ(controller->selectionEnd(), text(0, 8));
    EXPECT_EQ(controller->caret(), text(0, 8));

    click(leftOf(text(0, 0)), Qt::ShiftModifier);
    EXPECT_EQ(controller->selectionStart(), text(0, 0));
    EXPECT_EQ(controller->selectionEnd(), text(0, 4)) << "the anchor stays";

    mouse(QEvent::MouseButtonPress, leftOf(text(0, 8)));
    EXPECT_EQ(controller->selectionStart(), controller->selectionEnd());
    mouse(QEvent::MouseMove, leftOf(text(0, 0)));
    EXPECT_EQ(controller->selectionStart(), text(0, 0)) << "a drag extends";
    EXPECT_EQ(controller->selectionEnd(), text(0, 8));
}

TEST_F(ListCaretTest, AClickBelowTheLastArticleGoesToTheLastPosition)
{
    start({QStringLiteral("#1\"one two\""), QStringLiteral("#1\"three four,\"")});
    ASSERT_LT(controller->articleRect(1).bottom(), 90);
    click(QPoint(150, 95));
    EXPECT_EQ(controller->caret(), text(1, 6));
    ArticleListPosition hit;
    EXPECT_FALSE(controller->hitTest(QPoint(150, 95), false, hit)) << "no snap, no hit";
}

TEST_F(ListCaretTest, SelectAllSelectsTheWholeListWithoutScrolling)
{
    std::vector<QString> markups(10, QStringLiteral("#1\"alpha beta gamma\""));
    start(markups);
    controller->scrollPixels(-60);
    controller->refresh();
    const ArticleListScrollPosition before = controller->scrollPosition();
    ASSERT_GT(before.topArticle + before.topOffset, 0);

    EXPECT_TRUE(press(QKeySequence::SelectAll));
    EXPECT_EQ(controller->selectionStart(), part(0, HeaderKind));
    EXPECT_EQ(controller->selectionEnd(), text(9, 11));
    EXPECT_EQ(controller->caret(), text(9, 11));
    EXPECT_EQ(controller->scrollPosition().topArticle, before.topArticle);
    EXPECT_EQ(controller->scrollPosition().topOffset, before.topOffset);

    // Painting walks the visible part of the selection only.
    QImage image(300, 100, QImage::Format_RGB32);
    QPainter painter(&image);
    controller->paint(image.rect(), &painter);
    const QVector<QRect>& fill = controller->cursorView().fill;
    ASSERT_FALSE(fill.isEmpty());
    for (const QRect& rect : fill)
        EXPECT_TRUE(rect.intersects(controller->clientRect())) << rect.y();
}

TEST_F(ListCaretTest, ScrollingGivesUpTheLayoutOfTheSelectionsArticlesOffScreen)
{
    std::vector<QString> markups(10, QStringLiteral("#1\"alpha beta gamma\""));
    start(markups);
    press(QKeySequence::SelectAll);
    const ArticleView* last = controller->article(9)->view();
    ASSERT_EQ(last->layoutState, Placed) << "laid out to find the last position";
    ASSERT_LT(controller->scrollPosition().bottomArticle, 8);
    controller->scrollPixels(-10);
    EXPECT_LT(controller->scrollPosition().bottomArticle, 8);
    EXPECT_EQ(controller->article(9)->view()->layoutState, Dirty);
}

TEST_F(ListCaretTest, StepsScrollTheCaretIntoView)
{
    std::vector<QString> markups(10, QStringLiteral("#1\"alpha beta gamma\""));
    start(markups);
    controller->setCaret(text(6, 0), true, true);
    const QRect client = controller->clientRect();
    EXPECT_TRUE(client.contains(controller->stopRect(text(6, 0))));
    EXPECT_EQ(controller->scrollPosition().topArticle, 6);

    // Already on screen: nothing scrolls.
    const ArticleListScrollPosition before = controller->scrollPosition();
    press(QKeySequence::MoveToNextChar);
    EXPECT_EQ(controller->caret(), text(6, 6));
    EXPECT_EQ(controller->scrollPosition().topOffset, before.topOffset);

    // Up to the article above, off screen: it comes to the top.
    controller->setCaret(part(6, HeaderKind), true, true);
    press(QKeySequence::MoveToPreviousLine);
    EXPECT_EQ(controller->caret().article, 5);
    EXPECT_TRUE(client.contains(controller->stopRect(controller->caret())));
}

TEST_F(ListCaretTest, AHitOnAPartACollapsedArticleHidesLandsOnItsHeaderLine)
{
    server.withButtons = true;
    start({QStringLiteral("#1\"one two\""), QStringLiteral("#1\"three\"")});
    controller->setCollapsed(0, true);
    controller->refresh();
    // The pronounce button keeps its last place; put it over the header, as
    // an earlier layout at another width may leave it.
    ArticleView& view = *controller->article(0)->view();
    view.pronounceButton.rect = view.header.rect;
    ArticleListPosition raw;
    ASSERT_TRUE(controller->article(0)->hitTester.hitPoint(view.header.rect.center(), false, raw));
    ASSERT_EQ(raw.kind, PronounceButtonKind);

    ArticleListPosition hit;
    ASSERT_TRUE(controller->hitTest(view.header.rect.center(), true, hit));
    EXPECT_EQ(hit.article, 0);
    EXPECT_LE(hit.kind, ExpandButtonKind);
    EXPECT_EQ(controller->lineOf(hit), 0);
}

TEST_F(ListCaretTest, ActionsByPart)
{
    server.withButtons = true;
    start({QStringLiteral("#1\"see \"#7\"<link target\"#1\"house\"#7\"</link>\"#1\" now%0a\"#7\"<img pic17>\"#1\"x\"#7\"</img>\"")});
    controller->click(part(0, DeleteButtonKind));
    controller->click(part(0, EditButtonKind));
    controller->click(part(0, PronounceButtonKind));
    controller->doubleClick(part(0, DeleteButtonKind));
    EXPECT_EQ(widget.events, QStringList({"delete 0", "edit 0", "pronounce 0 word0"}));

    widget.events.clear();
    controller->click(text(0, 4)); // in the link
    controller->doubleClick(text(0, 5));
    controller->click(text(0, 0)); // a plain word: nothing on a click
    controller->doubleClick(text(0, 1));
    controller->activate(text(0, 10));
    controller->doubleClick(text(0, 3)); // a space is no word
    controller->click(text(0, 13)); // the picture: nothing on a click
    controller->doubleClick(text(0, 13));
    controller->activate(text(0, 13));
    EXPECT_EQ(widget.events, QStringList({"link 0 house <link target", "word 0 see 0", "word 0 now 0",
                                          "image 0 <img pic17>", "image 0 <img pic17>"}));

    widget.events.clear();
    controller->setCaret(text(0, 4), true, false);
    EXPECT_TRUE(pressKey(Qt::Key_Return));
    EXPECT_EQ(widget.events, QStringList({"link 0 house <link target"})) << "Enter activates";
    mouse(QEvent::MouseButtonDblClick, leftOf(text(0, 5)));
    EXPECT_EQ(widget.events.size(), 1) << "a double click on a link does nothing";
    EXPECT_TRUE(controller->isOverLink(leftOf(text(0, 5))));
    EXPECT_FALSE(controller->isOverLink(leftOf(text(0, 0))));
    EXPECT_FALSE(controller->isOverLink(QPoint(150, 95))) << "below the article: no snap";

    controller->setCaret(part(0, ExpandButtonKind), true, false);
    pressKey(Qt::Key_Enter);
    EXPECT_TRUE(controller->isCollapsed(0));
    controller->click(part(0, ExpandButtonKind));
    EXPECT_FALSE(controller->isCollapsed(0));
}

TEST_F(ListCaretTest, ShowMoreMovesTheCaretPastTheOldEnd)
{
    server.previews[0] = QStringLiteral("#1\"alpha beta\"");
    start({QStringLiteral("#1\"alpha beta gamma delta\""), QStringLiteral("#1\"x\"")});
    ASSERT_EQ(controller->nextWordStop(text(0, 6)), part(0, ShowMoreButtonKind));
    EXPECT_TRUE(controller->click(part(0, ShowMoreButtonKind)));
    EXPECT_EQ(controller->caret(), text(0, 11));
    EXPECT_EQ(controller->nextWordStop(text(0, 11)), text(0, 17));
    EXPECT_EQ(controller->nextWordStop(text(0, 17)), part(1, HeaderKind)) << "no button any more";
}

TEST_F(ListCaretTest, StepsFromAnArticleNoLongerValidFail)
{
    start({QStringLiteral("#1\"one\""), QStringLiteral("#1\"two three\"")});
    controller->setCaret(text(1, 4), true, false);
    server.markups.pop_back();
    controller->invalidate(false, false);
    EXPECT_TRUE(press(QKeySequence::MoveToPreviousChar));
    EXPECT_EQ(controller->caret(), text(1, 4));
    EXPECT_FALSE(controller->nextPosition(text(1, 4)));
    EXPECT_EQ(controller->lastPosition(), text(0, 0));
}

TEST_F(ListCaretTest, LocatePutsTheCaretOnANamedItem)
{
    start({QStringLiteral("#1\"one \"#7\"<label %22here%22\"#1\"two\"")});
    EXPECT_TRUE(controller->locate(0, QStringLiteral("here")));
    EXPECT_EQ(controller->caret(), text(0, 4));
    EXPECT_FALSE(controller->locate(0, QStringLiteral("there")));
    EXPECT_FALSE(controller->locate(3, QStringLiteral("here")));
    EXPECT_EQ(controller->caret(), text(0, 4));
}

TEST_F(ListCaretTest, KeysOutsideTheTableAndReleasesAreNotConsumed)
{
    start({QStringLiteral("#1\"one\"")});
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_Right, Qt::NoModifier);
    EXPECT_FALSE(controller->keyEvent(&release));
    EXPECT_FALSE(pressKey(Qt::Key_A));
    // The list holds no Back binding: Backspace is left to the host.
    EXPECT_FALSE(pressKey(Qt::Key_Backspace));
    EXPECT_TRUE(press(QKeySequence::SelectNextPage)) << "consumed, does nothing";
    EXPECT_TRUE(press(QKeySequence::Copy));
    EXPECT_EQ(widget.events, QStringList({"copy"}));

    start({});
    EXPECT_FALSE(press(QKeySequence::MoveToNextChar)) << "an empty list consumes nothing";
}

TEST_F(ListCaretTest, TheSelectionAndTheCaretBoxArePaintedThroughTheCursorView)
{
    start({QStringLiteral("#1\"one two three\"")});
    controller->setCaret(text(0, 0), true, false);
    controller->extendSelection(text(0, 4), true, false);
    auto paint = [&] {
        QImage image(300, 100, QImage::Format_RGB32);
        QPainter painter(&image);
        controller->paint(image.rect(), &painter);
        return image;
    };
    QImage image = paint();
    const CursorView& cursor = controller->cursorView();
    const QRect words = controller->stopRect(text(0, 0)) | controller->stopRect(text(0, 4));
    EXPECT_EQ(cursor.fill, QVector<QRect>({words})) << "both words whole, one row";
    EXPECT_FALSE(cursor.marksVisible) << "no caret box without focus";
    ASSERT_EQ(cursor.marks.size(), 1u);
    EXPECT_EQ(cursor.marks.front(), controller->stopRect(text(0, 4)));
    const int y = words.center().y();
    EXPECT_NE(image.pixelColor(35, y), controller->backgroundColor) << "the space inside the selection";
    EXPECT_EQ(image.pixelColor(75, y), controller->backgroundColor) << "the space after it";

    widget.focused = true;
    paint();
    EXPECT_TRUE(controller->cursorView().marksVisible);
    controller->showCaret = false;
    image = paint();
    EXPECT_EQ(image.pixelColor(35, y), controller->backgroundColor);
}

} // namespace
