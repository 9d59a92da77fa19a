// word_list_decoder.h: the compressed word lists ("WLST") that feed the
// fuzzy search of a compiled dictionary.
//
// The resources "WLST" 0, 1, ... are the chunks of one raw DEFLATE stream
// (window 2^15); decoded, it is a front-coded word list in 8-bit units
// (converted through the dictionary's code page) or 16-bit little-endian
// units. Decoded bytes are taken as they come, so a 16-bit unit split across
// two chunks or two output blocks is joined; only an odd total is refused.
// Every word is checked against the previous one before it is handed on.
// See docs/formats/word-list.md.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace lexvane::engine {

class WordListDecoder {
public:
    enum class UnitSize { Bytes, Utf16 };

    // A word longer than this is taken for damage, not for a headword.
    static constexpr std::size_t kMaximumWordUnits = 4096;

    // Receives each decoded word; a non-zero answer stops the decoding with it.
    using WordSink = std::function<int(std::u16string_view word)>;

    // Hands out chunk `id`: 0 with `chunk` set (valid until the next call),
    // LV_NOT_PRESENT when there is no such chunk, or another status to stop.
    using ChunkSource = std::function<int(std::uint16_t id, std::span<const std::uint8_t>& chunk)>;

    // `codePage`: for 8-bit units, the 256 code units of the dictionary's
    // code page ("UNIC" 0, first unit of each entry); empty widens each byte.
    explicit WordListDecoder(UnitSize unitSize, std::span<const char16_t> codePage = {});
    ~WordListDecoder();
    WordListDecoder(const WordListDecoder&) = delete;
    WordListDecoder& operator=(const WordListDecoder&) = delete;

    // Decodes one compressed chunk, handing on every word it completes.
    // 0; LV_NOT_PRESENT for damaged data; LV_NO_MEMORY; or the sink's answer.
    int feed(std::span<const std::uint8_t> chunk, const WordSink& sink);

    // Whether the compressed stream has ended (later chunks are not needed).
    bool finished() const { return m_finished; }

    // After the last chunk: 0; LV_NOT_PRESENT when the stream or its last
    // word is cut short; LV_ODD_WORD_LIST for 16-bit units of an odd total.
    int finish() const;

    // Decodes the whole list from `source`, chunk 0 on, until the stream
    // ends or the source has no more chunks. The status as above.
    static int decode(const ChunkSource& source, UnitSize unitSize, std::span<const char16_t> codePage,
                      const WordSink& sink);

private:
    struct Inflater;

    int consume(std::span<const std::uint8_t> bytes, const WordSink& sink);
    int takeUnit(char16_t unit, const WordSink& sink);

    UnitSize m_unitSize;
    std::span<const char16_t> m_codePage;
    std::unique_ptr<Inflater> m_inflater;
    bool m_finished = false;
    bool m_damaged = false;
    bool m_hasCarry = false;       // an odd byte waiting for its partner
    std::uint8_t m_carry = 0;
    bool m_expectSharedCount = true;
    std::u16string m_word;
};

} // namespace lexvane::engine
