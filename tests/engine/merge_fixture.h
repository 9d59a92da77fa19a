// merge_fixture.h: member dictionaries written for set tests, and the
// brute-force merge that the sets are checked against.
#pragma once

#include "compiled_test_support.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lexvane::testing {

inline std::int32_t languageCode(std::string_view text)
{
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(text[0]) | static_cast<std::uint32_t>(text[1]) << 8
                                     | static_cast<std::uint32_t>(text[2]) << 16
                                     | static_cast<std::uint32_t>(text[3]) << 24);
}

// One member dictionary: its id, languages and UTF-8 headwords in the order
// of its table (the built-in one unless `sortTable` is given).
struct MemberSpec {
    std::string id = "0A1B";
    std::vector<std::string> words;
    std::string source = "engl";
    std::string target = "russ";
    std::vector<std::uint8_t> sortTable;
    std::int32_t quickAccessInterval = 4;
};

inline MemberSpec memberSpec(std::string id, std::vector<std::string> words, std::string source = "engl",
                             std::string target = "russ")
{
    MemberSpec spec;
    spec.id = std::move(id);
    spec.words = std::move(words);
    spec.source = std::move(source);
    spec.target = std::move(target);
    return spec;
}

inline std::string writeMember(const TemporaryFolder& folder, const MemberSpec& spec)
{
    tools::DictionarySource source;
    source.id = spec.id;
    source.sourceLanguage = spec.source;
    source.targetLanguage = spec.target;
    source.title = "Member " + spec.id;
    source.styles = sampleStyles();
    source.sortTable = spec.sortTable.empty() ? sampleSortTable() : spec.sortTable;
    for (const std::string& word : spec.words) {
        tools::SourceEntry entry;
        entry.headword = word;
        entry.article.push_back({3, "article of " + word + " in " + spec.id, 0});
        source.entries.push_back(entry);
    }
    tools::CompileOptions options;
    options.quickAccessInterval = spec.quickAccessInterval;
    return writeCompiled(folder, "dict" + spec.id + ".prc", source, options);
}

// The merge as the set defines it: every member's headwords sorted by the
// table (built-in), then by code units, identical words forming one group.
struct ReferenceEntry {
    std::u16string shown;      // the headword at a group's first position, else empty
    std::uint32_t mask = 0;    // members of the group
    std::int32_t groupStart = 0;
    std::int32_t groupSize = 0;
};

inline int referenceOrder(const std::u16string& a, const std::u16string& b,
                          const engine::SortTable& table = engine::builtInSortTable())
{
    if (const int c = engine::compare(a, b, &table))
        return c;
    return a.compare(b) < 0 ? -1 : a == b ? 0 : 1;
}

inline std::vector<ReferenceEntry> referenceMerge(const std::vector<std::vector<std::u16string>>& members,
                                                  const engine::SortTable& table = engine::builtInSortTable())
{
    std::vector<std::pair<std::u16string, std::uint32_t>> all;
    for (std::size_t m = 0; m < members.size(); ++m)
        for (const std::u16string& word : members[m])
            all.emplace_back(word, std::uint32_t{1} << m);
    std::stable_sort(all.begin(), all.end(),
                     [&](const auto& a, const auto& b) { return referenceOrder(a.first, b.first, table) < 0; });
    std::vector<ReferenceEntry> merged;
    for (std::size_t i = 0; i < all.size();) {
        std::size_t end = i;
        std::uint32_t mask = 0;
        while (end < all.size() && all[end].first == all[i].first)
            mask |= all[end++].second;
        const auto start = static_cast<std::int32_t>(i);
        for (std::size_t k = i; k < end; ++k)
            merged.push_back({k == i ? all[i].first : std::u16string(), mask, start, static_cast<std::int32_t>(end - i)});
        i = end;
    }
    return merged;
}

// Where MrgSearch must stand for `word`: the number of entries that sort
// before it under the table, or the last group when all of them do.
inline std::int32_t referenceSearch(const std::vector<ReferenceEntry>& merged, const std::u16string& word)
{
    std::int32_t before = 0;
    for (const ReferenceEntry& entry : merged) {
        const std::u16string& headword = merged[static_cast<std::size_t>(entry.groupStart)].shown;
        if (engine::compare(headword, word, &engine::builtInSortTable()) < 0)
            ++before;
    }
    if (before == static_cast<std::int32_t>(merged.size()) && !merged.empty())
        return merged.back().groupStart;
    return before;
}

// A set opened through the exported interface; closed on destruction.
class OpenSet {
public:
    OpenSet(int capacity, const char (&source)[5] = "engl", const char (&target)[5] = "russ")
    {
        status = MrgOpen(&handle, capacity, languageCode(source), languageCode(target), nullptr, 0, 0);
    }
    ~OpenSet() { MrgClose(handle); }
    OpenSet(const OpenSet&) = delete;
    OpenSet& operator=(const OpenSet&) = delete;

    std::u16string headword(std::int32_t index)
    {
        char16_t buffer[300];
        std::int32_t length = 300;
        EXPECT_EQ(MrgGetData(handle, 0, index, buffer, &length), LV_OK);
        return std::u16string(buffer, static_cast<std::size_t>(length));
    }
    std::int32_t count()
    {
        std::int32_t total = -1;
        EXPECT_EQ(MrgGetCount(handle, &total), LV_OK);
        return total;
    }
    // Every search by text writes its line to the standard error stream;
    // an empty word does nothing.
    std::int32_t search(const std::u16string& word, bool exact = false)
    {
        std::int32_t index = -1;
        ::testing::internal::CaptureStderr();
        EXPECT_EQ(MrgSearch(handle, word.c_str(), exact, &index), LV_OK);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), word.empty() ? "" : "MergeGetWordByTextW");
        return index;
    }

    MergeRecord* handle = nullptr;
    int status = -1;
};

} // namespace lexvane::testing
