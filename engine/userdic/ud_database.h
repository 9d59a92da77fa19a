// ud_database.h: the SQLite database behind one user dictionary.
//
// The file layout is in docs/formats/user-dictionary.md. `arts` holds the
// articles; `i2id` and `qa` are derived from it and give every article its
// word index in title order. Invariants:
// - every change of `arts` and `fullsearch` runs inside one transaction
//   together with the rebuild of the derived tables, so that the file holds
//   either the state before or the state after the change;
// - the collation "VXNSORT" is registered before the first statement, and
//   each SQL text is prepared once for the life of the connection;
// - the cached counts and quick-access points are forgotten whenever the
//   derived tables may have changed (rebuild, rollback, open, close).
#pragma once

#include "lexvane_engine.h"
#include "userdic/helper_calls.h"
#include "userdic/statement_cache.h"
#include "userdic/style_list.h"

#include <sqlite3.h>

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::engine::userdic {

class UdDatabase {
public:
    // An index beyond the article count, or an article that is not there.
    static constexpr int kNoSuchArticle = 10003;
    static constexpr std::size_t kMaxTitleLength = 256;
    static constexpr std::size_t kMaxTextLength = 0x100000;
    static constexpr std::int32_t kCachedQuickAccessPoints = 31999;
    // The id after which no article is inserted any more.
    static constexpr std::int32_t kLastArticleId = 0x7FFFFFF0;

    enum class Column { Title = 1, Body = 2 };

    UdDatabase();
    ~UdDatabase();
    UdDatabase(const UdDatabase&) = delete;
    UdDatabase& operator=(const UdDatabase&) = delete;

    // Opens `path` (UTF-8) read-write; with `create` the file (and any
    // journal beside it) is deleted first and created anew. A null helper
    // stands for the default helper.
    int open(const UDHelper* helper, const std::string& path, bool create);
    void close();
    bool isOpen() const { return m_connection != nullptr; }

    // Creates a new, empty dictionary file; a failure deletes it again.
    // Without a name no property is written.
    int create(const UDHelper* helper, const std::string& path, const char16_t* name, std::int32_t language,
               std::int32_t pairLanguage);

    // One statement without parameters.
    int execute(const char* sql);

    // Counts and quick access, cached between two rebuilds.
    int articleCount(std::int32_t& count);
    std::int32_t articleCount(); // 0 when it cannot be read
    std::int32_t quickAccessCount();
    // Word index of quick-access point k (-1 when there is none); status
    // LV_OUT_OF_RANGE when the table cannot be read.
    int quickAccessPoint(std::int32_t point, std::int32_t& index);

    // Reads.
    int readByIndex(std::int32_t index, Column column, std::u16string& text);
    std::int32_t idOfIndex(std::int32_t index);
    int readById(std::int32_t id, Column column, std::u16string& text);
    std::int32_t idOfTitle(std::u16string_view title);
    // First word index whose title does not sort before `word` (the article
    // count when every title does).
    int lowerBound(std::u16string_view word, std::int32_t& index);
    // First word index whose title begins with `prefix` in the helper's
    // compareN; -1 when none does.
    int firstIndexOf(std::u16string_view prefix, std::int32_t& index);

    // Changes, each one transaction. `styles`, when given, replaces the
    // style table in the same transaction.
    int addArticle(std::u16string_view title, std::u16string_view body, const StyleList* styles = nullptr);
    int replaceArticle(std::int32_t index, std::u16string_view title, std::u16string_view body,
                       const StyleList* styles = nullptr);
    int removeArticle(std::int32_t index);
    int replaceStyles(const StyleList& styles);

    // The steps of those changes, for callers that run their own
    // transaction (import). Each leaves the derived tables stale until
    // rebuildOrder.
    int insertArticle(std::u16string_view title, std::u16string_view body);
    int deleteArticle(std::int32_t index);
    int deleteArticleById(std::int32_t id);
    int rebuildOrder();
    int writeStyles(const StyleList& styles);

    // Runs `step`, rebuildOrder and, when given, writeStyles as one
    // transaction: all of it is committed, or none of it.
    int change(const std::function<int()>& step, const StyleList* styles);

    // Properties (8-bit name, 16-bit value).
    int getProperty(const char* name, std::u16string& value);
    int setProperty(const char* name, std::u16string_view value);
    int setIntProperty(const char* name, std::int32_t value);
    std::int32_t getIntProperty(const char* name); // 0 when absent

    int readStyles(StyleList& styles);

    // Calls `visit` with every title in word order; a non-zero answer stops
    // the walk and is returned.
    int forEachTitle(const std::function<int(std::int32_t index, std::u16string_view title)>& visit);

    // Full-text search; see UdSearch.
    int search(const char16_t* word, UdSearchCallback callback, void* user);

    const HelperCalls& helper() const { return m_helper; }
    sqlite3* connection() const { return m_connection; }

private:
    int prepare(const char* sql, Statement& statement);
    int readText(sqlite3_stmt* statement, int column, std::u16string& text);
    int readArticleColumn(const char* sql, std::int32_t key, Column column, std::u16string& text);
    // Runs `work` as one transaction (a savepoint inside a caller's).
    int transaction(const std::function<int()>& work);
    void forgetCaches();
    bool inTransaction() const;

    sqlite3* m_connection = nullptr;
    HelperCalls m_helper;
    StatementCache m_statements;
    std::int32_t m_articleCount = -1;
    std::int32_t m_quickAccessCount = -1;
    std::vector<std::int32_t> m_quickAccessCache; // point k -> ind; 0 = not cached
};

} // namespace lexvane::engine::userdic
