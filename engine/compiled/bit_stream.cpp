// bit_stream.cpp: bit reading across the 32 KiB resources of a stream.
#include "compiled/bit_stream.h"

#include "lexvane_engine.h"

#include <algorithm>
#include <utility>

namespace lexvane::engine {

void BitStream::reset()
{
    m_current = Block{};
    m_other = Block{};
    m_position = 0;
}

int BitStream::useBlock(std::int32_t id)
{
    if (m_current.id == id)
        return LV_OK;
    if (m_other.id == id) {
        std::swap(m_current, m_other);
        return LV_OK;
    }
    if (!m_container || id < 0 || id > 0xFFFF)
        return LV_NOT_PRESENT;
    Block loaded;
    const int status = m_container->load(loaded.data, m_type, static_cast<std::uint16_t>(id));
    if (status != LV_OK)
        return status == LV_NO_MEMORY ? status : LV_NOT_PRESENT;
    loaded.id = id;
    m_other = std::move(m_current);
    m_current = std::move(loaded);
    return LV_OK;
}

bool BitStream::byteAt(std::uint64_t byteOffset, std::uint8_t& value)
{
    const std::uint64_t id = byteOffset / kBlockSize;
    const std::uint32_t offset = static_cast<std::uint32_t>(byteOffset % kBlockSize);
    if (id > 0xFFFF || useBlock(static_cast<std::int32_t>(id)) != LV_OK)
        return false;
    if (offset >= m_current.data.size())
        return false;
    value = m_current.data.data()[offset];
    return true;
}

int BitStream::seek(std::uint64_t position)
{
    // A position exactly at the end of the last block is valid (nothing
    // follows it), so only the block's existence is checked here.
    const std::uint64_t id = position >> kBlockShift;
    if (id > 0xFFFF)
        return LV_NOT_PRESENT;
    const int status = useBlock(static_cast<std::int32_t>(id));
    if (status != LV_OK)
        return status;
    const std::uint32_t offset = static_cast<std::uint32_t>((position >> 3) & (kBlockSize - 1));
    if (offset > m_current.data.size() || (offset == m_current.data.size() && (position & 7) != 0))
        return LV_NOT_PRESENT;
    m_position = position;
    return LV_OK;
}

int BitStream::readSlowly(int count, std::uint32_t& value)
{
    value = 0;
    if (count < 0 || count > 32)
        return LV_NOT_PRESENT;
    std::uint64_t position = m_position;
    std::uint32_t result = 0;
    int remaining = count;
    while (remaining > 0) {
        std::uint8_t byte = 0;
        if (!byteAt(position >> 3, byte))
            return LV_NOT_PRESENT;
        const int bitInByte = static_cast<int>(position & 7);
        const int take = std::min(remaining, 8 - bitInByte);
        const std::uint32_t bits = (static_cast<std::uint32_t>(byte) >> (8 - bitInByte - take)) & ((1u << take) - 1);
        result = static_cast<std::uint32_t>((static_cast<std::uint64_t>(result) << take) | bits);
        remaining -= take;
        position += static_cast<std::uint64_t>(take);
    }
    value = result;
    m_position = position;
    return LV_OK;
}

int BitStream::peekSlowly(std::uint32_t& value, int& available)
{
    value = 0;
    available = 0;
    std::uint64_t position = m_position;
    std::uint64_t result = 0;
    int collected = 0;
    while (collected < 32) {
        std::uint8_t byte = 0;
        if (!byteAt(position >> 3, byte))
            break;
        const int bitInByte = static_cast<int>(position & 7);
        const int take = std::min(32 - collected, 8 - bitInByte);
        const std::uint32_t bits = (static_cast<std::uint32_t>(byte) >> (8 - bitInByte - take)) & ((1u << take) - 1);
        result = (result << take) | bits;
        collected += take;
        position += static_cast<std::uint64_t>(take);
    }
    // Peeking may have moved the current block forward; the position stays.
    value = static_cast<std::uint32_t>(result << (32 - collected));
    available = collected;
    return collected > 0 ? LV_OK : LV_NOT_PRESENT;
}

int BitStream::skipSlowly(std::uint64_t count)
{
    const std::uint64_t target = m_position + count;
    if (count == 0)
        return LV_OK;
    std::uint8_t byte = 0;
    // The last bit skipped must exist.
    if (!byteAt((target - 1) >> 3, byte))
        return LV_NOT_PRESENT;
    m_position = target;
    return LV_OK;
}

} // namespace lexvane::engine
