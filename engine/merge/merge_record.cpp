// merge_record.cpp: members, the merged walk, checkpoints and seeking.
#include "merge/merge_record.h"

#include "collation/word_comparison.h"
#include "compiled/compiled_dictionary.h"
#include "frame/dictionary_id.h"
#include "merge/sort_table_merge.h"

#include <algorithm>
#include <bit>
#include <cstdio>

namespace lexvane::engine {

// One member: its record, the copy of the set's path record it reads with,
// and where the merge stands in its current list.
class MergeMember {
public:
    DicPathRecord pathRecord;
    DictionaryRecord record;
    std::int32_t count = 0;
    std::int32_t index = -1;
    bool hasWord = false;
    std::u16string word;

    const DictionaryOps& ops() const { return *record.ops; }
    void close()
    {
        if (record.ops && record.ops->close)
            record.ops->close(record);
        record.state.reset();
    }
};

namespace {

constexpr std::int32_t kStepWindowPerMember = 25;
constexpr std::int32_t kNearWindowPerMember = 25;
constexpr std::int32_t kNearWindowLargeSet = 200;
constexpr std::int32_t kFarWindowPerMember = 50;
constexpr std::size_t kCheckpointUnitsPerMember = 20;

std::u16string_view firstForm(std::u16string_view word)
{
    return word.substr(0, word.find(u'\t'));
}

int codeUnitOrder(std::u16string_view a, std::u16string_view b)
{
    const int c = a.compare(b);
    return c < 0 ? -1 : c > 0 ? 1 : 0;
}

} // namespace

} // namespace lexvane::engine

using namespace lexvane::engine;

MergeRecord::MergeRecord(int capacity, std::int32_t sourceLanguage, std::int32_t targetLanguage, UDHelper* helper,
                         std::intptr_t reserved1, std::intptr_t reserved2)
    : m_capacity(capacity)
    , m_sourceLanguage(sourceLanguage)
    , m_targetLanguage(targetLanguage)
{
    m_sharedPath.helper = helper;
    m_sharedPath.reserved1 = reserved1;
    m_sharedPath.reserved2 = reserved2;
}

MergeRecord::~MergeRecord()
{
    for (auto& member : m_members)
        member->close();
}

int MergeRecord::add(std::int32_t id, const char* path)
{
    if (static_cast<int>(m_members.size()) >= m_capacity)
        return LV_SET_FULL;
    if (!path)
        return LV_CANNOT_OPEN;
    m_sharedPath.path = path;
    if (id < 0 && !idFromFileName(m_sharedPath.path, id))
        return LV_CANNOT_OPEN;

    auto member = std::make_unique<MergeMember>();
    member->pathRecord.path = m_sharedPath.path;
    member->pathRecord.helper = m_sharedPath.helper;
    member->pathRecord.reserved1 = m_sharedPath.reserved1;
    member->pathRecord.reserved2 = m_sharedPath.reserved2;
    member->record.pathRecord = &member->pathRecord;
    member->record.ops = &operationsForPath(member->pathRecord.path);

    int status = member->ops().open(member->record, id);
    if (status == LV_OK && member->record.state) {
        const std::int32_t source = member->ops().sourceLanguage(member->record);
        const std::int32_t target = member->ops().targetLanguage(member->record);
        const bool fits = source == target ? source == m_sourceLanguage
                                           : source == m_sourceLanguage && target == m_targetLanguage;
        if (!fits)
            status = LV_LANGUAGE_MISMATCH;
    } else if (status == LV_OK) {
        status = LV_CANNOT_OPEN;
    }
    if (status == LV_OK && member->ops().openCompanion)
        status = member->ops().openCompanion(member->record);
    if (status != LV_OK) {
        member->close();
        return status;
    }
    m_members.push_back(std::move(member));
    m_completed = false;
    if (static_cast<int>(m_members.size()) == m_capacity)
        complete();
    return LV_OK;
}

