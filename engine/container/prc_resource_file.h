// prc_resource_file.h: the reader of the ".prc" resource container.
//
// Every compiled dictionary, bundle and sound base is one resource database:
// a 76-byte database header, a big-endian entry count at offset 76, a
// directory of 10-byte entries (type, id, body offset) and the bodies. A
// resource's size is the next entry's offset minus its own (the last one runs
// to the end of the file), kept to 16 bits. See docs/formats/prc-container.md.
//
// Invariants: the directory is read and validated once at open (offsets
// ascending, inside the file), so every later load reads only inside the
// file; a loaded block always carries kSpareBytes zero bytes past its end,
// so readers that peek a few bytes ahead stay inside the allocation.
#pragma once

#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::engine {

// A four-character resource type in reading order ("HEAD", "TREE" ...).
struct ResourceType {
    char characters[4];

    constexpr ResourceType(const char (&text)[5])
        : characters{text[0], text[1], text[2], text[3]}
    {
    }
    constexpr ResourceType(char a, char b, char c, char d) : characters{a, b, c, d} {}
    bool operator==(const ResourceType&) const = default;
};

// One loaded resource. Owns its allocation; empty when data() is null.
class ResourceBlock {
public:
    static constexpr std::size_t kSpareBytes = 100;

    ResourceBlock() = default;
    ResourceBlock(ResourceBlock&&) noexcept = default;
    ResourceBlock& operator=(ResourceBlock&&) noexcept = default;

    const std::uint8_t* data() const { return m_allocation.get(); }
    std::uint8_t* mutableData() { return m_allocation.get(); }
    std::uint32_t size() const { return m_size; }
    bool empty() const { return !m_allocation; }

    // Frees the allocation; the block is empty afterwards.
    void release()
    {
        m_allocation.reset();
        m_size = 0;
    }

private:
    friend class PrcResourceFile;
    std::unique_ptr<std::uint8_t[]> m_allocation;
    std::uint32_t m_size = 0;
};

class PrcResourceFile {
public:
    static constexpr std::size_t kHeaderSize = 78;     // database header and entry count
    static constexpr std::size_t kDirectoryEntrySize = 10;

    PrcResourceFile() = default;
    ~PrcResourceFile() { close(); }
    PrcResourceFile(const PrcResourceFile&) = delete;
    PrcResourceFile& operator=(const PrcResourceFile&) = delete;

    // Opens the container named by `path` (UTF-8). `requestedId` is a packed
    // dictionary id; when it names another number than the four characters in
    // front of the extension, the file of the requested id in the same folder
    // is opened instead (see openedPath()). Status 0 or 514.
    int open(std::string_view path, std::int32_t requestedId);

    // Loads the first resource of `type` and `id` in directory order into
    // `block`, replacing what it held. Status 0, 515 (no such resource),
    // 517 (container not open) or 257; on 515 and 517 the block is untouched.
    int load(ResourceBlock& block, ResourceType type, std::uint16_t id);

    // Closes the file; the container can be opened again. Status 0.
    int close();

    bool isOpen() const { return m_file != nullptr; }
    std::uint16_t entryCount() const { return static_cast<std::uint16_t>(m_directory.size()); }
    const std::string& openedPath() const { return m_openedPath; }

    // Does a resource of this type and id exist?
    bool contains(ResourceType type, std::uint16_t id) const;

    // The file name the container would open for `path` and `requestedId`:
    // the path itself, or a copy with the requested id's digits in place of
    // the file's own. Exposed for tests.
    static std::string pathForRequestedId(std::string_view path, std::int32_t requestedId);

    // The ".prc"/".PRC" naming rule: at least 8 bytes, exact extension case.
    static bool isContainerName(std::string_view path);

private:
    struct DirectoryEntry {
        ResourceType type;
        std::uint16_t id;
        std::uint32_t offset;
        std::uint32_t size;
    };

    int readDirectory(std::uint64_t fileSize);

    std::FILE* m_file = nullptr;
    std::string m_openedPath;
    std::vector<DirectoryEntry> m_directory;
};

} // namespace lexvane::engine
