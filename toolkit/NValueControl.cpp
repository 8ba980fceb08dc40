// The value list's in-place editor (clValueControl): opens the editor that
// suits the selected row, passes its changes to the row, and handles the keys
// that move between rows or finish the edit.
#include "NValueList.h"

#include <windowsx.h>

#include "NFonts.h"
#include "NScreen.h"
#include "NValueRules.h"

namespace {

const UINT kCheckFocusMessage = WM_APP + 0x3A1;
const UINT kDestroyLaterMessage = WM_APP + 0x3A2;

std::wstring WindowText(HWND window)
{
    if (!window) return std::wstring();
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, &text[0], length + 1);
    text.resize(copied > 0 ? static_cast<size_t>(copied) : 0);
    return text;
}

// A multi-line edit box wants CR LF between lines.
std::wstring WithLineBreaks(const std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        const wchar_t c = text[i];
        if (c == L'\r') {
            out += L"\r\n";
            if (i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else if (c == L'\n') {
            out += L"\r\n";
        } else {
            out += c;
        }
    }
    return out;
}

bool IsCompletionKey(WPARAM key)
{
    return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') || (key >= VK_NUMPAD0 && key <= VK_NUMPAD9) ||
           key == VK_SPACE;
}

HWND ComboEditField(HWND combo)
{
    COMBOBOXINFO info = {};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(combo, &info) && info.hwndItem) return info.hwndItem;
    return GetWindow(combo, GW_CHILD);
}

void MoveTo(HWND window, const NRect& r)
{
    if (window) SetWindowPos(window, HWND_TOP, r.left, r.top, r.Width(), r.Height(), SWP_NOACTIVATE);
}

}  // namespace

NValueList::clValueControl::~clValueControl() { Close(false); }

bool NValueList::clValueControl::Owns(HWND window) const
{
    if (!window || m_row < 0) return false;
    if (window == m_editor || window == m_button || window == Handle()) return true;
    return m_editor && IsChild(m_editor, window);
}

NRect NValueList::clValueControl::EditorRect() const
{
    const NListMetrics metrics = m_list.Metrics();
    const RECT row = m_list.RowRect(m_row);
    const NValueRow& r = m_list.m_rows[m_row];
    return m_nameEdit ? NNameEditorRect(r, metrics, row.top) : NEditorRect(r, metrics, row.top, m_buttonWidth);
}

NRect NValueList::clValueControl::ButtonRect() const
{
    const RECT row = m_list.RowRect(m_row);
    return NRowButtonRect(m_list.m_rows[m_row], m_list.Metrics(), row.top, m_buttonWidth);
}

