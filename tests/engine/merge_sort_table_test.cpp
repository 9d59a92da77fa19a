// Tests of the sort-table merge of sets: characters placed beside the ones
// that share their weight, new weights opening a gap, contractions carried
// over, too many outcomes refused, and a set whose merge fails sorting by
// its base member's table.
#include "merge_fixture.h"

#include "collation/sort_table.h"
#include "collation/word_comparison.h"
#include "merge/merge_record.h"
#include "merge/sort_table_merge.h"

#include <gtest/gtest.h>

namespace {

using lexvane::testing::memberSpec;
using lexvane::testing::writeMember;
using lexvane::engine::compare;
using lexvane::engine::mergeSortTables;
using lexvane::engine::SortTable;

SortTable table(std::vector<SortTable::Character> characters, std::vector<SortTable::Contraction> contractions = {})
{
    SortTable result(SortTable::Lookup::Bisection, 0, std::move(characters), std::move(contractions));
    result.renumberContractions();
    return result;
}

int mergeInto(const SortTable& base, const SortTable& other, SortTable& merged)
{
    const SortTable* others[] = {&other};
    return mergeSortTables(base, others, merged);
}

TEST(SortTableMerge, MergingATableWithItselfKeepsItsOrder)
{
    const SortTable& builtIn = lexvane::engine::builtInSortTable();
    SortTable merged;
    ASSERT_EQ(mergeInto(builtIn, builtIn, merged), LV_OK);
    const std::u16string words[] = {u"a", u"Ab", u"æon", u"aeon", u"Straße", u"strasse", u"co-op", u"zebra",
                                    u"ёж", u"еж", u"жук", u"12"};
    for (const std::u16string& a : words)
        for (const std::u16string& b : words)
            EXPECT_EQ(compare(a, b, &merged), compare(a, b, &builtIn))
                << std::string(a.begin(), a.end()) << " " << std::string(b.begin(), b.end());
}

TEST(SortTableMerge, NewCharactersJoinTheirWeightOrGetANewOne)
{
    const SortTable base = table({{u'a', 1}, {u'b', 2}, {u'c', 3}});
    // x shares a's weight; y has a weight of its own between b and c.
    const SortTable member = table({{u'a', 1}, {u'x', 1}, {u'b', 2}, {u'y', 5}, {u'c', 7}});
    SortTable merged;
    ASSERT_EQ(mergeInto(base, member, merged), LV_OK);
    EXPECT_EQ(compare(u"x", u"a", &merged), 0);
    EXPECT_LT(compare(u"b", u"y", &merged), 0);
    EXPECT_LT(compare(u"y", u"c", &merged), 0);
    EXPECT_LT(compare(u"a", u"b", &merged), 0);
}

TEST(SortTableMerge, ContractionsTheMergedTableLacksAreAdded)
{
    const SortTable base = table({{u'c', 1}, {u'h', 2}, {u'z', 3}});
    SortTable::Contraction ch{{u'c', u'h', 0, 0}, {4, 0, 0, 0}};
    SortTable::Contraction c{{u'c', 0, 0, 0}, {1, 0, 0, 0}};
    const SortTable member = table({{u'c', SortTable::kContractionFlag}, {u'h', 2}, {u'z', 3}, {u'q', 4}}, {c, ch});
    SortTable merged;
    ASSERT_EQ(mergeInto(base, member, merged), LV_OK);
    ASSERT_EQ(merged.validate(), LV_OK);
    EXPECT_LT(compare(u"cz", u"ch", &merged), 0) << "ch sorts as one letter after z";
    EXPECT_EQ(compare(u"ch", u"q", &merged), 0);
    EXPECT_LT(compare(u"c", u"h", &merged), 0) << "a lone c keeps its weight";
}

TEST(SortTableMerge, MoreThanThreeOutcomesFail)
{
    const SortTable base = table({{u'a', 1}, {u'b', 2}, {u'c', 3}});
    // One member weight for three distinct base weights and one new letter.
    const SortTable member = table({{u'a', 1}, {u'b', 1}, {u'c', 1}, {u'd', 1}});
    SortTable merged;
    EXPECT_EQ(mergeInto(base, member, merged), LV_BAD_SORT_TABLE);
}

TEST(SortTableMerge, ASetWhoseMergeFailsSortsByItsBaseTable)
{
    lexvane::testing::TemporaryFolder folder;
    const std::string first = writeMember(folder, memberSpec("0A1B", {"apple", "Zebra"}));
    lexvane::testing::MemberSpec coarse = memberSpec("0C2D", {"dab"});
    std::string error;
    ASSERT_TRUE(lexvane::tools::writeSortTable(table({{u'a', 1}, {u'b', 1}, {u'c', 1}, {u'd', 1}, {u'é', 1}}),
                                               coarse.sortTable, error))
        << error;
    const std::string second = writeMember(folder, coarse);
    lexvane::testing::OpenSet set(2);
    MrgAdd(set.handle, -1, first.c_str());
    MrgAdd(set.handle, -1, second.c_str());
    EXPECT_EQ(set.handle->tableMergeStatus(), LV_BAD_SORT_TABLE);
    ASSERT_EQ(set.count(), 3);
    EXPECT_EQ(set.headword(0), u"apple");
    EXPECT_EQ(set.headword(1), u"dab");
    EXPECT_EQ(set.headword(2), u"Zebra") << "a table, not code units, orders the set";
    EXPECT_EQ(MrgCountLang(set.handle, u"ab"), 2);
}

} // namespace
