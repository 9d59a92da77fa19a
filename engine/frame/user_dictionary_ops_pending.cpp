// user_dictionary_ops_pending.cpp: the ".udd" table until user dictionaries
// are readable. Opening one fails cleanly as "not opened".
#include "frame/dictionary_ops.h"
#include "lexvane_engine.h"

namespace lexvane::engine {

namespace {
int refuseOpen(DictionaryRecord&, std::int32_t)
{
    return LV_CANNOT_OPEN;
}
} // namespace

const DictionaryOps& userDictionaryOps()
{
    static const DictionaryOps table = [] {
        DictionaryOps ops{};
        ops.open = refuseOpen;
        return ops;
    }();
    return table;
}

} // namespace lexvane::engine
