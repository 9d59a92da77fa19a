// Damaged compiled dictionaries: every count, offset and width read from a
// file is checked before use, so a bad file fails at open (1025, 515) or at
// the read (515), never reads out of bounds and never loops.
#include "compiled_fixture.h"
#include "compiled_test_support.h"
#include "prc_writer.h"

#include <functional>
#include <stdexcept>

#include <gtest/gtest.h>

using namespace lexvane::testing;
using lexvane::tools::CompileOptions;
using lexvane::tools::DictionarySource;
using lexvane::tools::PrcWriter;

namespace {

using Resources = std::vector<PrcWriter::Resource>;

Resources compiledResources(const DictionarySource& source, const CompileOptions& options = {})
{
    PrcWriter writer;
    std::string error;
    EXPECT_TRUE(lexvane::tools::compileDictionary(source, options, writer, error)) << error;
    return writer.resources();
}

std::vector<std::uint8_t> assemble(const Resources& resources)
{
    PrcWriter writer;
    for (const auto& resource : resources)
        writer.add(resource.type, resource.id, resource.body);
    return writer.bytes();
}

PrcWriter::Resource& find(Resources& resources, const std::string& type, std::uint16_t id = 0)
{
    for (auto& resource : resources)
        if (resource.type == type && resource.id == id)
            return resource;
    throw std::runtime_error("no resource " + type);
}

void erase(Resources& resources, const std::string& type, std::uint16_t id)
{
    std::erase_if(resources, [&](const auto& r) { return r.type == type && r.id == id; });
}

// Opens the file and uses every read path; returns the open's status.
// Whatever the damage, this must end and stay inside every buffer.
int exercise(const std::string& path)
{
    OpenDictionary dic(path);
    if (dic.status != LV_OK)
        return dic.status;
    std::int32_t count = 0;
    DicGetCount(dic.handle, &count);
    const std::int32_t limit = std::min(count, 80);
    for (std::int32_t i = 0; i < limit; ++i)
        dic.headword(i);
    for (std::int32_t i = limit - 1; i >= 0; i -= 3) {
        Recorder recorder;
        dic.extract(i, recorder);
    }
    std::int32_t index = 0;
    DicSearch(dic.handle, u"m", 0, &index);
    DicSearch(dic.handle, u"\uFFFF", 0, &index);
    DicDoFilter(dic.handle, u"\u6f22");
    return LV_OK;
}

DictionarySource smallSource()
{
    DictionarySource source = sampleSource(60, 5, true);
    source.sourceLanguage = "japa";
    source.alternative = {{"愛", {0, 1}}, {"海", {59}}, {"青", {2}}};
    return source;
}

TEST(CompiledDamage, BadTablesFailAtOpen)
{
    const DictionarySource source = smallSource();
    struct Case {
        const char* name;
        std::function<void(Resources&)> damage;
        int status;
    };
    const Case cases[] = {
        {"quick-access count beyond the resource",
         [](Resources& r) { find(r, "QIDX").body[0] = 0x10; }, LV_NOT_PRESENT},
        {"quick-access entries out of order",
         [](Resources& r) {
             auto& body = find(r, "QIDX").body;
             body[4 + 28 + 3] = 0; // the second point's entry becomes 0
         },
         LV_NOT_PRESENT},
        {"quick-access entry past the list",
         [](Resources& r) { find(r, "QIDX").body[4 + 1] = 0x7F; }, LV_NOT_PRESENT},
        {"entry reference wider than 32 bits", [](Resources& r) { find(r, "HEAD").body[40] = 33; },
         LV_UNSUPPORTED_FORMAT},
        {"article length wider than 32 bits", [](Resources& r) { find(r, "HEAD").body[41] = 40; },
         LV_UNSUPPORTED_FORMAT},
        {"long length wider than 32 bits", [](Resources& r) { find(r, "HEAD").body[275] = 33; },
         LV_UNSUPPORTED_FORMAT},
        {"fewer than the reserved styles", [](Resources& r) { find(r, "HEAD").body[43] = 2; },
         LV_UNSUPPORTED_FORMAT},
        {"header shorter than its fixed part", [](Resources& r) { find(r, "HEAD").body.resize(300); },
         LV_UNSUPPORTED_FORMAT},
        {"alphabet too short", [](Resources& r) { find(r, "SYMB").body.resize(256); }, LV_NOT_PRESENT},
        {"no quick-access index", [](Resources& r) { erase(r, "QIDX", 0); }, LV_NOT_PRESENT},
        {"no sort source", [](Resources& r) { erase(r, "COMP", 0); }, LV_NOT_PRESENT},
        {"a text model missing", [](Resources& r) { erase(r, "TREE", 4); }, LV_NOT_PRESENT},
        {"a text model shorter than its style header", [](Resources& r) { find(r, "TREE", 3).body.resize(60); },
         LV_NOT_PRESENT},
        {"tree node size 0", [](Resources& r) { find(r, "TREE", 3).body[13] = 0; }, LV_NOT_PRESENT},
        {"tree node size 5", [](Resources& r) { find(r, "TREE", 3).body[13] = 5; }, LV_NOT_PRESENT},
        {"fast table of a wrong size", [](Resources& r) { find(r, "Tfst", 3).body.resize(1030); }, LV_NOT_PRESENT},
        {"fast index past the symbol entries",
         [](Resources& r) {
             auto& body = find(r, "Tfst", 3).body;
             body[2] = 0xFF; // second number of index 0
             body[3] = 0x7F;
         },
         LV_NOT_PRESENT},
        {"fast symbol text outside the model",
         [](Resources& r) {
             auto& body = find(r, "Tfst", 3).body;
             body[1024 + 8] = 0xFF; // text offset of symbol entry 0
             body[1024 + 9] = 0xFF;
         },
         LV_NOT_PRESENT},
        {"fast symbol code longer than 32 bits",
         [](Resources& r) { find(r, "Tfst", 3).body[1024 + 11] = 33; }, LV_NOT_PRESENT},
        {"alternative index missing", [](Resources& r) { erase(r, "Iqat", 0); }, LV_NOT_PRESENT},
        {"alternative model missing", [](Resources& r) { erase(r, "Isht", 0); }, LV_NOT_PRESENT},
        {"alternative count beyond the resource", [](Resources& r) { find(r, "Iqat").body[3] = 0x10; },
         LV_NOT_PRESENT},
    };
    for (const Case& c : cases) {
        Resources resources = compiledResources(source);
        c.damage(resources);
        TemporaryFolder folder;
        EXPECT_EQ(exercise(folder.write("dmg0A1B.prc", assemble(resources))), c.status) << c.name;
    }
}

// The hand-made two-entry file of compiled_hand_fixture_test.cpp, written
// here again in small pieces so that single symbols can be damaged.
struct HandFile {
    std::vector<std::uint8_t> tree0{0x44, 0xC3, 'b', 'a', 0};
    std::vector<std::uint8_t> tree1{0xC3, 3, 0, 1, 0};
    std::vector<std::uint8_t> tree2{0xC2, 3, 0};
    std::vector<std::uint8_t> tree3{0xC3, 'h', 'i', '!', 0};
    std::string front3;
    std::vector<std::uint8_t> articles{0xAD, 0x80};
    std::vector<std::uint8_t> headwords{0x5B, 0x80};
    std::uint32_t articlePoint = 0;

