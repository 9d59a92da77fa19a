// user_dictionary_fuzzer.cpp: titles, article bodies (markup), styles and
// properties from untrusted bytes, stored into a fresh user dictionary as an
// import or the editor would, then read back through every reading export.
//
// Input: 16-bit little-endian units, split at each 0 unit into fields. Each
// field starts with an operation unit (modulo 7) followed by its argument:
// 0 add (title = argument, body = the next field), 1 add with the styles of
// the field after the body, 2 update (entry chosen by the title's length),
// 3 delete, 4 full-text search, 5 replace the style table (each 4 units one
// record), 6 set a property. At most kMaximumOperations per input: each is
// one transaction. Afterwards every entry's headword and article are read
// and the titles are searched for.
#include "dictionary_reading.h"
#include "fuzz_input.h"

#include "lexvane_engine.h"

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

constexpr int kMaximumOperations = 16;
constexpr std::int32_t kMaximumEntries = 100;

// A fresh dictionary is written once and copied for every input: creating
// the schema each time would cost more than the operations.
struct Workspace {
    lexvane::fuzzing::PrivateFolder folder;
    std::vector<std::uint8_t> freshDictionary = lexvane::fuzzing::freshUserDictionary(folder, u"Fuzzed");
};

Workspace& workspace()
{
    static Workspace space;
    return space;
}

// Each 4 units make one record; numbers run from -10 to 117, so that free
// numbers, numbers above 99 and repeated numbers all occur.
std::vector<StyleRecord> stylesFrom(std::u16string_view units)
{
    std::vector<StyleRecord> records;
    for (std::size_t i = 0; i + 4 <= units.size(); i += 4) {
        StyleRecord record{};
        record.number = static_cast<std::int32_t>(units[i] % 128) - 10;
        record.color = static_cast<std::uint32_t>(units[i + 1]) << 16 | units[i + 2];
        record.language = static_cast<std::int8_t>(units[i + 3]);
        record.bold = static_cast<std::int8_t>(units[i + 3] >> 8 & 1);
        record.italic = static_cast<std::int8_t>(units[i + 3] >> 9 & 1);
        record.underline = static_cast<std::int8_t>(units[i + 3] >> 10 & 1);
        record.fontSize = static_cast<std::int8_t>(units[i + 3] >> 11 & 3);
        record.level = static_cast<std::int8_t>(units[i + 3] >> 13 & 3);
        records.push_back(record);
    }
    return records;
}

std::int32_t entryCount(DictionaryRecord* dic)
{
    std::int32_t count = 0;
    DicGetCount(dic, &count);
    return count;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    Workspace& space = workspace();
    const std::string path = space.folder.write("fuzz0A1B.udd", space.freshDictionary);
    DictionaryRecord* dic = nullptr;
    if (DicOpen(path.c_str(), -1, &dic, nullptr, 0, 0) != 0)
        std::abort(); // the fresh copy must open, or nothing below is fuzzed

    const std::u16string units = lexvane::fuzzing::utf16FromBytes(std::span(data, size));
    std::vector<std::u16string> fields;
    for (std::u16string_view rest = units; !rest.empty();) {
        const auto [field, after] = lexvane::fuzzing::splitAt(rest, 0);
        fields.emplace_back(field);
        if (field.size() == rest.size())
            break;
        rest = after;
    }

    std::vector<std::u16string> titles;
    lexvane::fuzzing::ReadTotal total;
    int operations = 0;
    for (std::size_t i = 0; i < fields.size() && operations < kMaximumOperations; ++i) {
        if (fields[i].empty())
            continue;
        ++operations;
        const std::u16string argument = fields[i].substr(1);
        const std::u16string next = i + 1 < fields.size() ? fields[i + 1] : std::u16string();
        const std::int32_t count = entryCount(dic);
        switch (fields[i][0] % 7) {
        case 0:
            UdAdd(dic, argument.c_str(), next.c_str(), nullptr, 0, 0);
            titles.push_back(argument);
            ++i;
            break;
        case 1: {
            const std::vector<StyleRecord> styles =
                stylesFrom(i + 2 < fields.size() ? std::u16string_view(fields[i + 2]) : std::u16string_view());
            UdAdd(dic, argument.c_str(), next.c_str(), styles.data(), static_cast<std::int32_t>(styles.size()), 0);
            titles.push_back(argument);
            i += 2;
            break;
        }
        case 2:
            UdUpdate(dic, argument.c_str(), next.c_str(), nullptr, 0,
                     static_cast<std::int32_t>(argument.size()) % (count + 1));
            titles.push_back(argument);
            ++i;
            break;
        case 3:
            UdDelete(dic, argument.empty() ? 0 : argument[0] % (count + 1));
            break;
        case 4:
            UdSearch(dic, argument.c_str(), lexvane::fuzzing::readSearchHit, &total);
            break;
        case 5: {
            const std::vector<StyleRecord> styles = stylesFrom(argument);
            UdSetStyles(dic, styles.data(), static_cast<std::int32_t>(styles.size()));
            break;
        }
        default:
            UdSetProp(dic, argument.size() % 2 ? "name" : "description", argument.c_str());
            break;
        }
    }

    // Read back everything that was stored.
    lexvane::fuzzing::readEntries(dic, kMaximumEntries, total);
    for (const std::u16string& title : titles) {
        std::int32_t index = 0;
        DicSearch(dic, title.c_str(), 0, &index);
        DicFuzzySearch(dic, title.c_str(), 5, lexvane::fuzzing::readWordResult, &total);
    }
    StyleRecord styles[100];
    UdGetStyles(dic, styles, std::size(styles));
    UdGetStyles(dic, styles, 3);
    DicClose(dic);
    return 0;
}
