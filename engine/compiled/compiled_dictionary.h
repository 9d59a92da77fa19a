// compiled_dictionary.h: the reading state of one compiled dictionary.
//
// Opening reads the header and the tables (quick-access index, alphabet,
// sort sources, code pages, text models, special entries); the article and
// headword streams are read block by block as entries are decoded.
//
// Invariants:
// - When `m_synchronised`, the headword stream stands at the start of entry
//   m_current + 1 and m_word8 is entry m_current's headword (front coding
//   needs it); the article stream stands at the article of m_articleEntry.
// - Any failure while decoding clears `m_synchronised`: the next read starts
//   again from a quick-access point, so one damaged entry never leaves the
//   reader out of step.
// - A lookup or random read decodes at most one quick-access interval.
// See docs/formats/compiled-dictionary.md.
#pragma once

#include "collation/byte_sort_table.h"
#include "collation/sort_table.h"
#include "compiled/bit_stream.h"
#include "compiled/dictionary_header.h"
#include "compiled/word_cache.h"
#include "compiled/quick_access_index.h"
#include "compiled/text_conversion.h"
#include "compiled/text_model.h"
#include "container/prc_resource_file.h"
#include "frame/dictionary_record.h"
#include "frame/reading_position.h"

#include <array>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace lexvane::engine {

class CompiledDictionary : public DictionaryState {
public:
    static constexpr std::uint32_t kTag = 0; // compiled dictionaries carry no tag
    static constexpr std::size_t kWordCapacity = 8192;  // headword buffers, with the terminator
    static constexpr std::size_t kRunCapacity = 20480;  // run buffers, with the terminator
    static constexpr int kMaximumNesting = 2;

    CompiledDictionary() : DictionaryState(kTag) {}
    ~CompiledDictionary() override;

    // Opens the container for `path` and `id` and reads the header and the
    // tables. Status 0, a container status, LV_ID_MISMATCH,
    // LV_UNSUPPORTED_FORMAT, LV_NOT_PRESENT (missing or damaged table) or
    // LV_BAD_SORT_TABLE.
    int open(const std::string& path, std::int32_t id);
    // Opens the companion named by the header, once. Status 0 or its open's.
    int openCompanion(const std::string& path);
    void close();

    // Where mode-1 reads send articles; null drops them.
    void setOutput(const OutputBinding* output) { m_output = output; }

    const DictionaryHeader& header() const { return m_header; }
    PrcResourceFile& container() { return m_container; }
    CompiledDictionary* companion() const { return m_companion; }

    // Reading (slots 5 to 8, 11). Status 0, LV_OUT_OF_RANGE past the list,
    // LV_STOPPED when the output stopped an article, LV_NOT_PRESENT for
    // damaged data, LV_NESTED_TOO_DEEPLY.
    int readEntry(std::int32_t index, int mode);      // current list
    int readMainEntry(std::int32_t index, int mode);  // main list
    int nextEntry(int mode);
    int nextMainEntry(int mode);
    int goToQuickAccessPoint(std::int32_t point, int mode);

    // Positions the current list at the first entry that does not sort
    // before `word` (or the last entry). LV_NULL_ARGUMENT for null.
    int findWord(const char16_t* word);
    int findWord8(const char* word);

    // Chooses the word list for a typed text; true when the choice changed.
    bool chooseWordList(const char16_t* text);
    bool alternativeListCurrent() const { return m_alternativeCurrent; }
    // Makes the main (false) or the alternative list (true) current.
    // LV_NO_ALTERNATIVE_LIST when there is none.
    int useAlternativeList(bool alternative);

    // Quick-access points of the main list (slots 13 to 15, 22).
    std::int32_t quickAccessCount() const { return static_cast<std::int32_t>(m_quickAccess.size()); }
    int quickAccessWord8(std::int32_t point, const char** word) const;
    int quickAccessWord16(std::int32_t point, const char16_t** word) const;
    std::int32_t quickAccessEntryIndex(std::int32_t point) const;

    // Current word and index of the current list (slots 17 to 21).
    const char* currentWord8() const;
    const char16_t* currentWord16() const;
    // The last headword read from the main list, whichever list is current.
    const std::u16string& mainWord16() const { return m_word16; }
    std::int32_t currentIndex() const;
    std::int32_t count() const;
    int setCurrentIndex(std::int32_t index);

    int savePosition(ReadingPosition& position) const;
    int restorePosition(const ReadingPosition& position);

    bool inAlphabet16(char16_t c) const;
    bool inAlphabet8(std::uint8_t c) const;

    // Description item `item` (0, 2 to 10) for an interface language: the
    // first "LANG" resource of that language, else the header's text.
    // `extra` = the language when a "LANG" text was taken, else 0.
    // LV_UNKNOWN_ITEM for other items. See docs/formats/compiled-dictionary.md.
    int descriptionItem(int item, std::int32_t language, std::u16string& text, std::int32_t& extra);

    // Slot 29: makes the title of special entry k current (slot 18 reads it).
    // LV_NO_SPECIAL_ENTRY when k is not present.
    int makeSpecialEntryCurrent(std::int32_t k);
    // Slot 30: sends special entry k through the output stage.
    int renderSpecialEntry(std::int32_t k);

    // The bytes of the binary item a reference text names ("<img ID=IMG-0001>").
    // Status 0 with `size` set; LV_BAD_REFERENCE for a bad number;
    // LV_NOT_PRESENT for an item the dictionary does not have. `bytes` is
    // filled only when `capacity` holds the item.
    int binaryItem(std::u16string_view reference, std::uint8_t* bytes, std::size_t capacity, std::uint32_t& size);

