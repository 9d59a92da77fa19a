// merge_record.h: a dictionary set, up to 32 members merged into one word
// list.
//
// The merged list is the k-way merge of the members' current word lists.
// Members whose current headwords are identical, code unit for code unit,
// form one group; groups follow the set's main table, then its second
// table, then code units. A group of g members takes g merged positions:
// its headword stands at the first, the others read as empty texts.
//
// Invariants while the merge is started:
// - every member that has a current headword stands at entry `index` of
//   its list and belongs to exactly one group; the others are past their
//   last entry (index = count);
// - m_position is the number of merged entries that sort before the
//   current group: the sum of the members' indexes (counts for the
//   exhausted ones); the first group of m_groups is the current one.
// Members are read only through their operation tables; a member whose
// reading position was moved from outside (through its own handle) is read
// again at the entry the set expects. See docs/behaviour/sets.md.
//
// The headwords of the groups that a wildcard walk passed are kept, in
// order, up to a budget: the groups before merged index m_groupWordsEnd.
// They are forgotten whenever the merged list may change (an add, another
// word list). See docs/behaviour/wildcard-search.md.
#pragma once

#include "collation/sort_table.h"
#include "compiled/word_cache.h"
#include "frame/dictionary_record.h"
#include "lexvane_engine.h"
#include "merge/merge_snapshot.h"
#include "merge/set_alphabet.h"

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lexvane::engine {

class MergeMember;

} // namespace lexvane::engine

struct MergeRecord {
public:
    static constexpr int kMaximumCapacity = 32;

    MergeRecord(int capacity, std::int32_t sourceLanguage, std::int32_t targetLanguage, UDHelper* helper,
                std::intptr_t reserved1, std::intptr_t reserved2);
    ~MergeRecord();
    MergeRecord(const MergeRecord&) = delete;
    MergeRecord& operator=(const MergeRecord&) = delete;

    // Opens `path` (id -1: from the file name) as the next member. Status
    // 0, LV_SET_FULL, LV_LANGUAGE_MISMATCH, or the member's open or
    // companion status; a member that fails is closed and not kept.
    int add(std::int32_t id, const char* path);

    // Merges the tables, builds the alphabet and counts the entries of the
    // members the set has. Runs once the capacity is reached, and otherwise
    // before the first query: a set whose adds failed still works with the
    // members it got. Idempotent until the next add.
    void complete();
    // LV_OK, or the status of the failed sort-table merge (the set then
    // sorts by the base member's table).
    int tableMergeStatus() const { return m_tableMergeStatus; }

    int capacity() const { return m_capacity; }
    int memberCount() const { return static_cast<int>(m_members.size()); }
    DictionaryRecord* member(int position);
    // The first member whose id is `id`; null when none.
    DictionaryRecord* memberWithId(std::int32_t id);

    std::int32_t total();
    std::int32_t sourceLanguage() const { return m_sourceLanguage; }
    const lexvane::engine::SortTable* mainTable() const { return m_mainTable ? &*m_mainTable : nullptr; }
    const lexvane::engine::SortTable* secondTable() const { return m_secondTable ? &*m_secondTable : nullptr; }

    // Makes the group that covers merged index `index` current. *headword
    // is its headword when `index` is the group's first position, else null
    // (valid until the next call). LV_OUT_OF_RANGE outside the list, or a
    // member's read status.
    int positionAt(std::int32_t index, const char16_t** headword);
    // Positions at the first group that does not sort before `word` under
    // the tables (the last group when every headword sorts before it); with
    // `exact`, a following group of the same word under the main table
    // whose first form is identical to the word's wins.
    int searchByText(std::u16string_view word, bool exact);

    // The current group: its first merged position, its size and members.
    std::int32_t position() const { return m_position; }
    std::int32_t groupSize() const { return m_started && !m_groups.empty() ? m_groupSize : 0; }
    std::uint32_t groupMask() const { return m_started && !m_groups.empty() ? m_groups.front().mask : 0; }
    std::u16string_view groupHeadword() const;

    // -1 when the set has no members.
    std::int32_t countLanguage(std::u16string_view text);
    // Lets every member choose its word list for `text`; true when one
    // changed, which renews the counts and starts the merge anew.
    bool chooseWordLists(const char16_t* text);

    // 32 MiB of kept group headwords: some 1.6 million of ten units.
    static constexpr std::size_t kGroupWordBudgetBytes = std::size_t{32} << 20;
    // The kept headwords of the first groups and in `end` the merged index
    // after them; null (and 0) when none are kept.
    const lexvane::engine::WordCache* keptGroupWords(std::int32_t& end) const;
    // Keeps the headword of the group at `index`, which ends before `next`,
    // when it directly follows the groups kept so far.
    void keepGroupWord(std::int32_t index, std::u16string_view headword, std::int32_t next);

    // For tests: the number of checkpoints kept.
    std::size_t checkpointCount() const { return m_checkpoints.size(); }

private:
    using Order = int (MergeRecord::*)(std::u16string_view, std::u16string_view) const;

    int groupOrder(std::u16string_view a, std::u16string_view b) const;
    int searchOrder(std::u16string_view a, std::u16string_view b) const;

    int readAt(lexvane::engine::MergeMember& member, std::int32_t index);
    int readNext(lexvane::engine::MergeMember& member);
    void exhaust(lexvane::engine::MergeMember& member);
    int lowerBound(lexvane::engine::MergeMember& member, std::u16string_view key, Order order);
    std::int32_t quickAccessCount(lexvane::engine::MergeMember& member);
    std::u16string_view quickAccessWord(lexvane::engine::MergeMember& member, std::int32_t point);
    std::int32_t upperEstimate(lexvane::engine::MergeMember& member, std::u16string_view key);

    void insertIntoGroups(int member);
    void rebuildGroups();
    void stopMerge();
    int step();
    int seek(std::int32_t index);
    int seekBelow(std::int32_t index);

    std::int32_t nearWindow() const;
    std::int32_t farWindow() const;
    bool takeSnapshot(lexvane::engine::MergeSnapshot& snapshot, bool evenLong);
    int restore(const lexvane::engine::MergeSnapshot& snapshot);
    void checkpointIfNoneNear();
    void forgetGroupWords();

    int m_capacity;
    std::int32_t m_sourceLanguage;
    std::int32_t m_targetLanguage;
    lexvane::engine::DicPathRecord m_sharedPath;
    std::vector<std::unique_ptr<lexvane::engine::MergeMember>> m_members;

    bool m_completed = false;
    int m_tableMergeStatus = LV_OK;
    std::optional<lexvane::engine::SortTable> m_mainTable;
    std::optional<lexvane::engine::SortTable> m_secondTable;
    std::optional<lexvane::engine::SetAlphabet> m_alphabet;
    std::int32_t m_total = 0;
    std::vector<int> m_bySize; // member numbers, most entries first

    bool m_started = false;
    std::int32_t m_position = -1;
    std::int32_t m_groupSize = 1;
    std::vector<lexvane::engine::MergeGroup> m_groups;
    lexvane::engine::CheckpointCache m_checkpoints;

    lexvane::engine::WordCache m_groupWords{kGroupWordBudgetBytes};
    std::int32_t m_groupWordsEnd = 0;
};