    static std::vector<std::uint8_t> model(const std::vector<std::uint8_t>& tree, const std::string& front = {})
    {
        ByteBuilder b;
        b.bigEndian32(0x3F).zeros(4).bigEndian32(2).u8(0).u8(1).zeros(6);
        b.field(front, 32).field("", 32).append(tree);
        return b.bytes();
    }
    std::vector<std::uint8_t> bytes() const
    {
        HeaderFields fields;
        fields.entryCount = 2;
        fields.styleCount = 4;
        std::vector<std::uint8_t> header = compiledHeader(fields);
        header[41] = 0;
        ByteBuilder quickAccess;
        quickAccess.bigEndian32(1).bigEndian32(0).bigEndian32(articlePoint).bigEndian32(0);
        quickAccess.bigEndian16('a').bigEndian16('b').zeros(12);
        PrcWriter writer;
        writer.add("HEAD", 0, header);
        writer.add("QIDX", 0, quickAccess.bytes());
        writer.add("SYMB", 0, std::vector<std::uint8_t>(8192, 0));
        writer.add("COMP", 0, sampleSortTable());
        writer.add("TREE", 0, model(tree0));
        writer.add("TREE", 1, model(tree1));
        writer.add("TREE", 2, model(tree2));
        writer.add("TREE", 3, model(tree3, front3));
        writer.add("ARRY", 0, articles);
        writer.add("HWRD", 0, headwords);
        return writer.bytes();
    }
};

TEST(CompiledDamage, BadEntriesFailAtTheRead)
{
    struct Case {
        const char* name;
        std::function<void(HandFile&)> damage;
        std::int32_t entry;
        bool article;
    };
    const Case cases[] = {
        {"0-subtree offset past the region", [](HandFile& f) { f.tree0[0] = 0x40 | 0x3F; }, 0, false},
        {"0-subtree offset that does not shrink the region", [](HandFile& f) { f.tree0[1] = 0xC1; }, 0, false},
        {"shared count longer than the previous headword", [](HandFile& f) { f.tree1[1] = 9; }, 1, false},
        {"shared count byte 0", [](HandFile& f) { f.tree1[1] = 0; }, 1, false},
        {"style number at or above the style count", [](HandFile& f) { f.tree2[1] = 7; }, 0, true},
        {"style number of a reserved style", [](HandFile& f) { f.tree2[1] = 1; }, 0, true},
        {"run that never reaches its end symbol", [](HandFile& f) { f.tree3 = {0xC3, 'h', 'i', '!', '?'}; }, 0,
         true},
        {"headword that never reaches its end", [](HandFile& f) { f.headwords = {0x5F, 0xFF}; }, 0, false},
        {"stream position past the last block", [](HandFile& f) { f.articlePoint = 0x40000; }, 0, true},
        {"stream block missing", [](HandFile& f) { f.articles.clear(); }, 0, true},
    };
    for (const Case& c : cases) {
        HandFile file;
        c.damage(file);
        TemporaryFolder folder;
        OpenDictionary dic(folder.write("hand0A1B.prc", file.bytes()));
        ASSERT_EQ(dic.status, LV_OK) << c.name;
        int status = LV_OK;
        if (c.article) {
            Recorder recorder;
            status = dic.extract(c.entry, recorder);
        } else {
            dic.headword(c.entry, &status);
        }
        EXPECT_EQ(status, LV_NOT_PRESENT) << c.name;
    }
}

TEST(CompiledDamage, UnterminatedFixedTextsAreReadToTheirFieldsEnd)
{
    HandFile file;
    file.front3 = std::string(40, '>');
    TemporaryFolder folder;
    OpenDictionary dic(folder.write("hand0A1B.prc", file.bytes()));
    ASSERT_EQ(dic.status, LV_OK);
    Recorder recorder;
    ASSERT_EQ(dic.extract(0, recorder), LV_OK);
    EXPECT_EQ(recorder.runs().at(0).second, std::u16string(32, u'>') + u"hi!");
}

TEST(CompiledDamage, OverlongHeadwordsAndRunsGiveAStatus)
{
    DictionarySource source = sampleSource(3, 2, true);
    source.entries[1].headword = source.entries[0].headword + std::string(9000, 'q');
    source.entries[2].article = {{3, std::string(25000, 'r'), 0}};
    TemporaryFolder folder;
    OpenDictionary dic(writeCompiled(folder, "long0A1B.prc", source));
    ASSERT_EQ(dic.status, LV_OK);
    int status = LV_OK;
    dic.headword(1, &status);
    EXPECT_EQ(status, LV_NOT_PRESENT) << "headword longer than its buffer";
    Recorder recorder;
    EXPECT_EQ(dic.extract(2, recorder), LV_NOT_PRESENT) << "run longer than its buffer";
    EXPECT_EQ(dic.headword(0), widen(source.entries[0].headword)) << "the reader finds its way back";
}

TEST(CompiledDamage, ArticleLengthThatDisagreesIsDamage)
{
    // Entry 0's article length is stored in the first 24 bits of "ARRY";
    // entry 2 starts a quick-access interval of its own.
    DictionarySource source = sampleSource(4, 8, true);
    CompileOptions options;
    options.quickAccessInterval = 2;
    Resources resources = compiledResources(source, options);
    find(resources, "ARRY").body[2] ^= 0x01;
    TemporaryFolder folder;
    OpenDictionary dic(folder.write("len0A1B.prc", assemble(resources)));
    ASSERT_EQ(dic.status, LV_OK);
    Recorder recorder;
    EXPECT_EQ(dic.extract(0, recorder), LV_NOT_PRESENT);
    Recorder next;
    EXPECT_EQ(dic.extract(2, next), LV_OK) << "resynchronised through the quick-access index";
    EXPECT_EQ(next.runs().size(), source.entries[2].article.size());
}

TEST(CompiledDamage, FlippedTruncatedAndZeroedFilesFailCleanly)
{
    const DictionarySource source = smallSource();
    CompileOptions options;
    options.quickAccessInterval = 8;
    const Resources resources = compiledResources(source, options);
    const std::vector<std::uint8_t> good = assemble(resources);
    TemporaryFolder folder;
    ASSERT_EQ(exercise(folder.write("good0A1B.prc", good)), LV_OK);

    // Some bytes of every resource (the container's own directory is the
    // container's tests' concern).
    for (std::size_t k = 0; k < resources.size(); ++k) {
        const std::size_t size = resources[k].body.size();
        const std::size_t step = std::max<std::size_t>(1, size / 24);
        for (std::size_t offset = 0; offset < size; offset += step) {
            for (std::uint8_t mask : {0xFF, 0x21}) {
                Resources flipped = resources;
                flipped[k].body[offset] ^= mask;
                exercise(folder.write("flip0A1B.prc", assemble(flipped)));
            }
        }
    }
    for (std::size_t length = 0; length < good.size(); length += 1 + length / 5) {
        std::vector<std::uint8_t> truncated(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(length));
        exercise(folder.write("trun0A1B.prc", truncated));
    }
    for (std::size_t k = 0; k < resources.size(); ++k) {
        Resources zeroed = resources;
        std::fill(zeroed[k].body.begin(), zeroed[k].body.end(), 0);
        exercise(folder.write("zero0A1B.prc", assemble(zeroed)));
        Resources emptied = resources;
        emptied[k].body.clear();
        exercise(folder.write("empt0A1B.prc", assemble(emptied)));
    }
}

} // namespace
