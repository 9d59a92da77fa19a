// bundle_interface.cpp: the exported bundle functions.
#include "lexvane_engine.h"
#include "merge/bundle_file.h"
#include "output/dictionary_text.h"

#include <algorithm>
#include <new>

extern "C" {

int BndGetAll(const char* bundlePath, std::int32_t* ids, std::int32_t* flagsA, std::int32_t* flagsB,
              std::int32_t* count)
{
    if (!bundlePath || !count)
        return LV_NULL_ARGUMENT;
    if (*count < 0)
        return LV_BAD_ARGUMENT;
    if (*count > 0 && (!ids || !flagsA || !flagsB))
        return LV_NULL_ARGUMENT;
    try {
        std::vector<lexvane::engine::BundleComponent> components;
        if (const int status = lexvane::engine::readBundleComponents(bundlePath, components))
            return status;
        const std::size_t filled = std::min(components.size(), static_cast<std::size_t>(*count));
        for (std::size_t i = 0; i < filled; ++i) {
            ids[i] = components[i].id;
            flagsA[i] = (components[i].flags & 0x04) ? 0 : 1;
            flagsB[i] = (components[i].flags >> 1) & 1;
        }
        *count = static_cast<std::int32_t>(components.size());
        return LV_OK;
    } catch (const std::bad_alloc&) {
        return LV_NO_MEMORY;
    }
}

int BndGetName(const char* bundlePath, std::int32_t languageCode, char16_t* buffer, std::int32_t bytes)
{
    if (!bundlePath || !buffer)
        return LV_NULL_ARGUMENT;
    const std::int32_t room = bytes / 2;
    if (room < 1)
        return LV_BAD_ARGUMENT;
    buffer[0] = 0;
    try {
        std::u16string name;
        if (const int status = lexvane::engine::readBundleName(bundlePath, languageCode, name))
            return status;
        lexvane::engine::rewriteProductName(name);
        const std::size_t copied = std::min(name.size(), static_cast<std::size_t>(room - 1));
        name.copy(buffer, copied);
        buffer[copied] = 0;
        return LV_OK;
    } catch (const std::bad_alloc&) {
        return LV_NO_MEMORY;
    }
}

} // extern "C"
