// engine_bench: the engine's costs on 500,000 headwords, each beside a
// plain baseline measured in the same run.
//
// The headwords are generated from a fixed seed (syllables, so that
// neighbours share prefixes as dictionary headwords do) and sorted with
// WCmp; the dictionary compiler writes them into two compiled dictionaries
// in a temporary folder, one with a fuzzy word list. Figures are named
// "<case>/<variant>"; after the run a table gives each variant as a ratio
// to "<case>/baseline". Cases over dictionary sets follow when sets exist.
#include "lexvane_engine.h"

#include "collation/built_in_sort_table.h"
#include "compiled/compiled_dictionary.h"
#include "dictionary_compiler.h"
#include "merge/merge_record.h"
#include "search/fuzzy_state.h"
#include "sort_table_writer.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <unordered_set>
#include <fcntl.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr std::size_t kHeadwords = 500000;

// `count` distinct words of one to five syllables (so that neighbours share
// prefixes as dictionary headwords do) from `seed`, sorted with WCmp.
std::vector<std::u16string> generatedWords(unsigned seed, std::size_t count)
{
    static const char* const syllables[] = {"ba", "ber", "ch", "da", "de", "en", "er", "ge", "haus", "heit",
                                            "in", "ka", "keit", "la", "lich", "ma", "men", "ne", "or", "pa",
                                            "re", "sch", "se", "ster", "ta", "te", "un", "ver", "wa", "zu"};
    std::mt19937 random(seed);
    std::vector<std::u16string> list;
    list.reserve(count);
    // Short words repeat often: only new ones count, so that the list
    // really holds `count` words.
    std::unordered_set<std::u16string> seen;
    while (list.size() < count) {
        std::u16string word;
        const int pieces = 1 + static_cast<int>(random() % 5);
        for (int i = 0; i < pieces; ++i)
            for (const char* c = syllables[random() % std::size(syllables)]; *c; ++c)
                word.push_back(static_cast<char16_t>(*c));
        if (seen.insert(word).second)
            list.push_back(word);
    }
    std::sort(list.begin(), list.end(),
              [](const std::u16string& a, const std::u16string& b) { return WCmp(a.c_str(), b.c_str()) < 0; });
    return list;
}

const std::vector<std::u16string>& headwords()
{
    static const std::vector<std::u16string> words = generatedWords(20261210, kHeadwords);
    return words;
}

std::string toUtf8(const std::u16string& word)
{
    return std::string(word.begin(), word.end()); // the generated words are ASCII
}

// Compiled dictionaries of the headwords, written once, removed at exit.
class Dictionaries {
public:
    static constexpr std::int32_t kQuickAccessInterval = 256; // "QIDX" holds at most 2,340 points

    static Dictionaries& instance()
    {
        static Dictionaries dictionaries;
        return dictionaries;
    }

    const std::string& plainPath() const { return m_plainPath; }
    const std::string& wordListPath() const { return m_wordListPath; }

    ~Dictionaries() { std::filesystem::remove_all(m_folder); }

private:
    Dictionaries()
    {
        char folder[] = "/tmp/lexvane-bench-XXXXXX";
        if (!mkdtemp(folder))
            std::abort();
        m_folder = folder;
        lexvane::tools::DictionarySource source;
        source.id = "0A1B";
        std::string error;
        if (!lexvane::tools::writeSortTable(lexvane::engine::builtInSortTable(), source.sortTable, error))
            std::abort();
        source.styles.resize(1);
        for (const std::u16string& word : headwords()) {
            lexvane::tools::SourceEntry entry;
            entry.headword = toUtf8(word);
            entry.article.push_back({3, "the meaning of " + entry.headword, 0});
            source.entries.push_back(std::move(entry));
        }
        m_plainPath = compile(source, false, "0A1B.prc");
        source.id = "0A1C";
        m_wordListPath = compile(source, true, "0A1C.prc");
    }

    std::string compile(const lexvane::tools::DictionarySource& source, bool wordList, const std::string& name)
    {
        lexvane::tools::CompileOptions options;
        options.quickAccessInterval = kQuickAccessInterval;
        options.fuzzyWordList = wordList;
        lexvane::tools::PrcWriter writer;
        std::string error;
        const std::string path = m_folder + "/" + name;
        if (!lexvane::tools::compileDictionary(source, options, writer, error) || !writer.write(path, error)) {
            std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.c_str());
            std::abort();
        }
        return path;
    }

    std::string m_folder;
    std::string m_plainPath;
    std::string m_wordListPath;
};


