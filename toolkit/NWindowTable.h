// The process-wide table of live window objects and their window handles,
// searched linearly under its mutex. No platform headers.
#pragma once
#include <cstddef>

class NWindow;
struct HWND__;

namespace NWindowTable {
void Add(NWindow* window, HWND__* handle);
void Remove(HWND__* handle);
void RemoveObject(NWindow* window);
NWindow* Find(HWND__* handle);
size_t Count();
}
