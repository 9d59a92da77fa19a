// list_key_table.cpp: the list's key table in its matching order.
#include "ArticleEngine/Controller/list_key_table.h"

#include <QKeyEvent>
#include <QKeySequence>

#include <utility>

namespace ArticleEngine::Controller {

namespace {

using Command = ListKeyCommand;

// After Copy and the activation keys (matched by code), in this order.
constexpr std::pair<QKeySequence::StandardKey, Command> table[] = {
    {QKeySequence::MoveToPreviousChar, Command::MoveLeft},
    {QKeySequence::MoveToPreviousWord, Command::MoveLeft},
    {QKeySequence::MoveToPreviousLine, Command::MoveUp},
    {QKeySequence::MoveToNextChar, Command::MoveRight},
    {QKeySequence::MoveToNextWord, Command::MoveRight},
    {QKeySequence::MoveToNextLine, Command::MoveDown},
    {QKeySequence::MoveToPreviousPage, Command::PageUp},
    {QKeySequence::MoveToNextPage, Command::PageDown},
    {QKeySequence::MoveToStartOfLine, Command::MoveLineStart},
    {QKeySequence::MoveToEndOfLine, Command::MoveLineEnd},
    {QKeySequence::MoveToStartOfDocument, Command::MoveDocumentStart},
    {QKeySequence::MoveToEndOfDocument, Command::MoveDocumentEnd},
    {QKeySequence::SelectPreviousChar, Command::SelectLeft},
    {QKeySequence::SelectPreviousWord, Command::SelectLeft},
    {QKeySequence::SelectPreviousLine, Command::SelectUp},
    {QKeySequence::SelectNextChar, Command::SelectRight},
    {QKeySequence::SelectNextWord, Command::SelectRight},
    {QKeySequence::SelectNextLine, Command::SelectDown},
    {QKeySequence::SelectPreviousPage, Command::SelectPage},
    {QKeySequence::SelectNextPage, Command::SelectPage},
    {QKeySequence::SelectStartOfLine, Command::SelectLineStart},
    {QKeySequence::SelectEndOfLine, Command::SelectLineEnd},
    {QKeySequence::SelectStartOfDocument, Command::SelectDocumentStart},
    {QKeySequence::SelectEndOfDocument, Command::SelectDocumentEnd},
    {QKeySequence::SelectAll, Command::SelectAll},
};

} // namespace

ListKeyCommand listKeyCommand(const QKeyEvent& event)
{
    if (event.type() != QEvent::KeyPress)
        return Command::None;
    if (event.matches(QKeySequence::Copy))
        return Command::Copy;
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return Command::Activate;
    for (const auto& [key, command] : table) {
        if (event.matches(key))
            return command;
    }
    return Command::None;
}

} // namespace ArticleEngine::Controller
