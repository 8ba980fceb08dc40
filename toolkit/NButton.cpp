#include "NButton.h"

#include <windowsx.h>
#include <commctrl.h>

#include "NButtonGroup.h"
#include "NCommonControls.h"
#include "NMsImgDLL.h"

NButton::NButton() = default;

NButton::~NButton() { Destroy(); }

bool NButton::Create(NButtonGroup& group, HWND parent, int id, int x, int y, HBITMAP frames, int style)
{
    Destroy();
    BITMAP info = {};
    if (!parent || !frames || !GetObjectW(frames, sizeof info, &info)) return false;
    m_style = style;
    m_frames.Reset(static_cast<HBITMAP>(CopyImage(frames, IMAGE_BITMAP, 0, 0, 0)));
    if (!m_frames) return false;
    m_frameWidth = info.bmWidth / FrameCount();
    m_frameHeight = (m_style & nbsSecondLook) ? info.bmHeight / 2 : info.bmHeight;
    HWND button = CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, x, y, m_frameWidth,
                                  m_frameHeight, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                                  reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(parent, GWLP_HINSTANCE)), nullptr);
    if (!button) {
        m_frames.Reset();
        return false;
    }
    if (!Attach(button)) {
        DestroyWindow(button);
        m_frames.Reset();
        return false;
    }
    m_group = &group;
    group.Add(this);
    return true;
}

