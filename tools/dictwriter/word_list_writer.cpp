// word_list_writer.cpp: front coding, compression and cutting into resources.
#include "word_list_writer.h"

#include <zlib.h>

#include <algorithm>
#include <stdexcept>

namespace lexvane::tools {

namespace {

template <typename Word, typename PutUnit>
bool frontCode(std::span<const Word> words, std::size_t maximumShared, PutUnit putUnit)
{
    const Word* previous = nullptr;
    for (const Word& word : words) {
        if (std::find(word.begin(), word.end(), 0) != word.end())
            return false;
        std::size_t shared = 0;
        if (previous) {
            const std::size_t most = std::min({previous->size(), word.size(), maximumShared});
            while (shared < most && (*previous)[shared] == word[shared])
                ++shared;
        }
        putUnit(shared + 1);
        for (std::size_t i = shared; i < word.size(); ++i)
            putUnit(static_cast<std::size_t>(static_cast<std::make_unsigned_t<typename Word::value_type>>(word[i])));
        putUnit(0);
        previous = &word;
    }
    return true;
}

} // namespace

std::optional<std::vector<std::uint8_t>> frontCodeWords16(std::span<const std::u16string> words)
{
    std::vector<std::uint8_t> bytes;
    const bool ok = frontCode(words, 0xFFFE, [&](std::size_t unit) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    });
    if (!ok)
        return std::nullopt;
    return bytes;
}

std::optional<std::vector<std::uint8_t>> frontCodeWords8(std::span<const std::string> words)
{
    std::vector<std::uint8_t> bytes;
    const bool ok = frontCode(words, 0xFE, [&](std::size_t unit) { bytes.push_back(static_cast<std::uint8_t>(unit)); });
    if (!ok)
        return std::nullopt;
    return bytes;
}

std::vector<std::uint8_t> deflateRaw(std::span<const std::uint8_t> bytes)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 9, Z_DEFAULT_STRATEGY) != Z_OK)
        throw std::runtime_error("deflateInit2 failed");
    std::vector<std::uint8_t> out(deflateBound(&stream, static_cast<uLong>(bytes.size())));
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    const int result = deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    if (result != Z_STREAM_END)
        throw std::runtime_error("deflate did not finish");
    return out;
}

bool addWordListResources(PrcWriter& writer, std::span<const std::uint8_t> compressed, std::size_t chunkSize)
{
    if (chunkSize == 0)
        return false;
    std::size_t id = 0;
    for (std::size_t offset = 0; offset < compressed.size(); offset += chunkSize, ++id) {
        if (id > 0xFFFF)
            return false;
        const std::size_t size = std::min(chunkSize, compressed.size() - offset);
        const auto piece = compressed.subspan(offset, size);
        if (!writer.add("WLST", static_cast<std::uint16_t>(id), std::vector<std::uint8_t>(piece.begin(), piece.end())))
            return false;
    }
    return true;
}

} // namespace lexvane::tools
