// Creating, filling, drawing and clearing value lists and windows many times
// leaves no GDI object and no window class behind.
#include <gtest/gtest.h>

#include "NGdi.h"
#include "NScreen.h"
#include "TkTestSupport.h"

using namespace tktest;

namespace {

HBITMAP SolidBitmap(COLORREF colour, int width, int height)
{
    NWindowDC screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.Get(), width, height);
    NMemoryDC memory(screen.Get());
    NSelect select(memory.Get(), bitmap);
    RECT r = {0, 0, width, height};
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(memory.Get(), &r, brush);
    DeleteObject(brush);
    return bitmap;
}

void OneValueListLife(OwnerWindow& owner, HBITMAP on, HBITMAP off)
{
    RecordingList list;
    owner.list = &list;
    ASSERT_TRUE(list.Create(false, owner.Handle(), 21, 5, 5, 250, 150, 6, 100));
    list.SetCheckImages(on, off);
    list.SetRadioImages(on, off, on, off);
    const int kinds[] = {nrkPlain, nrkLink, nrkHeading, nrkTitle, nrkText, nrkEditDrop, nrkFixedDrop, nrkCheck, nrkRadio};
    for (int kind : kinds) {
        NValueRow row;
        row.kind = kind;
        row.name = L"Row";
        row.value = kind == nrkRadio ? L"-1" : L"1";
        row.entries = {L"1", L"2"};
        row.buttonText = kind == nrkText ? L"Go" : L"";
        row.icon = reinterpret_cast<HICON__*>(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION)));
        row.nameFontHeight = 10 + kind;
        row.bold = kind % 2 == 0;
        list.AddRow(row);
    }
    for (int i = 0; i < list.RowCount(); ++i) list.SelectRow(i);
    UpdateWindow(list.Window());
    RedrawWindow(list.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    Pump();
    list.Clear();
    owner.list = nullptr;
}

TEST(Leaks, ValueListsAndWindowsLeaveNoGdiObjectsOrClasses)
{
    OwnerWindow owner;
    ASSERT_TRUE(owner.Open());
    HBITMAP on = SolidBitmap(RGB(0, 128, 0), 13, 13), off = SolidBitmap(RGB(255, 255, 255), 13, 13);
    OneValueListLife(owner, on, off);  // first use loads fonts and libraries once
    const DWORD systemBefore = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    const long ownBefore = NLiveGdiObjects();
    const long classesBefore = NWindow::LiveWindowClasses();
    for (int i = 0; i < 30; ++i) {
        OneValueListLife(owner, on, off);
        NWindow extra;
        ASSERT_TRUE(extra.Create(L"Extra", WS_POPUP, 0, nullptr, 0, 0, 0, 40, 40));
        extra.SetIcons(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)), nullptr);
        extra.Close();
    }
    EXPECT_EQ(NLiveGdiObjects(), ownBefore);
    EXPECT_EQ(NWindow::LiveWindowClasses(), classesBefore);
    const DWORD systemAfter = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    // Wine reports no GDI counts (0); where the system counts, they must not grow.
    if (systemBefore != 0) {
        EXPECT_LE(systemAfter, systemBefore + 2);
    }
    RecordProperty("GetGuiResources", static_cast<int>(systemAfter));
    DeleteObject(on);
    DeleteObject(off);
    owner.Close();
}

}  // namespace
