// edit_undo_history.cpp: snapshots as changes against their predecessor,
// whole and compressed at intervals.
#include "ArticleEngine/Controller/edit_undo_history.h"

#include <algorithm>

namespace ArticleEngine::Controller {

namespace {

QByteArray compressed(const QString& source)
{
    const QByteArray bytes(reinterpret_cast<const char*>(source.utf16()), source.size() * 2);
    // An empty source must still make a non-empty record: it marks the
    // entry as whole.
    QByteArray packed = qCompress(bytes, 1);
    // Compressing reserves room for the worst case: give back what it did
    // not use.
    packed.squeeze();
    return packed;
}

QString uncompressed(const QByteArray& data)
{
    const QByteArray bytes = qUncompress(data);
    return QString(reinterpret_cast<const QChar*>(bytes.constData()), bytes.size() / 2);
}

} // namespace

EditUndoHistory::Entry EditUndoHistory::makeEntry(const QString& source, const QString& previous,
                                                  bool whole) const
{
    Entry entry;
    if (whole) {
        entry.whole = compressed(source);
        return entry;
    }
    const qsizetype shorter = std::min(source.size(), previous.size());
    qsizetype prefix = 0;
    while (prefix < shorter && source[prefix] == previous[prefix])
        ++prefix;
    qsizetype suffix = 0;
    while (suffix < shorter - prefix
           && source[source.size() - 1 - suffix] == previous[previous.size() - 1 - suffix])
        ++suffix;
    entry.prefix = int(prefix);
    entry.suffix = int(suffix);
    entry.middle = source.mid(prefix, source.size() - prefix - suffix);
    entry.middle.squeeze();
    return entry;
}

void EditUndoHistory::reset(const QString& source, const EditCaretState& state)
{
    m_entries.clear();
    m_entries.push_back(makeEntry(source, {}, true));
    m_entries.back().state = state;
    m_current = 0;
    m_lastSource = source;
}

void EditUndoHistory::push(const QString& source, const EditCaretState& state)
{
    if (m_entries.empty()) {
        reset(source, state);
        return;
    }
    if (!isAtLast()) {
        // Read before the erase: the last snapshot's source is the one kept
        // apart, and the current one becomes the last.
        m_lastSource = this->source(m_current);
        m_entries.erase(m_entries.begin() + m_current + 1, m_entries.end());
    }
    const int index = count();
    const bool whole = index - keyBefore(index - 1) >= keyInterval;
    m_entries.push_back(makeEntry(source, m_lastSource, whole));
    m_entries.back().state = state;
    m_lastSource = source;
    if (count() >= limit) {
        const int drop = count() - (limit - 1);
        // The new first snapshot has nothing before it to change.
        makeWhole(drop);
        m_entries.erase(m_entries.begin(), m_entries.begin() + drop);
    }
    m_current = count() - 1;
}

void EditUndoHistory::storeState(const EditCaretState& state)
{
    if (m_current >= 0)
        m_entries[std::size_t(m_current)].state = state;
}

bool EditUndoHistory::stepBack()
{
    if (!canUndo())
        return false;
    --m_current;
    return true;
}

bool EditUndoHistory::stepForward()
{
    if (!canRedo())
        return false;
    ++m_current;
    return true;
}

int EditUndoHistory::keyBefore(int index) const
{
    while (index > 0 && !m_entries[std::size_t(index)].isWhole())
        --index;
    return index;
}

QString EditUndoHistory::source(int index) const
{
    if (index < 0 || index >= count())
        return {};
    if (index == count() - 1)
        return m_lastSource;
    const int key = keyBefore(index);
    QString text = uncompressed(m_entries[std::size_t(key)].whole);
    for (int i = key + 1; i <= index; ++i) {
        const Entry& entry = m_entries[std::size_t(i)];
        text = text.left(entry.prefix) + entry.middle + text.right(entry.suffix);
    }
    return text;
}

void EditUndoHistory::makeWhole(int index)
{
    Entry& entry = m_entries[std::size_t(index)];
    if (entry.isWhole())
        return;
    const QString text = source(index);
    const EditCaretState state = entry.state;
    entry = makeEntry(text, {}, true);
    entry.state = state;
}

std::size_t EditUndoHistory::storedBytes() const
{
    std::size_t bytes = std::size_t(m_lastSource.capacity()) * 2;
    for (const Entry& entry : m_entries)
        bytes += sizeof(Entry) + std::size_t(entry.whole.capacity()) + std::size_t(entry.middle.capacity()) * 2;
    return bytes;
}

} // namespace ArticleEngine::Controller
