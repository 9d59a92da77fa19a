// dictionary_interface.cpp: the exported functions of the dictionary frame.
//
// Each export checks its handle and pointers, then works only through the
// record's operation table.
#include "frame/dictionary_id.h"
#include "frame/dictionary_record.h"
#include "lexvane_engine.h"

#include <new>

using lexvane::engine::DicPathRecord;
using lexvane::engine::DictionaryOps;

namespace {

// Calls a slot that answers a value, writes it, and returns the status of
// the query exports.
template <typename Slot>
int answer(DictionaryRecord* dic, std::int32_t* out, Slot DictionaryOps::*slot)
{
    if (!dic)
        return LV_NULL_HANDLE;
    if (!out)
        return LV_NULL_ARGUMENT;
    // A record whose open failed may hold no state: its answers are 0.
    *out = (dic->ops && dic->ops->*slot && dic->state) ? (dic->ops->*slot)(*dic) : 0;
    return LV_OK;
}

} // namespace

extern "C" {

int DicOpen(const char* path, std::int32_t id, DictionaryRecord** out, UDHelper* helper, std::intptr_t reserved1,
            std::intptr_t reserved2)
{
    if (!out)
        return LV_NULL_ARGUMENT;
    *out = nullptr;

    auto* record = new (std::nothrow) DictionaryRecord;
    if (!record)
        return LV_NO_MEMORY;
    auto* pathRecord = new (std::nothrow) DicPathRecord;
    if (!pathRecord) {
        delete record;
        return LV_NO_MEMORY;
    }
    record->pathRecord = pathRecord;
    record->ownsPathRecord = true;
    *out = record;

    if (!path)
        return LV_CANNOT_OPEN;
    pathRecord->path = path;
    pathRecord->helper = helper;
    pathRecord->reserved1 = reserved1;
    pathRecord->reserved2 = reserved2;

    if (id < 0 && !lexvane::engine::idFromFileName(pathRecord->path, id))
        return LV_CANNOT_OPEN;

    record->ops = &lexvane::engine::operationsForPath(pathRecord->path);
    int status = record->ops->open(*record, id);
    if (status == LV_OK && record->ops->openCompanion)
        status = record->ops->openCompanion(*record);
    if (status == LV_OK && record->ops->afterOpen)
        status = record->ops->afterOpen(*record);
    return status;
}

int DicInit(DictionaryRecord* dic)
{
    if (!dic)
        return LV_NULL_HANDLE;
    if (!dic->ops || !dic->ops->init)
        return LV_OK;
    return dic->ops->init(*dic);
}

int DicClose(DictionaryRecord* dic)
{
    if (!dic)
        return LV_NULL_HANDLE;
    if (dic->ops && dic->ops->close)
        dic->ops->close(*dic);
    delete dic;
    return LV_OK;
}

int DicGetCount(DictionaryRecord* dic, std::int32_t* count)
{
    return answer(dic, count, &DictionaryOps::count);
}

int DicGetID(DictionaryRecord* dic, std::int32_t* id)
{
    return answer(dic, id, &DictionaryOps::id);
}

int DicGetPairID(DictionaryRecord* dic, std::int32_t* id)
{
    return answer(dic, id, &DictionaryOps::pairId);
}

int DicGetLang(DictionaryRecord* dic, std::int32_t* language)
{
    return answer(dic, language, &DictionaryOps::sourceLanguage);
}

int DicGetPairLang(DictionaryRecord* dic, std::int32_t* language)
{
    return answer(dic, language, &DictionaryOps::targetLanguage);
}

} // extern "C"
