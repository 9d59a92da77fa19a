// text_file_test.cpp: encodings, line ends and progress of the reader, and
// the all-or-nothing writer.
#include "exchange/text_file.h"
#include "exchange/text_file_writer.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace lexvane::testing {
namespace {

using engine::exchange::TextFile;
using engine::exchange::TextFileWriter;
using Bytes = std::vector<std::uint8_t>;

struct EncodingCase {
    const char* name;
    Bytes bytes;
    TextFile::Encoding encoding;
    std::vector<std::u16string> lines;
};

std::vector<std::u16string> readAll(TextFile& file)
{
    std::vector<std::u16string> lines;
    std::u16string line;
    while (file.readLine(line))
        lines.push_back(line);
    return lines;
}

class EncodingMatrix : public ::testing::TestWithParam<EncodingCase> {};

TEST_P(EncodingMatrix, DecidesTheEncodingAndReadsTheLines)
{
    TemporaryFolder folder;
    const std::string path = folder.write("in.dsl", GetParam().bytes);
    TextFile file;
    ASSERT_TRUE(file.open(path));
    EXPECT_EQ(file.encoding(), GetParam().encoding);
    EXPECT_EQ(readAll(file), GetParam().lines);
    EXPECT_EQ(file.progress(), 100.0);
}

using E = TextFile::Encoding;

INSTANTIATE_TEST_SUITE_P(
    Cases, EncodingMatrix,
    ::testing::Values(
        EncodingCase{"little_endian_with_mark", {0xFF, 0xFE, 'a', 0, '\r', 0, '\n', 0, 0x16, 0x04}, E::LittleEndian16,
                     {u"a\n", u"\u0416"}},
        EncodingCase{"big_endian_with_mark", {0xFE, 0xFF, 0, 'a', 0, '\n', 0x04, 0x16}, E::BigEndian16,
                     {u"a\n", u"\u0416"}},
        EncodingCase{"little_endian_guessed", {'a', 0, '\n', 0, 'b', 0}, E::LittleEndian16, {u"a\n", u"b"}},
        EncodingCase{"big_endian_guessed", {0, 'a', 0, '\n', 0, 'b'}, E::BigEndian16, {u"a\n", u"b"}},
        EncodingCase{"eight_bit_taken_as_codes", {'a', 'b', '\r', '\n', 0xE9}, E::EightBit, {u"ab\n", u"\u00E9"}},
        EncodingCase{"utf8_with_mark", {0xEF, 0xBB, 0xBF, 0xC3, 0xA9, '\n', 0xF0, 0x9F, 0x98, 0x80}, E::Utf8,
                     {u"\u00E9\n", u"\U0001F600"}},
        EncodingCase{"utf8_broken_sequence_keeps_line_end", {0xEF, 0xBB, 0xBF, 0xC3, '\n', 'x'}, E::Utf8,
                     {u"\uFFFD\n", u"x"}},
        EncodingCase{"character_zero_skipped", {0xFF, 0xFE, 'a', 0, 0, 0, 'b', 0}, E::LittleEndian16, {u"ab"}},
        EncodingCase{"odd_last_byte_dropped", {0xFF, 0xFE, 'a', 0, 'b'}, E::LittleEndian16, {u"a"}},
        EncodingCase{"empty_file", {}, E::EightBit, {}},
        EncodingCase{"one_byte", {'x'}, E::EightBit, {u"x"}},
        EncodingCase{"mark_only", {0xFF, 0xFE}, E::LittleEndian16, {}},
        EncodingCase{"carriage_returns_alone_vanish", {'a', '\r', 'b', '\r', '\n'}, E::EightBit, {u"ab\n"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(TextFile, ReadsALineLongerThanAnyBufferWholeAndCountsProgressIn64Bits)
{
    // 25 MB of one line in a 40 MB file: the line comes back whole, and the
    // percentage (25 * 100 / 40) is right although bytes times 100
    // overflows 32 bits.
    TemporaryFolder folder;
    const std::string path = folder.file("big.dsl");
    constexpr std::size_t kLine = 25'000'000;
    constexpr std::uintmax_t kSize = 40'000'000;
    {
        std::ofstream out(path, std::ios::binary);
        const std::string chunk(1 << 20, 'a');
        for (std::size_t written = 0; written < kLine - 1; written += chunk.size())
            out.write(chunk.data(), static_cast<std::streamsize>(std::min(chunk.size(), kLine - 1 - written)));
        out.put('\n');
    }
    std::filesystem::resize_file(path, kSize);
    TextFile file;
    ASSERT_TRUE(file.open(path));
    std::u16string line;
    ASSERT_TRUE(file.readLine(line));
    EXPECT_EQ(line.size(), kLine);
    EXPECT_EQ(line.back(), u'\n');
    EXPECT_GE(file.progress(), 62.0);
    EXPECT_LE(file.progress(), 63.0);
}

TEST(TextFileWriter, WritesLittleEndianWithMarkAndReplacesTheTargetOnlyOnCommit)
{
    TemporaryFolder folder;
    const std::string path = folder.write("out.dsl", {'o', 'l', 'd'});
    {
        TextFileWriter writer;
        ASSERT_TRUE(writer.create(path));
        writer.write8("ab");
        writer.write16(u"\u0416");
        // Not committed: the old file stays, and no temporary file is left.
    }
    EXPECT_EQ(std::filesystem::file_size(path), 3u);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);

    TextFileWriter writer;
    ASSERT_TRUE(writer.create(path));
    writer.write8("ab");
    writer.write16(u"\u0416");
    ASSERT_TRUE(writer.commit());
    std::ifstream in(path, std::ios::binary);
    const Bytes bytes((std::istreambuf_iterator<char>(in)), {});
    EXPECT_EQ(bytes, (Bytes{0xFF, 0xFE, 'a', 0, 'b', 0, 0x16, 0x04}));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

TEST(TextFileWriter, ReportsAFileThatCannotBeCreated)
{
    TemporaryFolder folder;
    TextFileWriter writer;
    EXPECT_FALSE(writer.create(folder.file("missing/out.dsl")));
    EXPECT_FALSE(writer.commit());
}

} // namespace
} // namespace lexvane::testing
