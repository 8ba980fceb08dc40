#include "NTreeView.h"

#include "NCommonControls.h"

bool NTreeView::Create(HWND parent, int id, int x, int y, int width, int height, DWORD style)
{
    Destroy();
    NInitCommonControls();
    HWND tree = CreateWindowExW(WS_EX_CLIENTEDGE, WC_TREEVIEWW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | style, x, y,
                                width, height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), nullptr,
                                nullptr);
    if (!tree) return false;
    if (!Attach(tree)) {
        DestroyWindow(tree);
        return false;
    }
    return true;
}

void NTreeView::Destroy()
{
    const HWND tree = Handle();
    Detach();
    if (tree && IsWindow(tree)) DestroyWindow(tree);
}

HTREEITEM NTreeView::InsertItem(HTREEITEM parent, const std::wstring& text, LPARAM param, int image,
                                int selectedImage, bool withChildren, HTREEITEM after)
{
    if (!Handle()) return nullptr;
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent ? parent : TVI_ROOT;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_CHILDREN | (image >= 0 ? TVIF_IMAGE | TVIF_SELECTEDIMAGE : 0);
    insert.item.pszText = const_cast<wchar_t*>(text.c_str());
    insert.item.lParam = param;
    insert.item.iImage = image;
    insert.item.iSelectedImage = selectedImage >= 0 ? selectedImage : image;
    insert.item.cChildren = withChildren ? 1 : 0;
    return reinterpret_cast<HTREEITEM>(SendMessageW(Handle(), TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

std::wstring NTreeView::ItemText(HTREEITEM item) const
{
    if (!Handle() || !item) return std::wstring();
    wchar_t buffer[1024] = {};
    TVITEMW tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = buffer;
    tv.cchTextMax = 1024;
    SendMessageW(Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv));
    return buffer;
}

LPARAM NTreeView::ItemParam(HTREEITEM item) const
{
    if (!Handle() || !item) return 0;
    TVITEMW tv = {};
    tv.mask = TVIF_PARAM;
    tv.hItem = item;
    return SendMessageW(Handle(), TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tv)) ? tv.lParam : 0;
}

HTREEITEM NTreeView::Selected() const { return Handle() ? TreeView_GetSelection(Handle()) : nullptr; }
bool NTreeView::Select(HTREEITEM item) { return Handle() && TreeView_SelectItem(Handle(), item); }
bool NTreeView::Expand(HTREEITEM item, bool expand)
{
    return Handle() && TreeView_Expand(Handle(), item, expand ? TVE_EXPAND : TVE_COLLAPSE);
}
HTREEITEM NTreeView::FirstChild(HTREEITEM item) const { return Handle() ? TreeView_GetChild(Handle(), item) : nullptr; }
HTREEITEM NTreeView::NextSibling(HTREEITEM item) const
{
    return Handle() ? TreeView_GetNextSibling(Handle(), item) : nullptr;
}
HTREEITEM NTreeView::ParentItem(HTREEITEM item) const { return Handle() ? TreeView_GetParent(Handle(), item) : nullptr; }
int NTreeView::Count() const { return Handle() ? static_cast<int>(TreeView_GetCount(Handle())) : 0; }
bool NTreeView::DeleteItem(HTREEITEM item) { return Handle() && item && TreeView_DeleteItem(Handle(), item); }
bool NTreeView::DeleteAll() { return Handle() && TreeView_DeleteAllItems(Handle()); }
HIMAGELIST NTreeView::SetImageList(HIMAGELIST images, int kind)
{
    return Handle() ? TreeView_SetImageList(Handle(), images, kind) : nullptr;
}

LRESULT NTreeView::NotifyFilter(const NMHDR* header, bool& handled)
{
    handled = false;
    if (!header || !Handle() || header->hwndFrom != Handle()) return 0;
    auto* raw = const_cast<NMHDR*>(header);
    handled = true;
    switch (header->code) {
    case TVN_SELCHANGINGW: return SelectionChanging(reinterpret_cast<NMTREEVIEWW*>(raw));
    case TVN_SELCHANGEDW: return SelectionChanged(reinterpret_cast<NMTREEVIEWW*>(raw));
    case TVN_GETDISPINFOW: return GetDisplayInfo(reinterpret_cast<NMTVDISPINFOW*>(raw));
    case TVN_SETDISPINFOW: return SetDisplayInfo(reinterpret_cast<NMTVDISPINFOW*>(raw));
    case TVN_ITEMEXPANDINGW: return ItemExpanding(reinterpret_cast<NMTREEVIEWW*>(raw));
    case TVN_ITEMEXPANDEDW: return ItemExpanded(reinterpret_cast<NMTREEVIEWW*>(raw));
    case TVN_BEGINDRAGW: return BeginDrag(reinterpret_cast<NMTREEVIEWW*>(raw));
    case TVN_BEGINRDRAGW: return BeginRightDrag(reinterpret_cast<NMTREEVIEWW*>(raw));
    case TVN_DELETEITEMW: return DeletedItem(reinterpret_cast<NMTREEVIEWW*>(raw));
    case TVN_BEGINLABELEDITW: return BeginLabelEdit(reinterpret_cast<NMTVDISPINFOW*>(raw));
    case TVN_ENDLABELEDITW: return EndLabelEdit(reinterpret_cast<NMTVDISPINFOW*>(raw));
    case TVN_KEYDOWN: return KeyDown(reinterpret_cast<NMTVKEYDOWN*>(raw));
    case TVN_GETINFOTIPW: return GetInfoTip(reinterpret_cast<NMTVGETINFOTIPW*>(raw));
    case NM_CLICK: return Clicked(raw);
    case NM_DBLCLK: return DoubleClicked(raw);
    case NM_RCLICK: return RightClicked(raw);
    default:
        handled = false;
        return 0;
    }
}
