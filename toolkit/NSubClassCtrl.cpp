#include "NSubClassCtrl.h"

#include <mutex>

namespace {
std::mutex& AttachMutex()
{
    static std::mutex mutex;
    return mutex;
}
}

NSubClassCtrl::~NSubClassCtrl() { Detach(); }

bool NSubClassCtrl::Attach(HWND window)
{
    Detach();
    if (!window || !IsWindow(window)) return false;
    std::lock_guard<std::mutex> lock(AttachMutex());
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    m_hwnd = window;
    SetLastError(0);
    const LONG_PTR previous =
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&NSubClassCtrl::SubclassProcedure));
    if (!previous && GetLastError() != 0) {
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        m_hwnd = nullptr;
        return false;
    }
    m_previous = reinterpret_cast<WNDPROC>(previous);
    return true;
}

void NSubClassCtrl::Detach()
{
    std::lock_guard<std::mutex> lock(AttachMutex());
    if (!m_hwnd) return;
    if (IsWindow(m_hwnd)) {
        if (GetWindowLongPtrW(m_hwnd, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(&NSubClassCtrl::SubclassProcedure))
            SetWindowLongPtrW(m_hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_previous));
        if (GetWindowLongPtrW(m_hwnd, GWLP_USERDATA) == reinterpret_cast<LONG_PTR>(this))
            SetWindowLongPtrW(m_hwnd, GWLP_USERDATA, 0);
    }
    m_hwnd = nullptr;
    m_previous = nullptr;
}

LRESULT NSubClassCtrl::CallPrevious(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (!m_hwnd) return 0;
    return m_previous ? CallWindowProcW(m_previous, m_hwnd, message, wParam, lParam)
                      : DefWindowProcW(m_hwnd, message, wParam, lParam);
}

LRESULT CALLBACK NSubClassCtrl::SubclassProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* object = reinterpret_cast<NSubClassCtrl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!object || object->m_hwnd != window) return DefWindowProcW(window, message, wParam, lParam);
    // The hook may detach or destroy the window: keep what the default needs.
    const WNDPROC previous = object->m_previous;
    bool handled = false;
    LRESULT result = object->MessageHook(window, message, wParam, lParam, handled);
    if (!handled)
        result = previous ? CallWindowProcW(previous, window, message, wParam, lParam)
                          : DefWindowProcW(window, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        auto* still = reinterpret_cast<NSubClassCtrl*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (still == object && object->m_hwnd == window) object->Detach();
    }
    return result;
}
