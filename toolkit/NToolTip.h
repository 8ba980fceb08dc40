// A small pop-up with an optional 16 x 16 icon and a text (several lines
// where it holds carriage returns) at a screen point, on a pale yellow
// background with a frame, hidden again after a given time.
#pragma once
#include <windows.h>

#include <string>

#include "NGdi.h"
#include "NWindow.h"

class NToolTip : public NWindow {
public:
    ~NToolTip() override;
    // Shows the tip (making its window on first use); with wait set, returns when it is hidden again.
    bool Show(int screenX, int screenY, const std::wstring& text, HICON icon = nullptr, UINT visibleMs = 3000,
              bool wait = false);
    void Hide();
    bool IsShown() const;
    const std::wstring& Text() const { return m_text; }

    void OnPaint() override;
    void OnTimer(unsigned id, std::intptr_t userValue) override;
    void OnEraseBackground(HDC dc) override {}

private:
    SIZE Measure();
    HFONT TextFont();

    std::wstring m_text;
    NIcon m_icon;
    NFont m_font;
    unsigned m_timer = 0;
};
