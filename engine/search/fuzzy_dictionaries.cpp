// fuzzy_dictionaries.cpp: feeding from dictionaries and reporting results.
#include "search/fuzzy_dictionaries.h"

#include "frame/dictionary_record.h"

namespace lexvane::engine {

int feedDictionaries(FuzzyState& state, std::span<DictionaryRecord* const> dictionaries)
{
    for (DictionaryRecord* dictionary : dictionaries) {
        if (state.stopRequested())
            break;
        if (!dictionary || !dictionary->ops || !dictionary->ops->feedFuzzy || !dictionary->state)
            continue;
        if (const int status = dictionary->ops->feedFuzzy(*dictionary, &state))
            return status;
    }
    return LV_OK;
}

void reportFuzzyResults(const FuzzyState& state, LvWordCallback callback, void* user)
{
    if (!callback)
        return;
    for (const FuzzyResult& result : state.results())
        callback(result.headword, 0, user);
}

} // namespace lexvane::engine
