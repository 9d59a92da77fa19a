// dictionary_ops.h: the per-dictionary table of 36 operations.
//
// Every exported dictionary function works only through this table, so that
// compiled dictionaries (".prc") and user dictionaries (".udd") stand behind
// the same handle. The table is chosen once, at open, by the path's last
// extension (operationsForPath). A slot that a kind does not offer is null;
// callers test before calling. Slot numbers are given beside each member.
#pragma once

#include <cstdint>
#include <string_view>

struct DictionaryRecord;
struct FuzzyState;

namespace lexvane::engine {

class SortTable;
struct ReadingPosition;

// Read modes of the entry-reading slots (5 to 8, 11).
enum ReadMode : int {
    kReadHeadword = 0,         // headword only
    kReadWithArticle = 1,      // headword, and the article through the output stage
    kReadForStepping = 2,      // headword only, for stepping through the list
    kSkipArticle = 3,          // advance past the entry's article without sending it
    kReadMainForStepping = 4,  // as 2, but always on the main word list
};

struct DictionaryOps {
    int (*open)(DictionaryRecord& record, std::int32_t id);                                   // 0
    int (*openCompanion)(DictionaryRecord& record);                                            // 1
    int (*afterOpen)(DictionaryRecord& record);                                                // 2
    int (*init)(DictionaryRecord& record);                                                     // 3
    int (*close)(DictionaryRecord& record);                                                    // 4
    int (*readMainEntry)(DictionaryRecord& record, std::int32_t index, int mode);              // 5
    int (*readEntry)(DictionaryRecord& record, std::int32_t index, int mode);                  // 6
    int (*nextMainEntry)(DictionaryRecord& record, int mode);                                  // 7
    int (*nextEntry)(DictionaryRecord& record, int mode);                                      // 8
    int (*findMainWord8)(DictionaryRecord& record, const char* word);                          // 9
    int (*findWord)(DictionaryRecord& record, const char16_t* word);                           // 10
    int (*goToQuickAccessPoint)(DictionaryRecord& record, std::int32_t point, int mode);       // 11
    int (*chooseWordList)(DictionaryRecord& record, const char16_t* text);                     // 12
    int (*quickAccessWord8)(DictionaryRecord& record, std::int32_t point, const char** word);  // 13
    int (*quickAccessWord16)(DictionaryRecord& record, std::int32_t point, const char16_t** word); // 14
    std::int32_t (*quickAccessEntryIndex)(DictionaryRecord& record, std::int32_t point);       // 15
    const SortTable* (*sortTable)(DictionaryRecord& record, int which);                        // 16
    const char* (*currentWord8)(DictionaryRecord& record);                                     // 17
    const char16_t* (*currentWord16)(DictionaryRecord& record);                                // 18
    std::int32_t (*currentIndex)(DictionaryRecord& record);                                    // 19
    std::int32_t (*count)(DictionaryRecord& record);                                           // 20
    int (*setCurrentIndex)(DictionaryRecord& record, std::int32_t index);                      // 21
    std::int32_t (*quickAccessCount)(DictionaryRecord& record);                                // 22
    int (*restorePosition)(DictionaryRecord& record, const ReadingPosition& position);         // 23
    int (*savePosition)(DictionaryRecord& record, ReadingPosition& position);                  // 24
    int (*feedFuzzy)(DictionaryRecord& record, FuzzyState* state);                             // 25
    // `length`: room in code units (with the terminator) in, text length
    // out; `extra` (may be null): the interface language the text is in, 0
    // for the dictionary's own texts.
    int (*descriptionItem)(DictionaryRecord& record, int item, std::intptr_t language,
                           char16_t* buffer, std::int32_t* length, std::int32_t* extra);       // 26
    std::int32_t (*sourceLanguage)(DictionaryRecord& record);                                  // 27
    std::int32_t (*targetLanguage)(DictionaryRecord& record);                                  // 28
    int (*makeSpecialEntryCurrent)(DictionaryRecord& record, std::int32_t entry);              // 29
    int (*renderSpecialEntry)(DictionaryRecord& record, std::int32_t entry);                   // 30
    std::int32_t (*id)(DictionaryRecord& record);                                              // 31
    std::int32_t (*pairId)(DictionaryRecord& record);                                          // 32
    bool (*reserved)(DictionaryRecord& record);                                                // 33: always false
    bool (*inAlphabet16)(DictionaryRecord& record, char16_t character);                        // 34
    bool (*inAlphabet8)(DictionaryRecord& record, std::uint8_t character);                     // 35
};

// The table of each file kind.
const DictionaryOps& compiledDictionaryOps();
const DictionaryOps& userDictionaryOps();

// ".udd" as the last extension, in any case, selects the user-dictionary
// table; every other path the compiled one.
bool isUserDictionaryPath(std::string_view path);
const DictionaryOps& operationsForPath(std::string_view path);

} // namespace lexvane::engine
