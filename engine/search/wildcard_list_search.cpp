// wildcard_list_search.cpp: walking a merged word list with one matcher.
#include "search/wildcard_list_search.h"

#include "compiled/word_cache.h"
#include "search/wildcard_matcher.h"

#include <algorithm>
#include <new>
#include <string>

namespace lexvane::engine {

int searchWildcardList(WildcardSearchList& list, const SortTable* table, std::u16string_view mask, std::int32_t max,
                       LvWordCallback callback, void* user)
{
    if (max < 1)
        return LV_STOPPED;
    try {
        const WildcardMatcher matcher(normaliseWildcardMask(mask, StressMarks::Remove), table, StressMarks::Remove);
        std::u16string reported;
        std::int32_t count = 0;
        // True once the limit is reached. Kept headwords carry marks that
        // spare most of them the search for a TAB and a stress mark.
        const auto offer = [&](std::u16string_view headword, bool plain) {
            if (!(plain ? matcher.matchesPlainHeadword(headword) : matcher.matchesHeadword(headword)))
                return false;
            if (callback) {
                reported.assign(headword); // terminated for the caller
                callback(reported.c_str(), 0, user);
            }
            return ++count == max;
        };

        std::int32_t index = 0;
        if (const WordCache* kept = list.keptGroups(index)) {
            const auto replay = [&](std::u16string_view headword, unsigned marks) {
                return offer(headword, marks == 0) ? 1 : 0;
            };
            if (kept->forEachWord(replay))
                return LV_STOPPED;
        }
        const std::int32_t total = list.total();
        while (index < total) {
            std::u16string_view headword;
            std::int32_t groupSize = 1;
            if (const int status = list.positionAt(index, headword, groupSize))
                return status;
            // A group always moves the walk on, however the list answers.
            index += std::max<std::int32_t>(groupSize, 1);
            if (offer(headword, false))
                return LV_STOPPED;
        }
        return LV_OK;
    } catch (const std::bad_alloc&) {
        return LV_NO_MEMORY;
    }
}

} // namespace lexvane::engine
