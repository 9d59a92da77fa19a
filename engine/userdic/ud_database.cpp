// ud_database.cpp: creating, opening, reading and changing a user
// dictionary file.
#include "userdic/ud_database.h"

#include "common/byte_order.h"
#include "userdic/fulltext_index.h"
#include "userdic/title_collation.h"

#include <array>
#include <cstdio>
#include <filesystem>

namespace lexvane::engine::userdic {

namespace {

constexpr const char* kCreatePragmas[] = {
    "PRAGMA legacy_file_format=OFF",
    "PRAGMA page_size = 32768",
    "PRAGMA default_cache_size = 128",
    "PRAGMA encoding = \"UTF-16le\"",
};

constexpr const char* kCreateTables[] = {
    "CREATE TABLE arts ( id INTEGER PRIMARY KEY, title TEXT NOT NULL COLLATE VXNSORT, body TEXT NOT NULL, "
    "firstchar INTEGER, twins INTEGER DEFAULT 0)",
    "CREATE INDEX sort_title ON arts ( title )",
    "CREATE TABLE properties (name TEXT PRIMARY KEY NOT NULL, value TEXT NOT NULL)",
    "CREATE TABLE fullsearch (hash INTEGER NOT NULL, id INTEGER, positions BLOB NOT NULL)",
    "CREATE INDEX sort_full ON fullsearch ( hash )",
    "CREATE TABLE styles (number INTEGER UNIQUE NOT NULL , color INTEGER NOT NULL, language INTEGER NOT NULL, "
    "bold  INTEGER NOT NULL, italic INTEGER NOT NULL, underline INTEGER NOT NULL, fontsize INTEGER NOT NULL, "
    "level INTEGER NOT NULL)",
    "CREATE TABLE i2id (ind INTEGER PRIMARY KEY NOT NULL, id INTEGER NOT NULL, title TEXT NOT NULL COLLATE VXNSORT, "
    "firstchar INTEGER)",
    "CREATE TABLE qa (qaind INTEGER PRIMARY KEY NOT NULL, ind INTEGER NOT NULL, id INTEGER NOT NULL)",
};

constexpr const char* kRebuild[] = {
    "DROP TABLE IF EXISTS i2id",
    "CREATE TABLE i2id (ind INTEGER PRIMARY KEY AUTOINCREMENT NOT NULL, id INTEGER NOT NULL, title TEXT NOT NULL "
    "COLLATE VXNSORT, firstchar INTEGER, twins INTEGER)",
    "DROP TABLE IF EXISTS qa",
    "CREATE TABLE qa (qaind INTEGER PRIMARY KEY NOT NULL, ind INTEGER NOT NULL, id INTEGER NOT NULL)",
    "INSERT INTO i2id ( id, title, firstchar, twins) SELECT id, title, firstchar, twins FROM arts ORDER BY title",
    "CREATE INDEX sort_id ON i2id ( id )",
    "CREATE INDEX sort_id_0 ON i2id ( firstchar, ind )",
};

constexpr const char* kQuickAccessFill =
    "INSERT INTO qa ( ind, id) SELECT ind, id FROM i2id WHERE ind%?1=0 AND twins=1 ORDER BY ind";
constexpr const char* kArticleCount = "SELECT MAX(ind) FROM i2id";
constexpr const char* kReadByIndex = "SELECT arts.*  FROM i2id INNER JOIN arts ON i2id.id=arts.id WHERE i2id.ind=?1";

// The article count is divided into this many quick-access steps at most.
constexpr std::int32_t kQuickAccessDivisor = 32001;

std::vector<std::uint8_t> littleEndianBytes(std::u16string_view text)
{
    std::vector<std::uint8_t> out(text.size() * 2 + 2, 0);
    for (std::size_t i = 0; i < text.size(); ++i)
        bytes::writeLittleEndian16(out.data() + 2 * i, text[i]);
    return out;
}

// The text of a little-endian 16-bit blob, up to its first terminator.
std::u16string fromLittleEndian(const void* data, int size, std::size_t limit)
{
    std::u16string out;
    if (!data || size <= 0)
        return out;
    const auto* p = static_cast<const std::uint8_t*>(data);
    const std::size_t units = static_cast<std::size_t>(size) / 2;
    for (std::size_t i = 0; i < units && out.size() < limit; ++i) {
        const char16_t c = static_cast<char16_t>(bytes::readLittleEndian16(p + 2 * i));
        if (c == 0)
            break;
        out.push_back(c);
    }
    return out;
}

int bindTitle(sqlite3_stmt* statement, int parameter, const std::u16string& title, bool withTerminator)
{
    const int bytes = static_cast<int>((title.size() + (withTerminator ? 1 : 0)) * sizeof(char16_t));
    return sqlite3_bind_text16(statement, parameter, title.c_str(), bytes, SQLITE_TRANSIENT);
}

void removeDatabaseFiles(const std::string& path)
{
    std::error_code ignored;
    const std::filesystem::path file(reinterpret_cast<const char8_t*>(path.c_str()));
    // Only a file is replaced: a folder given by mistake stays as it is.
    if (std::filesystem::is_directory(file, ignored))
        return;
    std::filesystem::remove(file, ignored);
    // A journal left beside a file we replace would be played back into the
    // new file as if it belonged to it.
    for (const char* suffix : {"-journal", "-wal", "-shm"}) {
        std::filesystem::path companion = file;
        companion += suffix;
        std::filesystem::remove(companion, ignored);
    }
}

} // namespace

UdDatabase::UdDatabase() : m_quickAccessCache(kCachedQuickAccessPoints + 1, 0) {}

UdDatabase::~UdDatabase()
{
    close();
}

void UdDatabase::forgetCaches()
{
    m_articleCount = -1;
    m_quickAccessCount = -1;
    std::fill(m_quickAccessCache.begin(), m_quickAccessCache.end(), 0);
}

bool UdDatabase::inTransaction() const
{
    return m_connection && sqlite3_get_autocommit(m_connection) == 0;
}

int UdDatabase::open(const UDHelper* helper, const std::string& path, bool create)
{
    close();
    m_helper.reset(helper);
    if (create)
        removeDatabaseFiles(path);
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    sqlite3* connection = nullptr;
    int rc = sqlite3_open_v2(path.c_str(), &connection, flags, nullptr);
    if (rc == SQLITE_OK)
        rc = sqlite3_create_collation_v2(connection, kCollationName, SQLITE_UTF16LE, &m_helper, compareKeys, nullptr);
    if (rc != SQLITE_OK) {
        const int status = sqliteStatus(rc, connection);
        sqlite3_close(connection);
        return status;
    }
    // The import thread may hold the file for a moment.
    sqlite3_busy_timeout(connection, 5000);
    m_connection = connection;
    m_statements.attach(connection);
    return LV_OK;
}

void UdDatabase::close()
{
    m_statements.clear();
    m_statements.attach(nullptr);
    if (m_connection)
        sqlite3_close(m_connection);
    m_connection = nullptr;
    forgetCaches();
}

int UdDatabase::create(const UDHelper* helper, const std::string& path, const char16_t* name, std::int32_t language,
                       std::int32_t pairLanguage)
{
    int status = open(helper, path, true);
    for (const char* pragma : kCreatePragmas)
        if (status == LV_OK)
            status = execute(pragma);
    if (status == LV_OK) {
        status = transaction([&] {
            int result = LV_OK;
            for (const char* table : kCreateTables)
                if (result == LV_OK)
                    result = execute(table);
            if (result == LV_OK && name) {
                result = setProperty("DictName", name);
                if (result == LV_OK)
                    result = setIntProperty("LangID", language);
                if (result == LV_OK)
                    result = setIntProperty("LangPairID", pairLanguage);
            }
            return result;
        });
    }
    if (status != LV_OK) {
        close();
        removeDatabaseFiles(path);
    }
    return status;
}

int UdDatabase::prepare(const char* sql, Statement& statement)
{
    return m_statements.lease(sql, statement);
}

int UdDatabase::execute(const char* sql)
{
    Statement statement;
    int status = prepare(sql, statement);
    if (status != LV_OK)
        return status;
    int rc = SQLITE_ROW;
    while (rc == SQLITE_ROW)
        rc = sqlite3_step(statement.get());
    return sqliteStatus(rc, m_connection);
}

int UdDatabase::articleCount(std::int32_t& count)
{
    if (m_articleCount < 0) {
        Statement statement;
        int status = prepare(kArticleCount, statement);
        if (status != LV_OK)
            return status;
        const int rc = sqlite3_step(statement.get());
        if (rc != SQLITE_ROW && rc != SQLITE_DONE)
            return sqliteStatus(rc, m_connection);
        m_articleCount = rc == SQLITE_ROW ? sqlite3_column_int(statement.get(), 0) : 0;
    }
    count = m_articleCount;
    return LV_OK;
}

std::int32_t UdDatabase::articleCount()
{
    std::int32_t count = 0;
    return articleCount(count) == LV_OK ? count : 0;
}

std::int32_t UdDatabase::quickAccessCount()
{
    if (m_quickAccessCount < 0) {
        Statement statement;
        if (prepare("SELECT MAX(qaind) FROM qa", statement) != LV_OK)
            return 1;
        const int rc = sqlite3_step(statement.get());
        if (rc != SQLITE_ROW && rc != SQLITE_DONE) {
            sqliteStatus(rc, m_connection);
            return 1;
        }
        m_quickAccessCount = (rc == SQLITE_ROW ? sqlite3_column_int(statement.get(), 0) : 0) + 1;
    }
    return m_quickAccessCount;
}

int UdDatabase::quickAccessPoint(std::int32_t point, std::int32_t& index)
{
    index = -1;
    if (point == 0) {
        index = 0;
        return LV_OK;
    }
    if (point < 0)
        return LV_OK;
    const bool cacheable = point <= kCachedQuickAccessPoints;
    if (cacheable && m_quickAccessCache[static_cast<std::size_t>(point)] != 0) {
        index = m_quickAccessCache[static_cast<std::size_t>(point)] - 1;
        return LV_OK;
    }
    Statement statement;
    if (prepare("SELECT ind FROM qa WHERE qaind=?1", statement) != LV_OK)
        return LV_OUT_OF_RANGE;
    sqlite3_bind_int(statement.get(), 1, point);
    const int rc = sqlite3_step(statement.get());
    if (rc == SQLITE_DONE)
        return LV_OK;
    if (rc != SQLITE_ROW) {
        sqliteStatus(rc, m_connection);
        return LV_OUT_OF_RANGE;
    }
    const std::int32_t ind = sqlite3_column_int(statement.get(), 0);
    if (cacheable)
        m_quickAccessCache[static_cast<std::size_t>(point)] = ind;
    index = ind - 1;
    return LV_OK;
}

int UdDatabase::readText(sqlite3_stmt* statement, int column, std::u16string& text)
{
    if (sqlite3_column_type(statement, column) == SQLITE_TEXT) {
        // Titles are text in the file's own encoding, UTF-16LE.
        const void* data = sqlite3_column_text16(statement, column);
        const int size = sqlite3_column_bytes16(statement, column);
        text.assign(static_cast<const char16_t*>(data), static_cast<std::size_t>(size) / 2);
        const std::size_t end = text.find(u'\0');
        if (end != std::u16string::npos)
            text.resize(end);
        if (text.size() > kMaxTextLength)
            text.resize(kMaxTextLength);
        return LV_OK;
    }
    const void* data = sqlite3_column_blob(statement, column);
    text = fromLittleEndian(data, sqlite3_column_bytes(statement, column), kMaxTextLength);
    return LV_OK;
}

int UdDatabase::readByIndex(std::int32_t index, Column column, std::u16string& text)
{
    text.clear();
    std::int32_t count = 0;
    int status = articleCount(count);
    if (status != LV_OK)
        return status;
    if (index < 0 || index >= count)
        return kNoSuchArticle;
    return readArticleColumn(kReadByIndex, index + 1, column, text);
}

std::int32_t UdDatabase::idOfIndex(std::int32_t index)
{
    Statement statement;
    if (prepare("SELECT id FROM i2id WHERE ind=?1", statement) != LV_OK)
        return 0;
    sqlite3_bind_int(statement.get(), 1, index + 1);
    return sqlite3_step(statement.get()) == SQLITE_ROW ? sqlite3_column_int(statement.get(), 0) : 0;
}

int UdDatabase::readById(std::int32_t id, Column column, std::u16string& text)
{
    text.clear();
    return readArticleColumn("SELECT * FROM arts WHERE id=?1", id, column, text);
}

// Both queries answer the columns of `arts`: id, title, body, ...
int UdDatabase::readArticleColumn(const char* sql, std::int32_t key, Column column, std::u16string& text)
{
    Statement statement;
    const int status = prepare(sql, statement);
    if (status != LV_OK)
        return status;
    sqlite3_bind_int(statement.get(), 1, key);
    const int rc = sqlite3_step(statement.get());
    if (rc == SQLITE_DONE)
        return kNoSuchArticle;
    if (rc != SQLITE_ROW)
        return sqliteStatus(rc, m_connection);
    return readText(statement.get(), static_cast<int>(column), text);
}

std::int32_t UdDatabase::idOfTitle(std::u16string_view title)
{
    Statement statement;
    if (prepare("SELECT id FROM arts WHERE arts.title=?1", statement) != LV_OK)
        return 0;
    bindTitle(statement.get(), 1, std::u16string(title), false);
    return sqlite3_step(statement.get()) == SQLITE_ROW ? sqlite3_column_int(statement.get(), 0) : 0;
}

int UdDatabase::lowerBound(std::u16string_view word, std::int32_t& index)
{
    std::int32_t count = 0;
    int status = articleCount(count);
    if (status != LV_OK)
        return status;
    index = count;
    Statement statement;
    status = prepare("SELECT i2id.ind FROM arts INNER JOIN i2id ON i2id.id=arts.id WHERE arts.title>=?1 "
                     "ORDER BY arts.title LIMIT 1",
                     statement);
    if (status != LV_OK)
        return status;
    bindTitle(statement.get(), 1, std::u16string(word), false);
    const int rc = sqlite3_step(statement.get());
    if (rc == SQLITE_ROW)
        index = sqlite3_column_int(statement.get(), 0) - 1;
    else if (rc != SQLITE_DONE)
        return sqliteStatus(rc, m_connection);
    return LV_OK;
}

// Seeks through the title index instead of walking every title with the
// same first letter (docs/behaviour/user-dictionary.md): the first title not
// below the prefix, then back over titles that sort before the prefix but
// still begin with it under compareN (a helper may break ties by case).
int UdDatabase::firstIndexOf(std::u16string_view prefix, std::int32_t& index)
{
    index = -1;
    const std::size_t end = prefix.find(u'\0');
    if (end != std::u16string_view::npos)
        prefix = prefix.substr(0, end);
    if (prefix.empty())
        return LV_OK;
    const std::u16string key(prefix.substr(0, kMaxTitleLength));
    const std::int32_t firstCharacter = m_helper.firstCharacterKey(key);
    const auto length = static_cast<std::int32_t>(key.size());

    std::int32_t count = 0;
    int status = articleCount(count);
    if (status != LV_OK)
        return status;
    std::int32_t candidate = count;
    if ((status = lowerBound(key, candidate)) != LV_OK)
        return status;

    std::u16string title;
    auto matches = [&](std::int32_t at, bool& result) -> int {
        result = false;
        const int readStatus = readByIndex(at, Column::Title, title);
        if (readStatus != LV_OK)
            return readStatus;
        result = m_helper.firstCharacterKey(title) == firstCharacter &&
                 m_helper.compareN(title.c_str(), key.c_str(), length) == 0;
        return LV_OK;
    };
    bool match = false;
    std::int32_t at = candidate - 1;
    while (at >= 0) {
        if ((status = matches(at, match)) != LV_OK)
            return status;
        if (!match)
            break;
        index = at--;
    }
    if (index >= 0)
        return LV_OK;
    if (candidate < count) {
        if ((status = matches(candidate, match)) != LV_OK)
            return status;
        if (match)
            index = candidate;
    }
    return LV_OK;
}

int UdDatabase::insertArticle(std::u16string_view title, std::u16string_view body)
{
    if (title.size() > kMaxTitleLength || body.size() > kMaxTextLength)
        return LV_BAD_ARGUMENT;
    Statement statement;
    int status = prepare("SELECT MAX(id) from arts;", statement);
    if (status != LV_OK)
        return status;
    int rc = sqlite3_step(statement.get());
    if (rc != SQLITE_ROW && rc != SQLITE_DONE)
        return sqliteStatus(rc, m_connection);
    const std::int64_t largest = rc == SQLITE_ROW ? sqlite3_column_int64(statement.get(), 0) : 0;
    if (largest >= kLastArticleId)
        return sqliteStatus(SQLITE_FULL, nullptr);
    const auto id = static_cast<std::int32_t>(largest + 1);

    const std::u16string ownTitle(title);
    const std::vector<std::uint8_t> bodyBytes = littleEndianBytes(body);
    status = prepare("INSERT INTO arts (title, body, id, firstchar) VALUES(?1, ?2, ?3, ?4) ", statement);
    if (status != LV_OK)
        return status;
    bindTitle(statement.get(), 1, ownTitle, true);
    sqlite3_bind_blob(statement.get(), 2, bodyBytes.data(), static_cast<int>(bodyBytes.size()), SQLITE_STATIC);
    sqlite3_bind_int(statement.get(), 3, id);
    sqlite3_bind_int(statement.get(), 4, m_helper.firstCharacterKey(ownTitle));
    rc = sqlite3_step(statement.get());
    if (rc != SQLITE_DONE)
        return sqliteStatus(rc, m_connection);

    status = prepare("UPDATE arts SET twins=(SELECT COUNT(*) FROM arts WHERE title=?1) WHERE title=?2", statement);
    if (status != LV_OK)
        return status;
    bindTitle(statement.get(), 1, ownTitle, true);
    bindTitle(statement.get(), 2, ownTitle, true);
    rc = sqlite3_step(statement.get());
    if (rc != SQLITE_DONE)
        return sqliteStatus(rc, m_connection);

    const auto words = indexBody(body, m_helper);
    if (words.empty())
        return LV_OK;
    status = prepare("INSERT INTO fullsearch (hash, id, positions) VALUES (?1, ?2, ?3)", statement);
    if (status != LV_OK)
        return status;
    sqlite3_bind_int(statement.get(), 2, id);
    std::vector<std::uint8_t> blob;
    for (const auto& [hash, ordinals] : words) {
        blob.assign(ordinals.size() * 4, 0);
        for (std::size_t i = 0; i < ordinals.size(); ++i)
            bytes::writeLittleEndian32(blob.data() + 4 * i, ordinals[i]);
        sqlite3_bind_int(statement.get(), 1, hash);
        sqlite3_bind_blob(statement.get(), 3, blob.data(), static_cast<int>(blob.size()), SQLITE_TRANSIENT);
        rc = sqlite3_step(statement.get());
        if (rc != SQLITE_DONE)
            return sqliteStatus(rc, m_connection);
        sqlite3_reset(statement.get());
    }
    return LV_OK;
}

int UdDatabase::deleteArticle(std::int32_t index)
{
    const std::int32_t id = idOfIndex(index);
    if (id == 0)
        return kNoSuchArticle;
    return deleteArticleById(id);
}

int UdDatabase::deleteArticleById(std::int32_t id)
{
    std::u16string title;
    int status = readById(id, Column::Title, title);
    if (status != LV_OK)
        return status;
    Statement statement;
    for (const char* sql : {"DELETE FROM arts WHERE id=?1", "DELETE FROM fullsearch WHERE id=?1"}) {
        if ((status = prepare(sql, statement)) != LV_OK)
            return status;
        sqlite3_bind_int(statement.get(), 1, id);
        const int rc = sqlite3_step(statement.get());
        if (rc != SQLITE_DONE)
            return sqliteStatus(rc, m_connection);
    }
    // The articles left with that title are one twin fewer.
    if ((status = prepare("UPDATE arts SET twins=(SELECT COUNT(*) FROM arts WHERE title=?1) WHERE title=?2",
                          statement)) != LV_OK)
        return status;
    bindTitle(statement.get(), 1, title, true);
    bindTitle(statement.get(), 2, title, true);
    return sqliteStatus(sqlite3_step(statement.get()), m_connection);
}

int UdDatabase::rebuildOrder()
{
    forgetCaches();
    int status = LV_OK;
    for (const char* sql : kRebuild)
        if ((status = execute(sql)) != LV_OK)
            return status;
    std::int32_t count = 0;
    if ((status = articleCount(count)) != LV_OK)
        return status;
    Statement statement;
    if ((status = prepare(kQuickAccessFill, statement)) != LV_OK)
        return status;
    sqlite3_bind_int(statement.get(), 1, count / kQuickAccessDivisor + 1);
    return sqliteStatus(sqlite3_step(statement.get()), m_connection);
}

// Inside a caller's transaction the work is a savepoint of it, so that a
// failure still takes back exactly this work.
int UdDatabase::transaction(const std::function<int()>& work)
{
    if (!m_connection)
        return sqliteStatus(SQLITE_MISUSE, nullptr);
    const bool nested = inTransaction();
    int status = execute(nested ? "SAVEPOINT udchange" : "BEGIN");
    if (status != LV_OK)
        return status;
    status = work();
    if (status == LV_OK)
        status = execute(nested ? "RELEASE udchange" : "COMMIT");
    if (status != LV_OK) {
        if (nested) {
            execute("ROLLBACK TO udchange");
            execute("RELEASE udchange");
        } else if (inTransaction()) {
            execute("ROLLBACK");
        }
    }
    return status;
}

int UdDatabase::change(const std::function<int()>& step, const StyleList* styles)
{
    const int status = transaction([&] {
        int result = step();
        if (result == LV_OK)
            result = rebuildOrder();
        if (result == LV_OK && styles)
            result = writeStyles(*styles);
        return result;
    });
    // A rollback may have taken back the derived tables the caches describe.
    if (status != LV_OK)
        forgetCaches();
    return status;
}

int UdDatabase::addArticle(std::u16string_view title, std::u16string_view body, const StyleList* styles)
{
    return change([&] { return insertArticle(title, body); }, styles);
}

int UdDatabase::replaceArticle(std::int32_t index, std::u16string_view title, std::u16string_view body,
                               const StyleList* styles)
{
    return change(
        [&] {
            const int status = deleteArticle(index);
            return status != LV_OK ? status : insertArticle(title, body);
        },
        styles);
}

int UdDatabase::removeArticle(std::int32_t index)
{
    return change([&] { return deleteArticle(index); }, nullptr);
}

int UdDatabase::writeStyles(const StyleList& styles)
{
    if (!styles.storable())
        return LV_BAD_ARGUMENT;
    int status = execute("DELETE FROM styles");
    if (status != LV_OK)
        return status;
    Statement statement;
    if ((status = prepare("INSERT INTO styles (number,color,language,bold,italic,underline,fontsize,level) "
                          "VALUES(?1, ?2, ?3, ?4, ?5, ?6, ?7, ?8)",
                          statement)) != LV_OK)
        return status;
    for (const StyleRecord& record : styles.records()) {
        sqlite3_stmt* s = statement.get();
        sqlite3_bind_int(s, 1, record.number);
        sqlite3_bind_int(s, 2, static_cast<std::int32_t>(record.color));
        sqlite3_bind_int(s, 3, record.language);
        sqlite3_bind_int(s, 4, record.bold);
        sqlite3_bind_int(s, 5, record.italic);
        sqlite3_bind_int(s, 6, record.underline);
        sqlite3_bind_int(s, 7, record.fontSize);
        sqlite3_bind_int(s, 8, record.level);
        const int rc = sqlite3_step(s);
        if (rc != SQLITE_DONE)
            return sqliteStatus(rc, m_connection);
        sqlite3_reset(s);
    }
    return LV_OK;
}

int UdDatabase::replaceStyles(const StyleList& styles)
{
    if (!styles.storable())
        return LV_BAD_ARGUMENT;
    return transaction([&] { return writeStyles(styles); });
}

int UdDatabase::readStyles(StyleList& styles)
{
    styles.clear();
    Statement statement;
    int status = prepare("SELECT number,color,language,bold,italic,underline,fontsize,level FROM styles", statement);
    if (status != LV_OK)
        return status;
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
        sqlite3_stmt* s = statement.get();
        StyleRecord record{};
        record.number = sqlite3_column_int(s, 0);
        record.color = static_cast<std::uint32_t>(sqlite3_column_int(s, 1));
        record.language = static_cast<std::int8_t>(sqlite3_column_int(s, 2));
        record.bold = static_cast<std::int8_t>(sqlite3_column_int(s, 3));
        record.italic = static_cast<std::int8_t>(sqlite3_column_int(s, 4));
        record.underline = static_cast<std::int8_t>(sqlite3_column_int(s, 5));
        record.fontSize = static_cast<std::int8_t>(sqlite3_column_int(s, 6));
        record.level = static_cast<std::int8_t>(sqlite3_column_int(s, 7));
        styles.add(record);
    }
    return sqliteStatus(rc, m_connection);
}

