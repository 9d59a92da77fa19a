// text_model.cpp: checking a text model and decoding its symbols.
#include "compiled/text_model.h"

#include "common/byte_order.h"
#include "lexvane_engine.h"

#include <algorithm>

namespace lexvane::engine {

std::string fixedText(std::span<const std::uint8_t> field)
{
    std::string text;
    for (std::uint8_t byte : field) {
        if (byte == 0)
            break;
        text.push_back(static_cast<char>(byte));
    }
    return text;
}

int TextModel::load(ResourceBlock tree, ResourceBlock fast)
{
    m_tree = std::move(tree);
    m_fastIndex.clear();
    m_fastEntries.clear();
    m_shortcut.clear();
    if (m_tree.empty() || m_tree.size() < kHeaderSize)
        return LV_NOT_PRESENT;
    const std::uint8_t* p = m_tree.data();
    m_style = StyleHeader{};
    m_style.offsetMask = bytes::readBigEndian32(p);
    m_style.colour = bytes::readLittleEndian32(p + 4) & 0x00FFFFFF; // blue, green, red, 0
    m_style.method = bytes::readBigEndian32(p + 8);
    m_style.language = p[12];
    m_style.nodeSize = p[13];
    m_style.generatedKind = p[14];
    m_style.bold = p[15];
    m_style.italic = p[16];
    m_style.fontSize = p[17];
    m_style.underline = p[18];
    m_style.level = p[19];
    m_style.front = fixedText({p + 20, 32});
    m_style.after = fixedText({p + 52, 32});

    const bool prefixCode = m_style.method != kGenerated && m_style.method != kConstant;
    if (prefixCode && (m_style.nodeSize < 1 || m_style.nodeSize > 4))
        return LV_NOT_PRESENT;

    if (fast.empty() || !prefixCode)
        return LV_OK;
    if (fast.size() < kFastIndexSize || (fast.size() - kFastIndexSize) % kFastEntrySize != 0)
        return LV_NOT_PRESENT;
    const std::size_t entryCount = (fast.size() - kFastIndexSize) / kFastEntrySize;
    if (entryCount == 0 || entryCount > 0x7FFF)
        return LV_NOT_PRESENT;
    bytes::ByteView view({fast.data(), fast.size()});
    m_fastIndex.resize(256);
    for (FastIndex& index : m_fastIndex) {
        index.first = view.littleEndian16();
        index.second = view.littleEndian16();
        if (index.first & 0x8000) {
            if (index.second >= entryCount)
                return LV_NOT_PRESENT;
        } else if (index.second > index.first || index.first >= entryCount) {
            return LV_NOT_PRESENT;
        }
    }
    m_fastEntries.resize(entryCount);
    for (FastEntry& entry : m_fastEntries) {
        entry.code = view.littleEndian32();
        entry.mask = view.littleEndian32();
        entry.offset = view.littleEndian16();
        entry.length = view.u8();
        entry.codeLength = view.u8();
        if (entry.codeLength < 1 || entry.codeLength > 32 || std::size_t{entry.offset} + entry.length > m_tree.size())
            return LV_NOT_PRESENT;
    }
    if (view.failed()) {
        m_fastEntries.clear();
        return LV_NOT_PRESENT;
    }
    buildShortcut();
    return LV_OK;
}

void TextModel::buildShortcut()
{
    for (std::size_t i = 1; i < m_fastEntries.size(); ++i)
        if (m_fastEntries[i - 1].code >= m_fastEntries[i].code)
            return; // not sorted: every symbol takes the search
    // With sorted codes the bisection's choice for `bits` is the last entry
    // whose code is not above them, held within the first byte's range
    // (its lower end when there is none): one sweep finds it at both ends
    // of every prefix's range.
    constexpr int kRestBits = 32 - kShortcutBits;
    constexpr std::uint32_t kPrefixesPerByte = std::uint32_t{1} << (kShortcutBits - 8);
    m_shortcut.assign(std::size_t{1} << kShortcutBits, Shortcut{});
    constexpr std::uint32_t kRestMask = (std::uint32_t{1} << kRestBits) - 1;
    // The symbol for every bits of `prefix` when `chosen` is their choice.
    const auto resolve = [&](std::uint32_t prefix, std::size_t chosen) {
        const FastEntry& entry = m_fastEntries[chosen];
        if ((entry.mask & kRestMask) != 0 || ((prefix << kRestBits) & entry.mask) != entry.code)
            return Shortcut{}; // later bits decide, or no bits of this prefix match
        return Shortcut{entry.offset, entry.length, entry.codeLength};
    };
    std::size_t next = 0; // the first entry whose code is above the bits swept so far
    const auto lastNotAbove = [&](std::uint32_t bits) {
        while (next < m_fastEntries.size() && m_fastEntries[next].code <= bits)
            ++next;
        return static_cast<std::ptrdiff_t>(next) - 1;
    };
    for (std::uint32_t byte = 0; byte < 256; ++byte) {
        const FastIndex& index = m_fastIndex[byte];
        Shortcut* shortcut = m_shortcut.data() + byte * kPrefixesPerByte;
        if (index.first & 0x8000) {
            for (std::uint32_t k = 0; k < kPrefixesPerByte; ++k)
                shortcut[k] = resolve(byte * kPrefixesPerByte + k, index.second);
            continue;
        }
        for (std::uint32_t k = 0; k < kPrefixesPerByte; ++k) {
            const std::uint32_t lowestBits = (byte * kPrefixesPerByte + k) << kRestBits;
            const std::uint32_t highestBits = lowestBits | kRestMask;
            const std::ptrdiff_t lowest = std::clamp<std::ptrdiff_t>(lastNotAbove(lowestBits), index.second, index.first);
            const std::ptrdiff_t highest = std::clamp<std::ptrdiff_t>(lastNotAbove(highestBits), index.second, index.first);
            if (lowest == highest)
                shortcut[k] = resolve(byte * kPrefixesPerByte + k, static_cast<std::size_t>(lowest));
        }
    }
}

std::span<const std::uint8_t> TextModel::body() const
{
    if (m_tree.size() <= kHeaderSize)
        return {};
    return {m_tree.data() + kHeaderSize, m_tree.size() - kHeaderSize};
}

int TextModel::nextSymbol(BitStream& stream, std::span<const std::uint8_t>& text) const
{
    if (m_style.method == kGenerated || m_style.method == kConstant)
        return LV_NOT_PRESENT;
    return hasFastTable() ? lookUpFast(stream, text) : walkTree(stream, text);
}

int TextModel::walkTree(BitStream& stream, std::span<const std::uint8_t>& text) const
{
    const std::span<const std::uint8_t> tree = body();
    const std::size_t nodeSize = m_style.nodeSize;
    const int nodeBits = static_cast<int>(nodeSize * 8);
    std::size_t start = 0;
    std::size_t end = tree.size();
    for (;;) {
        // Every step moves into a strictly smaller region, so the walk ends.
        if (end - start < nodeSize)
            return LV_NOT_PRESENT;
        std::uint32_t node = 0;
        for (std::size_t i = 0; i < nodeSize; ++i)
            node = (node << 8) | tree[start + i];
        const std::size_t offset = node & m_style.offsetMask;
        if (offset < start + nodeSize || offset > end)
            return LV_NOT_PRESENT;
        std::uint32_t bit = 0;
        const int status = stream.read(1, bit);
        if (status != LV_OK)
            return status;
        bool leaf = false;
        if (bit) {
            leaf = (node >> (nodeBits - 1)) & 1;
            start += nodeSize;
            end = offset;
        } else {
            leaf = (node >> (nodeBits - 2)) & 1;
            start = offset;
        }
        if (leaf || start == end) {
            text = tree.subspan(start, end - start);
            return LV_OK;
        }
    }
}

std::size_t TextModel::chooseFastEntry(std::uint32_t bits) const
{
    const FastIndex& index = m_fastIndex[bits >> 24];
    if (index.first & 0x8000)
        return index.second;
    // The last entry whose code is not above the bits: codes are sorted
    // and prefix-free, so it is the one whose code starts the bits.
    std::size_t low = index.second;
    std::size_t high = index.first;
    while (low < high) {
        const std::size_t middle = (low + high + 1) / 2;
        if (m_fastEntries[middle].code <= bits)
            low = middle;
        else
            high = middle - 1;
    }
    return low;
}

int TextModel::lookUpFast(BitStream& stream, std::span<const std::uint8_t>& text) const
{
    std::uint32_t bits = 0;
    int available = 0;
    int status = stream.peek32(bits, available);
    if (status != LV_OK)
        return status;
    if (!m_shortcut.empty()) {
        const Shortcut& symbol = m_shortcut[bits >> (32 - kShortcutBits)];
        if (symbol.codeLength != 0) {
            if (symbol.codeLength > available)
                return LV_NOT_PRESENT;
            status = stream.skip(symbol.codeLength);
            if (status != LV_OK)
                return status;
            text = std::span<const std::uint8_t>(m_tree.data() + symbol.offset, symbol.length);
            return LV_OK;
        }
    }
    const FastEntry& entry = m_fastEntries[chooseFastEntry(bits)];
    if ((bits & entry.mask) != entry.code || entry.codeLength > available)
        return LV_NOT_PRESENT;
    status = stream.skip(entry.codeLength);
    if (status != LV_OK)
        return status;
    text = std::span<const std::uint8_t>(m_tree.data() + entry.offset, entry.length);
    return LV_OK;
}

} // namespace lexvane::engine
