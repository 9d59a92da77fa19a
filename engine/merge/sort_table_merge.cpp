// sort_table_merge.cpp: fitting the members' characters into one table.
#include "merge/sort_table_merge.h"

#include "lexvane_engine.h"

#include <algorithm>
#include <map>
#include <set>
#include <vector>

namespace lexvane::engine {

namespace {

// A table taken apart so that weights can move: every character's own
// weight (for a contraction start, that of its one-character contraction),
// the contraction starts, and the contractions.
struct WorkTable {
    std::map<char16_t, std::uint16_t> single;
    std::set<char16_t> starts;
    std::vector<SortTable::Contraction> contractions;
};

bool sameCharacters(const SortTable::Contraction& a, const SortTable::Contraction& b)
{
    return a.characters == b.characters;
}

const SortTable::Contraction* findContraction(const std::vector<SortTable::Contraction>& list,
                                              const SortTable::Contraction& wanted)
{
    for (const SortTable::Contraction& entry : list)
        if (sameCharacters(entry, wanted))
            return &entry;
    return nullptr;
}

WorkTable takeApart(const SortTable& table)
{
    WorkTable work;
    for (const SortTable::Contraction& entry : table.contractions())
        if (entry.characters[0] != 0)
            work.contractions.push_back(entry);
    for (std::size_t i = 0; i < table.characters().size(); ++i) {
        const SortTable::Character& entry = table.characters()[i];
        const char16_t code = table.lookup() == SortTable::Lookup::CodeIndex ? static_cast<char16_t>(i) : entry.code;
        const std::uint16_t weight = entry.weight;
        if (weight == SortTable::kIgnored || code == 0)
            continue;
        if (!(weight & SortTable::kContractionFlag)) {
            work.single[code] = weight;
            continue;
        }
        work.starts.insert(code);
        SortTable::Contraction alone{};
        alone.characters[0] = code;
        if (const SortTable::Contraction* own = findContraction(work.contractions, alone); own && own->weights[0])
            work.single[code] = own->weights[0];
    }
    return work;
}

// Moves every weight from `from` up one place. False when a weight would
// reach the contraction flag.
bool openGap(WorkTable& work, std::uint16_t from)
{
    const auto bump = [from](std::uint16_t& weight) {
        if (weight != 0 && weight >= from)
            ++weight;
        return weight < SortTable::kContractionFlag;
    };
    for (auto& [code, weight] : work.single)
        if (!bump(weight))
            return false;
    for (SortTable::Contraction& entry : work.contractions)
        for (std::uint16_t& weight : entry.weights)
            if (!bump(weight))
                return false;
    return true;
}

// The weight most characters of `characters` carry in `work`; 0 when none
// carries one.
std::uint16_t mostCommonWeight(const WorkTable& work, const std::vector<char16_t>& characters)
{
    std::map<std::uint16_t, std::size_t> counts;
    for (char16_t c : characters)
        if (const auto found = work.single.find(c); found != work.single.end())
            ++counts[found->second];
    std::uint16_t best = 0;
    std::size_t bestCount = 0;
    for (const auto& [weight, count] : counts) {
        if (count > bestCount) {
            best = weight;
            bestCount = count;
        }
    }
    return best;
}

int mergeOne(WorkTable& merged, const SortTable& memberTable)
{
    const WorkTable member = takeApart(memberTable);
    std::map<std::uint16_t, std::vector<char16_t>> byWeight;
    for (const auto& [code, weight] : member.single)
        byWeight[weight].push_back(code);

    std::uint16_t last = 0;
    for (const auto& [memberWeight, characters] : byWeight) {
        std::map<int, std::size_t> outcomes; // -1: absent
        std::vector<char16_t> absent;
        std::size_t present = 0;
        for (char16_t c : characters) {
            const auto found = merged.single.find(c);
            if (found == merged.single.end()) {
                ++outcomes[-1];
                absent.push_back(c);
            } else {
                ++outcomes[found->second];
                ++present;
            }
        }
        if (outcomes.size() > 3)
            return LV_BAD_SORT_TABLE;
        std::uint16_t target = 0;
        std::size_t targetCount = 0;
        for (const auto& [outcome, count] : outcomes) {
            if (outcome >= 0 && count > targetCount) {
                target = static_cast<std::uint16_t>(outcome);
                targetCount = count;
            }
        }
        if (!absent.empty() && targetCount * 2 <= present) {
            // No weight (or none at all) speaks for the group: the new characters get a
            // weight of their own just above where this walk stands.
            target = static_cast<std::uint16_t>(last + 1);
            if (target >= SortTable::kContractionFlag || !openGap(merged, target))
                return LV_BAD_SORT_TABLE;
        }
        for (char16_t c : absent)
            merged.single[c] = target;
        if (target != 0)
            last = target;
    }

    // What each of the member's weights became, for its contractions.
    std::map<std::uint16_t, std::uint16_t> mapped;
    for (const auto& [memberWeight, characters] : byWeight)
        if (const std::uint16_t weight = mostCommonWeight(merged, characters))
            mapped[memberWeight] = weight;
    const auto translate = [&mapped](std::uint16_t weight) -> std::uint16_t {
        if (weight == 0 || mapped.empty())
            return weight == 0 ? 0 : 1;
        auto found = mapped.upper_bound(weight);
        if (found == mapped.begin())
            return found->second;
        return std::prev(found)->second;
    };

    for (const SortTable::Contraction& entry : member.contractions) {
        const char16_t first = entry.characters[0];
        const bool alone = entry.characters[1] == 0;
        // A character the merged table weighs already keeps that weight.
        if (alone && merged.single.count(first) && !merged.starts.count(first))
            continue;
        if (findContraction(merged.contractions, entry))
            continue;
        if (!merged.starts.count(first)) {
            merged.starts.insert(first);
            if (const auto own = merged.single.find(first); own != merged.single.end() && !alone) {
                SortTable::Contraction lone{};
                lone.characters[0] = first;
                lone.weights[0] = own->second;
                merged.contractions.push_back(lone);
            }
        }
        SortTable::Contraction added = entry;
        for (std::uint16_t& weight : added.weights)
            weight = translate(weight);
        merged.contractions.push_back(added);
    }
    return LV_OK;
}

} // namespace

int mergeSortTables(const SortTable& base, std::span<const SortTable* const> others, SortTable& merged)
{
    WorkTable work = takeApart(base);
    for (const SortTable* table : others) {
        if (!table)
            continue;
        if (const int status = mergeOne(work, *table))
            return status;
    }
    std::vector<SortTable::Character> characters;
    std::set<char16_t> codes(work.starts);
    for (const auto& [code, weight] : work.single)
        codes.insert(code);
    for (char16_t code : codes) {
        const bool start = work.starts.count(code) != 0;
        // Contraction starts get their index from renumberContractions; one
        // that no contraction names sorts after every letter.
        characters.push_back({code, start ? SortTable::kUnmatchedContraction : work.single[code]});
    }
    SortTable result(SortTable::Lookup::Bisection, base.terminator(), std::move(characters),
                     std::move(work.contractions));
    result.renumberContractions();
    if (const int status = result.validate())
        return status;
    merged = std::move(result);
    return LV_OK;
}

} // namespace lexvane::engine
