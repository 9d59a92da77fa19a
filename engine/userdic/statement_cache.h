// statement_cache.h: prepared statements of one SQLite connection, kept for
// the connection's life.
//
// Each SQL text is prepared once (with the v3 interface, so that SQLite
// prepares it again by itself after the schema changed, as it does when the
// derived tables are dropped and created) and handed out as a lease that
// resets the statement and clears its bindings when it ends: a statement
// never stays active between two calls and never holds a lock.
#pragma once

#include <sqlite3.h>

#include <string>
#include <unordered_map>

namespace lexvane::engine::userdic {

// The engine status of an SQLite result code; records the connection's
// message as this thread's last error.
int sqliteStatus(int resultCode, sqlite3* connection);

class Statement {
public:
    Statement() = default;
    explicit Statement(sqlite3_stmt* statement) : m_statement(statement) {}
    Statement(Statement&& other) noexcept : m_statement(other.m_statement) { other.m_statement = nullptr; }
    Statement& operator=(Statement&&) = delete;
    Statement(const Statement&) = delete;
    ~Statement();

    sqlite3_stmt* get() const { return m_statement; }
    void take(sqlite3_stmt* statement);

private:
    sqlite3_stmt* m_statement = nullptr;
};

class StatementCache {
public:
    StatementCache() = default;
    StatementCache(const StatementCache&) = delete;
    StatementCache& operator=(const StatementCache&) = delete;
    ~StatementCache() { clear(); }

    void attach(sqlite3* connection) { m_connection = connection; }
    // Finalizes every statement; must run before the connection closes.
    void clear();

    // Hands the prepared statement for `sql` to `out`; the engine status.
    int lease(const char* sql, Statement& out);

private:
    sqlite3* m_connection = nullptr;
    std::unordered_map<std::string, sqlite3_stmt*> m_statements;
};

} // namespace lexvane::engine::userdic
