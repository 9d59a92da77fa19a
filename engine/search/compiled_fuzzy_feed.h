// compiled_fuzzy_feed.h: slot 25 of the compiled-dictionary table, which
// feeds a fuzzy search with the dictionary's headwords, or with its
// compressed word list ("WLST") when the header marks one.
#pragma once

struct DictionaryRecord;
struct FuzzyState;

namespace lexvane::engine {

// Offers every headword of the main list in order (each form on its own,
// the whole headword kept with the dictionary's id), or every word of the
// word list. Stops with 0 at the state's stop flag; a read or decoding
// failure ends the feed with its status. LV_BAD_ARGUMENT for a null state
// or a record without a compiled dictionary.
int feedCompiledFuzzy(DictionaryRecord& record, FuzzyState* state);

} // namespace lexvane::engine
