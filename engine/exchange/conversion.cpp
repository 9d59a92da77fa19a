// conversion.cpp: the export and import drivers.
#include "exchange/conversion.h"

#include "exchange/body_merge.h"
#include "exchange/text_file.h"
#include "exchange/text_file_writer.h"

namespace lexvane::engine::exchange {

using userdic::UdDatabase;

namespace {

// An index of the full-text rows by article id, made for merges inside the
// import's transaction and dropped before COMMIT: the file keeps exactly
// the indexes it was created with.
constexpr const char* kCreateByIdIndex = "CREATE INDEX IF NOT EXISTS lexvane_import_by_id ON fullsearch ( id )";
constexpr const char* kDropByIdIndex = "DROP INDEX IF EXISTS lexvane_import_by_id";

// The full-text index by hash takes its rows in random order; built once
// from all rows before COMMIT it costs a fraction of keeping it up to date
// row by row. It is made again with the very statement that created it.
constexpr const char* kDropHashIndex = "DROP INDEX IF EXISTS sort_full";
constexpr const char* kCreateHashIndex = "CREATE INDEX sort_full ON fullsearch ( hash )";

} // namespace

int exportText(UdDatabase& database, UDImportContext& context, const std::string& path,
               ConversionProgress& progress)
{
    TextFileWriter writer;
    if (!writer.create(path))
        return UD_CANNOT_WRITE_TEXT;
    StatementWatch watch(database.connection(), progress);
    context.reset();
    int status = database.readStyles(context.styles());
    std::int32_t count = 0;
    if (status == LV_OK)
        status = database.articleCount(count);
    if (status != LV_OK)
        return progress.statusOf(status);

    std::u16string text;
    context.exportHead(text);
    writer.write16(text);
    std::u16string title;
    std::u16string body;
    for (std::int32_t index = 0; index < count; ++index) {
        const double percent = static_cast<double>(static_cast<std::int64_t>(index) * 100 / count);
        if (!progress.report(percent))
            return UD_CANCELLED;
        status = database.readByIndex(index, UdDatabase::Column::Title, title);
        if (status == LV_OK)
            status = database.readByIndex(index, UdDatabase::Column::Body, body);
        if (status != LV_OK)
            return progress.statusOf(status);
        context.exportArticle(title, body, text);
        writer.write16(text);
        if (writer.failed())
            return UD_CANNOT_WRITE_TEXT;
    }
    context.exportTail(text);
    writer.write16(text);
    if (!writer.commit())
        return UD_CANNOT_WRITE_TEXT;
    progress.report(100);
    return LV_OK;
}

namespace {

// Stores the article the context has read, headword by headword from the
// last, and reports progress after each.
class ArticleStore {
public:
    ArticleStore(UdDatabase& database, UDImportContext& context, const TextFile& file, ConversionProgress& progress)
        : m_database(database), m_context(context), m_file(file), m_progress(progress)
    {
    }

    int store()
    {
        for (std::int32_t index = m_context.titleCount() - 1; index >= 0; --index) {
            const std::u16string& title = m_context.title(index);
            if (!title.empty()) {
                m_context.buildBody(index, m_body, kBodyRoom);
                const int status = storeOne(title);
                if (status != LV_OK)
                    return status;
                ++m_stored;
            }
            if (!m_progress.report(m_file.progress()))
                return UD_CANCELLED;
        }
        return LV_OK;
    }

    std::int64_t stored() const { return m_stored; }

    int begin() { return m_database.execute(kDropHashIndex); }

    // Drops what the import added for itself and makes the hash index
    // again, before the commit.
    int finish()
    {
        const int status = m_byIdIndex ? m_database.execute(kDropByIdIndex) : LV_OK;
        return status != LV_OK ? status : m_database.execute(kCreateHashIndex);
    }

private:
    int storeOne(const std::u16string& title)
    {
        const std::int32_t id = m_database.idOfTitle(title);
        if (id == 0)
            return m_database.insertArticle(title, m_body);
        int status = m_database.readById(id, UdDatabase::Column::Body, m_stored_body);
        if (status != LV_OK)
            return status;
        mergeBodies(m_stored_body, m_body, kBodyRoom, m_merged);
        if (!m_byIdIndex) {
            // Deleting the stored article's full-text rows by id would scan
            // the whole table for every merge.
            if ((status = m_database.execute(kCreateByIdIndex)) != LV_OK)
                return status;
            m_byIdIndex = true;
        }
        status = m_database.deleteArticleById(id);
        return status != LV_OK ? status : m_database.insertArticle(title, m_merged);
    }

    UdDatabase& m_database;
    UDImportContext& m_context;
    const TextFile& m_file;
    ConversionProgress& m_progress;
    std::u16string m_body;
    std::u16string m_stored_body;
    std::u16string m_merged;
    std::int64_t m_stored = 0;
    bool m_byIdIndex = false;
};

} // namespace

int importText(UdDatabase& database, UDImportContext& context, const std::string& path,
               ConversionProgress& progress)
{
    TextFile file;
    if (!file.open(path))
        return UD_CANNOT_READ_TEXT;
    context.reset();
    std::u16string line;
    bool more = file.readLine(line);
    while (more && context.isHeaderLine(line))
        more = file.readLine(line);

    ArticleStore articles(database, context, file, progress);
    StatementWatch watch(database.connection(), progress);
    const int status = database.change(
        [&]() -> int {
            int result = database.readStyles(context.styles());
            if (result == LV_OK)
                result = articles.begin();
            if (result != LV_OK)
                return result;
            if (!progress.report(file.progress()))
                return UD_CANCELLED;
            for (;;) {
                if (more) {
                    const UDImportContext::Feed feed = context.feedLine(line);
                    if (feed == UDImportContext::Feed::Failed)
                        return LV_BAD_ARGUMENT;
                    // A line given back with no article before it would be
                    // given back for ever: take it.
                    if (feed == UDImportContext::Feed::Consumed || !context.hasArticle()) {
                        more = file.readLine(line);
                        continue;
                    }
                }
                if (!context.hasArticle())
                    return articles.finish();
                if ((result = articles.store()) != LV_OK)
                    return result;
                context.clearArticle();
                if (!more)
                    return articles.finish();
            }
        },
        &context.styles());
    if (status != LV_OK)
        return progress.statusOf(status);
    const std::int32_t notStored = context.articlesNotStored(articles.stored());
    progress.report(100);
    return notStored > 0 ? UD_NOT_STORED_BASE + notStored : LV_OK;
}

} // namespace lexvane::engine::exchange
