// Tests of the compressed word lists ("WLST"): the writer's front coding,
// decoding in both unit sizes, chunks cut anywhere, and damaged lists.
#include "search/word_list_decoder.h"
#include "word_list_writer.h"

#include "byte_builder.h"
#include "lexvane_engine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

using lexvane::engine::WordListDecoder;
using lexvane::testing::ByteBuilder;
using UnitSize = WordListDecoder::UnitSize;

struct Decoded {
    int status = 0;
    std::vector<std::u16string> words;
};

// Decodes `compressed` handed out in chunks of `chunkSize` bytes.
Decoded decodeInChunks(const std::vector<std::uint8_t>& compressed, std::size_t chunkSize, UnitSize unitSize,
                       std::span<const char16_t> codePage = {})
{
    Decoded decoded;
    auto source = [&](std::uint16_t id, std::span<const std::uint8_t>& chunk) {
        const std::size_t offset = std::size_t{id} * chunkSize;
        if (offset >= compressed.size())
            return int{LV_NOT_PRESENT};
        chunk = std::span(compressed).subspan(offset, std::min(chunkSize, compressed.size() - offset));
        return int{LV_OK};
    };
    decoded.status = WordListDecoder::decode(source, unitSize, codePage, [&](std::u16string_view word) {
        decoded.words.emplace_back(word);
        return 0;
    });
    return decoded;
}

std::vector<std::u16string> sampleWords()
{
    std::vector<std::u16string> words = {u"",      u"a",          u"cat",    u"catalogue", u"catalogues",
                                         u"cater", u"concatenate", u"dog",   u"dog",       u"\u0434\u043e\u043c",
                                         u"\u0434\u043e\u043c\u0430"};
    std::mt19937 random(3);
    for (int i = 0; i < 3000; ++i) {
        std::u16string word(1 + random() % 20, u'a');
        for (char16_t& c : word)
            c = static_cast<char16_t>(u'a' + random() % 6);
        words.push_back(word);
    }
    std::sort(words.begin() + 11, words.end());
    return words;
}

TEST(WordList, HandAssembledFrontCodingIsWhatTheWriterWrites)
{
    const std::vector<std::uint8_t> expected = ByteBuilder()
        .u8(1).text("cat").u8(0)
        .u8(4).text("alogue").u8(0)
        .u8(1).text("dog").u8(0)
        .u8(4).u8(0) // the same word again
        .bytes();
    const std::vector<std::string> words = {"cat", "catalogue", "dog", "dog"};
    EXPECT_EQ(lexvane::tools::frontCodeWords8(words), expected);

    const Decoded decoded = decodeInChunks(lexvane::tools::deflateRaw(expected), 5, UnitSize::Bytes);
    EXPECT_EQ(decoded.status, 0);
    EXPECT_EQ(decoded.words, (std::vector<std::u16string>{u"cat", u"catalogue", u"dog", u"dog"}));

    const std::vector<std::uint8_t> wide = ByteBuilder()
        .littleEndian16(1).littleEndian16(u'a').littleEndian16(0x0434).littleEndian16(0)
        .littleEndian16(3).littleEndian16(u'b').littleEndian16(0)
        .bytes();
    const std::vector<std::u16string> wideWords = {u"a\u0434", u"a\u0434b"};
    EXPECT_EQ(lexvane::tools::frontCodeWords16(wideWords), wide);
}

// A chunk of one byte cuts every 16-bit unit somewhere; the decoder joins
// the halves however inflate hands them out.
TEST(WordList, RoundTripsInBothUnitSizesWhateverTheChunkSize)
{
    const std::vector<std::u16string> words = sampleWords();
    const auto wide = lexvane::tools::frontCodeWords16(words);
    ASSERT_TRUE(wide);
    const std::vector<std::uint8_t> compressed = lexvane::tools::deflateRaw(*wide);
    for (std::size_t chunkSize : {1u, 2u, 3u, 7u, 4096u, 65535u}) {
        const Decoded decoded = decodeInChunks(compressed, chunkSize, UnitSize::Utf16);
        EXPECT_EQ(decoded.status, 0) << "chunk size " << chunkSize;
        EXPECT_EQ(decoded.words, words) << "chunk size " << chunkSize;
    }

    // 8-bit units through a code page: bytes 0xE0 on are Cyrillic letters.
    std::vector<char16_t> codePage(256);
    for (int i = 0; i < 256; ++i)
        codePage[i] = static_cast<char16_t>(i < 0xE0 ? i : 0x0430 + (i - 0xE0));
    std::vector<std::string> narrow;
    std::vector<std::u16string> expected;
    for (const std::u16string& word : words) {
        std::string bytes;
        std::u16string converted;
        for (char16_t c : word) {
            const int byte = c >= 0x0430 ? 0xE0 + (c - 0x0430) : c;
            bytes.push_back(static_cast<char>(byte));
            converted.push_back(codePage[byte]);
        }
        narrow.push_back(bytes);
        expected.push_back(converted);
    }
    const auto bytes = lexvane::tools::frontCodeWords8(narrow);
    ASSERT_TRUE(bytes);
    const std::vector<std::uint8_t> compressedBytes = lexvane::tools::deflateRaw(*bytes);
    for (std::size_t chunkSize : {1u, 5u, 65535u}) {
        const Decoded decoded = decodeInChunks(compressedBytes, chunkSize, UnitSize::Bytes, codePage);
        EXPECT_EQ(decoded.status, 0) << "chunk size " << chunkSize;
        EXPECT_EQ(decoded.words, expected) << "chunk size " << chunkSize;
    }
}

