// lru_cache.h: the list controller's caches of laid-out articles: owned
// entries by article index, each costing 1, at most `capacity` of them.
//
// Inserting beyond the capacity deletes the least recently used entry;
// find() counts as a use. take() hands an entry out of the cache, so that
// the controller can move it to its cache of retired entries.
#pragma once

#include <algorithm>
#include <list>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace ArticleEngine::Controller {

template <class T>
class LruCache {
public:
    explicit LruCache(int capacity)
        : m_capacity(std::max(1, capacity))
    {
    }

    int size() const { return int(m_order.size()); }
    int capacity() const { return m_capacity; }
    bool contains(int key) const { return m_index.count(key) != 0; }

    // Null when absent; a hit makes the entry the most recently used.
    T* find(int key)
    {
        const auto found = m_index.find(key);
        if (found == m_index.end())
            return nullptr;
        m_order.splice(m_order.begin(), m_order, found->second);
        return found->second->second.get();
    }

    // Replaces an entry of the same key; deletes the oldest beyond capacity.
    T* insert(int key, std::unique_ptr<T> value)
    {
        take(key);
        m_order.emplace_front(key, std::move(value));
        m_index[key] = m_order.begin();
        while (size() > m_capacity) {
            m_index.erase(m_order.back().first);
            m_order.pop_back();
        }
        return m_order.front().second.get();
    }

    std::unique_ptr<T> take(int key)
    {
        const auto found = m_index.find(key);
        if (found == m_index.end())
            return nullptr;
        std::unique_ptr<T> value = std::move(found->second->second);
        m_order.erase(found->second);
        m_index.erase(found);
        return value;
    }

    // Every entry, least recently used first, leaving the cache empty.
    std::vector<std::pair<int, std::unique_ptr<T>>> takeAll()
    {
        std::vector<std::pair<int, std::unique_ptr<T>>> all;
        for (auto it = m_order.rbegin(); it != m_order.rend(); ++it)
            all.emplace_back(it->first, std::move(it->second));
        m_order.clear();
        m_index.clear();
        return all;
    }

    // Calls f(key, T&) for every entry, most recently used first.
    template <class F>
    void forEach(F&& f)
    {
        for (auto& [key, value] : m_order)
            f(key, *value);
    }

private:
    using Entry = std::pair<int, std::unique_ptr<T>>;
    int m_capacity;
    std::list<Entry> m_order;
    std::unordered_map<int, typename std::list<Entry>::iterator> m_index;
};

} // namespace ArticleEngine::Controller
