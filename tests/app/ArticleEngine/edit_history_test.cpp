// Tests of the editor's undo history: undo and redo through the
// controller, where the caret comes back to, the snapshot limit, and the
// compact storage that keeps a long session of a large article small while
// every snapshot reads back exactly.
#include "edit_fixture.h"
#include "qt_printers.h"

#include "ArticleEngine/Controller/edit_undo_history.h"

#include <random>

using namespace ArticleEngine;
using namespace ArticleEngine::Controller;
using lexvane::testing::EditFixture;

namespace {

class EditHistoryTest : public EditFixture {};

TEST_F(EditHistoryTest, UndoAndRedoStepThroughTheEdits)
{
    load(QStringLiteral("#01\"a%0a\""));
    setCaret(1);
    type(QStringLiteral("bc"));
    controller->newParagraph();
    EXPECT_EQ(controller->undoHistory().count(), 4);
    controller->undo();
    EXPECT_EQ(text(), QStringLiteral("abc\n"));
    EXPECT_EQ(caret(), 3);
    controller->undo();
    controller->undo();
    EXPECT_EQ(text(), QStringLiteral("a\n"));
    EXPECT_FALSE(controller->canUndo());
    controller->undo();
    EXPECT_EQ(text(), QStringLiteral("a\n"));
    controller->redo();
    controller->redo();
    EXPECT_EQ(text(), QStringLiteral("abc\n"));
    EXPECT_TRUE(controller->canRedo());
    // A new edit drops what could have been redone.
    type(QStringLiteral("d"));
    EXPECT_FALSE(controller->canRedo());
    EXPECT_EQ(source(), QStringLiteral("#01\"abcd%0a\""));
}

TEST_F(EditHistoryTest, UndoBringsTheCaretBackToWhereTheUserLeftIt)
{
    load(QStringLiteral("#01\"one two three%0a\""));
    setCaret(3);
    type(QStringLiteral("X"));
    setCaret(8);
    type(QStringLiteral("Y"));
    controller->undo();
    EXPECT_EQ(caret(), 8) << "where Y was typed";
    // After an undo the user moves on and edits again: undoing that edit
    // must come back to where the user was, not to a state the history
    // dropped.
    setCaret(14);
    type(QStringLiteral("Z"));
    controller->undo();
    EXPECT_EQ(text(), QStringLiteral("oneX two three\n"));
    EXPECT_EQ(caret(), 14);
    controller->undo();
    EXPECT_EQ(text(), QStringLiteral("one two three\n"));
    EXPECT_EQ(caret(), 3);
    // The selection comes back too.
    select(0, 3);
    controller->deleteForward();
    controller->undo();
    EXPECT_EQ(controller->selectionStart().offset, 0);
    EXPECT_EQ(controller->selectionEnd().offset, 3);
}

TEST_F(EditHistoryTest, OperationsThatChangeNothingLeaveNoUndoStep)
{
    load(QStringLiteral("#01\"a%0a\""));
    setCaret(0);
    controller->backspace();
    controller->outdent();
    setCaret(1);
    controller->deleteForward();
    EXPECT_EQ(controller->undoHistory().count(), 1);
}

TEST_F(EditHistoryTest, ThousandsOfEditsKeepTheLimitAndUndoStopsAtTheOldest)
{
    // Edit i replaces the one letter with letter i % 26, so each snapshot
    // tells which edit made it.
    load(QStringLiteral("#01\"%0a\""));
    auto letter = [](int i) { return QChar(char16_t(u'a' + i % 26)); };
    for (int i = 0; i < 3300; ++i) {
        select(0, i == 0 ? 0 : 1);
        controller->typeChar(letter(i));
    }
    EXPECT_EQ(controller->undoHistory().count(), EditUndoHistory::limit - 1);
    for (int i = 0; i < 3300; ++i)
        controller->undo();
    // The load and 3,300 edits made 3,301 snapshots; the oldest kept one
    // is that of edit 3301 - 3275 - 1 = 25.
    EXPECT_EQ(text(), QString(letter(25)) + QLatin1Char('\n'));
    EXPECT_FALSE(controller->canUndo());
    controller->undo();
    EXPECT_EQ(text(), QString(letter(25)) + QLatin1Char('\n'));
    controller->redo();
    EXPECT_EQ(text(), QString(letter(26)) + QLatin1Char('\n'));
}

// A 100 KB article edited 3,300 times: each edit changes a few characters
// somewhere. Every kept snapshot must read back as it was pushed, and the
// whole history stay far below 64 MB.
TEST(EditUndoHistory, KeepsALongSessionOfALargeArticleSmallAndExact)
{
    std::mt19937 random(3300);
    QString article;
    while (article.size() < 100 * 1024)
        article += QStringLiteral("#01\"word ") + QString::number(article.size())
            + QStringLiteral(" and more text in a paragraph%0a\"");
    EditUndoHistory history;
    EditCaretState state;
    history.reset(article, state);
    std::vector<QString> expected{article};
    for (int edit = 0; edit < 3300; ++edit) {
        const int at = std::uniform_int_distribution<int>(0, int(article.size()) - 4)(random);
        if (edit % 3 == 0)
            article.remove(at, 3);
        else
            article.insert(at, QStringLiteral("ab"));
        state.caret = ArticleEditPosition::body(at);
        history.push(article, state);
        expected.push_back(article);
    }
    ASSERT_EQ(history.count(), EditUndoHistory::limit - 1);
    EXPECT_LT(history.storedBytes(), std::size_t(64) << 20);
    // Plain copies would take over 650 MB.
    EXPECT_LT(history.storedBytes(), std::size_t(16) << 20);
    const std::size_t offset = expected.size() - std::size_t(history.count());
    for (int index : {0, 1, 31, 32, 33, 1000, 3000, history.count() - 2, history.count() - 1}) {
        SCOPED_TRACE(index);
        EXPECT_EQ(history.source(index), expected[offset + std::size_t(index)]);
    }
    EXPECT_EQ(history.state(history.count() - 1).caret, state.caret);
    // Undo all the way back and redo a part: the same sources.
    int steps = 0;
    while (history.stepBack())
        ++steps;
    EXPECT_EQ(steps, history.count() - 1);
    EXPECT_EQ(history.source(history.current()), expected[offset]);
    history.stepForward();
    history.push(QStringLiteral("#01\"new%0a\""), state);
    EXPECT_EQ(history.count(), 3);
    EXPECT_EQ(history.source(1), expected[offset + 1]);
    EXPECT_EQ(history.source(2), QStringLiteral("#01\"new%0a\""));
    // The snapshot pushed after the cut is a change against the right one.
    history.push(QStringLiteral("#01\"newer%0a\""), state);
    EXPECT_EQ(history.source(2), QStringLiteral("#01\"new%0a\""));
    EXPECT_EQ(history.source(3), QStringLiteral("#01\"newer%0a\""));
}

} // namespace
