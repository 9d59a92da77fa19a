// ud_handle.cpp: reading articles into the current-article buffer.
#include "userdic/ud_handle.h"

#include "userdic/body_runs.h"

namespace lexvane::engine::userdic {

namespace {
bool asksForTitle(int kind)
{
    return kind == 0 || kind == 2;
}
} // namespace

void UdHandle::forgetCurrent()
{
    m_index = -1;
    m_text.clear();
    m_holdsBody = false;
}

int UdHandle::read(std::int32_t index, int kind)
{
    const bool title = asksForTitle(kind);
    if (index == m_index && !m_text.empty()) {
        if (title) {
            // After a body, the title is the text before the body's first
            // run: the importers write the headword there.
            if (m_holdsBody) {
                m_text = std::u16string(runPrefix(m_text));
                m_holdsBody = false;
            }
            return LV_OK;
        }
    } else {
        m_index = index;
        m_text.clear();
        m_holdsBody = false;
    }
    if (index < 0)
        return LV_OK;
    std::int32_t count = 0;
    int status = database.articleCount(count);
    if (status != LV_OK)
        return status;
    if (count == 0)
        return LV_OK;
    if (title) {
        if (m_text.empty())
            status = database.readByIndex(index, UdDatabase::Column::Title, m_text);
        return status;
    }
    std::u16string body;
    status = database.readByIndex(index, UdDatabase::Column::Body, body);
    if (status != LV_OK) {
        m_text.clear();
        return status;
    }
    m_text = toRunForm(body);
    m_holdsBody = true;
    return LV_OK;
}

int UdHandle::reloadStyles()
{
    StyleList list;
    const int status = database.readStyles(list);
    present.fill(false);
    // Only numbers below the number of stored styles count; a gap leaves an
    // empty entry (docs/behaviour/user-dictionary.md).
    for (std::int32_t number = 0; number < list.count(); ++number) {
        StyleRecord record{};
        if (static_cast<std::size_t>(number) < kStyleTableSize && list.get(number, record)) {
            styles[static_cast<std::size_t>(number)] = record;
            present[static_cast<std::size_t>(number)] = true;
        }
    }
    return status;
}

UdHandle* userDictionaryOf(DictionaryRecord* record)
{
    if (!record || !record->state || record->state->tag != UdHandle::kTag)
        return nullptr;
    return static_cast<UdHandle*>(record->state.get());
}

} // namespace lexvane::engine::userdic
