// compiled_dictionary.h: the reading state of one compiled dictionary.
//
// Opening reads the header and the resources the reader needs; the
// container stays open for the resources loaded on demand.
#pragma once

#include "collation/byte_sort_table.h"
#include "collation/sort_table.h"
#include "compiled/dictionary_header.h"
#include "container/prc_resource_file.h"
#include "frame/dictionary_record.h"

#include <optional>

namespace lexvane::engine {

class CompiledDictionary : public DictionaryState {
public:
    static constexpr std::uint32_t kTag = 0; // compiled dictionaries carry no tag

    CompiledDictionary() : DictionaryState(kTag) {}

    // Opens the container for `path` and `id` and reads the header and the
    // sort tables. Status 0, a container status, LV_ID_MISMATCH,
    // LV_UNSUPPORTED_FORMAT, LV_NOT_PRESENT (no "COMP" 0) or LV_BAD_SORT_TABLE.
    int open(const std::string& path, std::int32_t id);
    void close();

    const DictionaryHeader& header() const { return m_header; }
    PrcResourceFile& container() { return m_container; }

    // Slot 16: 0 = the main table, 1 = the second table (UTF-8 dictionaries
    // with a "COMP" 1); null for any other argument or a table not loaded.
    const SortTable* sortTable(int which) const;
    // The byte collation of an 8-bit dictionary, for its 8-bit words; null
    // for UTF-8 dictionaries.
    const ByteSortTable* byteSortTable() const { return m_byteSortTable ? &*m_byteSortTable : nullptr; }

private:
    int loadSortTables();

    PrcResourceFile m_container;
    DictionaryHeader m_header;
    std::optional<SortTable> m_mainSortTable;
    std::optional<SortTable> m_secondSortTable;
    std::optional<ByteSortTable> m_byteSortTable;
};

// The compiled dictionary behind a record; null when the record holds none.
CompiledDictionary* compiledDictionaryOf(DictionaryRecord& record);

} // namespace lexvane::engine
