#include "NValueList.h"

#include <windowsx.h>

#include <atomic>

#include "NDpiScale.h"
#include "NFonts.h"
#include "NScreen.h"
#include "NShellOpen.h"
#include "NValueRules.h"

namespace {

// Asks the list to commit when the focus has left the list and its editor.
const UINT kCheckFocusMessage = WM_APP + 0x3A1;
// Destroys an editor window that was closed while it was busy.
const UINT kDestroyLaterMessage = WM_APP + 0x3A2;

// Control ids come from a range of their own: a value list's notifications
// must never look like the OK (1) to Help (9) buttons of its owner.
int NextControlId()
{
    static std::atomic<int> next{0};
    return 0xC000 + (next++ % 0x1000);
}

bool IsDialogWindow(HWND window)
{
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    return lstrcmpW(name, L"#32770") == 0;
}

// Dialog units of a window's font (as the dialog manager measures them).
RECT DialogUnitsToPixels(HWND parent, int x, int y, int width, int height)
{
    RECT r = {x, y, x + width, y + height};
    if (IsDialogWindow(parent) && MapDialogRect(parent, &r)) return r;
    int baseX = LOWORD(GetDialogBaseUnits());
    int baseY = HIWORD(GetDialogBaseUnits());
    if (HFONT font = reinterpret_cast<HFONT>(SendMessageW(parent, WM_GETFONT, 0, 0))) {
        NWindowDC screen(nullptr);
        NSelect select(screen.Get(), font);
        TEXTMETRICW tm = {};
        SIZE size = {};
        static const wchar_t letters[] = L"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz";
        if (GetTextMetricsW(screen.Get(), &tm) && GetTextExtentPoint32W(screen.Get(), letters, 52, &size)) {
            baseX = (size.cx / 26 + 1) / 2;
            baseY = tm.tmHeight;
        }
    }
    r.left = MulDiv(x, baseX, 4);
    r.right = MulDiv(x + width, baseX, 4);
    r.top = MulDiv(y, baseY, 8);
    r.bottom = MulDiv(y + height, baseY, 8);
    return r;
}

}  // namespace

NValueList::NValueList() : m_editor(*this) {}

NValueList::~NValueList() { Clear(); }

int NValueList::Given(int value) const { return m_pixelUnits ? value : NScale(value); }

bool NValueList::Create(bool pixelUnits, HWND parent, int rowHeight, int x, int y, int width, int height,
                        int nameColumn, int valueColumn)
{
    Clear();
    if (!parent || !IsWindow(parent)) return false;
    m_parent = parent;
    m_pixelUnits = pixelUnits;
    const RECT r = pixelUnits ? RECT{x, y, x + width, y + height} : DialogUnitsToPixels(parent, x, y, width, height);
    m_rowHeight = Given(rowHeight);
    if (m_rowHeight < 1) m_rowHeight = 1;
    m_nameColumn = Given(nameColumn);
    m_valueColumn = Given(valueColumn);
    m_nameHeight = m_valueHeight = Given(13);
    m_face = NWindowFontFace(parent);
    m_controlId = NextControlId();
    HWND list = CreateWindowExW(WS_EX_CLIENTEDGE, L"LISTBOX", L"",
                                WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | WS_CLIPCHILDREN | LBS_NOTIFY |
                                    LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
                                    LBS_WANTKEYBOARDINPUT,
                                r.left, r.top, r.right - r.left, r.bottom - r.top, parent,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(m_controlId)),
                                reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (!list) return false;
    SendMessageW(list, WM_SETFONT, SendMessageW(parent, WM_GETFONT, 0, 0), FALSE);
    SendMessageW(list, LB_SETITEMHEIGHT, 0, m_rowHeight);
    if (!Attach(list)) {
        DestroyWindow(list);
        return false;
    }
    return true;
}

