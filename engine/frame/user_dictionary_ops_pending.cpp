// user_dictionary_ops_pending.cpp: the ".udd" table until user dictionaries
// are readable. Opening one fails cleanly as "not opened".
#include "collation/built_in_sort_table.h"
#include "frame/dictionary_ops.h"
#include "lexvane_engine.h"

namespace lexvane::engine {

namespace {
int refuseOpen(DictionaryRecord&, std::int32_t)
{
    return LV_CANNOT_OPEN;
}

// Every user dictionary sorts by the built-in table.
const SortTable* builtInForMain(DictionaryRecord&, int which)
{
    return which == 0 ? &builtInSortTable() : nullptr;
}
} // namespace

const DictionaryOps& userDictionaryOps()
{
    static const DictionaryOps table = [] {
        DictionaryOps ops{};
        ops.open = refuseOpen;
        ops.sortTable = builtInForMain;
        return ops;
    }();
    return table;
}

} // namespace lexvane::engine