// The pool the set members draw from: more distinct headwords than one
// member holds, sorted with WCmp.
const std::vector<std::u16string>& poolWords()
{
    static const std::vector<std::u16string> words = generatedWords(20261211, kHeadwords * 3 / 2);
    return words;
}

// Member k of the sets: 500,000 words of the pool (or all of it when the
// pool is smaller), each member leaving out a different share.
std::vector<std::u16string> memberWords(std::size_t k)
{
    const auto& pool = poolWords();
    std::vector<std::u16string> words;
    words.reserve(kHeadwords);
    const std::uint64_t keep = pool.size() > kHeadwords ? kHeadwords * 1000 / pool.size() + 1 : 1000;
    for (std::size_t i = 0; i < pool.size() && words.size() < kHeadwords; ++i)
        if ((i * 2654435761u + k * 40503u) % 1000 < keep)
            words.push_back(pool[i]);
    return words;
}

// Compiled set members, written on first use, removed at exit.
class SetMembers {
public:
    static constexpr std::size_t kMaximumMembers = 16;

    static SetMembers& instance()
    {
        static SetMembers members;
        return members;
    }
    ~SetMembers() { std::filesystem::remove_all(m_folder); }

    const std::string& path(std::size_t k)
    {
        while (m_paths.size() <= k)
            m_paths.push_back(write(m_paths.size()));
        return m_paths[k];
    }

private:
    SetMembers()
    {
        char folder[] = "/tmp/lexvane-bench-set-XXXXXX";
        if (!mkdtemp(folder))
            std::abort();
        m_folder = folder;
    }

    std::string write(std::size_t k)
    {
        char id[5];
        std::snprintf(id, sizeof id, "%04X", static_cast<unsigned>(0x0B00 + k));
        lexvane::tools::DictionarySource source;
        source.id = id;
        std::string error;
        if (!lexvane::tools::writeSortTable(lexvane::engine::builtInSortTable(), source.sortTable, error))
            std::abort();
        source.styles.resize(1);
        for (const std::u16string& word : memberWords(k)) {
            lexvane::tools::SourceEntry entry;
            entry.headword = toUtf8(word);
            entry.article.push_back({3, "the meaning of " + entry.headword, 0});
            source.entries.push_back(std::move(entry));
        }
        lexvane::tools::CompileOptions options;
        options.quickAccessInterval = Dictionaries::kQuickAccessInterval;
        options.fuzzyWordList = true;
        lexvane::tools::PrcWriter writer;
        const std::string path = m_folder + "/member" + id + ".prc";
        if (!lexvane::tools::compileDictionary(source, options, writer, error) || !writer.write(path, error)) {
            std::fprintf(stderr, "cannot write %s: %s\n", path.c_str(), error.c_str());
            std::abort();
        }
        return path;
    }

    std::string m_folder;
    std::vector<std::string> m_paths;
};

// A set of the first `count` members; closed on destruction.
class OpenSet {
public:
    explicit OpenSet(std::size_t count)
    {
        const auto code = [](const char* c) { return c[0] | c[1] << 8 | c[2] << 16 | c[3] << 24; };
        if (MrgOpen(&m_handle, static_cast<std::int32_t>(count), code("engl"), code("russ"), nullptr, 0, 0) != LV_OK)
            std::abort();
        for (std::size_t k = 0; k < count; ++k)
            MrgAdd(m_handle, -1, SetMembers::instance().path(k).c_str());
        std::int32_t ids[32];
        MrgGetDicList(m_handle, ids);
        for (std::size_t k = 0; k < count; ++k)
            if (ids[k] == 0)
                std::abort();
    }
    ~OpenSet() { MrgClose(m_handle); }
    MergeRecord* handle() const { return m_handle; }

private:
    MergeRecord* m_handle = nullptr;
};

class OpenDictionary {
public:
    explicit OpenDictionary(const std::string& path)
    {
        if (DicOpen(path.c_str(), -1, &m_handle, nullptr, 0, 0) != LV_OK)
            std::abort();
    }
    ~OpenDictionary() { DicClose(m_handle); }
    DictionaryRecord* handle() const { return m_handle; }

private:
    DictionaryRecord* m_handle = nullptr;
};

