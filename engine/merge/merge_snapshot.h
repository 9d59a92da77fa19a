// merge_snapshot.h: a saved state of a set's merge, and the cache of them.
//
// A snapshot holds everything needed to continue the merge from where it
// was taken without reading the members again: the merged position, the
// groups, and per member its reading position, entry index and headword.
// The cache keeps up to kCapacity snapshots (checkpoints), found by merged
// position and dropped least recently used first. See docs/behaviour/sets.md.
#pragma once

#include "frame/reading_position.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace lexvane::engine {

// Members whose current headwords are identical (`mask`, bit i = member i);
// `head` is the lowest-numbered of them, whose headword the group shows.
struct MergeGroup {
    std::uint32_t mask = 0;
    int head = 0;
};

struct MemberSnapshot {
    ReadingPosition reading;
    bool readingSaved = false;   // false: the member has no save slot; read its entry again
    std::int32_t index = -1;
    bool hasWord = false;
    std::u16string word;
};

struct MergeSnapshot {
    std::int32_t position = -1;
    std::int32_t groupSize = 1;
    std::vector<MergeGroup> groups;
    std::vector<MemberSnapshot> members;
};

class CheckpointCache {
public:
    static constexpr std::size_t kCapacity = 1000;

    // The checkpoint to continue from for merged index `target`: the nearest
    // one at or before it within `near` entries, else the one used or taken
    // most recently among those within `far` entries before it; null when
    // none. The one returned counts as used now.
    const MergeSnapshot* find(std::int32_t target, std::int32_t near, std::int32_t far);
    // Whether a checkpoint lies at or up to `near` entries before `position`.
    bool hasNear(std::int32_t position, std::int32_t near) const;
    // Keeps `snapshot`, replacing one at the same position and dropping the
    // least recently used one when the cache is full.
    void add(MergeSnapshot snapshot);
    void clear();
    std::size_t size() const { return m_entries.size(); }

private:
    struct Entry {
        MergeSnapshot snapshot;
        std::uint64_t lastUse = 0;
    };

    std::vector<Entry> m_entries;
    std::map<std::int32_t, std::size_t> m_byPosition; // position -> entry
    std::uint64_t m_clock = 0;
};

} // namespace lexvane::engine
