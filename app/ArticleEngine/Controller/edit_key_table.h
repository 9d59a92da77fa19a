// edit_key_table.h: which command of the editor a key press asks for.
//
// Keys are matched through the toolkit's standard key bindings, in a fixed
// order: the first entry that matches decides. Back also answers to the
// Backspace key itself: on Linux desktops Back is bound to Alt+Left only.
// Enter, Return, Tab and Backtab are matched by key code.
#pragma once

class QKeyEvent;

namespace ArticleEngine::Controller {

enum class EditKeyCommand {
    None, // not a key of the table: its text may be typed
    Undo,
    Redo,
    Copy,
    Cut,
    Paste,
    Delete,
    Backspace,
    DeleteStartOfWord,
    DeleteEndOfWord,
    DeleteEndOfLine,
    NewParagraph,
    Indent,
    Outdent,
    PreviousCharacter,
    NextCharacter,
    PreviousWord,
    NextWord,
    LineUp,
    LineDown,
    PageUp,
    PageDown,
    LineStart,
    LineEnd,
    DocumentStart,
    DocumentEnd,
    SelectPreviousCharacter,
    SelectNextCharacter,
    SelectPreviousWord,
    SelectNextWord,
    SelectLineUp,
    SelectLineDown,
    SelectPage, // consumed, does nothing
    SelectLineStart,
    SelectLineEnd,
    SelectDocumentStart,
    SelectDocumentEnd,
    SelectAll,
};

// None for a release too.
EditKeyCommand editKeyCommand(const QKeyEvent& event);

} // namespace ArticleEngine::Controller
