// An owner-drawn drop-down list (combo box without edit field) whose entries
// carry an optional icon and a value. The owning window offers WM_DRAWITEM
// and WM_MEASUREITEM to MessageFilter and returns its result when handled.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "NGdi.h"
#include "NSubClassCtrl.h"

class NDropList : public NSubClassCtrl {
public:
    ~NDropList() override;
    // height is the height of the opened list; itemHeight 0 takes the font's height.
    bool Create(HWND parent, int id, int x, int y, int width, int height, int itemHeight = 0);
    void Destroy();

    int AddEntry(const std::wstring& text, HICON icon = nullptr, LPARAM value = 0);
    int Count() const;
    int Selected() const;
    bool Select(int index);
    std::wstring EntryText(int index) const;
    LPARAM EntryValue(int index) const;
    void Clear();

    LRESULT MessageFilter(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

private:
    struct Entry {
        std::wstring text;
        NIcon icon;
        LPARAM value = 0;
    };
    void DrawEntry(const DRAWITEMSTRUCT& draw);

    int m_id = 0;
    int m_itemHeight = 0;
    std::vector<Entry> m_entries;
};
