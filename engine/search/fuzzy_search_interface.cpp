// fuzzy_search_interface.cpp: the exported fuzzy searches: over one
// dictionary, and the FuzzySearch functions through which a caller matches
// its own candidates against a word.
#include "search/fuzzy_dictionaries.h"
#include "search/fuzzy_state.h"

#include <memory>
#include <new>
#include <string_view>

namespace {

// The text of a caller's candidate: at most length - 1 units, and never past
// its terminator. Only lengths that can still be compared need scanning.
std::u16string_view boundedText(const char16_t* text, std::int32_t length)
{
    const std::size_t limit = static_cast<std::size_t>(length - 1);
    const std::size_t scan = std::min<std::size_t>(limit, FuzzyState::kMatrixSize);
    std::size_t size = 0;
    while (size < scan && text[size] != 0)
        ++size;
    return std::u16string_view(text, size);
}

// The caller's word, scanned no further than needed to tell that it is too
// long to search for.
std::u16string_view queryText(const char16_t* word)
{
    std::size_t size = 0;
    while (size <= static_cast<std::size_t>(FuzzyState::kMaximumQueryUnits) && word[size] != 0)
        ++size;
    return std::u16string_view(word, size);
}

} // namespace

extern "C" {

int DicFuzzySearch(DictionaryRecord* dic, const char16_t* word, std::int32_t maxResults, LvWordCallback callback,
                   void* user)
{
    if (!dic)
        return LV_NULL_HANDLE;
    if (!word || maxResults < 0)
        return LV_BAD_ARGUMENT;
    FuzzyState state;
    if (const int status = state.start(queryText(word), maxResults))
        return status;
    // What was kept before a failure is still the best found so far.
    const int status = lexvane::engine::feedDictionaries(state, std::span(&dic, 1));
    lexvane::engine::reportFuzzyResults(state, callback, user);
    return status;
}

int FuzzySearchStart(FuzzyState** state, const char16_t* word, std::int32_t maxResults)
{
    if (!state)
        return LV_BAD_ARGUMENT;
    *state = nullptr;
    if (!word || maxResults < 0)
        return LV_BAD_ARGUMENT;
    std::unique_ptr<FuzzyState> fresh(new (std::nothrow) FuzzyState);
    if (!fresh)
        return LV_NO_MEMORY;
    const int status = fresh->start(queryText(word), maxResults);
    if (status == LV_NO_MEMORY)
        return status;
    // A word too long still hands back a state, which keeps nothing.
    *state = fresh.release();
    return status;
}

int FuzzySearchFeed(FuzzyState* state, const char16_t* candidate, std::int32_t length, std::int32_t key)
{
    if (!state || !candidate || length < 1)
        return LV_BAD_ARGUMENT;
    const std::u16string_view text = boundedText(candidate, length);
    return state->offer(text, text, key);
}

int FuzzySearchEnd(FuzzyState* state, LvWordCallback callback, void* user)
{
    if (!state)
        return LV_BAD_ARGUMENT;
    std::unique_ptr<FuzzyState> owned(state);
    if (callback) {
        for (const FuzzyResult& result : owned->results())
            callback(result.headword, result.key, user);
    }
    return LV_OK;
}

} // extern "C"
