// A compiled dictionary assembled byte by byte from the format tables, so
// that the reader and the project's writer cannot share a misreading
// unnoticed: two entries, "ab" and "abb", and a handful of symbols.
//
// Codes (one-byte tree nodes, offset mask 0x3F):
//   style 0 (headword characters): NUL = 0, 'a' = 10, 'b' = 11
//   style 1 (shared count + 1):    "\1\0" = 0, "\3\0" = 1
//   style 2 (style sequence):      NUL = 0, "\3" = 1
//   style 3 (text):                "!\0" = 0, "hi" = 1
// Headword stream: 0 10 11 0 | 1 11 0             -> 0x5B 0x80
// Article stream:  1 0 . 1 0 | 1 1 0 . 1 1 0 . 0  -> 0xAD 0x80
// Articles: entry 0 = "hi!"; entry 1 = "hihi!", "!".
#include "compiled_fixture.h"
#include "compiled_test_support.h"
#include "prc_writer.h"

#include <gtest/gtest.h>

using namespace lexvane::testing;

namespace {

std::vector<std::uint8_t> model(const std::vector<std::uint8_t>& tree, std::uint8_t bold = 0)
{
    ByteBuilder b;
    b.bigEndian32(0x3F)          // offset mask
        .u8(0x56).u8(0x34).u8(0x12).u8(0) // colour blue, green, red: 0x123456
        .bigEndian32(2)          // prefix code
        .u8(0)                   // language
        .u8(1)                   // node size
        .u8(0)                   // generated kind
        .u8(bold)
        .u8(0)                   // italic
        .u8(0)                   // font size
        .u8(0)                   // underline
        .u8(0)                   // level
        .field("", 32)
        .field("", 32)
        .append(tree);
    return b.bytes();
}

std::vector<std::uint8_t> handMadeDictionary(bool withFastTable)
{
    HeaderFields fields;
    fields.entryCount = 2;
    fields.styleCount = 4;
    std::vector<std::uint8_t> header = compiledHeader(fields);
    header[41] = 0; // no article lengths

    ByteBuilder quickAccess;
    quickAccess.bigEndian32(1).bigEndian32(0).bigEndian32(0).bigEndian32(0);
    quickAccess.bigEndian16('a').bigEndian16('b').zeros(12);

    lexvane::tools::PrcWriter writer;
    writer.add("HEAD", 0, header);
    writer.add("QIDX", 0, quickAccess.bytes());
    writer.add("SYMB", 0, std::vector<std::uint8_t>(8192, 0));
    writer.add("COMP", 0, sampleSortTable());
    // root: 1-subtree internal, 0-subtree leaf NUL at 4; inner: both leaves, 'a' at 3.
    writer.add("TREE", 0, model({0x44, 0xC3, 'b', 'a', 0}));
    writer.add("TREE", 1, model({0xC3, 3, 0, 1, 0}));
    writer.add("TREE", 2, model({0xC2, 3, 0}));
    writer.add("TREE", 3, model({0xC3, 'h', 'i', '!', 0}, 1));
    if (withFastTable) {
        // Entries in code order: NUL (0, 1 bit), 'a' (10), 'b' (11); text
        // offsets count from the start of the "TREE" block.
        ByteBuilder fast;
        for (int b = 0; b < 256; ++b)
            fast.littleEndian16(0x8000).littleEndian16(b < 128 ? 0 : b < 192 ? 1 : 2);
        fast.littleEndian32(0x00000000).littleEndian32(0x80000000).littleEndian16(84 + 4).u8(1).u8(1);
        fast.littleEndian32(0x80000000).littleEndian32(0xC0000000).littleEndian16(84 + 3).u8(1).u8(2);
        fast.littleEndian32(0xC0000000).littleEndian32(0xC0000000).littleEndian16(84 + 2).u8(1).u8(2);
        writer.add("Tfst", 0, fast.bytes());
    }
    writer.add("ARRY", 0, {0xAD, 0x80});
    writer.add("HWRD", 0, {0x5B, 0x80});
    return writer.bytes();
}

TEST(CompiledHandFixture, ReadsHeadwordsAndArticles)
{
    for (bool fast : {false, true}) {
        TemporaryFolder folder;
        OpenDictionary dic(folder.write("hand0A1B.prc", handMadeDictionary(fast)));
        ASSERT_EQ(dic.status, LV_OK);
        EXPECT_EQ(dic.headword(0), u"ab");
        EXPECT_EQ(dic.headword(1), u"abb");

        Recorder second;
        ASSERT_EQ(dic.extract(1, second), LV_OK);
        EXPECT_EQ(second.runs(), (std::vector<std::pair<int, std::u16string>>{{3, u"hihi!"}, {3, u"!"}}));
        ASSERT_EQ(second.events.size(), 4u);
        EXPECT_EQ(second.events[1].bold, 1);
        EXPECT_EQ(second.events[1].colour, 0x123456u);

        Recorder first;
        ASSERT_EQ(dic.extract(0, first), LV_OK);
        EXPECT_EQ(first.runs(), (std::vector<std::pair<int, std::u16string>>{{3, u"hi!"}}));

        std::int32_t index = -1;
        EXPECT_EQ(DicSearch(dic.handle, u"abb", 0, &index), LV_OK);
        EXPECT_EQ(index, 1);
        EXPECT_EQ(DicSearch(dic.handle, u"aa", 0, &index), LV_OK);
        EXPECT_EQ(index, 0);
        EXPECT_EQ(DicSearch(dic.handle, u"zz", 0, &index), LV_OK);
        EXPECT_EQ(index, 1) << "a word after the last entry stops at the last entry";
    }
}

// The same bytes assembled by the compiler decode to the same entries.
TEST(CompiledHandFixture, WriterAgreesWithTheHandMadeFile)
{
    lexvane::tools::DictionarySource source;
    source.styles.resize(1);
    source.sortTable = sampleSortTable();
    source.entries = {{"ab", {{3, "hi!", 0}}}, {"abb", {{3, "hihi!", 0}, {3, "!", 0}}}};
    lexvane::tools::CompileOptions options;
    options.articleLengthBits = 0;
    TemporaryFolder folder;
    OpenDictionary made(writeCompiled(folder, "made0A1B.prc", source, options));
    OpenDictionary hand(folder.write("hand0A1B.prc", handMadeDictionary(false)));
    ASSERT_EQ(made.status, LV_OK);
    for (std::int32_t i = 0; i < 2; ++i) {
        EXPECT_EQ(made.headword(i), hand.headword(i));
        Recorder a;
        Recorder b;
        made.extract(i, a);
        hand.extract(i, b);
        EXPECT_EQ(a.runs(), b.runs());
    }
}

} // namespace
