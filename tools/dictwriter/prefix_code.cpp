// prefix_code.cpp: Huffman lengths, canonical codes, the code tree and the
// fast table.
#include "prefix_code.h"
#include "byte_output.h"

#include <algorithm>
#include <queue>

namespace lexvane::tools {

namespace {

// Huffman code lengths of the given weights.
std::vector<int> huffmanLengths(const std::vector<std::uint64_t>& weights)
{
    const std::size_t n = weights.size();
    std::vector<int> lengths(n, 0);
    if (n == 1) {
        lengths[0] = 1;
        return lengths;
    }
    // Nodes 0..n-1 are leaves; parents are appended.
    std::vector<std::size_t> parent(n, 0);
    using Item = std::pair<std::uint64_t, std::size_t>;
    std::priority_queue<Item, std::vector<Item>, std::greater<>> queue;
    for (std::size_t i = 0; i < n; ++i)
        queue.emplace(weights[i], i);
    while (queue.size() > 1) {
        const Item a = queue.top();
        queue.pop();
        const Item b = queue.top();
        queue.pop();
        const std::size_t node = parent.size();
        parent.push_back(0);
        parent[a.second] = node;
        parent[b.second] = node;
        queue.emplace(a.first + b.first, node);
    }
    const std::size_t root = parent.size() - 1;
    for (std::size_t i = 0; i < n; ++i) {
        int depth = 0;
        for (std::size_t k = i; k != root; k = parent[k])
            ++depth;
        lengths[i] = depth;
    }
    return lengths;
}

} // namespace

std::vector<std::uint8_t> styleHeader(const StyleDefinition& style, std::uint32_t offsetMask, std::uint8_t nodeSize)
{
    std::vector<std::uint8_t> out;
    putBigEndian32(out, offsetMask);
    out.push_back(static_cast<std::uint8_t>(style.colour));       // blue
    out.push_back(static_cast<std::uint8_t>(style.colour >> 8));  // green
    out.push_back(static_cast<std::uint8_t>(style.colour >> 16)); // red
    out.push_back(0);
    putBigEndian32(out, style.method);
    out.push_back(style.language);
    out.push_back(nodeSize);
    out.push_back(style.generatedKind);
    out.push_back(style.bold);
    out.push_back(style.italic);
    out.push_back(style.fontSize);
    out.push_back(style.underline);
    out.push_back(style.level);
    putField(out, style.front, 32);
    putField(out, style.after, 32);
    return out;
}

bool PrefixCode::build()
{
    m_codes.clear();
    m_index.clear();
    if (m_frequencies.empty())
        return false;
    std::vector<std::string> symbols;
    std::vector<std::uint64_t> weights;
    for (const auto& [symbol, frequency] : m_frequencies) {
        symbols.push_back(symbol);
        weights.push_back(frequency);
    }
    std::vector<int> lengths = huffmanLengths(weights);
    // Flattening the statistics shortens the longest codes until they fit.
    while (*std::max_element(lengths.begin(), lengths.end()) > kMaximumLength) {
        for (std::uint64_t& weight : weights)
            weight = weight / 2 + 1;
        lengths = huffmanLengths(weights);
    }
    for (std::size_t i = 0; i < symbols.size(); ++i)
        m_codes.push_back(Code{symbols[i], 0, lengths[i], 0});
    std::sort(m_codes.begin(), m_codes.end(), [](const Code& a, const Code& b) {
        return a.length != b.length ? a.length < b.length : a.symbol < b.symbol;
    });
    std::uint32_t code = 0;
    int previousLength = m_codes.front().length;
    for (std::size_t i = 0; i < m_codes.size(); ++i) {
        if (i > 0) {
            ++code;
            code <<= (m_codes[i].length - previousLength);
        }
        previousLength = m_codes[i].length;
        m_codes[i].bits = code;
    }
    for (std::size_t i = 0; i < m_codes.size(); ++i)
        m_index[m_codes[i].symbol] = i;
    return true;
}

void PrefixCode::encode(const std::string& symbol, BitWriter& out) const
{
    const Code& code = m_codes[m_index.at(symbol)];
    out.write(code.bits, code.length);
}

void PrefixCode::buildTree(std::vector<std::uint8_t>& tree, std::size_t first, std::size_t last, int depth,
                           int nodeSize)
{
    auto bitAt = [](const Code& code, int position) { return (code.bits >> (code.length - 1 - position)) & 1; };
    const std::size_t nodePosition = tree.size();
    tree.resize(tree.size() + static_cast<std::size_t>(nodeSize), 0);
    std::size_t split = first;
    while (split <= last && bitAt(m_codes[split], depth) == 0)
        ++split;
    std::uint32_t flags = 0;
    const std::uint32_t oneFlag = 1u << (nodeSize * 8 - 1);
    const std::uint32_t zeroFlag = 1u << (nodeSize * 8 - 2);

    auto emit = [&](std::size_t from, std::size_t to, std::uint32_t leafFlag) {
        if (from > to || to == static_cast<std::size_t>(-1))
            return;
        if (from == to && m_codes[from].length == depth + 1) {
            m_codes[from].textOffset = tree.size();
            tree.insert(tree.end(), m_codes[from].symbol.begin(), m_codes[from].symbol.end());
            flags |= leafFlag;
        } else {
            buildTree(tree, from, to, depth + 1, nodeSize);
        }
    };
    if (split <= last)
        emit(split, last, oneFlag);
    const std::size_t zeroOffset = tree.size();
    if (split > first)
        emit(first, split - 1, zeroFlag);
    const std::uint32_t node = flags | static_cast<std::uint32_t>(zeroOffset);
    for (int i = 0; i < nodeSize; ++i)
        tree[nodePosition + static_cast<std::size_t>(i)] =
            static_cast<std::uint8_t>(node >> (8 * (nodeSize - 1 - i)));
}

std::vector<std::uint8_t> PrefixCode::treeResource(const StyleDefinition& style)
{
    if (style.method == 0 || style.method == 1 || m_codes.empty()) {
        std::vector<std::uint8_t> out = styleHeader(style, 0, 0);
        if (style.method == 1) {
            out.insert(out.end(), style.constantText.begin(), style.constantText.end());
            out.push_back(0);
        }
        return out;
    }
    for (int nodeSize = 2; nodeSize <= 4; ++nodeSize) {
        std::vector<std::uint8_t> tree;
        buildTree(tree, 0, m_codes.size() - 1, 0, nodeSize);
        const std::uint32_t mask = (1u << (nodeSize * 8 - 2)) - 1;
        if (tree.size() > mask && nodeSize < 4)
            continue;
        std::vector<std::uint8_t> out = styleHeader(style, mask, static_cast<std::uint8_t>(nodeSize));
        for (Code& code : m_codes)
            code.textOffset += out.size();
        out.insert(out.end(), tree.begin(), tree.end());
        return out;
    }
    return {};
}

std::vector<std::uint8_t> PrefixCode::fastTableResource() const
{
    struct Index {
        std::uint16_t first = 0x8000;
        std::uint16_t second = 0;
        bool set = false;
    };
    std::vector<Index> index(256);
    std::vector<std::uint8_t> entries;
    for (std::size_t i = 0; i < m_codes.size(); ++i) {
        const Code& code = m_codes[i];
        const std::uint32_t aligned = code.bits << (32 - code.length);
        const std::uint32_t mask = code.length == 32 ? 0xFFFFFFFFu : ~(0xFFFFFFFFu >> code.length);
        putLittleEndian32(entries, aligned);
        putLittleEndian32(entries, mask);
        putLittleEndian16(entries, static_cast<std::uint16_t>(code.textOffset));
        entries.push_back(static_cast<std::uint8_t>(code.symbol.size()));
        entries.push_back(static_cast<std::uint8_t>(code.length));
        if (code.length <= 8) {
            const std::uint32_t low = aligned >> 24;
            const std::uint32_t span = 1u << (8 - code.length);
            for (std::uint32_t b = low; b < low + span; ++b)
                index[b] = Index{0x8000, static_cast<std::uint16_t>(i), true};
        } else {
            Index& slot = index[aligned >> 24];
            if (!slot.set)
                slot = Index{static_cast<std::uint16_t>(i), static_cast<std::uint16_t>(i), true};
            else
                slot.first = static_cast<std::uint16_t>(i);
        }
    }
    std::vector<std::uint8_t> out;
    for (const Index& slot : index) {
        putLittleEndian16(out, slot.first);
        putLittleEndian16(out, slot.second);
    }
    out.insert(out.end(), entries.begin(), entries.end());
    return out;
}

} // namespace lexvane::tools
