// Tests of the container writer: byte layout against the format table.
#include "prc_writer.h"

#include "byte_builder.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

using lexvane::tools::PrcWriter;

TEST(PrcWriter, LaysOutHeaderDirectoryAndBodies)
{
    PrcWriter writer("name", "Dict", "Lxvn");
    ASSERT_TRUE(writer.add("HEAD", 0, {1, 2}));
    ASSERT_TRUE(writer.add("TREE", 513, {3}));
    const std::vector<std::uint8_t> bytes = writer.bytes();

    lexvane::testing::ByteBuilder expected;
    expected.field("name", 32).bigEndian16(1).zeros(26).text("Dict").text("Lxvn").zeros(8);
    expected.bigEndian16(2);
    expected.text("HEAD").bigEndian16(0).bigEndian32(98);
    expected.text("TREE").bigEndian16(513).bigEndian32(100);
    expected.u8(1).u8(2).u8(3);
    EXPECT_EQ(bytes, expected.bytes());
}

TEST(PrcWriter, RefusesWhatTheContainerCannotHold)
{
    PrcWriter writer;
    EXPECT_FALSE(writer.add("TOOLONG", 0, {}));
    EXPECT_FALSE(writer.add("BIG!", 0, std::vector<std::uint8_t>(65536)));
    EXPECT_TRUE(writer.add("BIG!", 0, std::vector<std::uint8_t>(65535)));
}

TEST(PrcWriter, WritesAtomically)
{
    lexvane::testing::TemporaryFolder folder;
    PrcWriter writer;
    writer.add("HEAD", 0, {9});
    std::string error;
    ASSERT_TRUE(writer.write(folder.file("x0001.prc"), error));
    std::ifstream in(folder.file("x0001.prc"), std::ios::binary);
    std::vector<std::uint8_t> read((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(read, writer.bytes());
    EXPECT_FALSE(std::filesystem::exists(folder.file("x0001.prc.part")));
    EXPECT_FALSE(writer.write(folder.file("no/such/folder/x0001.prc"), error));
    EXPECT_FALSE(error.empty());
}
