// A report-view list view with one virtual operation per list notification.
// The owning window offers WM_NOTIFY to NotifyFilter and returns its result
// when handled; every default returns 0, as the default handling would.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "NSubClassCtrl.h"

class NListView : public NSubClassCtrl {
public:
    virtual LRESULT ItemChanging(NMLISTVIEW* info) { return 0; }
    virtual LRESULT ItemChanged(NMLISTVIEW* info) { return 0; }
    virtual LRESULT InsertedItem(NMLISTVIEW* info) { return 0; }
    virtual LRESULT DeletedItem(NMLISTVIEW* info) { return 0; }
    virtual LRESULT DeletedAllItems(NMLISTVIEW* info) { return 0; }
    virtual LRESULT BeginLabelEdit(NMLVDISPINFOW* info) { return 0; }
    virtual LRESULT EndLabelEdit(NMLVDISPINFOW* info) { return 0; }
    virtual LRESULT ColumnClick(NMLISTVIEW* info) { return 0; }
    virtual LRESULT BeginDrag(NMLISTVIEW* info) { return 0; }
    virtual LRESULT BeginRightDrag(NMLISTVIEW* info) { return 0; }
    virtual LRESULT CacheHint(NMLVCACHEHINT* info) { return 0; }
    virtual LRESULT FindItem(NMLVFINDITEMW* info) { return -1; }
    virtual LRESULT ItemActivate(NMITEMACTIVATE* info) { return 0; }
    virtual LRESULT StateChanged(NMLVODSTATECHANGE* info) { return 0; }
    virtual LRESULT HotTrack(NMLISTVIEW* info) { return 0; }
    virtual LRESULT GetDisplayInfo(NMLVDISPINFOW* info) { return 0; }
    virtual LRESULT SetDisplayInfo(NMLVDISPINFOW* info) { return 0; }
    virtual LRESULT KeyDown(NMLVKEYDOWN* info) { return 0; }
    virtual LRESULT GetInfoTip(NMLVGETINFOTIPW* info) { return 0; }
    virtual LRESULT Clicked(NMITEMACTIVATE* info) { return 0; }
    virtual LRESULT DoubleClicked(NMITEMACTIVATE* info) { return 0; }
    virtual LRESULT RightClicked(NMITEMACTIVATE* info) { return 0; }

    // A child report view with full-row selection (extended styles added).
    bool Create(HWND parent, int id, int x, int y, int width, int height, DWORD style = 0,
                DWORD extendedStyle = LVS_EX_FULLROWSELECT);
    void Destroy();

    int AddColumn(const std::wstring& title, int width, int format = LVCFMT_LEFT);
    int InsertItem(int index, const std::wstring& text, int image = -1, LPARAM param = 0);
    bool SetItemText(int item, int column, const std::wstring& text);
    std::wstring ItemText(int item, int column) const;
    LPARAM ItemParam(int item) const;
    int Count() const;
    int Selected() const;
    bool Select(int item);
    bool SetChecked(int item, bool checked);
    bool IsItemChecked(int item) const;
    bool DeleteAll();
    HIMAGELIST SetImageList(HIMAGELIST images, int kind = LVSIL_SMALL);

    LRESULT NotifyFilter(const NMHDR* header, bool& handled);
};
