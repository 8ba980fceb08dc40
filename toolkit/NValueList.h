// The value list: an owner-drawn two-column list box of typed rows (titles,
// headings, check boxes, radio buttons, text fields, drop lists, links and row
// buttons) with in-place editing of the selected row. The owning window must
// offer every message to MessageFilter and return its result when handled.
#pragma once
#include <windows.h>

#include <map>
#include <string>
#include <vector>

#include "NGdi.h"
#include "NSubClassCtrl.h"
#include "NValueLayout.h"
#include "NValueRow.h"

class NValueList : public NSubClassCtrl {
public:
    // The in-place editor of one row: an edit box, a combo box or a name editor,
    // and the row's button.
    class clValueControl : public NSubClassCtrl {
    public:
        explicit clValueControl(NValueList& list) : m_list(list), m_buttonWatch(*this) {}
        ~clValueControl() override;
        LRESULT MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

        bool IsOpen() const { return m_row >= 0; }
        int Row() const { return m_row; }
        bool IsNameEdit() const { return m_nameEdit; }
        HWND Editor() const { return m_editor; }
        HWND Button() const { return m_button; }
        // The window that receives the keys (an edit box, a combo box's edit field or the combo box).
        HWND KeyWindow() const { return Handle(); }
        // Is the window the editor, one of its parts, or the row button?
        bool Owns(HWND window) const;

        bool OpenValue(int row);
        bool OpenName(int row, const std::vector<std::wstring>* suggestions, bool editable);
        // Takes the editor's text into the row (when commit is set) and destroys the editor.
        void Close(bool commit);
        void Reposition();
        void OnEditorCommand(HWND control, int notification);

    private:
        class RowButtonWatch : public NSubClassCtrl {
        public:
            explicit RowButtonWatch(clValueControl& owner) : m_owner(owner) {}
            LRESULT MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

        private:
            clValueControl& m_owner;
        };

        NRect EditorRect() const;
        NRect ButtonRect() const;
        bool OpenButton(const NValueRow& row);
        std::wstring EditorText() const;
        bool IsMultiLine() const { return m_multiLine; }
        bool UpDownLeavesEditor(int key) const;
        void Complete();
        void DropCompletion();
        void CopyValueToRow(bool fromSelection);

        NValueList& m_list;
        RowButtonWatch m_buttonWatch;
        int m_row = -1;
        int m_kind = 0;
        HWND m_editor = nullptr;
        HWND m_button = nullptr;
        bool m_nameEdit = false;
        bool m_nameEditable = false;
        bool m_multiLine = false;
        bool m_filling = false;
        bool m_closing = false;
        bool m_completion = false;
        int m_buttonWidth = 0;
    };

    NValueList();
    ~NValueList() override;

    // Operations for derived lists.
    virtual void SelectionChanged() {}
    virtual void RowNameEdited(int row) {}
    virtual void ContextMenu(int screenX, int screenY) {}

    // Without pixelUnits, x, y, width and height are dialog units of the parent
    // and the row height, columns and every row position, width and font
    // height are scaled for the screen; with it they are pixels as given.
    bool Create(bool pixelUnits, HWND parent, int rowHeight, int x, int y, int width, int height, int nameColumn,
                int valueColumn);
    // Images for checked, unchecked, checked-disabled and unchecked-disabled rows
    // (the list keeps copies; without the last two the first two serve disabled rows).
    void SetCheckImages(HBITMAP checked, HBITMAP unchecked, HBITMAP checkedDisabled = nullptr,
                        HBITMAP uncheckedDisabled = nullptr);
    void SetRadioImages(HBITMAP checked, HBITMAP unchecked, HBITMAP checkedDisabled = nullptr,
                        HBITMAP uncheckedDisabled = nullptr);
    void SetFontHeights(int nameHeight, int valueHeight);