    // The special entries ("INFO" 0, 1, ...).
    const std::vector<ResourceBlock>& specialEntries() const { return m_specialEntries; }
    const TextModel& model(std::size_t style) const { return m_models[style]; }
    std::size_t styleCount() const { return m_models.size(); }
    const CodePage& codePage(std::size_t k) const { return m_codePages[k]; }

    // The stored form of a dictionary text in UTF-16 (UTF-8 or "UNIC" 0).
    std::u16string wordToUtf16(std::string_view stored) const;
    void appendWordAsUtf16(std::string_view stored, std::u16string& word) const;
    // UTF-16 word into the stored form (UTF-8, or 8-bit through "UNIC" 0).
    std::string wordFromUtf16(std::u16string_view word) const;

    // The word list's words, kept by the fuzzy feed between searches.
    WordCache& fuzzyWordCache() { return m_fuzzyWords; }
    // The main list's headwords, kept by the fuzzy feed of a dictionary
    // without a word list.
    WordCache& headwordCache() { return m_headwordCache; }

    // Compares two words with the main sort table.
    int compareWords(std::u16string_view a, std::u16string_view b) const;

    // Slot 16: 0 = the main table, 1 = the second table (UTF-8 dictionaries
    // with a "COMP" 1); null for any other argument or a table not loaded.
    const SortTable* sortTable(int which) const;
    // The byte collation of an 8-bit dictionary, for its 8-bit words; null
    // for UTF-8 dictionaries.
    const ByteSortTable* byteSortTable() const { return m_byteSortTable ? &*m_byteSortTable : nullptr; }

private:
    struct EntryStart {
        bool valid = false;
        bool articleValid = false;
        std::uint64_t headwordPosition = 0;
        std::uint64_t articlePosition = 0;
        std::string previousWord;
    };

    // Alternative-list reading state.
    struct AlternativeList {
        QuickAccessIndex index;
        TextModel characters;   // "Ittr"
        TextModel shared;       // "Isht"
        BitStream headwords;    // "Icka"
        BitStream counts;       // "Icnt"
        BitStream values;       // "Ival"
        std::int32_t current = -1;
        std::uint32_t articleBase = 0; // first "Ival" slot of the current entry
        bool synchronised = false;
        std::string word8;
        std::u16string word16;
    };

    int loadTables(std::int32_t id);
    int loadSortTables();
    int loadModel(TextModel& model, ResourceType treeType, ResourceType fastType, std::uint16_t id, bool fastOptional);
    bool separateHeadwords() const { return m_header.version >= 615; }
    BitStream& headwordStream() { return separateHeadwords() ? m_headwords : m_articles; }

    // Decodes entry m_current + 1 from the current positions.
    int decodeNext(int mode);
    // Front-coded headword: one style-1 run (shared count + 1), one style-0 run.
    int decodeHeadword(BitStream& stream, const TextModel& sharedModel, const TextModel& characterModel,
                       const std::string& previous, std::string& word);
    int decodeArticle(int mode);
    // One run of `style` appended to `run`; `output` decides whether
    // generated texts are produced.
    int decodeRun(std::size_t style, BitStream& stream, bool output, std::string& run);
    // Fails with LV_NOT_PRESENT once `run` would reach `capacity` units.
    int decodePrefixRun(const TextModel& model, BitStream& stream, std::string& run,
                        std::size_t capacity = kRunCapacity);
    int generateText(const TextModel& model, BitStream& stream, bool output, std::string& run);
    int referencedHeadword(CompiledDictionary& source, std::uint32_t entry, std::string& word);
    int seekToPoint(std::int32_t point);
    int sendRun(std::size_t style, const std::string& run);
    StyleRecord styleRecord(std::size_t style) const;
    std::u16string runToUtf16(std::size_t style, const std::string& text) const;
    void desynchronise();

    int readAlternative(std::int32_t index, int mode);
    int decodeNextAlternative();
    int alternativeArticleCount(std::int32_t entry, std::uint32_t& count);
    int findAlternative(std::u16string_view word);

    PrcResourceFile m_container;
    DictionaryHeader m_header;
    QuickAccessIndex m_quickAccess;
    ResourceBlock m_alphabet;
    std::optional<SortTable> m_mainSortTable;
    std::optional<SortTable> m_secondSortTable;
    std::optional<ByteSortTable> m_byteSortTable;
    std::array<CodePage, 3> m_codePages;
    ResourceBlock m_phonetics;          // kept while open, not read
    std::vector<TextModel> m_models;
    std::vector<ResourceBlock> m_specialEntries;
    std::unique_ptr<AlternativeList> m_alternative;
    bool m_alternativeCurrent = false;

    BitStream m_articles;
    BitStream m_headwords;
    bool m_synchronised = false;
    std::int32_t m_current = -1;
    std::int32_t m_articleEntry = 0;
    EntryStart m_entryStart;
    std::string m_word8;
    std::u16string m_word16;
    // The next headword while it is decoded; kept to reuse its storage.
    std::string m_nextWord8;
    int m_depth = 0;
    bool m_stopped = false;             // the output stopped the article being decoded
    std::uint32_t m_upperCounter = 0;
    std::uint32_t m_middleCounter = 0;
    std::uint32_t m_lowerCounter = 0;

    const OutputBinding* m_output = nullptr;
    std::unique_ptr<CompiledDictionary> m_ownedCompanion;
    CompiledDictionary* m_companion = nullptr; // owned, or the dictionary that owns this one

    // Quick-access prefixes widened once, for slot 14 and bisection.
    std::vector<std::u16string> m_pointWords16;
    WordCache m_fuzzyWords;
    WordCache m_headwordCache;
};

// The compiled dictionary behind a record; null when the record holds none.
CompiledDictionary* compiledDictionaryOf(DictionaryRecord& record);

} // namespace lexvane::engine
