// Tests of the sort-table writers: the resource layouts, and that what they
// write sorts, once read by the engine, as the table they were given.
#include "sort_table_writer.h"

#include "collation/built_in_sort_table.h"
#include "collation/byte_sort_table.h"
#include "collation/sort_table_resources.h"
#include "collation/word_comparison.h"
#include "lexvane_engine.h"
#include "prc_writer.h"

#include "compiled_fixture.h"
#include "temporary_folder.h"

#include <gtest/gtest.h>

namespace {

using lexvane::engine::ByteSortTable;
using lexvane::engine::SortTable;
using lexvane::engine::builtInSortTable;
using lexvane::tools::ByteCollation;
using lexvane::tools::CodePage;

using Bytes = std::vector<std::uint8_t>;

Bytes slice(const Bytes& bytes, std::size_t from, std::size_t count)
{
    return Bytes(bytes.begin() + static_cast<std::ptrdiff_t>(from),
                 bytes.begin() + static_cast<std::ptrdiff_t>(from + count));
}

int sign(int value)
{
    return value < 0 ? -1 : value > 0 ? 1 : 0;
}

TEST(SortTableWriter, WritesAWholeTableThatReadsBackEqual)
{
    Bytes resource;
    std::string error;
    ASSERT_TRUE(lexvane::tools::writeSortTable(builtInSortTable(), resource, error)) << error;
    ASSERT_EQ(resource.size(), 20u + 724 * 4 + 15 * 16);
    // Header: size 20, bisection, reserved, 724 characters, 15 contractions,
    // no terminator; little-endian. Then TAB, ignored.
    EXPECT_EQ(slice(resource, 0, 24), (Bytes{20, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0xD4, 2, 15, 0, 0, 0, 0, 0,
                                             0x09, 0, 0, 0}));
    // The first contraction: Æ, then its weights a e (173, 177).
    EXPECT_EQ(slice(resource, 20 + 724 * 4, 16), (Bytes{0xC6, 0, 0, 0, 0, 0, 0, 0, 173, 0, 177, 0, 0, 0, 0, 0}));

    SortTable read;
    ASSERT_EQ(lexvane::engine::readSortTable(resource, read), LV_OK);
    EXPECT_EQ(read, builtInSortTable());

    const SortTable huge(SortTable::Lookup::CodeIndex, 0, std::vector<SortTable::Character>(20000), {});
    EXPECT_FALSE(lexvane::tools::writeSortTable(huge, resource, error));
}

TEST(SortTableWriter, WritesByteCollationsAsValuesAndRules)
{
    ByteCollation collation;
    collation.weights['a'] = 10;
    collation.weights['c'] = 14;   // also starts "ch": gets a rule of its own
    collation.weights['h'] = 24;
    collation.contractions.push_back({"ch", {25}});
    collation.contractions.push_back({"\xE6", {10, 18}});
    Bytes resource;
    std::string error;
    ASSERT_TRUE(lexvane::tools::writeByteSortTable(collation, resource, error)) << error;
    ASSERT_EQ(resource.size(), 4u * (257 + 3 * 8));
    EXPECT_EQ(slice(resource, 4 * 'b', 4), (Bytes{0xFF, 0xFF, 0xFF, 0xFF})) << "no weight: ignored";
    EXPECT_EQ(slice(resource, 4 * 'a', 4), (Bytes{0, 0, 10, 0})) << "weight << 8, big-endian";
    EXPECT_EQ(slice(resource, 4 * 'c', 4), (Bytes{0, 0, 0, 0})) << "first rule starting with c";
    EXPECT_EQ(slice(resource, 4 * 0xE6, 4), (Bytes{0, 0, 0, 2}));
    EXPECT_EQ(slice(resource, 1024, 4), (Bytes{0, 0, 0, 3}));
    // Rule 1, "ch": low, high, mask, byte count, weights (unused -1).
    EXPECT_EQ(slice(resource, 4 * (257 + 8), 32),
              (Bytes{0x63, 0x68, 0, 0, 0x63, 0x68, 0, 0, 0xFF, 0xFF, 0, 0, 0, 0, 0, 2, 0, 0, 25, 0, 0xFF, 0xFF,
                     0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF}));

    ByteSortTable table;
    ASSERT_EQ(ByteSortTable::read(resource, table), LV_OK);
    EXPECT_EQ(lexvane::engine::compare8("ca", "ha", &table), -1);
    EXPECT_EQ(lexvane::engine::compare8("cha", "ha", &table), 1);
    EXPECT_EQ(lexvane::engine::compare8("\xE6", "a", &table), 1);

    struct Case {
        const char* name;
        ByteCollation::Contraction contraction;
        std::uint16_t byteWeight;
    };
    const Case refused[] = {
        {"no bytes", {"", {1}}, 0},
        {"five bytes", {"abcde", {1}}, 0},
        {"a zero byte", {std::string("a\0b", 3), {1}}, 0},
        {"contraction weight with the top bit", {"ab", {0x8000}}, 0},
        {"byte weight with the top bit", {"ab", {1}}, 0x8001},
    };
    for (const Case& c : refused) {
        ByteCollation bad;
        bad.weights['z'] = c.byteWeight;
        bad.contractions.push_back(c.contraction);
        EXPECT_FALSE(lexvane::tools::writeByteSortTable(bad, resource, error)) << c.name;
    }
    ByteCollation crowded;
    for (int i = 0; i < 256; ++i)
        crowded.contractions.push_back({std::string{'a', static_cast<char>(1 + i % 255), static_cast<char>(1 + i / 255)}, {1}});
    EXPECT_FALSE(lexvane::tools::writeByteSortTable(crowded, resource, error)) << "more rules than indexes";
}

TEST(SortTableWriter, WritesCodePagesLittleEndian)
{
    CodePage page{};
    page[0x41] = {u'A', 0};
    page[0xC0] = {u'А', 0};
    page[0x80] = {u'A', u'E'};
    const Bytes resource = lexvane::tools::writeCodePage(page);
    ASSERT_EQ(resource.size(), 1024u);
    EXPECT_EQ(slice(resource, 4 * 0x41, 4), (Bytes{0x41, 0, 0, 0}));
    EXPECT_EQ(slice(resource, 4 * 0xC0, 4), (Bytes{0x10, 0x04, 0, 0}));
    EXPECT_EQ(slice(resource, 4 * 0x80, 4), (Bytes{0x41, 0, 0x45, 0}));
}

// A code page of our own: ASCII, Cyrillic а to я and А to Я at 0xE0 and 0xC0,
// ё and Ё, and æ and ß, which the built-in table expands.
CodePage cyrillicPage()
{
    CodePage page{};
    for (int byte = 0; byte < 0x80; ++byte)
        page[byte] = {static_cast<char16_t>(byte), 0};
    for (int i = 0; i < 32; ++i) {
        page[0xC0 + i] = {static_cast<char16_t>(u'А' + i), 0};
        page[0xE0 + i] = {static_cast<char16_t>(u'а' + i), 0};
    }
    page[0xA8] = {u'Ё', 0};
    page[0xB8] = {u'ё', 0};
    page[0x80] = {u'æ', 0};
    page[0x81] = {u'ß', 0};
    return page;
}

std::string encoded(std::u16string_view word, const CodePage& page)
{
    std::string out;
    for (char16_t c : word)
        for (int byte = 1; byte < 256; ++byte)
            if (page[byte][0] == c && page[byte][1] == 0) {
                out += static_cast<char>(byte);
                break;
            }
    return out;
}

// An 8-bit dictionary whose collation is derived from the built-in table
// sorts its words exactly as WCmp does: by bytes (compare8) and, once opened,
// through its 16-bit table (DicWCmp).
TEST(SortTableWriter, EightBitDictionarySortsLikeTheTableItWasDerivedFrom)
{
    const CodePage page = cyrillicPage();
    const ByteCollation collation = lexvane::tools::byteCollationFor(builtInSortTable(), page);
    EXPECT_EQ(collation.weights[0xB8], collation.weights[0xE5]) << "ё with е";
    ASSERT_EQ(collation.contractions.size(), 2u) << "æ and ß; the other ligatures have no byte";
    Bytes comp;
    std::string error;
    ASSERT_TRUE(lexvane::tools::writeByteSortTable(collation, comp, error)) << error;

    lexvane::testing::TemporaryFolder folder;
    lexvane::tools::PrcWriter writer;
    std::vector<std::uint8_t> header = lexvane::testing::compiledHeader({});
    header[310] = 0; // 8-bit words
    writer.add("HEAD", 0, header);
    std::uint16_t style = 0;
    for (const auto& [type, body] : lexvane::testing::minimalTables({}, false))
        writer.add(type, type == "TREE" ? style++ : 0, body);
    writer.add("COMP", 0, comp);
    writer.add("UNIC", 0, lexvane::tools::writeCodePage(page));
    const std::string path = folder.write("cyri0A1B.prc", writer.bytes());
    DictionaryRecord* dic = nullptr;
    ASSERT_EQ(DicOpen(path.c_str(), -1, &dic, nullptr, 0, 0), LV_OK);

    ByteSortTable bytes;
    ASSERT_EQ(ByteSortTable::read(comp, bytes), LV_OK);
    const std::u16string words[] = {u"ель", u"ёлка", u"Ёж", u"еж", u"жук", u"яма", u"я-ма", u"Яма", u"а",
                                    u"аб", u"æther", u"aether", u"af", u"æ", u"Straße", u"strasse", u"stra",
                                    u"1", u""};
    for (const std::u16string& a : words) {
        for (const std::u16string& b : words) {
            const int expected = sign(WCmp(a.c_str(), b.c_str()));
            EXPECT_EQ(lexvane::engine::compare8(encoded(a, page).c_str(), encoded(b, page).c_str(), &bytes), expected);
            EXPECT_EQ(sign(DicWCmp(dic, a.c_str(), b.c_str())), expected);
        }
    }
    DicClose(dic);
}

} // namespace