// Typed prefixes of headwords spread over the list, as keystrokes give them.
std::vector<std::u16string> keystrokes()
{
    std::vector<std::u16string> typed;
    std::mt19937 random(99);
    for (int i = 0; i < 256; ++i) {
        const std::u16string& word = headwords()[random() % headwords().size()];
        typed.push_back(word.substr(0, 1 + random() % word.size()));
    }
    return typed;
}

constexpr std::int32_t kWindowRows = 50;

void keystrokeDictionary(benchmark::State& state)
{
    OpenDictionary dic(Dictionaries::instance().plainPath());
    const std::vector<std::u16string> typed = keystrokes();
    std::size_t next = 0;
    char16_t buffer[300];
    for (auto _ : state) {
        std::int32_t index = 0;
        DicSearch(dic.handle(), typed[next++ % typed.size()].c_str(), 0, &index);
        for (std::int32_t row = index; row < index + kWindowRows; ++row) {
            std::int32_t length = 300;
            DicGetData(dic.handle(), 0, row, buffer, &length, nullptr);
        }
        benchmark::DoNotOptimize(buffer);
    }
}

void keystrokeOver(benchmark::State& state, const std::vector<std::u16string>& words)
{
    const std::vector<std::u16string> typed = keystrokes();
    std::size_t next = 0;
    std::vector<std::u16string> window(kWindowRows);
    for (auto _ : state) {
        const std::u16string& query = typed[next++ % typed.size()];
        const auto found = std::lower_bound(words.begin(), words.end(), query, [](const std::u16string& a, const std::u16string& b) {
            return WCmp(a.c_str(), b.c_str()) < 0;
        });
        auto row = found;
        for (std::int32_t k = 0; k < kWindowRows && row != words.end(); ++k, ++row)
            window[static_cast<std::size_t>(k)] = *row;
        benchmark::DoNotOptimize(window.data());
    }
}

void keystrokeBaseline(benchmark::State& state)
{
    keystrokeOver(state, headwords());
}

void openDictionary(benchmark::State& state)
{
    for (auto _ : state) {
        DictionaryRecord* dic = nullptr;
        DicOpen(Dictionaries::instance().plainPath().c_str(), -1, &dic, nullptr, 0, 0);
        DicClose(dic);
    }
}

void randomJumps(benchmark::State& state)
{
    OpenDictionary dic(Dictionaries::instance().plainPath());
    std::mt19937 random(5);
    char16_t buffer[300];
    for (auto _ : state) {
        std::int32_t length = 300;
        DicGetData(dic.handle(), 0, static_cast<std::intptr_t>(random() % headwords().size()), buffer, &length,
                   nullptr);
        benchmark::DoNotOptimize(buffer);
    }
}

int countRuns(int, const char16_t*, std::int32_t, const StyleRecord*, std::int32_t, void* user)
{
    ++*static_cast<int*>(user);
    return 0;
}

// The entry just before a quick-access point: the longest decoding.
void extractFar(benchmark::State& state)
{
    OpenDictionary dic(Dictionaries::instance().plainPath());
    std::mt19937 random(6);
    const std::int32_t points = static_cast<std::int32_t>(headwords().size()) / Dictionaries::kQuickAccessInterval;
    for (auto _ : state) {
        const std::int32_t index = static_cast<std::int32_t>(random() % points) * Dictionaries::kQuickAccessInterval +
                                   Dictionaries::kQuickAccessInterval - 1;
        int runs = 0;
        DicExtract(dic.handle(), index, 0, 0, countRuns, &runs, 0);
        benchmark::DoNotOptimize(runs);
    }
}

int ignoreWord(const char16_t*, std::int32_t, void*)
{
    return 0;
}

// A query of about `length` units: a headword of that length, one letter changed.
std::u16string queryOfLength(std::size_t length)
{
    for (const std::u16string& word : headwords()) {
        if (word.size() == length) {
            std::u16string query = word;
            query[length / 2] = u'x';
            return query;
        }
    }
    return std::u16string(length, u'a');
}

