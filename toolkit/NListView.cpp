#include "NListView.h"

#include "NCommonControls.h"

bool NListView::Create(HWND parent, int id, int x, int y, int width, int height, DWORD style, DWORD extendedStyle)
{
    Destroy();
    NInitCommonControls();
    HWND view = CreateWindowExW(WS_EX_CLIENTEDGE, WC_LISTVIEWW, L"",
                                WS_CHILD | WS_VISIBLE | WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS | style, x, y,
                                width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                                nullptr);
    if (!view) return false;
    if (extendedStyle) ListView_SetExtendedListViewStyleEx(view, extendedStyle, extendedStyle);
    if (!Attach(view)) {
        DestroyWindow(view);
        return false;
    }
    return true;
}

void NListView::Destroy()
{
    const HWND view = Handle();
    Detach();
    if (view && IsWindow(view)) DestroyWindow(view);
}

int NListView::AddColumn(const std::wstring& title, int width, int format)
{
    if (!Handle()) return -1;
    const int index = Header_GetItemCount(ListView_GetHeader(Handle()));
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
    column.fmt = format;
    column.cx = width;
    column.pszText = const_cast<wchar_t*>(title.c_str());
    column.iSubItem = index;
    return static_cast<int>(SendMessageW(Handle(), LVM_INSERTCOLUMNW, index, reinterpret_cast<LPARAM>(&column)));
}

int NListView::InsertItem(int index, const std::wstring& text, int image, LPARAM param)
{
    if (!Handle()) return -1;
    LVITEMW item = {};
    item.mask = LVIF_TEXT | LVIF_PARAM | (image >= 0 ? LVIF_IMAGE : 0);
    item.iItem = index < 0 ? Count() : index;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    item.iImage = image;
    item.lParam = param;
    return static_cast<int>(SendMessageW(Handle(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool NListView::SetItemText(int item, int column, const std::wstring& text)
{
    if (!Handle()) return false;
    LVITEMW lv = {};
    lv.iSubItem = column;
    lv.pszText = const_cast<wchar_t*>(text.c_str());
    return SendMessageW(Handle(), LVM_SETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lv)) != FALSE;
}

std::wstring NListView::ItemText(int item, int column) const
{
    if (!Handle()) return std::wstring();
    std::wstring text(260, L'\0');
    for (;;) {
        LVITEMW lv = {};
        lv.iSubItem = column;
        lv.pszText = &text[0];
        lv.cchTextMax = static_cast<int>(text.size());
        const int length = static_cast<int>(SendMessageW(Handle(), LVM_GETITEMTEXTW, item, reinterpret_cast<LPARAM>(&lv)));
        if (length < static_cast<int>(text.size()) - 1) {
            text.resize(static_cast<size_t>(length));
            return text;
        }
        text.resize(text.size() * 2);
    }
}

LPARAM NListView::ItemParam(int item) const
{
    if (!Handle()) return 0;
    LVITEMW lv = {};
    lv.mask = LVIF_PARAM;
    lv.iItem = item;
    return SendMessageW(Handle(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&lv)) ? lv.lParam : 0;
}

int NListView::Count() const { return Handle() ? ListView_GetItemCount(Handle()) : 0; }

int NListView::Selected() const { return Handle() ? ListView_GetNextItem(Handle(), -1, LVNI_SELECTED) : -1; }

bool NListView::Select(int item)
{
    if (!Handle() || item < 0 || item >= Count()) return false;
    ListView_SetItemState(Handle(), item, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(Handle(), item, FALSE);
    return true;
}

bool NListView::SetChecked(int item, bool checked)
{
    if (!Handle() || item < 0 || item >= Count()) return false;
    ListView_SetCheckState(Handle(), item, checked ? TRUE : FALSE);
    return true;
}

bool NListView::IsItemChecked(int item) const
{
    return Handle() && item >= 0 && item < Count() && ListView_GetCheckState(Handle(), item);
}

bool NListView::DeleteAll() { return Handle() && ListView_DeleteAllItems(Handle()); }

HIMAGELIST NListView::SetImageList(HIMAGELIST images, int kind)
{
    return Handle() ? ListView_SetImageList(Handle(), images, kind) : nullptr;
}

LRESULT NListView::NotifyFilter(const NMHDR* header, bool& handled)
{
    handled = false;
    if (!header || !Handle() || header->hwndFrom != Handle()) return 0;
    auto* raw = const_cast<NMHDR*>(header);
    handled = true;
    switch (header->code) {
    case LVN_ITEMCHANGING: return ItemChanging(reinterpret_cast<NMLISTVIEW*>(raw));
    case LVN_ITEMCHANGED: return ItemChanged(reinterpret_cast<NMLISTVIEW*>(raw));
    case LVN_INSERTITEM: return InsertedItem(reinterpret_cast<NMLISTVIEW*>(raw));
    case LVN_DELETEITEM: return DeletedItem(reinterpret_cast<NMLISTVIEW*>(raw));
    case LVN_DELETEALLITEMS: return DeletedAllItems(reinterpret_cast<NMLISTVIEW*>(raw));
    case LVN_BEGINLABELEDITW: return BeginLabelEdit(reinterpret_cast<NMLVDISPINFOW*>(raw));
    case LVN_ENDLABELEDITW: return EndLabelEdit(reinterpret_cast<NMLVDISPINFOW*>(raw));
    case LVN_COLUMNCLICK: return ColumnClick(reinterpret_cast<NMLISTVIEW*>(raw));
    case LVN_BEGINDRAG: return BeginDrag(reinterpret_cast<NMLISTVIEW*>(raw));
    case LVN_BEGINRDRAG: return BeginRightDrag(reinterpret_cast<NMLISTVIEW*>(raw));
    case LVN_ODCACHEHINT: return CacheHint(reinterpret_cast<NMLVCACHEHINT*>(raw));
    case LVN_ODFINDITEMW: return FindItem(reinterpret_cast<NMLVFINDITEMW*>(raw));
    case LVN_ITEMACTIVATE: return ItemActivate(reinterpret_cast<NMITEMACTIVATE*>(raw));
    case LVN_ODSTATECHANGED: return StateChanged(reinterpret_cast<NMLVODSTATECHANGE*>(raw));
    case LVN_HOTTRACK: return HotTrack(reinterpret_cast<NMLISTVIEW*>(raw));
    case LVN_GETDISPINFOW: return GetDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(raw));
    case LVN_SETDISPINFOW: return SetDisplayInfo(reinterpret_cast<NMLVDISPINFOW*>(raw));
    case LVN_KEYDOWN: return KeyDown(reinterpret_cast<NMLVKEYDOWN*>(raw));
    case LVN_GETINFOTIPW: return GetInfoTip(reinterpret_cast<NMLVGETINFOTIPW*>(raw));
    case NM_CLICK: return Clicked(reinterpret_cast<NMITEMACTIVATE*>(raw));
    case NM_DBLCLK: return DoubleClicked(reinterpret_cast<NMITEMACTIVATE*>(raw));
    case NM_RCLICK: return RightClicked(reinterpret_cast<NMITEMACTIVATE*>(raw));
    default:
        handled = false;
        return 0;
    }
}
