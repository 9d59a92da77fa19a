// Tests of the bit stream: reads inside a block (five bytes at a time),
// across block edges and at the end of the stream all agree with a plain
// bit-by-bit reading of the same bytes.
#include "compiled/bit_stream.h"
#include "container/prc_resource_file.h"
#include "frame/dictionary_id.h"
#include "lexvane_engine.h"

#include "prc_writer.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

using lexvane::engine::BitStream;
using lexvane::engine::packId;
using lexvane::engine::PrcResourceFile;
using lexvane::testing::TemporaryFolder;

struct Reference {
    std::vector<std::uint8_t> bytes;
    std::uint64_t bits() const { return bytes.size() * 8; }
    std::uint32_t at(std::uint64_t position, int count) const
    {
        std::uint32_t value = 0;
        for (int k = 0; k < count; ++k) {
            const std::uint64_t bit = position + static_cast<std::uint64_t>(k);
            const std::uint32_t b = bit < bits() ? (bytes[bit >> 3] >> (7 - (bit & 7))) & 1 : 0;
            value = static_cast<std::uint32_t>((std::uint64_t{value} << 1) | b);
        }
        return value;
    }
};

TEST(BitStream, EveryReadAgreesWithABitByBitReading)
{
    // Two full blocks and a short third one.
    std::mt19937 random(3);
    Reference reference;
    lexvane::tools::PrcWriter writer;
    const std::size_t sizes[] = {BitStream::kBlockSize, BitStream::kBlockSize, 7};
    for (std::size_t id = 0; id < std::size(sizes); ++id) {
        std::vector<std::uint8_t> block(sizes[id]);
        for (std::uint8_t& byte : block)
            byte = static_cast<std::uint8_t>(random());
        reference.bytes.insert(reference.bytes.end(), block.begin(), block.end());
        ASSERT_TRUE(writer.add("ARRY", static_cast<std::uint16_t>(id), block));
    }
    TemporaryFolder folder;
    PrcResourceFile file;
    ASSERT_EQ(file.open(folder.write("bits0A1B.prc", writer.bytes()), packId("0A1B")), LV_OK);
    BitStream stream(&file, "ARRY");

    // Positions around the block edges and the end, and some in between.
    std::vector<std::uint64_t> positions;
    const std::uint64_t edge = std::uint64_t{BitStream::kBlockSize} * 8;
    for (std::uint64_t around : {std::uint64_t{0}, edge, 2 * edge, reference.bits()})
        for (std::uint64_t p = around > 48 ? around - 48 : 0; p <= around + 8; ++p)
            positions.push_back(p);
    for (int k = 0; k < 2000; ++k)
        positions.push_back(random() % reference.bits());

    for (std::uint64_t position : positions) {
        const bool exists = position <= reference.bits();
        ASSERT_EQ(stream.seek(position) == LV_OK, exists) << position;
        if (!exists)
            continue;
        const std::uint64_t left = reference.bits() - position;

        std::uint32_t peeked = 0;
        int available = 0;
        const int peekStatus = stream.peek32(peeked, available);
        EXPECT_EQ(peekStatus, left > 0 ? LV_OK : LV_NOT_PRESENT) << position;
        EXPECT_EQ(available, static_cast<int>(std::min<std::uint64_t>(left, 32))) << position;
        EXPECT_EQ(peeked, reference.at(position, 32)) << position;
        EXPECT_EQ(stream.tell(), position);

        const int count = static_cast<int>(random() % 33);
        ASSERT_EQ(stream.seek(position), LV_OK);
        std::uint32_t value = 99;
        const int readStatus = stream.read(count, value);
        if (static_cast<std::uint64_t>(count) <= left) {
            EXPECT_EQ(readStatus, LV_OK) << position << " " << count;
            EXPECT_EQ(value, reference.at(position, count)) << position << " " << count;
            EXPECT_EQ(stream.tell(), position + static_cast<std::uint64_t>(count));
        } else {
            EXPECT_EQ(readStatus, LV_NOT_PRESENT) << position << " " << count;
            EXPECT_EQ(value, 0u);
            EXPECT_EQ(stream.tell(), position) << "a failed read does not move";
        }

        ASSERT_EQ(stream.seek(position), LV_OK);
        const int skipStatus = stream.skip(static_cast<std::uint64_t>(count));
        EXPECT_EQ(skipStatus, static_cast<std::uint64_t>(count) <= left ? LV_OK : LV_NOT_PRESENT) << position;
        EXPECT_EQ(stream.tell(), position + (skipStatus == LV_OK ? static_cast<std::uint64_t>(count) : 0));
    }
    std::uint32_t value = 0;
    ASSERT_EQ(stream.seek(0), LV_OK);
    EXPECT_EQ(stream.read(33, value), LV_NOT_PRESENT);
    EXPECT_EQ(stream.read(-1, value), LV_NOT_PRESENT);
}

} // namespace
