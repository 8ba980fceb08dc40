#include "NWindowTable.h"

#include <mutex>
#include <utility>
#include <vector>

namespace {
std::mutex& TableMutex()
{
    static std::mutex mutex;
    return mutex;
}
std::vector<std::pair<NWindow*, HWND__*>>& Table()
{
    static std::vector<std::pair<NWindow*, HWND__*>> table;
    return table;
}
}

namespace NWindowTable {

void Add(NWindow* window, HWND__* handle)
{
    std::lock_guard<std::mutex> lock(TableMutex());
    for (auto& entry : Table())
        if (entry.second == handle) {
            entry.first = window;
            return;
        }
    Table().emplace_back(window, handle);
}

void Remove(HWND__* handle)
{
    std::lock_guard<std::mutex> lock(TableMutex());
    auto& table = Table();
    for (auto it = table.begin(); it != table.end(); ++it)
        if (it->second == handle) {
            table.erase(it);
            return;
        }
}

void RemoveObject(NWindow* window)
{
    std::lock_guard<std::mutex> lock(TableMutex());
    auto& table = Table();
    for (auto it = table.begin(); it != table.end();)
        it = it->first == window ? table.erase(it) : it + 1;
}

NWindow* Find(HWND__* handle)
{
    std::lock_guard<std::mutex> lock(TableMutex());
    for (const auto& entry : Table())
        if (entry.second == handle) return entry.first;
    return nullptr;
}

size_t Count()
{
    std::lock_guard<std::mutex> lock(TableMutex());
    return Table().size();
}

}  // namespace NWindowTable
