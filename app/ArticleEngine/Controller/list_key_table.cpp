// list_key_table.cpp: the list's key table in its matching order.
#include "ArticleEngine/Controller/list_key_table.h"

#include <QKeyEvent>
#include <QKeySequence>

#include <utility>

namespace ArticleEngine::Controller {

namespace {

// After Copy and the activation keys (matched by code), in this order.
constexpr std::pair<QKeySequence::StandardKey, ListKeyCommand> table[] = {
    {QKeySequence::MoveToPreviousChar, {ListKey::PreviousWord, false}},
    {QKeySequence::MoveToPreviousWord, {ListKey::PreviousWord, false}},
    {QKeySequence::MoveToPreviousLine, {ListKey::PreviousLine, false}},
    {QKeySequence::MoveToNextChar, {ListKey::NextWord, false}},
    {QKeySequence::MoveToNextWord, {ListKey::NextWord, false}},
    {QKeySequence::MoveToNextLine, {ListKey::NextLine, false}},
    {QKeySequence::MoveToPreviousPage, {ListKey::PreviousPage, false}},
    {QKeySequence::MoveToNextPage, {ListKey::NextPage, false}},
    {QKeySequence::MoveToStartOfLine, {ListKey::LineStart, false}},
    {QKeySequence::MoveToEndOfLine, {ListKey::LineEnd, false}},
    {QKeySequence::MoveToStartOfDocument, {ListKey::DocumentStart, false}},
    {QKeySequence::MoveToEndOfDocument, {ListKey::DocumentEnd, false}},
    {QKeySequence::SelectPreviousChar, {ListKey::PreviousWord, true}},
    {QKeySequence::SelectPreviousWord, {ListKey::PreviousWord, true}},
    {QKeySequence::SelectPreviousLine, {ListKey::PreviousLine, true}},
    {QKeySequence::SelectNextChar, {ListKey::NextWord, true}},
    {QKeySequence::SelectNextWord, {ListKey::NextWord, true}},
    {QKeySequence::SelectNextLine, {ListKey::NextLine, true}},
    {QKeySequence::SelectPreviousPage, {ListKey::PreviousPage, true}},
    {QKeySequence::SelectNextPage, {ListKey::NextPage, true}},
    {QKeySequence::SelectStartOfLine, {ListKey::LineStart, true}},
    {QKeySequence::SelectEndOfLine, {ListKey::LineEnd, true}},
    {QKeySequence::SelectStartOfDocument, {ListKey::DocumentStart, true}},
    {QKeySequence::SelectEndOfDocument, {ListKey::DocumentEnd, true}},
    {QKeySequence::SelectAll, {ListKey::SelectAll, false}},
};

} // namespace

ListKeyCommand listKeyCommand(const QKeyEvent& event)
{
    if (event.type() != QEvent::KeyPress)
        return {};
    if (event.matches(QKeySequence::Copy))
        return {ListKey::Copy, false};
    if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        return {ListKey::Activate, false};
    for (const auto& [key, command] : table) {
        if (event.matches(key))
            return command;
    }
    return {};
}

} // namespace ArticleEngine::Controller
