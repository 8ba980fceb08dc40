// Opens a file or address with the shell's default verb, shown normally.
#pragma once
#include <windows.h>

#include <string>

bool NShellOpen(const std::wstring& target, HWND owner = nullptr);
