#include "NDropList.h"

#include "NScreen.h"

NDropList::~NDropList() { Destroy(); }

bool NDropList::Create(HWND parent, int id, int x, int y, int width, int height, int itemHeight)
{
    Destroy();
    m_id = id;
    m_itemHeight = itemHeight > 0 ? itemHeight : NScale(18);
    HWND combo = CreateWindowExW(0, L"COMBOBOX", L"",
                                 WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST |
                                     CBS_OWNERDRAWFIXED | CBS_HASSTRINGS,
                                 x, y, width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                 nullptr, nullptr);
    if (!combo) return false;
    SendMessageW(combo, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
    SendMessageW(combo, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), m_itemHeight);
    SendMessageW(combo, CB_SETITEMHEIGHT, 0, m_itemHeight);
    if (!Attach(combo)) {
        DestroyWindow(combo);
        return false;
    }
    return true;
}

void NDropList::Destroy()
{
    const HWND combo = Handle();
    Detach();
    if (combo && IsWindow(combo)) DestroyWindow(combo);
    m_entries.clear();
}

int NDropList::AddEntry(const std::wstring& text, HICON icon, LPARAM value)
{
    if (!Handle()) return -1;
    Entry entry;
    entry.text = text;
    entry.icon.CopyFrom(icon);
    entry.value = value;
    m_entries.push_back(std::move(entry));
    const LRESULT index = SendMessageW(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageW(Handle(), CB_SETITEMDATA, index, static_cast<LPARAM>(m_entries.size() - 1));
    return static_cast<int>(index);
}

int NDropList::Count() const { return Handle() ? static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)) : 0; }

int NDropList::Selected() const { return Handle() ? static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)) : -1; }

bool NDropList::Select(int index)
{
    if (!Handle() || index < -1 || index >= Count()) return false;
    SendMessageW(Handle(), CB_SETCURSEL, index, 0);
    return true;
}

std::wstring NDropList::EntryText(int index) const
{
    if (!Handle() || index < 0 || index >= Count()) return std::wstring();
    const size_t slot = static_cast<size_t>(SendMessageW(Handle(), CB_GETITEMDATA, index, 0));
    return slot < m_entries.size() ? m_entries[slot].text : std::wstring();
}

LPARAM NDropList::EntryValue(int index) const
{
    if (!Handle() || index < 0 || index >= Count()) return 0;
    const size_t slot = static_cast<size_t>(SendMessageW(Handle(), CB_GETITEMDATA, index, 0));
    return slot < m_entries.size() ? m_entries[slot].value : 0;
}

void NDropList::Clear()
{
    if (Handle()) SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    m_entries.clear();
}

void NDropList::DrawEntry(const DRAWITEMSTRUCT& draw)
{
    const RECT item = draw.rcItem;
    const int width = item.right - item.left, height = item.bottom - item.top;
    if (width <= 0 || height <= 0) return;
    NMemoryDC memory(draw.hDC);
    NBitmap canvas(CreateCompatibleBitmap(draw.hDC, width, height));
    if (!memory.Get() || !canvas) return;
    NSelect selectCanvas(memory.Get(), canvas.Get());
    HDC dc = memory.Get();
    const bool selected = (draw.itemState & ODS_SELECTED) != 0;
    RECT all = {0, 0, width, height};
    FillRect(dc, &all, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (static_cast<int>(draw.itemID) >= 0) {
        const size_t slot = static_cast<size_t>(draw.itemData);
        if (slot < m_entries.size()) {
            const Entry& entry = m_entries[slot];
            int left = NScale(2);
            if (entry.icon.Get()) {
                const int size = NScale(16);
                DrawIconEx(dc, left, (height - size) / 2, entry.icon.Get(), size, size, 0, nullptr, DI_NORMAL);
                left += size + NScale(4);
            }
            NSelect font(dc, reinterpret_cast<HFONT>(SendMessageW(Handle(), WM_GETFONT, 0, 0)));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
            RECT text = {left, 0, width - NScale(2), height};
            DrawTextW(dc, entry.text.c_str(), static_cast<int>(entry.text.size()), &text,
                      DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
    }
    if (draw.itemState & ODS_FOCUS) DrawFocusRect(dc, &all);
    BitBlt(draw.hDC, item.left, item.top, width, height, dc, 0, 0, SRCCOPY);
}

LRESULT NDropList::MessageFilter(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = false;
    if (message == WM_MEASUREITEM) {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!measure || measure->CtlType != ODT_COMBOBOX || static_cast<int>(measure->CtlID) != m_id) return 0;
        measure->itemHeight = m_itemHeight;
        handled = true;
        return TRUE;
    }
    if (message == WM_DRAWITEM) {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!draw || !Handle() || draw->hwndItem != Handle()) return 0;
        DrawEntry(*draw);
        handled = true;
        return TRUE;
    }
    return 0;
}
