#include "NWindow.h"

#include <windowsx.h>
#include <prsht.h>

#include <atomic>

#include "NWindowTable.h"

namespace {

std::atomic<unsigned> g_classNumber{0};
std::atomic<long> g_liveClasses{0};

HINSTANCE ToolkitModule()
{
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&NWindow::WindowProcedure), &module);
    return module ? module : GetModuleHandleW(nullptr);
}

// Dialog messages whose result is the procedure's return value itself rather
// than the stored message result.
bool ReturnsResultDirectly(UINT message)
{
    switch (message) {
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_INITDIALOG:
    case WM_QUERYDRAGICON:
    case WM_VKEYTOITEM:
        return true;
    default:
        return false;
    }
}

}  // namespace

NWindow::NWindow() = default;

NWindow::~NWindow()
{
    if (m_hwnd) {
        StopAllTimers();
        if (m_isModal) EndDialog(m_hwnd, IDCANCEL);
        else DestroyWindow(m_hwnd);
    }
    NWindowTable::RemoveObject(this);
    m_hwnd = nullptr;
    UnregisterOwnClass();
}

long NWindow::LiveWindowClasses() { return g_liveClasses.load(); }

void NWindow::Enter(HWND window, bool isDialog)
{
    m_hwnd = window;
    m_isDialog = isDialog;
    NWindowTable::Add(this, window);
    if (isDialog && (m_bigIcon.Get() || m_smallIcon.Get())) ApplyIcons();
}

void NWindow::Forget()
{
    NWindowTable::RemoveObject(this);
    m_timers.TakeAll();
    m_hwnd = nullptr;
    m_isModal = false;
}

void NWindow::UnregisterOwnClass()
{
    if (m_className.empty()) return;
    if (UnregisterClassW(m_className.c_str(), ToolkitModule())) --g_liveClasses;
    m_className.clear();
}

bool NWindow::RouteCommand(int id, HWND control, int notification)
{
    if (notification == 0) {
        switch (id) {
        case IDOK: OnOK(); break;
        case IDCANCEL: OnCancel(); break;
        case IDABORT: OnAbort(); break;
        case IDRETRY: OnRetry(); break;
        case IDIGNORE: OnIgnore(); break;
        case IDYES: OnYes(); break;
        case IDNO: OnNo(); break;
        case IDCLOSE: OnCloseButton(); break;
        case IDHELP: OnHelp(); break;
        default: break;
        }
    }
    OnCommand(id, control, notification);
    return true;
}

LRESULT NWindow::Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    bool hookHandled = false;
    const LRESULT hookResult = MessageHook(window, message, wParam, lParam, hookHandled);
    if (hookHandled) {
        handled = true;
        return hookResult;
    }
    // Nested messages (sent from inside an operation) must not lose the outer state.
    const bool outerHandled = m_handled;
    const LRESULT outerResult = m_result;
    m_handled = true;
    m_result = message == WM_INITDIALOG ? TRUE : 0;
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            OnActivated(reinterpret_cast<HWND>(lParam), HIWORD(wParam) != 0, LOWORD(wParam));
        else
            OnDeactivated();
        break;
    case WM_CLOSE: OnClose(); break;
    case WM_CONTEXTMENU:
        OnContextMenu(reinterpret_cast<HWND>(wParam), GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam));
        break;
    case WM_COMMAND:
        RouteCommand(LOWORD(wParam), reinterpret_cast<HWND>(lParam), HIWORD(wParam));
        break;
    case WM_CREATE:
    case WM_INITDIALOG: OnInitialise(); break;
    case WM_DESTROY: OnDestroy(); break;
    case WM_DRAWITEM: {
        auto* draw = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
        m_result = TRUE;
        OnDrawItem(draw ? draw->hwndItem : nullptr, static_cast<int>(wParam), draw);
        break;
    }
    case WM_ERASEBKGND:
        m_result = 1;
        OnEraseBackground(reinterpret_cast<HDC>(wParam));
        break;
    case WM_SHOWWINDOW:
        if (wParam) OnShown();
        else OnHidden();
        break;
    case WM_KEYDOWN: OnKeyDown(static_cast<int>(wParam), lParam); break;
    case WM_KEYUP: OnKeyUp(static_cast<int>(wParam), lParam); break;
    case WM_CHAR: OnCharacter(static_cast<int>(wParam)); break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
    case WM_MBUTTONDOWN:
        OnButtonDown(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), message, static_cast<int>(wParam));
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_MBUTTONUP:
        OnButtonUp(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), message, static_cast<int>(wParam));
        break;
    case WM_MOUSEMOVE: OnMouseMove(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), static_cast<int>(wParam)); break;
    case WM_MOUSEWHEEL:
        OnWheel(GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam), GET_WHEEL_DELTA_WPARAM(wParam),
                GET_KEYSTATE_WPARAM(wParam));
        break;
    case WM_MOVE: OnMoved(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))); break;
    case WM_NOTIFY: {
        auto* header = reinterpret_cast<NMHDR*>(lParam);
        if (header) OnNotify(static_cast<int>(header->idFrom), static_cast<int>(header->code), header);
        break;
    }
    case WM_PAINT:
        OnPaint();
        m_handled = false;  // the default handling validates what the operation did not paint
        break;
    case WM_SIZE: OnSized(LOWORD(lParam), HIWORD(lParam), static_cast<int>(wParam)); break;
    case WM_SYSCOMMAND:
        OnSystemCommand(static_cast<int>(wParam & 0xFFF0));
        m_handled = false;
        break;
    case WM_TIMER: {
        std::intptr_t user = 0;
        if (m_timers.Find(static_cast<unsigned>(wParam), &user)) OnTimer(static_cast<unsigned>(wParam), user);
        else m_handled = false;
        break;
    }
    default: m_handled = false; break;
    }
    handled = m_handled;
    const LRESULT result = m_result;
    m_handled = outerHandled;
    m_result = outerResult;
    return result;
}

