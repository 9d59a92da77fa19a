// extract_interface.cpp: the exported article output (DicExtract) and data
// reading (DicGetData).
//
// Units of DicGetData's length (docs/behaviour/dictionary-data.md): kind 0
// counts code units, kinds 1, 4, 5 and 6 bytes (the text gets length / 2
// units with its terminator), kind 7 bytes. Nothing is written past the
// caller's length.
#include "compiled/compiled_dictionary.h"
#include "frame/dictionary_record.h"
#include "lexvane_engine.h"
#include "output/article_output.h"
#include "output/dictionary_text.h"

#include <cstring>

using lexvane::engine::kReadHeadword;
using lexvane::engine::kReadWithArticle;

namespace {

constexpr std::int32_t kHeaderUnits = 400;

std::int32_t specialEntry(std::intptr_t argument)
{
    return static_cast<std::int32_t>(~argument & 0xFF);
}

// Kind 0: the headword of an entry (argument >= 0) or the title of a
// special entry, cleaned into `buffer` of `room` units.
int headwordData(DictionaryRecord& dic, std::intptr_t argument, char16_t* buffer, std::int32_t room,
                 std::int32_t& written)
{
    written = 0;
    if (room > 0)
        buffer[0] = 0;
    const int status = argument >= 0
                           ? dic.ops->readEntry(dic, static_cast<std::int32_t>(argument), kReadHeadword)
                           : (dic.ops->makeSpecialEntryCurrent
                                  ? dic.ops->makeSpecialEntryCurrent(dic, specialEntry(argument))
                                  : LV_NO_SPECIAL_ENTRY);
    if (status != LV_OK)
        return status;
    const char16_t* word = dic.ops->currentWord16 ? dic.ops->currentWord16(dic) : nullptr;
    written = lexvane::engine::cleanHeadword(word ? word : u"", buffer, room);
    return LV_OK;
}

// Kinds 1, 4, 5, 6: description items 2, 7, 8, 0.
int descriptionData(DictionaryRecord& dic, int item, std::intptr_t language, char16_t* buffer, std::int32_t room,
                    std::int32_t& written, std::int32_t& extra)
{
    written = 0;
    extra = 0;
    if (!dic.ops->descriptionItem) {
        buffer[0] = 0;
        return LV_OK;
    }
    std::int32_t length = room;
    const int status = dic.ops->descriptionItem(dic, item, language, buffer, &length, &extra);
    if (length < 0 || length >= room)
        length = 0;
    buffer[length] = 0;
    lexvane::engine::rewriteProductName(buffer, static_cast<std::size_t>(length));
    written = length;
    return status;
}

} // namespace

extern "C" {

int DicExtract(DictionaryRecord* dic, std::int32_t index, std::int32_t withHeader, std::int32_t headerLanguage,
               OutputCallback callback, void* user, std::int32_t headerIsHeadword)
{
    if (!dic)
        return LV_NULL_HANDLE;
    if (!dic->state || !dic->ops || !dic->ops->readEntry || !dic->pathRecord)
        return LV_BAD_ARGUMENT;
    lexvane::engine::OutputBinding& binding = dic->pathRecord->output;
    binding = lexvane::engine::OutputBinding{};
    if (withHeader) {
        char16_t header[kHeaderUnits] = {u' ', 0};
        std::int32_t length = 0;
        if (headerIsHeadword) {
            const int status = headwordData(*dic, index, header, kHeaderUnits, length);
            if (status != LV_OK)
                return status;
        } else {
            std::int32_t extra = 0;
            descriptionData(*dic, 2, headerLanguage, header + 1, kHeaderUnits - 1, length, extra);
            ++length;
            header[0] = u' ';
        }
        lexvane::engine::rewriteProductName(header, static_cast<std::size_t>(length));
        binding.hasHeader = true;
        binding.header.assign(header, static_cast<std::size_t>(length));
    }
    binding.callback = callback;
    binding.user = user;
    if (index < 0)
        return dic->ops->renderSpecialEntry ? dic->ops->renderSpecialEntry(*dic, specialEntry(index))
                                            : LV_NO_SPECIAL_ENTRY;
    return dic->ops->readEntry(*dic, index, kReadWithArticle);
}

int DicGetData(DictionaryRecord* dic, std::int32_t kind, std::intptr_t argument, void* buffer, std::int32_t* length,
               std::int32_t* extra)
{
    if (!dic)
        return LV_NULL_HANDLE;
    if (!length)
        return LV_NULL_ARGUMENT;
    if (!dic->state || !dic->ops)
        return LV_BAD_ARGUMENT;
    switch (kind) {
    case 0: {
        if (!buffer)
            return LV_NULL_ARGUMENT;
        if (*length <= 0) {
            *length = 0;
            return LV_BUFFER_TOO_SMALL;
        }
        std::int32_t written = 0;
        const int status = headwordData(*dic, argument, static_cast<char16_t*>(buffer), *length, written);
        *length = written;
        return status;
    }
    case 1:
    case 4:
    case 5:
    case 6: {
        static constexpr int kItems[] = {0, 2, 0, 0, 7, 8, 0};
        if (!buffer)
            return LV_NULL_ARGUMENT;
        const std::int32_t room = *length / 2;
        std::int32_t from = 0;
        std::int32_t written = 0;
        int status = LV_BUFFER_TOO_SMALL;
        if (room > 0)
            status = descriptionData(*dic, kItems[kind], argument, static_cast<char16_t*>(buffer), room, written, from);
        *length = written;
        if (extra)
            *extra = from;
        return status;
    }
    case 7: {
        const auto* reference = reinterpret_cast<const char16_t*>(argument);
        if (!reference)
            return LV_NULL_ARGUMENT;
        lexvane::engine::CompiledDictionary* compiled = lexvane::engine::compiledDictionaryOf(*dic);
        // Only compiled dictionaries carry binary items.
        if (!compiled) {
            *length = 0;
            return LV_NOT_PRESENT;
        }
        const std::size_t capacity = buffer && *length > 0 ? static_cast<std::size_t>(*length) : 0;
        std::uint32_t size = 0;
        const int status = compiled->binaryItem(reference, static_cast<std::uint8_t*>(buffer), capacity, size);
        if (status != LV_OK) {
            *length = 0;
            return status;
        }
        const bool fits = capacity >= size;
        *length = static_cast<std::int32_t>(size);
        return fits ? LV_OK : -1;
    }
    default:
        *length = 0;
        return LV_OK;
    }
}

} // extern "C"
