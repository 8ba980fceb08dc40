// "user32.dll" loaded by name for SetLayeredWindowAttributes, so windows fade
// where the system has layered windows and simply appear or vanish elsewhere.
#pragma once
#include "NLibrary.h"

class NUserDLLFade : public NLibrary {
public:
    NUserDLLFade();
    bool CanFade() const { return m_setLayered != nullptr; }
    // Makes a window layered and sets its opacity (0 transparent .. 255 opaque).
    bool SetOpacity(HWND window, BYTE alpha) const;
    // Steps a window's opacity from one value to another, pausing stepMs between steps.
    bool Fade(HWND window, BYTE from, BYTE to, int steps, DWORD stepMs) const;

private:
    using SetLayeredFn = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);
    SetLayeredFn m_setLayered;
};