void MergeRecord::complete()
{
    if (m_completed)
        return;
    m_completed = true;
    m_tableMergeStatus = LV_OK;
    m_mainTable.reset();
    m_secondTable.reset();
    m_alphabet.reset();
    m_checkpoints.clear();
    forgetGroupWords();
    stopMerge();

    // The base table is that of the first member with UTF-8 words: 8-bit
    // dictionaries answer slot 13 with words, UTF-8 ones refuse it.
    std::vector<const SortTable*> mainTables;
    std::size_t base = 0;
    bool baseFound = false;
    for (auto& member : m_members) {
        const SortTable* table = member->ops().sortTable ? member->ops().sortTable(member->record, 0) : nullptr;
        if (!table)
            continue;
        const char* narrow = nullptr;
        const bool utf8 = member->ops().quickAccessWord8
                          && member->ops().quickAccessWord8(member->record, 0, &narrow) == LV_NARROW_ON_UTF8;
        if (utf8 && !baseFound) {
            base = mainTables.size();
            baseFound = true;
        }
        mainTables.push_back(table);
    }
    if (!mainTables.empty()) {
        const SortTable* baseTable = mainTables[base];
        mainTables.erase(mainTables.begin() + static_cast<std::ptrdiff_t>(base));
        SortTable merged;
        m_tableMergeStatus = mergeSortTables(*baseTable, mainTables, merged);
        // A failed merge still leaves the set a real collation: the base's.
        m_mainTable = m_tableMergeStatus == LV_OK ? std::move(merged) : *baseTable;
    }
    if (!m_members.empty() && m_members.front()->ops().sortTable) {
        if (const SortTable* first = m_members.front()->ops().sortTable(m_members.front()->record, 1)) {
            std::vector<const SortTable*> others;
            for (std::size_t i = 1; i < m_members.size(); ++i)
                if (const SortTable* table = m_members[i]->ops().sortTable(m_members[i]->record, 1))
                    others.push_back(table);
            SortTable merged;
            const int status = mergeSortTables(*first, others, merged);
            if (m_tableMergeStatus == LV_OK)
                m_tableMergeStatus = status;
            m_secondTable = status == LV_OK ? std::move(merged) : *first;
        }
    }

    if (!m_members.empty()) {
        m_alphabet.emplace();
        for (auto& member : m_members) {
            if (member->ops().inAlphabet16)
                for (std::uint32_t c = 1; c < 0x10000; ++c)
                    if (member->ops().inAlphabet16(member->record, static_cast<char16_t>(c)))
                        m_alphabet->add(static_cast<char16_t>(c));
            // 8-bit members name their letters by byte; their code page
            // says which characters those are.
            CompiledDictionary* compiled = compiledDictionaryOf(member->record);
            if (member->ops().inAlphabet8 && compiled && compiled->byteSortTable())
                for (std::uint32_t b = 1; b < 256; ++b)
                    if (member->ops().inAlphabet8(member->record, static_cast<std::uint8_t>(b))) {
                        const std::u16string wide = compiled->wordToUtf16(std::string(1, static_cast<char>(b)));
                        if (!wide.empty())
                            m_alphabet->add(wide.front());
                    }
        }
    }

    m_total = 0;
    m_bySize.clear();
    for (std::size_t i = 0; i < m_members.size(); ++i) {
        MergeMember& member = *m_members[i];
        member.count = member.ops().count ? std::max(member.ops().count(member.record), 0) : 0;
        m_total += member.count;
        m_bySize.push_back(static_cast<int>(i));
    }
    std::stable_sort(m_bySize.begin(), m_bySize.end(),
                     [this](int a, int b) { return m_members[a]->count > m_members[b]->count; });
}

DictionaryRecord* MergeRecord::member(int position)
{
    if (position < 0 || position >= memberCount())
        return nullptr;
    return &m_members[static_cast<std::size_t>(position)]->record;
}

DictionaryRecord* MergeRecord::memberWithId(std::int32_t id)
{
    for (auto& member : m_members)
        if (member->ops().id && member->ops().id(member->record) == id)
            return &member->record;
    return nullptr;
}

std::int32_t MergeRecord::total()
{
    complete();
    return m_total;
}

std::u16string_view MergeRecord::groupHeadword() const
{
    if (!m_started || m_groups.empty())
        return {};
    return m_members[static_cast<std::size_t>(m_groups.front().head)]->word;
}

