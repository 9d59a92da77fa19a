// Tests of headword collation: the built-in table, comparison and effective
// length under 16-bit tables, and the exported compare functions.
#include "collation/built_in_sort_table.h"
#include "collation/sort_table.h"
#include "collation/word_comparison.h"
#include "lexvane_engine.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

using lexvane::engine::SortTable;
using lexvane::engine::builtInSortTable;
using lexvane::engine::compare;
using lexvane::engine::effectiveLength;

int sign(int value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

std::string show(std::u16string_view word)
{
    std::string out;
    for (char16_t c : word) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, c < 0x80 ? "%c" : "\\u%04X", static_cast<unsigned>(c));
        out += buffer;
    }
    return out;
}

// The built-in table decides the order of every stored user dictionary: any
// change to it must be deliberate, and this test is where it shows.
TEST(BuiltInSortTable, ContentIsLocked)
{
    const SortTable& table = builtInSortTable();
    EXPECT_EQ(table.lookup(), SortTable::Lookup::Bisection);
    EXPECT_EQ(table.terminator(), 0);
    ASSERT_EQ(table.characters().size(), 724u);
    ASSERT_EQ(table.contractions().size(), 15u);
    EXPECT_EQ(table.validate(), LV_OK);

    struct Weight {
        char16_t character;
        std::uint16_t weight;
    };
    const Weight weights[] = {
        {u'\t', 0}, {u'-', 0}, {u'7', 0}, {u'»', 0}, {0x309B, 0}, {u'ー', 0}, {u'ゝ', 0}, // ignored
        {u'Α', 1}, {u'ώ', 24}, {u'ς', 18},                                             // Greek
        {u'א', 25}, {u'ת', 46}, {u'ץ', 42},                                            // Hebrew
        {u'ا', 47}, {u'إ', 47}, {u'ک', 72}, {u'ے', 80}, {u'ء', 81},                    // Arabic, Persian
        {u'а', 82}, {u'Ґ', 85}, {u'ё', 87}, {u'є', 88}, {u'ў', 108}, {u'я', 120},      // Cyrillic
        {u'あ', 121}, {u'ガ', 126}, {u'っ', 138}, {u'ヺ', 167}, {u'ん', 168},            // kana
        {u'a', 173}, {u'Ǜ', 193}, {u'ı', 181}, {u'ł', 184}, {u'Ø', 187}, {u'ƒ', 178},  // Latin
        {u'Z', 198}, {u'Ŷ', 197},
        {u'Þ', 0}, {u'đ', 0}, {u'ة', 0}, {0x0800, 0},                                  // not in the table
    };
    for (const Weight& w : weights)
        EXPECT_EQ(table.weightOf(w.character), w.weight) << show(std::u16string(1, w.character));

    const std::u16string expanding = u"ÆßæĲĳŒœǄǅǆǼǽﬁﬂ";
    const std::u16string expansions[] = {u"ae", u"ss", u"ae", u"ij", u"ij", u"oe", u"oe",
                                         u"dz", u"dz", u"dz", u"ae", u"ae", u"fi", u"fl"};
    for (std::size_t i = 0; i < expanding.size(); ++i) {
        const SortTable::Contraction& entry = table.contractions()[i];
        EXPECT_EQ(entry.characters, (std::array<char16_t, 4>{expanding[i], 0, 0, 0}));
        const std::uint16_t first = table.weightOf(expansions[i][0]);
        const std::uint16_t second = table.weightOf(expansions[i][1]);
        EXPECT_EQ(entry.weights, (std::array<std::uint16_t, 4>{first, second, 0, 0})) << i;
        EXPECT_EQ(table.weightOf(expanding[i]), SortTable::kContractionFlag | i);
    }
    EXPECT_EQ(table.contractions().back(), SortTable::Contraction{});

    // Every entry at once: a change anywhere in the data changes this sum.
    std::uint64_t hash = 1469598103934665603u;
    for (const SortTable::Character& entry : table.characters())
        for (std::uint16_t v : {std::uint16_t(entry.code), entry.weight})
            hash = (hash ^ v) * 1099511628211u;
    EXPECT_EQ(hash, 17980351036192851689u) << "update only with a deliberate change of the built-in table";
}

struct Case {
    const char16_t* a;
    const char16_t* b;
    int expected;
};

