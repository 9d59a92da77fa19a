// make_seeds.cpp: writes the seed corpora of the fuzz targets with the
// project's own writers and test fixtures, so that each seed is a valid (or
// deliberately damaged) input and the fuzzer starts deep inside the readers.
//
// Usage: lexvane-fuzz-seeds <fuzz folder>; writes corpus/<target>/<name>.
// Seeds stay small: a fuzzer mutates small inputs faster, and they are
// committed.
#include "byte_builder.h"
#include "bundle_writer.h"
#include "compiled_fixture.h"
#include "dictionary_compiler.h"
#include "prc_writer.h"
#include "sort_table_writer.h"
#include "word_list_writer.h"

#include "collation/built_in_sort_table.h"
#include "collation/sort_table.h"
#include "lexvane_engine.h"
#include "userdic/helper_calls.h"
#include "userdic/title_collation.h"

#include <sqlite3.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
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

// A small table that weighs exactly the characters of `text` by code, so
// that a seed stays far smaller than one carrying the built-in table.
Bytes tableOf(std::u16string text)
{
    std::sort(text.begin(), text.end());
    text.erase(std::unique(text.begin(), text.end()), text.end());
    std::vector<lexvane::engine::SortTable::Character> weights;
    for (std::size_t i = 0; i < text.size(); ++i)
        weights.push_back({text[i], static_cast<std::uint16_t>(i + 1)});
    return compiledSortTable(
        lexvane::engine::SortTable(lexvane::engine::SortTable::Lookup::Bisection, 0, weights, {}));
}

lexvane::tools::StyleDefinition generatedStyle(std::uint8_t kind)
{
    lexvane::tools::StyleDefinition style;
    style.method = 0;
    style.generatedKind = kind;
    return style;
}

void saveCompiled(const std::string& name, const lexvane::tools::DictionarySource& source,
                  const lexvane::tools::CompileOptions& options = {})
{
    PrcWriter writer;
    std::string error;
    if (!lexvane::tools::compileDictionary(source, options, writer, error)) {
        std::fprintf(stderr, "%s: %s\n", name.c_str(), error.c_str());
        std::exit(1);
    }
    save("compiled", name, writer.bytes());
}

