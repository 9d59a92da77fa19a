// Tests of the editor's input: the key table (moves, selections, deletions,
// clipboard keys, typed text), clicks, drags and double clicks through the
// hit tester, line moves that keep their column, and scrolling through the
// scroll bar, page keys and caret moves. The fixed metrics make every
// character 10 pixels wide and a line of style 1 13 pixels high.
#include "edit_fixture.h"
#include "qt_printers.h"

#include "ArticleEngine/Controller/article_edit_position_converter.h"

#include <QMouseEvent>

using namespace ArticleEngine;
using namespace ArticleEngine::Controller;
using lexvane::testing::EditFixture;

namespace {

class EditInputTest : public EditFixture {
protected:
    void mouse(QEvent::Type type, QPoint point, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
        QMouseEvent event(type, QPointF(point), QPointF(point), button, Qt::LeftButton, modifiers);
        controller->mouseEvent(&event);
    }
    // The middle of line n (from 0) of the article as laid out.
    int lineY(int n) const { return controller->view().rect.top() + 13 * n + 6; }
};

TEST_F(EditInputTest, MovementKeysMoveTheCaretAndShiftedOnesSelect)
{
    load(QStringLiteral("#01\"one two three%0a\"#01\"four%0a\""));
    setCaret(5);
    struct Step {
        QKeySequence::StandardKey key;
        int caret;
        int selectionStart;
        int selectionEnd;
    };
    const Step steps[] = {
        {QKeySequence::MoveToNextChar, 6, 6, 6},
        {QKeySequence::MoveToPreviousChar, 5, 5, 5},
        {QKeySequence::MoveToNextWord, 8, 8, 8},
        {QKeySequence::MoveToPreviousWord, 4, 4, 4},
        {QKeySequence::MoveToPreviousWord, 0, 0, 0},
        {QKeySequence::MoveToPreviousWord, 0, 0, 0}, // no word before: the start
        {QKeySequence::MoveToEndOfLine, 13, 13, 13},
        {QKeySequence::MoveToStartOfLine, 0, 0, 0},
        {QKeySequence::MoveToEndOfDocument, 18, 18, 18},
        {QKeySequence::MoveToNextWord, 18, 18, 18}, // no word after: the end
        {QKeySequence::MoveToStartOfDocument, 0, 0, 0},
        {QKeySequence::SelectNextWord, 4, 0, 4},
        {QKeySequence::SelectNextChar, 5, 0, 5},
        {QKeySequence::SelectEndOfDocument, 18, 0, 18},
        {QKeySequence::SelectStartOfLine, 14, 0, 14},
        {QKeySequence::SelectAll, 18, 0, 18},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(QKeySequence(step.key).toString().toStdString());
        EXPECT_TRUE(press(step.key));
        EXPECT_EQ(caret(), step.caret);
        EXPECT_EQ(controller->selectionStart().offset, step.selectionStart);
        EXPECT_EQ(controller->selectionEnd().offset, step.selectionEnd);
    }
}

TEST_F(EditInputTest, LineMovesKeepTheirColumn)
{
    // Characters of 10 pixels in a 299-pixel row: the first paragraph
    // breaks after its second word.
    load(QStringLiteral("#01\"abcdefghij abcdefghij abcdefghij%0a\"#01\"ab%0a\"#01\"abcdefghij%0a\""));
    setCaret(4); // column 4, x from 40 to 49: its middle 44
    EXPECT_EQ(controller->preferredX(), 44);
    EXPECT_TRUE(press(QKeySequence::MoveToNextLine));
    EXPECT_EQ(caret(), 26);
    EXPECT_TRUE(press(QKeySequence::MoveToNextLine));
    EXPECT_EQ(caret(), 33) << "a short line: its start";
    EXPECT_TRUE(press(QKeySequence::MoveToNextLine));
    EXPECT_EQ(caret(), 40) << "the column is kept across the short line";
    EXPECT_TRUE(press(QKeySequence::MoveToNextLine));
    EXPECT_EQ(caret(), 40) << "no line below";
    EXPECT_TRUE(press(QKeySequence::SelectPreviousLine));
    EXPECT_EQ(controller->selectionStart().offset, 33);
    EXPECT_EQ(controller->selectionEnd().offset, 40);
}

TEST_F(EditInputTest, EditingKeysDeleteTypeAndUseTheClipboard)
{
    load(QStringLiteral("#01\"one two%0a\""));
    setCaret(7);
    EXPECT_TRUE(pressKey(Qt::Key_Backspace));
    EXPECT_EQ(text(), QStringLiteral("one tw\n"));
    EXPECT_TRUE(press(QKeySequence::DeleteStartOfWord));
    EXPECT_EQ(text(), QStringLiteral("one \n"));
    EXPECT_TRUE(pressKey(Qt::Key_A, Qt::NoModifier, QStringLiteral("a")));
    EXPECT_TRUE(pressKey(Qt::Key_B, Qt::ControlModifier, QStringLiteral("b")));
    EXPECT_TRUE(pressKey(Qt::Key_Eacute, Qt::NoModifier, QStringLiteral("\u00e9")));
    EXPECT_EQ(text(), QString::fromUtf16(u"one a\u00e9\n"));
    setCaret(0);
    EXPECT_TRUE(press(QKeySequence::DeleteEndOfWord));
    EXPECT_EQ(text(), QString::fromUtf16(u" a\u00e9\n"));
    EXPECT_TRUE(press(QKeySequence::Delete));
    EXPECT_EQ(text(), QString::fromUtf16(u"a\u00e9\n"));
    EXPECT_TRUE(pressKey(Qt::Key_Return));
    EXPECT_TRUE(pressKey(Qt::Key_Tab));
    EXPECT_EQ(paragraphs(), "0-1/0 1-4/3") << "the second paragraph's auto level, then one more";
    EXPECT_TRUE(pressKey(Qt::Key_Backtab));
    EXPECT_EQ(paragraphs(), "0-1/0 1-4/2");
    EXPECT_TRUE(press(QKeySequence::Undo));
    EXPECT_EQ(paragraphs(), "0-1/0 1-4/3");
    EXPECT_TRUE(press(QKeySequence::Redo));
    EXPECT_EQ(paragraphs(), "0-1/0 1-4/2");

    select(1, 3);
    EXPECT_TRUE(press(QKeySequence::Copy));
    EXPECT_EQ(text(), QString::fromUtf16(u"\na\u00e9\n"));
    EXPECT_TRUE(press(QKeySequence::Cut));
    EXPECT_EQ(text(), QStringLiteral("\n\n"));
    EXPECT_EQ(widget.events, QStringList({QStringLiteral("copy"), QStringLiteral("copy")}));
    widget.clipboard = QStringLiteral("xy");
    EXPECT_TRUE(press(QKeySequence::Paste));
    EXPECT_EQ(text(), QStringLiteral("\nxy\n"));
    EXPECT_TRUE(press(QKeySequence::SelectAll));
    EXPECT_TRUE(press(QKeySequence::Delete));
    EXPECT_EQ(text(), QStringLiteral("\n"));
}

TEST_F(EditInputTest, ReleasesAreNotHandledAndUnboundKeysAreStillConsumed)
{
    load(QStringLiteral("#01\"ab%0a\""));
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    EXPECT_FALSE(controller->keyEvent(&release));
    EXPECT_TRUE(pressKey(Qt::Key_F5));
    EXPECT_TRUE(press(QKeySequence::SelectNextPage));
    EXPECT_EQ(text(), QStringLiteral("ab\n"));
}

TEST_F(EditInputTest, ClicksPlaceTheCaretByCharacterHalvesAndLineEnds)
{
    load(QStringLiteral("#01\"abc def%0a\"#01\"\tgh%0a\""));
    struct Click {
        const char* name;
        QPoint point;
        int caret;
    };
    const Click clicks[] = {
        {"left half of b", {12, lineY(0)}, 1},
        {"right half of b", {18, lineY(0)}, 2},
        {"right of the line: before its line feed", {250, lineY(0)}, 7},
        {"left of an indented line", {3, lineY(1)}, 8},
        {"right half of g in the indented line", {15 + 8, lineY(1)}, 9},
        {"below the text, in the lower half", {20, 190}, 10},
    };
    for (const Click& click : clicks) {
        SCOPED_TRACE(click.name);
        mouse(QEvent::MouseButtonPress, click.point);
        EXPECT_EQ(caret(), click.caret);
        EXPECT_FALSE(controller->hasSelection());
    }
}

TEST_F(EditInputTest, TheCaretNeverStandsInsideASurrogatePair)
{
    // a, U+1F600 (two code units, drawn 10 pixels wide), b.
    load(QString::fromUtf16(u"#01\"a\U0001F600b%0a\""));
    setCaret(1);
    EXPECT_TRUE(press(QKeySequence::MoveToNextChar));
    EXPECT_EQ(caret(), 3);
    EXPECT_TRUE(press(QKeySequence::MoveToPreviousChar));
    EXPECT_EQ(caret(), 1);
    mouse(QEvent::MouseButtonPress, {18, lineY(0)});
    EXPECT_EQ(caret(), 3) << "the right half of the pair";
    mouse(QEvent::MouseButtonPress, {12, lineY(0)});
    EXPECT_EQ(caret(), 1) << "its left half";
    setCaret(2);
    EXPECT_EQ(caret(), 1) << "a place between the halves goes to the pair's start";
    type(QStringLiteral("x"));
    EXPECT_EQ(text(), QString::fromUtf16(u"ax\U0001F600b\n"));
}

TEST_F(EditInputTest, CutAndWordDeletionsWithNothingToTakeDeleteNothing)
{
    load(QStringLiteral("#01\"ab cd%0a\""));
    setCaret(0);
    EXPECT_TRUE(press(QKeySequence::Cut));
    EXPECT_EQ(text(), QStringLiteral("ab cd\n")) << "no selection: nothing to cut";
    EXPECT_TRUE(widget.events.isEmpty()) << "and the clipboard is left alone";
    EXPECT_TRUE(press(QKeySequence::DeleteStartOfWord));
    EXPECT_EQ(text(), QStringLiteral("ab cd\n")) << "no word before the start";
    setCaret(5);
    EXPECT_TRUE(press(QKeySequence::DeleteEndOfWord));
    EXPECT_EQ(text(), QStringLiteral("ab cd\n")) << "no word after the end";
    EXPECT_FALSE(controller->canUndo());
}

TEST_F(EditInputTest, ShiftClicksAndDragsSelectAndDoubleClicksSelectAWord)
{
    load(QStringLiteral("#01\"abc defg hi%0a\""));
    mouse(QEvent::MouseButtonPress, {12, lineY(0)});
    mouse(QEvent::MouseButtonPress, {52, lineY(0)}, Qt::ShiftModifier);
    EXPECT_EQ(controller->selectionStart().offset, 1);
    EXPECT_EQ(controller->selectionEnd().offset, 5);
    mouse(QEvent::MouseMove, {2, lineY(0)});
    EXPECT_EQ(controller->selectionStart().offset, 0);
    EXPECT_EQ(controller->selectionEnd().offset, 1);
    mouse(QEvent::MouseButtonDblClick, {62, lineY(0)});
    EXPECT_EQ(controller->selectionStart().offset, 4);
    EXPECT_EQ(controller->selectionEnd().offset, 8);
    EXPECT_EQ(controller->selectionText(), QStringLiteral("defg"));
}

class EditScrollTest : public EditInputTest {
protected:
    void SetUp() override
    {
        makeController(QSize(300, 100));
        QString source;
        for (int i = 0; i < 40; ++i)
            source += QStringLiteral("#01\"line ") + QString::number(i) + QStringLiteral("%0a\"");
        load(source);
    }
};

TEST_F(EditScrollTest, TheScrollBarScrollsTheText)
{
    // 40 lines of 13 pixels in a 100-pixel viewport.
    EXPECT_EQ(controller->scroll().maximum, 40 * 13 - 100);
    EXPECT_FALSE(widget.bar.isHidden());
    EXPECT_EQ(widget.bar.maximum(), 40 * 13 - 100);
    widget.bar.setValue(130);
    EXPECT_TRUE(controller->scrollBarEvent(130));
    EXPECT_EQ(controller->scroll().offset, 130);
    EXPECT_EQ(controller->view().rect.top(), -130);
    // A click now lands ten lines further down.
    mouse(QEvent::MouseButtonPress, {5, 6});
    EXPECT_EQ(controller->document().paragraphAt(caret()), 10);
}

TEST_F(EditScrollTest, TheWheelScrollsThreeLinesANotch)
{
    QWheelEvent down(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                     Qt::NoScrollPhase, false);
    EXPECT_TRUE(controller->wheelEvent(&down));
    // A line is the height of the default style's font as the toolkit
    // measures it.
    const int line = controller->lineHeight();
    EXPECT_GT(line, 0);
    EXPECT_EQ(controller->scroll().offset, 3 * line);
    EXPECT_EQ(widget.bar.value(), 3 * line);
    EXPECT_EQ(widget.bar.singleStep(), line);
    EXPECT_EQ(caret(), 0);
}

TEST_F(EditScrollTest, PageKeysScrollWithoutMovingTheCaret)
{
    setCaret(3);
    const int page = widget.bar.pageStep();
    EXPECT_GT(page, 0);
    EXPECT_TRUE(press(QKeySequence::MoveToNextPage));
    EXPECT_EQ(controller->scroll().offset, page);
    EXPECT_TRUE(press(QKeySequence::MoveToNextPage));
    EXPECT_EQ(controller->scroll().offset, 2 * page);
    EXPECT_TRUE(press(QKeySequence::MoveToPreviousPage));
    EXPECT_EQ(controller->scroll().offset, page);
    EXPECT_EQ(caret(), 3);
    EXPECT_EQ(widget.bar.value(), page);
}

TEST_F(EditScrollTest, CaretMovesBringTheCaretsLineIntoView)
{
    EXPECT_TRUE(press(QKeySequence::MoveToEndOfDocument));
    EXPECT_EQ(controller->scroll().offset, controller->scroll().maximum);
    EXPECT_EQ(widget.bar.value(), controller->scroll().maximum);
    EXPECT_TRUE(press(QKeySequence::MoveToStartOfDocument));
    EXPECT_EQ(controller->scroll().offset, 0);
    // One line down at a time: the view follows only when the caret leaves.
    for (int i = 0; i < 6; ++i)
        press(QKeySequence::MoveToNextLine);
    EXPECT_EQ(controller->scroll().offset, 0);
    // Line 7 ends at 7 * 13 + 12, below the last row 99.
    press(QKeySequence::MoveToNextLine);
    EXPECT_EQ(controller->scroll().offset, 7 * 13 + 12 - 99);
}

TEST(ArticleEditPositionConverter, MapsOnePixelToOneStepOfTheBar)
{
    ScrollBarState bar;
    const ScrollBarState state = ArticleEditPositionConverter::toScrollBar(bar, {30, 400}, 100, 500, 13);
    EXPECT_EQ(state.value, 30);
    EXPECT_EQ(state.maximum, 400);
    EXPECT_TRUE(state.visible);
    EXPECT_EQ(state.pageStep, 400 * 100 / 500);
    EXPECT_EQ(state.singleStep, 13);
    EXPECT_EQ(ArticleEditPositionConverter::fromScrollBar(state, {0, 400}), 30);

    const ScrollBarState none = ArticleEditPositionConverter::toScrollBar(bar, {0, 0}, 100, 0, 0);
    EXPECT_FALSE(none.visible);
    EXPECT_EQ(none.pageStep, 1);
    EXPECT_EQ(none.singleStep, 12);

    // A bar whose range is not the pixel range is read scaled.
    ScrollBarState other;
    other.maximum = 100;
    other.value = 50;
    EXPECT_EQ(ArticleEditPositionConverter::fromScrollBar(other, {0, 400}), 200);
}

} // namespace
