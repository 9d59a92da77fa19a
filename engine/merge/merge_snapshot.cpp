// merge_snapshot.cpp: finding, keeping and dropping checkpoints.
#include "merge/merge_snapshot.h"

#include <algorithm>

namespace lexvane::engine {

const MergeSnapshot* CheckpointCache::find(std::int32_t target, std::int32_t near, std::int32_t far)
{
    auto after = m_byPosition.upper_bound(target);
    if (after == m_byPosition.begin())
        return nullptr;
    auto nearest = std::prev(after);
    std::size_t chosen = m_entries.size();
    if (target - nearest->first <= near) {
        chosen = nearest->second;
    } else {
        std::uint64_t latest = 0;
        for (auto it = m_byPosition.lower_bound(target - far); it != after; ++it) {
            if (m_entries[it->second].lastUse >= latest) {
                latest = m_entries[it->second].lastUse;
                chosen = it->second;
            }
        }
    }
    if (chosen == m_entries.size())
        return nullptr;
    m_entries[chosen].lastUse = ++m_clock;
    return &m_entries[chosen].snapshot;
}

bool CheckpointCache::hasNear(std::int32_t position, std::int32_t near) const
{
    const auto after = m_byPosition.upper_bound(position);
    return after != m_byPosition.begin() && position - std::prev(after)->first <= near;
}

void CheckpointCache::add(MergeSnapshot snapshot)
{
    const std::int32_t position = snapshot.position;
    if (const auto same = m_byPosition.find(position); same != m_byPosition.end()) {
        m_entries[same->second] = {std::move(snapshot), ++m_clock};
        return;
    }
    if (m_entries.size() < kCapacity) {
        m_byPosition[position] = m_entries.size();
        m_entries.push_back({std::move(snapshot), ++m_clock});
        return;
    }
    const auto oldest = std::min_element(m_entries.begin(), m_entries.end(),
                                         [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
    const auto slot = static_cast<std::size_t>(oldest - m_entries.begin());
    m_byPosition.erase(oldest->snapshot.position);
    m_byPosition[position] = slot;
    *oldest = {std::move(snapshot), ++m_clock};
}

void CheckpointCache::clear()
{
    m_entries.clear();
    m_byPosition.clear();
}

} // namespace lexvane::engine