// Whole dictionaries from the compiler: every kind of style (prefix code
// with front and after texts, constant, generated references, headwords and
// counters), special entries, the alternative list, and the options that
// change the layout of entries.
void compiledDictionarySeeds()
{
    using lexvane::tools::SourceRun;
    using lexvane::tools::StyleDefinition;
    lexvane::tools::DictionarySource source;
    source.title = "Seed";
    source.item3 = "three";
    StyleDefinition bold;
    bold.bold = 1;
    bold.front = "[";
    bold.after = "]";
    StyleDefinition constant;
    constant.method = 1;
    constant.constantText = "=>";
    // Styles 3 to 11.
    source.styles = {StyleDefinition{}, bold, constant, generatedStyle(1), generatedStyle(3),
                     generatedStyle(4), generatedStyle(5), generatedStyle(6), generatedStyle(2)};
    const char* words[] = {"apple", "banana", "cherry", "date", "elder", "fig"};
    std::u16string characters = u"abcdefghijklmnopqrstuvwxyz";
    for (std::size_t i = 0; i < std::size(words); ++i) {
        std::vector<SourceRun> article = {{3, "a fruit", 0}, {4, "note", 0}, {5, "", 0},
                                          {6, "", std::uint32_t((i + 1) % std::size(words))},
                                          {7, "", 0}, {8, "", 0}, {9, "", 0}, {10, "", 0}};
        source.entries.push_back({words[i], article});
    }
    source.specialEntries = {"About\nA seed dictionary.", "Second\nmore"};
    source.sortTable = tableOf(characters);
    saveCompiled("compiled-utf8.prc", source);

    // A long header, descriptions in two interface languages and two images.
    lexvane::tools::DictionarySource described = source;
    described.longHeader = true;
    described.item0 = "item zero";
    described.item5 = "five";
    described.item8 = "eight";
    described.localised = {{"germ", {{2, u"Titel"}, {3, u"Drei"}, {6, u"Beschreibung"}}}, {"fren", {{2, u"Titre"}}}};
    described.images = {{0x89, 'P', 'N', 'G'}, Bytes(40, 0x5A)};
    saveCompiled("compiled-described.prc", described);

    // Its own companion: kind 2 references then read this very file.
    lexvane::tools::DictionarySource self = source;
    self.companionId = "0A1B";
    for (auto& entry : self.entries)
        entry.article.push_back({11, "", 1});
    lexvane::tools::CompileOptions pair;
    pair.companionEntryCount = static_cast<std::int32_t>(self.entries.size());
    saveCompiled("compiled-own-companion.prc", self, pair);

    // No article lengths, long-article lengths, no fast tables, quick-access
    // points every two entries.
    lexvane::tools::CompileOptions layout;
    layout.fastTables = false;
    layout.quickAccessInterval = 2;
    layout.articleLengthBits = 0;
    saveCompiled("compiled-no-lengths.prc", source, layout);
    layout.articleLengthBits = 12;
    layout.longArticleThreshold = 2;
    layout.longArticleLengthBits = 20;
    // And a compressed word list for the fuzzy search, in small chunks.
    layout.fuzzyWordList = true;
    layout.fuzzyWordListChunkSize = 16;
    saveCompiled("compiled-long-articles-word-list.prc", source, layout);

    // An alternative word list, chosen by kanji.
    lexvane::tools::DictionarySource japanese;
    japanese.sourceLanguage = "japa";
    japanese.styles.resize(1);
    const char* kana[] = {"あい", "あお", "いえ", "うみ"};
    for (const char* word : kana)
        japanese.entries.push_back({word, {{3, std::string("article ") + word, 0}}});
    japanese.alternative = {{"愛", {0}}, {"海", {3}}, {"青", {1, 2}}};
    japanese.sortTable = tableOf(u"abcdeilmortu\u3042\u3044\u3046\u3048\u304a\u6d77\u611b\u9752");
    saveCompiled("compiled-alternative-list.prc", japanese);

    // 8-bit words through a code page and the byte collation derived from
    // the built-in table.
    const lexvane::tools::CodePage page = cyrillicPage();
    lexvane::tools::DictionarySource eightBit;
    eightBit.utf8Words = false;
    eightBit.styles.resize(2);
    eightBit.styles[1].italic = 1;
    const char* bytesWords[] = {"ab", "abc", "b", "\xE0\xE1", "\xE2"};
    for (const char* word : bytesWords)
        eightBit.entries.push_back({word, {{3, "x\xE0y", 0}, {4, "\xE1\xE1", 0}}});
    std::string error;
    lexvane::tools::writeByteSortTable(
        lexvane::tools::byteCollationFor(lexvane::engine::builtInSortTable(), page), eightBit.sortTable, error);
    eightBit.codePages = {lexvane::tools::writeCodePage(page)};
    lexvane::tools::CompileOptions withWordList;
    withWordList.fuzzyWordList = true;
    saveCompiled("compiled-eight-bit-word-list.prc", eightBit, withWordList);
}

// Rewrites a user dictionary with small pages: the format's 32 KiB pages
// would make a seed of a few articles hundreds of KiB large.
bool shrinkPages(const std::string& path)
{
    sqlite3* db = nullptr;
    if (sqlite3_open(path.c_str(), &db) != SQLITE_OK)
        return false;
    lexvane::engine::userdic::HelperCalls helper;
    bool done = sqlite3_create_collation_v2(db, lexvane::engine::userdic::kCollationName, SQLITE_UTF16LE, &helper,
                                            lexvane::engine::userdic::compareKeys, nullptr) == SQLITE_OK &&
                sqlite3_exec(db, "PRAGMA page_size = 512; VACUUM;", nullptr, nullptr, nullptr) == SQLITE_OK;
    sqlite3_close(db);
    return done;
}

// A user dictionary file written by the engine itself, from English to
// `target`: empty, or with articles (two of one title), styles and
// properties.
Bytes userDictionaryFile(std::int32_t target, bool withArticles)
{
    std::string folder = (fs::temp_directory_path() / "lexvane-seeds-XXXXXX").string();
    if (!mkdtemp(folder.data()))
        std::exit(1);
    const std::string path = (fs::path(folder) / "seed0A1B.udd").string();
    const std::int32_t english = 'e' | 'n' << 8 | 'g' << 16 | 'l' << 24;
    DictionaryRecord* dic = nullptr;
    if (UdCreate(nullptr, path.c_str(), u"Seed", 0, english, target) != 0 ||
        DicOpen(path.c_str(), -1, &dic, nullptr, 0, 0) != 0) {
        std::fprintf(stderr, "user dictionary seed: cannot create\n");
        std::exit(1);
    }
    if (withArticles) {
        UdAdd(dic, u"apple", u"#\"apple\"#01\"a fruit%0Ared\"#02\"[n]\"", nullptr, 0, 0);
        UdAdd(dic, u"apple", u"#\"apple\"#01\"a company\"", nullptr, 0, 0);
        UdAdd(dic, u"Straße", u"#\"Straße\"#02\"street\"#00\"x\"", nullptr, 0, 0);
        UdAdd(dic, u"co-op", u"#\"co-op\"#01\"shop\"", nullptr, 0, 0);
        // After the articles: each add replaces the style table by its own.
        StyleRecord styles[3] = {};
        styles[0].number = 1;
        styles[1].number = 2;
        styles[1].bold = 1;
        styles[1].color = 0x01123456;
        styles[2].number = -1;
        styles[2].level = 2;
        UdSetStyles(dic, styles, 3);
        UdSetProp(dic, "DictName", u"Seed words");
    }
    DicClose(dic);
    if (!shrinkPages(path)) {
        std::fprintf(stderr, "user dictionary seed: cannot shrink\n");
        std::exit(1);
    }
    std::ifstream shrunk(path, std::ios::binary);
    Bytes bytes{std::istreambuf_iterator<char>(shrunk), std::istreambuf_iterator<char>()};
    shrunk.close();
    fs::remove_all(folder);
    return bytes;
}

