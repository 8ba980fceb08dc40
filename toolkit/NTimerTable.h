// A window's timers (id and user value), guarded by a mutex of its own
// because timers may fire while others are added or removed. No platform headers.
#pragma once
#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

class NTimerTable {
public:
    // Enters a timer whose id is one above the largest in the table (1 for the first).
    unsigned Add(std::intptr_t userValue);
    bool Find(unsigned id, std::intptr_t* userValue) const;
    bool Remove(unsigned id);
    // Empties the table and returns the ids that were in it.
    std::vector<unsigned> TakeAll();
    size_t Count() const;

private:
    mutable std::mutex m_mutex;
    std::vector<std::pair<unsigned, std::intptr_t>> m_timers;
};
