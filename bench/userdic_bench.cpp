// userdic_bench: the costs of a user dictionary of 100,000 articles.
//
// Builds the dictionary once in a temporary folder, then measures opening,
// adding, updating and deleting an article (each one transaction with the
// rebuild of the title order), the exact search of the operation table,
// firstIndexOf and the full-text search.
#include "lexvane_engine.h"

#include "frame/dictionary_record.h"
#include "userdic/ud_database.h"
#include "userdic/ud_handle.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <unistd.h>

using lexvane::engine::userdic::UdDatabase;
using lexvane::engine::userdic::userDictionaryOf;

namespace {

constexpr std::int32_t kArticles = 100000;

// A pronounceable six-letter title per number, spread over the alphabet.
std::u16string titleOf(std::int32_t n)
{
    std::uint32_t x = static_cast<std::uint32_t>(n) * 2654435761u;
    std::u16string title;
    for (int i = 0; i < 6; ++i) {
        title.push_back(static_cast<char16_t>(u'a' + x % 26));
        x /= 26;
    }
    title.push_back(u'-');
    title.push_back(static_cast<char16_t>(u'0' + n % 10));
    return title;
}

std::u16string bodyOf(const std::u16string& title, std::int32_t n)
{
    return u"#\"" + title + u"\"#01\"an article about " + title + u" with a few words\"#02\"example " +
           std::u16string(1, static_cast<char16_t>(u'a' + n % 26)) + u"\"";
}

class Dictionary {
public:
    static Dictionary& instance()
    {
        static Dictionary dictionary;
        return dictionary;
    }

    const std::string& path() const { return m_path; }
    DictionaryRecord* handle() const { return m_dic; }
    UdDatabase& database() const { return userDictionaryOf(m_dic)->database; }

private:
    Dictionary()
    {
        char pattern[] = "/tmp/userdic-bench-XXXXXX";
        m_folder = mkdtemp(pattern);
        m_path = m_folder + "/bench0000.udd";
        if (UdCreate(nullptr, m_path.c_str(), u"Bench", 0, 0, 0) != LV_OK)
            std::abort();
        UdDatabase database;
        database.open(nullptr, m_path, false);
        const int status = database.change(
            [&] {
                for (std::int32_t n = 0; n < kArticles; ++n) {
                    const std::u16string title = titleOf(n);
                    if (int s = database.insertArticle(title, bodyOf(title, n)); s != LV_OK)
                        return s;
                }
                return static_cast<int>(LV_OK);
            },
            nullptr);
        if (status != LV_OK || database.articleCount() != kArticles)
            std::abort();
        database.close();
        if (DicOpen(m_path.c_str(), -1, &m_dic, nullptr, 0, 0) != LV_OK)
            std::abort();
    }
    ~Dictionary()
    {
        DicClose(m_dic);
        std::error_code ignored;
        std::filesystem::remove_all(m_folder, ignored);
    }

