// edit_undo_history.h: the editor's undo history: snapshots of the whole
// article source with the caret record and the scroll state, and the
// current one.
//
// Snapshots are kept compactly (docs/behaviour/article-editing.md, "Undo
// memory"): most hold only what changed against the snapshot before them
// (the common start and end are shared); every keyInterval-th is whole and
// compressed. Reading any snapshot gives back its source exactly.
// Invariants: at least one snapshot once reset; the first snapshot is
// whole; count() < limit; 0 <= current() < count().
#pragma once

#include "ArticleEngine/Controller/article_edit_position.h"

#include <QByteArray>
#include <QString>

#include <cstddef>
#include <deque>

namespace ArticleEngine::Controller {

struct EditCaretState {
    ArticleEditPosition caret;
    ArticleEditPosition selectionStart;
    ArticleEditPosition selectionEnd;
    ArticleEditPosition anchor;
    ArticleEditPosition movingEnd;
    int scrollOffset = 0;
    int maximumOffset = 0;

    bool operator==(const EditCaretState&) const = default;
};

class EditUndoHistory {
public:
    // An append that makes the count reach this drops the oldest snapshots
    // until one less remains.
    static constexpr int limit = 3276;
    static constexpr int keyInterval = 32;

    // The history holds this one snapshot.
    void reset(const QString& source, const EditCaretState& state);
    // Drops every snapshot after the current one, appends, trims to the
    // limit; the new snapshot is current.
    void push(const QString& source, const EditCaretState& state);
    // The caret and scroll of the current snapshot.
    void storeState(const EditCaretState& state);

    int count() const { return int(m_entries.size()); }
    int current() const { return m_current; }
    bool isAtLast() const { return m_current == count() - 1; }
    bool canUndo() const { return m_current > 0; }
    bool canRedo() const { return m_current + 1 < count(); }
    // Moves the current snapshot one back or on; false when there is none.
    bool stepBack();
    bool stepForward();

    QString source(int index) const;
    const EditCaretState& state(int index) const { return m_entries[std::size_t(index)].state; }

    // Bytes the snapshots' texts take (for tests and benchmarks).
    std::size_t storedBytes() const;

private:
    struct Entry {
        // A whole snapshot: its source compressed; empty for a change.
        QByteArray whole;
        // A change: the first prefix and last suffix characters of the
        // snapshot before, with middle between them.
        int prefix = 0;
        int suffix = 0;
        QString middle;
        EditCaretState state;

        bool isWhole() const { return !whole.isEmpty(); }
    };

    Entry makeEntry(const QString& source, const QString& previous, bool whole) const;
    // The index of the latest whole snapshot at or before index.
    int keyBefore(int index) const;
    void makeWhole(int index);

    std::deque<Entry> m_entries;
    int m_current = -1;
    // The source of the last snapshot, against which the next change is
    // taken.
    QString m_lastSource;
};

} // namespace ArticleEngine::Controller
