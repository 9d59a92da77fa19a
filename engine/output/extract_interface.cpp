// extract_interface.cpp: the exported article output and data reading.
#include "frame/dictionary_record.h"
#include "lexvane_engine.h"
#include "output/article_output.h"

#include <cstring>

using lexvane::engine::kReadHeadword;
using lexvane::engine::kReadWithArticle;

namespace {

// Copies the current headword of `dic` into `buffer` (at most length - 1
// units and a terminator).
int copyHeadword(DictionaryRecord& dic, char16_t* buffer, std::int32_t* length)
{
    const char16_t* word = dic.ops->currentWord16 ? dic.ops->currentWord16(dic) : nullptr;
    if (!word)
        word = u"";
    std::int32_t written = 0;
    if (*length > 0) {
        while (word[written] && written < *length - 1) {
            buffer[written] = word[written];
            ++written;
        }
        buffer[written] = 0;
    }
    *length = written;
    return LV_OK;
}

} // namespace

extern "C" {

int DicExtract(DictionaryRecord* dic, std::int32_t index, std::int32_t withHeader, std::int32_t,
               OutputCallback callback, void* user, std::int32_t headerIsHeadword)
{
    if (!dic)
        return LV_NULL_HANDLE;
    if (!dic->state || !dic->ops || !dic->ops->readEntry || !dic->pathRecord)
        return LV_BAD_ARGUMENT;
    lexvane::engine::OutputBinding& binding = dic->pathRecord->output;
    binding = lexvane::engine::OutputBinding{};
    if (withHeader) {
        binding.hasHeader = true;
        if (headerIsHeadword && index >= 0) {
            const int status = dic->ops->readEntry(*dic, index, kReadHeadword);
            if (status != LV_OK)
                return status;
            binding.header = dic->ops->currentWord16(*dic);
        } else {
            binding.header = u" ";
        }
    }
    binding.callback = callback;
    binding.user = user;
    if (index < 0)
        return dic->ops->renderSpecialEntry ? dic->ops->renderSpecialEntry(*dic, index) : LV_NO_SPECIAL_ENTRY;
    return dic->ops->readEntry(*dic, index, kReadWithArticle);
}

int DicGetData(DictionaryRecord* dic, std::int32_t kind, std::intptr_t argument, void* buffer, std::int32_t* length,
               std::int32_t*)
{
    if (!dic)
        return LV_NULL_HANDLE;
    if (!length)
        return LV_NULL_ARGUMENT;
    if (!dic->state || !dic->ops)
        return LV_BAD_ARGUMENT;
    if (kind == 0 && argument >= 0) {
        if (!buffer)
            return LV_NULL_ARGUMENT;
        const int status = dic->ops->readEntry(*dic, static_cast<std::int32_t>(argument), kReadHeadword);
        if (status != LV_OK) {
            if (*length > 0)
                static_cast<char16_t*>(buffer)[0] = 0;
            *length = 0;
            return status;
        }
        return copyHeadword(*dic, static_cast<char16_t*>(buffer), length);
    }
    *length = 0;
    return LV_OK;
}

} // extern "C"
