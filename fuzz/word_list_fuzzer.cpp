// word_list_fuzzer.cpp: the compressed word lists ("WLST") from untrusted
// bytes, decoded on their own and fed to a fuzzy search.
//
// Input: a flag byte (bit 0: 16-bit units; bit 1: through a code page; bits
// 2 to 7: the sink stops at that word, 0 = never), a chunk-size byte (chunks
// of 1 + 64 * n bytes), then the DEFLATE stream, cut into chunks as the
// resources "WLST" 0, 1, ... would hold it. The seeds are written by
// seeds/make_seeds.cpp.
#include "fuzz_input.h"

#include "lexvane_engine.h"
#include "search/fuzzy_feed.h"
#include "search/fuzzy_state.h"
#include "search/word_list_decoder.h"

#include <array>
#include <cstdlib>
#include <vector>

using lexvane::engine::WordListDecoder;

namespace {

// A code page as a dictionary might carry: ASCII, then Cyrillic and a few
// characters that sort tables expand.
const std::array<char16_t, 256>& codePage()
{
    static const std::array<char16_t, 256> page = [] {
        std::array<char16_t, 256> units{};
        for (int byte = 0; byte < 256; ++byte)
            units[byte] = byte < 0x80 ? char16_t(byte) : char16_t(0x0410 + (byte - 0x80) % 64);
        units[0x80] = u'æ';
        units[0x81] = u'ß';
        units[0xFF] = 0xFFFF;
        return units;
    }();
    return page;
}

void checkResults(const FuzzyState& state, std::int32_t maxResults)
{
    const std::span<const FuzzyResult> results = state.results();
    if (results.size() > static_cast<std::size_t>(maxResults))
        std::abort();
    for (std::size_t i = 0; i < results.size(); ++i) {
        if (results[i].distance >= FuzzyState::kDefaultLimit || results[i].headword[63] != 0)
            std::abort();
        if (i > 0 && results[i].distance < results[i - 1].distance)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    if (size < 2)
        return 0;
    const auto unitSize = (data[0] & 1) ? WordListDecoder::UnitSize::Utf16 : WordListDecoder::UnitSize::Bytes;
    const std::span<const char16_t> page = (data[0] & 2) ? std::span<const char16_t>(codePage()) : std::span<const char16_t>();
    const std::size_t stopAt = data[0] >> 2;
    const std::size_t chunkSize = 1 + 64 * std::size_t(data[1]);
    const std::span<const std::uint8_t> stream(data + 2, size - 2);

    const WordListDecoder::ChunkSource source = [&](std::uint16_t id, std::span<const std::uint8_t>& chunk) {
        const std::size_t start = std::size_t(id) * chunkSize;
        if (start >= stream.size())
            return LV_NOT_PRESENT;
        chunk = stream.subspan(start, std::min(chunkSize, stream.size() - start));
        return LV_OK;
    };

    std::size_t words = 0;
    WordListDecoder::decode(source, unitSize, page, [&](std::u16string_view word) {
        if (word.size() > WordListDecoder::kMaximumWordUnits)
            std::abort();
        ++words;
        return stopAt != 0 && words == stopAt ? 1 : 0;
    });

    FuzzyState state;
    state.start(u"strasse", 10);
    lexvane::engine::feedWordList(state, source, unitSize, page, 0);
    checkResults(state, 10);
    return 0;
}
