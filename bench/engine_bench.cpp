// engine_bench: the engine's search costs on 500,000 headwords, each beside
// a plain baseline measured in the same run.
//
// The headwords are generated from a fixed seed (syllables, so that
// neighbours share prefixes as dictionary headwords do) and sorted with
// WCmp. Figures come in pairs "<case>/engine" and "<case>/baseline"; after
// the run a table gives each engine figure as a ratio to its baseline.
// Cases that need dictionaries or sets are added as those parts exist.
#include "lexvane_engine.h"

#include "search/fuzzy_state.h"
#include "search/wildcard_matcher.h"
#include "collation/built_in_sort_table.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <random>
#include <string>
#include <vector>

namespace {

constexpr std::size_t kHeadwords = 500000;

const std::vector<std::u16string>& headwords()
{
    static const std::vector<std::u16string> words = [] {
        static const char* const syllables[] = {"ba", "ber", "ch", "da", "de", "en", "er", "ge", "haus", "heit",
                                                "in", "ka", "keit", "la", "lich", "ma", "men", "ne", "or", "pa",
                                                "re", "sch", "se", "ster", "ta", "te", "un", "ver", "wa", "zu"};
        std::mt19937 random(20261210);
        std::vector<std::u16string> list;
        list.reserve(kHeadwords + kHeadwords / 8);
        while (list.size() < kHeadwords + kHeadwords / 8) {
            std::u16string word;
            const int count = 1 + static_cast<int>(random() % 5);
            for (int i = 0; i < count; ++i)
                for (const char* c = syllables[random() % std::size(syllables)]; *c; ++c)
                    word.push_back(static_cast<char16_t>(*c));
            list.push_back(word);
        }
        std::sort(list.begin(), list.end(),
                  [](const std::u16string& a, const std::u16string& b) { return WCmp(a.c_str(), b.c_str()) < 0; });
        list.erase(std::unique(list.begin(), list.end()), list.end());
        list.resize(std::min(list.size(), kHeadwords));
        return list;
    }();
    return words;
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

void fuzzyBaseline(benchmark::State& state, std::size_t length)
{
    const std::u16string query = queryOfLength(length);
    std::vector<int> rows;
    for (auto _ : state) {
        std::vector<std::pair<int, const std::u16string*>> best;
        for (const std::u16string& word : headwords()) {
            const std::ptrdiff_t difference = static_cast<std::ptrdiff_t>(word.size()) - static_cast<std::ptrdiff_t>(query.size());
            if (difference >= 5 || difference <= -5)
                continue;
            const int distance = plainDistance(word, query, rows);
            if (distance < 5)
                best.emplace_back(distance, &word);
        }
        std::stable_sort(best.begin(), best.end(),
                         [](const auto& a, const auto& b) { return a.first < b.first; });
        best.resize(std::min<std::size_t>(best.size(), 10));
        benchmark::DoNotOptimize(best.data());
    }
}

void wildcardEngine(benchmark::State& state, std::u16string mask)
{
    for (auto _ : state) {
        WildCardPattern* pattern = WildCardStart(mask.c_str());
        int found = 0;
        for (const std::u16string& word : headwords())
            found += WildCardFeed(pattern, word.c_str());
        WildCardEnd(pattern);
        benchmark::DoNotOptimize(found);
    }
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
        std::printf("\n%-32s %14s %14s %8s\n", "case", "engine", "baseline", "ratio");
        for (const auto& [name, time] : m_times) {
            const std::size_t slash = name.rfind("/engine");
            if (slash == std::string::npos)
                continue;
            const auto baseline = m_times.find(name.substr(0, slash) + "/baseline");
            if (baseline == m_times.end())
                continue;
            std::printf("%-32s %14.3f %14.3f %8.2f\n", name.substr(0, slash).c_str(), time, baseline->second,
                        time / baseline->second);
        }
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv)
{
    for (std::size_t length : {3u, 6u, 12u}) {
        const std::string name = "Fuzzy/" + std::to_string(length);
        benchmark::RegisterBenchmark((name + "/engine").c_str(), fuzzyEngine, length)->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((name + "/baseline").c_str(), fuzzyBaseline, length)->Unit(benchmark::kMillisecond);
    }
    // The in-memory wildcard matches: the baselines of the set search.
    benchmark::RegisterBenchmark("WildCardMemory/prefix", wildcardEngine, std::u16string(u"\"haus*"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WildCardMemory/leadingStar", wildcardEngine, std::u16string(u"*heit\""))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WildCardMemory/noMatch", wildcardEngine, std::u16string(u"qqq"))
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WCmp/engine", wcmpThroughput)->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark("WCmp/baseline", wcmpBaseline)->Unit(benchmark::kMillisecond);

    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
