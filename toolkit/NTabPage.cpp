#include "NTabPage.h"

#include <commctrl.h>

#include "NCommonControls.h"

bool NTabPage::Attach(HWND tab)
{
    NInitCommonControls();
    m_tab = IsWindow(tab) ? tab : nullptr;
    m_pages.clear();
    m_current = -1;
    return m_tab != nullptr;
}

RECT NTabPage::DisplayArea() const
{
    RECT r = {};
    GetWindowRect(m_tab, &r);
    TabCtrl_AdjustRect(m_tab, FALSE, &r);
    MapWindowPoints(nullptr, GetParent(m_tab), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

int NTabPage::AddTab(const std::wstring& title, NWindow& page)
{
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(title.c_str());
    const int index = static_cast<int>(m_pages.size());
    if (SendMessageW(m_tab, TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item)) < 0) {
        page.Close();
        return -1;
    }
    m_pages.push_back(&page);
    const RECT area = DisplayArea();
    SetWindowPos(page.Handle(), HWND_TOP, area.left, area.top, area.right - area.left, area.bottom - area.top,
                 SWP_NOACTIVATE | SWP_HIDEWINDOW);
    if (m_current < 0) Show(index);
    return index;
}

int NTabPage::AddPage(const std::wstring& title, NWindow& page, HINSTANCE instance, LPCWSTR templateName)
{
    if (!m_tab || !page.CreateModeless(instance, templateName, GetParent(m_tab))) return -1;
    return AddTab(title, page);
}

int NTabPage::AddPage(const std::wstring& title, NWindow& page, HINSTANCE instance, const DLGTEMPLATE* dialogTemplate)
{
    if (!m_tab || !page.CreateModeless(instance, dialogTemplate, GetParent(m_tab))) return -1;
    return AddTab(title, page);
}

NWindow* NTabPage::Page(int index) const
{
    return index >= 0 && index < Count() ? m_pages[static_cast<size_t>(index)] : nullptr;
}

bool NTabPage::Show(int index)
{
    NWindow* page = Page(index);
    if (!page || !page->Handle()) return false;
    if (NWindow* old = Page(m_current))
        if (old != page && old->Handle()) ShowWindow(old->Handle(), SW_HIDE);
    m_current = index;
    if (TabCtrl_GetCurSel(m_tab) != index) TabCtrl_SetCurSel(m_tab, index);
    SetWindowPos(page->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    return true;
}

void NTabPage::Layout()
{
    if (!m_tab) return;
    const RECT area = DisplayArea();
    for (NWindow* page : m_pages)
        if (page->Handle())
            SetWindowPos(page->Handle(), nullptr, area.left, area.top, area.right - area.left,
                         area.bottom - area.top, SWP_NOACTIVATE | SWP_NOZORDER);
}

LRESULT NTabPage::MessageFilter(UINT message, WPARAM, LPARAM lParam, bool& handled)
{
    handled = false;
    if (message != WM_NOTIFY || !m_tab) return 0;
    const auto* header = reinterpret_cast<const NMHDR*>(lParam);
    if (!header || header->hwndFrom != m_tab || header->code != TCN_SELCHANGE) return 0;
    Show(TabCtrl_GetCurSel(m_tab));
    handled = true;
    return 0;
}