    // Appends a row and its key (registry link or marker); returns its index, -1 without a list.
    int AddRow(const NValueRow& row, const std::wstring& key = std::wstring());
    int RowCount() const { return static_cast<int>(m_rows.size()); }
    const NValueRow* Row(int row) const;
    std::wstring Key(int row) const;
    bool SetRowValue(int row, const std::wstring& value);
    bool SetRowName(int row, const std::wstring& name);
    bool SetRowDisabled(int row, bool disabled);

    bool IsChecked(int row) const;
    void SetChecked(bool checked, int row);
    int SelectedRadioPosition(int group) const;
    int DropListIndex(int row) const;
    void SetDropListIndex(int entry, int row);

    // Takes an open editor's text into its row; after a name edit, continueEditing
    // reopens the value editor of the selected row.
    void CommitEdit(bool continueEditing = false);
    // Commits, selects (-1: none), starts editing and reports the selection change.
    void SelectRow(int row);
    int CurrentRow() const { return m_current; }
    // Opens a name editor on the selected row: an edit box, or a combo box of
    // suggestions (with an edit field when editable).
    void EditName(const std::vector<std::wstring>* suggestions, bool editable);

    LRESULT MessageFilter(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    // Commits and destroys the list box, the rows, the back buffer and the images.
    void Clear();

    HWND Window() const { return Handle(); }
    int ControlId() const { return m_controlId; }
    int RowHeight() const { return m_rowHeight; }
    int EditedRow() const { return m_editor.Row(); }
    HWND EditorWindow() const { return m_editor.Editor(); }
    HWND EditorKeyWindow() const { return m_editor.KeyWindow(); }
    HWND RowButtonWindow() const { return m_editor.Button(); }
    // The cells of a row as drawn (list-box client coordinates within the row).
    NRowCells RowCells(int row) const;
    RECT RowRect(int row) const;

    LRESULT MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override;

private:
    enum { kImageChecked, kImageUnchecked, kImageCheckedDisabled, kImageUncheckedDisabled, kImagesPerKind };

    class RowBuffer {
    public:
        ~RowBuffer() { Reset(); }
        HDC Prepare(HDC compatible, int width, int height);
        void Reset();

    private:
        HDC m_dc = nullptr;
        HGDIOBJ m_oldBitmap = nullptr;
        NBitmap m_bitmap;
        int m_width = 0;
        int m_height = 0;
    };

    int Given(int value) const;
    NListMetrics Metrics() const;
    int ImageWidth(int kind) const;
    HFONT Font(int height, bool bold, bool underline);
    HFONT ValueFont() { return Font(m_valueHeight, false, false); }
    HFONT ButtonFont();
    int ButtonLabelWidth(HDC dc, const NValueRow& row);
    void DrawRow(const DRAWITEMSTRUCT& draw);
    void DrawRowBackground(HDC dc, const NValueRow& row, const RECT& rect, bool selected);
    void DrawCheckImage(HDC dc, const NValueRow& row, int left, int rowHeight);
    void SetImages(int kind, HBITMAP checked, HBITMAP unchecked, HBITMAP checkedDisabled, HBITMAP uncheckedDisabled);
    void StartEdit();
    void SyncSelection();
    void ToggleRow(int row);
    void RunCallback(int row, bool button);
    void RepaintRow(int row);
    void PostTabToOwner();
    int RowAtPoint(int x, int y) const;
    bool HandleKeyDown(int key);
    void FinishByEnter();
    void CheckFocusLeft();

    HWND m_parent = nullptr;
    int m_controlId = 0;
    bool m_pixelUnits = false;
    int m_rowHeight = 21;
    int m_nameColumn = 0;
    int m_valueColumn = 0;
    int m_nameHeight = 13;
    int m_valueHeight = 13;
    int m_current = -1;
    int m_busy = 0;
    bool m_starting = false;
    std::wstring m_face;
    std::vector<NValueRow> m_rows;
    std::vector<std::wstring> m_keys;
    std::vector<NIcon> m_icons;
    NBitmap m_images[2][kImagesPerKind];
    std::map<long long, NFont> m_fonts;
    NFont m_buttonFont;
    RowBuffer m_buffer;
    clValueControl m_editor;
};
