// list_key_table.h: which command of the list a key press asks for.
//
// Keys are matched through the toolkit's standard key bindings, so that
// every platform's own keys work, in a fixed order: the first entry that
// matches decides. Return and Enter are matched by key code.
#pragma once

class QKeyEvent;

namespace ArticleEngine::Controller {

// What a key asks for; the moves also come with Shift (select) in the
// platform's bindings.
enum class ListKey {
    None,
    Copy,
    Activate,
    PreviousWord,
    PreviousLine,
    NextWord,
    NextLine,
    PreviousPage,
    NextPage,
    LineStart,
    LineEnd,
    DocumentStart,
    DocumentEnd,
    SelectAll,
};

struct ListKeyCommand {
    ListKey key = ListKey::None;
    // Extend the selection instead of moving the caret; a page key that
    // selects does nothing.
    bool select = false;
};

// None for a release or a key the table does not hold.
ListKeyCommand listKeyCommand(const QKeyEvent& event);

} // namespace ArticleEngine::Controller
