// Shared helpers of the toolkit tests: a message pump, an owner window that
// hands its messages to a value list, and mouse and key messages.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "NValueList.h"
#include "NWindow.h"

namespace tktest {

// Dispatches what is queued (a few rounds, so posted follow-ups run too).
inline void Pump(int rounds = 4)
{
    MSG msg;
    for (int i = 0; i < rounds; ++i)
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
}

// Pumps until the condition holds (bounded by a generous number of rounds).
inline bool PumpUntil(const std::function<bool()>& condition, int maxRounds = 2000)
{
    for (int i = 0; i < maxRounds; ++i) {
        if (condition()) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
        Pump(1);
    }
    return condition();
}

inline void Click(HWND window, int x, int y)
{
    SendMessageW(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(window, WM_LBUTTONUP, 0, MAKELPARAM(x, y));
    Pump();
}

inline void RightClick(HWND window, int x, int y)
{
    SendMessageW(window, WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(x, y));
    SendMessageW(window, WM_RBUTTONUP, 0, MAKELPARAM(x, y));
    Pump();
}

inline void Key(HWND window, int key)
{
    SendMessageW(window, WM_KEYDOWN, key, 1);
    SendMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    Pump();
}

// A typed character as the keyboard gives it: key down, character, key up.
inline void Type(HWND window, const std::wstring& text)
{
    for (wchar_t c : text) {
        const int key = (c >= L'a' && c <= L'z') ? c - L'a' + 'A' : c;
        SendMessageW(window, WM_KEYDOWN, key, 1);
        SendMessageW(window, WM_CHAR, c, 1);
        SendMessageW(window, WM_KEYUP, key, static_cast<LPARAM>(0xC0000001u));
    }
    Pump();
}

inline std::wstring Text(HWND window)
{
    wchar_t buffer[512] = {};
    GetWindowTextW(window, buffer, 512);
    return buffer;
}

// A value list that records what it reports.
class RecordingList : public NValueList {
public:
    int selectionChanges = 0;
    std::vector<int> namesEdited;
    std::vector<POINT> contextMenus;
    void SelectionChanged() override { ++selectionChanges; }
    void RowNameEdited(int row) override { namesEdited.push_back(row); }
    void ContextMenu(int x, int y) override { contextMenus.push_back(POINT{x, y}); }
};

// A top-level window owning a value list and a plain button to take the focus.
class OwnerWindow : public NWindow {
public:
    NValueList* list = nullptr;
    HWND other = nullptr;
    int tabs = 0;

    bool Open(int left = 40, int top = 40, int width = 640, int height = 420)
    {
        if (!Create(L"Value list test", WS_OVERLAPPEDWINDOW | WS_VISIBLE | WS_CLIPCHILDREN, 0, nullptr, 0, left, top,
                    left + width, top + height))
            return false;
        other = CreateWindowExW(0, L"BUTTON", L"Other", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, height - 70, 80, 24,
                                Handle(), reinterpret_cast<HMENU>(100), nullptr, nullptr);
        SetForegroundWindow(Handle());
        SetActiveWindow(Handle());
        Pump();
        return true;
    }
    LRESULT MessageHook(HWND, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override
    {
        if (!list) return 0;
        return list->MessageFilter(message, wParam, lParam, handled);
    }
    void OnKeyDown(int key, LPARAM) override
    {
        if (key == VK_TAB) ++tabs;
    }
};

}  // namespace tktest