LRESULT CALLBACK NWindow::WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CREATE) {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
        if (auto* object = static_cast<NWindow*>(create->lpCreateParams)) object->Enter(window, false);
    }
    NWindow* object = NWindowTable::Find(window);
    if (!object) return DefWindowProcW(window, message, wParam, lParam);
    bool handled = false;
    LRESULT result = object->Dispatch(window, message, wParam, lParam, handled);
    if (!handled) result = DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) object->Forget();
    return result;
}

INT_PTR NWindow::DialogResult(HWND window, NWindow* object, UINT message, WPARAM wParam, LPARAM lParam)
{
    bool handled = false;
    const LRESULT result = object->Dispatch(window, message, wParam, lParam, handled);
    if (message == WM_NCDESTROY) object->Forget();
    if (!handled) return FALSE;
    if (ReturnsResultDirectly(message)) return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK NWindow::DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG)
        if (auto* object = reinterpret_cast<NWindow*>(lParam)) object->Enter(window, true);
    NWindow* object = NWindowTable::Find(window);
    return object ? DialogResult(window, object, message, wParam, lParam) : FALSE;
}

INT_PTR CALLBACK NWindow::PageDialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) {
        auto* page = reinterpret_cast<PROPSHEETPAGEW*>(lParam);
        if (auto* object = page ? reinterpret_cast<NWindow*>(page->lParam) : nullptr) object->Enter(window, true);
    }
    NWindow* object = NWindowTable::Find(window);
    return object ? DialogResult(window, object, message, wParam, lParam) : FALSE;
}

INT_PTR NWindow::RunModal(HINSTANCE instance, LPCWSTR templateName, HWND parent)
{
    if (m_hwnd) return -1;
    m_isModal = true;
    const INT_PTR result = DialogBoxParamW(instance, templateName, parent, DialogProcedure, reinterpret_cast<LPARAM>(this));
    m_isModal = false;
    return result;
}

INT_PTR NWindow::RunModal(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND parent)
{
    if (m_hwnd || !dialogTemplate) return -1;
    m_isModal = true;
    const INT_PTR result =
        DialogBoxIndirectParamW(instance, dialogTemplate, parent, DialogProcedure, reinterpret_cast<LPARAM>(this));
    m_isModal = false;
    return result;
}

