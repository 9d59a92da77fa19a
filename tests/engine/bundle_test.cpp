// Tests of bundle files: components and their flags, names by language
// with their fall-backs, and damaged bundles and bad caller arguments.
#include "bundle_writer.h"
#include "merge_fixture.h"

#include <gtest/gtest.h>

namespace {

using lexvane::testing::languageCode;
using lexvane::testing::TemporaryFolder;
using lexvane::tools::BundleSource;
using lexvane::tools::PrcWriter;

BundleSource fiveComponents()
{
    BundleSource source;
    source.defaultName = "Travel pack";
    source.components = {{"0A1B", 0}, {"0A1C", 4}, {"0A1D", 2}, {"0A1E", 6}, {"0A1F", 1}};
    source.names = {{"germ", u"Reisepaket"}, {"fren", u"Pack LexvaNe"}, {"russ", u"Набор"}};
    return source;
}

std::string writeBundleFile(const TemporaryFolder& folder, const BundleSource& source,
                            const std::string& name = "pack0B00.prc")
{
    PrcWriter writer;
    std::string error;
    EXPECT_TRUE(lexvane::tools::writeBundle(source, writer, error)) << error;
    return folder.write(name, writer.bytes());
}

TEST(Bundle, ListsComponentsWithTheirFlags)
{
    TemporaryFolder folder;
    const std::string path = writeBundleFile(folder, fiveComponents());
    std::int32_t ids[8] = {};
    std::int32_t flagsA[8] = {};
    std::int32_t flagsB[8] = {};
    std::int32_t count = 8;
    ASSERT_EQ(BndGetAll(path.c_str(), ids, flagsA, flagsB, &count), LV_OK);
    ASSERT_EQ(count, 5);
    const std::int32_t expectedA[] = {1, 0, 1, 0, 1};
    const std::int32_t expectedB[] = {0, 0, 1, 1, 0};
    for (int i = 0; i < 5; ++i) {
        EXPECT_EQ(flagsA[i], expectedA[i]) << i;
        EXPECT_EQ(flagsB[i], expectedB[i]) << i;
    }
    EXPECT_EQ(ids[0], languageCode("0A1B"));
    EXPECT_EQ(ids[4], languageCode("0A1F"));

    std::int32_t few[2] = {};
    count = 2;
    ASSERT_EQ(BndGetAll(path.c_str(), few, flagsA, flagsB, &count), LV_OK);
    EXPECT_EQ(count, 5) << "the bundle's count, though two were filled";
    EXPECT_EQ(few[1], languageCode("0A1C"));
    count = 0;
    EXPECT_EQ(BndGetAll(path.c_str(), nullptr, nullptr, nullptr, &count), LV_OK);
    EXPECT_EQ(count, 5);
}

TEST(Bundle, NamesByLanguageWithFallBacks)
{
    TemporaryFolder folder;
    BundleSource source = fiveComponents();
    const std::string path = writeBundleFile(folder, source);
    struct Case {
        const char* language;
        std::u16string name;
    } cases[] = {
        {"germ", u"Reisepaket"},
        {"fren", u"Pack Lexvane"}, // the product's name as it is spelled now
        {"ital", u"Travel pack"},
    };
    for (const Case& c : cases) {
        char16_t buffer[64];
        ASSERT_EQ(BndGetName(path.c_str(), languageCode(c.language), buffer, sizeof buffer), LV_OK);
        EXPECT_EQ(std::u16string(buffer), c.name) << c.language;
    }
    char16_t small[4];
    ASSERT_EQ(BndGetName(path.c_str(), languageCode("germ"), small, sizeof small), LV_OK);
    EXPECT_EQ(std::u16string(small), u"Rei");

    source.names.push_back({std::string(4, '\0'), u"Neutral"});
    const std::string withNeutral = writeBundleFile(folder, source, "pack0B01.prc");
    char16_t buffer[64];
    ASSERT_EQ(BndGetName(withNeutral.c_str(), languageCode("ital"), buffer, sizeof buffer), LV_OK);
    EXPECT_EQ(std::u16string(buffer), u"Neutral");
}

TEST(Bundle, DamagedBundlesAndBadArgumentsAreRefused)
{
    TemporaryFolder folder;
    const std::string good = writeBundleFile(folder, fiveComponents());

    // "HEAD" claims more components than "COMP" holds; "HEAD" without "COMP";
    // a default name without an end.
    PrcWriter overclaim;
    std::vector<std::uint8_t> head(16, 0);
    head[13] = 9;
    head.insert(head.end(), {'N', 'a', 'm', 'e'});
    overclaim.add("HEAD", 0, head);
    overclaim.add("COMP", 0, std::vector<std::uint8_t>(16, '0'));
    const std::string overclaimed = folder.write("pack0C00.prc", overclaim.bytes());
    PrcWriter headOnly;
    headOnly.add("HEAD", 0, head);
    const std::string noTable = folder.write("pack0C01.prc", headOnly.bytes());
    PrcWriter empty;
    empty.add("INFO", 0, {1});
    const std::string noHead = folder.write("pack0C02.prc", empty.bytes());

    std::int32_t ids[16];
    std::int32_t flagsA[16];
    std::int32_t flagsB[16];
    std::int32_t count = 16;
    EXPECT_EQ(BndGetAll(overclaimed.c_str(), ids, flagsA, flagsB, &count), LV_NOT_PRESENT);
    count = 16;
    EXPECT_EQ(BndGetAll(noTable.c_str(), ids, flagsA, flagsB, &count), LV_NOT_PRESENT);
    count = 16;
    EXPECT_EQ(BndGetAll(noHead.c_str(), ids, flagsA, flagsB, &count), LV_NOT_PRESENT);
    count = 16;
    EXPECT_EQ(BndGetAll(folder.file("none0C03.prc").c_str(), ids, flagsA, flagsB, &count), LV_CANNOT_OPEN);
    count = -1;
    EXPECT_EQ(BndGetAll(good.c_str(), ids, flagsA, flagsB, &count), LV_BAD_ARGUMENT);
    count = 3;
    EXPECT_EQ(BndGetAll(good.c_str(), nullptr, flagsA, flagsB, &count), LV_NULL_ARGUMENT);
    EXPECT_EQ(BndGetAll(good.c_str(), ids, flagsA, nullptr, &count), LV_NULL_ARGUMENT);
    EXPECT_EQ(BndGetAll(good.c_str(), ids, flagsA, flagsB, nullptr), LV_NULL_ARGUMENT);
    EXPECT_EQ(BndGetAll(nullptr, ids, flagsA, flagsB, &count), LV_NULL_ARGUMENT);

    char16_t buffer[64];
    ASSERT_EQ(BndGetName(overclaimed.c_str(), 0, buffer, sizeof buffer), LV_OK);
    EXPECT_EQ(std::u16string(buffer), u"Name") << "the name ends with its resource";
    EXPECT_EQ(BndGetName(noHead.c_str(), 0, buffer, sizeof buffer), LV_NOT_PRESENT);
    EXPECT_EQ(BndGetName(good.c_str(), 0, nullptr, 64), LV_NULL_ARGUMENT);
    EXPECT_EQ(BndGetName(good.c_str(), 0, buffer, 1), LV_BAD_ARGUMENT);
    EXPECT_EQ(BndGetName(good.c_str(), 0, buffer, -8), LV_BAD_ARGUMENT);
}

} // namespace