void NValueList::SetImages(int kind, HBITMAP checked, HBITMAP unchecked, HBITMAP checkedDisabled,
                           HBITMAP uncheckedDisabled)
{
    HBITMAP given[kImagesPerKind] = {checked, unchecked, checkedDisabled, uncheckedDisabled};
    for (int i = 0; i < kImagesPerKind; ++i)
        m_images[kind][i].Reset(given[i] ? static_cast<HBITMAP>(CopyImage(given[i], IMAGE_BITMAP, 0, 0, 0)) : nullptr);
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void NValueList::SetCheckImages(HBITMAP checked, HBITMAP unchecked, HBITMAP checkedDisabled,
                                HBITMAP uncheckedDisabled)
{
    SetImages(0, checked, unchecked, checkedDisabled, uncheckedDisabled);
}

void NValueList::SetRadioImages(HBITMAP checked, HBITMAP unchecked, HBITMAP checkedDisabled,
                                HBITMAP uncheckedDisabled)
{
    SetImages(1, checked, unchecked, checkedDisabled, uncheckedDisabled);
}

void NValueList::SetFontHeights(int nameHeight, int valueHeight)
{
    if (nameHeight > 0) m_nameHeight = Given(nameHeight);
    if (valueHeight > 0) m_valueHeight = Given(valueHeight);
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

int NValueList::AddRow(const NValueRow& row, const std::wstring& key)
{
    if (!Handle()) return -1;
    CommitEdit();
    NValueRow copy = row;
    if (!m_pixelUnits) {
        const int dpi = NScreenDpi();
        copy.nameX = NScaleNameX(copy.nameX, dpi);
        copy.nameFontHeight = NScaleBy(copy.nameFontHeight, dpi);
        copy.valueX = NScaleBy(copy.valueX, dpi);
        copy.valueWidth = NScaleBy(copy.valueWidth, dpi);
        copy.iconX = NScaleBy(copy.iconX, dpi);
        copy.checkX = NScaleBy(copy.checkX, dpi);
    }
    NIcon icon;
    icon.CopyFrom(reinterpret_cast<HICON>(row.icon));
    copy.icon = reinterpret_cast<HICON__*>(icon.Get());
    m_icons.push_back(std::move(icon));
    m_keys.push_back(key);
    m_rows.push_back(std::move(copy));
    const std::wstring text = NListItemText(row.name, row.value);
    SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    return RowCount() - 1;
}

const NValueRow* NValueList::Row(int row) const
{
    return row >= 0 && row < RowCount() ? &m_rows[row] : nullptr;
}

std::wstring NValueList::Key(int row) const { return row >= 0 && row < RowCount() ? m_keys[row] : std::wstring(); }

bool NValueList::SetRowValue(int row, const std::wstring& value)
{
    if (!Row(row)) return false;
    if (m_editor.Row() == row) CommitEdit();
    m_rows[row].value = value;
    RepaintRow(row);
    return true;
}

bool NValueList::SetRowName(int row, const std::wstring& name)
{
    if (!Row(row)) return false;
    m_rows[row].name = name;
    RepaintRow(row);
    return true;
}

bool NValueList::SetRowDisabled(int row, bool disabled)
{
    if (!Row(row)) return false;
    if (m_editor.Row() == row) CommitEdit();
    m_rows[row].disabled = disabled;
    RepaintRow(row);
    return true;
}

bool NValueList::IsChecked(int row) const { return Row(row) && NRowIsChecked(m_rows[row]); }

void NValueList::SetChecked(bool checked, int row)
{
    if (!NSetRowChecked(m_rows, row, checked)) return;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

int NValueList::SelectedRadioPosition(int group) const { return NSelectedRadioPosition(m_rows, group); }

int NValueList::DropListIndex(int row) const { return Row(row) ? NDropListIndex(m_rows[row]) : 0; }

void NValueList::SetDropListIndex(int entry, int row)
{
    if (!Row(row) || entry < 0 || entry >= static_cast<int>(m_rows[row].entries.size())) return;
    if (m_editor.Row() == row) CommitEdit();
    m_rows[row].value = m_rows[row].entries[entry];
    RepaintRow(row);
}

void NValueList::RepaintRow(int row)
{
    if (!Handle()) return;
    const RECT r = RowRect(row);
    InvalidateRect(Handle(), &r, FALSE);
}

RECT NValueList::RowRect(int row) const
{
    RECT r = {};
    if (Handle() && Row(row)) SendMessageW(Handle(), LB_GETITEMRECT, row, reinterpret_cast<LPARAM>(&r));
    return r;
}

void NValueList::CommitEdit(bool continueEditing)
{
    if (!m_editor.IsOpen()) return;
    const int row = m_editor.Row();
    const bool nameEdit = m_editor.IsNameEdit();
    m_editor.Close(true);
    RepaintRow(row);
    if (!nameEdit) return;
    RowNameEdited(row);
    if (continueEditing) StartEdit();
}

void NValueList::SelectRow(int row)
{
    if (!Handle() || row < -1 || row >= RowCount()) return;
    CommitEdit();
    SendMessageW(Handle(), LB_SETCURSEL, row, 0);
    m_current = row;
    StartEdit();
    SelectionChanged();
}

void NValueList::SyncSelection()
{
    if (!Handle()) return;
    const int row = static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0));
    if (row == m_current) return;
    CommitEdit();
    m_current = row < RowCount() ? row : -1;
    StartEdit();
    SelectionChanged();
}

void NValueList::StartEdit()
{
    if (m_starting || !Handle()) return;
    m_starting = true;
    CommitEdit();
    if (Row(m_current) && m_editor.OpenValue(m_current)) {
        if (HWND keys = m_editor.KeyWindow()) SetFocus(keys);
    }
    m_starting = false;
}

void NValueList::EditName(const std::vector<std::wstring>* suggestions, bool editable)
{
    if (!Row(m_current)) return;
    CommitEdit();
    if (m_editor.OpenName(m_current, suggestions, editable))
        if (HWND keys = m_editor.KeyWindow()) SetFocus(keys);
}

void NValueList::RunCallback(int row, bool button)
{
    if (!Row(row)) return;
    // A copy: the callback may add rows and move the row's storage.
    const NRowCallback callback = button ? m_rows[row].onButton : m_rows[row].onChange;
    if (callback) callback(*this);
}

void NValueList::ToggleRow(int row)
{
    const NValueRow* r = Row(row);
    if (!r || r->disabled || !NRowIsCheckable(*r)) return;
    SetChecked(r->kind == nrkRadio ? true : !NRowIsChecked(*r), row);
    RunCallback(row, false);
}

int NValueList::RowAtPoint(int x, int y) const
{
    RECT client = {};
    GetClientRect(Handle(), &client);
    if (x < 0 || y < 0 || x >= client.right || y >= client.bottom) return -1;
    const int row = static_cast<int>(SendMessageW(Handle(), LB_GETTOPINDEX, 0, 0)) + y / m_rowHeight;
    return row < RowCount() ? row : -1;
}

void NValueList::PostTabToOwner()
{
    const HWND owner = m_parent ? m_parent : GetParent(Handle());
    PostMessageW(owner, WM_KEYDOWN, VK_TAB, 0x000F0001);
    PostMessageW(owner, WM_KEYUP, VK_TAB, static_cast<LPARAM>(0xC00F0001u));
}

void NValueList::FinishByEnter()
{
    const bool nameEdit = m_editor.IsNameEdit();
    CommitEdit(nameEdit);
    if (!m_editor.IsOpen() && Handle()) SetFocus(Handle());
}

void NValueList::CheckFocusLeft()
{
    const HWND focus = GetFocus();
    if (focus != Handle() && !m_editor.Owns(focus)) CommitEdit();
}

bool NValueList::HandleKeyDown(int key)
{
    switch (key) {
    case VK_TAB: PostTabToOwner(); return true;
    case VK_UP:
    case VK_DOWN: {
        const int next = NStepRow(m_current, RowCount(), key == VK_UP ? -1 : 1);
        if (next != m_current) SelectRow(next);
        return true;
    }
    case VK_HOME:
        if (RowCount() && m_current != 0) SelectRow(0);
        return true;
    case VK_END:
        if (RowCount() && m_current != RowCount() - 1) SelectRow(RowCount() - 1);
        return true;
    case VK_PRIOR:
    case VK_NEXT:
    case VK_SHIFT:
    case VK_CONTROL:
    case VK_LEFT:
    case VK_RIGHT:
        return true;
    case VK_SPACE:
        ToggleRow(m_current);
        return true;
    default: return false;
    }
}

LRESULT NValueList::MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    switch (message) {
    case WM_LBUTTONDOWN: {
        const int x = GET_X_LPARAM(lParam), y = GET_Y_LPARAM(lParam);
        const int row = RowAtPoint(x, y);
        bool toggles = false;
        if (Row(row)) {
            const NRowCells cells = RowCells(row);
            toggles = NPressToggles(m_rows[row], row == m_current, x, cells.image.left, cells.image.Width());
        }
        ++m_busy;
        CallPrevious(message, wParam, lParam);
        --m_busy;
        SyncSelection();
        if (toggles) ToggleRow(row);
        handled = true;
        return 0;
    }
    case WM_LBUTTONDBLCLK: {
        ++m_busy;
        CallPrevious(message, wParam, lParam);
        --m_busy;
        SyncSelection();
        const int row = RowAtPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (Row(row) && m_rows[row].kind == nrkLink && !m_rows[row].disabled) {
            NShellOpen(m_rows[row].value, m_parent);
            MessageBeep(MB_OK);
        }
        handled = true;
        return 0;
    }
    case WM_RBUTTONDOWN: {
        const int row = RowAtPoint(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        if (row >= 0 && row != m_current) SelectRow(row);
        handled = true;
        return 0;
    }
    case WM_RBUTTONUP: {
        POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        ClientToScreen(window, &p);
        ContextMenu(p.x, p.y);
        handled = true;
        return 0;
    }
    case WM_KEYDOWN:
        handled = HandleKeyDown(static_cast<int>(wParam));
        return 0;
    case WM_KEYUP:
        if (wParam == VK_PRIOR || wParam == VK_NEXT) {
            RECT client = {};
            GetClientRect(window, &client);
            const int next = NPageRow(m_current, RowCount(), client.bottom / m_rowHeight, wParam == VK_PRIOR);
            if (next != m_current) SelectRow(next);
            handled = true;
        }
        return 0;
    case WM_CHAR:
        handled = wParam == L' ' || wParam == L'\t' || wParam == L'\r';
        return 0;
    case WM_GETDLGCODE:
        handled = true;
        return CallPrevious(message, wParam, lParam) | DLGC_WANTARROWS | DLGC_WANTCHARS | DLGC_WANTTAB;
    case WM_SETFOCUS: {
        const LRESULT result = CallPrevious(message, wParam, lParam);
        const HWND previous = reinterpret_cast<HWND>(wParam);
        if (!m_editor.IsOpen() && !m_editor.Owns(previous)) StartEdit();
        handled = true;
        return result;
    }
    case WM_KILLFOCUS: {
        const LRESULT result = CallPrevious(message, wParam, lParam);
        PostMessageW(window, kCheckFocusMessage, 0, 0);
        handled = true;
        return result;
    }
    case WM_VSCROLL:
    case WM_MOUSEWHEEL:
    case WM_SIZE: {
        const LRESULT result = CallPrevious(message, wParam, lParam);
        m_editor.Reposition();
        InvalidateRect(window, nullptr, FALSE);
        handled = true;
        return result;
    }
    case WM_COMMAND:
        if (lParam && m_editor.Owns(reinterpret_cast<HWND>(lParam))) {
            m_editor.OnEditorCommand(reinterpret_cast<HWND>(lParam), HIWORD(wParam));
            handled = true;
        }
        return 0;
    case WM_NCDESTROY:
        m_editor.Close(false);
        return 0;
    default:
        if (message == kCheckFocusMessage) {
            CheckFocusLeft();
            handled = true;
        } else if (message == kDestroyLaterMessage) {
            const HWND closed = reinterpret_cast<HWND>(wParam);
            if (IsWindow(closed) && GetParent(closed) == window && !m_editor.Owns(closed)) DestroyWindow(closed);
            handled = true;
        }
        return 0;
    }
}

LRESULT NValueList::MessageFilter(UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    handled = false;
    if (!Handle()) return 0;
    switch (message) {
    case WM_DRAWITEM: {
        const auto* draw = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
        if (!draw || draw->hwndItem != Handle()) return 0;
        DrawRow(*draw);
        handled = true;
        return TRUE;
    }
    case WM_MEASUREITEM: {
        auto* measure = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
        if (!measure || measure->CtlType != ODT_LISTBOX || static_cast<int>(measure->CtlID) != m_controlId) return 0;
        measure->itemHeight = m_rowHeight;
        handled = true;
        return TRUE;
    }
    default: break;
    }
    // A notification that arrives while the list is busy with one of its own
    // actions is left alone; the action itself brings the list up to date.
    if (m_busy) return 0;
    switch (message) {
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lParam) != Handle()) return 0;
        if (HIWORD(wParam) == LBN_SELCHANGE) SyncSelection();
        handled = true;
        return 0;
    case WM_VKEYTOITEM:
        if (reinterpret_cast<HWND>(lParam) != Handle()) return 0;
        handled = true;
        return -1;  // the list box does its own default action
    default:
        return 0;
    }
}

void NValueList::Clear()
{
    if (Handle()) CommitEdit();
    m_editor.Close(false);
    const HWND list = Handle();
    Detach();
    if (list && IsWindow(list)) DestroyWindow(list);
    m_rows.clear();
    m_keys.clear();
    m_icons.clear();
    m_buffer.Reset();
    for (auto& kind : m_images)
        for (auto& image : kind) image.Reset();
    m_fonts.clear();
    m_buttonFont.Reset();
    m_current = -1;
    m_parent = nullptr;
}
