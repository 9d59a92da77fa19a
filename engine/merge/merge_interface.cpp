// merge_interface.cpp: the exported functions of dictionary sets.
//
// Each export checks its handle and pointers and leaves the work to the
// MergeRecord. The set completes itself before the first answer, so a set
// whose adds failed answers for the members it has.
#include "frame/dictionary_id.h"
#include "lexvane_engine.h"
#include "merge/merge_record.h"
#include "output/dictionary_text.h"

#include <new>
#include <string_view>

namespace {

constexpr std::size_t kMaximumMembers = 32;

} // namespace

extern "C" {

int MrgOpen(MergeRecord** set, std::int32_t capacity, std::int32_t sourceLanguage, std::int32_t targetLanguage,
            UDHelper* helper, std::intptr_t reserved1, std::intptr_t reserved2)
{
    if (!set)
        return LV_NULL_ARGUMENT;
    *set = nullptr;
    if (capacity > MergeRecord::kMaximumCapacity)
        return LV_CAPACITY_TOO_LARGE;
    if (capacity < 1)
        return LV_BAD_ARGUMENT;
    *set = new (std::nothrow) MergeRecord(capacity, sourceLanguage, targetLanguage, helper, reserved1, reserved2);
    return *set ? LV_OK : LV_NO_MEMORY;
}

int MrgInit(MergeRecord* set)
{
    if (set)
        set->complete();
    return LV_OK;
}

int MrgAdd(MergeRecord* set, std::int32_t id, const char* path)
{
    if (!set)
        return LV_NULL_HANDLE;
    // A member that cannot join is left out; the caller sees the smaller
    // set through MrgGetDicList and MrgGetDicAt.
    set->add(id, path);
    return LV_OK;
}

int MrgClose(MergeRecord* set)
{
    delete set;
    return LV_OK;
}

int MrgGetCount(MergeRecord* set, std::int32_t* count)
{
    if (!set)
        return LV_NULL_HANDLE;
    if (!count)
        return LV_NULL_ARGUMENT;
    *count = set->total();
    return LV_OK;
}

int MrgGetData(MergeRecord* set, std::int32_t kind, std::int32_t index, char16_t* buffer, std::int32_t* length)
{
    if (!set)
        return LV_NULL_HANDLE;
    if (!length)
        return LV_NULL_ARGUMENT;
    const std::int32_t room = *length;
    *length = 0;
    if (buffer && room > 0)
        buffer[0] = 0;
    if (kind != 0)
        return LV_OK;
    if (!buffer || room < 1)
        return LV_NULL_ARGUMENT;
    const char16_t* headword = nullptr;
    // Out of range and inside a group alike read as an empty text.
    if (set->positionAt(index, &headword) == LV_OK && headword)
        *length = lexvane::engine::cleanHeadword(headword, buffer, room);
    return LV_OK;
}

int MrgSearch(MergeRecord* set, const char16_t* word, std::int32_t exact, std::int32_t* index)
{
    if (!set)
        return LV_NULL_HANDLE;
    if (!word || !index)
        return LV_NULL_ARGUMENT;
    if (*word == 0) {
        *index = 0;
        return LV_OK;
    }
    const int status = set->searchByText(word, exact != 0);
    *index = set->groupSize() > 0 ? set->position() : 0;
    return status;
}

int MrgGetDic(MergeRecord* set, std::int32_t id, DictionaryRecord** dic)
{
    if (!set || !dic)
        return -1;
    if (id >= 0 && id <= 0xFFFF)
        id = lexvane::engine::packId(lexvane::engine::formatHexadecimalId(id, true));
    DictionaryRecord* found = set->memberWithId(id);
    if (!found)
        return -1;
    *dic = found;
    return LV_OK;
}

int MrgGetDicAt(MergeRecord* set, std::int32_t position, DictionaryRecord** dic)
{
    if (!set || !dic)
        return -1;
    DictionaryRecord* found = set->member(position);
    if (!found)
        return -1;
    *dic = found;
    return LV_OK;
}

int MrgGetDicList(MergeRecord* set, std::int32_t* ids)
{
    if (!set)
        return LV_NULL_HANDLE;
    if (!ids)
        return LV_NULL_ARGUMENT;
    for (std::size_t i = 0; i < kMaximumMembers; ++i) {
        DictionaryRecord* member = set->member(static_cast<int>(i));
        ids[i] = member && member->ops->id ? member->ops->id(*member) : 0;
    }
    return LV_OK;
}

int MrgGetDicMask(MergeRecord* set, std::int32_t index, std::uint32_t* mask, std::int32_t* values)
{
    if (!set)
        return LV_NULL_HANDLE;
    if (!mask)
        return LV_NULL_ARGUMENT;
    const int status = set->positionAt(index, nullptr);
    *mask = status == LV_OK ? set->groupMask() : 0;
    if (values) {
        for (std::size_t i = 0; i < kMaximumMembers; ++i) {
            DictionaryRecord* member = set->member(static_cast<int>(i));
            const bool inGroup = (*mask >> i) & 1;
            values[i] = inGroup && member->ops->currentIndex ? member->ops->currentIndex(*member) : 0;
        }
    }
    return status;
}

int MrgGetTranslationCount(MergeRecord* set, std::int32_t index, std::int32_t* count)
{
    if (!set)
        return LV_NULL_HANDLE;
    if (!count)
        return LV_NULL_ARGUMENT;
    const int status = set->positionAt(index, nullptr);
    *count = status == LV_OK ? set->groupSize() : 0;
    return status;
}

std::int32_t MrgCountLang(MergeRecord* set, const char16_t* text)
{
    if (!set || !text)
        return -1;
    return set->countLanguage(text);
}

int MrgDoFilter(MergeRecord* set, const char16_t* text)
{
    if (!set)
        return LV_NULL_HANDLE;
    return set->chooseWordLists(text) ? 1 : 0;
}

} // extern "C"
