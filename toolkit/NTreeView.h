// A tree view with one virtual operation per tree notification. The owning
// window offers WM_NOTIFY to NotifyFilter and returns its result when handled.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "NSubClassCtrl.h"

class NTreeView : public NSubClassCtrl {
public:
    virtual LRESULT SelectionChanging(NMTREEVIEWW* info) { return 0; }
    virtual LRESULT SelectionChanged(NMTREEVIEWW* info) { return 0; }
    virtual LRESULT GetDisplayInfo(NMTVDISPINFOW* info) { return 0; }
    virtual LRESULT SetDisplayInfo(NMTVDISPINFOW* info) { return 0; }
    virtual LRESULT ItemExpanding(NMTREEVIEWW* info) { return 0; }
    virtual LRESULT ItemExpanded(NMTREEVIEWW* info) { return 0; }
    virtual LRESULT BeginDrag(NMTREEVIEWW* info) { return 0; }
    virtual LRESULT BeginRightDrag(NMTREEVIEWW* info) { return 0; }
    virtual LRESULT DeletedItem(NMTREEVIEWW* info) { return 0; }
    virtual LRESULT BeginLabelEdit(NMTVDISPINFOW* info) { return 0; }
    virtual LRESULT EndLabelEdit(NMTVDISPINFOW* info) { return 0; }
    virtual LRESULT KeyDown(NMTVKEYDOWN* info) { return 0; }
    virtual LRESULT GetInfoTip(NMTVGETINFOTIPW* info) { return 0; }
    virtual LRESULT Clicked(NMHDR* info) { return 0; }
    virtual LRESULT DoubleClicked(NMHDR* info) { return 0; }
    virtual LRESULT RightClicked(NMHDR* info) { return 0; }

    bool Create(HWND parent, int id, int x, int y, int width, int height,
                DWORD style = TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT | TVS_SHOWSELALWAYS);
    void Destroy();

    // Inserts an item; withChildren shows a button before it has any.
    HTREEITEM InsertItem(HTREEITEM parent, const std::wstring& text, LPARAM param = 0, int image = -1,
                         int selectedImage = -1, bool withChildren = false, HTREEITEM after = TVI_LAST);
    std::wstring ItemText(HTREEITEM item) const;
    LPARAM ItemParam(HTREEITEM item) const;
    HTREEITEM Selected() const;
    bool Select(HTREEITEM item);
    bool Expand(HTREEITEM item, bool expand = true);
    HTREEITEM FirstChild(HTREEITEM item) const;
    HTREEITEM NextSibling(HTREEITEM item) const;
    HTREEITEM ParentItem(HTREEITEM item) const;
    int Count() const;
    bool DeleteItem(HTREEITEM item);
    bool DeleteAll();
    HIMAGELIST SetImageList(HIMAGELIST images, int kind = TVSIL_NORMAL);

    LRESULT NotifyFilter(const NMHDR* header, bool& handled);
};