TEST(WordList, OddTotalGives1061AfterTheWholeWords)
{
    std::vector<std::uint8_t> bytes = *lexvane::tools::frontCodeWords16(std::vector<std::u16string>{u"ab", u"ac"});
    bytes.push_back(1);
    for (std::size_t chunkSize : {1u, 3u, 100u}) {
        const Decoded decoded = decodeInChunks(lexvane::tools::deflateRaw(bytes), chunkSize, UnitSize::Utf16);
        EXPECT_EQ(decoded.status, LV_ODD_WORD_LIST);
        EXPECT_EQ(decoded.words, (std::vector<std::u16string>{u"ab", u"ac"}));
    }
    // The same bytes are a fine 8-bit list but for the last, unfinished word.
    EXPECT_EQ(decodeInChunks(lexvane::tools::deflateRaw(bytes), 3, UnitSize::Bytes).status, LV_NOT_PRESENT);
}

TEST(WordList, DamagedListsGive515)
{
    const std::vector<std::uint8_t> good = lexvane::tools::deflateRaw(
        *lexvane::tools::frontCodeWords16(sampleWords()));

    struct Case {
        const char* name;
        std::vector<std::uint8_t> compressed;
        UnitSize unitSize;
    };
    std::vector<std::uint8_t> truncated(good.begin(), good.end() - 10);
    std::vector<std::uint8_t> corrupt = good;
    for (std::size_t i = 0; i < 16; ++i)
        corrupt[i] = 0xFF; // an invalid block type
    const Case cases[] = {
        {"truncated stream", truncated, UnitSize::Utf16},
        {"corrupt stream", corrupt, UnitSize::Utf16},
        {"no chunk at all", {}, UnitSize::Utf16},
        {"shared count 0",
         lexvane::tools::deflateRaw(ByteBuilder().u8(1).text("ab").u8(0).u8(0).text("c").u8(0).bytes()),
         UnitSize::Bytes},
        {"shared count longer than the previous word",
         lexvane::tools::deflateRaw(ByteBuilder().u8(1).text("ab").u8(0).u8(4).text("c").u8(0).bytes()),
         UnitSize::Bytes},
        {"first word sharing with nothing",
         lexvane::tools::deflateRaw(ByteBuilder().littleEndian16(2).littleEndian16('a').littleEndian16(0).bytes()),
         UnitSize::Utf16},
        {"last word unterminated", lexvane::tools::deflateRaw(ByteBuilder().u8(1).text("ab").bytes()),
         UnitSize::Bytes},
        {"endless word", lexvane::tools::deflateRaw(ByteBuilder().u8(1).field("", 0).append(
                                                        std::vector<std::uint8_t>(5000, 'a')).u8(0).bytes()),
         UnitSize::Bytes},
    };
    for (const Case& c : cases) {
        for (std::size_t chunkSize : {1u, 1000u})
            EXPECT_EQ(decodeInChunks(c.compressed, chunkSize, c.unitSize).status, LV_NOT_PRESENT)
                << c.name << ", chunk size " << chunkSize;
    }
}

TEST(WordList, SinkAndSourceStatusesStopTheDecoding)
{
    const std::vector<std::uint8_t> compressed = lexvane::tools::deflateRaw(
        *lexvane::tools::frontCodeWords8(std::vector<std::string>{"a", "b", "c"}));
    int words = 0;
    auto source = [&](std::uint16_t id, std::span<const std::uint8_t>& chunk) {
        if (id > 0)
            return int{LV_NOT_PRESENT};
        chunk = compressed;
        return int{LV_OK};
    };
    EXPECT_EQ(WordListDecoder::decode(source, UnitSize::Bytes, {}, [&](std::u16string_view) {
                  return ++words == 2 ? int{LV_STOPPED} : 0;
              }),
              LV_STOPPED);
    EXPECT_EQ(words, 2);

    auto failing = [](std::uint16_t, std::span<const std::uint8_t>&) { return int{LV_CONTAINER_NOT_OPEN}; };
    EXPECT_EQ(WordListDecoder::decode(failing, UnitSize::Bytes, {}, nullptr), LV_CONTAINER_NOT_OPEN);
}

TEST(WordList, WriterCutsTheStreamIntoNumberedResources)
{
    lexvane::tools::PrcWriter writer;
    const std::vector<std::uint8_t> compressed(25, 7);
    ASSERT_TRUE(lexvane::tools::addWordListResources(writer, compressed, 10));
    ASSERT_EQ(writer.resources().size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(writer.resources()[i].type, "WLST");
        EXPECT_EQ(writer.resources()[i].id, i);
    }
    EXPECT_EQ(writer.resources()[2].body.size(), 5u);
    EXPECT_FALSE(lexvane::tools::frontCodeWords16(std::vector<std::u16string>{std::u16string(u"a\0b", 3)}));
}

} // namespace