    std::string m_folder;
    std::string m_path;
    DictionaryRecord* m_dic = nullptr;
};

void BM_Open(benchmark::State& state)
{
    const std::string& path = Dictionary::instance().path();
    for (auto _ : state) {
        DictionaryRecord* dic = nullptr;
        if (DicOpen(path.c_str(), -1, &dic, nullptr, 0, 0) != LV_OK)
            state.SkipWithError("open failed");
        std::int32_t count = 0;
        DicGetCount(dic, &count);
        benchmark::DoNotOptimize(count);
        DicClose(dic);
    }
}
BENCHMARK(BM_Open)->Unit(benchmark::kMillisecond);

void BM_ExactSearch(benchmark::State& state)
{
    DictionaryRecord* dic = Dictionary::instance().handle();
    std::int32_t n = 0;
    for (auto _ : state) {
        const std::u16string title = titleOf(n * 7919 % kArticles);
        if (dic->ops->findWord(*dic, title.c_str()) != LV_OK)
            state.SkipWithError("not found");
        benchmark::DoNotOptimize(dic->ops->currentIndex(*dic));
        ++n;
    }
}
BENCHMARK(BM_ExactSearch)->Unit(benchmark::kMicrosecond);

void BM_FirstIndexOf(benchmark::State& state)
{
    UdDatabase& database = Dictionary::instance().database();
    std::int32_t n = 0;
    for (auto _ : state) {
        const std::u16string prefix = titleOf(n * 104729 % kArticles).substr(0, 3);
        std::int32_t index = -1;
        database.firstIndexOf(prefix, index);
        if (index < 0)
            state.SkipWithError("not found");
        ++n;
    }
}
BENCHMARK(BM_FirstIndexOf)->Unit(benchmark::kMicrosecond);

// For comparison: the walk over every title with the prefix's first letter
// that firstIndexOf's seek replaces.
void BM_FirstIndexOfByScan(benchmark::State& state)
{
    UdDatabase& database = Dictionary::instance().database();
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(database.connection(), "SELECT ind, title FROM i2id WHERE firstchar=?1 ORDER BY ind", -1,
                       &statement, nullptr);
    std::int32_t n = 0;
    for (auto _ : state) {
        std::u16string prefix = titleOf(n * 104729 % kArticles).substr(0, 3);
        sqlite3_bind_int(statement, 1, database.helper().firstCharacterKey(prefix));
        std::int32_t index = -1;
        while (index < 0 && sqlite3_step(statement) == SQLITE_ROW) {
            const auto* title = static_cast<const char16_t*>(sqlite3_column_text16(statement, 1));
            if (database.helper().compareN(title, prefix.c_str(), 3) == 0)
                index = sqlite3_column_int(statement, 0) - 1;
        }
        sqlite3_reset(statement);
        if (index < 0)
            state.SkipWithError("not found");
        ++n;
    }
    sqlite3_finalize(statement);
}
BENCHMARK(BM_FirstIndexOfByScan)->Unit(benchmark::kMicrosecond);

void BM_FullTextSearch(benchmark::State& state)
{
    DictionaryRecord* dic = Dictionary::instance().handle();
    std::int32_t n = 0;
    for (auto _ : state) {
        const std::u16string title = titleOf(n * 7919 % kArticles);
        int hits = 0;
        UdSearch(
            dic, title.substr(0, 6).c_str(),
            [](std::int32_t, const std::uint32_t*, void* user, std::int32_t) {
                ++*static_cast<int*>(user);
                return 1;
            },
            &hits);
        benchmark::DoNotOptimize(hits);
        ++n;
    }
}
BENCHMARK(BM_FullTextSearch)->Unit(benchmark::kMicrosecond);

void BM_Add(benchmark::State& state)
{
    DictionaryRecord* dic = Dictionary::instance().handle();
    std::int32_t n = kArticles;
    for (auto _ : state) {
        const std::u16string title = titleOf(n);
        if (UdAdd(dic, title.c_str(), bodyOf(title, n).c_str(), nullptr, 0, 0) != LV_OK)
            state.SkipWithError("add failed");
        ++n;
    }
}
BENCHMARK(BM_Add)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_Update(benchmark::State& state)
{
    DictionaryRecord* dic = Dictionary::instance().handle();
    std::int32_t n = 2 * kArticles;
    for (auto _ : state) {
        const std::u16string title = titleOf(n);
        if (UdUpdate(dic, title.c_str(), bodyOf(title, n).c_str(), nullptr, 0, n % kArticles) != LV_OK)
            state.SkipWithError("update failed");
        ++n;
    }
}
BENCHMARK(BM_Update)->Unit(benchmark::kMillisecond)->Iterations(10);

void BM_Delete(benchmark::State& state)
{
    DictionaryRecord* dic = Dictionary::instance().handle();
    std::int32_t index = 12345;
    for (auto _ : state) {
        if (UdDelete(dic, index) != LV_OK)
            state.SkipWithError("delete failed");
        index += 1000;
    }
}
BENCHMARK(BM_Delete)->Unit(benchmark::kMillisecond)->Iterations(10);

} // namespace

BENCHMARK_MAIN();
