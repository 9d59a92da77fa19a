// user_dictionary_interface.cpp: the exported Ud* functions.
//
// Each export checks its handle by the "cidu" tag before it touches the
// dictionary, so that a compiled dictionary's handle is refused instead of
// being read as a user dictionary, and checks the lengths of the texts it is
// given against what the file and its readers can hold.
#include "lexvane_engine.h"
#include "userdic/style_list.h"
#include "userdic/ud_database.h"
#include "userdic/ud_handle.h"

#include <cstring>

using lexvane::engine::userdic::StyleList;
using lexvane::engine::userdic::UdDatabase;
using lexvane::engine::userdic::UdHandle;
using lexvane::engine::userdic::userDictionaryOf;

namespace {

constexpr std::size_t kMaxPathBytes = 299;
constexpr std::size_t kMaxNameLength = 149;

// Length of a terminated text, counting no further than `limit` + 1.
std::size_t boundedLength(const char16_t* text, std::size_t limit)
{
    std::size_t n = 0;
    while (n <= limit && text[n])
        ++n;
    return n;
}

// A handle that is null, or whose dictionary is not a user dictionary, is
// refused with LV_NULL_HANDLE: there is no user dictionary behind it.
UdHandle* userDictionary(DictionaryRecord* dic)
{
    return userDictionaryOf(dic);
}

int buildStyles(const StyleRecord* records, std::int32_t count, StyleList& list)
{
    if (count < 0)
        return LV_BAD_ARGUMENT;
    if (count > 0 && !records)
        return LV_NULL_ARGUMENT;
    for (std::int32_t i = 0; i < count; ++i)
        list.add(records[i]);
    return list.storable() ? LV_OK : LV_BAD_ARGUMENT;
}

int checkArticle(const char16_t* title, const char16_t* body)
{
    if (!title || !body)
        return LV_NULL_ARGUMENT;
    if (boundedLength(title, UdDatabase::kMaxTitleLength) > UdDatabase::kMaxTitleLength)
        return LV_BAD_ARGUMENT;
    if (boundedLength(body, UdDatabase::kMaxTextLength) > UdDatabase::kMaxTextLength)
        return LV_BAD_ARGUMENT;
    return LV_OK;
}

// After a change the word indexes move and the styles may be new.
void afterChange(UdHandle& handle)
{
    handle.forgetCurrent();
    handle.reloadStyles();
}

// Checks an article and its styles, then stores both with `store` in one
// transaction. The styles are the editor's whole table: they are kept even
// when the article could not be stored.
template <typename Store>
int storeArticle(DictionaryRecord* dic, const char16_t* title, const char16_t* body, const StyleRecord* records,
                 std::int32_t count, Store store)
{
    UdHandle* handle = userDictionary(dic);
    if (!handle)
        return LV_NULL_HANDLE;
    int status = checkArticle(title, body);
    StyleList list;
    if (status == LV_OK)
        status = buildStyles(records, count, list);
    if (status != LV_OK)
        return status;
    status = store(handle->database, list);
    if (status != LV_OK)
        handle->database.replaceStyles(list);
    afterChange(*handle);
    return status;
}

} // namespace

extern "C" {

int UdCreate(UDHelper* helper, const char* path, const char16_t* name, std::intptr_t, std::int32_t language,
             std::int32_t pairLanguage)
{
    if (!path)
        return LV_NULL_ARGUMENT;
    const std::size_t pathBytes = strnlen(path, kMaxPathBytes + 1);
    if (pathBytes == 0 || pathBytes > kMaxPathBytes)
        return LV_BAD_ARGUMENT;
    if (name && boundedLength(name, kMaxNameLength) > kMaxNameLength)
        return LV_BAD_ARGUMENT;
    UdDatabase database;
    return database.create(helper, path, name, language, pairLanguage);
}

int UdSetProp(DictionaryRecord* dic, const char* name, const char16_t* text)
{
    UdHandle* handle = userDictionary(dic);
    if (!handle)
        return LV_NULL_HANDLE;
    if (!name || !text)
        return LV_NULL_ARGUMENT;
    if (boundedLength(text, UdDatabase::kMaxTextLength) > UdDatabase::kMaxTextLength)
        return LV_BAD_ARGUMENT;
    return handle->database.setProperty(name, text);
}

int UdSetStyles(DictionaryRecord* dic, const StyleRecord* records, std::int32_t count)
{
    UdHandle* handle = userDictionary(dic);
    if (!handle)
        return LV_NULL_HANDLE;
    StyleList list;
    int status = buildStyles(records, count, list);
    if (status != LV_OK)
        return status;
    status = handle->database.replaceStyles(list);
    handle->reloadStyles();
    return status;
}

int UdGetStyles(DictionaryRecord* dic, StyleRecord* buffer, std::int32_t capacity)
{
    UdHandle* handle = userDictionary(dic);
    if (!handle)
        return LV_NULL_HANDLE;
    if (capacity > 0 && !buffer)
        return LV_NULL_ARGUMENT;
    StyleList list;
    const int status = handle->database.readStyles(list);
    if (status != LV_OK)
        return status;
    for (std::int32_t number = 0; number < list.count() && number < capacity; ++number) {
        StyleRecord record{};
        if (list.get(number, record))
            buffer[number] = record;
    }
    return list.count();
}

int UdAdd(DictionaryRecord* dic, const char16_t* title, const char16_t* body, const StyleRecord* records,
          std::int32_t count, std::intptr_t)
{
    return storeArticle(dic, title, body, records, count, [&](UdDatabase& database, const StyleList& styles) {
        return database.addArticle(title, body, &styles);
    });
}

int UdUpdate(DictionaryRecord* dic, const char16_t* title, const char16_t* body, const StyleRecord* records,
             std::int32_t count, std::int32_t index)
{
    return storeArticle(dic, title, body, records, count, [&](UdDatabase& database, const StyleList& styles) {
        return database.replaceArticle(index, title, body, &styles);
    });
}

int UdDelete(DictionaryRecord* dic, std::int32_t index)
{
    UdHandle* handle = userDictionary(dic);
    if (!handle)
        return LV_NULL_HANDLE;
    const int status = handle->database.removeArticle(index);
    afterChange(*handle);
    return status;
}

int UdSearch(DictionaryRecord* dic, const char16_t* word, UdSearchCallback callback, void* user)
{
    UdHandle* handle = userDictionary(dic);
    if (!handle)
        return LV_NULL_HANDLE;
    return handle->database.search(word, callback, user);
}

} // extern "C"