bool NButton::CreateFromResource(NButtonGroup& group, HWND parent, int id, int x, int y, HINSTANCE instance,
                                 LPCWSTR resource, int style)
{
    NBitmap frames(static_cast<HBITMAP>(LoadImageW(instance, resource, IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    return frames && Create(group, parent, id, x, y, frames.Get(), style);
}

void NButton::Destroy()
{
    if (m_group) m_group->Remove(this);
    m_group = nullptr;
    if (m_toolTip) DestroyWindow(m_toolTip);
    m_toolTip = nullptr;
    const HWND button = Handle();
    Detach();
    if (button && IsWindow(button)) DestroyWindow(button);
    m_frames.Reset();
    m_background.Reset();
    m_hovered = m_pressed = false;
}

int NButton::FrameCount() const
{
    int count = 1;
    for (int flag : {nbsHoverFrame, nbsPressedFrame, nbsDisabledFrame, nbsCheckedFrame})
        if (m_style & flag) ++count;
    return count;
}

int NButton::FramePosition(int styleFlag) const
{
    if (!(m_style & styleFlag)) return -1;
    int position = 1;
    for (int flag : {nbsHoverFrame, nbsPressedFrame, nbsDisabledFrame, nbsCheckedFrame}) {
        if (flag == styleFlag) return position;
        if (m_style & flag) ++position;
    }
    return -1;
}

int NButton::CurrentFrame() const
{
    const HWND button = Handle();
    int frame = -1;
    if (button && !IsWindowEnabled(button)) frame = FramePosition(nbsDisabledFrame);
    if (frame < 0 && m_pressed && m_hovered) frame = FramePosition(nbsPressedFrame);
    if (frame < 0 && m_checked) frame = FramePosition(nbsCheckedFrame);
    if (frame < 0 && m_hovered) frame = FramePosition(nbsHoverFrame);
    return frame < 0 ? 0 : frame;
}

void NButton::SetToolTip(const std::wstring& title, const std::wstring& description)
{
    const HWND button = Handle();
    if (!button) return;
    NInitCommonControls();
    if (!m_toolTip)
        m_toolTip = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                    CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, button, nullptr,
                                    nullptr, nullptr);
    if (!m_toolTip) return;
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = GetParent(button);
    tool.uId = reinterpret_cast<UINT_PTR>(button);
    SendMessageW(m_toolTip, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    std::wstring text = description;
    tool.lpszText = &text[0];
    SendMessageW(m_toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    SendMessageW(m_toolTip, TTM_SETMAXTIPWIDTH, 0, 300);
    SendMessageW(m_toolTip, TTM_SETTITLEW, title.empty() ? TTI_NONE : TTI_INFO,
                 reinterpret_cast<LPARAM>(title.c_str()));
}

void NButton::SetBackground(HBITMAP ownerBackground)
{
    const HWND button = Handle();
    m_background.Reset();
    if (!button || !ownerBackground) return;
    RECT r = {};
    GetWindowRect(button, &r);
    MapWindowPoints(nullptr, GetParent(button), reinterpret_cast<POINT*>(&r), 2);
    NWindowDC screen(nullptr);
    m_background.Reset(CreateCompatibleBitmap(screen.Get(), m_frameWidth, m_frameHeight));
    if (!m_background) return;
    NMemoryDC source(screen.Get()), target(screen.Get());
    NSelect selectSource(source.Get(), ownerBackground);
    NSelect selectTarget(target.Get(), m_background.Get());
    BitBlt(target.Get(), 0, 0, m_frameWidth, m_frameHeight, source.Get(), r.left, r.top, SRCCOPY);
    InvalidateRect(button, nullptr, FALSE);
}

void NButton::SetChecked(bool checked)
{
    if (m_checked == checked) return;
    m_checked = checked;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void NButton::SetSecondLook(bool second)
{
    if (m_secondLook == second) return;
    m_secondLook = second;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void NButton::Enable(bool enabled)
{
    if (!Handle()) return;
    EnableWindow(Handle(), enabled);
    InvalidateRect(Handle(), nullptr, FALSE);
}

void NButton::SetHovered(bool hovered)
{
    if (m_hovered == hovered) return;
    m_hovered = hovered;
    if (Handle()) InvalidateRect(Handle(), nullptr, FALSE);
}

void NButton::Draw(HDC dc)
{
    if (!m_frames || m_frameWidth <= 0 || m_frameHeight <= 0) return;
    NMemoryDC compose(dc);
    NBitmap canvas(CreateCompatibleBitmap(dc, m_frameWidth, m_frameHeight));
    if (!compose.Get() || !canvas) return;
    NSelect selectCanvas(compose.Get(), canvas.Get());
    if (m_background) {
        NMemoryDC background(dc);
        NSelect select(background.Get(), m_background.Get());
        BitBlt(compose.Get(), 0, 0, m_frameWidth, m_frameHeight, background.Get(), 0, 0, SRCCOPY);
    } else {
        RECT all = {0, 0, m_frameWidth, m_frameHeight};
        FillRect(compose.Get(), &all, GetSysColorBrush(COLOR_BTNFACE));
    }
    NMemoryDC frames(dc);
    NSelect selectFrames(frames.Get(), m_frames.Get());
    const int sx = CurrentFrame() * m_frameWidth;
    const int sy = (m_secondLook && (m_style & nbsSecondLook)) ? m_frameHeight : 0;
    const COLORREF key = GetPixel(frames.Get(), 0, 0);
    if (!NMsImgDLL::Shared().TransparentBlt(compose.Get(), 0, 0, m_frameWidth, m_frameHeight, frames.Get(), sx, sy,
                                            m_frameWidth, m_frameHeight, key))
        BitBlt(compose.Get(), 0, 0, m_frameWidth, m_frameHeight, frames.Get(), sx, sy, SRCCOPY);
    BitBlt(dc, 0, 0, m_frameWidth, m_frameHeight, compose.Get(), 0, 0, SRCCOPY);
}

LRESULT NButton::MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled)
{
    switch (message) {
    case WM_MOUSEMOVE: {
        RECT client = {};
        GetClientRect(window, &client);
        const POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (m_group) m_group->SetHovered(PtInRect(&client, p) ? this : nullptr);
        handled = true;
        return 0;
    }
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        if (IsWindowEnabled(window)) {
            m_pressed = true;
            m_pressedWith = (message == WM_RBUTTONDOWN || message == WM_RBUTTONDBLCLK) ? 1 : 0;
            SetCapture(window);
            if (m_group) m_group->SetHovered(this);
            InvalidateRect(window, nullptr, FALSE);
        }
        handled = true;
        return 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP: {
        const int which = message == WM_RBUTTONUP ? 1 : 0;
        handled = true;
        if (!m_pressed || which != m_pressedWith) return 0;
        m_pressed = false;
        if (GetCapture() == window) ReleaseCapture();
        InvalidateRect(window, nullptr, FALSE);
        RECT client = {};
        GetClientRect(window, &client);
        const POINT p = {GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        if (PtInRect(&client, p)) Click(which);
        return 0;
    }
    case WM_CAPTURECHANGED:
        if (m_pressed && reinterpret_cast<HWND>(lParam) != window) {
            m_pressed = false;
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_ERASEBKGND:
        handled = true;
        return 1;
    default:
        return 0;
    }
}