bool NValueList::clValueControl::OpenButton(const NValueRow& row)
{
    if (row.buttonText.empty()) return true;
    const HFONT font = m_list.ButtonFont();
    m_buttonWidth = NTextWidth(font, row.buttonText) + 20;
    const NRect r = ButtonRect();
    m_button = CreateWindowExW(0, L"BUTTON", row.buttonText.c_str(), WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, r.left,
                               r.top, r.Width(), r.Height(), m_list.Handle(), nullptr, nullptr, nullptr);
    if (!m_button) return false;
    SendMessageW(m_button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    m_buttonWatch.Attach(m_button);
    return true;
}

bool NValueList::clValueControl::OpenValue(int row)
{
    Close(false);
    const NValueRow* r = m_list.Row(row);
    if (!r || r->disabled) return false;
    const bool edits = r->kind == nrkText || r->kind == nrkEditDrop || r->kind == nrkFixedDrop;
    if (!edits && r->buttonText.empty()) return false;
    m_row = row;
    m_kind = r->kind;
    m_nameEdit = false;
    m_filling = true;
    if (!OpenButton(*r)) {
        m_filling = false;
        Close(false);
        return false;
    }
    if (edits) {
        const NRect rect = EditorRect();
        const HWND list = m_list.Handle();
        HWND keys = nullptr;
        if (r->kind == nrkText) {
            m_multiLine = r->lineCount > 1;
            DWORD style = WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL | ES_LEFT;
            if (m_multiLine) style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL;
            const std::wstring text = m_multiLine ? WithLineBreaks(r->value) : r->value;
            m_editor = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", text.c_str(), style, rect.left, rect.top,
                                       rect.Width(), rect.Height(), list, nullptr, nullptr, nullptr);
            keys = m_editor;
            if (m_editor) {
                SendMessageW(m_editor, WM_SETFONT, reinterpret_cast<WPARAM>(m_list.ValueFont()), FALSE);
                SendMessageW(m_editor, EM_SETSEL, 0, -1);
            }
        } else {
            const bool editable = r->kind == nrkEditDrop;
            const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | (editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST);
            m_editor = CreateWindowExW(0, L"COMBOBOX", L"", style, rect.left, rect.top, rect.Width(), NScale(200), list,
                                       nullptr, nullptr, nullptr);
            if (m_editor) {
                SendMessageW(m_editor, WM_SETFONT, reinterpret_cast<WPARAM>(m_list.ValueFont()), FALSE);
                for (const std::wstring& entry : r->entries)
                    SendMessageW(m_editor, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry.c_str()));
                // The closed combo box is as high as the editor.
                const int field = rect.Height() - 6;
                if (field > 0) SendMessageW(m_editor, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), field);
                if (editable) {
                    SetWindowTextW(m_editor, r->value.c_str());
                    keys = ComboEditField(m_editor);
                } else {
                    int selected = -1;
                    for (size_t i = 0; i < r->entries.size(); ++i)
                        if (r->entries[i] == r->value) {
                            selected = static_cast<int>(i);
                            break;
                        }
                    SendMessageW(m_editor, CB_SETCURSEL, selected, 0);
                    keys = m_editor;
                }
            }
        }
        if (!m_editor || !keys || !Attach(keys)) {
            m_filling = false;
            Close(false);
            return false;
        }
    }
    m_filling = false;
    return true;
}

bool NValueList::clValueControl::OpenName(int row, const std::vector<std::wstring>* suggestions, bool editable)
{
    Close(false);
    const NValueRow* r = m_list.Row(row);
    if (!r) return false;
    m_row = row;
    m_kind = r->kind;
    m_nameEdit = true;
    m_nameEditable = editable || !suggestions;
    m_buttonWidth = 0;
    m_filling = true;
    const NRect rect = EditorRect();
    const HWND list = m_list.Handle();
    HWND keys = nullptr;
    if (!suggestions) {
        m_editor = CreateWindowExW(WS_EX_CLIENTEDGE, L"EDIT", r->name.c_str(), WS_CHILD | WS_VISIBLE | ES_AUTOHSCROLL,
                                   rect.left, rect.top, rect.Width(), rect.Height(), list, nullptr, nullptr, nullptr);
        if (m_editor) SendMessageW(m_editor, EM_SETSEL, 0, -1);
        keys = m_editor;
    } else {
        const DWORD style = WS_CHILD | WS_VISIBLE | WS_VSCROLL | (editable ? CBS_DROPDOWN | CBS_AUTOHSCROLL : CBS_DROPDOWNLIST);
        m_editor = CreateWindowExW(0, L"COMBOBOX", L"", style, rect.left, rect.top, rect.Width(), NScale(200), list,
                                   nullptr, nullptr, nullptr);
        if (m_editor) {
            int selected = -1;
            for (size_t i = 0; i < suggestions->size(); ++i) {
                SendMessageW(m_editor, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>((*suggestions)[i].c_str()));
                if ((*suggestions)[i] == r->name && selected < 0) selected = static_cast<int>(i);
            }
            if (editable) {
                SetWindowTextW(m_editor, r->name.c_str());
                keys = ComboEditField(m_editor);
            } else {
                SendMessageW(m_editor, CB_SETCURSEL, selected, 0);
                keys = m_editor;
            }
        }
    }
    if (m_editor) SendMessageW(m_editor, WM_SETFONT, reinterpret_cast<WPARAM>(m_list.Font(m_list.m_nameHeight, false, false)), FALSE);
    m_filling = false;
    if (!m_editor || !keys || !Attach(keys)) {
        Close(false);
        return false;
    }
    return true;
}

