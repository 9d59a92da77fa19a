// dictionary_reading.cpp: the callbacks and the entry walk of the
// dictionary targets.
#include "dictionary_reading.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace lexvane::fuzzing {

DictionaryRecord* openAndIdentify(const std::string& path)
{
    DictionaryRecord* dic = nullptr;
    DicOpen(path.c_str(), -1, &dic, nullptr, 0, 0);
    DicInit(dic);
    std::int32_t value = 0;
    DicGetCount(dic, &value);
    DicGetID(dic, &value);
    DicGetPairID(dic, &value);
    DicGetLang(dic, &value);
    DicGetPairLang(dic, &value);
    return dic;
}

int readArticleEvent(int zero, const char16_t* text, std::int32_t length, const StyleRecord* style,
                     std::int32_t index, void* user)
{
    if (zero != 0 || length < 0 || (length > 0 && !text))
        std::abort();
    std::size_t sum = 0;
    for (std::int32_t i = 0; i < length; ++i)
        sum += text[i];
    // A run is terminated as well as counted.
    if (index >= 0 && text && text[length] != 0)
        std::abort();
    if (style)
        sum += static_cast<std::size_t>(style->number) + style->color;
    static_cast<ReadTotal*>(user)->units += sum;
    return 0;
}

int readWordResult(const char16_t* word, std::int32_t, void* user)
{
    std::size_t length = 0;
    while (word[length] != 0)
        ++length;
    static_cast<ReadTotal*>(user)->units += length;
    return 0;
}

int readSearchHit(std::int32_t, const std::uint32_t* positions, void* user, std::int32_t count)
{
    if (count < 0 || count > 256 || (count > 0 && !positions))
        std::abort();
    for (std::int32_t i = 0; i < count; ++i)
        static_cast<ReadTotal*>(user)->units += positions[i];
    return 1;
}

void readEntries(DictionaryRecord* dic, std::int32_t limit, ReadTotal& total)
{
    std::int32_t count = 0;
    DicGetCount(dic, &count);
    char16_t headword[300];
    for (std::int32_t entry = 0; entry < std::min(count, limit); ++entry) {
        // Cut short as well as whole: at most capacity - 1 units and the
        // terminator, and the length says how many.
        for (std::int32_t capacity : {std::int32_t(std::size(headword)), std::int32_t(1), std::int32_t(4)}) {
            std::int32_t length = capacity;
            DicGetData(dic, 0, entry, headword, &length, nullptr);
            if (length < 0 || length >= capacity || headword[length] != 0)
                std::abort();
        }
        DicExtract(dic, entry, entry % 2, 0, readArticleEvent, &total, entry % 3 == 0);
    }
}

std::vector<std::uint8_t> freshUserDictionary(const PrivateFolder& folder, const char16_t* title)
{
    const std::string path = folder.write("template.udd", {});
    if (UdCreate(nullptr, path.c_str(), title, 0, 0x6c676e65 /* "engl" */, 0x73737572 /* "russ" */) != 0)
        std::abort();
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    if (bytes.empty())
        std::abort();
    return bytes;
}

} // namespace lexvane::fuzzing
