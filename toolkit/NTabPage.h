// The pages of a tab control: each page is a window object shown as a
// modeless child dialog over the tab's display area, one at a time. The
// owning window offers WM_NOTIFY to MessageFilter.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "NWindow.h"

class NTabPage {
public:
    bool Attach(HWND tab);
    HWND Tab() const { return m_tab; }
    // Adds a tab and makes its page from a child dialog template; returns its index or -1.
    int AddPage(const std::wstring& title, NWindow& page, HINSTANCE instance, LPCWSTR templateName);
    int AddPage(const std::wstring& title, NWindow& page, HINSTANCE instance, const DLGTEMPLATE* dialogTemplate);
    bool Show(int index);
    int Current() const { return m_current; }
    int Count() const { return static_cast<int>(m_pages.size()); }
    NWindow* Page(int index) const;
    // Places the pages again (after the tab control was moved or sized).
    void Layout();

    LRESULT MessageFilter(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

private:
    int AddTab(const std::wstring& title, NWindow& page);
    RECT DisplayArea() const;

    HWND m_tab = nullptr;
    std::vector<NWindow*> m_pages;
    int m_current = -1;
};
