// Tests of the exported dictionary frame: choosing the kind by file name,
// ids from names and requests, status codes, and handles of failed opens.
#include "lexvane_engine.h"

#include "compiled_fixture.h"
#include "prc_writer.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

using lexvane::testing::HeaderFields;
using lexvane::testing::TemporaryFolder;
using lexvane::testing::compiledHeader;

namespace {

std::int32_t pack(const char (&text)[5])
{
    return static_cast<std::int32_t>(static_cast<std::uint8_t>(text[0]) | static_cast<std::uint8_t>(text[1]) << 8 |
                                     static_cast<std::uint8_t>(text[2]) << 16 |
                                     static_cast<std::uint32_t>(static_cast<std::uint8_t>(text[3])) << 24);
}

void addMinimalTables(lexvane::tools::PrcWriter& writer, const HeaderFields& fields)
{
    std::uint16_t style = 0;
    for (auto& [type, body] : lexvane::testing::minimalTables(fields))
        writer.add(type, type == "TREE" ? style++ : 0, body);
}

std::string writeDictionary(const TemporaryFolder& folder, const std::string& name, const HeaderFields& fields)
{
    lexvane::tools::PrcWriter writer;
    writer.add("HEAD", 0, compiledHeader(fields));
    addMinimalTables(writer, fields);
    return folder.write(name, writer.bytes());
}

// Opens, checks the status, and always closes the handle it got back.
int openAndClose(const std::string& path, std::int32_t id)
{
    DictionaryRecord* dic = nullptr;
    const int status = DicOpen(path.c_str(), id, &dic, nullptr, 0, 0);
    EXPECT_NE(dic, nullptr) << "DicOpen hands a handle back in every case";
    EXPECT_EQ(DicClose(dic), LV_OK);
    return status;
}

TEST(DictionaryInterface, OpensACompiledDictionaryAndAnswersQueries)
{
    TemporaryFolder folder;
    HeaderFields fields;
    fields.entryCount = 46205;
    fields.companion = "0A1C";
    const std::string path = writeDictionary(folder, "words0A1B.prc", fields);
    HeaderFields companion = fields;
    companion.id = "0A1C";
    companion.companion = "0A1B";
    writeDictionary(folder, "words0A1C.prc", companion);

    DictionaryRecord* dic = nullptr;
    ASSERT_EQ(DicOpen(path.c_str(), -1, &dic, nullptr, 11, 22), LV_OK);
    std::int32_t value = 0;
    EXPECT_EQ(DicGetCount(dic, &value), LV_OK);
    EXPECT_EQ(value, 46205);
    EXPECT_EQ(DicGetID(dic, &value), LV_OK);
    EXPECT_EQ(value, pack("0A1B"));
    EXPECT_EQ(DicGetPairID(dic, &value), LV_OK);
    EXPECT_EQ(value, pack("0A1C"));
    EXPECT_EQ(DicGetLang(dic, &value), LV_OK);
    EXPECT_EQ(value, pack("engl"));
    EXPECT_EQ(DicGetPairLang(dic, &value), LV_OK);
    EXPECT_EQ(value, pack("russ"));
    EXPECT_EQ(DicInit(dic), LV_OK);
    EXPECT_EQ(DicClose(dic), LV_OK);
}

TEST(DictionaryInterface, RequestedIdOpensTheFileOfThatId)
{
    TemporaryFolder folder;
    HeaderFields fields;
    fields.id = "0C00";
    writeDictionary(folder, "abcd0C00.prc", fields);
    fields.id = "0A1B";
    writeDictionary(folder, "abcd0A1B.prc", fields);

    DictionaryRecord* dic = nullptr;
    ASSERT_EQ(DicOpen(folder.file("abcd0A1B.prc").c_str(), pack("0C00"), &dic, nullptr, 0, 0), LV_OK);
    std::int32_t id = 0;
    DicGetID(dic, &id);
    EXPECT_EQ(id, pack("0C00"));
    DicClose(dic);

    ASSERT_EQ(DicOpen(folder.file("abcd0A1B.prc").c_str(), -1, &dic, nullptr, 0, 0), LV_OK);
    DicGetID(dic, &id);
    EXPECT_EQ(id, pack("0A1B"));
    DicClose(dic);
}

TEST(DictionaryInterface, OpenStatuses)
{
    TemporaryFolder folder;
    HeaderFields fields;
    writeDictionary(folder, "good0A1B.prc", fields);
    fields.id = "FFFF";
    writeDictionary(folder, "other0A1B.prc", fields);
    fields.id = "0A1B";
    fields.version = 609;
    writeDictionary(folder, "old10A1B.prc", fields);
    fields.version = 619;
    writeDictionary(folder, "new10A1B.prc", fields);
    lexvane::tools::PrcWriter noHead;
    noHead.add("QIDX", 0, {0, 0, 0, 0});
    folder.write("none0A1B.prc", noHead.bytes());
    lexvane::tools::PrcWriter shortHead;
    std::vector<std::uint8_t> truncatedHeader = compiledHeader(HeaderFields{});
    truncatedHeader.resize(200);
    shortHead.add("HEAD", 0, truncatedHeader);
    folder.write("half0A1B.prc", shortHead.bytes());

    struct Case {
        std::string name;
        std::int32_t id;
        int status;
    };
    const Case cases[] = {
        {"good0A1B.prc", -1, LV_OK},
        {"good0A1B.prc", pack("0A1B"), LV_OK},
        {"other0A1B.prc", -1, LV_ID_MISMATCH},
        {"old10A1B.prc", -1, LV_UNSUPPORTED_FORMAT},
        {"new10A1B.prc", -1, LV_UNSUPPORTED_FORMAT},
        {"none0A1B.prc", -1, LV_NOT_PRESENT},
        {"half0A1B.prc", -1, LV_UNSUPPORTED_FORMAT},
        {"good0A1B.Prc", -1, LV_CANNOT_OPEN},
        {"missing0A1B.prc", -1, LV_CANNOT_OPEN},
        {"good0A1B.prc", pack("0C00"), LV_CANNOT_OPEN}, // no file of that id
    };
    for (const Case& c : cases)
        EXPECT_EQ(openAndClose(folder.file(c.name), c.id), c.status) << c.name;

    EXPECT_EQ(openAndClose("a.prc", -1), LV_CANNOT_OPEN) << "too short to carry an id";
    EXPECT_EQ(openAndClose("/x/.prc", -1), LV_CANNOT_OPEN);
}

TEST(DictionaryInterface, LastExtensionChoosesTheKind)
{
    TemporaryFolder folder;
    writeDictionary(folder, "words.udd.prc", HeaderFields{.id = ".udd"});
    // words.udd.prc is a compiled dictionary whose id characters are ".udd".
    EXPECT_EQ(openAndClose(folder.file("words.udd.prc"), -1), LV_OK);
    // A ".udd" file is never read as a compiled dictionary, whatever it holds.
    writeDictionary(folder, "words.UDD", HeaderFields{.id = "ords"});
    writeDictionary(folder, "words.prc.udd", HeaderFields{.id = ".prc"});
    EXPECT_NE(openAndClose(folder.file("words.UDD"), -1), LV_OK);
    EXPECT_NE(openAndClose(folder.file("words.prc.udd"), -1), LV_OK);
}

TEST(DictionaryInterface, NullHandlesAndArguments)
{
    std::int32_t value = 0;
    EXPECT_EQ(DicGetCount(nullptr, &value), LV_NULL_HANDLE);
    EXPECT_EQ(DicGetID(nullptr, &value), LV_NULL_HANDLE);
    EXPECT_EQ(DicGetPairID(nullptr, &value), LV_NULL_HANDLE);
    EXPECT_EQ(DicGetLang(nullptr, &value), LV_NULL_HANDLE);
    EXPECT_EQ(DicGetPairLang(nullptr, &value), LV_NULL_HANDLE);
    EXPECT_EQ(DicInit(nullptr), LV_NULL_HANDLE);
    EXPECT_EQ(DicClose(nullptr), LV_NULL_HANDLE);
    EXPECT_EQ(DicOpen("x0001.prc", -1, nullptr, nullptr, 0, 0), LV_NULL_ARGUMENT);

    DictionaryRecord* dic = nullptr;
    EXPECT_EQ(DicOpen(nullptr, -1, &dic, nullptr, 0, 0), LV_CANNOT_OPEN);
    ASSERT_NE(dic, nullptr);
    EXPECT_EQ(DicGetCount(dic, nullptr), LV_NULL_ARGUMENT);
    EXPECT_EQ(DicGetCount(dic, &value), LV_OK) << "queries on a failed open answer 0";
    EXPECT_EQ(value, 0);
    EXPECT_EQ(DicClose(dic), LV_OK);
}

TEST(DictionaryInterface, KeepsPathsOfAnyLength)
{
    TemporaryFolder folder;
    std::filesystem::path deep = folder.path();
    for (int i = 0; i < 8; ++i)
        deep /= std::string(60, static_cast<char>('a' + i));
    std::filesystem::create_directories(deep);
    const std::string path = (deep / "long0A1B.prc").string();
    ASSERT_GT(path.size(), 300u);
    lexvane::tools::PrcWriter writer;
    writer.add("HEAD", 0, compiledHeader(HeaderFields{}));
    addMinimalTables(writer, HeaderFields{});
    std::string error;
    ASSERT_TRUE(writer.write(path, error)) << error;
    EXPECT_EQ(openAndClose(path, -1), LV_OK);
}

} // namespace
