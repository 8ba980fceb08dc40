// A window or dialog object: the window and dialog procedures route each
// message to one virtual operation of the object found in the process-wide
// window table. Every default does nothing; the default hook reports the
// message as not handled.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "NGdi.h"
#include "NTimerTable.h"

class NWindow {
public:
    NWindow();
    virtual ~NWindow();
    NWindow(const NWindow&) = delete;
    NWindow& operator=(const NWindow&) = delete;

    // Operations, one per message.
    // Defaults whose message has a useful default handling ask for it.
    virtual void OnActivated(HWND otherWindow, bool minimised, int how) { SetHandled(false); }
    virtual void OnClose() {}
    virtual void OnContextMenu(HWND window, int x, int y) { SetHandled(false); }
    virtual void OnCommand(int id, HWND control, int notification) {}
    virtual void OnInitialise() {}
    virtual void OnDestroy() {}
    virtual void OnDeactivated() { SetHandled(false); }
    virtual void OnDrawItem(HWND control, int id, DRAWITEMSTRUCT* draw) {}
    virtual void OnEraseBackground(HDC dc) { SetHandled(false); }
    virtual void OnHidden() {}
    virtual void OnKeyDown(int key, LPARAM flags) {}
    virtual void OnKeyUp(int key, LPARAM flags) {}
    virtual void OnCharacter(int code) {}
    virtual void OnButtonDown(int x, int y, UINT message, int keys) {}
    virtual void OnButtonUp(int x, int y, UINT message, int keys) {}
    virtual void OnMouseMove(int x, int y, int keys) {}
    virtual void OnWheel(int x, int y, int delta, int keys) { SetHandled(false); }
    virtual void OnMoved(int x, int y) {}
    virtual void OnNotify(int id, int code, NMHDR* control) {}
    virtual void OnPaint() {}
    virtual void OnShown() {}
    virtual void OnSized(int width, int height, int kind) {}
    virtual void OnSystemCommand(int command) {}
    virtual void OnTimer(unsigned id, std::intptr_t userValue) {}
    // Offered every message first; set handled to answer it with the result.
    virtual LRESULT MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        return 0;
    }
    virtual void OnAbort() {}
    virtual void OnCancel() {}
    virtual void OnCloseButton() {}
    virtual void OnHelp() {}
    virtual void OnIgnore() {}
    virtual void OnNo() {}
    virtual void OnOK() {}
    virtual void OnRetry() {}
    virtual void OnYes() {}

    // Runs a modal dialog from a template; returns EndDialog's value, or -1 on failure.
    INT_PTR RunModal(HINSTANCE instance, LPCWSTR templateName, HWND parent);
    INT_PTR RunModal(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND parent);
    // Creates a modeless dialog (or dialog page) from a template.
    bool CreateModeless(HINSTANCE instance, LPCWSTR templateName, HWND parent);
    bool CreateModeless(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND parent);
    // Registers a window class "NWnd<n>" and creates the window with this object as creation parameter.
    bool Create(const std::wstring& title, DWORD style, DWORD exStyle, HWND parent, UINT classStyle, int left,
                int top, int right, int bottom);
    // Hides, stops every timer, destroys the window, unregisters its class and
    // leaves the window table. Also right for dialogs (EndDialog for a modal one).
    void Close();
    // Ends a modal dialog with a result (Close for other windows).
    void EndModal(INT_PTR result);

    // A new 1000 ms timer (interval adjustable) with the next id; 0 when there is no window.
    unsigned AddTimer(std::intptr_t userValue = 0, UINT intervalMs = 1000);
    bool RemoveTimer(unsigned id);
    void StopAllTimers();
    size_t TimerCount() const { return m_timers.Count(); }

    RECT WindowRect() const;
    // Moves the window; kKeep for either coordinate keeps it. Size, z-order and activation stay.
    static constexpr int kKeep = -12345;
    void Move(int left, int top);
    void CentreOnDesktop();
    // Keeps copies; set on the window's own class, or on the window itself for a dialog.
    void SetIcons(HICON big, HICON small);

    HWND Handle() const { return m_hwnd; }
    bool IsDialog() const { return m_isDialog; }
    const std::wstring& ClassName() const { return m_className; }

    // The toolkit's procedures, for code that creates windows or pages itself
    // (PageDialogProcedure takes the object from a property page's lParam).
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK DialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static INT_PTR CALLBACK PageDialogProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    // Number of window classes registered by window objects that still exist.
    static long LiveWindowClasses();

protected:
    // Within an operation: clear to ask for the default handling as well.
    void SetHandled(bool handled) { m_handled = handled; }
    // Within an operation: the message's result (a dialog stores it as its message result).
    void SetResult(LRESULT result) { m_result = result; }

private:
    LRESULT Dispatch(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    bool RouteCommand(int id, HWND control, int notification);
    void Enter(HWND window, bool isDialog);
    void Forget();
    void UnregisterOwnClass();
    void ApplyIcons();
    static INT_PTR DialogResult(HWND window, NWindow* object, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    bool m_isDialog = false;
    bool m_isModal = false;
    bool m_handled = false;
    LRESULT m_result = 0;
    std::wstring m_className;
    NIcon m_bigIcon;
    NIcon m_smallIcon;
    NTimerTable m_timers;
};
