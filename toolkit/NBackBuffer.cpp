#include "NBackBuffer.h"

COLORREF NBackBuffer::GradientColour(COLORREF left, COLORREF right, int x, int width)
{
    if (width <= 1) return left;
    auto mix = [&](int a, int b) { return a + (b - a) * x / (width - 1); };
    return RGB(mix(GetRValue(left), GetRValue(right)), mix(GetGValue(left), GetGValue(right)),
               mix(GetBValue(left), GetBValue(right)));
}

bool NBackBuffer::Prepare(int width, int height)
{
    if (width <= 0 || height <= 0) return false;
    if (m_bitmap && width == m_width && height == m_height) return true;
    NWindowDC screen(nullptr);
    m_bitmap.Reset(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!m_bitmap) return false;
    m_width = width;
    m_height = height;
    NMemoryDC memory(screen.Get());
    NSelect select(memory.Get(), m_bitmap.Get());
    const bool manyColours = GetDeviceCaps(screen.Get(), BITSPIXEL) * GetDeviceCaps(screen.Get(), PLANES) > 16;
    if (manyColours) {
        for (int x = 0; x < width; ++x) {
            NPen pen(CreatePen(PS_SOLID, 1, GradientColour(m_left, m_right, x, width)));
            NSelect selectPen(memory.Get(), pen.Get());
            MoveToEx(memory.Get(), x, 0, nullptr);
            LineTo(memory.Get(), x, height);
        }
    } else {
        RECT all = {0, 0, width, height};
        NBrush brush(CreateSolidBrush(m_left));
        FillRect(memory.Get(), &all, brush.Get());
    }
    return true;
}

void NBackBuffer::CopyTo(HDC dc, int width, int height)
{
    if (!Prepare(width, height)) return;
    NMemoryDC memory(dc);
    NSelect select(memory.Get(), m_bitmap.Get());
    BitBlt(dc, 0, 0, width, height, memory.Get(), 0, 0, SRCCOPY);
}
