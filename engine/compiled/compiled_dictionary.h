// compiled_dictionary.h: the reading state of one compiled dictionary.
//
// Opening reads the header and the resources the reader needs; the
// container stays open for the resources loaded on demand.
#pragma once

#include "compiled/dictionary_header.h"
#include "container/prc_resource_file.h"
#include "frame/dictionary_record.h"

namespace lexvane::engine {

class CompiledDictionary : public DictionaryState {
public:
    static constexpr std::uint32_t kTag = 0; // compiled dictionaries carry no tag

    CompiledDictionary() : DictionaryState(kTag) {}

    // Opens the container for `path` and `id` and reads the header. Status 0,
    // a container status, LV_ID_MISMATCH or LV_UNSUPPORTED_FORMAT.
    int open(const std::string& path, std::int32_t id);
    void close();

    const DictionaryHeader& header() const { return m_header; }
    PrcResourceFile& container() { return m_container; }

private:
    PrcResourceFile m_container;
    DictionaryHeader m_header;
};

// The compiled dictionary behind a record; null when the record holds none.
CompiledDictionary* compiledDictionaryOf(DictionaryRecord& record);

} // namespace lexvane::engine
