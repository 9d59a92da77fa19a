// compare_exports.cpp: the exported comparison functions.
//
// WCmp and WNCmp collate with the built-in table; DicWCmp reaches the
// dictionary's main table through slot 16, so it works for either kind.
// DicWEffectiveLen reads the main table directly: the compiled reader's, or
// for a user dictionary the built-in table that every user dictionary sorts
// by (whatever state its record is in).
#include "collation/built_in_sort_table.h"
#include "collation/word_comparison.h"
#include "compiled/compiled_dictionary.h"
#include "frame/dictionary_ops.h"
#include "frame/dictionary_record.h"
#include "lexvane_engine.h"

using lexvane::engine::SortTable;

namespace {

// The longest prefix WNCmp compares.
constexpr std::int32_t kLongestPrefix = 300;

const SortTable* mainTableOf(DictionaryRecord& dic)
{
    if (dic.ops == &lexvane::engine::userDictionaryOps())
        return &lexvane::engine::builtInSortTable();
    const lexvane::engine::CompiledDictionary* dictionary = lexvane::engine::compiledDictionaryOf(dic);
    return dictionary ? dictionary->sortTable(0) : nullptr;
}

} // namespace

extern "C" {

int WCmp(const char16_t* a, const char16_t* b)
{
    return lexvane::engine::compare(a, b, &lexvane::engine::builtInSortTable());
}

int WNCmp(const char16_t* a, const char16_t* b, std::int32_t n)
{
    const std::int32_t limit = n < 0 ? 0 : n > kLongestPrefix ? kLongestPrefix : n;
    return lexvane::engine::compare(a, b, &lexvane::engine::builtInSortTable(), static_cast<std::size_t>(limit));
}

int DicWCmp(DictionaryRecord* dic, const char16_t* a, const char16_t* b)
{
    const SortTable* table = nullptr;
    if (dic && dic->ops && dic->ops->sortTable)
        table = dic->ops->sortTable(*dic, 0);
    return lexvane::engine::compare(a, b, table);
}

std::int32_t DicWEffectiveLen(DictionaryRecord* dic, const char16_t* word)
{
    const SortTable* table = dic ? mainTableOf(*dic) : nullptr;
    return static_cast<std::int32_t>(lexvane::engine::effectiveLength(word, table));
}

} // extern "C"