int MergeRecord::groupOrder(std::u16string_view a, std::u16string_view b) const
{
    if (const int c = searchOrder(a, b))
        return c;
    return codeUnitOrder(a, b);
}

int MergeRecord::searchOrder(std::u16string_view a, std::u16string_view b) const
{
    if (const int c = compare(a, b, mainTable()))
        return c;
    return m_secondTable ? compare(a, b, &*m_secondTable) : 0;
}

// ---- reading members -----------------------------------------------------

int MergeRecord::readAt(MergeMember& member, std::int32_t index)
{
    if (index >= member.count) {
        exhaust(member);
        return LV_OK;
    }
    if (const int status = member.ops().readEntry(member.record, index, kReadForStepping))
        return status;
    member.index = index;
    member.hasWord = true;
    const char16_t* word = member.ops().currentWord16 ? member.ops().currentWord16(member.record) : nullptr;
    member.word.assign(word ? word : u"");
    return LV_OK;
}

int MergeRecord::readNext(MergeMember& member)
{
    if (member.index + 1 >= member.count) {
        exhaust(member);
        return LV_OK;
    }
    // Someone read this member through its own handle: the stream no longer
    // stands after our entry.
    if (!member.ops().nextEntry || !member.ops().currentIndex
        || member.ops().currentIndex(member.record) != member.index)
        return readAt(member, member.index + 1);
    if (const int status = member.ops().nextEntry(member.record, kReadForStepping))
        return status;
    ++member.index;
    member.hasWord = true;
    const char16_t* word = member.ops().currentWord16 ? member.ops().currentWord16(member.record) : nullptr;
    member.word.assign(word ? word : u"");
    return LV_OK;
}

void MergeRecord::exhaust(MergeMember& member)
{
    member.hasWord = false;
    member.index = member.count;
    member.word.clear();
}

std::int32_t MergeRecord::quickAccessCount(MergeMember& member)
{
    if (!member.ops().quickAccessCount || !member.ops().quickAccessWord16 || !member.ops().quickAccessEntryIndex)
        return 0;
    return std::max(member.ops().quickAccessCount(member.record), 0);
}

std::u16string_view MergeRecord::quickAccessWord(MergeMember& member, std::int32_t point)
{
    const char16_t* word = nullptr;
    if (member.ops().quickAccessWord16(member.record, point, &word) != LV_OK || !word)
        return {};
    return word;
}