bool NWindow::CreateModeless(HINSTANCE instance, LPCWSTR templateName, HWND parent)
{
    if (m_hwnd) return false;
    return CreateDialogParamW(instance, templateName, parent, DialogProcedure, reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool NWindow::CreateModeless(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND parent)
{
    if (m_hwnd || !dialogTemplate) return false;
    return CreateDialogIndirectParamW(instance, dialogTemplate, parent, DialogProcedure,
                                      reinterpret_cast<LPARAM>(this)) != nullptr;
}

bool NWindow::Create(const std::wstring& title, DWORD style, DWORD exStyle, HWND parent, UINT classStyle, int left,
                     int top, int right, int bottom)
{
    if (m_hwnd) return false;
    UnregisterOwnClass();
    const HINSTANCE module = ToolkitModule();
    std::wstring className = L"NWnd" + std::to_wstring(++g_classNumber);
    WNDCLASSEXW wc = {};
    wc.cbSize = sizeof wc;
    wc.style = classStyle;
    wc.lpfnWndProc = WindowProcedure;
    wc.hInstance = module;
    wc.hIcon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
    wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className.c_str();
    if (!RegisterClassExW(&wc)) return false;
    ++g_liveClasses;
    m_className = std::move(className);
    CreateWindowExW(exStyle, m_className.c_str(), title.c_str(), style, left, top, right - left, bottom - top, parent,
                    nullptr, module, this);
    if (!m_hwnd) {
        UnregisterOwnClass();
        return false;
    }
    if (m_bigIcon.Get() || m_smallIcon.Get()) ApplyIcons();
    return true;
}

void NWindow::Close()
{
    if (HWND window = m_hwnd) {
        ShowWindow(window, SW_HIDE);
        StopAllTimers();
        if (m_isModal) {
            EndDialog(window, IDCANCEL);
            return;  // the dialog box loop destroys the window
        }
        DestroyWindow(window);
    }
    NWindowTable::RemoveObject(this);
    m_hwnd = nullptr;
    UnregisterOwnClass();
}

void NWindow::EndModal(INT_PTR result)
{
    if (m_hwnd && m_isModal) EndDialog(m_hwnd, result);
    else Close();
}

unsigned NWindow::AddTimer(std::intptr_t userValue, UINT intervalMs)
{
    if (!m_hwnd) return 0;
    const unsigned id = m_timers.Add(userValue);
    if (!SetTimer(m_hwnd, id, intervalMs, nullptr)) {
        m_timers.Remove(id);
        return 0;
    }
    return id;
}

bool NWindow::RemoveTimer(unsigned id)
{
    if (!m_timers.Remove(id)) return false;
    if (m_hwnd) KillTimer(m_hwnd, id);
    return true;
}

void NWindow::StopAllTimers()
{
    for (unsigned id : m_timers.TakeAll())
        if (m_hwnd) KillTimer(m_hwnd, id);
}

RECT NWindow::WindowRect() const
{
    RECT r = {};
    if (m_hwnd) GetWindowRect(m_hwnd, &r);
    return r;
}

void NWindow::Move(int left, int top)
{
    if (!m_hwnd) return;
    RECT r = WindowRect();
    if (GetWindowLongPtrW(m_hwnd, GWL_STYLE) & WS_CHILD)
        MapWindowPoints(nullptr, GetParent(m_hwnd), reinterpret_cast<POINT*>(&r), 2);
    SetWindowPos(m_hwnd, nullptr, left == kKeep ? r.left : left, top == kKeep ? r.top : top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void NWindow::CentreOnDesktop()
{
    if (!m_hwnd) return;
    RECT work = {};
    if (!SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0)) GetClientRect(GetDesktopWindow(), &work);
    const RECT r = WindowRect();
    Move(work.left + ((work.right - work.left) - (r.right - r.left)) / 2,
         work.top + ((work.bottom - work.top) - (r.bottom - r.top)) / 2);
}

void NWindow::SetIcons(HICON big, HICON small)
{
    m_bigIcon.CopyFrom(big);
    m_smallIcon.CopyFrom(small);
    ApplyIcons();
}

void NWindow::ApplyIcons()
{
    if (!m_hwnd) return;
    if (!m_className.empty()) {
        SetClassLongPtrW(m_hwnd, GCLP_HICON, reinterpret_cast<LONG_PTR>(m_bigIcon.Get()));
        SetClassLongPtrW(m_hwnd, GCLP_HICONSM, reinterpret_cast<LONG_PTR>(m_smallIcon.Get()));
    } else {
        // A dialog's class is shared by every dialog: set the icons on this window only.
        SendMessageW(m_hwnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_bigIcon.Get()));
        SendMessageW(m_hwnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_smallIcon.Get()));
    }
}
