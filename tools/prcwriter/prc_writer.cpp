// prc_writer.cpp: laying out the container byte by byte.
#include "prc_writer.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

namespace lexvane::tools {

namespace {

void putBigEndian16(std::vector<std::uint8_t>& out, std::size_t at, std::uint16_t v)
{
    out[at] = static_cast<std::uint8_t>(v >> 8);
    out[at + 1] = static_cast<std::uint8_t>(v);
}

void putBigEndian32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t v)
{
    out[at] = static_cast<std::uint8_t>(v >> 24);
    out[at + 1] = static_cast<std::uint8_t>(v >> 16);
    out[at + 2] = static_cast<std::uint8_t>(v >> 8);
    out[at + 3] = static_cast<std::uint8_t>(v);
}

void putText(std::vector<std::uint8_t>& out, std::size_t at, std::string_view text, std::size_t field)
{
    for (std::size_t i = 0; i < field && i < text.size(); ++i)
        out[at + i] = static_cast<std::uint8_t>(text[i]);
}

} // namespace

PrcWriter::PrcWriter(std::string databaseName, std::string databaseType, std::string creator)
    : m_databaseName(std::move(databaseName)), m_databaseType(std::move(databaseType)), m_creator(std::move(creator))
{
}

bool PrcWriter::add(std::string_view type, std::uint16_t id, std::vector<std::uint8_t> body)
{
    if (type.size() != 4 || body.size() > kMaximumResourceSize)
        return false;
    m_resources.push_back(Resource{std::string(type), id, std::move(body)});
    return true;
}

std::vector<std::uint8_t> PrcWriter::bytes() const
{
    constexpr std::size_t kDatabaseHeaderSize = 76;
    constexpr std::size_t kEntrySize = 10;
    const std::size_t directoryEnd = kDatabaseHeaderSize + 2 + m_resources.size() * kEntrySize;
    std::size_t total = directoryEnd;
    for (const Resource& resource : m_resources)
        total += resource.body.size();

    std::vector<std::uint8_t> out(total, 0);
    // Database header: name (32), attributes (2), version (2), three dates
    // (12), modification number, app-info and sort-info ids (12), type (4),
    // creator (4), unique-id seed (4), next-record-list id (4).
    putText(out, 0, m_databaseName, 31);
    putBigEndian16(out, 32, 0x0001); // resource database
    putText(out, 60, m_databaseType, 4);
    putText(out, 64, m_creator, 4);
    putBigEndian16(out, 76, static_cast<std::uint16_t>(m_resources.size()));

    std::size_t offset = directoryEnd;
    for (std::size_t i = 0; i < m_resources.size(); ++i) {
        const Resource& resource = m_resources[i];
        const std::size_t entry = kDatabaseHeaderSize + 2 + i * kEntrySize;
        putText(out, entry, resource.type, 4);
        putBigEndian16(out, entry + 4, resource.id);
        putBigEndian32(out, entry + 6, static_cast<std::uint32_t>(offset));
        if (!resource.body.empty())
            std::memcpy(out.data() + offset, resource.body.data(), resource.body.size());
        offset += resource.body.size();
    }
    return out;
}

bool PrcWriter::write(const std::string& path, std::string& error) const
{
    if (m_resources.size() > 0xFFFF) {
        error = "too many resources for one container";
        return false;
    }
    const std::vector<std::uint8_t> content = bytes();
    // Written beside the target and renamed, so a failed write never leaves a
    // half-written dictionary under the real name.
    const std::string temporary = path + ".part";
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) {
        error = temporary + ": " + std::strerror(errno);
        return false;
    }
    const bool written = std::fwrite(content.data(), 1, content.size(), file) == content.size();
    const bool closed = std::fclose(file) == 0;
    if (!written || !closed || std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace lexvane::tools
