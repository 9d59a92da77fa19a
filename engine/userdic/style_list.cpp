// style_list.cpp: numbering, matching and validating styles.
#include "userdic/style_list.h"

#include <array>
#include <cstdlib>
#include <limits>

namespace lexvane::engine::userdic {

bool sameStyle(const StyleRecord& a, const StyleRecord& b)
{
    return a.color == b.color && a.language == b.language && a.bold == b.bold && a.italic == b.italic &&
           a.underline == b.underline && a.fontSize == b.fontSize && a.level == b.level;
}

namespace {

// How far apart two styles look: colour channels count by their difference,
// the headword-class byte and each other attribute by a step larger than any
// colour difference, so that a style of the same kind wins over a style of
// the same colour.
long styleDistance(const StyleRecord& a, const StyleRecord& b)
{
    long distance = 0;
    for (int shift = 0; shift < 24; shift += 8)
        distance += std::labs(static_cast<long>((a.color >> shift) & 0xFF) - static_cast<long>((b.color >> shift) & 0xFF));
    constexpr long kStep = 3 * 256;
    if ((a.color >> 24) != (b.color >> 24))
        distance += 2 * kStep;
    distance += kStep * ((a.language != b.language) + (a.bold != b.bold) + (a.italic != b.italic) +
                         (a.underline != b.underline) + (a.fontSize != b.fontSize) + (a.level != b.level));
    return distance;
}

} // namespace

std::int32_t StyleList::nearest(const StyleRecord& record) const
{
    std::int32_t best = 0;
    long bestDistance = std::numeric_limits<long>::max();
    for (const StyleRecord& candidate : m_records) {
        if (candidate.number < 0 || candidate.number > kHighestAutomaticNumber)
            continue;
        const long distance = styleDistance(record, candidate);
        if (distance < bestDistance || (distance == bestDistance && candidate.number < best)) {
            best = candidate.number;
            bestDistance = distance;
        }
    }
    return best;
}

std::int32_t StyleList::add(StyleRecord record)
{
    if (record.number < 0) {
        std::array<bool, kHighestAutomaticNumber + 1> used{};
        for (const StyleRecord& existing : m_records)
            if (existing.number >= 0 && existing.number <= kHighestAutomaticNumber)
                used[static_cast<std::size_t>(existing.number)] = true;
        std::int32_t free = -1;
        for (std::int32_t n = 0; n <= kHighestAutomaticNumber && free < 0; ++n)
            if (!used[static_cast<std::size_t>(n)])
                free = n;
        if (free < 0)
            return nearest(record);
        record.number = free;
    }
    m_records.push_back(record);
    return record.number;
}

std::int32_t StyleList::matchOrAdd(StyleRecord record)
{
    for (const StyleRecord& existing : m_records)
        if (sameStyle(existing, record))
            return existing.number;
    record.number = -1;
    return add(record);
}

bool StyleList::get(std::int32_t number, StyleRecord& out) const
{
    for (const StyleRecord& record : m_records) {
        if (record.number == number) {
            out = record;
            return true;
        }
    }
    return false;
}

bool StyleList::storable() const
{
    std::array<bool, kHighestStyleNumber + 1> used{};
    for (const StyleRecord& record : m_records) {
        if (record.number < 0 || record.number > kHighestStyleNumber)
            return false;
        if (used[static_cast<std::size_t>(record.number)])
            return false;
        used[static_cast<std::size_t>(record.number)] = true;
    }
    return true;
}

} // namespace lexvane::engine::userdic
