// dictd_source.h: reading dictionaries in the dict-server format.
//
// A dictionary is a ".index" file (headword, offset and length in base 64
// per line) and a gzip-compressed ".dict.dz" with the articles. The tools
// that turn such a dictionary into a compiled dictionary or a DSL file
// share this reader and its reading of the article layout: runs of plain
// text, transcriptions in square brackets, grammar labels with a leading
// underscore and the numbers that open a line.
#pragma once

#include "dictionary_compiler.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lexvane::tools::dictd {

enum Style : std::uint8_t { kPlain = 3, kTranscription = 4, kLabel = 5, kNumber = 6 };

struct DictdEntry {
    std::string headword; // UTF-8
    std::string text;     // the article as stored, UTF-8
};

// Reads every entry in index order, the server's own "00-database-*"
// entries included. `skipped` counts index lines that could not be read.
bool readDictd(const std::string& indexPath, const std::string& dictPath, std::vector<DictdEntry>& entries,
               std::size_t& skipped, std::string& error);

// UTF-8 to UTF-16 (no validation: the dictionaries are trusted samples).
std::u16string toUtf16(const std::string& text);

// The runs of one article. Its first line repeats the headword and is
// dropped; lines are joined by "\n" in plain style.
std::vector<SourceRun> convertArticle(const std::string& headword, const std::string& text);

} // namespace lexvane::tools::dictd