// The baseline: the plain optimal-string-alignment distance over the whole
// matrix, after the same length check, keeping the ten best.
int plainDistance(std::u16string_view a, std::u16string_view b, std::vector<int>& rows)
{
    const std::size_t width = b.size() + 1;
    rows.assign((a.size() + 1) * width, 0);
    auto at = [&](std::size_t i, std::size_t j) -> int& { return rows[i * width + j]; };
    for (std::size_t i = 0; i <= a.size(); ++i)
        at(i, 0) = static_cast<int>(i);
    for (std::size_t j = 0; j <= b.size(); ++j)
        at(0, j) = static_cast<int>(j);
    for (std::size_t i = 1; i <= a.size(); ++i) {
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const int cost = a[i - 1] == b[j - 1] ? 0 : 1;
            int best = std::min({at(i - 1, j) + 1, at(i, j - 1) + 1, at(i - 1, j - 1) + cost});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                best = std::min(best, at(i - 2, j - 2) + cost);
            at(i, j) = best;
        }
    }
    return at(a.size(), b.size());
}

void fuzzyEngine(benchmark::State& state, std::size_t length)
{
    const std::u16string query = queryOfLength(length);
    for (auto _ : state) {
        FuzzyState search;
        search.start(query, 10);
        for (const std::u16string& word : headwords())
            search.offer(word, word, 1);
        benchmark::DoNotOptimize(search.results().data());
    }
}

