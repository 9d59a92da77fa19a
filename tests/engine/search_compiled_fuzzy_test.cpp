// Tests of the fuzzy search over compiled dictionaries: fed from the
// headwords and from a compressed word list, in both unit sizes, and with
// damaged word lists.
#include "compiled_test_support.h"
#include "frame/dictionary_ops.h"
#include "frame/dictionary_record.h"
#include "search_reference.h"
#include "word_list_writer.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

using lexvane::testing::OpenDictionary;
using lexvane::testing::referenceDistance;
using lexvane::testing::TemporaryFolder;
using lexvane::tools::CompileOptions;
using lexvane::tools::DictionarySource;
using lexvane::tools::PrcWriter;

struct Found {
    std::u16string word;
    int distance;
    bool operator==(const Found&) const = default;
};

int collect(const char16_t* word, std::int32_t value, void* user)
{
    EXPECT_EQ(value, 0);
    const auto* result = reinterpret_cast<const FuzzyResult*>(word);
    EXPECT_EQ(result->key, 'A' << 8 | '0' | '1' << 16 | 'B' << 24); // the id "0A1B"
    static_cast<std::vector<Found>*>(user)->push_back({word, result->distance});
    return 0;
}

// The closest words under 5, earlier ones first among equal distances.
std::vector<Found> bruteForce(const std::vector<std::u16string>& words, const std::u16string& query, std::size_t max)
{
    std::vector<Found> found;
    for (const std::u16string& word : words) {
        const int distance = referenceDistance(word, query);
        if (distance < 5)
            found.push_back({word, distance});
    }
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) { return a.distance < b.distance; });
    found.resize(std::min(found.size(), max));
    return found;
}

std::vector<Found> search(DictionaryRecord* dic, const std::u16string& query, int* status = nullptr)
{
    std::vector<Found> found;
    const int s = DicFuzzySearch(dic, query.c_str(), 10, collect, &found);
    if (status)
        *status = s;
    else
        EXPECT_EQ(s, 0);
    return found;
}

TEST(CompiledFuzzySearch, HeadwordsAndWordListsGiveTheBruteForceResults)
{
    struct Variant {
        const char* name;
        bool utf8;
        bool wordList;
        std::size_t chunkSize;
    } variants[] = {
        {"UTF-8 headwords", true, false, 0},
        {"8-bit headwords", false, false, 0},
        {"UTF-8 word list", true, true, 37},   // 16-bit units across many small chunks
        {"8-bit word list", false, true, 65535},
    };
    for (const Variant& variant : variants) {
        TemporaryFolder folder;
        const DictionarySource source = lexvane::testing::sampleSource(400, 5, variant.utf8, 1);
        CompileOptions options;
        options.fuzzyWordList = variant.wordList;
        if (variant.chunkSize)
            options.fuzzyWordListChunkSize = variant.chunkSize;
        OpenDictionary dic(writeCompiled(folder, "0A1B.prc", source, options));
        ASSERT_EQ(dic.status, 0) << variant.name;

        std::vector<std::u16string> words;
        for (const auto& entry : source.entries)
            words.push_back(lexvane::testing::shownWord(source, entry.headword));
        for (std::size_t i = 0; i < words.size(); i += 37) {
            std::u16string query = words[i];
            query[query.size() / 2] = u'x';
            EXPECT_EQ(search(dic.handle, query), bruteForce(words, query, 10)) << variant.name << " query " << i;
        }
    }
}

TEST(CompiledFuzzySearch, BothFormsOfAHeadwordAreCompared)
{
    TemporaryFolder folder;
    DictionarySource source = lexvane::testing::sampleSource(0, 1, true);
    for (const char* headword : {"colour\tcolor", "flavour\tflavor", "house"}) {
        lexvane::tools::SourceEntry entry;
        entry.headword = headword;
        entry.article.push_back({3, "text", 0});
        source.entries.push_back(entry);
    }
    OpenDictionary dic(writeCompiled(folder, "0A1B.prc", source));
    ASSERT_EQ(dic.status, 0);
    // Each headword once, at the distance of its closer form.
    EXPECT_EQ(search(dic.handle, u"color"),
              (std::vector<Found>{{u"colour\tcolor", 0}, {u"flavour\tflavor", 4}, {u"house", 4}}));
    const std::vector<Found> found = search(dic.handle, u"flavoor");
    ASSERT_FALSE(found.empty());
    EXPECT_EQ(found.front(), (Found{u"flavour\tflavor", 1}));
}

