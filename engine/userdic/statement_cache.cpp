// statement_cache.cpp: preparing once, resetting after every use.
#include "userdic/statement_cache.h"

#include "lexvane_engine.h"
#include "userdic/last_error.h"

namespace lexvane::engine::userdic {

int sqliteStatus(int resultCode, sqlite3* connection)
{
    if (resultCode == SQLITE_OK || resultCode == SQLITE_ROW || resultCode == SQLITE_DONE)
        return LV_OK;
    setLastError(connection ? sqlite3_errmsg(connection) : sqlite3_errstr(resultCode));
    return LV_SQLITE_BASE + (resultCode & 0xFF);
}

Statement::~Statement()
{
    take(nullptr);
}

void Statement::take(sqlite3_stmt* statement)
{
    if (m_statement) {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
    m_statement = statement;
}

void StatementCache::clear()
{
    for (auto& entry : m_statements)
        sqlite3_finalize(entry.second);
    m_statements.clear();
}

int StatementCache::lease(const char* sql, Statement& out)
{
    if (!m_connection)
        return sqliteStatus(SQLITE_MISUSE, nullptr);
    auto found = m_statements.find(sql);
    if (found == m_statements.end()) {
        sqlite3_stmt* statement = nullptr;
        const int rc = sqlite3_prepare_v3(m_connection, sql, -1, SQLITE_PREPARE_PERSISTENT, &statement, nullptr);
        if (rc != SQLITE_OK) {
            sqlite3_finalize(statement);
            return sqliteStatus(rc, m_connection);
        }
        found = m_statements.emplace(sql, statement).first;
    }
    out.take(found->second);
    return LV_OK;
}

} // namespace lexvane::engine::userdic