// An entry index that the member's first entry not before `key` cannot lie
// beyond: the entry of the first quick-access point whose prefix does not
// sort before the key (a headword never sorts before its own prefix).
std::int32_t MergeRecord::upperEstimate(MergeMember& member, std::u16string_view key)
{
    std::int32_t low = 0;
    std::int32_t high = quickAccessCount(member);
    while (low < high) {
        const std::int32_t middle = low + (high - low) / 2;
        if (groupOrder(quickAccessWord(member, middle), key) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    if (low >= quickAccessCount(member))
        return member.count;
    const std::int32_t entry = member.ops().quickAccessEntryIndex(member.record, low);
    return entry < 0 ? member.count : std::min(entry, member.count);
}

int MergeRecord::lowerBound(MergeMember& member, std::u16string_view key, Order order)
{
    if (member.count == 0) {
        exhaust(member);
        return LV_OK;
    }
    std::int32_t low = 0;
    std::int32_t high = quickAccessCount(member);
    while (low < high) {
        const std::int32_t middle = low + (high - low) / 2;
        if ((this->*order)(quickAccessWord(member, middle), key) < 0)
            low = middle + 1;
        else
            high = middle;
    }
    // Typing a word letter by letter moves the bound a little forward: a
    // member that already stands past the chosen point and before the key
    // steps on from where it is.
    const std::int32_t chosen = low > 0 ? member.ops().quickAccessEntryIndex(member.record, low - 1) : 0;
    const bool stepOn = member.hasWord && member.index >= chosen && member.ops().currentIndex
                        && member.ops().currentIndex(member.record) == member.index
                        && (this->*order)(member.word, key) < 0;
    // A prefix may sort before the key while its headword does not: then
    // the bound lies before that point, and the point before it is tried.
    for (std::int32_t point = low - 1; !stepOn; --point) {
        std::int32_t start = point >= 0 ? member.ops().quickAccessEntryIndex(member.record, point) : 0;
        if (start < 0 || start >= member.count)
            start = 0;
        if (const int status = readAt(member, start))
            return status;
        if (start == 0 || (this->*order)(member.word, key) < 0)
            break;
    }
    while (member.hasWord && (this->*order)(member.word, key) < 0)
        if (const int status = readNext(member))
            return status;
    return LV_OK;
}

// ---- the merged walk -----------------------------------------------------

void MergeRecord::insertIntoGroups(int number)
{
    const MergeMember& member = *m_members[static_cast<std::size_t>(number)];
    const std::uint32_t bit = std::uint32_t{1} << number;
    for (auto group = m_groups.begin(); group != m_groups.end(); ++group) {
        const std::u16string& groupWord = m_members[static_cast<std::size_t>(group->head)]->word;
        if (member.word == groupWord) {
            group->mask |= bit;
            group->head = std::min(group->head, number);
            return;
        }
        if (groupOrder(member.word, groupWord) < 0) {
            m_groups.insert(group, MergeGroup{bit, number});
            return;
        }
    }
    m_groups.push_back(MergeGroup{bit, number});
}

void MergeRecord::rebuildGroups()
{
    m_groups.clear();
    m_position = 0;
    for (std::size_t i = 0; i < m_members.size(); ++i) {
        const MergeMember& member = *m_members[i];
        m_position += member.hasWord ? member.index : member.count;
        if (member.hasWord)
            insertIntoGroups(static_cast<int>(i));
    }
    m_groupSize = m_groups.empty() ? 0 : std::popcount(m_groups.front().mask);
    m_started = true;
}

void MergeRecord::stopMerge()
{
    m_started = false;
    m_position = -1;
    m_groupSize = 1;
    m_groups.clear();
}

int MergeRecord::step()
{
    if (!m_started) {
        for (auto& member : m_members)
            if (const int status = readAt(*member, 0)) {
                stopMerge();
                return status;
            }
        rebuildGroups();
        return m_groups.empty() ? LV_BAD_REFERENCE : LV_OK;
    }
    if (m_groups.empty() || m_position + m_groupSize >= m_total)
        return LV_OUT_OF_RANGE;
    const MergeGroup current = m_groups.front();
    m_groups.erase(m_groups.begin());
    for (std::uint32_t mask = current.mask; mask; mask &= mask - 1) {
        const int number = std::countr_zero(mask);
        MergeMember& member = *m_members[static_cast<std::size_t>(number)];
        if (const int status = readNext(member)) {
            stopMerge();
            return status;
        }
        if (member.hasWord)
            insertIntoGroups(number);
    }
    m_position += m_groupSize;
    if (m_groups.empty()) {
        m_groupSize = 0;
        return LV_BAD_REFERENCE;
    }
    m_groupSize = std::popcount(m_groups.front().mask);
    return LV_OK;
}

// Places every member at its first entry not before one key, the largest
// quick-access prefix of any member whose upper estimate stays at or below
// `index`; the merge then lies less than about two quick-access intervals
// per member before `index`. A prefix that sorts after its own headword (a
// contraction cut in two) can mislead the estimate; then the seek aims
// lower, and in the end the walk starts at the top.
int MergeRecord::seek(std::int32_t index)
{
    constexpr int kAttempts = 6;
    std::int32_t target = index;
    for (int attempt = 0; attempt < kAttempts && target >= 0; ++attempt) {
        if (const int status = seekBelow(target))
            return status;
        if (!m_started || (!m_groups.empty() && m_position <= index))
            return LV_OK;
        target -= 2 * (m_position - target) + 1;
    }
    stopMerge();
    return LV_OK;
}

int MergeRecord::seekBelow(std::int32_t index)
{
    const auto estimate = [&](std::u16string_view key) {
        std::int64_t sum = 0;
        for (auto& member : m_members)
            sum += upperEstimate(*member, key);
        return sum;
    };
    std::u16string best;
    bool found = false;
    for (int number : m_bySize) {
        MergeMember& member = *m_members[static_cast<std::size_t>(number)];
        std::int32_t low = 0;
        std::int32_t high = quickAccessCount(member);
        while (low < high) {
            const std::int32_t middle = low + (high - low) / 2;
            if (estimate(std::u16string(quickAccessWord(member, middle))) <= index)
                low = middle + 1;
            else
                high = middle;
        }
        if (low == 0)
            continue;
        const std::u16string_view key = quickAccessWord(member, low - 1);
        if (!found || groupOrder(key, best) > 0) {
            best.assign(key);
            found = true;
        }
    }
    if (!found) {
        stopMerge();
        return LV_OK;
    }
    for (auto& member : m_members)
        if (const int status = lowerBound(*member, best, &MergeRecord::groupOrder)) {
            stopMerge();
            return status;
        }
    rebuildGroups();
    return LV_OK;
}

std::int32_t MergeRecord::nearWindow() const
{
    const auto members = static_cast<std::int32_t>(m_members.size());
    return members < 4 ? kNearWindowPerMember * members : kNearWindowLargeSet;
}

std::int32_t MergeRecord::farWindow() const
{
    return kFarWindowPerMember * static_cast<std::int32_t>(m_members.size());
}

int MergeRecord::positionAt(std::int32_t index, const char16_t** headword)
{
    if (headword)
        *headword = nullptr;
    complete();
    if (index < 0 || index >= m_total)
        return LV_OUT_OF_RANGE;

    if (m_members.size() == 1) {
        MergeMember& only = *m_members.front();
        if (!m_started || m_position != index || only.index != index) {
            if (const int status = readAt(only, index)) {
                stopMerge();
                return status;
            }
            m_groups.assign(1, MergeGroup{1, 0});
            m_position = index;
            m_groupSize = 1;
            m_started = true;
        }
        if (headword)
            *headword = only.word.c_str();
        return LV_OK;
    }

    const auto members = static_cast<std::int32_t>(m_members.size());
    const bool closeAhead = m_started && !m_groups.empty() && m_position <= index
                            && index - m_position < kStepWindowPerMember * members;
    if (!closeAhead) {
        if (const MergeSnapshot* checkpoint = m_checkpoints.find(index, nearWindow(), farWindow())) {
            if (const int status = restore(*checkpoint))
                return status;
        } else if (index < kStepWindowPerMember * members) {
            stopMerge();
        } else if (const int status = seek(index)) {
            return status;
        }
    }
    while (!m_started || index >= m_position + m_groupSize) {
        if (const int status = step())
            return status;
        checkpointIfNoneNear();
    }
    if (headword && index == m_position)
        *headword = m_members[static_cast<std::size_t>(m_groups.front().head)]->word.c_str();
    return LV_OK;
}

int MergeRecord::searchByText(std::u16string_view word, bool exact)
{
    complete();
    std::fputs("MergeGetWordByTextW", stderr);
    if (m_total == 0) {
        stopMerge();
        return LV_OK;
    }
    for (auto& member : m_members)
        if (const int status = lowerBound(*member, word, &MergeRecord::searchOrder)) {
            stopMerge();
            return status;
        }
    rebuildGroups();
    if (m_groups.empty()) {
        // Every headword sorts before the word: the list stands at its end.
        const char16_t* ignored = nullptr;
        if (const int status = positionAt(m_total - 1, &ignored))
            return status;
    }
    checkpointIfNoneNear();
    if (!exact)
        return LV_OK;

    MergeSnapshot found;
    takeSnapshot(found, true);
    const std::u16string_view wanted = firstForm(word);
    for (;;) {
        const std::u16string_view form = firstForm(groupHeadword());
        if (form == wanted)
            return LV_OK;
        if (compare(form, wanted, mainTable()) != 0)
            break;
        if (m_secondTable && compare(form, wanted, &*m_secondTable) != 0)
            break;
        if (step() != LV_OK)
            break;
    }
    return restore(found);
}

// ---- checkpoints ---------------------------------------------------------

bool MergeRecord::takeSnapshot(MergeSnapshot& snapshot, bool evenLong)
{
    if (!m_started)
        return false;
    if (!evenLong) {
        std::size_t units = 0;
        for (const auto& member : m_members)
            units += member->word.size() + 1;
        if (units > kCheckpointUnitsPerMember * m_members.size())
            return false;
    }
    snapshot.position = m_position;
    snapshot.groupSize = m_groupSize;
    snapshot.groups = m_groups;
    snapshot.members.resize(m_members.size());
    for (std::size_t i = 0; i < m_members.size(); ++i) {
        MergeMember& member = *m_members[i];
        MemberSnapshot& saved = snapshot.members[i];
        saved.index = member.index;
        saved.hasWord = member.hasWord;
        saved.word = member.word;
        // The saved stream position is only good while the member still
        // stands where the set left it.
        saved.readingSaved = member.hasWord && member.ops().savePosition && member.ops().restorePosition
                             && member.ops().currentIndex && member.ops().currentIndex(member.record) == member.index
                             && member.ops().savePosition(member.record, saved.reading) == LV_OK;
    }
    return true;
}

int MergeRecord::restore(const MergeSnapshot& snapshot)
{
    for (std::size_t i = 0; i < m_members.size(); ++i) {
        MergeMember& member = *m_members[i];
        const MemberSnapshot& saved = snapshot.members[i];
        if (!saved.hasWord) {
            exhaust(member);
            continue;
        }
        if (saved.readingSaved && member.ops().restorePosition(member.record, saved.reading) == LV_OK) {
            member.index = saved.index;
            member.hasWord = true;
            member.word = saved.word;
            continue;
        }
        if (const int status = readAt(member, saved.index)) {
            stopMerge();
            return status;
        }
    }
    m_position = snapshot.position;
    m_groupSize = snapshot.groupSize;
    m_groups = snapshot.groups;
    m_started = true;
    return LV_OK;
}

void MergeRecord::checkpointIfNoneNear()
{
    if (!m_started || m_groups.empty() || m_checkpoints.hasNear(m_position, nearWindow()))
        return;
    MergeSnapshot snapshot;
    if (takeSnapshot(snapshot, false))
        m_checkpoints.add(std::move(snapshot));
}

// ---- kept group headwords ----------------------------------------------

const WordCache* MergeRecord::keptGroupWords(std::int32_t& end) const
{
    end = 0;
    if (m_groupWords.refused() || m_groupWordsEnd == 0)
        return nullptr;
    end = m_groupWordsEnd;
    return &m_groupWords;
}

void MergeRecord::keepGroupWord(std::int32_t index, std::u16string_view headword, std::int32_t next)
{
    if (m_groupWords.complete() || m_groupWords.refused() || index != m_groupWordsEnd || next <= index)
        return;
    m_groupWords.append(headword);
    if (m_groupWords.refused()) {
        m_groupWordsEnd = 0;
        return;
    }
    m_groupWordsEnd = next;
    if (next >= m_total)
        m_groupWords.markComplete();
}

void MergeRecord::forgetGroupWords()
{
    m_groupWords.clear();
    m_groupWordsEnd = 0;
}

// ---- language and word lists ---------------------------------------------

std::int32_t MergeRecord::countLanguage(std::u16string_view text)
{
    complete();
    if (!m_alphabet)
        return -1;
    return countSourceLanguage(m_sourceLanguage, *m_alphabet, text);
}

bool MergeRecord::chooseWordLists(const char16_t* text)
{
    complete();
    bool changed = false;
    for (auto& member : m_members) {
        if (!member->ops().chooseWordList)
            continue;
        const int answer = member->ops().chooseWordList(member->record, text);
        if (answer < 0)
            break;
        changed = changed || answer > 0;
    }
    if (!changed)
        return false;
    m_total = 0;
    for (auto& member : m_members) {
        member->count = member->ops().count ? std::max(member->ops().count(member->record), 0) : 0;
        m_total += member->count;
    }
    std::stable_sort(m_bySize.begin(), m_bySize.end(),
                     [this](int a, int b) { return m_members[a]->count > m_members[b]->count; });
    // The old positions and checkpoints name entries of the other lists.
    m_checkpoints.clear();
    forgetGroupWords();
    stopMerge();
    for (auto& member : m_members) {
        member->hasWord = false;
        member->index = -1;
        member->word.clear();
    }
    return true;
}
