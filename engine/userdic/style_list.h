// style_list.h: the 20-byte StyleRecord and an ordered list of styles.
//
// A StyleRecord is exchanged with callers in memory only; the `styles`
// table stores its fields as columns. The list keeps records in insertion
// order and hands out numbers: automatic numbers stay within 0 to 98, so
// that a body always writes a style as exactly two digits; when all of them
// are taken the nearest existing style is reused
// (docs/behaviour/user-dictionary.md).
#pragma once

#include "lexvane_engine.h"

#include <cstddef>
#include <cstdint>
#include <vector>

static_assert(sizeof(StyleRecord) == 20);
static_assert(offsetof(StyleRecord, number) == 0);
static_assert(offsetof(StyleRecord, color) == 4);
static_assert(offsetof(StyleRecord, language) == 8);
static_assert(offsetof(StyleRecord, bold) == 9);
static_assert(offsetof(StyleRecord, italic) == 10);
static_assert(offsetof(StyleRecord, underline) == 11);
static_assert(offsetof(StyleRecord, fontSize) == 12);
static_assert(offsetof(StyleRecord, level) == 13);
static_assert(offsetof(StyleRecord, reserved) == 14);
static_assert(offsetof(StyleRecord, secondColor) == 16);

namespace lexvane::engine::userdic {

// Style numbers a body can carry, and those the list gives out itself.
inline constexpr std::int32_t kHighestStyleNumber = 99;
inline constexpr std::int32_t kHighestAutomaticNumber = 98;

// Two records describe the same style when the colour and the six bytes
// after it are equal; number and reserved bytes do not count.
bool sameStyle(const StyleRecord& a, const StyleRecord& b);

class StyleList {
public:
    // Appends a record. A negative number is replaced by the lowest of 0 to
    // 98 that no record uses; when all are taken the record is not added and
    // the number of the nearest existing style is returned. Returns the
    // record's number.
    std::int32_t add(StyleRecord record);

    // The number of the first record that describes the same style, else
    // add(record) with a new number.
    std::int32_t matchOrAdd(StyleRecord record);

    bool get(std::int32_t number, StyleRecord& out) const;
    std::int32_t count() const { return static_cast<std::int32_t>(m_records.size()); }
    const std::vector<StyleRecord>& records() const { return m_records; }
    void clear() { m_records.clear(); }

    // True when every number is within 0 to 99 and none is given twice: the
    // condition for writing the list as the `styles` table.
    bool storable() const;

private:
    std::int32_t nearest(const StyleRecord& record) const;

    std::vector<StyleRecord> m_records;
};

} // namespace lexvane::engine::userdic