int UdDatabase::getProperty(const char* name, std::u16string& value)
{
    value.clear();
    if (!name)
        return LV_NULL_ARGUMENT;
    Statement statement;
    int status = prepare("SELECT value FROM properties WHERE name=?1", statement);
    if (status != LV_OK)
        return status;
    sqlite3_bind_text(statement.get(), 1, name, -1, SQLITE_TRANSIENT);
    const int rc = sqlite3_step(statement.get());
    if (rc == SQLITE_DONE)
        return LV_NOT_PRESENT;
    if (rc != SQLITE_ROW)
        return sqliteStatus(rc, m_connection);
    return readText(statement.get(), 0, value);
}

int UdDatabase::setProperty(const char* name, std::u16string_view value)
{
    if (!name)
        return LV_NULL_ARGUMENT;
    const std::vector<std::uint8_t> valueBytes = littleEndianBytes(value);
    return transaction([&] {
        Statement statement;
        int status = prepare("DELETE FROM properties WHERE name=?1", statement);
        if (status != LV_OK)
            return status;
        sqlite3_bind_text(statement.get(), 1, name, -1, SQLITE_TRANSIENT);
        if ((status = sqliteStatus(sqlite3_step(statement.get()), m_connection)) != LV_OK)
            return status;
        if ((status = prepare("INSERT INTO properties (name, value) VALUES(?1, ?2)", statement)) != LV_OK)
            return status;
        sqlite3_bind_text(statement.get(), 1, name, -1, SQLITE_TRANSIENT);
        sqlite3_bind_blob(statement.get(), 2, valueBytes.data(), static_cast<int>(valueBytes.size()), SQLITE_STATIC);
        return sqliteStatus(sqlite3_step(statement.get()), m_connection);
    });
}

