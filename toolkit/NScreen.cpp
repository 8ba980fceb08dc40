#include "NScreen.h"

#include <windows.h>

#include <atomic>

#include "NDpiScale.h"

namespace {
std::atomic<int> g_screenDpi{0};
std::atomic<int> g_forcedDpi{0};
}

int NScreenDpi()
{
    if (const int forced = g_forcedDpi.load()) return forced;
    int dpi = g_screenDpi.load();
    if (!dpi) {
        HDC screen = GetDC(nullptr);
        dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : 96;
        if (screen) ReleaseDC(nullptr, screen);
        if (dpi <= 0) dpi = 96;
        g_screenDpi.store(dpi);
    }
    return dpi;
}

void NSetScreenDpi(int dpi) { g_forcedDpi.store(dpi > 0 ? dpi : 0); }

int NScale(int value) { return NScaleBy(value, NScreenDpi()); }
