// list_key_table.h: which command of the list a key press asks for.
//
// Keys are matched through the toolkit's standard key bindings, so that
// every platform's own keys work, in a fixed order: the first entry that
// matches decides. Return and Enter are matched by key code.
#pragma once

class QKeyEvent;

namespace ArticleEngine::Controller {

enum class ListKeyCommand {
    None,
    Copy,
    Activate,
    MoveLeft,
    MoveUp,
    MoveRight,
    MoveDown,
    PageUp,
    PageDown,
    MoveLineStart,
    MoveLineEnd,
    MoveDocumentStart,
    MoveDocumentEnd,
    SelectLeft,
    SelectUp,
    SelectRight,
    SelectDown,
    SelectPage, // consumed, does nothing
    SelectLineStart,
    SelectLineEnd,
    SelectDocumentStart,
    SelectDocumentEnd,
    SelectAll,
};

// None for a release or a key the table does not hold.
ListKeyCommand listKeyCommand(const QKeyEvent& event);

} // namespace ArticleEngine::Controller
