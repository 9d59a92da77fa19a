// user_dictionary_ops.cpp: the operation table of ".udd" dictionaries.
//
// Answers the engine's 36 per-dictionary operations from the database, so
// that a user dictionary stands behind a dictionary handle like a compiled
// one. Word index i is row i + 1 of the derived title order. The current
// word index and the current-article buffer live in the UdHandle; a reading
// slot may replace them, a quick-access title never does.
#include "collation/built_in_sort_table.h"
#include "frame/dictionary_ops.h"
#include "frame/reading_position.h"
#include "lexvane_engine.h"
#include "output/article_output.h"
#include "search/fuzzy_feed.h"
#include "userdic/body_runs.h"
#include "userdic/ud_handle.h"

#include <algorithm>
#include <memory>
#include <new>

namespace lexvane::engine {

namespace {

using userdic::UdDatabase;
using userdic::UdHandle;

// "engl" as a packed language code.
constexpr std::int32_t kEnglish = 'e' | ('n' << 8) | ('g' << 16) | ('l' << 24);

UdHandle& handleOf(DictionaryRecord& record)
{
    // The table is only ever installed with a UdHandle behind it, and the
    // frame calls no other slot when the open failed.
    return *static_cast<UdHandle*>(record.state.get());
}

int openUser(DictionaryRecord& record, std::int32_t id)
{
    record.state.reset();
    auto handle = std::unique_ptr<UdHandle>(new (std::nothrow) UdHandle);
    if (!handle)
        return LV_NO_MEMORY;
    handle->id = id;
    const UDHelper* helper = record.pathRecord ? record.pathRecord->helper : nullptr;
    const std::string path = record.pathRecord ? record.pathRecord->path : std::string();
    std::int32_t count = 0;
    // Reading the count proves that the file is a user dictionary.
    if (handle->database.open(helper, path, false) != LV_OK || handle->database.articleCount(count) != LV_OK)
        return LV_CANNOT_OPEN;
    const std::int32_t source = handle->database.getIntProperty("LangID");
    const std::int32_t target = handle->database.getIntProperty("LangPairID");
    handle->sourceLanguage = source ? source : kEnglish;
    handle->targetLanguage = target ? target : kEnglish;
    handle->reloadStyles();
    record.state = std::move(handle);
    return LV_OK;
}

int nothing(DictionaryRecord&)
{
    return LV_OK;
}

int closeUser(DictionaryRecord& record)
{
    record.state.reset();
    return LV_OK;
}

int readMainEntry(DictionaryRecord&, std::int32_t, int)
{
    return LV_OK;
}

int nextMainEntry(DictionaryRecord&, int)
{
    return LV_OK;
}

// Sends the body in the buffer through the output stage: the prefix as the
// article start, every run after the headword segment with its style from
// the table loaded at opening (an empty style for a number the file lacks),
// then the end. LV_STOPPED when the caller stopped the article.
int sendArticle(const UdHandle& handle, const OutputBinding& binding)
{
    for (const userdic::Run& run : userdic::splitRuns(handle.currentText())) {
        StyleRecord style{};
        const StyleRecord* runStyle = nullptr;
        if (run.index >= 0) {
            const auto number = static_cast<std::size_t>(run.index);
            if (number < UdHandle::kStyleTableSize && handle.present[number])
                style = handle.styles[number];
            style.number = run.index;
            style.secondColor = 0xFFFFFFFF;
            runStyle = &style;
        }
        if (articleOutputForwarder(binding, run.text, runStyle, run.index) == LV_STOPPED)
            return LV_STOPPED;
    }
    return LV_OK;
}

// Reads word index `index` with a text kind; a body read for a DicExtract
// goes on through the output stage.
int readAndSend(DictionaryRecord& record, std::int32_t index, int kind)
{
    UdHandle& handle = handleOf(record);
    if (handle.read(index, kind) != LV_OK)
        return LV_NOT_PRESENT;
    if (kind == kReadWithArticle && handle.holdsBody() && record.pathRecord && record.pathRecord->output.callback)
        return sendArticle(handle, record.pathRecord->output);
    return LV_OK;
}

int readEntry(DictionaryRecord& record, std::int32_t index, int kind)
{
    return readAndSend(record, index, kind);
}

int nextEntry(DictionaryRecord& record, int kind)
{
    return readAndSend(record, handleOf(record).currentIndex() + 1, kind);
}

int findMainWord8(DictionaryRecord&, const char*)
{
    return LV_OK;
}

// A word that no title begins with still moves the list to where the word
// would stand (the first title not below it, or the last), as DicSearch
// promises for every dictionary; the status says it was not found.
int findWord(DictionaryRecord& record, const char16_t* word)
{
    if (!word)
        return LV_NULL_ARGUMENT;
    UdHandle& handle = handleOf(record);
    std::int32_t index = -1;
    if (handle.database.firstIndexOf(word, index) != LV_OK)
        return LV_OUT_OF_RANGE;
    if (index >= 0)
        return handle.read(index, kReadHeadword) == LV_OK ? LV_OK : LV_NOT_PRESENT;
    const std::int32_t count = handle.database.articleCount();
    if (count > 0 && handle.database.lowerBound(word, index) == LV_OK)
        handle.read(std::min(index, count - 1), kReadHeadword);
    return LV_OUT_OF_RANGE;
}

// The word index of quick-access point k, when it names an article.
bool quickAccessIndex(UdHandle& handle, std::int32_t point, std::int32_t& index)
{
    if (point < 0)
        return false;
    if (handle.database.quickAccessPoint(point, index) != LV_OK)
        return false;
    return index >= 0 && index < handle.database.articleCount();
}

int goToQuickAccessPoint(DictionaryRecord& record, std::int32_t point, int)
{
    UdHandle& handle = handleOf(record);
    std::int32_t index = -1;
    if (!quickAccessIndex(handle, point, index))
        return LV_OUT_OF_RANGE;
    return handle.read(index, kReadHeadword) == LV_OK ? LV_OK : LV_NOT_PRESENT;
}

int chooseWordList(DictionaryRecord&, const char16_t*)
{
    return LV_OK;
}

int quickAccessWord8(DictionaryRecord&, std::int32_t point, const char** word)
{
    if (point > UdDatabase::kCachedQuickAccessPoints)
        return LV_OUT_OF_RANGE;
    if (!word)
        return LV_NULL_HANDLE;
    *word = "";
    return LV_OK;
}

// Reads into its own buffer: the current word index and the current-article
// buffer stay as they were.
int quickAccessWord16(DictionaryRecord& record, std::int32_t point, const char16_t** word)
{
    if (!word)
        return LV_NULL_HANDLE;
    UdHandle& handle = handleOf(record);
    handle.quickAccessTitle.clear();
    *word = handle.quickAccessTitle.c_str();
    std::int32_t index = -1;
    if (!quickAccessIndex(handle, point, index))
        return LV_OUT_OF_RANGE;
    if (handle.database.readByIndex(index, UdDatabase::Column::Title, handle.quickAccessTitle) != LV_OK) {
        handle.quickAccessTitle.clear();
        *word = handle.quickAccessTitle.c_str();
        return LV_NOT_PRESENT;
    }
    *word = handle.quickAccessTitle.c_str();
    return LV_OK;
}

// -1 for a point that does not exist: every other answer is a word index.
std::int32_t quickAccessEntryIndex(DictionaryRecord& record, std::int32_t point)
{
    UdHandle& handle = handleOf(record);
    if (point < 0 || point >= handle.database.quickAccessCount())
        return -1;
    std::int32_t index = -1;
    return handle.database.quickAccessPoint(point, index) == LV_OK ? index : -1;
}

// Every user dictionary sorts by the built-in table.
const SortTable* builtInForMain(DictionaryRecord&, int which)
{
    return which == 0 ? &builtInSortTable() : nullptr;
}

// Every title in word order, each kept with the dictionary's id. The titles
// stream from one statement, so the feed holds no current-article state.
int feedFuzzy(DictionaryRecord& record, FuzzyState* state)
{
    if (!state)
        return LV_NULL_ARGUMENT;
    UdHandle& handle = handleOf(record);
    constexpr int kStopped = -1;
    const int status = handle.database.forEachTitle([&](std::int32_t, std::u16string_view title) {
        if (state->stopRequested())
            return kStopped;
        return offerHeadword(*state, title, handle.id);
    });
    return status == kStopped ? LV_OK : status;
}

const char* currentWord8(DictionaryRecord&)
{
    return "";
}

const char16_t* currentWord16(DictionaryRecord& record)
{
    return handleOf(record).currentText().c_str();
}

std::int32_t currentIndex(DictionaryRecord& record)
{
    return handleOf(record).currentIndex();
}

std::int32_t count(DictionaryRecord& record)
{
    return handleOf(record).database.articleCount();
}

int setCurrentIndex(DictionaryRecord& record, std::int32_t index)
{
    return handleOf(record).read(index, kReadHeadword) == LV_OK ? LV_OK : LV_NOT_PRESENT;
}

// A set keeps where a member stands as its word index alone: reading the
// title again restores the current-article buffer too.
int savePosition(DictionaryRecord& record, ReadingPosition& position)
{
    position = ReadingPosition{};
    position.current = handleOf(record).currentIndex();
    return LV_OK;
}

int restorePosition(DictionaryRecord& record, const ReadingPosition& position)
{
    return handleOf(record).read(position.current, kReadHeadword) == LV_OK ? LV_OK : LV_NOT_PRESENT;
}

std::int32_t quickAccessCount(DictionaryRecord& record)
{
    return handleOf(record).database.quickAccessCount();
}

// Always leaves a terminated text in a buffer it was given, so that a
// caller never reads what an earlier call left there. `length` carries the
// room in characters in and the length of the text out.
int descriptionItem(DictionaryRecord& record, int item, std::intptr_t, char16_t* buffer, std::int32_t* length,
                    std::int32_t* extra)
{
    if (extra)
        *extra = 0;
    if (!buffer || !length)
        return LV_NULL_ARGUMENT;
    const std::int32_t room = *length;
    if (room <= 0)
        return LV_NULL_ARGUMENT;
    buffer[0] = 0;
    *length = 0;
    if (item != 0 && item != 2 && item != 3)
        return LV_OK;
    std::u16string name;
    if (handleOf(record).database.getProperty("DictName", name) != LV_OK)
        return LV_NOT_PRESENT;
    const std::size_t copied = std::min<std::size_t>(name.size(), static_cast<std::size_t>(room - 1));
    name.copy(buffer, copied);
    buffer[copied] = 0;
    *length = static_cast<std::int32_t>(copied);
    return LV_OK;
}

std::int32_t sourceLanguage(DictionaryRecord& record)
{
    return handleOf(record).sourceLanguage;
}

std::int32_t targetLanguage(DictionaryRecord& record)
{
    return handleOf(record).targetLanguage;
}

int noSpecialEntry(DictionaryRecord&, std::int32_t)
{
    return LV_NOT_PRESENT;
}

std::int32_t id(DictionaryRecord& record)
{
    return handleOf(record).id;
}

std::int32_t pairId(DictionaryRecord&)
{
    return 0;
}

bool reserved(DictionaryRecord&)
{
    return true;
}

bool inAlphabet16(DictionaryRecord&, char16_t)
{
    return false;
}

bool inAlphabet8(DictionaryRecord&, std::uint8_t)
{
    return false;
}

} // namespace

const DictionaryOps& userDictionaryOps()
{
    static const DictionaryOps table = [] {
        DictionaryOps ops{};
        ops.open = openUser;
        ops.openCompanion = nothing;
        ops.afterOpen = nothing;
        ops.init = nothing;
        ops.close = closeUser;
        ops.readMainEntry = readMainEntry;
        ops.readEntry = readEntry;
        ops.nextMainEntry = nextMainEntry;
        ops.nextEntry = nextEntry;
        ops.findMainWord8 = findMainWord8;
        ops.findWord = findWord;
        ops.goToQuickAccessPoint = goToQuickAccessPoint;
        ops.chooseWordList = chooseWordList;
        ops.quickAccessWord8 = quickAccessWord8;
        ops.quickAccessWord16 = quickAccessWord16;
        ops.quickAccessEntryIndex = quickAccessEntryIndex;
        ops.sortTable = builtInForMain;
        ops.currentWord8 = currentWord8;
        ops.currentWord16 = currentWord16;
        ops.currentIndex = currentIndex;
        ops.count = count;
        ops.setCurrentIndex = setCurrentIndex;
        ops.quickAccessCount = quickAccessCount;
        ops.restorePosition = restorePosition;
        ops.savePosition = savePosition;
        ops.feedFuzzy = feedFuzzy;
        ops.descriptionItem = descriptionItem;
        ops.sourceLanguage = sourceLanguage;
        ops.targetLanguage = targetLanguage;
        ops.makeSpecialEntryCurrent = noSpecialEntry;
        ops.renderSpecialEntry = noSpecialEntry;
        ops.id = id;
        ops.pairId = pairId;
        ops.reserved = reserved;
        ops.inAlphabet16 = inAlphabet16;
        ops.inAlphabet8 = inAlphabet8;
        return ops;
    }();
    return table;
}

} // namespace lexvane::engine
