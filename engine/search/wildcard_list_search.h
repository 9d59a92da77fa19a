// wildcard_list_search.h: the wildcard search over a merged word list.
//
// The list is walked group by group (a group is one merged entry, held by
// one or more members); each group's headword is split into its forms,
// stress marks are ignored on both sides, and a match is reported once. The
// set supplies the walk through WildcardSearchList, so that this file knows
// nothing of how members are merged. The headwords of groups that an
// earlier walk kept are matched first, without positioning the list; the
// walk goes on after them. See docs/behaviour/wildcard-search.md.
#pragma once

#include "lexvane_engine.h"

#include <cstdint>
#include <string_view>

namespace lexvane::engine {

class SortTable;
class WordCache;

class WildcardSearchList {
public:
    virtual ~WildcardSearchList() = default;
    // Number of merged entries.
    virtual std::int32_t total() = 0;
    // Positions the list at merged entry `index`: its headword (the word of
    // its lowest-numbered member, valid until the next call) and the number
    // of merged entries its group spans. 0 or a status that ends the search.
    virtual int positionAt(std::int32_t index, std::u16string_view& headword, std::int32_t& groupSize) = 0;
    // The headwords of the list's first groups in order, kept from an
    // earlier walk, and in `end` the merged index after the last of them;
    // null (and 0) when none are kept.
    virtual const WordCache* keptGroups(std::int32_t& end)
    {
        end = 0;
        return nullptr;
    }
};

// Reports callback(headword, 0, user) for every matching group in list
// order; `table` (the set's main sort table) may be null. 0 when the list
// ends first; LV_STOPPED once `max` groups were reported (at once when `max`
// is below 1); a positioning status; LV_NO_MEMORY.
int searchWildcardList(WildcardSearchList& list, const SortTable* table, std::u16string_view mask, std::int32_t max,
                       LvWordCallback callback, void* user);

} // namespace lexvane::engine