// Two members that share a headword (a group of two in the set), with
// the size of the first in front (see set_fuzzer.cpp); and the first with a
// user dictionary.
void setSeeds()
{
    const auto member = [](const std::string& id, std::initializer_list<const char*> words) {
        lexvane::tools::DictionarySource source;
        source.id = id;
        source.styles.resize(1);
        for (const char* word : words)
            source.entries.push_back({word, {{3, std::string("article of ") + word, 0}}});
        source.sortTable = tableOf(u"abcdefghijklmnopqrstuvwxyz");
        PrcWriter writer;
        std::string error;
        if (!lexvane::tools::compileDictionary(source, {}, writer, error)) {
            std::fprintf(stderr, "set member: %s\n", error.c_str());
            std::exit(1);
        }
        return writer.bytes();
    };
    const Bytes first = member("0A1B", {"apple", "banana", "cherry"});
    const Bytes second = member("0A1C", {"apple", "date", "fig"});
    Bytes both;
    for (int k = 0; k < 4; ++k)
        both.push_back(static_cast<std::uint8_t>(first.size() >> (8 * k)));
    both.insert(both.end(), first.begin(), first.end());
    Bytes alone = both;
    both.insert(both.end(), second.begin(), second.end());
    save("set", "two-members", both);
    save("set", "one-member", alone);

    // The second member a user dictionary: bit 31 of the size says so.
    const std::int32_t russian = 'r' | 'u' << 8 | 's' << 16 | 's' << 24;
    const Bytes user = userDictionaryFile(russian, true);
    Bytes withUser = alone;
    withUser[3] |= 0x80;
    withUser.insert(withUser.end(), user.begin(), user.end());
    save("set", "compiled-and-user", withUser);
}

void userDictionaryFileSeeds()
{
    save("user_dictionary_file", "empty.udd", userDictionaryFile(0, false));
    save("user_dictionary_file", "four-articles.udd", userDictionaryFile(0, true));
}