int UdDatabase::setIntProperty(const char* name, std::int32_t value)
{
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    std::u16string wide;
    for (const char* p = text; *p; ++p)
        wide.push_back(static_cast<char16_t>(*p));
    return setProperty(name, wide);
}

std::int32_t UdDatabase::getIntProperty(const char* name)
{
    std::u16string text;
    if (getProperty(name, text) != LV_OK)
        return 0;
    text.resize(std::min<std::size_t>(text.size(), 32));
    std::size_t i = 0;
    const bool negative = !text.empty() && text[0] == u'-';
    if (negative)
        ++i;
    std::int64_t value = 0;
    for (; i < text.size() && text[i] >= u'0' && text[i] <= u'9'; ++i) {
        value = value * 10 + (text[i] - u'0');
        if (value > 0xFFFFFFFFLL)
            break;
    }
    return static_cast<std::int32_t>(static_cast<std::uint32_t>(negative ? -value : value));
}

int UdDatabase::forEachTitle(const std::function<int(std::int32_t index, std::u16string_view title)>& visit)
{
    std::int32_t count = 0;
    int status = articleCount(count);
    if (status != LV_OK || count == 0)
        return status;
    Statement statement;
    if ((status = prepare("SELECT title FROM i2id ORDER BY ind", statement)) != LV_OK)
        return status;
    std::u16string title;
    std::int32_t index = 0;
    int rc = SQLITE_OK;
    while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
        readText(statement.get(), 0, title);
        if ((status = visit(index++, title)) != LV_OK)
            return status;
    }
    return sqliteStatus(rc, m_connection);
}

