// merge_search_interface.cpp: wildcard and fuzzy search over a set.
//
// The searches themselves live in search/; a set only supplies its groups
// (for the wildcard walk, which keeps their headwords for the next search)
// and its members (for the fuzzy feed).
#include "lexvane_engine.h"
#include "merge/merge_record.h"
#include "search/fuzzy_dictionaries.h"
#include "search/fuzzy_state.h"
#include "search/wildcard_list_search.h"

#include <algorithm>
#include <string_view>
#include <vector>

namespace {

using lexvane::engine::WildcardSearchList;

// The set's merged list, group by group.
class SetGroups : public WildcardSearchList {
public:
    explicit SetGroups(MergeRecord& set) : m_set(set) {}

    std::int32_t total() override { return m_set.total(); }

    int positionAt(std::int32_t index, std::u16string_view& headword, std::int32_t& groupSize) override
    {
        const char16_t* word = nullptr;
        if (const int status = m_set.positionAt(index, &word))
            return status;
        headword = word ? std::u16string_view(word) : std::u16string_view();
        groupSize = std::max(m_set.position() + m_set.groupSize() - index, 1);
        m_set.keepGroupWord(index, headword, index + groupSize);
        return LV_OK;
    }

    const lexvane::engine::WordCache* keptGroups(std::int32_t& end) override { return m_set.keptGroupWords(end); }

private:
    MergeRecord& m_set;
};

} // namespace

extern "C" {

int MrgSearchWildCard(MergeRecord* set, const char16_t* mask, std::int32_t max, LvWordCallback callback, void* user)
{
    if (!set)
        return LV_NULL_HANDLE;
    if (!mask)
        return LV_NULL_ARGUMENT;
    SetGroups groups(*set);
    set->complete();
    return lexvane::engine::searchWildcardList(groups, set->mainTable(), mask, max, callback, user);
}

int MrgFuzzySearch(MergeRecord* set, const char16_t* word, std::int32_t maxResults, LvWordCallback callback,
                   void* user)
{
    if (!set)
        return LV_NULL_HANDLE;
    if (!word || maxResults < 0)
        return LV_BAD_ARGUMENT;
    FuzzyState state;
    if (const int status = state.start(word, maxResults))
        return status;
    std::vector<DictionaryRecord*> members;
    for (int i = 0; i < set->memberCount(); ++i)
        members.push_back(set->member(i));
    // A failing member ends the feed; what was kept until then is still
    // the best found.
    lexvane::engine::feedDictionaries(state, members);
    lexvane::engine::reportFuzzyResults(state, callback, user);
    // Feeding moved every member's reading position: the set stands anew
    // at its start, as a search for a blank leaves it.
    set->searchByText(u" ", false);
    return LV_OK;
}

} // extern "C"
