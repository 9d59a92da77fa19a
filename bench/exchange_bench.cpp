// exchange_bench: importing and exporting a real DSL file.
//
// The sample is the dict-server dictionary mueller7 as DSL (46,198
// articles), made by lexvane-dictd-to-dsl into data/ when it is missing; a
// different file can be named by LEXVANE_DSL_SAMPLE. Each phase is measured
// on its own: reading and building the bodies without a database, the
// whole import (one transaction), the rebuild of the title order alone, the
// export, and the baseline: the same titles and bodies bulk-inserted into a
// plain SQLite table in one transaction. The import also reports the
// longest gap between two progress calls.
#include "lexvane_engine.h"

#include "exchange/dsl_context.h"
#include "exchange/text_file.h"
#include "userdic/ud_database.h"

#include <benchmark/benchmark.h>
#include <sqlite3.h>
#include <sys/resource.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

using lexvane::engine::exchange::TextFile;
using lexvane::engine::exchange::UDImportContext;
using lexvane::engine::exchange::UDImportContextDSL;
using lexvane::engine::userdic::UdDatabase;

namespace {

struct Built {
    std::u16string title;
    std::u16string body;
};

class Sample {
public:
    static Sample& instance()
    {
        static Sample sample;
        return sample;
    }

    const std::string& path() const { return m_path; }
    const std::string& folder() const { return m_folder; }
    bool ready() const { return !m_path.empty(); }

private:
    Sample()
    {
        m_folder = (std::filesystem::temp_directory_path() / ("lexvane-exchange-bench-" + std::to_string(getpid())))
                       .string();
        std::filesystem::create_directories(m_folder);
        if (const char* named = std::getenv("LEXVANE_DSL_SAMPLE")) {
            m_path = named;
            return;
        }
        const std::string made = std::string(LEXVANE_SOURCE_DIR) + "/data/mueller7.dsl";
        if (!std::filesystem::exists(made)) {
            std::filesystem::create_directories(std::string(LEXVANE_SOURCE_DIR) + "/data");
            const std::string command = std::string(LEXVANE_DSL_CONVERTER) +
                                        " /usr/share/dictd/mueller7.index /usr/share/dictd/mueller7.dict.dz " + made;
            if (std::system(command.c_str()) != 0)
                return;
        }
        m_path = made;
    }
    ~Sample()
    {
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::string m_path;
    std::string m_folder;
};

// Reads the sample through the DSL context and builds every body.
std::vector<Built> buildAll(const std::string& path)
{
    std::vector<Built> built;
    TextFile file;
    if (!file.open(path))
        return built;
    UDImportContextDSL context(0x100000);
    std::u16string line;
    bool more = file.readLine(line);
    while (more && context.isHeaderLine(line))
        more = file.readLine(line);
    auto take = [&] {
        for (std::int32_t i = context.titleCount() - 1; i >= 0; --i) {
            Built article{context.title(i), {}};
            context.buildBody(i, article.body, 0x100000);
            built.push_back(std::move(article));
        }
        context.clearArticle();
    };
    while (more) {
        if (context.feedLine(line) == UDImportContext::Feed::Consumed)
            more = file.readLine(line);
        else
            take();
    }
    if (context.hasArticle())
        take();
    return built;
}

std::string freshDictionary(const std::string& name)
{
    const std::string path = Sample::instance().folder() + "/" + name;
    UdCreate(nullptr, path.c_str(), u"Bench", 0, 0, 0);
    return path;
}

void perArticle(benchmark::State& state, std::size_t articles)
{
    state.counters["articles"] = static_cast<double>(articles);
    state.counters["articles/s"] =
        benchmark::Counter(static_cast<double>(articles), benchmark::Counter::kIsIterationInvariantRate);
}

void BM_ReadAndBuildBodies(benchmark::State& state)
{
    if (!Sample::instance().ready()) {
        state.SkipWithError("no DSL sample");
        return;
    }
    std::size_t count = 0;
    for (auto _ : state)
        count = buildAll(Sample::instance().path()).size();
    perArticle(state, count);
}
BENCHMARK(BM_ReadAndBuildBodies)->Unit(benchmark::kMillisecond)->Iterations(1);

struct ProgressGaps {
    std::chrono::steady_clock::time_point last = std::chrono::steady_clock::now();
    double longest = 0;
    double longestAt = 0; // the percentage that ended the longest gap
    int calls = 0;
};

int onProgress(double percent, void* user)
{
    auto* gaps = static_cast<ProgressGaps*>(user);
    const auto now = std::chrono::steady_clock::now();
    const double gap = std::chrono::duration<double, std::milli>(now - gaps->last).count();
    if (gap > gaps->longest) {
        gaps->longest = gap;
        gaps->longestAt = percent;
    }
    gaps->last = now;
    ++gaps->calls;
    return 1;
}

void BM_Import(benchmark::State& state)
{
    if (!Sample::instance().ready()) {
        state.SkipWithError("no DSL sample");
        return;
    }
    ProgressGaps gaps;
    std::int32_t count = 0;
    int iteration = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string udd = freshDictionary("import" + std::to_string(iteration++) + ".udd");
        gaps = ProgressGaps{};
        state.ResumeTiming();
        if (UdConvert(nullptr, udd.c_str(), Sample::instance().path().c_str(), UD_IMPORT_DSL, onProgress, &gaps) != 0)
            state.SkipWithError("import failed");
        state.PauseTiming();
        UdDatabase database;
        database.open(nullptr, udd, false);
        count = database.articleCount();
        state.ResumeTiming();
    }
    perArticle(state, static_cast<std::size_t>(count));
    state.counters["longest_progress_gap_ms"] = gaps.longest;
    state.counters["progress_calls"] = gaps.calls;
    state.counters["longest_gap_ends_at_percent"] = gaps.longestAt;
    // From the last progress call to the end: the commit.
    state.counters["after_last_progress_ms"] =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - gaps.last).count();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["max_rss_mb"] = static_cast<double>(usage.ru_maxrss) / 1024.0;
}
BENCHMARK(BM_Import)->Unit(benchmark::kMillisecond)->Iterations(1);

