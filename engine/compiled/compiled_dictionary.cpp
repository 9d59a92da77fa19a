// compiled_dictionary.cpp: opening a compiled dictionary, and its operations.
#include "compiled/compiled_dictionary.h"

#include "collation/sort_table_resources.h"
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
    return loadSortTables();
}

// "COMP" 0 is required; "UNIC" 0 (8-bit words) and "COMP" 1 (UTF-8 words)
// are used when present. The tables are kept only when all of them build.
// See docs/formats/sort-tables.md.
int CompiledDictionary::loadSortTables()
{
    ResourceBlock comp;
    int status = m_container.load(comp, "COMP", 0);
    if (status != LV_OK)
        return status;
    const std::span<const std::uint8_t> compBytes(comp.data(), comp.size());
    const bool utf8 = m_header.utf8Words;

    ResourceBlock unic;
    if (!utf8) {
        status = m_container.load(unic, "UNIC", 0);
        if (status != LV_OK && status != LV_NOT_PRESENT)
            return status;
    }
    SortTable main;
    status = buildSortTable(compBytes, std::span<const std::uint8_t>(unic.data(), unic.size()), utf8, main);
    if (status != LV_OK)
        return status;

    std::optional<SortTable> second;
    std::optional<ByteSortTable> bytesTable;
    if (utf8) {
        ResourceBlock secondComp;
        status = m_container.load(secondComp, "COMP", 1);
        if (status != LV_OK && status != LV_NOT_PRESENT)
            return status;
        if (status == LV_OK) {
            second.emplace();
            status = readSortTable(std::span<const std::uint8_t>(secondComp.data(), secondComp.size()), *second);
            if (status != LV_OK)
                return status;
        }
    } else {
        bytesTable.emplace();
        status = ByteSortTable::read(compBytes, *bytesTable);
        if (status != LV_OK)
            return status;
    }
    m_mainSortTable = std::move(main);
    m_secondSortTable = std::move(second);
    m_byteSortTable = std::move(bytesTable);
    return LV_OK;
}

const SortTable* CompiledDictionary::sortTable(int which) const
{
    if (which == 0)
        return m_mainSortTable ? &*m_mainSortTable : nullptr;
    if (which == 1)
        return m_secondSortTable ? &*m_secondSortTable : nullptr;
    return nullptr;
}

void CompiledDictionary::close()
{
    m_container.close();
    m_header = DictionaryHeader{};
    m_mainSortTable.reset();
    m_secondSortTable.reset();
    m_byteSortTable.reset();
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

const SortTable* sortTable(DictionaryRecord& record, int which)
{
    CompiledDictionary* dictionary = compiledDictionaryOf(record);
    return dictionary ? dictionary->sortTable(which) : nullptr;
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
        ops.sortTable = sortTable;
        ops.reserved = alwaysFalse;
        return ops;
    }();
    return table;
}

} // namespace lexvane::engine
