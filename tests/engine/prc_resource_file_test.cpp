// Tests of the ".prc" resource container: naming rules, id rewriting,
// loading by type and id, and refusal of damaged files.
#include "container/prc_resource_file.h"
#include "frame/dictionary_id.h"
#include "lexvane_engine.h"

#include "byte_builder.h"
#include "prc_writer.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

using lexvane::engine::PrcResourceFile;
using lexvane::engine::ResourceBlock;
using lexvane::engine::packId;
using lexvane::testing::ByteBuilder;
using lexvane::testing::TemporaryFolder;

namespace {

// A container assembled straight from the format table: 76 header bytes,
// the count, three 10-byte directory entries, then the bodies.
std::vector<std::uint8_t> handAssembledContainer()
{
    ByteBuilder b;
    b.field("handmade", 76).bigEndian16(3);
    const std::uint32_t bodies = 78 + 3 * 10;
    b.text("HEAD").bigEndian16(0).bigEndian32(bodies);        // 5 bytes
    b.text("TREE").bigEndian16(7).bigEndian32(bodies + 5);    // 3 bytes
    b.text("HEAD").bigEndian16(0).bigEndian32(bodies + 8);    // duplicate, 2 bytes to the end
    b.text("hello").text("abc").text("zz");
    return b.bytes();
}

std::string text(const ResourceBlock& block)
{
    return std::string(reinterpret_cast<const char*>(block.data()), block.size());
}

TEST(PrcResourceFile, LoadsHandAssembledResourcesByTypeAndId)
{
    TemporaryFolder folder;
    const std::string path = folder.write("hand0A1B.prc", handAssembledContainer());
    PrcResourceFile file;
    ASSERT_EQ(file.open(path, packId("0A1B")), LV_OK);
    EXPECT_EQ(file.entryCount(), 3);

    ResourceBlock block;
    ASSERT_EQ(file.load(block, "HEAD", 0), LV_OK);
    EXPECT_EQ(text(block), "hello") << "the first of two equal entries wins";
    ASSERT_EQ(file.load(block, "TREE", 7), LV_OK);
    EXPECT_EQ(text(block), "abc");
    for (std::size_t i = 0; i < ResourceBlock::kSpareBytes; ++i)
        ASSERT_EQ(block.data()[block.size() + i], 0) << "spare byte " << i;

    EXPECT_EQ(file.load(block, "TREE", 0), LV_NOT_PRESENT) << "type present only with another id";
    EXPECT_EQ(text(block), "abc") << "a failed load leaves the block as it was";
    EXPECT_EQ(file.load(block, "NONE", 0), LV_NOT_PRESENT);
    block.release();
    EXPECT_TRUE(block.empty());
}

TEST(PrcResourceFile, LastResourceRunsToTheEndOfTheFile)
{
    TemporaryFolder folder;
    lexvane::tools::PrcWriter writer;
    writer.add("AAAA", 1, {1, 2, 3});
    writer.add("BBBB", 2, std::vector<std::uint8_t>(40000, 7));
    const std::string path = folder.write("made0001.prc", writer.bytes());
    PrcResourceFile file;
    ASSERT_EQ(file.open(path, packId("0001")), LV_OK);
    ResourceBlock block;
    ASSERT_EQ(file.load(block, "BBBB", 2), LV_OK);
    EXPECT_EQ(block.size(), 40000u);
    ASSERT_EQ(file.load(block, "AAAA", 1), LV_OK);
    EXPECT_EQ(block.size(), 3u);
}

TEST(PrcResourceFile, LoadOnAClosedContainerIs517)
{
    PrcResourceFile file;
    ResourceBlock block;
    EXPECT_EQ(file.load(block, "HEAD", 0), LV_CONTAINER_NOT_OPEN);
    EXPECT_EQ(file.close(), LV_OK);
}

struct NameCase {
    const char* name;
    bool accepted;
};

TEST(PrcResourceFile, NamingRule)
{
    const NameCase cases[] = {
        {"abc.prc", false},      // 7 bytes: too short to carry an id
        {"abcd.prc", true},      // 8 bytes: its id characters are "abcd"
        {"dict0A1B.prc", true},
        {"dict0A1B.PRC", true},
        {"dict0A1B.Prc", false}, // no mixed case
        {"dict0A1B.pdb", false},
        {"", false},
    };
    for (const NameCase& c : cases)
        EXPECT_EQ(PrcResourceFile::isContainerName(c.name), c.accepted) << c.name;
}

TEST(PrcResourceFile, RequestedIdRewritesACopyOfThePath)
{
    EXPECT_EQ(PrcResourceFile::pathForRequestedId("/d/dict0A1B.prc", packId("0C00")), "/d/dict0C00.prc");
    EXPECT_EQ(PrcResourceFile::pathForRequestedId("/d/dict0A1B.PRC", packId("0c00")), "/d/dict0C00.PRC");
    EXPECT_EQ(PrcResourceFile::pathForRequestedId("/d/dict0A1B.prc", packId("0a1b")), "/d/dict0A1B.prc")
        << "same number, other spelling: no rewrite";
    EXPECT_EQ(PrcResourceFile::pathForRequestedId("/d/dict0A1B.prc", packId("zzzz")), "/d/dict0A1B.prc");
}

TEST(PrcResourceFile, OpensTheFileOfTheRequestedIdInEitherSpelling)
{
    TemporaryFolder folder;
    lexvane::tools::PrcWriter writer;
    writer.add("HEAD", 0, {'u'});
    folder.write("dict0C00.prc", writer.bytes());
    PrcResourceFile file;
    ASSERT_EQ(file.open(folder.file("dict0A1B.prc"), packId("0C00")), LV_OK);
    EXPECT_EQ(file.openedPath(), folder.file("dict0C00.prc"));

    // A companion stored with lower-case hex digits is found too.
    folder.write("pair0c0f.prc", writer.bytes());
    ASSERT_EQ(file.open(folder.file("pair0A1B.prc"), packId("0C0F")), LV_OK);
    EXPECT_EQ(file.openedPath(), folder.file("pair0c0f.prc"));
}

TEST(PrcResourceFile, PathsWithFourByteUtf8SequencesOpen)
{
    TemporaryFolder folder;
    lexvane::tools::PrcWriter writer;
    writer.add("HEAD", 0, {'x'});
    const std::string path = folder.write("\xF0\x9F\x93\x96-0A1B.prc", writer.bytes());
    PrcResourceFile file;
    EXPECT_EQ(file.open(path, packId("0A1B")), LV_OK);
}

// Damaged containers: each must be refused at open or at load, never read
// out of bounds (the sanitizers watch).
TEST(PrcResourceFile, RefusesDamagedContainers)
{
    TemporaryFolder folder;
    const std::vector<std::uint8_t> good = handAssembledContainer();

    auto expectOpenFails = [&](const std::vector<std::uint8_t>& bytes, const char* what) {
        const std::string path = folder.write("bad00001.prc", bytes);
        PrcResourceFile file;
        EXPECT_EQ(file.open(path, packId("0001")), LV_CANNOT_OPEN) << what;
    };

    expectOpenFails({}, "empty file");
    expectOpenFails(std::vector<std::uint8_t>(good.begin(), good.begin() + 77), "shorter than 78 bytes");
    expectOpenFails(std::vector<std::uint8_t>(good.begin(), good.begin() + 90), "directory runs past the end");

    std::vector<std::uint8_t> descending = good;
    descending[78 + 20 + 9] = 110; // third entry's offset below the second one's (113)
    expectOpenFails(descending, "offsets not ascending");

    std::vector<std::uint8_t> pastEnd = good;
    pastEnd[78 + 20 + 6] = 0x7F; // third entry far past the end
    expectOpenFails(pastEnd, "offset past the end");

    std::vector<std::uint8_t> insideDirectory = good;
    insideDirectory[78 + 9] = 10; // first body would overlap the directory
    expectOpenFails(insideDirectory, "offset inside the directory");

    std::vector<std::uint8_t> hugeCount = good;
    hugeCount[76] = 0xFF;
    hugeCount[77] = 0xFF;
    expectOpenFails(hugeCount, "count larger than the file");

    PrcResourceFile file;
    EXPECT_EQ(file.open(folder.file("missing0001.prc"), packId("0001")), LV_CANNOT_OPEN);
    EXPECT_EQ(file.open(folder.path().string() + "/dir00001.prc", packId("0001")), LV_CANNOT_OPEN);
}

TEST(PrcResourceFile, EveryTruncationFailsCleanly)
{
    TemporaryFolder folder;
    const std::vector<std::uint8_t> good = handAssembledContainer();
    for (std::size_t length = 0; length < good.size(); ++length) {
        const std::string path =
            folder.write("cut00001.prc", std::vector<std::uint8_t>(good.begin(), good.begin() + static_cast<long>(length)));
        PrcResourceFile file;
        if (file.open(path, packId("0001")) != LV_OK)
            continue;
        ResourceBlock block;
        for (const char* type : {"HEAD", "TREE"}) {
            const int status = file.load(block, lexvane::engine::ResourceType(type[0], type[1], type[2], type[3]), 0);
            EXPECT_TRUE(status == LV_OK || status == LV_NOT_PRESENT) << length;
            if (status == LV_OK) {
                EXPECT_LE(block.size(), good.size());
            }
        }
    }
}

} // namespace