TEST(BuiltInSortTable, ComparesAsTheCollationPromises)
{
    const Case cases[] = {
        {u"Apple", u"apple", 0},
        {u"æther", u"aether", 0},
        {u"Straße", u"strasse", 0},
        {u"co-op", u"coop", 0},
        {u"A1", u"A2", 0},
        {u"a", u"ab", -1},
        {u"", u"-", 0},
        {u"ﬁne", u"fine", 0},
        {u"Œuvre", u"oeuvre", 0},
        {u"Ĳssel", u"ijssel", 0},
        {u"naïve", u"naive", 0},
        {u"İstanbul", u"istanbul", 0},
        {u"łódź", u"lodz", 0},
        {u"ab", u"b", -1},
        {u"b", u"ab", 1},
        {nullptr, u"", 0},
        {nullptr, u"a", -1},
        // A ligature sorts exactly like its expansion, also when the word ends
        // inside it: "æ" against "af" as "ae" against "af".
        {u"æ", u"af", -1},
        {u"ae", u"af", -1},
        {u"æ", u"a", 1},
        {u"ß", u"st", -1},
        {u"ß", u"sr", 1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(sign(WCmp(c.a, c.b)), c.expected) << show(c.a ? c.a : u"(null)") << " / " << show(c.b);
        EXPECT_EQ(sign(WCmp(c.b, c.a)), -c.expected) << show(c.b) << " / " << show(c.a ? c.a : u"(null)");
    }
}

// Each list is in order; words on one line (separated by a space) are equal.
TEST(BuiltInSortTable, OrdersEachScript)
{
    const std::vector<std::vector<std::u16string>> orders = {
        {u"αλφα Άλφα άλφα", u"βήτα", u"γάμμα", u"σίγμας σίγμασ", u"ωμέγα"},
        {u"אב", u"אבא", u"בית", u"ככ כך", u"מים מימ", u"תל"},
        {u"أب اب آب إب", u"باب", u"پدر", u"کتاب", u"گل", u"هه ہہ", u"يد", u"یی یے", u"ءء"},
        {u"ада", u"гора ґора Ґора", u"дом", u"ель ёль Ёль", u"єва", u"жук", u"иди", u"ігла", u"їжак", u"йод", u"југ",
         u"кот", u"љубав", u"њива", u"ћерка", u"уха ўха", u"щука", u"яма"},
        {u"あい アイ", u"かき がき カキ ガギ", u"さくら", u"つき っき ツキ", u"はは ばば ぱぱ", u"わを", u"ん"},
        // The scripts follow each other: Greek, Hebrew, Arabic, Cyrillic, kana, Latin.
        {u"ωμέγα", u"תל", u"ءء", u"яма", u"ん", u"a"},
    };
    auto inOrder = [](const std::vector<std::u16string>& list, std::string& why) {
        std::vector<std::vector<std::u16string>> groups;
        for (const std::u16string& line : list) {
            groups.emplace_back();
            std::size_t start = 0;
            while (start <= line.size()) {
                const std::size_t space = std::min(line.find(u' ', start), line.size());
                groups.back().push_back(line.substr(start, space - start));
                start = space + 1;
            }
        }
        for (std::size_t g = 0; g < groups.size(); ++g) {
            for (const std::u16string& word : groups[g]) {
                if (WCmp(groups[g][0].c_str(), word.c_str()) != 0) {
                    why = show(groups[g][0]) + " != " + show(word);
                    return false;
                }
                if (g > 0 && !(WCmp(groups[g - 1][0].c_str(), word.c_str()) < 0
                               && WCmp(word.c_str(), groups[g - 1][0].c_str()) > 0)) {
                    why = show(groups[g - 1][0]) + " !< " + show(word);
                    return false;
                }
            }
        }
        return true;
    };
    for (std::size_t i = 0; i < orders.size(); ++i) {
        std::string why;
        EXPECT_TRUE(inOrder(orders[i], why)) << "list " << i << ": " << why;
    }
}

TEST(CompareExports, PrefixComparison)
{
    EXPECT_EQ(WNCmp(u"abcdef", u"abcxyz", 3), 0);
    EXPECT_LT(WNCmp(u"abcdef", u"abcxyz", 4), 0);
    EXPECT_EQ(WNCmp(u"ab", u"ab-cd", 2), 0);
    EXPECT_EQ(WNCmp(u"abc", u"xyz", 0), 0);
    EXPECT_EQ(WNCmp(u"abc", u"xyz", -5), 0);
    EXPECT_EQ(WNCmp(u"a", u"b", 1), -1);

    // Words that first differ at character 301 are equal under any n above
    // 300; at character 300 they are not.
    std::u16string a(300, u'a');
    std::u16string b(300, u'a');
    a += u'b';
    b += u'c';
    EXPECT_EQ(WNCmp(a.c_str(), b.c_str(), 500), 0);
    EXPECT_EQ(WNCmp(a.c_str(), b.c_str(), 300), 0);
    EXPECT_LT(WCmp(a.c_str(), b.c_str()), 0);
    a[299] = u'b';
    EXPECT_GT(WNCmp(a.c_str(), b.c_str(), 500), 0);
}

TEST(CompareExports, EffectiveLengthOfAUserDictionaryUsesTheBuiltInTable)
{
    // User dictionaries cannot be read yet; their handle exists nonetheless
    // and its table is the built-in one.
    DictionaryRecord* dic = nullptr;
    DicOpen("words.udd", -1, &dic, nullptr, 0, 0);
    ASSERT_NE(dic, nullptr);
    EXPECT_EQ(DicWEffectiveLen(dic, u"a-b"), 2);
    EXPECT_EQ(DicWEffectiveLen(dic, u"Straße 12"), 6);
    EXPECT_EQ(DicWEffectiveLen(dic, nullptr), 0);
    EXPECT_EQ(DicWCmp(dic, u"co-op", u"COOP"), 0);
    DicClose(dic);

    EXPECT_EQ(DicWEffectiveLen(nullptr, u"a-b"), 3) << "no table: the word's length";
    EXPECT_LT(DicWCmp(nullptr, u"B", u"a"), 0) << "no table: code-unit order";
}

// A small table of our own: Czech-like "ch" after "h", a terminator, and a
// contraction start that nothing matches.
SortTable czechTable(SortTable::Lookup lookup = SortTable::Lookup::Bisection)
{
    std::vector<SortTable::Character> characters = {
        {u' ', 0},  {u'-', 0},  {u'a', 1}, {u'b', 2}, {u'c', 0x8000 | 0}, {u'd', 4},
        {u'h', 5},  {u'i', 7},  {u'q', 0x8000 | 2}, {u'z', 8}, {u'|', 0},
    };
    std::vector<SortTable::Contraction> contractions = {
        {{u'c'}, {3}},
        {{u'c', u'h'}, {6}},
        {{u'x', u'y'}, {9}}, // starts with another character: 'q' matches nothing
    };
    if (lookup == SortTable::Lookup::CodeIndex) {
        std::vector<SortTable::Character> byCode(u'|' + 1, SortTable::Character{0, 0});
        for (const SortTable::Character& entry : characters)
            byCode[entry.code] = entry;
        characters = byCode;
    }
    return SortTable(lookup, u'|', std::move(characters), std::move(contractions));
}

TEST(SortTableCompare, ContractionsTerminatorAndLookupModes)
{
    for (SortTable::Lookup lookup : {SortTable::Lookup::Bisection, SortTable::Lookup::CodeIndex}) {
        const SortTable table = czechTable(lookup);
        EXPECT_EQ(table.validate(), LV_OK);
        const Case cases[] = {
            {u"cd", u"hd", -1},     // c alone before h
            {u"chd", u"hd", 1},     // ch after h
            {u"chd", u"id", -1},    // and before i
            {u"c-h", u"cz", -1},    // a hyphen breaks the digraph: c, h
            {u"ab|zz", u"ab", 0},   // the terminator ends the word
            {u"qa", u"za", 1},      // an unmatched start sorts after every letter
            {u"ba", u"b a", 0},
            {u"xy", u"", 0},       // characters outside the table are ignored
        };
        for (const Case& c : cases)
            EXPECT_EQ(compare(c.a, c.b, &table), c.expected) << show(c.a) << " / " << show(c.b);
        EXPECT_EQ(effectiveLength(u"chab", &table), 4u);
        EXPECT_EQ(effectiveLength(u"c-h q", &table), 3u);
        EXPECT_EQ(effectiveLength(u"ab|ab", &table), 2u);
    }
    // The limit counts code units and may cut a digraph.
    const SortTable table = czechTable();
    EXPECT_EQ(compare(u"cha", u"cz", &table, 1), 0);
    EXPECT_EQ(compare(std::u16string_view(u"chx", 2), std::u16string_view(u"hzz", 1), &table), 1);
    EXPECT_EQ(compare(std::u16string_view(u"c\0h", 3), u"c", &table), 0);
}

TEST(SortTableCompare, WithoutATableComparesCodeUnits)
{
    const Case cases[] = {
        {u"B", u"a", -1}, {u"a", u"ab", -1}, {u"ab", u"ab", 0}, {nullptr, u"zz", 0}, {u"zz", nullptr, 0},
        {u"\xFFFF", u"a", 1},
    };
    for (const Case& c : cases)
        EXPECT_EQ(compare(c.a, c.b, nullptr), c.expected);
    EXPECT_EQ(compare(u"abc", u"abd", nullptr, 2), 0);
    EXPECT_EQ(compare(std::u16string_view(u"ab\0c", 4), u"ab", nullptr), 0);
    EXPECT_EQ(effectiveLength(u"a-b", nullptr), 3u);
    EXPECT_EQ(effectiveLength(static_cast<const char16_t*>(nullptr), nullptr), 0u);
}

TEST(SortTableChecks, LooksUpWeightsOnEveryPage)
{
    // A code-indexed table up to U+0431 spans five pages of 256 codes.
    std::vector<SortTable::Character> byCode(0x432, SortTable::Character{0, 0});
    byCode[u'a'] = {u'a', 3};
    byCode[0x0430] = {0x0430, 7};
    byCode[0x0431] = {0x0431, 8};
    const SortTable indexed(SortTable::Lookup::CodeIndex, 0, byCode, {});
    const SortTable bisected(SortTable::Lookup::Bisection, 0, {{u'a', 3}, {0x0430, 7}, {0x0431, 8}, {0xFFFF, 9}}, {});
    for (const SortTable* table : {&indexed, &bisected}) {
        EXPECT_EQ(table->weightOf(u'a'), 3);
        EXPECT_EQ(table->weightOf(0x0430), 7);
        EXPECT_EQ(table->weightOf(0x0431), 8);
        EXPECT_EQ(table->weightOf(0x0432), 0);
        EXPECT_EQ(table->weightOf(0x3042), 0);
    }
    EXPECT_EQ(bisected.weightOf(0xFFFF), 9);
    EXPECT_EQ(indexed.weightOf(0xFFFF), 0);
    EXPECT_EQ(SortTable().weightOf(u'a'), 0) << "the empty table ignores everything";
}

TEST(SortTableChecks, RefusesIndexesOutsideTheTableAndUnsortedBisection)
{
    SortTable outside(SortTable::Lookup::Bisection, 0, {{u'a', 0x8000 | 1}}, {{{u'a'}, {1}}});
    EXPECT_EQ(outside.validate(), LV_BAD_SORT_TABLE);
    // Unvalidated, it still reads nothing outside the table.
    EXPECT_EQ(compare(u"a", u"b", &outside), 1);

    SortTable unsorted(SortTable::Lookup::Bisection, 0, {{u'b', 1}, {u'a', 2}}, {});
    EXPECT_EQ(unsorted.validate(), LV_BAD_SORT_TABLE);
    SortTable byCode(SortTable::Lookup::CodeIndex, 0, {{u'b', 1}, {u'a', 2}}, {});
    EXPECT_EQ(byCode.validate(), LV_OK) << "a code-indexed table needs no order";
}

TEST(SortTableChecks, RenumberingSortsContractionsAndPointsCharactersAtThem)
{
    SortTable table(SortTable::Lookup::Bisection, 0, {{u'z', 0x8000 | 0}, {u'c', 0x8000 | 1}, {u'a', 1}},
                    {{{}, {}}, {{u'z'}, {9}}, {{u'c', u'h'}, {6}}, {{u'c'}, {3}}});
    table.renumberContractions();
    EXPECT_EQ(table.validate(), LV_OK);
    const std::vector<SortTable::Contraction> expected = {
        {{u'c'}, {3}}, {{u'c', u'h'}, {6}}, {{u'z'}, {9}}, {{}, {}}};
    EXPECT_EQ(table.contractions(), expected);
    const std::vector<SortTable::Character> characters = {{u'a', 1}, {u'c', 0x8000 | 0}, {u'z', 0x8000 | 2}};
    EXPECT_EQ(table.characters(), characters);
    EXPECT_EQ(compare(u"ch", u"z", &table), -1);
}

} // namespace
