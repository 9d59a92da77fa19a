// compiled_dictionary.cpp: opening a compiled dictionary, and its operations.
#include "compiled/compiled_dictionary.h"

#include "common/byte_order.h"
#include "lexvane_engine.h"

namespace lexvane::engine {

int CompiledDictionary::open(const std::string& path, std::int32_t id)
{
    close();
    int status = m_container.open(path, id);
    if (status != LV_OK)
        return status;

    ResourceBlock head;
    status = m_container.load(head, "HEAD", 0);
    if (status != LV_OK)
        return status;
    DictionaryHeader header;
    const int headerStatus = parseDictionaryHeader(std::span(head.data(), head.size()), header);
    // The id check comes first: asking for a dictionary by id and finding
    // another one is the more telling failure.
    if (head.size() >= 32) {
        const std::int32_t storedId = bytes::packFourCharacters(head.data() + 28);
        if (storedId != id)
            return LV_ID_MISMATCH;
    }
    if (headerStatus != LV_OK)
        return headerStatus;
    m_header = std::move(header);
    return LV_OK;
}

void CompiledDictionary::close()
{
    m_container.close();
    m_header = DictionaryHeader{};
}

CompiledDictionary* compiledDictionaryOf(DictionaryRecord& record)
{
    if (!record.state || record.state->tag != CompiledDictionary::kTag)
        return nullptr;
    return static_cast<CompiledDictionary*>(record.state.get());
}

namespace {

int openCompiled(DictionaryRecord& record, std::int32_t id)
{
    auto dictionary = std::make_unique<CompiledDictionary>();
    const int status = dictionary->open(record.pathRecord->path, id);
    record.state = std::move(dictionary);
    return status;
}

int closeCompiled(DictionaryRecord& record)
{
    record.state.reset();
    return LV_OK;
}

int nothing(DictionaryRecord&)
{
    return LV_OK;
}

std::int32_t entryCount(DictionaryRecord& record)
{
    CompiledDictionary* dictionary = compiledDictionaryOf(record);
    return dictionary ? dictionary->header().entryCount : 0;
}

std::int32_t sourceLanguage(DictionaryRecord& record)
{
    CompiledDictionary* dictionary = compiledDictionaryOf(record);
    return dictionary ? dictionary->header().sourceLanguage : 0;
}

std::int32_t targetLanguage(DictionaryRecord& record)
{
    CompiledDictionary* dictionary = compiledDictionaryOf(record);
    return dictionary ? dictionary->header().targetLanguage : 0;
}

std::int32_t dictionaryId(DictionaryRecord& record)
{
    CompiledDictionary* dictionary = compiledDictionaryOf(record);
    return dictionary ? dictionary->header().dictionaryId : 0;
}

std::int32_t companionId(DictionaryRecord& record)
{
    CompiledDictionary* dictionary = compiledDictionaryOf(record);
    return dictionary ? dictionary->header().companionId : 0;
}

bool alwaysFalse(DictionaryRecord&)
{
    return false;
}

} // namespace

const DictionaryOps& compiledDictionaryOps()
{
    static const DictionaryOps table = [] {
        DictionaryOps ops{};
        ops.open = openCompiled;
        ops.afterOpen = nothing;
        ops.init = nothing;
        ops.close = closeCompiled;
        ops.count = entryCount;
        ops.sourceLanguage = sourceLanguage;
        ops.targetLanguage = targetLanguage;
        ops.id = dictionaryId;
        ops.pairId = companionId;
        ops.reserved = alwaysFalse;
        return ops;
    }();
    return table;
}

} // namespace lexvane::engine