// The imported dictionary of BM_Import, made again when run alone.
std::string importedDictionary()
{
    static std::string path;
    if (path.empty()) {
        path = freshDictionary("imported.udd");
        UdConvert(nullptr, path.c_str(), Sample::instance().path().c_str(), UD_IMPORT_DSL, nullptr, nullptr);
    }
    return path;
}

void BM_RebuildTitleOrder(benchmark::State& state)
{
    if (!Sample::instance().ready()) {
        state.SkipWithError("no DSL sample");
        return;
    }
    UdDatabase database;
    database.open(nullptr, importedDictionary(), false);
    const std::int32_t count = database.articleCount();
    for (auto _ : state) {
        database.execute("BEGIN");
        if (database.rebuildOrder() != 0)
            state.SkipWithError("rebuild failed");
        database.execute("ROLLBACK");
    }
    perArticle(state, static_cast<std::size_t>(count));
}
BENCHMARK(BM_RebuildTitleOrder)->Unit(benchmark::kMillisecond)->Iterations(1);

void BM_Export(benchmark::State& state)
{
    if (!Sample::instance().ready()) {
        state.SkipWithError("no DSL sample");
        return;
    }
    const std::string udd = importedDictionary();
    const std::string out = Sample::instance().folder() + "/exported.dsl";
    for (auto _ : state)
        if (UdConvert(nullptr, udd.c_str(), out.c_str(), UD_EXPORT_DSL, nullptr, nullptr) != 0)
            state.SkipWithError("export failed");
    UdDatabase database;
    database.open(nullptr, udd, false);
    perArticle(state, static_cast<std::size_t>(database.articleCount()));
    state.counters["file_mb"] = static_cast<double>(std::filesystem::file_size(out)) / 1e6;
}
BENCHMARK(BM_Export)->Unit(benchmark::kMillisecond)->Iterations(1);

// The baseline: what SQLite itself costs for the same rows.
void BM_BaselinePlainTableInsert(benchmark::State& state)
{
    if (!Sample::instance().ready()) {
        state.SkipWithError("no DSL sample");
        return;
    }
    const std::vector<Built> built = buildAll(Sample::instance().path());
    int iteration = 0;
    for (auto _ : state) {
        state.PauseTiming();
        const std::string path = Sample::instance().folder() + "/plain" + std::to_string(iteration++) + ".db";
        sqlite3* db = nullptr;
        sqlite3_open(path.c_str(), &db);
        sqlite3_exec(db, "PRAGMA page_size = 32768", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "PRAGMA encoding = \"UTF-16le\"", nullptr, nullptr, nullptr);
        sqlite3_exec(db, "CREATE TABLE arts (id INTEGER PRIMARY KEY, title TEXT NOT NULL, body BLOB NOT NULL)",
                     nullptr, nullptr, nullptr);
        state.ResumeTiming();
        sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
        sqlite3_stmt* insert = nullptr;
        sqlite3_prepare_v2(db, "INSERT INTO arts (title, body) VALUES (?1, ?2)", -1, &insert, nullptr);
        for (const Built& article : built) {
            sqlite3_bind_text16(insert, 1, article.title.data(), static_cast<int>(article.title.size() * 2),
                                SQLITE_STATIC);
            sqlite3_bind_blob(insert, 2, article.body.data(), static_cast<int>(article.body.size() * 2),
                              SQLITE_STATIC);
            sqlite3_step(insert);
            sqlite3_reset(insert);
        }
        sqlite3_finalize(insert);
        sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
        sqlite3_close(db);
    }
    perArticle(state, built.size());
}
BENCHMARK(BM_BaselinePlainTableInsert)->Unit(benchmark::kMillisecond)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