// Each list in turn, as a set feeds its members.
void fuzzyOver(benchmark::State& state, std::size_t length, const std::vector<const std::vector<std::u16string>*>& lists)
{
    const std::u16string query = queryOfLength(length);
    std::vector<int> rows;
    for (auto _ : state) {
        std::vector<std::pair<int, const std::u16string*>> best;
        for (const std::vector<std::u16string>* list : lists) {
            for (const std::u16string& word : *list) {
                const std::ptrdiff_t difference = static_cast<std::ptrdiff_t>(word.size()) - static_cast<std::ptrdiff_t>(query.size());
                if (difference >= 5 || difference <= -5)
                    continue;
                const int distance = plainDistance(word, query, rows);
                if (distance < 5)
                    best.emplace_back(distance, &word);
            }
        }
        std::stable_sort(best.begin(), best.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        best.resize(std::min<std::size_t>(best.size(), 10));
        benchmark::DoNotOptimize(best.data());
    }
}

void fuzzyBaseline(benchmark::State& state, std::size_t length)
{
    fuzzyOver(state, length, {&headwords()});
}

// Repeated searches on one open dictionary: the first search, before the
// clock starts, decodes the word list or the headwords once and keeps them.
void fuzzyDictionary(benchmark::State& state, std::size_t length, bool wordList)
{
    const std::u16string query = queryOfLength(length);
    OpenDictionary dic(wordList ? Dictionaries::instance().wordListPath() : Dictionaries::instance().plainPath());
    DicFuzzySearch(dic.handle(), query.c_str(), 10, ignoreWord, nullptr);
    for (auto _ : state)
        DicFuzzySearch(dic.handle(), query.c_str(), 10, ignoreWord, nullptr);
    // What the kept words cost.
    lexvane::engine::CompiledDictionary* compiled = lexvane::engine::compiledDictionaryOf(*dic.handle());
    const lexvane::engine::WordCache& kept = wordList ? compiled->fuzzyWordCache() : compiled->headwordCache();
    state.counters["keptMiB"] = static_cast<double>(kept.memoryBytes()) / (1 << 20);
}

// The first search after opening: the word list is inflated, or the
// headwords are decoded, and kept; the figures above are the repeated
// searches, which replay the kept words.
void fuzzyFirstSearch(benchmark::State& state, std::size_t length, bool wordList)
{
    const std::u16string query = queryOfLength(length);
    for (auto _ : state) {
        state.PauseTiming();
        {
            OpenDictionary dic(wordList ? Dictionaries::instance().wordListPath() : Dictionaries::instance().plainPath());
            state.ResumeTiming();
            DicFuzzySearch(dic.handle(), query.c_str(), 10, ignoreWord, nullptr);
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}

// What the set search does with one member: every headword in list order,
// each matched once.
void wildcardDictionaryWalk(benchmark::State& state, std::u16string mask)
{
    OpenDictionary dic(Dictionaries::instance().plainPath());
    const std::int32_t count = static_cast<std::int32_t>(headwords().size());
    char16_t buffer[300];
    for (auto _ : state) {
        WildCardPattern* pattern = WildCardStart(mask.c_str());
        int found = 0;
        for (std::int32_t i = 0; i < count; ++i) {
            std::int32_t length = 300;
            DicGetData(dic.handle(), 0, i, buffer, &length, nullptr);
            found += WildCardFeed(pattern, buffer);
        }
        WildCardEnd(pattern);
        benchmark::DoNotOptimize(found);
    }
}

void wildcardOver(benchmark::State& state, const std::u16string& mask, const std::vector<std::u16string>& words)
{
    for (auto _ : state) {
        WildCardPattern* pattern = WildCardStart(mask.c_str());
        int found = 0;
        for (const std::u16string& word : words)
            found += WildCardFeed(pattern, word.c_str());
        WildCardEnd(pattern);
        benchmark::DoNotOptimize(found);
    }
}

void wildcardEngine(benchmark::State& state, std::u16string mask)
{
    wildcardOver(state, mask, headwords());
}


// Sends the standard error stream away while it lives (set searches write
// a line there each time).
class QuietStandardError {
public:
    QuietStandardError() : m_saved(dup(STDERR_FILENO))
    {
        const int sink = open("/dev/null", O_WRONLY);
        if (sink >= 0) {
            dup2(sink, STDERR_FILENO);
            close(sink);
        }
    }
    ~QuietStandardError()
    {
        if (m_saved >= 0) {
            dup2(m_saved, STDERR_FILENO);
            close(m_saved);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int m_saved;
};

// What the program does on a keystroke in its word list: the direction
// check, the word-list choice, the search and the rows it shows. MrgSearch
// writes its line to the standard error stream, which is sent away here.
void keystrokeSet(benchmark::State& state, std::size_t members)
{
    OpenSet set(members);
    const std::vector<std::u16string> typed = keystrokes();
    std::size_t next = 0;
    char16_t buffer[300];
    const QuietStandardError quiet;
    for (auto _ : state) {
        const std::u16string& word = typed[next++ % typed.size()];
        benchmark::DoNotOptimize(MrgCountLang(set.handle(), word.c_str()));
        MrgDoFilter(set.handle(), word.c_str());
        std::int32_t index = 0;
        MrgSearch(set.handle(), word.c_str(), 0, &index);
        for (std::int32_t row = index; row < index + kWindowRows; ++row) {
            std::int32_t length = 300;
            MrgGetData(set.handle(), 0, row, buffer, &length);
        }
        benchmark::DoNotOptimize(buffer);
    }
}

// A scroll-bar drag: rows anywhere in the merged list, each followed by the
// rows a list shows below it.
void randomJumpsSet(benchmark::State& state, std::size_t members)
{
    OpenSet set(members);
    std::int32_t total = 0;
    MrgGetCount(set.handle(), &total);
    std::mt19937 random(5);
    char16_t buffer[300];
    for (auto _ : state) {
        std::int32_t length = 300;
        MrgGetData(set.handle(), 0, static_cast<std::int32_t>(random() % static_cast<std::uint32_t>(total)), buffer,
                   &length);
        benchmark::DoNotOptimize(buffer);
    }
}

int countWord(const char16_t*, std::int32_t, void* user)
{
    ++*static_cast<int*>(user);
    return 0;
}

// Repeated searches on one open set: the first search, before the clock
// starts, walks the merged list and keeps the group headwords.
void wildcardSet(benchmark::State& state, std::u16string mask, std::size_t members)
{
    OpenSet set(members);
    int found = 0;
    MrgSearchWildCard(set.handle(), mask.c_str(), 1 << 30, countWord, &found);
    for (auto _ : state) {
        found = 0;
        MrgSearchWildCard(set.handle(), mask.c_str(), 1 << 30, countWord, &found);
        benchmark::DoNotOptimize(found);
    }
    // What the kept group headwords cost.
    std::int32_t end = 0;
    const lexvane::engine::WordCache* kept = set.handle()->keptGroupWords(end);
    state.counters["keptMiB"] = kept ? static_cast<double>(kept->memoryBytes()) / (1 << 20) : 0.0;
}

// The first search after the set is opened: the walk through the merge.
void wildcardSetFirst(benchmark::State& state, std::u16string mask, std::size_t members)
{
    for (auto _ : state) {
        state.PauseTiming();
        {
            OpenSet set(members);
            state.ResumeTiming();
            int found = 0;
            MrgSearchWildCard(set.handle(), mask.c_str(), 1 << 30, countWord, &found);
            benchmark::DoNotOptimize(found);
            state.PauseTiming();
        }
        state.ResumeTiming();
    }
}

void fuzzySet(benchmark::State& state, std::size_t length, std::size_t members)
{
    const std::u16string query = queryOfLength(length);
    OpenSet set(members);
    const QuietStandardError quiet;
    // The first search (members' word lists inflated and kept) is not timed.
    MrgFuzzySearch(set.handle(), query.c_str(), 10, ignoreWord, nullptr);
    for (auto _ : state)
        MrgFuzzySearch(set.handle(), query.c_str(), 10, ignoreWord, nullptr);
}

// The headwords of the first members of the sets, held in memory for the
// baselines: each member's list (the first four are kept), and the sorted
// union of distinct headwords a set shows.
const std::vector<std::u16string>& keptMemberWords(std::size_t k)
{
    static std::map<std::size_t, std::vector<std::u16string>> kept;
    auto found = kept.find(k);
    if (found == kept.end())
        found = kept.emplace(k, memberWords(k)).first;
    return found->second;
}

const std::vector<std::u16string>& distinctSetWords(std::size_t members)
{
    static std::map<std::size_t, std::vector<std::u16string>> unions;
    auto found = unions.find(members);
    if (found != unions.end())
        return found->second;
    const auto before = [](const std::u16string& a, const std::u16string& b) { return WCmp(a.c_str(), b.c_str()) < 0; };
    std::vector<std::u16string> merged;
    for (std::size_t k = 0; k < members; ++k) {
        const std::vector<std::u16string> words = memberWords(k);
        std::vector<std::u16string> next;
        std::set_union(merged.begin(), merged.end(), words.begin(), words.end(), std::back_inserter(next), before);
        merged.swap(next);
    }
    return unions.emplace(members, std::move(merged)).first->second;
}

void keystrokeSetBaseline(benchmark::State& state, std::size_t members)
{
    keystrokeOver(state, distinctSetWords(members));
}

void wildcardSetBaseline(benchmark::State& state, std::u16string mask, std::size_t members)
{
    wildcardOver(state, mask, distinctSetWords(members));
}

void fuzzySetBaseline(benchmark::State& state, std::size_t length, std::size_t members)
{
    std::vector<const std::vector<std::u16string>*> lists;
    for (std::size_t k = 0; k < members; ++k)
        lists.push_back(&keptMemberWords(k));
    fuzzyOver(state, length, lists);
}

void wcmpThroughput(benchmark::State& state)
{
    const auto& words = headwords();
    for (auto _ : state) {
        int sum = 0;
        for (std::size_t i = 1; i < words.size(); ++i)
            sum += WCmp(words[i - 1].c_str(), words[i].c_str());
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(words.size() - 1));
}

void wcmpBaseline(benchmark::State& state)
{
    const auto& words = headwords();
    for (auto _ : state) {
        int sum = 0;
        for (std::size_t i = 1; i < words.size(); ++i)
            sum += words[i - 1].compare(words[i]) < 0 ? -1 : 1;
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(static_cast<std::int64_t>(state.iterations()) * static_cast<std::int64_t>(words.size() - 1));
}

// Prints the usual table, then each "<case>/engine" as a ratio to its
// "<case>/baseline".
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs)
            m_times[run.benchmark_name()] = run.GetAdjustedRealTime();
    }

    void Finalize() override
    {
        ConsoleReporter::Finalize();
        std::printf("\n%-36s %14s %14s %8s\n", "case", "time", "baseline", "ratio");
        for (const auto& [name, time] : m_times) {
            const std::size_t slash = name.rfind('/');
            if (slash == std::string::npos || name.compare(slash, std::string::npos, "/baseline") == 0)
                continue;
            const auto baseline = m_times.find(name.substr(0, slash) + "/baseline");
            if (baseline == m_times.end())
                continue;
            std::printf("%-36s %14.4f %14.4f %8.2f\n", name.c_str(), time, baseline->second, time / baseline->second);
        }
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv)
{
    using benchmark::kMicrosecond;
    using benchmark::kMillisecond;
    benchmark::RegisterBenchmark("DicOpen", openDictionary)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("Keystroke/dictionary", keystrokeDictionary)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("Keystroke/baseline", keystrokeBaseline)->Unit(kMicrosecond);
    // Sets: each figure beside the same work over the set's headwords in memory.
    for (std::size_t members : {1u, 4u, 16u}) {
        const std::string name = "SetKeystroke" + std::to_string(members);
        benchmark::RegisterBenchmark((name + "/set").c_str(), keystrokeSet, members)->Unit(kMicrosecond);
        benchmark::RegisterBenchmark((name + "/baseline").c_str(), keystrokeSetBaseline, members)
            ->Unit(kMicrosecond);
    }
    benchmark::RegisterBenchmark("RandomJump", randomJumps)->Unit(kMicrosecond);
    // A jump in a set of four beside a jump in one dictionary.
    benchmark::RegisterBenchmark("SetJump/set4", randomJumpsSet, 4)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("SetJump/baseline", randomJumps)->Unit(kMicrosecond);
    benchmark::RegisterBenchmark("DicExtractFar", extractFar)->Unit(kMicrosecond);
    for (std::size_t length : {3u, 6u, 12u}) {
        const std::string name = "Fuzzy/" + std::to_string(length);
        benchmark::RegisterBenchmark((name + "/state").c_str(), fuzzyEngine, length)->Unit(kMillisecond);
        benchmark::RegisterBenchmark((name + "/headwords").c_str(), fuzzyDictionary, length, false)->Unit(kMillisecond);
        benchmark::RegisterBenchmark((name + "/wordList").c_str(), fuzzyDictionary, length, true)->Unit(kMillisecond);
        benchmark::RegisterBenchmark((name + "/headwordsFirst").c_str(), fuzzyFirstSearch, length, false)
            ->Unit(kMillisecond);
        benchmark::RegisterBenchmark((name + "/wordListFirst").c_str(), fuzzyFirstSearch, length, true)
            ->Unit(kMillisecond);
        for (std::size_t members : {1u, 4u}) {
            const std::string set = "SetFuzzy" + std::to_string(members) + "/" + std::to_string(length);
            benchmark::RegisterBenchmark((set + "/set").c_str(), fuzzySet, length, members)->Unit(kMillisecond);
            benchmark::RegisterBenchmark((set + "/baseline").c_str(), fuzzySetBaseline, length, members)
                ->Unit(kMillisecond);
        }
        benchmark::RegisterBenchmark((name + "/baseline").c_str(), fuzzyBaseline, length)->Unit(kMillisecond);
    }
    const std::pair<const char*, const char16_t*> masks[] = {
        {"prefix", u"\"haus*"}, {"leadingStar", u"*heit\""}, {"noMatch", u"qqq"}};
    for (const auto& [name, mask] : masks) {
        const std::string prefix = std::string("WildCard/") + name;
        benchmark::RegisterBenchmark((prefix + "/dictionaryWalk").c_str(), wildcardDictionaryWalk, std::u16string(mask))
            ->Unit(kMillisecond);
        for (std::size_t members : {1u, 4u}) {
            const std::string set = "SetWildCard" + std::to_string(members) + "/" + name;
            benchmark::RegisterBenchmark((set + "/set").c_str(), wildcardSet, std::u16string(mask), members)
                ->Unit(kMillisecond);
            benchmark::RegisterBenchmark((set + "/first").c_str(), wildcardSetFirst, std::u16string(mask), members)
                ->Unit(kMillisecond);
            benchmark::RegisterBenchmark((set + "/baseline").c_str(), wildcardSetBaseline, std::u16string(mask),
                                         members)
                ->Unit(kMillisecond);
        }
        benchmark::RegisterBenchmark((prefix + "/baseline").c_str(), wildcardEngine, std::u16string(mask))
            ->Unit(kMillisecond);
    }
    benchmark::RegisterBenchmark("WCmp/engine", wcmpThroughput)->Unit(kMillisecond);
    benchmark::RegisterBenchmark("WCmp/baseline", wcmpBaseline)->Unit(kMillisecond);

    benchmark::Initialize(&argc, argv);
    // Compiled before the clock starts.
    Dictionaries::instance();
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
