// The text font of every window: a face (up to 31 characters; "Tahoma" on
// NT-family Windows and "MS Sans Serif" otherwise when none is given), a
// height in pixels, bold (weight 700) or normal (400), italic and underline.
#pragma once
#include <windows.h>

#include <string>

#include "NGdi.h"

std::wstring NDefaultFontFace();
HFONT NCreateTextFont(const std::wstring& face, int height, bool bold, bool italic = false, bool underline = false);
// The face name of a window's font (WM_GETFONT), empty when it has none.
std::wstring NWindowFontFace(HWND window);
// Width in pixels of text in a font.
int NTextWidth(HFONT font, const std::wstring& text);