std::wstring NValueList::clValueControl::EditorText() const
{
    const bool fixedList = m_nameEdit ? !m_nameEditable : m_kind == nrkFixedDrop;
    if (!fixedList) return WindowText(m_editor);
    const LRESULT selected = SendMessageW(m_editor, CB_GETCURSEL, 0, 0);
    if (selected < 0) return std::wstring();
    const LRESULT length = SendMessageW(m_editor, CB_GETLBTEXTLEN, selected, 0);
    if (length < 0) return std::wstring();
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    SendMessageW(m_editor, CB_GETLBTEXT, selected, reinterpret_cast<LPARAM>(&text[0]));
    text.resize(static_cast<size_t>(length));
    return text;
}

void NValueList::clValueControl::Close(bool commit)
{
    if (m_row < 0) return;
    if (commit && m_editor && m_row < m_list.RowCount()) {
        NValueRow& row = m_list.m_rows[m_row];
        const bool fixedList = m_nameEdit ? !m_nameEditable : m_kind == nrkFixedDrop;
        const bool nothingSelected = fixedList && SendMessageW(m_editor, CB_GETCURSEL, 0, 0) < 0;
        if (!nothingSelected) {
            if (m_nameEdit) row.name = EditorText();
            else row.value = EditorText();
        }
    }
    m_closing = true;
    const bool hadFocus = Owns(GetFocus());
    const HWND editor = m_editor, button = m_button;
    Detach();
    m_buttonWatch.Detach();
    // The focus returns to the list while the editor still counts as open, so
    // the list does not take it for focus coming from outside.
    if (hadFocus && m_list.Handle()) SetFocus(m_list.Handle());
    m_row = -1;
    m_editor = m_button = nullptr;
    // The editor may be in the middle of its own message (a change it reported
    // led to this commit): it is hidden now and destroyed once that is over.
    for (HWND window : {editor, button}) {
        if (!window) continue;
        ShowWindow(window, SW_HIDE);
        if (!m_list.Handle() || !PostMessageW(m_list.Handle(), kDestroyLaterMessage, reinterpret_cast<WPARAM>(window), 0))
            DestroyWindow(window);
    }
    m_nameEdit = m_nameEditable = m_multiLine = m_completion = false;
    m_buttonWidth = 0;
    m_closing = false;
}

void NValueList::clValueControl::Reposition()
{
    if (m_row < 0) return;
    if (m_editor) {
        NRect r = EditorRect();
        if (m_kind == nrkEditDrop || m_kind == nrkFixedDrop || (m_nameEdit && GetWindow(m_editor, GW_CHILD)))
            r.bottom = r.top + NScale(200);
        MoveTo(m_editor, r);
    }
    if (m_button) MoveTo(m_button, ButtonRect());
}

void NValueList::clValueControl::CopyValueToRow(bool fromSelection)
{
    if (m_row < 0 || m_nameEdit || m_filling || m_closing) return;
    std::wstring value;
    if (fromSelection) {
        const LRESULT selected = SendMessageW(m_editor, CB_GETCURSEL, 0, 0);
        const NValueRow& row = m_list.m_rows[m_row];
        if (selected < 0 || selected >= static_cast<LRESULT>(row.entries.size())) return;
        value = row.entries[static_cast<size_t>(selected)];
    } else {
        value = WindowText(m_editor);
    }
    m_list.m_rows[m_row].value = value;
}

void NValueList::clValueControl::OnEditorCommand(HWND control, int notification)
{
    if (m_row < 0 || m_filling || m_closing) return;
    const int row = m_row;
    if (control == m_button) {
        if (notification == BN_CLICKED) {
            if (m_editor) CopyValueToRow(false);
            m_list.RunCallback(row, true);
        }
        return;
    }
    if (control != m_editor || m_nameEdit) return;
    const bool textChange = (m_kind == nrkText && notification == EN_CHANGE) ||
                            (m_kind == nrkEditDrop && notification == CBN_EDITCHANGE);
    const bool selectionChange = (m_kind == nrkEditDrop || m_kind == nrkFixedDrop) && notification == CBN_SELCHANGE;
    if (!textChange && !selectionChange) return;
    CopyValueToRow(selectionChange);
    m_list.RepaintRow(row);
    m_list.RunCallback(row, false);
}

