// ud_handle.h: what stands behind the handle of an open user dictionary.
//
// The handle carries the tag "cidu" so that the Ud* exports can tell a
// user dictionary from a compiled one before they touch it. Besides the
// database it keeps the reading state that the operation table works on:
// the current word index and the current-article buffer, the dictionary's
// id and languages, and the styles loaded at opening.
#pragma once

#include "frame/dictionary_record.h"
#include "userdic/style_list.h"
#include "userdic/ud_database.h"

#include <array>
#include <cstdint>
#include <string>

namespace lexvane::engine::userdic {

class UdHandle : public DictionaryState {
public:
    // "cidu": the bytes 0x63 0x69 0x64 0x75 read as a little-endian value.
    static constexpr std::uint32_t kTag = 0x75646963u;
    static constexpr std::size_t kStyleTableSize = 1000;

    UdHandle() : DictionaryState(kTag) {}

    // Reads word index `index` into the current-article buffer: the title
    // for text kinds 0 and 2, the body in run form for every other kind.
    int read(std::int32_t index, int kind);
    const std::u16string& currentText() const { return m_text; }
    std::int32_t currentIndex() const { return m_index; }
    // True when the buffer holds a body in run form (not a title).
    bool holdsBody() const { return m_holdsBody; }
    // Forgets the buffer, as after a change of the word indexes.
    void forgetCurrent();
    // Loads the stored styles into the style table.
    int reloadStyles();

    UdDatabase database;
    std::int32_t id = 0;
    std::int32_t sourceLanguage = 0;
    std::int32_t targetLanguage = 0;
    // Style table by number, as loaded at opening; `present` marks the
    // numbers the file has.
    std::array<StyleRecord, kStyleTableSize> styles{};
    std::array<bool, kStyleTableSize> present{};
    // Room for the title of a quick-access point, apart from the
    // current-article buffer.
    std::u16string quickAccessTitle;

private:
    std::int32_t m_index = -1;
    std::u16string m_text;
    bool m_holdsBody = false;
};

// The user dictionary behind a record; null for every other kind of record.
UdHandle* userDictionaryOf(DictionaryRecord* record);

} // namespace lexvane::engine::userdic
