#include "NToolTip.h"

#include "NFonts.h"
#include "NScreen.h"

namespace {

const COLORREF kTipBack = RGB(255, 255, 225);
const COLORREF kTipFrame = RGB(118, 118, 118);
const COLORREF kTipText = RGB(0, 0, 0);

// DrawText breaks lines at CR LF; a lone CR or LF counts as a break as well.
std::wstring WithLineBreaks(const std::wstring& text)
{
    std::wstring out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' || text[i] == L'\n') {
            out += L"\r\n";
            if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

const UINT kTextFormat = DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS;

}  // namespace

NToolTip::~NToolTip() { Close(); }

HFONT NToolTip::TextFont()
{
    if (!m_font) m_font.Reset(NCreateTextFont(std::wstring(), NScale(13), false));
    return m_font.Get();
}

SIZE NToolTip::Measure()
{
    NWindowDC screen(nullptr);
    NSelect select(screen.Get(), TextFont());
    RECT r = {0, 0, 0, 0};
    DrawTextW(screen.Get(), m_text.c_str(), static_cast<int>(m_text.size()), &r, kTextFormat | DT_CALCRECT);
    const int pad = NScale(4);
    int width = r.right + 2 * pad + 2, height = r.bottom + 2 * pad + 2;
    if (m_icon.Get()) {
        width += NScale(16) + pad;
        if (height < NScale(16) + 2 * pad + 2) height = NScale(16) + 2 * pad + 2;
    }
    return SIZE{width, height};
}

bool NToolTip::Show(int screenX, int screenY, const std::wstring& text, HICON icon, UINT visibleMs, bool wait)
{
    if (!Handle() &&
        !Create(L"", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_NOACTIVATE, nullptr, 0, 0, 0, 10, 10))
        return false;
    m_text = WithLineBreaks(text);
    m_icon.CopyFrom(icon);
    const SIZE size = Measure();
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    int x = screenX, y = screenY;
    if (work.right > work.left) {
        if (x + size.cx > work.right) x = work.right - size.cx;
        if (y + size.cy > work.bottom) y = work.bottom - size.cy;
        if (x < work.left) x = work.left;
        if (y < work.top) y = work.top;
    }
    if (m_timer) RemoveTimer(m_timer);
    SetWindowPos(Handle(), HWND_TOPMOST, x, y, size.cx, size.cy, SWP_NOACTIVATE | SWP_SHOWWINDOW);
    InvalidateRect(Handle(), nullptr, TRUE);
    m_timer = AddTimer(0, visibleMs);
    if (wait) {
        MSG msg;
        while (IsShown()) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
            while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
        }
    }
    return true;
}

void NToolTip::Hide()
{
    if (m_timer) RemoveTimer(m_timer);
    m_timer = 0;
    if (Handle()) ShowWindow(Handle(), SW_HIDE);
}

bool NToolTip::IsShown() const { return Handle() && IsWindowVisible(Handle()); }

void NToolTip::OnTimer(unsigned id, std::intptr_t)
{
    if (id == m_timer) Hide();
}

void NToolTip::OnPaint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(Handle(), &ps);
    if (!dc) return;
    RECT client = {};
    GetClientRect(Handle(), &client);
    NMemoryDC memory(dc);
    NBitmap canvas(CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (memory.Get() && canvas) {
        NSelect selectCanvas(memory.Get(), canvas.Get());
        HDC m = memory.Get();
        NBrush back(CreateSolidBrush(kTipBack));
        FillRect(m, &client, back.Get());
        NBrush frame(CreateSolidBrush(kTipFrame));
        FrameRect(m, &client, frame.Get());
        const int pad = NScale(4);
        int textLeft = 1 + pad;
        if (m_icon.Get()) {
            DrawIconEx(m, textLeft, 1 + pad, m_icon.Get(), NScale(16), NScale(16), 0, nullptr, DI_NORMAL);
            textLeft += NScale(16) + pad;
        }
        NSelect selectFont(m, TextFont());
        SetBkMode(m, TRANSPARENT);
        SetTextColor(m, kTipText);
        RECT text = {textLeft, 1 + pad, client.right - 1 - pad, client.bottom - 1 - pad};
        DrawTextW(m, m_text.c_str(), static_cast<int>(m_text.size()), &text, kTextFormat);
        BitBlt(dc, 0, 0, client.right, client.bottom, m, 0, 0, SRCCOPY);
    }
    EndPaint(Handle(), &ps);
}
