#include "NFonts.h"

std::wstring NDefaultFontFace()
{
    const bool ntFamily = (GetVersion() & 0x80000000u) == 0;
    return ntFamily ? L"Tahoma" : L"MS Sans Serif";
}

HFONT NCreateTextFont(const std::wstring& face, int height, bool bold, bool italic, bool underline)
{
    LOGFONTW lf = {};
    lf.lfHeight = -height;
    lf.lfWeight = bold ? 700 : 400;
    lf.lfItalic = italic ? TRUE : FALSE;
    lf.lfUnderline = underline ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfQuality = DEFAULT_QUALITY;
    const std::wstring name = face.empty() ? NDefaultFontFace() : face.substr(0, 31);
    lstrcpynW(lf.lfFaceName, name.c_str(), LF_FACESIZE);
    return CreateFontIndirectW(&lf);
}

std::wstring NWindowFontFace(HWND window)
{
    HFONT font = window ? reinterpret_cast<HFONT>(SendMessageW(window, WM_GETFONT, 0, 0)) : nullptr;
    if (!font) return std::wstring();
    LOGFONTW lf = {};
    if (!GetObjectW(font, sizeof lf, &lf)) return std::wstring();
    return lf.lfFaceName;
}

int NTextWidth(HFONT font, const std::wstring& text)
{
    NWindowDC screen(nullptr);
    if (!screen.Get()) return 0;
    NSelect select(screen.Get(), font);
    SIZE size = {};
    GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}
