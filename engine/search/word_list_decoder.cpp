// word_list_decoder.cpp: inflating the "WLST" chunks and undoing the front
// coding of the word list.
#include "search/word_list_decoder.h"

#include "lexvane_engine.h"

#include <zlib.h>

#include <new>

namespace lexvane::engine {

namespace {

constexpr std::size_t kOutputBlockSize = 16384;
constexpr int kRawDeflateWindowBits = -15; // raw stream, window 2^15

} // namespace

struct WordListDecoder::Inflater {
    z_stream stream{};
    bool ready = false;
    std::uint8_t output[kOutputBlockSize];

    Inflater() { ready = inflateInit2(&stream, kRawDeflateWindowBits) == Z_OK; }
    ~Inflater()
    {
        if (ready)
            inflateEnd(&stream);
    }
};

WordListDecoder::WordListDecoder(UnitSize unitSize, std::span<const char16_t> codePage)
    : m_unitSize(unitSize)
    , m_codePage(codePage.size() >= 256 ? codePage : std::span<const char16_t>())
    , m_inflater(new (std::nothrow) Inflater)
{
}

WordListDecoder::~WordListDecoder() = default;

int WordListDecoder::feed(std::span<const std::uint8_t> chunk, const WordSink& sink)
{
    if (!m_inflater || !m_inflater->ready)
        return LV_NO_MEMORY;
    if (m_damaged)
        return LV_NOT_PRESENT;
    if (m_finished)
        return LV_OK; // bytes after the end of the stream are not part of it

    z_stream& stream = m_inflater->stream;
    stream.next_in = const_cast<Bytef*>(chunk.data());
    stream.avail_in = static_cast<uInt>(chunk.size());
    for (;;) {
        stream.next_out = m_inflater->output;
        stream.avail_out = kOutputBlockSize;
        const int result = inflate(&stream, Z_NO_FLUSH);
        const std::size_t produced = kOutputBlockSize - stream.avail_out;
        if (result == Z_MEM_ERROR)
            return LV_NO_MEMORY;
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR) {
            m_damaged = true;
            return LV_NOT_PRESENT;
        }
        if (const int status = consume(std::span(m_inflater->output, produced), sink))
            return status;
        if (result == Z_STREAM_END) {
            m_finished = true;
            return LV_OK;
        }
        // Z_BUF_ERROR: no progress without more input.
        if (result == Z_BUF_ERROR || (stream.avail_in == 0 && stream.avail_out != 0))
            return LV_OK;
    }
}

int WordListDecoder::consume(std::span<const std::uint8_t> bytes, const WordSink& sink)
{
    std::size_t i = 0;
    if (m_unitSize == UnitSize::Bytes) {
        for (; i < bytes.size(); ++i) {
            const std::uint8_t byte = bytes[i];
            char16_t unit = byte;
            // The count byte is a number, not a character; an unmapped
            // character keeps its byte value rather than ending the word.
            if (!m_expectSharedCount && byte != 0 && !m_codePage.empty() && m_codePage[byte] != 0)
                unit = m_codePage[byte];
            if (const int status = takeUnit(unit, sink))
                return status;
        }
        return LV_OK;
    }

    if (m_hasCarry && !bytes.empty()) {
        m_hasCarry = false;
        if (const int status = takeUnit(static_cast<char16_t>(m_carry | (bytes[0] << 8)), sink))
            return status;
        i = 1;
    }
    for (; i + 1 < bytes.size(); i += 2) {
        if (const int status = takeUnit(static_cast<char16_t>(bytes[i] | (bytes[i + 1] << 8)), sink))
            return status;
    }
    if (i < bytes.size()) {
        m_carry = bytes[i];
        m_hasCarry = true;
    }
    return LV_OK;
}

int WordListDecoder::takeUnit(char16_t unit, const WordSink& sink)
{
    if (m_expectSharedCount) {
        // The count is the shared prefix + 1, so 0 never starts a word.
        if (unit == 0 || static_cast<std::size_t>(unit - 1) > m_word.size()) {
            m_damaged = true;
            return LV_NOT_PRESENT;
        }
        m_word.resize(unit - 1u);
        m_expectSharedCount = false;
        return LV_OK;
    }
    if (unit == 0) {
        m_expectSharedCount = true;
        return sink ? sink(m_word) : LV_OK;
    }
    if (m_word.size() >= kMaximumWordUnits) {
        m_damaged = true;
        return LV_NOT_PRESENT;
    }
    m_word.push_back(unit);
    return LV_OK;
}

int WordListDecoder::finish() const
{
    if (m_damaged || !m_finished)
        return LV_NOT_PRESENT;
    if (m_hasCarry)
        return LV_ODD_WORD_LIST;
    if (!m_expectSharedCount)
        return LV_NOT_PRESENT;
    return LV_OK;
}

int WordListDecoder::decode(const ChunkSource& source, UnitSize unitSize, std::span<const char16_t> codePage,
                            const WordSink& sink)
{
    WordListDecoder decoder(unitSize, codePage);
    for (std::uint32_t id = 0; id <= 0xFFFF && !decoder.finished(); ++id) {
        std::span<const std::uint8_t> chunk;
        const int status = source(static_cast<std::uint16_t>(id), chunk);
        if (status == LV_NOT_PRESENT)
            break;
        if (status != LV_OK)
            return status;
        if (const int fed = decoder.feed(chunk, sink))
            return fed;
    }
    return decoder.finish();
}

} // namespace lexvane::engine