TEST(CompiledFuzzySearch, KeptHeadwordsGiveWhatDecodingGives)
{
    // Headwords of one and two forms (some with an empty second form), so
    // that the kept words' marks choose both ways of offering.
    std::mt19937 random(11);
    const auto randomForm = [&](std::size_t length) {
        std::string form;
        for (std::size_t i = 0; i < length; ++i)
            form.push_back("abcdehost"[random() % 9]);
        return form;
    };
    std::vector<std::u16string> words;
    for (int i = 0; i < 600; ++i) {
        std::string word = randomForm(1 + random() % 14);
        if (random() % 6 == 0)
            word += "\t" + randomForm(random() % 8);
        words.push_back(lexvane::testing::widen(word));
    }
    std::sort(words.begin(), words.end(), [](const std::u16string& a, const std::u16string& b) {
        return lexvane::testing::sortsBefore(a, b) || (!lexvane::testing::sortsBefore(b, a) && a < b);
    });
    words.erase(std::unique(words.begin(), words.end()), words.end());
    DictionarySource source = lexvane::testing::sampleSource(0, 1, true);
    for (const std::u16string& word : words) {
        lexvane::tools::SourceEntry entry;
        entry.headword = std::string(word.begin(), word.end()); // ASCII
        entry.article.push_back({3, "text", 0});
        source.entries.push_back(entry);
    }
    TemporaryFolder folder;
    const std::string path = writeCompiled(folder, "0A1B.prc", source);

    // The closest headwords under 5, each at the smaller distance of its forms.
    const auto expected = [&](const std::u16string& query) {
        std::vector<Found> found;
        for (const std::u16string& word : words) {
            const std::size_t tab = word.find(u'\t');
            int distance = referenceDistance(word.substr(0, tab), query);
            if (tab != std::u16string::npos && tab + 1 < word.size())
                distance = std::min(distance, referenceDistance(word.substr(tab + 1), query));
            if (distance < 5)
                found.push_back({word, distance});
        }
        std::stable_sort(found.begin(), found.end(),
                         [](const Found& a, const Found& b) { return a.distance < b.distance; });
        found.resize(std::min<std::size_t>(found.size(), 10));
        return found;
    };
    const auto currentIndex = [](DictionaryRecord* dic) { return dic->ops->currentIndex(*dic); };

    OpenDictionary kept(path);
    ASSERT_EQ(kept.status, 0);
    const auto last = static_cast<std::int32_t>(words.size()) - 1;
    for (std::size_t length : {3u, 6u, 12u}) {
        for (int round = 0; round < 4; ++round) {
            // A headword's first form cut or padded to the length, one
            // letter changed.
            const std::u16string& near = words[random() % words.size()];
            std::u16string query = near.substr(0, std::min(near.find(u'\t'), length));
            query.resize(length, u'e');
            query[length / 2] = u'x';
            // A fresh dictionary decodes its headwords; the kept one replays
            // them, after its reading position was moved elsewhere.
            OpenDictionary fresh(path);
            const std::vector<Found> decoded = search(fresh.handle, query);
            EXPECT_EQ(currentIndex(fresh.handle), last);
            kept.headword(static_cast<std::int32_t>(random() % words.size()));
            EXPECT_EQ(search(kept.handle, query), decoded) << length << " round " << round;
            EXPECT_EQ(currentIndex(kept.handle), last);
            EXPECT_EQ(decoded, expected(query)) << length << " round " << round;
        }
    }
}

// A compiled dictionary whose word list is replaced by `chunks`.
std::string withWordList(const TemporaryFolder& folder, bool utf8, const std::vector<std::vector<std::uint8_t>>& chunks)
{
    const DictionarySource source = lexvane::testing::sampleSource(20, 3, utf8, 1);
    PrcWriter compiled;
    std::string error;
    EXPECT_TRUE(lexvane::tools::compileDictionary(source, {}, compiled, error)) << error;
    PrcWriter writer;
    for (const PrcWriter::Resource& resource : compiled.resources()) {
        std::vector<std::uint8_t> body = resource.body;
        if (resource.type == "HEAD")
            body[319] = 1;
        writer.add(resource.type, resource.id, body);
    }
    for (std::size_t id = 0; id < chunks.size(); ++id)
        writer.add("WLST", static_cast<std::uint16_t>(id), chunks[id]);
    return folder.write("0A1B.prc", writer.bytes());
}

std::vector<std::vector<std::uint8_t>> cut(const std::vector<std::uint8_t>& bytes, std::size_t size)
{
    std::vector<std::vector<std::uint8_t>> chunks;
    for (std::size_t offset = 0; offset < bytes.size(); offset += size)
        chunks.emplace_back(bytes.begin() + static_cast<std::ptrdiff_t>(offset),
                            bytes.begin() + static_cast<std::ptrdiff_t>(std::min(bytes.size(), offset + size)));
    return chunks;
}

TEST(CompiledFuzzySearch, DamagedWordListsReportWhatWasKept)
{
    const std::vector<std::u16string> words = {u"hose", u"house", u"mouse"};
    const std::vector<std::uint8_t> list = *lexvane::tools::frontCodeWords16(words);
    const std::vector<std::uint8_t> compressed = lexvane::tools::deflateRaw(list);

    struct Case {
        const char* name;
        std::vector<std::vector<std::uint8_t>> chunks;
        int status;
        std::size_t found;
    };
    std::vector<std::vector<std::uint8_t>> missingLast = cut(compressed, 4);
    missingLast.pop_back();
    std::vector<std::uint8_t> odd = list;
    odd.push_back(7);
    const Case cases[] = {
        {"whole list in small chunks", cut(compressed, 4), 0, 3},
        {"last chunk missing", missingLast, LV_NOT_PRESENT, 0},
        {"no chunk at all", {}, LV_NOT_PRESENT, 0},
        {"odd total", cut(lexvane::tools::deflateRaw(odd), 3), LV_ODD_WORD_LIST, 3},
    };
    for (const Case& c : cases) {
        TemporaryFolder folder;
        OpenDictionary dic(withWordList(folder, true, c.chunks));
        ASSERT_EQ(dic.status, 0) << c.name;
        // The second search replays the words kept by the first, or
        // decodes again where the first did not get through the list.
        std::vector<Found> first;
        for (int round = 0; round < 2; ++round) {
            int status = -1;
            const std::vector<Found> found = search(dic.handle, u"house", &status);
            EXPECT_EQ(status, c.status) << c.name << " round " << round;
            // Words decoded before the damage are kept: a missing last chunk
            // may still have let some through.
            if (c.status == 0 || c.status == LV_ODD_WORD_LIST) {
                EXPECT_EQ(found.size(), c.found) << c.name;
            }
            if (round == 0)
                first = found;
            else
                EXPECT_EQ(found, first) << c.name;
        }
    }
}

} // namespace
