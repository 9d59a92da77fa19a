/*
 * lexvane_engine.h: the flat interface of the Lexvane dictionary engine.
 *
 * Every function takes opaque handles and plain values, returns an engine
 * status (or, where its comment says "plain", a value that is not a status)
 * and hands results back through out-pointers. Handles belong to the caller
 * from the creating call to the matching release call.
 *
 * Text: words, titles and article texts are terminated 16-bit texts (UTF-16
 * code units, char16_t). File paths are terminated UTF-8 byte strings.
 *
 * Dictionary ids and language codes are 32-bit integers whose four bytes are
 * four ASCII characters in reading order, the first character in the lowest
 * byte: the id "0A1B" is '0' | 'A' << 8 | '1' << 16 | 'B' << 24.
 */
#ifndef LEXVANE_ENGINE_H
#define LEXVANE_ENGINE_H

#include <stdint.h>

#ifdef __cplusplus
#include <cstdint>
extern "C" {
#else
#include <uchar.h>
#endif

#if defined(LEXVANE_ENGINE_BUILD)
#define LV_API __attribute__((visibility("default")))
#else
#define LV_API
#endif

/* ------------------------------------------------------------------------
 * Status codes. 0 is success; every other value names one failure.
 * User-dictionary functions answer SQLite result codes plus LV_SQLITE_BASE.
 * ---------------------------------------------------------------------- */
enum LvStatus {
    LV_OK = 0,
    LV_NO_MEMORY = 257,             /* out of memory */
    LV_BAD_ARGUMENT = 259,          /* null or invalid argument inside the reader */
    LV_CANNOT_OPEN = 514,           /* file cannot be opened, or its name is not a dictionary name */
    LV_NOT_PRESENT = 515,           /* resource or data item not present, or damaged */
    LV_CONTAINER_NOT_OPEN = 517,    /* resource load on a container that is not open */
    LV_UNSUPPORTED_FORMAT = 1025,   /* compiled-dictionary format version outside 610 to 618 */
    LV_NO_SPECIAL_ENTRY = 1026,     /* special entry index not present */
    LV_SET_FULL = 1028,             /* the set already holds its capacity of members */
    LV_LANGUAGE_MISMATCH = 1030,    /* a member's languages differ from the set's */
    LV_OUT_OF_RANGE = 1031,         /* index out of range, word not found, or end of list */
    LV_BAD_CHECKPOINT = 1032,       /* set checkpoint index out of range */
    LV_NULL_HANDLE = 1034,          /* null dictionary or set handle */
    LV_NULL_ARGUMENT = 1035,        /* null pointer argument */
    LV_BAD_REFERENCE = 1036,        /* bad hexadecimal digit or reference, or no current set entry */
    LV_ID_MISMATCH = 1040,          /* the id inside the file differs from the requested id */
    LV_CAPACITY_TOO_LARGE = 1041,   /* set capacity above 32 */
    LV_UNKNOWN_LANGUAGE = 1049,     /* unknown language code */
    LV_BUFFER_TOO_SMALL = 1051,     /* language-name buffer too small */
    LV_UNKNOWN_ITEM = 1052,         /* unknown description item */
    LV_NARROW_ON_UTF8 = 1053,       /* 8-bit word access on a dictionary whose words are UTF-8 */
    LV_NO_ALTERNATIVE_LIST = 1054,  /* the dictionary has no alternative word list */
    LV_STOPPED = 1056,              /* stopped by a callback, or the result limit was reached */
    LV_NESTED_TOO_DEEPLY = 1058,    /* text decoding nested too deeply */
    LV_WORD_TOO_LONG = 1059,        /* fuzzy-search word of 63 code units or more */
    LV_OPTION_NOT_OFFERED = 1060,   /* fuzzy search asked with an option the dictionary lacks */
    LV_ODD_WORD_LIST = 1061,        /* a 16-bit word list of odd length */
    LV_WIDENED_HIGH_CHARS = 1537,   /* warning: an 8-bit text held characters above 127 */
    LV_BAD_SORT_TABLE = 1538,       /* inconsistent sort table, or too many merge candidates */
    LV_SQLITE_BASE = 20000          /* user-dictionary functions: SQLite result code + this */
};

/* ------------------------------------------------------------------------
 * Handles. All are opaque.
 * ---------------------------------------------------------------------- */
typedef struct DictionaryRecord DictionaryRecord; /* DicOpen .. DicClose */
typedef struct UDHelper UDHelper;                 /* supplied and owned by the caller */

/* ------------------------------------------------------------------------
 * Dictionaries
 * ---------------------------------------------------------------------- */

/* Opens the dictionary file `path` (UTF-8). A path whose last extension is
 * ".udd" (any case) is a user dictionary; any other is a compiled dictionary,
 * whose name must end in ".prc" or ".PRC".
 * `id` is the wanted dictionary id, or -1 to take it from the four characters
 * in front of the extension; a compiled dictionary asked for another id than
 * its file name carries opens the file of that id in the same folder.
 * `helper` may be null (the engine's default helper is used). `reserved1` and
 * `reserved2` are stored and never read.
 * Writes the handle to *out even when the open fails: release it with
 * DicClose in every case. Returns the first failing step's status. */
LV_API int DicOpen(const char* path, int32_t id, DictionaryRecord** out, UDHelper* helper,
                   intptr_t reserved1, intptr_t reserved2);

/* Runs the dictionary's initialisation step; returns its status (0). */
LV_API int DicInit(DictionaryRecord* dic);

/* Closes the dictionary and frees the handle, also one whose open failed.
 * Returns 0, or LV_NULL_HANDLE for a null handle. */
LV_API int DicClose(DictionaryRecord* dic);

/* Number of entries of the current word list (the alternative list when that
 * one is current). 0, LV_NULL_HANDLE or LV_NULL_ARGUMENT. */
LV_API int DicGetCount(DictionaryRecord* dic, int32_t* count);

/* The dictionary's own id, and the id of its companion dictionary (0 when it
 * has none). 0, LV_NULL_HANDLE or LV_NULL_ARGUMENT. */
LV_API int DicGetID(DictionaryRecord* dic, int32_t* id);
LV_API int DicGetPairID(DictionaryRecord* dic, int32_t* id);

/* Source and target language codes. 0, LV_NULL_HANDLE or LV_NULL_ARGUMENT. */
LV_API int DicGetLang(DictionaryRecord* dic, int32_t* language);
LV_API int DicGetPairLang(DictionaryRecord* dic, int32_t* language);

/* ------------------------------------------------------------------------
 * Dictionary sets: up to 32 dictionaries of one language pair merged into
 * one sorted word list. Members whose headwords are identical form one
 * group; a group of g members takes g consecutive indexes, its headword
 * standing at the first and empty texts at the others. The set completes
 * itself (tables, alphabet, count) when its capacity is reached, in
 * MrgInit, or at the first query, with the members it has.
 * ---------------------------------------------------------------------- */
typedef struct MergeRecord MergeRecord; /* MrgOpen .. MrgClose */

/* Creates an empty set for `capacity` members (1 to 32) of the pair
 * `sourceLanguage` -> `targetLanguage`. `helper` is handed to user-dictionary
 * members; `reserved1` and `reserved2` are stored and never read. Writes the
 * set, or null on failure, to *set. 0, LV_CAPACITY_TOO_LARGE above 32,
 * LV_BAD_ARGUMENT below 1, LV_NULL_ARGUMENT, LV_NO_MEMORY. */
LV_API int MrgOpen(MergeRecord** set, int32_t capacity, int32_t sourceLanguage, int32_t targetLanguage,
                   UDHelper* helper, intptr_t reserved1, intptr_t reserved2);

/* Completes the set with the members it has; 0. */
LV_API int MrgInit(MergeRecord* set);

/* Opens `path` (id -1: from the file name) as the next member. A member
 * that cannot join (set full, another language pair, open failure) is left
 * out: the answer is 0 all the same (LV_NULL_HANDLE for a null set). A
 * member whose source and target languages are equal joins a set of that
 * source language. */
LV_API int MrgAdd(MergeRecord* set, int32_t id, const char* path);

/* Closes every member and frees the set (null is allowed); 0. */
LV_API int MrgClose(MergeRecord* set);

/* The number of merged indexes: the sum of the members' counts. */
LV_API int MrgGetCount(MergeRecord* set, int32_t* count);

/* Kind 0: the headword at merged index `index`, cleaned as DicGetData
 * cleans it, into `buffer` (at most *length - 1 code units and a
 * terminator; *length becomes the number written). Inside a group and out
 * of range the text is empty. Other kinds write length 0. 0,
 * LV_NULL_HANDLE, LV_NULL_ARGUMENT. */
LV_API int MrgGetData(MergeRecord* set, int32_t kind, int32_t index, char16_t* buffer, int32_t* length);

/* Writes "MergeGetWordByTextW" to the standard error stream and positions
 * the set at the first group that does not sort before `word` (the last
 * group when every headword sorts before it). *index = the number of
 * merged entries before that group. With `exact`, a following group that
 * sorts equal and whose first form (up to a TAB) is identical to the word's
 * is preferred. An empty word gives 0 and does nothing. */
LV_API int MrgSearch(MergeRecord* set, const char16_t* word, int32_t exact, int32_t* index);

/* The first member whose id is `id` (an id up to 0xFFFF is read as the
 * number of the four hexadecimal digits, 0x0A1B for "0A1B"), or the member
 * at `position` in the order of adding. Plain: 0, or -1 when none. */
LV_API int MrgGetDic(MergeRecord* set, int32_t id, DictionaryRecord** dic);
LV_API int MrgGetDicAt(MergeRecord* set, int32_t position, DictionaryRecord** dic);

/* ids[0..31]: the members' ids in the order of adding, 0 beyond them. */
LV_API int MrgGetDicList(MergeRecord* set, int32_t* ids);

/* Positions the set at `index`: *mask gets bit i for every member i of the
 * group there; `values` (32 entries, may be null) the members' entry
 * indexes for the set bits, else 0. Returns the positioning status
 * (LV_OUT_OF_RANGE outside the list). */
LV_API int MrgGetDicMask(MergeRecord* set, int32_t index, uint32_t* mask, int32_t* values);

/* Positions the set at `index`: *count = the size of its group. */
LV_API int MrgGetTranslationCount(MergeRecord* set, int32_t index, int32_t* count);

/* Plain: how many characters of `text` belong to the set's source
 * language (U+0001 to U+0040 always count); -1 for a null set or text or a
 * set without members. */
LV_API int32_t MrgCountLang(MergeRecord* set, const char16_t* text);

/* DicDoFilter on every member. Plain: 1 when a member changed its word
 * list (the count then follows the new lists and the set's position starts
 * anew), else 0; LV_NULL_HANDLE for a null set. */
LV_API int MrgDoFilter(MergeRecord* set, const char16_t* text);

/* ------------------------------------------------------------------------
 * Bundles: ".prc" files that list the dictionaries a product installs
 * together, and the bundle's name in the interface languages.
 * ---------------------------------------------------------------------- */

/* For the first min(*count, components) components: ids[i] its dictionary
 * id, flagsA[i] 1 unless bit 2 of its flag byte is set, flagsB[i] bit 1.
 * Then *count = the bundle's number of components. Container statuses;
 * LV_NOT_PRESENT for a bundle without its tables or with fewer component
 * entries than it claims; LV_NULL_ARGUMENT for a null count, path, or null
 * array while *count is above 0; LV_BAD_ARGUMENT for a negative *count. */
LV_API int BndGetAll(const char* bundlePath, int32_t* ids, int32_t* flagsA, int32_t* flagsB, int32_t* count);

/* The bundle's name in the interface language `languageCode` into
 * `buffer` of `bytes` bytes (at most bytes / 2 - 1 code units and a
 * terminator): the first "LANG" entry of that code, else the name for code
 * 0, else the default name. LV_NULL_ARGUMENT for a null path or buffer,
 * LV_BAD_ARGUMENT for room below one code unit, container statuses,
 * LV_NOT_PRESENT without a "HEAD". */
LV_API int BndGetName(const char* bundlePath, int32_t languageCode, char16_t* buffer, int32_t bytes);

/* ------------------------------------------------------------------------
 * Wildcard search: masks with '*' (any run of characters) and '?' (any one
 * character). A mask matches anywhere inside a headword unless a '"' at its
 * start or end anchors it there. Letters match regardless of case and
 * accents, as the built-in sort table weighs them.
 * ---------------------------------------------------------------------- */
typedef struct WildCardPattern WildCardPattern; /* WildCardStart .. WildCardEnd */

/* Plain: a new pattern for `mask`, or null when `mask` is null or memory
 * fails. Release it with WildCardEnd. */
LV_API WildCardPattern* WildCardStart(const char16_t* mask);

/* Plain: 1 when the candidate's first form (up to a TAB) or its second form
 * (after it, when not empty) matches the pattern, else 0 (also for a null
 * pattern or candidate). The candidate is not changed. */
LV_API int WildCardFeed(WildCardPattern* pattern, const char16_t* candidate);

/* Frees the pattern (null is allowed); 0. */
LV_API int WildCardEnd(WildCardPattern* pattern);

/* ------------------------------------------------------------------------
 * Fuzzy search: the headwords closest to a word by edit distance (adjacent
 * transpositions count as one edit), best first. Words and candidates of 63
 * code units or more are never compared.
 * ---------------------------------------------------------------------- */
typedef struct FuzzyState FuzzyState; /* FuzzySearchStart .. FuzzySearchEnd */

/* One kept result. `key` is the caller's key for FuzzySearchFeed, the id of
 * the dictionary that holds the headword for the dictionary searches. */
typedef struct FuzzyResult {
    char16_t headword[64]; /* terminated, zero-padded */
    int32_t distance;
    int32_t key;
} FuzzyResult;

/* The callback of the search functions: a terminated word, a value (a key
 * or 0, as each function says) and the caller's user value. Its answer is
 * ignored unless the function says otherwise. */
typedef int (*LvWordCallback)(const char16_t* word, int32_t value, void* user);

/* Compares `word` with every headword of the dictionary (each form of a
 * headword that holds two, separated by a TAB) or with the words of its
 * fuzzy word list, and calls callback(headword, 0, user) for the closest,
 * at most `maxResults`, best first. The headword pointer is the `headword`
 * field of a FuzzyResult, so the callback may read the whole result from it.
 * 0, or the status of a failed feed (the results kept until then are still
 * reported); LV_NULL_HANDLE; LV_BAD_ARGUMENT for a null word or a negative
 * maximum; LV_WORD_TOO_LONG (nothing is reported) for a word of 63 code
 * units or more. */
LV_API int DicFuzzySearch(DictionaryRecord* dic, const char16_t* word, int32_t maxResults, LvWordCallback callback,
                          void* user);

/* Starts a search for `word` that keeps at most `maxResults` results.
 * Writes a new state to *state: release it with FuzzySearchEnd. A word of 63
 * code units or more answers LV_WORD_TOO_LONG and still hands back a valid
 * state, which keeps nothing. LV_BAD_ARGUMENT for a null pointer or a
 * negative maximum (*state is then null), LV_NO_MEMORY. */
LV_API int FuzzySearchStart(FuzzyState** state, const char16_t* word, int32_t maxResults);

/* Offers one candidate. `length` is its code units + 1; a terminator met
 * earlier ends the text first. The candidate is kept with `key` when it is
 * among the closest so far (distance below 5). 0; LV_BAD_ARGUMENT for a null
 * pointer or a length below 1; LV_NO_MEMORY. */
LV_API int FuzzySearchFeed(FuzzyState* state, const char16_t* candidate, int32_t length, int32_t key);

/* Calls callback(headword, key, user) for each kept result, best first (the
 * callback may be null), and frees the state. 0, or LV_BAD_ARGUMENT for a
 * null state. */
LV_API int FuzzySearchEnd(FuzzyState* state, LvWordCallback callback, void* user);

/* ------------------------------------------------------------------------
 * Searches over a set
 * ---------------------------------------------------------------------- */

/* Calls callback(headword, 0, user) for every group of the set whose
 * headword (either form, stress marks ignored) matches `mask`, in list
 * order, letters compared by the set's main table. 0 when the list ends
 * first; LV_STOPPED once `max` headwords were reported (at once for a `max`
 * below 1); LV_NULL_HANDLE, LV_NULL_ARGUMENT; a member's read status. */
LV_API int MrgSearchWildCard(MergeRecord* set, const char16_t* mask, int32_t max, LvWordCallback callback,
                             void* user);

/* DicFuzzySearch over all members in the order of adding: the closest
 * headwords of the whole set, at most `maxResults`, best first (a
 * FuzzyResult's key is the id of the member that holds it). Afterwards the
 * set stands at its start, as after MrgSearch for a blank (which writes its
 * line to the standard error stream). 0; LV_NULL_HANDLE; LV_BAD_ARGUMENT for
 * a null word or a negative maximum; LV_WORD_TOO_LONG (nothing reported). */
LV_API int MrgFuzzySearch(MergeRecord* set, const char16_t* word, int32_t maxResults, LvWordCallback callback,
                          void* user);

/* ------------------------------------------------------------------------
 * Headword comparison
 *
 * Word lists sort by a collation that ignores case, accents, punctuation and
 * digits and expands ligatures ("Straße" = "strasse", "co-op" = "coop").
 * The compare functions answer plain values: below 0, 0 or above 0. Words
 * are terminated 16-bit texts.
 * ---------------------------------------------------------------------- */

/* Plain: compares a and b with the engine's built-in sort table, the table
 * by which every user dictionary sorts. A null word compares as empty. */
LV_API int WCmp(const char16_t* a, const char16_t* b);

/* Plain: WCmp of the first n characters of a and b (shorter words as they
 * are); n is capped at 300, and a negative n compares nothing (0). */
LV_API int WNCmp(const char16_t* a, const char16_t* b, int32_t n);

/* Plain: compares a and b with the dictionary's main sort table. A null
 * handle, or a dictionary without a table (one whose open failed), compares
 * by code unit; a null word then compares equal to anything. */
LV_API int DicWCmp(DictionaryRecord* dic, const char16_t* a, const char16_t* b);

/* Plain: the number of characters of word that count for sorting under the
 * dictionary's main sort table: ignored characters do not count, a
 * contraction counts the characters it consumes ("a-b" 2, "ß" 1). User
 * dictionaries use the built-in table. Without a table (null handle, failed
 * open) the word's length; 0 for a null word. */
LV_API int32_t DicWEffectiveLen(DictionaryRecord* dic, const char16_t* word);

/* ------------------------------------------------------------------------
 * Reading entries and articles
 * ---------------------------------------------------------------------- */

/* The style of an article run: StyleRecord, defined with the user
 * dictionaries below (20 bytes). */
struct StyleRecord;

/* Receives an article from DicExtract. `zero` is always 0. `index` is -16
 * for the header line (before -2, only when one was asked for), -2 for the
 * article start, a style number for one run of text (terminated, `length`
 * code units, `style` describes it), and -1 for the article end. A non-zero
 * answer to -2 or to a run stops the article: one more call with -1 follows
 * and DicExtract returns LV_STOPPED. Answers to -16 and -1 are ignored. */
typedef int (*OutputCallback)(int zero, const char16_t* text, int32_t length, const struct StyleRecord* style,
                              int32_t index, void* user);

/* Positions the dictionary's current word list at `word`: *index becomes the
 * first entry that does not sort before it, or the last entry. An empty word
 * gives 0. Returns 0 also when the word is not in the list; LV_NULL_HANDLE,
 * LV_NULL_ARGUMENT (null word or index), or the status of a failed read. */
LV_API int DicSearch(DictionaryRecord* dic, const char16_t* word, int32_t unused, int32_t* index);

/* Chooses the word list that suits the typed `text` (main or alternative;
 * only Japanese and Chinese dictionaries have two). Plain: 1 when the
 * current list changed, 0 otherwise; LV_NULL_HANDLE for a null handle. */
LV_API int DicDoFilter(DictionaryRecord* dic, const char16_t* text);

/* Sends entry `index` (>= 0) through `callback`: with `withHeader`, first a
 * header line, which is the entry's headword when `headerIsHeadword`, else
 * the title in `headerLanguage`. Returns 0, LV_STOPPED when the callback
 * stopped the article, or the read's status. */
LV_API int DicExtract(DictionaryRecord* dic, int32_t index, int32_t withHeader, int32_t headerLanguage,
                      OutputCallback callback, void* user, int32_t headerIsHeadword);

/* Data of the dictionary by `kind` (units of *length: see each kind):
 *  0  `argument` >= 0: the headword of that entry; negative: the title of
 *     special entry (~argument & 0xFF) (LV_NO_SPECIAL_ENTRY when absent).
 *     `buffer` gets at most *length - 1 code units and a terminator, cleaned
 *     for display ("\xHHHH" escapes resolved, a leading blank dropped);
 *     *length becomes the number written. *length 0: LV_BUFFER_TOO_SMALL.
 *  1, 4, 5, 6  `argument` is an interface language code; the title, source
 *     language name, target language name and description. *length counts
 *     bytes: the text gets *length / 2 code units with its terminator, and
 *     *length becomes its length in code units; *extra (may be null) the
 *     language the text is in, 0 for the dictionary's own text.
 *  7  `argument` points to a reference text ("<img ID=IMG-0001>"): the bytes
 *     of that binary item. *length counts bytes; when the item is larger,
 *     the answer is -1 and *length its size, so that the caller can retry.
 * Other kinds answer length 0 and status 0. */
LV_API int DicGetData(DictionaryRecord* dic, int32_t kind, intptr_t argument, void* buffer, int32_t* length,
                      int32_t* extra);

/* ------------------------------------------------------------------------
 * User dictionaries (".udd" files: SQLite databases of the user's articles)
 *
 * These functions answer 0 for success, an engine status, or an SQLite
 * result code plus LV_SQLITE_BASE when the database refused a statement.
 * Every change is one transaction: a change that fails, or a process that
 * dies in the middle of one, leaves the file as it was before the call.
 * ---------------------------------------------------------------------- */

/* The caller's text services. The engine compares titles, changes letter
 * case and splits article text into words only through these operations,
 * so that a user dictionary sorts as the caller's other word lists do.
 * Every operation receives `context` first. Texts are terminated 16-bit
 * texts. A null helper, and any null operation in one, is served by the
 * engine's default helper (simple case-insensitive code-unit order).
 * The caller keeps the helper alive while a dictionary opened with it is
 * open, or while the call that took it runs. */
struct UDHelper {
    void* context;
    /* Order of two titles: negative, 0 or positive. */
    int (*compare)(void* context, const char16_t* a, const char16_t* b);
    /* The same over at most n characters. */
    int (*compareN)(void* context, const char16_t* a, const char16_t* b, int32_t n);
    /* Upper-cases, or lower-cases, s in place. */
    void (*upper)(void* context, char16_t* s);
    void (*lower)(void* context, char16_t* s);
    /* Removes the last character of s; returns the new length. */
    int32_t (*dropLast)(void* context, char16_t* s);
    /* 8-bit text in a code page to at most max-1 16-bit characters and a
     * terminator, and back; both return 0. */
    int (*toWide)(void* context, const char* source, char16_t* target, int32_t max, int32_t codePage);
    int (*toNarrow)(void* context, const char16_t* source, char* target, int32_t max, int32_t codePage);
    /* Finds the next word at or after `source`, copies at most max-1 of its
     * characters and a terminator to `target`, and returns where the search
     * goes on; null when no word is left. */
    const char16_t* (*nextWord)(void* context, const char16_t* source, char16_t* target, int32_t max);
};

/* One text style of a user dictionary, 20 bytes. */
typedef struct StyleRecord {
    int32_t number;      /* 0 to 99; a negative number asks for a free one */
    uint32_t color;      /* 0x00RRGGBB; a top byte k of 1 to 10 marks headword class k */
    int8_t language;     /* language of the text in this style */
    int8_t bold;         /* non-zero: bold */
    int8_t italic;       /* non-zero: italic */
    int8_t underline;    /* non-zero: underlined */
    int8_t fontSize;     /* 0 normal, 1 larger, 2 smaller */
    int8_t level;        /* 0 normal, 1 subscript, 2 superscript */
    uint8_t reserved[2]; /* not stored */
    uint32_t secondColor; /* not stored; article output sets it to 0xFFFFFFFF */
} StyleRecord;

/* Called by UdSearch once for every article that holds the word: its word
 * index, the 1-based ordinals of the word in the article's text (at most
 * 256), the caller's value and the number of ordinals. Answer 0 to stop. */
typedef int (*UdSearchCallback)(int32_t index, const uint32_t* positions, void* user, int32_t count);

/* Creates the user dictionary `path` (UTF-8, at most 299 bytes), replacing
 * any file there. When `name` is given (at most 149 characters) the
 * dictionary's name and its two languages are stored with it. `reserved` is
 * not used. A failed creation leaves no file behind. */
LV_API int UdCreate(UDHelper* helper, const char* path, const char16_t* name, intptr_t reserved,
                    int32_t language, int32_t pairLanguage);

/* Stores a named property (8-bit name, 16-bit text), replacing its value. */
LV_API int UdSetProp(DictionaryRecord* dic, const char* name, const char16_t* text);

/* Replaces the dictionary's whole style table by `count` records; records
 * with a negative number get the lowest free numbers. Refuses
 * (LV_BAD_ARGUMENT) numbers above 99 and numbers given twice, and then
 * leaves the table as it was. */
LV_API int UdSetStyles(DictionaryRecord* dic, const StyleRecord* records, int32_t count);

/* Copies the stored styles into `buffer`, style i at buffer[i], for the
 * numbers below both the number of stored styles and `capacity`; slots
 * whose number is not stored are left untouched. Plain: the number of
 * stored styles, or a status above 1000 (LV_NULL_HANDLE, LV_NULL_ARGUMENT,
 * or an SQLite code plus LV_SQLITE_BASE). */
LV_API int UdGetStyles(DictionaryRecord* dic, StyleRecord* buffer, int32_t capacity);

/* Adds an article: `title` (at most 256 characters) and `body`, the article
 * markup, and replaces the style table by `records` as UdSetStyles does,
 * also when the article could not be added. `reserved` is not used.
 * Word indexes change afterwards: reload the word list. */
LV_API int UdAdd(DictionaryRecord* dic, const char16_t* title, const char16_t* body, const StyleRecord* records,
                 int32_t count, intptr_t reserved);

/* Replaces the article at word index `index` by a new title and body (its
 * place follows the new title), and the style table as UdAdd does. */
LV_API int UdUpdate(DictionaryRecord* dic, const char16_t* title, const char16_t* body, const StyleRecord* records,
                    int32_t count, int32_t index);

/* Deletes the article at word index `index`. */
LV_API int UdDelete(DictionaryRecord* dic, int32_t index);

/* Full-text search: calls `callback` for each article that holds a word
 * with the hash of `word` (compared without regard to case). Articles of
 * other words with the same hash are reported too. */
LV_API int UdSearch(DictionaryRecord* dic, const char16_t* word, UdSearchCallback callback, void* user);

/* ------------------------------------------------------------------------
 * Import and export of user dictionaries
 * ---------------------------------------------------------------------- */

/* What UdConvert does. */
enum UdConvertType {
    UD_EXPORT_DSL = 0, /* the dictionary into a DSL text file */
    UD_IMPORT_DSL = 1, /* a DSL text file into the dictionary */
    UD_EXPORT_MLX = 2, /* the dictionary into an MLX (HTML) file */
    UD_IMPORT_MLX = 3  /* an MLX file into the dictionary */
};

/* Results of UdConvert besides 0, the engine statuses and SQLite codes plus
 * LV_SQLITE_BASE. */
enum UdConvertResult {
    UD_CANNOT_READ_TEXT = 1,      /* the text file cannot be opened for reading */
    UD_NO_BUFFER = 2,             /* a work buffer cannot be allocated */
    UD_CANCELLED = 10005,         /* the progress callback answered 0 */
    UD_CANNOT_WRITE_TEXT = 10006, /* the text file cannot be created, written or closed */
    UD_NOT_STORED_BASE = 100000   /* import done; this plus the articles read but not stored */
};

/* Called with the percentage done whenever its whole part changes, and at
 * least every 100 ms of work. Answer 0 to cancel. */
typedef int (*UdProgressCallback)(double percent, void* user);

/* Exports the user dictionary `uddPath` into the text file `textPath`, or
 * imports the text file into it (both UTF-8 paths), as `type` says.
 * `callback` may be null. An export replaces the text file only when it is
 * complete: a failed or cancelled export leaves no file behind. An import
 * is one transaction: a failed or cancelled import leaves the dictionary as
 * it was. Returns 0, a UdConvertResult, LV_BAD_ARGUMENT for a type this
 * engine does not convert, or the status of a failed database step. */
LV_API int UdConvert(UDHelper* helper, const char* uddPath, const char* textPath, int32_t type,
                     UdProgressCallback callback, void* user);

#ifdef __cplusplus
}
#endif

#endif /* LEXVANE_ENGINE_H */