bool NValueList::clValueControl::UpDownLeavesEditor(int key) const
{
    if ((m_kind == nrkEditDrop || m_kind == nrkFixedDrop || m_nameEdit) && m_editor &&
        SendMessageW(m_editor, CB_GETDROPPEDSTATE, 0, 0))
        return false;
    if (!m_multiLine) return true;
    DWORD start = 0, end = 0;
    SendMessageW(m_editor, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start != end) return false;
    const LRESULT line = SendMessageW(m_editor, EM_LINEFROMCHAR, static_cast<WPARAM>(-1), 0);
    if (key == VK_UP) return line == 0;
    return line >= SendMessageW(m_editor, EM_GETLINECOUNT, 0, 0) - 1;
}

void NValueList::clValueControl::Complete()
{
    const HWND field = Handle();
    const std::wstring typed = WindowText(field);
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    m_completion = false;
    if (start != end || end != typed.size()) return;  // only when typing at the end
    const NValueRow& row = m_list.m_rows[m_row];
    const int found = NFindCompletion(row.entries, typed);
    if (found < 0) return;
    const std::wstring entry = row.entries[static_cast<size_t>(found)];
    if (entry.size() == typed.size()) return;
    SetWindowTextW(field, entry.c_str());
    SendMessageW(field, EM_SETSEL, typed.size(), entry.size());
    m_completion = true;
}

void NValueList::clValueControl::DropCompletion()
{
    if (!m_completion) return;
    m_completion = false;
    const HWND field = Handle();
    const std::wstring text = WindowText(field);
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    if (start < end && end == text.size()) {
        SendMessageW(field, EM_SETSEL, start, end);
        SendMessageW(field, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(L""));
    }
}

LRESULT NValueList::clValueControl::MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    if (m_closing) return 0;
    const HWND list = m_list.Handle();
    switch (message) {
    case WM_GETDLGCODE:
        handled = true;
        return CallPrevious(message, wParam, lParam) | DLGC_WANTALLKEYS;
    case WM_KEYDOWN:
        switch (wParam) {
        case VK_UP:
        case VK_DOWN:
            if (!UpDownLeavesEditor(static_cast<int>(wParam))) return 0;
            handled = true;
            {
                const int next = NStepRow(m_list.m_current, m_list.RowCount(), wParam == VK_UP ? -1 : 1);
                if (next != m_list.m_current) m_list.SelectRow(next);
            }
            return 0;
        case VK_RETURN:
            handled = !m_multiLine;
            return 0;
        case VK_TAB:
            handled = true;
            PostMessageW(list, WM_KEYDOWN, VK_TAB, lParam);
            return 0;
        default:
            if (m_completion && wParam != VK_SHIFT) m_completion = false;
            return 0;
        }
    case WM_KEYUP:
        if (wParam == VK_RETURN && !m_multiLine) {
            handled = true;
            m_list.FinishByEnter();
            return 0;
        }
        if (!m_nameEdit && m_kind == nrkEditDrop && IsCompletionKey(wParam)) {
            const LRESULT result = CallPrevious(message, wParam, lParam);
            Complete();
            handled = true;
            return result;
        }
        return 0;
    case WM_CHAR:
        handled = wParam == L'\t' || (wParam == L'\r' && !m_multiLine);
        return 0;
    case WM_MOUSEWHEEL:
        handled = true;
        return SendMessageW(list, message, wParam, lParam);
    case WM_KILLFOCUS: {
        DropCompletion();
        const LRESULT result = CallPrevious(message, wParam, lParam);
        PostMessageW(list, kCheckFocusMessage, 0, 0);
        handled = true;
        return result;
    }
    default:
        return 0;
    }
}

LRESULT NValueList::clValueControl::RowButtonWatch::MessageHook(HWND window, UINT message, WPARAM wParam,
                                                                LPARAM lParam, bool& handled)
{
    if (message == WM_KILLFOCUS) {
        const LRESULT result = CallPrevious(message, wParam, lParam);
        PostMessageW(GetParent(window), kCheckFocusMessage, 0, 0);
        handled = true;
        return result;
    }
    if (message == WM_MOUSEWHEEL) {
        handled = true;
        return SendMessageW(GetParent(window), message, wParam, lParam);
    }
    return 0;
}
