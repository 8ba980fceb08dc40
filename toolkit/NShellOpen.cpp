#include "NShellOpen.h"

#include <shellapi.h>

bool NShellOpen(const std::wstring& target, HWND owner)
{
    if (target.empty()) return false;
    const HINSTANCE result = ShellExecuteW(owner, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
