// An object attached to an existing window by replacing its window procedure.
// Each message is offered to the message hook; what it leaves unhandled goes
// to the previous procedure.
#pragma once
#include <windows.h>

class NSubClassCtrl {
public:
    NSubClassCtrl() = default;
    virtual ~NSubClassCtrl();
    NSubClassCtrl(const NSubClassCtrl&) = delete;
    NSubClassCtrl& operator=(const NSubClassCtrl&) = delete;

    virtual LRESULT MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
    {
        return 0;
    }

    // Detaches first when attached; false (and nothing attached) when it fails.
    bool Attach(HWND window);
    void Detach();
    HWND Handle() const { return m_hwnd; }
    // Runs the previous window procedure (the control's own behaviour).
    LRESULT CallPrevious(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;
    WNDPROC m_previous = nullptr;
};
