// dictd_source.cpp: the index, the compressed articles and the article
// layout of dict-server dictionaries.
#include "dictd_source.h"

#include "compiled/text_conversion.h"

#include <zlib.h>

#include <cctype>
#include <fstream>
#include <sstream>

namespace lexvane::tools::dictd {

namespace {

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

} // namespace

std::u16string toUtf16(const std::string& text)
{
    std::u16string out;
    engine::appendUtf8AsUtf16(text, out);
    return out;
}

bool readDictd(const std::string& indexPath, const std::string& dictPath, std::vector<DictdEntry>& entries,
               std::size_t& skipped, std::string& error)
{
    std::string data;
    if (!readCompressed(dictPath, data)) {
        error = "cannot read " + dictPath;
        return false;
    }
    std::ifstream index(indexPath);
    if (!index) {
        error = "cannot read " + indexPath;
        return false;
    }
    skipped = 0;
    std::string line;
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
        entries.push_back(DictdEntry{line.substr(0, tab1), data.substr(offset, length)});
    }
    return true;
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

} // namespace lexvane::tools::dictd
