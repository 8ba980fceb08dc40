// A demo of the window toolkit (built with the tests, not shipped): a value
// list with one row of every kind, a group of picture buttons over a gradient
// background, and a tool tip.
//   toolkit_demo [--dpi N] [--shot file.bmp]
// With --shot the demo writes a picture of its window (and the tool tip) to a
// 24-bit BMP file and exits; otherwise it runs until closed.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>

#include "NBackBuffer.h"
#include "NButton.h"
#include "NButtonGroup.h"
#include "NFonts.h"
#include "NScreen.h"
#include "NToolTip.h"
#include "NValueList.h"
#include "NWindow.h"

namespace {

const COLORREF kKey = RGB(255, 0, 255);

// Frames of a round picture button: normal, hover, pressed, disabled; the
// second row is the second look.
HBITMAP MakeButtonFrames(int size, wchar_t glyph)
{
    NWindowDC screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.Get(), size * 4, size * 2);
    NMemoryDC dc(screen.Get());
    NSelect select(dc.Get(), bitmap);
    RECT all = {0, 0, size * 4, size * 2};
    NBrush key(CreateSolidBrush(kKey));
    FillRect(dc.Get(), &all, key.Get());
    const COLORREF looks[2][4] = {
        {RGB(40, 96, 176), RGB(72, 136, 220), RGB(24, 60, 120), RGB(160, 160, 160)},
        {RGB(40, 150, 80), RGB(70, 190, 110), RGB(24, 100, 50), RGB(160, 160, 160)},
    };
    NFont font(NCreateTextFont(std::wstring(), size * 2 / 3, true));
    NSelect selectFont(dc.Get(), font.Get());
    SetBkMode(dc.Get(), TRANSPARENT);
    SetTextColor(dc.Get(), RGB(255, 255, 255));
    for (int row = 0; row < 2; ++row)
        for (int frame = 0; frame < 4; ++frame) {
            NBrush fill(CreateSolidBrush(looks[row][frame]));
            NPen pen(CreatePen(PS_SOLID, 1, RGB(255, 255, 255)));
            NSelect selectBrush(dc.Get(), fill.Get());
            NSelect selectPen(dc.Get(), pen.Get());
            const int left = frame * size, top = row * size;
            const int inset = frame == 2 ? 2 : 1;
            Ellipse(dc.Get(), left + inset, top + inset, left + size - inset, top + size - inset);
            RECT text = {left, top, left + size, top + size};
            DrawTextW(dc.Get(), &glyph, 1, &text, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
        }
    return bitmap;
}

class DemoButton : public NButton {
public:
    explicit DemoButton(const wchar_t* name) : m_name(name) {}
    void Click(int which) override
    {
        SetSecondLook(!m_second);
        m_second = !m_second;
    }

private:
    const wchar_t* m_name;
    bool m_second = false;
};

class DemoWindow : public NWindow {
public:
    DemoWindow() : m_back(RGB(214, 226, 242), RGB(250, 251, 253)), m_convert(L"Convert"), m_stop(L"Stop"), m_help(L"Help") {}

    NToolTip tip;

    void OnInitialise() override
    {
        m_font.Reset(NCreateTextFont(std::wstring(), NScale(13), false));
        // Dialog units of the window's font: the list scales with the screen.
        m_list.Create(false, Handle(), 21, 6, 30, 240, 196, 6, 100);
        AddRows();
        // The window fits around the list.
        RECT list = {};
        GetWindowRect(m_list.Window(), &list);
        MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&list), 2);
        RECT frame = {0, 0, list.right + list.left, list.bottom + list.left};
        AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE)), FALSE, 0);
        SetWindowPos(Handle(), nullptr, 0, 0, frame.right - frame.left, frame.bottom - frame.top + NScale(60),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        const int size = NScale(28);
        const wchar_t glyphs[3] = {L'C', L'S', L'?'};
        DemoButton* buttons[3] = {&m_convert, &m_stop, &m_help};
        for (int i = 0; i < 3; ++i) {
            NBitmap frames(MakeButtonFrames(size, glyphs[i]));
            buttons[i]->Create(m_group, Handle(), 500 + i, NScale(12) + i * (size + NScale(8)), NScale(8), frames.Get());
        }
        m_stop.Enable(false);
        m_help.SetSecondLook(true);
        m_convert.SetToolTip(L"Convert", L"Converts the chosen files");
        m_group.Start(Handle());
    }

    void OnSized(int width, int height, int) override
    {
        if (m_back.Prepare(width, height)) {
            m_convert.SetBackground(m_back.Bitmap());
            m_stop.SetBackground(m_back.Bitmap());
            m_help.SetBackground(m_back.Bitmap());
        }
    }

    void OnEraseBackground(HDC dc) override
    {
        RECT client = {};
        GetClientRect(Handle(), &client);
        m_back.CopyTo(dc, client.right, client.bottom);
    }

    LRESULT MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override
    {
        if (message == WM_GETFONT) {  // a plain window keeps no font: answer for the controls
            handled = true;
            return reinterpret_cast<LRESULT>(m_font.Get());
        }
        LRESULT result = m_group.MessageFilter(window, message, wParam, lParam, handled);
        if (handled) return result;
        return m_list.MessageFilter(message, wParam, lParam, handled);
    }

    void OnClose() override { Close(); }
    void OnDestroy() override
    {
        m_group.Stop();
        m_list.Clear();
        PostQuitMessage(0);
    }

    void SelectTextRow() { m_list.SelectRow(m_textRow); }

