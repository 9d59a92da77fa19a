// dictd_converter.cpp: lexvane-from-dictd, turning a dictionary in the
// dict-server format (a ".index" file and a gzip-compressed ".dict.dz") into
// a compiled dictionary with UTF-8 words, sorted by the built-in table.
//
//   lexvane-from-dictd INDEX DICT.dz OUT.prc ID SOURCE TARGET [DESCRIPTION]
//
// Articles become runs of four styles: plain text (3), transcriptions in
// square brackets (4), grammar labels written with a leading underscore (5,
// italic) and the numbers that open a line ("1.", "2)", "а)"; 6, bold). The
// first line of an article repeats the headword and is dropped. The
// server's own "00-database-*" entries are not words: "00-database-short"
// becomes the title and "00-database-info" a special entry, "About".
#include "collation/built_in_sort_table.h"
#include "collation/word_comparison.h"
#include "dictd_source.h"
#include "dictionary_compiler.h"
#include "sort_table_writer.h"

#include <algorithm>
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

namespace {

using lexvane::tools::SourceEntry;
using lexvane::tools::SourceRun;
using lexvane::tools::dictd::DictdEntry;
using namespace lexvane::tools::dictd;

std::string trimmed(const std::string& text)
{
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    const std::size_t last = text.find_last_not_of(" \t\r\n");
    return first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
}

std::string englishName(const std::string& code)
{
    static const std::pair<const char*, const char*> kNames[] = {
        {"engl", "English"}, {"russ", "Russian"}, {"germ", "German"}, {"fren", "French"},
        {"span", "Spanish"}, {"ital", "Italian"}, {"ukra", "Ukrainian"}, {"poli", "Polish"},
    };
    for (const auto& [known, name] : kNames)
        if (code == known)
            return name;
    return code;
}


} // namespace

int main(int argc, char** argv)
{
    if (argc < 7) {
        std::fprintf(stderr, "usage: lexvane-from-dictd INDEX DICT.dz OUT.prc ID SOURCE TARGET [TITLE]\n");
        return 2;
    }
    std::vector<DictdEntry> entries;
    std::size_t skipped = 0;
    std::string error;
    if (!readDictd(argv[1], argv[2], entries, skipped, error)) {
        std::fprintf(stderr, "lexvane-from-dictd: %s\n", error.c_str());
        return 1;
    }

    struct Item {
        std::u16string key;
        SourceEntry entry;
    };
    std::vector<Item> items;
    std::string shortName;
    std::string information;
    for (DictdEntry& source : entries) {
        const std::string& headword = source.headword;
        if (headword == "00-database-short")
            shortName = source.text;
        if (headword == "00-database-info")
            information = source.text;
        if (headword.rfind("00-database-", 0) == 0 || headword.empty())
            continue;
        Item item;
        item.key = toUtf16(headword);
        item.entry.headword = headword;
        item.entry.article = convertArticle(headword, source.text);
        items.push_back(std::move(item));
    }
    const lexvane::engine::SortTable& table = lexvane::engine::builtInSortTable();
    std::stable_sort(items.begin(), items.end(), [&](const Item& a, const Item& b) {
        return lexvane::engine::compare(a.key, b.key, &table) < 0;
    });

    lexvane::tools::DictionarySource source;
    source.id = argv[4];
    source.sourceLanguage = argv[5];
    source.targetLanguage = argv[6];
    // The short name's first line repeats the entry's own name.
    const std::size_t nameStart = shortName.find('\n');
    source.title = trimmed(nameStart == std::string::npos ? shortName : shortName.substr(nameStart + 1));
    source.longHeader = true;
    source.item0 = argc > 7 ? argv[7] : "";
    source.item5 = englishName(source.sourceLanguage) + "-" + englishName(source.targetLanguage);
    source.item6 = englishName(source.sourceLanguage).substr(0, 2) + "-" + englishName(source.targetLanguage).substr(0, 2);
    source.item7 = englishName(source.sourceLanguage);
    source.item8 = englishName(source.targetLanguage);
    if (!information.empty()) {
        // Slashes switch styles in special entries; a literal one is doubled.
        std::string body;
        for (char c : information) {
            body.push_back(c);
            if (c == '/')
                body.push_back('/');
        }
        source.specialEntries.push_back("About\n/03" + body.substr(0, 60000));
    }
    source.styles.resize(4);
    source.styles[kTranscription - 3].colour = 0x800000;
    source.styles[kLabel - 3].italic = 1;
    source.styles[kLabel - 3].colour = 0x006000;
    source.styles[kNumber - 3].bold = 1;
    if (!lexvane::tools::writeSortTable(table, source.sortTable, error)) {
        std::fprintf(stderr, "lexvane-from-dictd: %s\n", error.c_str());
        return 1;
    }
    for (Item& item : items)
        source.entries.push_back(std::move(item.entry));

    lexvane::tools::PrcWriter writer(source.title.empty() ? std::string("Lexvane") : source.title.substr(0, 31));
    if (!lexvane::tools::compileDictionary(source, lexvane::tools::CompileOptions{}, writer, error) ||
        !writer.write(argv[3], error)) {
        std::fprintf(stderr, "lexvane-from-dictd: %s\n", error.c_str());
        return 1;
    }
    std::printf("%s: %zu entries (%zu index lines unreadable)\n", argv[3], source.entries.size(), skipped);
    return 0;
}
