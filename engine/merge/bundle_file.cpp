// bundle_file.cpp: the "HEAD", "COMP" and "LANG" resources of a bundle.
#include "merge/bundle_file.h"

#include "common/byte_order.h"
#include "container/prc_resource_file.h"
#include "frame/dictionary_id.h"
#include "lexvane_engine.h"

namespace lexvane::engine {

namespace {

constexpr std::size_t kCountOffset = 12;
constexpr std::size_t kNameOffset = 16;
constexpr std::size_t kComponentSize = 8;
constexpr std::size_t kLanguageNameOffset = 4;

int openBundle(std::string_view path, PrcResourceFile& container)
{
    std::int32_t id = 0;
    if (!idFromFileName(path, id))
        return LV_CANNOT_OPEN;
    return container.open(path, id);
}

// Opens the bundle named by `path` and reads its head: the component count
// and the default name.
int openBundleHead(std::string_view path, PrcResourceFile& container, std::uint16_t& count,
                   std::string& defaultName)
{
    if (const int status = openBundle(path, container))
        return status;
    ResourceBlock head;
    if (const int status = container.load(head, "HEAD", 0))
        return status;
    if (head.size() < kCountOffset + 2)
        return LV_NOT_PRESENT;
    count = bytes::readBigEndian16(head.data() + kCountOffset);
    defaultName.clear();
    for (std::size_t i = kNameOffset; i < head.size() && head.data()[i] != 0; ++i)
        defaultName.push_back(static_cast<char>(head.data()[i]));
    return LV_OK;
}

} // namespace

int readBundleComponents(std::string_view path, std::vector<BundleComponent>& components)
{
    components.clear();
    PrcResourceFile container;
    std::uint16_t count = 0;
    std::string defaultName;
    if (const int status = openBundleHead(path, container, count, defaultName))
        return status;
    ResourceBlock table;
    if (const int status = container.load(table, "COMP", 0))
        return status;
    if (std::size_t{count} * kComponentSize > table.size())
        return LV_NOT_PRESENT;
    components.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = table.data() + i * kComponentSize;
        components.push_back({bytes::packFourCharacters(entry), entry[4]});
    }
    return LV_OK;
}

int readBundleName(std::string_view path, std::int32_t language, std::u16string& name)
{
    name.clear();
    PrcResourceFile container;
    std::uint16_t count = 0;
    std::string defaultName;
    if (const int status = openBundleHead(path, container, count, defaultName))
        return status;

    const auto findLanguage = [&container](std::int32_t code, std::u16string& found) {
        for (std::uint16_t k = 0; container.contains("LANG", k); ++k) {
            ResourceBlock block;
            if (container.load(block, "LANG", k) != LV_OK || block.size() < kLanguageNameOffset)
                continue;
            if (bytes::packFourCharacters(block.data()) != code)
                continue;
            found.clear();
            for (std::size_t i = kLanguageNameOffset; i + 1 < block.size(); i += 2) {
                const char16_t unit = bytes::readLittleEndian16(block.data() + i);
                if (unit == 0)
                    break;
                found.push_back(unit);
            }
            return true;
        }
        return false;
    };
    if (findLanguage(language, name))
        return LV_OK;
    for (char c : defaultName)
        name.push_back(static_cast<char16_t>(static_cast<std::uint8_t>(c)));
    std::u16string neutral;
    if (findLanguage(0, neutral))
        name = neutral;
    return LV_OK;
}

} // namespace lexvane::engine