private:
    void AddRows()
    {
        NValueRow title;
        title.kind = nrkTitle;
        title.name = L"Tonvera settings";
        title.nameX = (22u << 16) | 4u;
        title.nameFontHeight = 15;
        m_list.AddRow(title);

        NValueRow heading;
        heading.kind = nrkHeading;
        heading.name = L"Output";
        m_list.AddRow(heading);

        NValueRow plain;
        plain.kind = nrkPlain;
        plain.name = L"Encoder";
        plain.value = L"WAVE 16 bit";
        plain.icon = reinterpret_cast<HICON__*>(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION)));
        m_list.AddRow(plain);

        NValueRow twoLines;
        twoLines.kind = nrkPlain;
        twoLines.name = L"Comment";
        twoLines.value = L"First line\rSecond line";
        m_list.AddRow(twoLines);

        NValueRow link;
        link.kind = nrkLink;
        link.name = L"Help";
        link.value = L"Help\\Tvx\\index.htm";
        m_list.AddRow(link);

        NValueRow text;
        text.kind = nrkText;
        text.name = L"Output folder";
        text.value = L"C:\\Music\\Converted";
        text.buttonText = L"Browse";
        m_textRow = m_list.AddRow(text);

        NValueRow notes;
        notes.kind = nrkText;
        notes.name = L"Notes";
        notes.value = L"Several\rlines";
        notes.lineCount = 3;
        m_list.AddRow(notes);

        NValueRow genre;
        genre.kind = nrkEditDrop;
        genre.name = L"Genre";
        genre.value = L"Blues";
        genre.entries = {L"Ambient", L"Blues", L"Rock"};
        m_list.AddRow(genre);

        NValueRow quality;
        quality.kind = nrkFixedDrop;
        quality.name = L"Quality";
        quality.value = L"High";
        quality.entries = {L"Low", L"Medium", L"High"};
        quality.buttonText = L"Advanced";
        m_list.AddRow(quality);

        NValueRow check;
        check.kind = nrkCheck;
        check.name = L"Copy ID tags";
        check.value = L"1";
        check.checkX = 12;
        m_list.AddRow(check);

        NValueRow locked = check;
        locked.name = L"Delete source files (locked)";
        locked.value = L"";
        locked.disabled = true;
        m_list.AddRow(locked);

        NValueRow radio;
        radio.kind = nrkRadio;
        radio.checkX = 12;
        radio.name = L"Keep the folder structure";
        radio.value = L"-1";
        m_list.AddRow(radio);
        radio.name = L"Write into one folder";
        radio.value = L"1";
        m_list.AddRow(radio);
    }

    NFont m_font;
    NBackBuffer m_back;
    NValueList m_list;
    NButtonGroup m_group;
    DemoButton m_convert, m_stop, m_help;
    int m_textRow = 0;
};

void PumpFor(DWORD ms)
{
    const DWORD start = GetTickCount();
    MSG msg;
    while (GetTickCount() - start < ms) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
    }
}

// Copies a screen rectangle into a 24-bit bottom-up BMP file.
bool WriteScreenBmp(const RECT& area, const std::wstring& path)
{
    const int width = area.right - area.left, height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;
    NWindowDC screen(nullptr);
    NMemoryDC memory(screen.Get());
    NBitmap shot(CreateCompatibleBitmap(screen.Get(), width, height));
    if (!shot) return false;
    {
        NSelect select(memory.Get(), shot.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), area.left, area.top, SRCCOPY);
    }
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    info.biSizeImage = stride * height;
    std::string pixels(info.biSizeImage, '\0');
    if (!GetDIBits(memory.Get(), shot.Get(), 0, height, &pixels[0], reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS))
        return false;
    BITMAPFILEHEADER file = {};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = file.bfOffBits + info.biSizeImage;
    FILE* out = _wfopen(path.c_str(), L"wb");
    if (!out) return false;
    const bool ok = fwrite(&file, sizeof file, 1, out) == 1 && fwrite(&info, sizeof info, 1, out) == 1 &&
                    fwrite(pixels.data(), pixels.size(), 1, out) == 1;
    fclose(out);
    return ok;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int)
{
    int argc = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    std::wstring shot;
    for (int i = 1; argv && i + 1 < argc; ++i) {
        if (wcscmp(argv[i], L"--dpi") == 0) NSetScreenDpi(_wtoi(argv[++i]));
        else if (wcscmp(argv[i], L"--shot") == 0) shot = argv[++i];
    }
    if (argv) LocalFree(argv);

    DemoWindow window;
    const int left = 20, top = 20;
    if (!window.Create(L"Toolkit demo", WS_POPUP | WS_BORDER | WS_CLIPCHILDREN, 0, nullptr, 0, left, top,
                       left + NScale(440), top + NScale(420)))
        return 2;
    ShowWindow(window.Handle(), SW_SHOWNORMAL);
    UpdateWindow(window.Handle());
    window.SelectTextRow();
    const RECT frame = window.WindowRect();
    window.tip.Show(frame.left + NScale(60), frame.bottom - NScale(52),
                    L"Tool tip\rwith two lines", LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION)),
                    shot.empty() ? 3000 : 60000);

    if (!shot.empty()) {
        PumpFor(600);
        RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        UpdateWindow(window.tip.Handle());
        PumpFor(300);
        const bool written = WriteScreenBmp(window.WindowRect(), shot);
        window.tip.Hide();
        window.Close();
        return written ? 0 : 1;
    }
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return 0;
}
