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
#include "dictionary_compiler.h"
#include "sort_table_writer.h"

#include <zlib.h>

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

enum Style : std::uint8_t { kPlain = 3, kTranscription = 4, kLabel = 5, kNumber = 6 };

bool decodeNumber(const std::string& text, std::uint64_t& value)
{
    static const std::string digits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    value = 0;
    for (char c : text) {
        const std::size_t digit = digits.find(c);
        if (digit == std::string::npos)
            return false;
        value = value * 64 + digit;
    }
    return !text.empty();
}

bool readCompressed(const std::string& path, std::string& data)
{
    gzFile file = gzopen(path.c_str(), "rb");
    if (!file)
        return false;
    char buffer[1 << 16];
    int got = 0;
    while ((got = gzread(file, buffer, sizeof buffer)) > 0)
        data.append(buffer, static_cast<std::size_t>(got));
    const bool ok = got == 0;
    gzclose(file);
    return ok;
}

std::u16string toUtf16(const std::string& text)
{
    std::u16string out;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::uint32_t c = lead;
        std::size_t length = 1;
        if (lead >= 0xF0) {
            c = lead & 0x07;
            length = 4;
        } else if (lead >= 0xE0) {
            c = lead & 0x0F;
            length = 3;
        } else if (lead >= 0xC0) {
            c = lead & 0x1F;
            length = 2;
        }
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k)
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        if (c >= 0x10000) {
            c -= 0x10000;
            out.push_back(static_cast<char16_t>(0xD800 + (c >> 10)));
            out.push_back(static_cast<char16_t>(0xDC00 + (c & 0x3FF)));
        } else {
            out.push_back(static_cast<char16_t>(c));
        }
        i += length;
    }
    return out;
}

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

void addRun(std::vector<SourceRun>& runs, std::uint8_t style, const std::string& text)
{
    if (text.empty())
        return;
    if (!runs.empty() && runs.back().style == style)
        runs.back().text += text;
    else
        runs.push_back(SourceRun{style, text, 0});
}

// The length of a line-opening number ("12.", "3)", "б)") with its blank.
std::size_t numberLength(const std::string& line)
{
    std::size_t i = 0;
    while (i < line.size() && line[i] >= '0' && line[i] <= '9')
        ++i;
    if (i == 0) {
        // One letter, Latin or Cyrillic (two UTF-8 bytes), before ')'.
        if (!line.empty() && static_cast<unsigned char>(line[0]) >= 0xC0)
            i = 2;
        else if (!line.empty() && std::isalpha(static_cast<unsigned char>(line[0])))
            i = 1;
        if (i == 0 || i >= line.size() || line[i] != ')')
            return 0;
    } else if (i >= line.size() || (line[i] != '.' && line[i] != ')')) {
        return 0;
    }
    ++i;
    if (i < line.size() && line[i] == ' ')
        ++i;
    return i;
}

std::vector<SourceRun> convertArticle(const std::string& headword, const std::string& text)
{
    std::vector<SourceRun> runs;
    std::istringstream lines(text);
    std::string line;
    bool first = true;
    bool any = false;
    while (std::getline(lines, line)) {
        while (!line.empty() && (line.back() == ' ' || line.back() == '\r'))
            line.pop_back();
        if (first) {
            first = false;
            if (line == headword)
                continue;
        }
        if (line.empty())
            continue;
        if (any)
            addRun(runs, kPlain, "\n");
        any = true;
        std::size_t indent = 0;
        while (indent < line.size() && line[indent] == ' ')
            ++indent;
        // The articles indent every line by three blanks; deeper levels keep
        // the rest of their indentation.
        addRun(runs, kPlain, std::string(indent > 3 ? indent - 3 : 0, ' '));
        std::string rest = line.substr(indent);
        const std::size_t number = numberLength(rest);
        addRun(runs, kNumber, rest.substr(0, number));
        rest = rest.substr(number);
        std::size_t i = 0;
        std::string plain;
        while (i < rest.size()) {
            if (rest[i] == '[') {
                const std::size_t close = rest.find(']', i);
                if (close != std::string::npos) {
                    addRun(runs, kPlain, plain);
                    plain.clear();
                    addRun(runs, kTranscription, rest.substr(i, close - i + 1));
                    i = close + 1;
                    continue;
                }
            }
            if (rest[i] == '_' && (i == 0 || rest[i - 1] == ' ' || rest[i - 1] == '(')) {
                std::size_t end = i + 1;
                while (end < rest.size() && rest[end] != ' ' && rest[end] != ',' && rest[end] != ';' &&
                       rest[end] != ')')
                    ++end;
                addRun(runs, kPlain, plain);
                plain.clear();
                addRun(runs, kLabel, rest.substr(i + 1, end - i - 1));
                i = end;
                continue;
            }
            plain.push_back(rest[i++]);
        }
        addRun(runs, kPlain, plain);
    }
    return runs;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc < 7) {
        std::fprintf(stderr, "usage: lexvane-from-dictd INDEX DICT.dz OUT.prc ID SOURCE TARGET [TITLE]\n");
        return 2;
    }
    std::string data;
    if (!readCompressed(argv[2], data)) {
        std::fprintf(stderr, "lexvane-from-dictd: cannot read %s\n", argv[2]);
        return 1;
    }
    std::ifstream index(argv[1]);
    if (!index) {
        std::fprintf(stderr, "lexvane-from-dictd: cannot read %s\n", argv[1]);
        return 1;
    }

    struct Item {
        std::u16string key;
        SourceEntry entry;
    };
    std::vector<Item> items;
    std::string line;
    std::size_t skipped = 0;
    std::string shortName;
    std::string information;
    while (std::getline(index, line)) {
        const std::size_t tab1 = line.find('\t');
        const std::size_t tab2 = tab1 == std::string::npos ? tab1 : line.find('\t', tab1 + 1);
        std::uint64_t offset = 0;
        std::uint64_t length = 0;
        if (tab2 == std::string::npos || !decodeNumber(line.substr(tab1 + 1, tab2 - tab1 - 1), offset) ||
            !decodeNumber(line.substr(tab2 + 1), length) || offset + length > data.size()) {
            ++skipped;
            continue;
        }
        const std::string headword = line.substr(0, tab1);
        if (headword == "00-database-short")
            shortName = data.substr(offset, length);
        if (headword == "00-database-info")
            information = data.substr(offset, length);
        if (headword.rfind("00-database-", 0) == 0 || headword.empty())
            continue;
        Item item;
        item.key = toUtf16(headword);
        item.entry.headword = headword;
        item.entry.article = convertArticle(headword, data.substr(offset, length));
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
    std::string error;
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
