#include "NTimerTable.h"

unsigned NTimerTable::Add(std::intptr_t userValue)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    unsigned largest = 0;
    for (const auto& t : m_timers)
        if (t.first > largest) largest = t.first;
    m_timers.emplace_back(largest + 1, userValue);
    return largest + 1;
}

bool NTimerTable::Find(unsigned id, std::intptr_t* userValue) const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (const auto& t : m_timers)
        if (t.first == id) {
            if (userValue) *userValue = t.second;
            return true;
        }
    return false;
}

bool NTimerTable::Remove(unsigned id)
{
    std::lock_guard<std::mutex> lock(m_mutex);
    for (auto it = m_timers.begin(); it != m_timers.end(); ++it)
        if (it->first == id) {
            m_timers.erase(it);
            return true;
        }
    return false;
}

std::vector<unsigned> NTimerTable::TakeAll()
{
    std::lock_guard<std::mutex> lock(m_mutex);
    std::vector<unsigned> ids;
    for (const auto& t : m_timers) ids.push_back(t.first);
    m_timers.clear();
    return ids;
}

size_t NTimerTable::Count() const
{
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_timers.size();
}
