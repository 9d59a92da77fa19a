// Tests of the sort-table resources: serialised 16-bit tables, the byte
// collation of 8-bit dictionaries with compare8, building an 8-bit
// dictionary's 16-bit table, and the tables a compiled dictionary opens with.
// Every resource here is assembled by hand from the format notes
// (docs/formats/sort-tables.md), not by the project's writers.
#include "collation/byte_sort_table.h"
#include "collation/sort_table.h"
#include "collation/sort_table_resources.h"
#include "collation/word_comparison.h"
#include "compiled/compiled_dictionary.h"
#include "lexvane_engine.h"

#include "byte_builder.h"
#include "compiled_fixture.h"
#include "prc_writer.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

using lexvane::engine::ByteSortTable;
using lexvane::engine::SortTable;
using lexvane::engine::compare;
using lexvane::engine::compare8;
using lexvane::testing::ByteBuilder;

int sign(int value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

// ---- 16-bit tables (UTF-8 dictionaries) ---------------------------------

struct TableFields {
    std::uint32_t headerSize = 20;
    std::uint32_t lookup = 1;
    std::uint16_t terminator = 0;
    std::vector<std::pair<char16_t, std::uint16_t>> characters;
    std::vector<std::pair<std::u16string, std::vector<std::uint16_t>>> contractions;
    int declaredCharacters = -1;   // when not -1, the count written instead of the real one
    int declaredContractions = -1;
};

std::vector<std::uint8_t> serialised(const TableFields& f)
{
    ByteBuilder b;
    b.littleEndian32(f.headerSize).littleEndian32(f.lookup).littleEndian32(0);
    b.littleEndian16(static_cast<std::uint16_t>(f.declaredCharacters >= 0 ? f.declaredCharacters : f.characters.size()));
    b.littleEndian16(
        static_cast<std::uint16_t>(f.declaredContractions >= 0 ? f.declaredContractions : f.contractions.size()));
    b.littleEndian16(f.terminator).littleEndian16(0);
    b.zeros(f.headerSize > 20 ? f.headerSize - 20 : 0);
    for (const auto& [code, weight] : f.characters)
        b.littleEndian16(code).littleEndian16(weight);
    for (const auto& [characters, weights] : f.contractions) {
        for (std::size_t i = 0; i < 4; ++i)
            b.littleEndian16(i < characters.size() ? characters[i] : 0);
        for (std::size_t i = 0; i < 4; ++i)
            b.littleEndian16(i < weights.size() ? weights[i] : 0);
    }
    return b.bytes();
}

// Czech-like: "ch" sorts after "h"; '-' ignored.
TableFields czechFields()
{
    TableFields f;
    f.characters = {{u'-', 0}, {u'a', 1}, {u'b', 2}, {u'c', 0x8000}, {u'h', 5}, {u'i', 7}, {u'z', 8}};
    f.contractions = {{u"c", {3}}, {u"ch", {6}}};
    return f;
}

TEST(SortTableResource, ReadsAWholeTable)
{
    TableFields f = czechFields();
    f.headerSize = 24; // a longer header is skipped
    f.terminator = u'|';
    SortTable table;
    ASSERT_EQ(lexvane::engine::readSortTable(serialised(f), table), LV_OK);
    EXPECT_EQ(table.lookup(), SortTable::Lookup::Bisection);
    EXPECT_EQ(table.terminator(), u'|');
    EXPECT_EQ(table.characters().size(), 7u);
    EXPECT_EQ(table.contractions()[1], (SortTable::Contraction{{u'c', u'h'}, {6}}));
    EXPECT_EQ(compare(u"chi", u"hi", &table), 1);
    EXPECT_EQ(compare(u"c-hi", u"cbi", &table), 1);
}

// Counts and indexes are checked against the resource: a table that does not
// fit is refused and nothing outside it is read.
TEST(SortTableResource, RefusesTablesThatDoNotFit)
{
    struct Case {
        const char* name;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Case> cases;
    cases.push_back({"empty", {}});
    std::vector<std::uint8_t> shortHeader = serialised(czechFields());
    shortHeader.resize(19);
    cases.push_back({"header cut", shortHeader});
    TableFields f = czechFields();
    f.headerSize = 12;
    cases.push_back({"header size below 20", serialised(f)});
    f = czechFields();
    f.headerSize = 5000;
    std::vector<std::uint8_t> bytes = serialised(czechFields());
    bytes[0] = 0x88;
    bytes[1] = 0x13; // 5000
    cases.push_back({"header size beyond the resource", bytes});
    f = czechFields();
    f.lookup = 3;
    cases.push_back({"unknown lookup mode", serialised(f)});
    f = czechFields();
    f.declaredCharacters = 8;
    cases.push_back({"one character more than present", serialised(f)});
    f = czechFields();
    f.declaredCharacters = 0xFFFF;
    cases.push_back({"character count far beyond", serialised(f)});
    f = czechFields();
    f.declaredContractions = 3;
    cases.push_back({"one contraction more than present", serialised(f)});
    f = czechFields();
    f.characters[3].second = 0x8000 | 2;
    cases.push_back({"contraction index outside", serialised(f)});
    f = czechFields();
    std::swap(f.characters[1], f.characters[2]);
    cases.push_back({"bisection table out of order", serialised(f)});

    for (const Case& c : cases) {
        SortTable table(SortTable::Lookup::CodeIndex, u'x', {}, {});
        EXPECT_EQ(lexvane::engine::readSortTable(c.bytes, table), LV_BAD_SORT_TABLE) << c.name;
        EXPECT_EQ(table, SortTable(SortTable::Lookup::CodeIndex, u'x', {}, {})) << c.name << ": table kept";
    }
}

// ---- 8-bit dictionaries: "COMP" 0 by byte -------------------------------

struct Rule {
    std::uint32_t low, high, mask, byteCount;
    std::vector<std::uint32_t> weights; // stored values; missing ones -1
};

std::vector<std::uint8_t> byteComp(const std::map<int, std::uint32_t>& values, const std::vector<Rule>& rules,
                                   int declaredRules = -1)
{
    ByteBuilder b;
    for (int byte = 0; byte < 256; ++byte) {
        const auto found = values.find(byte);
        b.bigEndian32(found != values.end() ? found->second : 0xFFFFFFFF);
    }
    b.bigEndian32(static_cast<std::uint32_t>(declaredRules >= 0 ? declaredRules : rules.size()));
    for (const Rule& r : rules) {
        b.bigEndian32(r.low).bigEndian32(r.high).bigEndian32(r.mask).bigEndian32(r.byteCount);
        for (std::size_t i = 0; i < 4; ++i)
            b.bigEndian32(i < r.weights.size() ? r.weights[i] : 0xFFFFFFFF);
    }
    return b.bytes();
}

constexpr std::uint32_t weight(std::uint32_t w)
{
    return w << 8;
}

// Latin letters a to z weigh 10, 12, 14 ...; "ch" sorts between h and i;
// the byte 0xE6 (æ in the code page below) expands to a e; '-' is ignored;
// 'q' names the rule of 'c', which does not fit it.
std::map<int, std::uint32_t> czechBytes()
{
    std::map<int, std::uint32_t> values;
    for (int letter = 'a'; letter <= 'z'; ++letter)
        values[letter] = weight(10 + 2 * (letter - 'a'));
    values['c'] = 0;   // rules 0 ("c") and 1 ("ch")
    values[0xE6] = 2;  // rule 2
    values['q'] = 1;
    return values;
}

std::vector<Rule> czechRules()
{
    return {
        {0x63000000, 0x63000000, 0xFF000000, 1, {weight(14)}},
        {0x63680000, 0x63680000, 0xFFFF0000, 2, {weight(25)}},
        {0xE6000000, 0xE6000000, 0xFF000000, 1, {weight(10), weight(18)}},
    };
}

// "UNIC" 0: Latin-1, except that byte 0x80 stands for two code units.
std::vector<std::uint8_t> latinCodePage()
{
    ByteBuilder b;
    for (int byte = 0; byte < 256; ++byte)
        b.littleEndian16(byte == 0x80 ? 0x0041 : static_cast<std::uint16_t>(byte)).littleEndian16(byte == 0x80 ? 0x0045 : 0);
    return b.bytes();
}

std::u16string widened(const std::string& bytes)
{
    std::u16string out;
    for (char c : bytes)
        out += static_cast<char16_t>(static_cast<std::uint8_t>(c));
    return out;
}

const std::vector<std::string> kByteWords = {
    "a", "ab", "co-op", "coop", "cena", "chata", "ch", "c", "hrad", "ihned", "\xE6ther", "aether", "af", "\xE6",
    "qa", "za", "z", "", "-",
};

TEST(ByteSortTable, ComparesEightBitWords)
{
    ByteSortTable table;
    ASSERT_EQ(ByteSortTable::read(byteComp(czechBytes(), czechRules()), table), LV_OK);
    struct Case {
        const char* a;
        const char* b;
        int expected;
    };
    const Case cases[] = {
        {"chata", "hrad", 1},  {"chata", "ihned", -1}, {"cena", "chata", -1}, {"co-op", "coop", 0},
        {"\xE6ther", "aether", 0}, {"\xE6", "af", -1}, {"\xE6", "a", 1},   {"qa", "za", 1},
        {"", "-", 0},           {"a", "ab", -1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(compare8(c.a, c.b, &table), c.expected) << c.a << " / " << c.b;
        EXPECT_EQ(compare8(c.b, c.a, &table), -c.expected) << c.b << " / " << c.a;
    }
    EXPECT_EQ(compare8("\xE6", "z", nullptr), 1) << "without a table: unsigned byte order";
    EXPECT_EQ(compare8("ab", "a", nullptr), 1);
    EXPECT_EQ(compare8(nullptr, "a", &table), 0);
}

TEST(ByteSortTable, RangeRulesMapBytesToWeights)
{
    // Two-byte characters with lead bytes 0x81 to 0x9F: weight 1000 + the
    // distance from 0x8140.
    std::map<int, std::uint32_t> values = {{'a', weight(5)}};
    for (int lead = 0x81; lead <= 0x9F; ++lead)
        values[lead] = 0;
    const std::vector<Rule> rules = {{0x81400000, 0x9FFC0000, 0xFFFF0000, 2, {weight(1000)}}};
    ByteSortTable table;
    ASSERT_EQ(ByteSortTable::read(byteComp(values, rules), table), LV_OK);
    EXPECT_EQ(compare8("\x81\x41", "\x81\x40", &table), 1);
    EXPECT_EQ(compare8("\x81\x40" "a", "\x81\x40" "a", &table), 0);
    EXPECT_EQ(compare8("\x82\x40", "\x81\xFC", &table), 1);
    EXPECT_EQ(compare8("a", "\x81\x40", &table), -1);
    EXPECT_EQ(compare8("\x81", "\x9F\xFC", &table), 1) << "a lead byte without its second byte matches no rule";

    SortTable wide;
    EXPECT_EQ(lexvane::engine::buildEightBitSortTable(byteComp(values, rules), {}, wide), LV_BAD_SORT_TABLE)
        << "a range has no 16-bit form";
}

TEST(EightBitSortTable, BuiltTableSortsLikeTheBytes)
{
    const std::vector<std::uint8_t> comp = byteComp(czechBytes(), czechRules());
    ByteSortTable bytes;
    ASSERT_EQ(ByteSortTable::read(comp, bytes), LV_OK);
    SortTable table;
    ASSERT_EQ(lexvane::engine::buildEightBitSortTable(comp, latinCodePage(), table), LV_OK);
    EXPECT_EQ(table.characters().size(), 256u);
    EXPECT_EQ(table.contractions().size(), 3u);
    EXPECT_EQ(table.weightOf(u'c'), 0x8000 | 0);
    EXPECT_EQ(table.weightOf(u'\u00E6'), 0x8000 | 2);
    EXPECT_EQ(table.weightOf(u'b'), 12);
    EXPECT_EQ(table.weightOf(u'-'), 0);
    EXPECT_EQ(table.contractions()[1], (SortTable::Contraction{{u'c', u'h'}, {25}}));

    for (const std::string& a : kByteWords)
        for (const std::string& b : kByteWords)
            EXPECT_EQ(sign(compare(widened(a), widened(b), &table)), compare8(a.c_str(), b.c_str(), &bytes))
                << a << " / " << b;

    SortTable identity;
    ASSERT_EQ(lexvane::engine::buildEightBitSortTable(comp, {}, identity), LV_OK) << "no UNIC 0: bytes as Latin-1";
    EXPECT_EQ(compare(u"\u00E6ther", u"aether", &identity), 0);
}

TEST(EightBitSortTable, ContractionsAreSortedAndRenumbered)
{
    // Rules stored out of order: the table sorts them and points each
    // character at its first contraction.
    std::map<int, std::uint32_t> values = {{'a', weight(1)}, {'h', weight(2)}, {'c', 2}, {'x', 0}};
    const std::vector<Rule> rules = {
        {0x78000000, 0x78000000, 0xFF000000, 1, {weight(9)}},
        {0x63680000, 0x63680000, 0xFFFF0000, 2, {weight(3)}},
        {0x63000000, 0x63000000, 0xFF000000, 1, {weight(1), weight(1)}},
    };
    SortTable table;
    ASSERT_EQ(lexvane::engine::buildEightBitSortTable(byteComp(values, rules), latinCodePage(), table), LV_OK);
    EXPECT_EQ(table.weightOf(u'c'), 0x8000 | 0);
    EXPECT_EQ(table.weightOf(u'x'), 0x8000 | 2);
    EXPECT_EQ(table.contractions()[0].characters[0], u'c');
    EXPECT_EQ(compare(u"ch", u"aa", &table), 1);
    EXPECT_EQ(compare(u"c", u"aa", &table), 0);
}

TEST(EightBitSortTable, RefusesInconsistentResources)
{
    struct Case {
        const char* name;
        std::vector<std::uint8_t> comp;
        std::vector<std::uint8_t> unic;
    };
    std::vector<std::uint8_t> cut = byteComp(czechBytes(), czechRules());
    cut.resize(1000);
    std::vector<std::uint8_t> noCount = byteComp(czechBytes(), {});
    noCount.resize(1024);
    std::map<int, std::uint32_t> badIndex = czechBytes();
    badIndex['x'] = 3;
    std::vector<Rule> zeroBytes = czechRules();
    zeroBytes[0].byteCount = 0;
    std::vector<Rule> fiveBytes = czechRules();
    fiveBytes[1].byteCount = 5;
    std::map<int, std::uint32_t> heavy = czechBytes();
    heavy['z'] = weight(0x8000);
    std::vector<Rule> heavyRule = czechRules();
    heavyRule[2].weights[1] = weight(0x9000);
    std::vector<std::uint8_t> shortPage = latinCodePage();
    shortPage.resize(1020);
    const std::vector<Case> cases = {
        {"values cut", cut, latinCodePage()},
        {"no rule count", noCount, latinCodePage()},
        {"one rule more than present", byteComp(czechBytes(), czechRules(), 4), latinCodePage()},
        {"rule count far beyond", byteComp(czechBytes(), czechRules(), 0xFFFF), latinCodePage()},
        {"byte names a rule that does not exist", byteComp(badIndex, czechRules()), latinCodePage()},
        {"rule of no bytes", byteComp(czechBytes(), zeroBytes), latinCodePage()},
        {"rule of five bytes", byteComp(czechBytes(), fiveBytes), latinCodePage()},
        {"weight with the contraction bit", byteComp(heavy, czechRules()), latinCodePage()},
        {"contraction weight with the contraction bit", byteComp(czechBytes(), heavyRule), latinCodePage()},
        {"code page cut", byteComp(czechBytes(), czechRules()), shortPage},
    };
    for (const Case& c : cases) {
        SortTable table;
        EXPECT_EQ(lexvane::engine::buildEightBitSortTable(c.comp, c.unic, table), LV_BAD_SORT_TABLE) << c.name;
    }
}

// ---- Sort tables of an opened compiled dictionary ------------------------

std::string writeDictionary(const lexvane::testing::TemporaryFolder& folder, const std::string& name, bool utf8,
                            const std::vector<std::pair<std::string, std::vector<std::uint8_t>>>& resources)
{
    lexvane::tools::PrcWriter writer;
    std::vector<std::uint8_t> header = lexvane::testing::compiledHeader({});
    header[310] = utf8 ? 1 : 0;
    writer.add("HEAD", 0, header);
    std::uint16_t style = 0;
    for (const auto& [type, body] : lexvane::testing::minimalTables({}, false))
        writer.add(type, type == "TREE" ? style++ : 0, body);
    for (const auto& [typeAndId, body] : resources)
        writer.add(typeAndId.substr(0, 4), static_cast<std::uint16_t>(typeAndId[4] - '0'), body);
    return folder.write(name, writer.bytes());
}

TEST(CompiledSortTables, OpenBuildsMainAndSecondTables)
{
    lexvane::testing::TemporaryFolder folder;
    TableFields second;
    second.characters = {{u'a', 2}, {u'b', 1}};
    const std::string utf8 = writeDictionary(folder, "utf80A1B.prc", true,
                                             {{"COMP0", serialised(czechFields())}, {"COMP1", serialised(second)}});
    DictionaryRecord* dic = nullptr;
    ASSERT_EQ(DicOpen(utf8.c_str(), -1, &dic, nullptr, 0, 0), LV_OK);
    EXPECT_EQ(DicWCmp(dic, u"chi", u"hi"), 1);
    EXPECT_EQ(DicWCmp(dic, u"c-hi", u"cbi"), 1);
    EXPECT_EQ(DicWEffectiveLen(dic, u"ch-a"), 3);
    EXPECT_EQ(DicWEffectiveLen(dic, u"a-b"), 2);
    const SortTable* secondTable = dic->ops->sortTable(*dic, 1);
    ASSERT_NE(secondTable, nullptr);
    EXPECT_EQ(compare(u"a", u"b", secondTable), 1);
    EXPECT_EQ(dic->ops->sortTable(*dic, 2), nullptr);
    EXPECT_EQ(lexvane::engine::compiledDictionaryOf(*dic)->byteSortTable(), nullptr);
    DicClose(dic);

    // The hyphen carries weight here: the dictionary's table, not the
    // built-in one, decides the effective length.
    TableFields withHyphen = czechFields();
    withHyphen.characters[0].second = 1;
    const std::string hyphen = writeDictionary(folder, "hyph0A1B.prc", true, {{"COMP0", serialised(withHyphen)}});
    ASSERT_EQ(DicOpen(hyphen.c_str(), -1, &dic, nullptr, 0, 0), LV_OK);
    EXPECT_EQ(DicWEffectiveLen(dic, u"a-b"), 3);
    EXPECT_EQ(dic->ops->sortTable(*dic, 1), nullptr) << "no COMP 1, no second table";
    DicClose(dic);
}

TEST(CompiledSortTables, EightBitDictionaryBuildsItsTableThroughItsCodePage)
{
    lexvane::testing::TemporaryFolder folder;
    const std::string path = writeDictionary(
        folder, "byte0A1B.prc", false,
        {{"COMP0", byteComp(czechBytes(), czechRules())}, {"UNIC0", latinCodePage()}});
    DictionaryRecord* dic = nullptr;
    ASSERT_EQ(DicOpen(path.c_str(), -1, &dic, nullptr, 0, 0), LV_OK);
    EXPECT_EQ(DicWCmp(dic, u"chata", u"hrad"), 1);
    EXPECT_EQ(DicWCmp(dic, u"\u00E6ther", u"aether"), 0);
    const ByteSortTable* bytes = lexvane::engine::compiledDictionaryOf(*dic)->byteSortTable();
    ASSERT_NE(bytes, nullptr);
    EXPECT_EQ(compare8("chata", "hrad", bytes), 1);
    DicClose(dic);
}

TEST(CompiledSortTables, OpenStatuses)
{
    lexvane::testing::TemporaryFolder folder;
    std::vector<std::uint8_t> cut = serialised(czechFields());
    cut.resize(30);
    TableFields bad = czechFields();
    bad.lookup = 7;
    struct Case {
        std::string name;
        bool utf8;
        std::vector<std::pair<std::string, std::vector<std::uint8_t>>> resources;
        int status;
    };
    const std::vector<Case> cases = {
        {"none0A1B.prc", true, {}, LV_NOT_PRESENT},
        {"cut10A1B.prc", true, {{"COMP0", cut}}, LV_BAD_SORT_TABLE},
        {"bad20A1B.prc", true, {{"COMP0", serialised(czechFields())}, {"COMP1", serialised(bad)}}, LV_BAD_SORT_TABLE},
        {"nonu0A1B.prc", false, {{"COMP0", byteComp(czechBytes(), czechRules())}}, LV_OK},
        {"rang0A1B.prc", false, {{"COMP0", byteComp({{0x81, 0}}, {{0x81400000, 0x9FFC0000, 0xFFFF0000, 2, {}}})}},
         LV_BAD_SORT_TABLE},
        // An 8-bit dictionary never reads a second table.
        {"sec80A1B.prc", false, {{"COMP0", byteComp(czechBytes(), czechRules())}, {"COMP1", cut}}, LV_OK},
    };
    for (const Case& c : cases) {
        const std::string path = writeDictionary(folder, c.name, c.utf8, c.resources);
        DictionaryRecord* dic = nullptr;
        EXPECT_EQ(DicOpen(path.c_str(), -1, &dic, nullptr, 0, 0), c.status) << c.name;
        if (c.status != LV_OK) {
            EXPECT_EQ(DicWEffectiveLen(dic, u"a-b"), 3) << c.name << ": no table after a failed open";
        }
        DicClose(dic);
    }
}

} // namespace
