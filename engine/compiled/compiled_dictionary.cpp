// compiled_dictionary.cpp: opening and closing a compiled dictionary, and
// the compiled side of the operation table.
#include "compiled/compiled_dictionary.h"
#include "search/compiled_fuzzy_feed.h"

#include "collation/sort_table_resources.h"
#include "collation/word_comparison.h"
#include "common/byte_order.h"
#include "lexvane_engine.h"

namespace lexvane::engine {

namespace {

constexpr std::size_t kAlphabet8Size = 256;
constexpr std::size_t kAlphabet16Size = 8192;
constexpr std::size_t kMaximumSpecialEntries = 255;

} // namespace

CompiledDictionary::~CompiledDictionary()
{
    close();
}

int CompiledDictionary::open(const std::string& path, std::int32_t id)
{
    close();
    int status = m_container.open(path, id);
    if (status != LV_OK)
        return status;

    ResourceBlock head;
    status = m_container.load(head, "HEAD", 0);
    if (status != LV_OK)
        return status;
    DictionaryHeader header;
    const int headerStatus = parseDictionaryHeader(std::span(head.data(), head.size()), header);
    // The id check comes first: asking for a dictionary by id and finding
    // another one is the more telling failure.
    if (head.size() >= 32) {
        const std::int32_t storedId = bytes::packFourCharacters(head.data() + 28);
        if (storedId != id)
            return LV_ID_MISMATCH;
    }
    if (headerStatus != LV_OK)
        return headerStatus;
    m_header = std::move(header);
    return loadTables(id);
}

int CompiledDictionary::loadModel(TextModel& model, ResourceType treeType, ResourceType fastType, std::uint16_t id,
                                  bool fastOptional)
{
    ResourceBlock tree;
    int status = m_container.load(tree, treeType, id);
    if (status != LV_OK)
        return status;
    ResourceBlock fast;
    if (fastOptional) {
        status = m_container.load(fast, fastType, id);
        if (status == LV_NO_MEMORY)
            return status;
    }
    return model.load(std::move(tree), std::move(fast));
}

int CompiledDictionary::loadTables(std::int32_t)
{
    ResourceBlock quickAccess;
    int status = m_container.load(quickAccess, "QIDX", 0);
    if (status != LV_OK)
        return status;
    const QuickAccessIndex::Layout layout = m_header.utf8Words ? QuickAccessIndex::Layout::kUtf8Words
                                            : separateHeadwords()  ? QuickAccessIndex::Layout::kTwoStreams8
                                                                   : QuickAccessIndex::Layout::kSingleStream;
    status = m_quickAccess.parse({quickAccess.data(), quickAccess.size()}, layout, m_header.entryCount);
    if (status != LV_OK)
        return status;

    if (m_header.hasAlternativeList) {
        m_alternative = std::make_unique<AlternativeList>();
        ResourceBlock index;
        status = m_container.load(index, "Iqat", 0);
        if (status == LV_OK)
            status = m_alternative->index.parse({index.data(), index.size()}, QuickAccessIndex::Layout::kAlternative,
                                                m_header.alternativeEntryCount);
        if (status == LV_OK)
            status = loadModel(m_alternative->characters, "Ittr", "Tfst", 0, false);
        if (status == LV_OK)
            status = loadModel(m_alternative->shared, "Isht", "Tfst", 0, false);
        if (status != LV_OK)
            return status;
        m_alternative->headwords = BitStream(&m_container, "Icka");
        m_alternative->counts = BitStream(&m_container, "Icnt");
        m_alternative->values = BitStream(&m_container, "Ival");
    }

    status = m_container.load(m_alphabet, "SYMB", 0);
    if (status != LV_OK)
        return status;
    if (m_alphabet.size() < (m_header.utf8Words ? kAlphabet16Size : kAlphabet8Size))
        return LV_NOT_PRESENT;
    status = loadSortTables();
    if (status != LV_OK)
        return status;
    for (std::uint16_t k = 0; k < m_codePages.size(); ++k) {
        if (!m_container.contains("UNIC", k))
            continue;
        ResourceBlock table;
        status = m_container.load(table, "UNIC", k);
        if (status != LV_OK)
            return status;
        m_codePages[k].assign(std::move(table));
    }
    if (m_container.contains("PHON", 0)) {
        status = m_container.load(m_phonetics, "PHON", 0);
        if (status != LV_OK)
            return status;
    }

    m_models.resize(m_header.styleCount);
    for (std::uint16_t style = 0; style < m_header.styleCount; ++style) {
        status = loadModel(m_models[style], "TREE", "Tfst", style, true);
        if (status != LV_OK)
            return status;
    }
    for (std::uint16_t k = 0; k < kMaximumSpecialEntries && m_container.contains("INFO", k); ++k) {
        ResourceBlock entry;
        status = m_container.load(entry, "INFO", k);
        if (status != LV_OK)
            return status;
        m_specialEntries.push_back(std::move(entry));
    }

    m_articles = BitStream(&m_container, "ARRY");
    m_headwords = BitStream(&m_container, "HWRD");
    m_pointWords16.clear();
    for (std::size_t k = 0; k < m_quickAccess.size(); ++k)
        m_pointWords16.push_back(m_header.utf8Words ? m_quickAccess[k].prefix16
                                                    : wordToUtf16(m_quickAccess[k].prefix8));
    desynchronise();
    return LV_OK;
}

// "COMP" 0 is required; "UNIC" 0 (8-bit words) and "COMP" 1 (UTF-8 words)
// are used when present. The tables are kept only when all of them build.
// See docs/formats/sort-tables.md.
int CompiledDictionary::loadSortTables()
{
    ResourceBlock comp;
    int status = m_container.load(comp, "COMP", 0);
    if (status != LV_OK)
        return status;
    const std::span<const std::uint8_t> compBytes(comp.data(), comp.size());
    const bool utf8 = m_header.utf8Words;

    ResourceBlock unic;
    if (!utf8) {
        status = m_container.load(unic, "UNIC", 0);
        if (status != LV_OK && status != LV_NOT_PRESENT)
            return status;
    }
    SortTable main;
    status = buildSortTable(compBytes, std::span<const std::uint8_t>(unic.data(), unic.size()), utf8, main);
    if (status != LV_OK)
        return status;

    std::optional<SortTable> second;
    std::optional<ByteSortTable> bytesTable;
    if (utf8) {
        ResourceBlock secondComp;
        status = m_container.load(secondComp, "COMP", 1);
        if (status != LV_OK && status != LV_NOT_PRESENT)
            return status;
        if (status == LV_OK) {
            second.emplace();
            status = readSortTable(std::span<const std::uint8_t>(secondComp.data(), secondComp.size()), *second);
            if (status != LV_OK)
                return status;
        }
    } else {
        bytesTable.emplace();
        status = ByteSortTable::read(compBytes, *bytesTable);
        if (status != LV_OK)
            return status;
    }
    m_mainSortTable = std::move(main);
    m_secondSortTable = std::move(second);
    m_byteSortTable = std::move(bytesTable);
    return LV_OK;
}

const SortTable* CompiledDictionary::sortTable(int which) const
{
    if (which == 0)
        return m_mainSortTable ? &*m_mainSortTable : nullptr;
    if (which == 1)
        return m_secondSortTable ? &*m_secondSortTable : nullptr;
    return nullptr;
}

int CompiledDictionary::openCompanion(const std::string& path)
{
    if (m_header.companionId == 0 || m_companion)
        return LV_OK;
    auto companion = std::make_unique<CompiledDictionary>();
    const int status = companion->open(path, m_header.companionId);
    if (status != LV_OK)
        return status;
    companion->m_companion = this;
    companion->m_output = m_output;
    m_companion = companion.get();
    m_ownedCompanion = std::move(companion);
    return LV_OK;
}

void CompiledDictionary::close()
{
    if (m_ownedCompanion) {
        m_ownedCompanion->close();
        m_ownedCompanion.reset();
    }
    m_companion = nullptr;
    m_articles.reset();
    m_headwords.reset();
    m_alternative.reset();
    m_alternativeCurrent = false;
    m_models.clear();
    m_specialEntries.clear();
    m_alphabet.release();
    m_mainSortTable.reset();
    m_secondSortTable.reset();
    m_byteSortTable.reset();
    m_phonetics.release();
    m_codePages = {};
    m_quickAccess = QuickAccessIndex{};
    m_pointWords16.clear();
    m_fuzzyWords = WordCache{};
    m_headwordCache = WordCache{};
    m_container.close();
    m_header = DictionaryHeader{};
    m_synchronised = false;
    m_current = -1;
    m_articleEntry = 0;
    m_entryStart = EntryStart{};
    m_word8.clear();
    m_word16.clear();
    m_depth = 0;
}

bool CompiledDictionary::inAlphabet16(char16_t c) const
{
    if (!m_header.utf8Words || m_alphabet.size() < kAlphabet16Size)
        return false;
    return (m_alphabet.data()[c / 8] >> (c % 8)) & 1;
}

bool CompiledDictionary::inAlphabet8(std::uint8_t c) const
{
    if (m_header.utf8Words || m_alphabet.size() < kAlphabet8Size)
        return false;
    return m_alphabet.data()[c] != 0;
}

CompiledDictionary* compiledDictionaryOf(DictionaryRecord& record)
{
    if (!record.state || record.state->tag != CompiledDictionary::kTag)
        return nullptr;
    return static_cast<CompiledDictionary*>(record.state.get());
}

namespace {

int openCompiled(DictionaryRecord& record, std::int32_t id)
{
    auto dictionary = std::make_unique<CompiledDictionary>();
    dictionary->setOutput(&record.pathRecord->output);
    const int status = dictionary->open(record.pathRecord->path, id);
    record.state = std::move(dictionary);
    return status;
}

int openCompanion(DictionaryRecord& record)
{
    CompiledDictionary* dictionary = compiledDictionaryOf(record);
    return dictionary ? dictionary->openCompanion(record.pathRecord->path) : LV_OK;
}

int closeCompiled(DictionaryRecord& record)
{
    record.state.reset();
    return LV_OK;
}

int nothing(DictionaryRecord&)
{
    return LV_OK;
}

// Calls a member of the record's compiled dictionary, or answers `fallback`
// for a record whose open failed before it had one.
template <typename Result, typename Call>
Result withDictionary(DictionaryRecord& record, Result fallback, Call call)
{
    CompiledDictionary* dictionary = compiledDictionaryOf(record);
    return dictionary ? call(*dictionary) : fallback;
}

} // namespace

const DictionaryOps& compiledDictionaryOps()
{
    static const DictionaryOps table = [] {
        DictionaryOps ops{};
        ops.open = openCompiled;
        ops.openCompanion = openCompanion;
        ops.afterOpen = nothing;
        ops.init = nothing;
        ops.close = closeCompiled;
        ops.readMainEntry = [](DictionaryRecord& r, std::int32_t index, int mode) {
            return withDictionary(r, int{LV_BAD_ARGUMENT}, [&](CompiledDictionary& d) { return d.readMainEntry(index, mode); });
        };
        ops.readEntry = [](DictionaryRecord& r, std::int32_t index, int mode) {
            return withDictionary(r, int{LV_BAD_ARGUMENT}, [&](CompiledDictionary& d) { return d.readEntry(index, mode); });
        };
        ops.nextMainEntry = [](DictionaryRecord& r, int mode) {
            return withDictionary(r, int{LV_BAD_ARGUMENT}, [&](CompiledDictionary& d) { return d.nextMainEntry(mode); });
        };
        ops.nextEntry = [](DictionaryRecord& r, int mode) {
            return withDictionary(r, int{LV_BAD_ARGUMENT}, [&](CompiledDictionary& d) { return d.nextEntry(mode); });
        };
        ops.findMainWord8 = [](DictionaryRecord& r, const char* word) {
            return withDictionary(r, int{LV_BAD_ARGUMENT}, [&](CompiledDictionary& d) { return d.findWord8(word); });
        };
        ops.findWord = [](DictionaryRecord& r, const char16_t* word) {
            return withDictionary(r, int{LV_BAD_ARGUMENT}, [&](CompiledDictionary& d) { return d.findWord(word); });
        };
        ops.goToQuickAccessPoint = [](DictionaryRecord& r, std::int32_t point, int mode) {
            return withDictionary(r, int{LV_BAD_ARGUMENT},
                                  [&](CompiledDictionary& d) { return d.goToQuickAccessPoint(point, mode); });
        };
        ops.chooseWordList = [](DictionaryRecord& r, const char16_t* text) {
            return withDictionary(r, 0, [&](CompiledDictionary& d) { return d.chooseWordList(text) ? 1 : 0; });
        };
        ops.quickAccessWord8 = [](DictionaryRecord& r, std::int32_t point, const char** word) {
            return withDictionary(r, int{LV_BAD_ARGUMENT},
                                  [&](CompiledDictionary& d) { return d.quickAccessWord8(point, word); });
        };
        ops.quickAccessWord16 = [](DictionaryRecord& r, std::int32_t point, const char16_t** word) {
            return withDictionary(r, int{LV_BAD_ARGUMENT},
                                  [&](CompiledDictionary& d) { return d.quickAccessWord16(point, word); });
        };
        ops.quickAccessEntryIndex = [](DictionaryRecord& r, std::int32_t point) {
            return withDictionary(r, std::int32_t{-1},
                                  [&](CompiledDictionary& d) { return d.quickAccessEntryIndex(point); });
        };
        ops.currentWord8 = [](DictionaryRecord& r) {
            return withDictionary(r, static_cast<const char*>(nullptr),
                                  [&](CompiledDictionary& d) { return d.currentWord8(); });
        };
        ops.currentWord16 = [](DictionaryRecord& r) {
            return withDictionary(r, static_cast<const char16_t*>(nullptr),
                                  [&](CompiledDictionary& d) { return d.currentWord16(); });
        };
        ops.currentIndex = [](DictionaryRecord& r) {
            return withDictionary(r, std::int32_t{-1}, [&](CompiledDictionary& d) { return d.currentIndex(); });
        };
        ops.count = [](DictionaryRecord& r) {
            return withDictionary(r, std::int32_t{0}, [&](CompiledDictionary& d) { return d.count(); });
        };
        ops.setCurrentIndex = [](DictionaryRecord& r, std::int32_t index) {
            return withDictionary(r, int{LV_BAD_ARGUMENT}, [&](CompiledDictionary& d) { return d.setCurrentIndex(index); });
        };
        ops.quickAccessCount = [](DictionaryRecord& r) {
            return withDictionary(r, std::int32_t{0}, [&](CompiledDictionary& d) { return d.quickAccessCount(); });
        };
        ops.restorePosition = [](DictionaryRecord& r, const ReadingPosition& position) {
            return withDictionary(r, int{LV_BAD_ARGUMENT},
                                  [&](CompiledDictionary& d) { return d.restorePosition(position); });
        };
        ops.savePosition = [](DictionaryRecord& r, ReadingPosition& position) {
            return withDictionary(r, int{LV_BAD_ARGUMENT}, [&](CompiledDictionary& d) { return d.savePosition(position); });
        };
        ops.feedFuzzy = feedCompiledFuzzy;
        ops.sourceLanguage = [](DictionaryRecord& r) {
            return withDictionary(r, std::int32_t{0},
                                  [&](CompiledDictionary& d) { return d.header().sourceLanguage; });
        };
        ops.targetLanguage = [](DictionaryRecord& r) {
            return withDictionary(r, std::int32_t{0},
                                  [&](CompiledDictionary& d) { return d.header().targetLanguage; });
        };
        ops.id = [](DictionaryRecord& r) {
            return withDictionary(r, std::int32_t{0}, [&](CompiledDictionary& d) { return d.header().dictionaryId; });
        };
        ops.pairId = [](DictionaryRecord& r) {
            return withDictionary(r, std::int32_t{0}, [&](CompiledDictionary& d) { return d.header().companionId; });
        };
        ops.sortTable = [](DictionaryRecord& r, int which) {
            return withDictionary(r, static_cast<const SortTable*>(nullptr),
                                  [&](CompiledDictionary& d) { return d.sortTable(which); });
        };
        ops.descriptionItem = [](DictionaryRecord& r, int item, std::intptr_t language, char16_t* buffer,
                                 std::int32_t* length, std::int32_t* extra) {
            return withDictionary(r, int{LV_BAD_ARGUMENT}, [&](CompiledDictionary& d) {
                if (!buffer || !length || *length <= 0)
                    return int{LV_NULL_ARGUMENT};
                std::u16string text;
                std::int32_t language32 = static_cast<std::int32_t>(language);
                std::int32_t from = 0;
                const int status = d.descriptionItem(item, language32, text, from);
                // A failing item leaves an empty text.
                if (status != LV_OK)
                    text.clear();
                const std::size_t copied = std::min(text.size(), static_cast<std::size_t>(*length - 1));
                text.copy(buffer, copied);
                buffer[copied] = 0;
                *length = static_cast<std::int32_t>(copied);
                if (extra)
                    *extra = from;
                return status;
            });
        };
        ops.makeSpecialEntryCurrent = [](DictionaryRecord& r, std::int32_t k) {
            return withDictionary(r, int{LV_BAD_ARGUMENT},
                                  [&](CompiledDictionary& d) { return d.makeSpecialEntryCurrent(k); });
        };
        ops.renderSpecialEntry = [](DictionaryRecord& r, std::int32_t k) {
            return withDictionary(r, int{LV_BAD_ARGUMENT}, [&](CompiledDictionary& d) { return d.renderSpecialEntry(k); });
        };
        ops.reserved = [](DictionaryRecord&) { return false; };
        ops.inAlphabet16 = [](DictionaryRecord& r, char16_t c) {
            return withDictionary(r, false, [&](CompiledDictionary& d) { return d.inAlphabet16(c); });
        };
        ops.inAlphabet8 = [](DictionaryRecord& r, std::uint8_t c) {
            return withDictionary(r, false, [&](CompiledDictionary& d) { return d.inAlphabet8(c); });
        };
        return ops;
    }();
    return table;
}

} // namespace lexvane::engine
