// fuzzy_dictionaries.h: the fuzzy search over whole dictionaries, shared by
// DicFuzzySearch and the set search.
#pragma once

#include "lexvane_engine.h"
#include "search/fuzzy_state.h"

#include <span>

namespace lexvane::engine {

// Feeds `state` from each dictionary in turn through its operation table
// (slot 25) until the state's stop flag is set. The first failing feed ends
// the feeding with its status.
int feedDictionaries(FuzzyState& state, std::span<DictionaryRecord* const> dictionaries);

// Calls callback(headword, 0, user) for each kept result, best first. The
// headword pointer is the FuzzyResult's own, so a caller may read the whole
// result from it.
void reportFuzzyResults(const FuzzyState& state, LvWordCallback callback, void* user);

} // namespace lexvane::engine
