// The imaging library ("Msimg32.dll"), loaded by name: gradient fill and
// transparent copy. Each call reports false when the function is missing.
#pragma once
#include "NLibrary.h"

class NMsImgDLL : public NLibrary {
public:
    NMsImgDLL();
    bool HasGradientFill() const { return m_gradientFill != nullptr; }
    bool HasTransparentBlt() const { return m_transparentBlt != nullptr; }
    bool GradientFill(HDC dc, TRIVERTEX* vertices, ULONG vertexCount, void* mesh, ULONG meshCount, ULONG mode) const;
    bool TransparentBlt(HDC dest, int x, int y, int width, int height, HDC source, int sx, int sy, int sw, int sh,
                        UINT transparentColour) const;
    // Horizontal gradient from one colour to another over a rectangle
    // (a flat fill of the first colour when the library is missing).
    void HorizontalGradient(HDC dc, const RECT& rect, COLORREF from, COLORREF to) const;

    // The process's shared instance.
    static const NMsImgDLL& Shared();

private:
    using GradientFillFn = BOOL(WINAPI*)(HDC, PTRIVERTEX, ULONG, PVOID, ULONG, ULONG);
    using TransparentBltFn = BOOL(WINAPI*)(HDC, int, int, int, int, HDC, int, int, int, int, UINT);
    GradientFillFn m_gradientFill;
    TransparentBltFn m_transparentBlt;
};
