#include "NMsImgDLL.h"

#include "NGdi.h"

NMsImgDLL::NMsImgDLL()
    : NLibrary(L"Msimg32.dll"),
      m_gradientFill(Bind<GradientFillFn>("GradientFill")),
      m_transparentBlt(Bind<TransparentBltFn>("TransparentBlt"))
{
}

bool NMsImgDLL::GradientFill(HDC dc, TRIVERTEX* vertices, ULONG vertexCount, void* mesh, ULONG meshCount,
                             ULONG mode) const
{
    return m_gradientFill && m_gradientFill(dc, vertices, vertexCount, mesh, meshCount, mode);
}

bool NMsImgDLL::TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw,
                               int sh, UINT transparentColour) const
{
    return m_transparentBlt && m_transparentBlt(dest, x, y, width, height, source, sx, sy, sw, sh, transparentColour);
}

static COLOR16 Channel(BYTE value) { return static_cast<COLOR16>(value << 8); }

void NMsImgDLL::HorizontalGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to) const
{
    TRIVERTEX v[2] = {};
    v[0].x = rect.left;
    v[0].y = rect.top;
    v[0].Red = Channel(GetRValue(from));
    v[0].Green = Channel(GetGValue(from));
    v[0].Blue = Channel(GetBValue(from));
    v[1].x = rect.right;
    v[1].y = rect.bottom;
    v[1].Red = Channel(GetRValue(to));
    v[1].Green = Channel(GetGValue(to));
    v[1].Blue = Channel(GetBValue(to));
    GRADIENT_RECT gr = {0, 1};
    if (GradientFill(dc, v, 2, &gr, 1, GRADIENT_FILL_RECT_H)) return;
    NBrush brush(CreateSolidBrush(from));
    FillRect(dc, &rect, brush.Get());
}

const NMsImgDLL& NMsImgDLL::Shared()
{
    static const NMsImgDLL library;
    return library;
}
