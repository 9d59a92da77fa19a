// wildcard_interface.cpp: the exported WildCard functions, through which a
// caller matches its own candidates against a mask under the built-in sort
// table.
#include "collation/built_in_sort_table.h"
#include "lexvane_engine.h"
#include "search/wildcard_matcher.h"

#include <new>
#include <string_view>

struct WildCardPattern {
    lexvane::engine::WildcardMatcher matcher;
};

extern "C" {

WildCardPattern* WildCardStart(const char16_t* mask)
{
    if (!mask)
        return nullptr;
    try {
        using namespace lexvane::engine;
        return new WildCardPattern{
            WildcardMatcher(normaliseWildcardMask(mask, StressMarks::Keep), &builtInSortTable())};
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}

int WildCardFeed(WildCardPattern* pattern, const char16_t* candidate)
{
    if (!pattern || !candidate)
        return 0;
    return pattern->matcher.matchesHeadword(candidate) ? 1 : 0;
}

int WildCardEnd(WildCardPattern* pattern)
{
    delete pattern;
    return LV_OK;
}

} // extern "C"
