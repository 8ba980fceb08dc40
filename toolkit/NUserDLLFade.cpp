#include "NUserDLLFade.h"

NUserDLLFade::NUserDLLFade()
    : NLibrary(L"user32.dll"), m_setLayered(Bind<SetLayeredFn>("SetLayeredWindowAttributes"))
{
}

bool NUserDLLFade::SetOpacity(HWND window, BYTE alpha) const
{
    if (!m_setLayered || !IsWindow(window)) return false;
    const LONG_PTR ex = GetWindowLongPtrW(window, GWL_EXSTYLE);
    if (!(ex & WS_EX_LAYERED)) SetWindowLongPtrW(window, GWL_EXSTYLE, ex | WS_EX_LAYERED);
    return m_setLayered(window, 0, alpha, LWA_ALPHA) != FALSE;
}

bool NUserDLLFade::Fade(HWND window, BYTE from, BYTE to, int steps, DWORD stepMs) const
{
    if (!CanFade() || steps < 1) return false;
    for (int i = 0; i <= steps; ++i) {
        const int alpha = from + (static_cast<int>(to) - from) * i / steps;
        if (!SetOpacity(window, static_cast<BYTE>(alpha))) return false;
        if (i < steps) Sleep(stepMs);
    }
    return true;
}