void bundleSeeds()
{
    lexvane::tools::BundleSource source;
    source.defaultName = "Seed bundle";
    source.components = {{"0A1B", 0}, {"0A1C", 4}, {"0A1D", 2}};
    source.names = {{std::string(4, '\0'), u"Bundle"}, {"germ", u"Paket"}, {"russ", u"\u041D\u0430\u0431\u043E\u0440"}};
    PrcWriter writer;
    std::string error;
    if (!lexvane::tools::writeBundle(source, writer, error)) {
        std::fprintf(stderr, "bundle: %s\n", error.c_str());
        std::exit(1);
    }
    save("bundle", "three-components.prc", writer.bytes());
    PrcWriter bare;
    lexvane::tools::BundleSource nameless;
    nameless.components = {{"FFFF", 6}};
    lexvane::tools::writeBundle(nameless, bare, error);
    save("bundle", "one-component-no-names.prc", bare.bytes());
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

// Fields of 16-bit units separated by 0 units; each operation field starts
// with its operation unit (see user_dictionary_fuzzer.cpp).
Bytes operations(std::initializer_list<std::u16string_view> fields)
{
    std::u16string joined;
    for (std::u16string_view field : fields) {
        if (!joined.empty())
            joined.push_back(0);
        joined += field;
    }
    return utf16(joined);
}

void userDictionarySeeds()
{
    // Operation units: 7 add, 1 add with styles, 2 update, 3 delete,
    // 4 search, 5 styles, 6 property.
    save("user_dictionary", "add-search-delete",
         operations({u"\u0007apple", u"#\"apple\"#01\"a fruit, red%0Aor green\"", u"\u0007banana",
                     u"#\"banana\"#02\"a fruit\"#01\"yellow\"", u"\u0004fruit", u"\u0003\u0000"}));
    // Style records: number unit (modulo 128, minus 10), two colour units,
    // language and flags; no unit may be 0, which would end the field.
    save("user_dictionary", "add-with-styles",
         operations({u"\u0001Straße", u"#\"Straße\"#03\"street\"#00\"x\"",
                     u"\u000d\u00ff\u00ff\u0301" u"\u0001\u0101\u0101\u0101" u"\u0080\u0012\u3456\u0700"}));
    save("user_dictionary", "update-and-styles",
         operations({u"\u0007co-op", u"#\"co-op\"#01\"shop\"", u"\u0002coop", u"#\"coop\"#01\"shop%22s\"",
                     u"\u0005\u000a\u0101\u0101\u0100\u000b\u0202\u0202\u0200",
                     u"\u0006My words"}));
    save("user_dictionary", "odd-bodies",
         operations({u"\u0007a", u"#", u"\u0007b", u"#99\"x\"#-1\"y\"#\"", u"\u0007c", u"no markup at all",
                     u"\u0007", u"#\"\"#01\"\"", u"\u0004\u0000"}));
}

Bytes fileBytes(const fs::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "cannot read %s\n", path.c_str());
        std::exit(1);
    }
    return Bytes(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// DSL and MLX files: the exchange tests' fixtures, and small ones in each
// encoding the text reader tells apart.
void exchangeSeeds()
{
    const fs::path fixtures = g_root / ".." / "tests" / "engine" / "exchange" / "fixtures";
    const Bytes dsl = fileBytes(fixtures / "every_tag.dsl");
    const Bytes mlx = fileBytes(fixtures / "every_class.mlx");
    // Flag byte of the import target: bit 0 MLX.
    save("import", "every-tag.dsl", withPrefix({0x00}, dsl));
    save("import", "every-class.mlx", withPrefix({0x01}, mlx));
    const std::string small = "#NAME \"Small\"\n#INDEX_LANGUAGE \"English\"\n#CONTENTS_LANGUAGE \"Russian\"\n\n"
                              "apple\n\t[m1][b]apple[/b] [c red]red[/c] [ref]pear[/ref]\\[x\\]\n\n"
                              "pear\r\n\t[m2][i]pear[/i][/m]\r\n";
    save("import", "small-utf8.dsl", withPrefix({0x00}, Bytes(small.begin(), small.end())));
    Bytes sixteen = {0xFF, 0xFE};
    const Bytes units = utf16(u"#NAME \"UTF-16\"\napple\n\t[m1]\u044f\u0431\u043b\u043e\u043a\u043e[/m]\n");
    sixteen.insert(sixteen.end(), units.begin(), units.end());
    save("import", "small-utf16.dsl", withPrefix({0x00}, sixteen));

    save("text_file", "every-tag.dsl", dsl);
    save("text_file", "utf16-le-bom.dsl", sixteen);
    Bytes bigEndian = {0xFE, 0xFF};
    for (std::size_t i = 2; i + 1 < sixteen.size(); i += 2) {
        bigEndian.push_back(sixteen[i + 1]);
        bigEndian.push_back(sixteen[i]);
    }
    save("text_file", "utf16-be-bom.dsl", bigEndian);
    save("text_file", "utf16-no-bom.dsl", units);
    const std::string_view eightBit = "caf\xE9\r\nna\xEFve\0x\n\xD0\xAF last"sv;
    save("text_file", "eight-bit-and-crlf.dsl", Bytes(eightBit.begin(), eightBit.end()));
    const std::string utf8 = "\xEF\xBB\xBF\xD0\xAF\xF0\x9F\x98\x80\xC3\n\xE2\x82\n";
    save("text_file", "utf8-bom-cut-sequences.dsl", Bytes(utf8.begin(), utf8.end()));
}

void markupSeeds()
{
    const char* cases[] = {
        "lead #01\"ab%0A\"#02\"cd\"",
        "#01\"before%0A\"#07\"<table><row><cell 30%>\"#01\"left\"#00\"%0A\"#07\"</cell><cell 70%>\"#01\"right\"#00\"%0A\"#07\"</cell></row></table>\"#01\"after%0A\"",
        "#07\"<TABLE><Row><CELL ROWSPAN=%222%22>\"#01\"a%0A\"#07\"</cell></ROW><row><cell 50%>\"#01\"b%0A\"#07\"</Cell></row></Table>\"",
        "#01\"see \"#07\"<link href=%22w%22>\"#01\"word\"#07\"</link>\"#01\" end\"",
        "#01\"a\"#07\"<label name=%22top%22 x>\"#01\"bc\"",
        "#01\"a\"#00\"%0A\"#07\"<IMG dic=%221%22 src=pic17.png>\"#01\"caption\"#08\"</IMG>\"",
        "#-7\"<table>\"#x\"<row>\"#07\"<link>\"#99999999999\"x\"",
        "\t\tindent #01\"%09%09x%0D%AD%00%2%G\"#",
        "#1\"ab cd \"#4\"E\"#2\"raised\"#3\"lowered\"#5\"no font\"",
        "#1\"aa (bb-cc) dd, ee; ff.\"#1\"%0A\xd7\xa9\xd7\x9c\xd7\x95\xd7\x9d abc\"",
    };
    // Flag byte: bit 0 UTF-16, bit 1 font metrics, bit 2 header and
    // buttons, bits 3 to 7 the layout width (see markup_fuzzer.cpp).
    int n = 0;
    for (const char* c : cases) {
        const std::string text(c);
        const auto flags = static_cast<std::uint8_t>((n % 2 ? 0x02 : 0) | (n % 3 == 0 ? 0x04 : 0) | (n * 5 % 32) << 3);
        save("markup", "utf8-" + std::to_string(++n), withPrefix({flags}, Bytes(text.begin(), text.end())));
    }
    save("markup", "utf16-surrogates",
         withPrefix({0x01 | 0x02 | 6 << 3}, utf16(u"#01\"a\xD800" u"b \U0001F600 c\"#07\"<link \xDC00>\"")));
}

// Clipboard article sources as a copy writes them (a headword run, runs
// with escapes, a line feed, the style sheet), and as other programs might:
// carriage returns, no sheet, broken numbers, declarations a copy never
// writes. A flag byte in front (see clipboard_source_fuzzer.cpp).
void clipboardSourceSeeds()
{
    const std::pair<std::uint8_t, const char*> cases[] = {
        {0x00, "#04\"\thead%0a\"#03\"\t\ta%22b%0a\"\n.3 { color: rgb(0, 0, 200); font-family: 'DejaVu Sans', 'Sans'; "
               "font-size: 10pt; font-weight: 400; font-style: italic; text-decoration: none; }\n"
               ".4 { color: rgb(0, 0, 0); font-size: 14px; font-weight: 700; vertical-align: super; }\n"},
        {0x0A, "head word#M#01\"a\"#12\"b%25c\"\r\n.0 { color: #ff0000; }\r\n.12{color:#0f0;text-decoration: underline overline;}"},
        {0x04, "#1\"%zz %4 50%\"#x\"y\"# 2\"z\"#3\"unclosed\n. 5 { vertical-align: sub; font-size: 1px; }\n.x { }\n.6 no brace"},
        {0x02, ".7 { COLOR: RGB(300, -1, x); FONT-WEIGHT: BOLDER; font-size: 12.5pt; background-color: #12345678; }"},
        {0x0E, "#00\"%0aapple%0a\"#01\"a fruit%0A\"#02\"%09red %22ripe%22 100%25\"\n"
               ".1 { font-family: 'DejaVu Sans', 'Sans'; font-size: 9pt; font-weight: 400; font-style: normal; "
               "text-decoration: none; color: rgb(0, 0, 0); vertical-align: baseline; }\n"
               ".2 { font-family: 'DejaVu Serif'; font-size: 13.5px; font-weight: 700; font-style: italic; "
               "text-decoration: overline line-through underline; color: rgb(18, 52, 86); vertical-align: super; }\n"},
        {0x06, "head#1\"a\"\n\n#x\"b\"#\"c\"\n.3{color:#ff0000;font-weight:bold;vertical-align:sub;"
               "font-size:2147483647pt;}\n.-1 { font-weight: 99999; }\n#03\"cut"},
    };
    int n = 0;
    for (const auto& [flags, text] : cases)
        save("clipboard_source", "source-" + std::to_string(++n),
             withPrefix({flags}, Bytes(text, text + std::strlen(text))));
    save("clipboard_source", "utf16-surrogates",
         withPrefix({0x01}, utf16(u"#01\"a\xD800" u"b\"\n.1 { font-family: '\xDC00'; color: rgb(1, 2, 3); }")));
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
    compiledDictionarySeeds();
    setSeeds();
    bundleSeeds();
    wordListSeeds();
    wildcardSeeds();
    userDictionarySeeds();
    userDictionaryFileSeeds();
    exchangeSeeds();
    markupSeeds();
    clipboardSourceSeeds();
    std::printf("%d seeds written\n", g_written);
    return 0;
}
