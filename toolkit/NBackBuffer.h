// A window's background, drawn once per size into a memory bitmap compatible
// with the screen and copied on every erase. With more than 65 536 colours
// it is a horizontal gradient (one vertical line per pixel column), else flat.
#pragma once
#include <windows.h>

#include "NGdi.h"

class NBackBuffer {
public:
    NBackBuffer(COLORREF left, COLORREF right) : m_left(left), m_right(right) {}
    // Redraws the buffer when the size changed; false when no bitmap could be made.
    bool Prepare(int width, int height);
    // Copies the buffer to a device context (drawing it first when needed).
    void CopyTo(HDC dc, int width, int height);
    HBITMAP Bitmap() const { return m_bitmap.Get(); }

    // Colour of the gradient's pixel column x of width columns.
    static COLORREF GradientColour(COLORREF left, COLORREF right, int x, int width);

private:
    COLORREF m_left;
    COLORREF m_right;
    int m_width = 0;
    int m_height = 0;
    NBitmap m_bitmap;
};
