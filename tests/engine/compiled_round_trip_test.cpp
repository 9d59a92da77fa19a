// Writer round trips: dictionaries compiled from generated sources are read
// back entry by entry, in order and at random, and every article is compared
// run by run with the source.
#include "compiled_test_support.h"

#include <gtest/gtest.h>

#include <random>

using namespace lexvane::testing;
using lexvane::tools::CompileOptions;
using lexvane::tools::DictionarySource;

namespace {

struct Variant {
    const char* name;
    bool utf8;
    std::uint32_t version;
    bool fastTables;
    std::uint8_t articleLengthBits;
    std::uint32_t longThreshold;
    std::int32_t interval;
};

const Variant kVariants[] = {
    {"utf8, two streams, fast tables", true, 615, true, 24, 0, 16},
    {"utf8, two streams, tree walk", true, 618, false, 24, 0, 7},
    {"8-bit, two streams", false, 615, true, 24, 0, 16},
    {"8-bit, one stream, no lengths", false, 612, false, 0, 0, 5},
    {"utf8, one stream, long articles", true, 610, true, 20, 3, 9},
    {"utf8, no lengths, long articles", true, 615, false, 0, 2, 32},
};

void expectArticle(OpenDictionary& dic, const DictionarySource& source, std::size_t i, const char* variant)
{
    Recorder recorder;
    ASSERT_EQ(dic.extract(static_cast<std::int32_t>(i), recorder), LV_OK) << variant << " entry " << i;
    ASSERT_GE(recorder.events.size(), 2u);
    EXPECT_EQ(recorder.events.front().index, -2);
    EXPECT_EQ(recorder.events.back().index, -1);
    const auto runs = recorder.runs();
    const auto& article = source.entries[i].article;
    ASSERT_EQ(runs.size(), article.size()) << variant << " entry " << i;
    for (std::size_t r = 0; r < runs.size(); ++r) {
        EXPECT_EQ(runs[r].first, article[r].style);
        EXPECT_EQ(runs[r].second, shownRun(source, article[r])) << variant << " entry " << i << " run " << r;
    }
}

TEST(CompiledRoundTrip, EveryEntryReadsBackInOrderAndAtRandom)
{
    for (const Variant& variant : kVariants) {
        TemporaryFolder folder;
        DictionarySource source = sampleSource(300, 7, variant.utf8);
        source.version = variant.version;
        if (!variant.utf8)
            source.codePages = {sampleCodePage()};
        CompileOptions options;
        options.fastTables = variant.fastTables;
        options.articleLengthBits = variant.articleLengthBits;
        options.longArticleThreshold = variant.longThreshold;
        options.quickAccessInterval = variant.interval;
        OpenDictionary dic(writeCompiled(folder, "test0A1B.prc", source, options));
        ASSERT_EQ(dic.status, LV_OK) << variant.name;
        std::int32_t count = 0;
        DicGetCount(dic.handle, &count);
        ASSERT_EQ(count, 300);

        for (std::size_t i = 0; i < source.entries.size(); ++i)
            ASSERT_EQ(dic.headword(static_cast<std::int32_t>(i)), shownWord(source, source.entries[i].headword))
                << variant.name << " entry " << i;
        for (std::size_t i = 0; i < source.entries.size(); ++i)
            expectArticle(dic, source, i, variant.name);

        std::mt19937 random(11);
        for (int k = 0; k < 300; ++k) {
            const std::size_t i = random() % source.entries.size();
            if (k % 2)
                expectArticle(dic, source, i, variant.name);
            else
                ASSERT_EQ(dic.headword(static_cast<std::int32_t>(i)), shownWord(source, source.entries[i].headword))
                    << variant.name << " entry " << i;
        }
        int status = 0;
        dic.headword(300, &status);
        EXPECT_EQ(status, LV_OUT_OF_RANGE) << variant.name;
    }
}

TEST(CompiledRoundTrip, StreamsSpanManyBlocks)
{
    // Long articles push the article stream across several 32 KiB
    // resources; a skewed alphabet gives codes longer than the fast table's
    // first 8 bits, so its bisection is used too.
    TemporaryFolder folder;
    DictionarySource source = sampleSource(1500, 3, true, 12);
    for (std::size_t i = 0; i < source.entries.size(); ++i) {
        auto& entry = source.entries[i];
        entry.article.push_back({3, std::string(200, 'x') + entry.headword + static_cast<char>(' ' + i % 90), 0});
    }
    CompileOptions options;
    options.quickAccessInterval = 50;
    lexvane::tools::PrcWriter writer;
    std::string error;
    ASSERT_TRUE(lexvane::tools::compileDictionary(source, options, writer, error)) << error;
    int articleBlocks = 0;
    for (const auto& resource : writer.resources())
        articleBlocks += resource.type == "ARRY";
    EXPECT_GE(articleBlocks, 3);
    const std::string path = folder.write("long0A1B.prc", writer.bytes());
    OpenDictionary dic(path);
    ASSERT_EQ(dic.status, LV_OK);
    std::mt19937 random(5);
    for (int k = 0; k < 200; ++k) {
        const std::size_t i = random() % source.entries.size();
        expectArticle(dic, source, i, "long");
    }
    for (std::size_t i = 0; i < source.entries.size(); ++i)
        ASSERT_EQ(dic.headword(static_cast<std::int32_t>(i)), widen(source.entries[i].headword));
}

} // namespace
