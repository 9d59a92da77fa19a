// edit_key_table.cpp: the editor's key table in its matching order.
#include "ArticleEngine/Controller/edit_key_table.h"

#include <QKeyEvent>
#include <QKeySequence>

#include <utility>

namespace ArticleEngine::Controller {

namespace {

using Command = EditKeyCommand;

constexpr std::pair<QKeySequence::StandardKey, Command> editingKeys[] = {
    {QKeySequence::Undo, Command::Undo},
    {QKeySequence::Redo, Command::Redo},
    {QKeySequence::Copy, Command::Copy},
    {QKeySequence::Cut, Command::Cut},
    {QKeySequence::Paste, Command::Paste},
    {QKeySequence::Delete, Command::Delete},
};

// After Back, the word deletions and the keys matched by code.
constexpr std::pair<QKeySequence::StandardKey, Command> wordDeletionKeys[] = {
    {QKeySequence::DeleteStartOfWord, Command::DeleteStartOfWord},
    {QKeySequence::DeleteEndOfWord, Command::DeleteEndOfWord},
    {QKeySequence::DeleteEndOfLine, Command::DeleteEndOfLine},
};

constexpr std::pair<QKeySequence::StandardKey, Command> movementKeys[] = {
    {QKeySequence::MoveToPreviousChar, Command::PreviousCharacter},
    {QKeySequence::MoveToNextChar, Command::NextCharacter},
    {QKeySequence::MoveToPreviousWord, Command::PreviousWord},
    {QKeySequence::MoveToNextWord, Command::NextWord},
    {QKeySequence::MoveToPreviousLine, Command::LineUp},
    {QKeySequence::MoveToNextLine, Command::LineDown},
    {QKeySequence::MoveToPreviousPage, Command::PageUp},
    {QKeySequence::MoveToNextPage, Command::PageDown},
    {QKeySequence::MoveToStartOfLine, Command::LineStart},
    {QKeySequence::MoveToStartOfBlock, Command::LineStart},
    {QKeySequence::MoveToEndOfLine, Command::LineEnd},
    {QKeySequence::MoveToEndOfBlock, Command::LineEnd},
    {QKeySequence::MoveToStartOfDocument, Command::DocumentStart},
    {QKeySequence::MoveToEndOfDocument, Command::DocumentEnd},
    {QKeySequence::SelectPreviousChar, Command::SelectPreviousCharacter},
    {QKeySequence::SelectNextChar, Command::SelectNextCharacter},
    {QKeySequence::SelectPreviousWord, Command::SelectPreviousWord},
    {QKeySequence::SelectNextWord, Command::SelectNextWord},
    {QKeySequence::SelectPreviousLine, Command::SelectLineUp},
    {QKeySequence::SelectNextLine, Command::SelectLineDown},
    {QKeySequence::SelectPreviousPage, Command::SelectPage},
    {QKeySequence::SelectNextPage, Command::SelectPage},
    {QKeySequence::SelectStartOfLine, Command::SelectLineStart},
    {QKeySequence::SelectEndOfLine, Command::SelectLineEnd},
    {QKeySequence::SelectStartOfDocument, Command::SelectDocumentStart},
    {QKeySequence::SelectEndOfDocument, Command::SelectDocumentEnd},
    {QKeySequence::SelectAll, Command::SelectAll},
};

} // namespace

EditKeyCommand editKeyCommand(const QKeyEvent& event)
{
    if (event.type() != QEvent::KeyPress)
        return Command::None;
    for (const auto& [key, command] : editingKeys) {
        if (event.matches(key))
            return command;
    }
    // Without Ctrl, Alt or Meta, so that the word deletions below still see
    // their Backspace combinations.
    const bool plain = (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) == 0;
    if (event.matches(QKeySequence::Back) || (event.key() == Qt::Key_Backspace && plain))
        return Command::Backspace;
    for (const auto& [key, command] : wordDeletionKeys) {
        if (event.matches(key))
            return command;
    }
    switch (event.key()) {
    case Qt::Key_Enter:
    case Qt::Key_Return:
        return Command::NewParagraph;
    case Qt::Key_Tab:
        return Command::Indent;
    case Qt::Key_Backtab:
        return Command::Outdent;
    default:
        break;
    }
    for (const auto& [key, command] : movementKeys) {
        if (event.matches(key))
            return command;
    }
    return Command::None;
}

} // namespace ArticleEngine::Controller
