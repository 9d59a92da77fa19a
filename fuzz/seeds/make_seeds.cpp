// make_seeds.cpp: writes the seed corpora of the fuzz targets with the
// project's own writers and test fixtures, so that each seed is a valid (or
// deliberately damaged) input and the fuzzer starts deep inside the readers.
//
// Usage: lexvane-fuzz-seeds <fuzz folder>; writes corpus/<target>/<name>.
// Seeds stay small: a fuzzer mutates small inputs faster, and they are
// committed.
#include "byte_builder.h"
#include "compiled_fixture.h"
#include "prc_writer.h"
#include "sort_table_writer.h"
#include "word_list_writer.h"

#include "collation/built_in_sort_table.h"
#include "collation/sort_table.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;
using namespace std::literals;
using Bytes = std::vector<std::uint8_t>;
using lexvane::tools::PrcWriter;

namespace {

fs::path g_root;
int g_written = 0;

void save(const std::string& target, const std::string& name, const Bytes& bytes)
{
    const fs::path folder = g_root / "corpus" / target;
    fs::create_directories(folder);
    std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    ++g_written;
}

Bytes utf16(std::u16string_view text)
{
    Bytes bytes;
    for (char16_t unit : text) {
        bytes.push_back(static_cast<std::uint8_t>(unit));
        bytes.push_back(static_cast<std::uint8_t>(unit >> 8));
    }
    return bytes;
}

Bytes withPrefix(std::initializer_list<std::uint8_t> prefix, const Bytes& rest)
{
    Bytes bytes(prefix);
    bytes.insert(bytes.end(), rest.begin(), rest.end());
    return bytes;
}

// A code page of ASCII and Cyrillic, with æ and ß, which sort tables expand.
lexvane::tools::CodePage cyrillicPage()
{
    lexvane::tools::CodePage page{};
    for (int byte = 0; byte < 0x80; ++byte)
        page[byte] = {static_cast<char16_t>(byte), 0};
    for (int i = 0; i < 32; ++i) {
        page[0xC0 + i] = {static_cast<char16_t>(u'А' + i), 0};
        page[0xE0 + i] = {static_cast<char16_t>(u'а' + i), 0};
    }
    page[0x80] = {u'æ', 0};
    page[0x81] = {u'ß', 0};
    page[0x82] = {u'A', u'E'};
    return page;
}

Bytes compiledSortTable(const lexvane::engine::SortTable& table)
{
    Bytes resource;
    std::string error;
    if (!lexvane::tools::writeSortTable(table, resource, error)) {
        std::fprintf(stderr, "sort table: %s\n", error.c_str());
        std::exit(1);
    }
    return resource;
}

void containerSeeds()
{
    save("container", "empty.prc", PrcWriter().bytes());
    PrcWriter three;
    three.add("HEAD", 0, {1, 2, 3});
    three.add("TEXT", 7, {});
    three.add("TEXT", 8, Bytes(40, 0xAB));
    save("container", "three.prc", three.bytes());
    PrcWriter twice;
    twice.add("COMP", 0, {1});
    twice.add("COMP", 0, {2, 2});
    twice.add("WLST", 1, Bytes(5, 0));
    save("container", "same-type-twice.prc", twice.bytes());
    Bytes cut = three.bytes();
    cut.resize(PrcWriter().bytes().size() + 15); // into the second directory entry
    save("container", "cut-in-directory.prc", cut);
}

void compiledSeeds()
{
    using lexvane::testing::compiledHeader;
    using lexvane::testing::emptySortTable;
    // UTF-8 words, the smallest table.
    {
        PrcWriter writer;
        writer.add("HEAD", 0, compiledHeader({}));
        writer.add("COMP", 0, emptySortTable());
        save("compiled", "utf8-empty-table.prc", writer.bytes());
    }
    // UTF-8 words, the built-in table as main and second table.
    {
        PrcWriter writer;
        writer.add("HEAD", 0, compiledHeader({.version = 618, .entryCount = 3}));
        const Bytes table = compiledSortTable(lexvane::engine::builtInSortTable());
        writer.add("COMP", 0, table);
        writer.add("COMP", 1, table);
        save("compiled", "utf8-two-tables.prc", writer.bytes());
    }
    // 8-bit words: a byte collation derived from the built-in table through
    // a code page.
    {
        const lexvane::tools::CodePage page = cyrillicPage();
        Bytes comp;
        std::string error;
        lexvane::tools::writeByteSortTable(lexvane::tools::byteCollationFor(lexvane::engine::builtInSortTable(), page),
                                           comp, error);
        Bytes header = compiledHeader({.version = 610, .source = "russ", .target = "engl"});
        header[310] = 0; // 8-bit words
        PrcWriter writer;
        writer.add("HEAD", 0, header);
        writer.add("COMP", 0, comp);
        writer.add("UNIC", 0, lexvane::tools::writeCodePage(page));
        save("compiled", "eight-bit-code-page.prc", writer.bytes());
    }
    // Damaged: a version outside the range, an id that differs, no table.
    {
        PrcWriter writer;
        writer.add("HEAD", 0, compiledHeader({.version = 609}));
        writer.add("COMP", 0, emptySortTable());
        save("compiled", "old-version.prc", writer.bytes());
        PrcWriter other;
        other.add("HEAD", 0, compiledHeader({.id = "FFFF"}));
        save("compiled", "other-id-no-table.prc", other.bytes());
    }
}

void wordListSeeds()
{
    const std::vector<std::u16string> words16 = {u"a", u"ab", u"abc", u"straße", u"strasse", u"stress",
                                                 u"ёлка", u"ёлочка", u"Zürich", u"zurich\tzürich"};
    const std::vector<std::string> words8 = {"a", "ab", "abc", "str\x81\x65", "strasse", "stress",
                                             "\xE5\xEB\xEA\xE0", "\x80ther"};
    const Bytes stream16 = lexvane::tools::deflateRaw(*lexvane::tools::frontCodeWords16(words16));
    const Bytes stream8 = lexvane::tools::deflateRaw(*lexvane::tools::frontCodeWords8(words8));
    // Flags: bit 0 16-bit units, bit 1 the code page; the second byte sizes
    // the chunks (1 + 64 * n bytes).
    save("word_list", "utf16-one-chunk", withPrefix({0x01, 0xFF}, stream16));
    save("word_list", "utf16-small-chunks", withPrefix({0x01, 0x00}, stream16));
    save("word_list", "bytes-code-page", withPrefix({0x02, 0xFF}, stream8));
    save("word_list", "bytes-widened-stop", withPrefix({0x0C, 0x01}, stream8));
    Bytes cut = stream16;
    cut.resize(cut.size() / 2);
    save("word_list", "utf16-cut-short", withPrefix({0x01, 0xFF}, cut));
}

void wildcardSeeds()
{
    const std::u16string_view cases[] = {
        u"str*e\0Straße"sv, u"\"a?c\0abc"sv, u"*\0"sv, u"a*b*c\"\0axxbyyc"sv, u"?\0\t"sv,
        u"co-op\0coop\tco-op"sv, u"ё*\0ЁЛКА"sv, u"\"\0\""sv, u"a\u0301b\0ab"sv, u"**??**\0abcd\tef"sv,
    };
    int n = 0;
    for (std::u16string_view c : cases)
        save("wildcard", "case-" + std::to_string(++n), utf16(c));
}

void markupSeeds()
{
    const char* cases[] = {
        "lead #01\"ab%0A\"#02\"cd\"",
        "#01\"before%0A\"#07\"<table><row><cell 30%>\"#01\"left\"#00\"%0A\"#07\"</cell><cell 70%>\"#01\"right\"#00\"%0A\"#07\"</cell></row></table>\"#01\"after%0A\"",
        "#07\"<TABLE><Row><CELL ROWSPAN=%222%22>\"#01\"a%0A\"#07\"</cell></ROW><row><cell 50%>\"#01\"b%0A\"#07\"</Cell></row></Table>\"",
        "#01\"see \"#07\"<link href=%22w%22>\"#01\"word\"#07\"</link>\"#01\" end\"",
        "#01\"a\"#07\"<label name=%22top%22 x>\"#01\"bc\"",
        "#01\"a\"#00\"%0A\"#07\"<IMG dic=%221%22 src=a.png>\"#01\"caption\"#08\"</IMG>\"",
        "#-7\"<table>\"#x\"<row>\"#07\"<link>\"#99999999999\"x\"",
        "\t\tindent #01\"%09%09x%0D%AD%00%2%G\"#",
    };
    int n = 0;
    for (const char* c : cases) {
        const std::string text(c);
        save("markup", "utf8-" + std::to_string(++n), withPrefix({0x00}, Bytes(text.begin(), text.end())));
    }
    save("markup", "utf16-surrogates", withPrefix({0x01}, utf16(u"#01\"a\xD800" u"b\"#07\"<link \xDC00>\"")));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <fuzz folder>\n", argv[0]);
        return 2;
    }
    g_root = argv[1];
    containerSeeds();
    compiledSeeds();
    wordListSeeds();
    wildcardSeeds();
    markupSeeds();
    std::printf("%d seeds written\n", g_written);
    return 0;
}
