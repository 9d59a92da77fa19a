// prc_resource_file.cpp: open, load and close of the resource container.
#include "container/prc_resource_file.h"

#include "common/byte_order.h"
#include "frame/dictionary_id.h"
#include "lexvane_engine.h"

#include <cstring>
#include <new>
#include <sys/stat.h>

namespace lexvane::engine {

namespace {

constexpr std::size_t kMinimumNameLength = 8; // "abcd.prc": four id characters and the extension
constexpr std::size_t kExtensionLength = 4;
constexpr std::size_t kIdLength = 4;

bool fileExists(const std::string& path)
{
    struct stat info {};
    return ::stat(path.c_str(), &info) == 0;
}

} // namespace

bool PrcResourceFile::isContainerName(std::string_view path)
{
    if (path.size() < kMinimumNameLength)
        return false;
    const std::string_view extension = path.substr(path.size() - kExtensionLength);
    return extension == ".prc" || extension == ".PRC";
}

std::string PrcResourceFile::pathForRequestedId(std::string_view path, std::int32_t requestedId)
{
    std::string result(path);
    if (path.size() < kMinimumNameLength)
        return result;
    const std::size_t idStart = path.size() - kExtensionLength - kIdLength;
    const int fileNumber = parseHexadecimalId(path.substr(idStart, kIdLength));
    const int requestedNumber = parseHexadecimalId(idCharacters(requestedId));
    // A request that does not read as four hexadecimal digits cannot name a
    // file; the file is opened as named and its header decides.
    if (requestedNumber < 0 || requestedNumber == fileNumber)
        return result;
    const std::string digits = formatHexadecimalId(requestedNumber, /*upperCase=*/true);
    result.replace(idStart, kIdLength, digits);
    return result;
}

int PrcResourceFile::open(std::string_view path, std::int32_t requestedId)
{
    close();
    if (!isContainerName(path))
        return LV_CANNOT_OPEN;

    std::string candidate = pathForRequestedId(path, requestedId);
    if (candidate != path && !fileExists(candidate)) {
        // File systems here are case-sensitive: a companion written as
        // "dict0c00.prc" is as valid a spelling as "dict0C00.prc".
        std::string lowerCase = candidate;
        const std::size_t idStart = lowerCase.size() - kExtensionLength - kIdLength;
        for (std::size_t i = idStart; i < idStart + kIdLength; ++i)
            if (lowerCase[i] >= 'A' && lowerCase[i] <= 'F')
                lowerCase[i] = static_cast<char>(lowerCase[i] - 'A' + 'a');
        if (fileExists(lowerCase))
            candidate = std::move(lowerCase);
    }

    m_file = std::fopen(candidate.c_str(), "rb");
    if (!m_file)
        return LV_CANNOT_OPEN;

    struct stat info {};
    if (::fstat(fileno(m_file), &info) != 0 || !S_ISREG(info.st_mode)) {
        close();
        return LV_CANNOT_OPEN;
    }
    const int status = readDirectory(static_cast<std::uint64_t>(info.st_size));
    if (status != LV_OK) {
        close();
        return status;
    }
    m_openedPath = std::move(candidate);
    return LV_OK;
}

int PrcResourceFile::readDirectory(std::uint64_t fileSize)
{
    std::uint8_t countBytes[2];
    if (fileSize < kHeaderSize || std::fseek(m_file, 76, SEEK_SET) != 0 || std::fread(countBytes, 1, 2, m_file) != 2)
        return LV_CANNOT_OPEN;
    const std::uint16_t count = bytes::readBigEndian16(countBytes);
    const std::uint64_t directoryEnd = kHeaderSize + std::uint64_t{count} * kDirectoryEntrySize;
    if (directoryEnd > fileSize)
        return LV_CANNOT_OPEN;

    std::vector<std::uint8_t> raw(count * kDirectoryEntrySize);
    if (!raw.empty() && std::fread(raw.data(), 1, raw.size(), m_file) != raw.size())
        return LV_CANNOT_OPEN;

    m_directory.clear();
    m_directory.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        const std::uint8_t* entry = raw.data() + i * kDirectoryEntrySize;
        DirectoryEntry parsed{
            ResourceType(static_cast<char>(entry[0]), static_cast<char>(entry[1]), static_cast<char>(entry[2]),
                         static_cast<char>(entry[3])),
            bytes::readBigEndian16(entry + 4), bytes::readBigEndian32(entry + 6), 0};
        // Bodies follow the directory in ascending order; anything else is a
        // damaged file whose sizes cannot be trusted.
        if (parsed.offset < directoryEnd || parsed.offset > fileSize)
            return LV_CANNOT_OPEN;
        if (!m_directory.empty() && parsed.offset < m_directory.back().offset)
            return LV_CANNOT_OPEN;
        m_directory.push_back(parsed);
    }
    for (std::size_t i = 0; i < m_directory.size(); ++i) {
        const std::uint64_t end = i + 1 < m_directory.size() ? m_directory[i + 1].offset : fileSize;
        // Sizes are 16-bit in this format: writers keep every body below 64 KiB.
        m_directory[i].size = static_cast<std::uint16_t>(end - m_directory[i].offset);
    }
    return LV_OK;
}

bool PrcResourceFile::contains(ResourceType type, std::uint16_t id) const
{
    for (const DirectoryEntry& entry : m_directory)
        if (entry.type == type && entry.id == id)
            return true;
    return false;
}

int PrcResourceFile::load(ResourceBlock& block, ResourceType type, std::uint16_t id)
{
    if (!m_file)
        return LV_CONTAINER_NOT_OPEN;
    const DirectoryEntry* found = nullptr;
    for (const DirectoryEntry& entry : m_directory) {
        if (entry.type == type && entry.id == id) {
            found = &entry;
            break;
        }
    }
    if (!found)
        return LV_NOT_PRESENT;

    block.release();
    std::unique_ptr<std::uint8_t[]> allocation(new (std::nothrow) std::uint8_t[found->size + ResourceBlock::kSpareBytes]);
    if (!allocation)
        return LV_NO_MEMORY;
    if (std::fseek(m_file, static_cast<long>(found->offset), SEEK_SET) != 0 ||
        std::fread(allocation.get(), 1, found->size, m_file) != found->size)
        return LV_NOT_PRESENT;
    std::memset(allocation.get() + found->size, 0, ResourceBlock::kSpareBytes);
    block.m_allocation = std::move(allocation);
    block.m_size = found->size;
    return LV_OK;
}

int PrcResourceFile::close()
{
    if (m_file) {
        std::fclose(m_file);
        m_file = nullptr;
    }
    m_directory.clear();
    m_openedPath.clear();
    return LV_OK;
}

} // namespace lexvane::engine
