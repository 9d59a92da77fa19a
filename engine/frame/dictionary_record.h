// dictionary_record.h: what stands behind a dictionary handle.
//
// A DictionaryRecord is one open dictionary of either kind: its operation
// table, the path record it shares with the other members of a set, and the
// kind's own reading state. The record is allocated before anything can fail
// so that DicOpen always hands a handle back and DicClose can release it in
// any state.
#pragma once

#include "frame/dictionary_ops.h"
#include "output/article_output.h"

#include <cstdint>
#include <memory>
#include <string>

struct UDHelper;

namespace lexvane::engine {

// One per dictionary, and one per set shared by all its members.
struct DicPathRecord {
    std::string path;                // the caller's UTF-8 path, whole
    UDHelper* helper = nullptr;      // the caller's helper; may be null
    std::intptr_t reserved1 = 0;     // stored for the caller, never read
    std::intptr_t reserved2 = 0;
    OutputBinding output;            // the running DicExtract's callback and header
};

// The kind-specific reading state (compiled dictionary, user-dictionary
// handle). `tag` lets the user-dictionary exports recognise their own kind.
struct DictionaryState {
    explicit DictionaryState(std::uint32_t kindTag) : tag(kindTag) {}
    virtual ~DictionaryState() = default;
    const std::uint32_t tag;
};

} // namespace lexvane::engine

struct DictionaryRecord {
    const lexvane::engine::DictionaryOps* ops = nullptr;
    lexvane::engine::DicPathRecord* pathRecord = nullptr;
    bool ownsPathRecord = false;      // false for members of a set
    std::unique_ptr<lexvane::engine::DictionaryState> state;

    DictionaryRecord() = default;
    DictionaryRecord(const DictionaryRecord&) = delete;
    DictionaryRecord& operator=(const DictionaryRecord&) = delete;
    ~DictionaryRecord()
    {
        if (ownsPathRecord)
            delete pathRecord;
    }
};