int UdDatabase::search(const char16_t* word, UdSearchCallback callback, void* user)
{
    if (!word || !callback)
        return LV_NULL_ARGUMENT;
    std::u16string key;
    for (const char16_t* p = word; *p && key.size() < kWordBuffer; ++p)
        key.push_back(*p);
    m_helper.upper(key);
    key.resize(std::char_traits<char16_t>::length(key.c_str()));

    // Rows are gathered before the first callback, so that a callback may
    // read or change the dictionary without meeting a running statement.
    struct Hit {
        std::int32_t index;
        std::vector<std::uint32_t> positions;
    };
    std::vector<Hit> hits;
    {
        Statement statement;
        int status = prepare("SELECT fullsearch.positions, i2id.ind FROM fullsearch INNER JOIN i2id ON "
                             "i2id.id=fullsearch.id WHERE hash=?1",
                             statement);
        if (status != LV_OK)
            return status;
        sqlite3_bind_int(statement.get(), 1, wordHash(key));
        int rc = SQLITE_OK;
        while ((rc = sqlite3_step(statement.get())) == SQLITE_ROW) {
            Hit hit{sqlite3_column_int(statement.get(), 1) - 1, {}};
            const auto* data = static_cast<const std::uint8_t*>(sqlite3_column_blob(statement.get(), 0));
            const int size = sqlite3_column_bytes(statement.get(), 0);
            for (int at = 0; data && at + 4 <= size; at += 4)
                hit.positions.push_back(bytes::readLittleEndian32(data + at));
            hits.push_back(std::move(hit));
        }
        if (rc != SQLITE_DONE)
            return sqliteStatus(rc, m_connection);
    }
    for (const Hit& hit : hits)
        if (callback(hit.index, hit.positions.data(), user, static_cast<std::int32_t>(hit.positions.size())) == 0)
            break;
    return LV_OK;
}

} // namespace lexvane::engine::userdic
