// dictionary_compiler.h: compiling a whole dictionary from a simple source.
//
// The source is a list of entries (headword, article runs with style
// numbers) in the order of the main sort table, the styles' definitions and
// the tables the compiler does not make itself (sort sources, code pages).
// The compiler writes every resource the reader reads: HEAD, QIDX, SYMB,
// COMP, UNIC, TREE and Tfst per style, INFO, the headword and article
// streams and, when asked, the alternative word list. It is test and sample
// tooling: it trusts its source (sorted, texts without NUL bytes).
// See docs/formats/compiled-dictionary.md.
#pragma once

#include "prc_writer.h"
#include "prefix_code.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace lexvane::tools {

struct SourceRun {
    std::uint8_t style = 3;        // 3 and up; 0 to 2 are the reserved styles
    std::string text;              // stored form (UTF-8 or 8-bit); prefix-code styles only
    std::uint32_t reference = 0;   // entry index, for generated references (kinds 1 and 2)
};

struct SourceEntry {
    std::string headword;          // stored form
    std::vector<SourceRun> article;
};

struct AlternativeSourceEntry {
    std::string headword;          // UTF-8, in sort order
    std::vector<std::uint32_t> articles; // main entries it stands for
};

// Description texts in one interface language ("LANG"): item k holds at
// most 63 code units.
struct LocalisedDescription {
    std::string language;              // four letters
    std::map<int, std::u16string> items;
};

struct DictionarySource {
    std::uint32_t version = 615;
    std::string id = "0A1B";
    std::string sourceLanguage = "engl";
    std::string targetLanguage = "russ";
    std::string companionId;       // empty: none
    bool utf8Words = true;
    std::string title;             // description item 2
    std::string item3;
    std::string item4;
    std::string item9;
    std::string item10;
    // A long header (608 bytes) carries these too; a short one (320 bytes)
    // leaves them to the reader's defaults.
    bool longHeader = false;
    std::string item0;             // up to 127 bytes, continued at offset 544
    std::string item5;
    std::string item6;
    std::string item7;
    std::string item8;
    std::vector<LocalisedDescription> localised;  // "LANG" 0, 1, ...
    std::vector<std::vector<std::uint8_t>> images; // "META" key "IMG-", items 1, 2, ...

    // Styles 3 and up; styles 0 to 2 are made by the compiler.
    std::vector<StyleDefinition> styles;
    std::vector<SourceEntry> entries;
    std::vector<AlternativeSourceEntry> alternative;
    std::vector<std::string> specialEntries;       // "INFO" texts: title line, then the body

    std::vector<std::uint8_t> sortTable;           // "COMP" 0
    std::vector<std::uint8_t> secondSortTable;     // "COMP" 1 (UTF-8 only; empty: none)
    std::vector<std::vector<std::uint8_t>> codePages; // "UNIC" 0, 1, 2
};

struct CompileOptions {
    bool fastTables = true;
    std::int32_t quickAccessInterval = 32;   // entries between quick-access points
    std::uint8_t articleLengthBits = 24;     // 0: no entry carries its article's length
    std::uint32_t longArticleThreshold = 0;  // 0: no long-article lengths
    std::uint32_t longArticleLengthBits = 32;
    std::uint8_t entryReferenceBits = 0;     // 0: enough for the larger of this and the companion's count
    std::int32_t companionEntryCount = 0;
    std::uint8_t alternativeCountBits = 8;
    // A compressed word list of the headwords ("WLST", word_list_writer.h)
    // that feeds the fuzzy search, cut into resources of this many bytes.
    bool fuzzyWordList = false;
    std::size_t fuzzyWordListChunkSize = PrcWriter::kMaximumResourceSize;
};

// Compiles `source` into `out`. False with `error` set when the source
// cannot be written (a resource too large, a style out of range ...).
bool compileDictionary(const DictionarySource& source, const CompileOptions& options, PrcWriter& out,
                       std::string& error);

} // namespace lexvane::tools
