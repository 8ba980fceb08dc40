// Picture buttons and their group, the tool tip, and the thin control
// wrappers, in real windows driven by real messages.
#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include "NBackBuffer.h"
#include "NButton.h"
#include "NButtonGroup.h"
#include "NDropList.h"
#include "NFonts.h"
#include "NListView.h"
#include "NMsImgDLL.h"
#include "NShellOpen.h"
#include "NTabPage.h"
#include "NToolTip.h"
#include "NTreeView.h"
#include "NUserDLLFade.h"
#include "TkTestSupport.h"

using namespace tktest;

namespace {

const COLORREF kKey = RGB(255, 0, 255);
const COLORREF kFrameColours[4] = {RGB(200, 0, 0), RGB(0, 160, 0), RGB(0, 0, 200), RGB(128, 128, 128)};
const COLORREF kSecondLook = RGB(250, 200, 0);

// Four 20 x 16 frames side by side, two rows; each frame a coloured block
// with a key-coloured border.
HBITMAP FrameStrip()
{
    NWindowDC screen(nullptr);
    HBITMAP bitmap = CreateCompatibleBitmap(screen.Get(), 80, 32);
    NMemoryDC dc(screen.Get());
    NSelect select(dc.Get(), bitmap);
    RECT all = {0, 0, 80, 32};
    NBrush key(CreateSolidBrush(kKey));
    FillRect(dc.Get(), &all, key.Get());
    for (int row = 0; row < 2; ++row)
        for (int frame = 0; frame < 4; ++frame) {
            RECT r = {frame * 20 + 2, row * 16 + 2, frame * 20 + 18, row * 16 + 14};
            NBrush brush(CreateSolidBrush(row ? kSecondLook : kFrameColours[frame]));
            FillRect(dc.Get(), &r, brush.Get());
        }
    return bitmap;
}

class CountingButton : public NButton {
public:
    std::vector<int> clicks;
    int ticks = 0;
    void Click(int which) override { clicks.push_back(which); }
    void HoverTick() override { ++ticks; }
};

class WidgetOwner : public OwnerWindow {
public:
    NButtonGroup* group = nullptr;
    NListView* view = nullptr;
    NTreeView* tree = nullptr;
    NDropList* drop = nullptr;
    NTabPage* tabs = nullptr;
    int dropDraws = 0;

    LRESULT MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override
    {
        LRESULT result = 0;
        if (group && (result = group->MessageFilter(window, message, wParam, lParam, handled), handled)) return result;
        if (drop && (result = drop->MessageFilter(message, wParam, lParam, handled), handled)) {
            if (message == WM_DRAWITEM) ++dropDraws;
            return result;
        }
        if (tabs && (result = tabs->MessageFilter(message, wParam, lParam, handled), handled)) return result;
        if (message == WM_NOTIFY) {
            const auto* header = reinterpret_cast<const NMHDR*>(lParam);
            if (view && (result = view->NotifyFilter(header, handled), handled)) return result;
            if (tree && (result = tree->NotifyFilter(header, handled), handled)) return result;
        }
        return OwnerWindow::MessageHook(window, message, wParam, lParam, handled);
    }
};

class WidgetTest : public ::testing::Test {
protected:
    static WidgetOwner* s_owner;
    WidgetOwner& owner = *s_owner;
    static void SetUpTestSuite()
    {
        s_owner = new WidgetOwner;
        s_owner->Open(60, 60, 600, 400);
    }
    static void TearDownTestSuite()
    {
        s_owner->Close();
        delete s_owner;
    }
    void TearDown() override
    {
        owner.group = nullptr;
        owner.view = nullptr;
        owner.tree = nullptr;
        owner.drop = nullptr;
        owner.tabs = nullptr;
        Pump();
    }
};
WidgetOwner* WidgetTest::s_owner = nullptr;

COLORREF PixelOf(NButton& button, int x, int y)
{
    NWindowDC screen(nullptr);
    NMemoryDC dc(screen.Get());
    NBitmap canvas(CreateCompatibleBitmap(screen.Get(), 20, 16));
    NSelect select(dc.Get(), canvas.Get());
    button.Draw(dc.Get());
    return GetPixel(dc.Get(), x, y);
}

TEST_F(WidgetTest, ButtonFramesFollowState)
{
    NButtonGroup group;
    CountingButton button;
    NBitmap strip(FrameStrip());
    ASSERT_TRUE(button.Create(group, owner.Handle(), 300, 20, 20, strip.Get()));
    EXPECT_EQ(button.FrameCount(), 4);
    EXPECT_EQ(button.FrameSize().cx, 20);
    EXPECT_EQ(button.FrameSize().cy, 16);
    RECT r = {};
    GetClientRect(button.Handle(), &r);
    EXPECT_EQ(r.right, 20);
    EXPECT_EQ(r.bottom, 16);

    EXPECT_EQ(button.CurrentFrame(), 0);
    EXPECT_EQ(PixelOf(button, 10, 8), kFrameColours[0]);
    EXPECT_EQ(PixelOf(button, 0, 0), GetSysColor(COLOR_BTNFACE));  // the key colour shows the background

    SendMessageW(button.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button.IsHovered());
    EXPECT_EQ(group.Hovered(), &button);
    EXPECT_EQ(PixelOf(button, 10, 8), kFrameColours[1]);

    SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), button.Handle());
    EXPECT_EQ(button.CurrentFrame(), 2);
    SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(GetCapture(), nullptr);
    EXPECT_EQ(button.CurrentFrame(), 1);

    button.SetSecondLook(true);
    EXPECT_EQ(PixelOf(button, 10, 8), kSecondLook);
    button.SetSecondLook(false);

    button.Enable(false);
    EXPECT_EQ(button.CurrentFrame(), 3);
    EXPECT_EQ(PixelOf(button, 10, 8), kFrameColours[3]);
    SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(button.clicks.size(), 1u);  // a disabled button takes no press
}

TEST_F(WidgetTest, ButtonClicksOnlyWhenReleasedOverIt)
{
    NButtonGroup group;
    CountingButton button;
    NBitmap strip(FrameStrip());
    ASSERT_TRUE(button.Create(group, owner.Handle(), 301, 60, 20, strip.Get()));
    Click(button.Handle(), 4, 4);
    SendMessageW(button.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(4, 4));
    SendMessageW(button.Handle(), WM_RBUTTONUP, 0, MAKELPARAM(4, 4));
    SendMessageW(button.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
    SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(40, 4));  // released outside
    SendMessageW(button.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(4, 4));   // no press left
    EXPECT_EQ(button.clicks, (std::vector<int>{0, 1}));
    EXPECT_FALSE(button.IsPressed());
}

TEST_F(WidgetTest, GroupTimerTracksPointerAndTicksHoveredButton)
{
    NButtonGroup group;
    owner.group = &group;
    CountingButton first, second;
    NBitmap strip(FrameStrip());
    ASSERT_TRUE(first.Create(group, owner.Handle(), 302, 100, 20, strip.Get()));
    ASSERT_TRUE(second.Create(group, owner.Handle(), 303, 140, 20, strip.Get()));
    EXPECT_EQ(group.Count(), 2u);
    ASSERT_TRUE(group.Start(owner.Handle()));
    RECT r = {};
    GetWindowRect(second.Handle(), &r);
    ASSERT_TRUE(SetCursorPos(r.left + 5, r.top + 5));
    EXPECT_TRUE(PumpUntil([&] { return second.IsHovered() && second.ticks >= 3; }));
    EXPECT_FALSE(first.IsHovered());
    EXPECT_EQ(first.ticks, 0);
    SetCursorPos(5, 740);
    EXPECT_TRUE(PumpUntil([&] { return !second.IsHovered(); }));
    EXPECT_EQ(group.Hovered(), nullptr);
    // The group draws its owner-drawn buttons.
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_BUTTON;
    draw.hwndItem = first.Handle();
    NWindowDC dc(first.Handle());
    draw.hDC = dc.Get();
    draw.rcItem = RECT{0, 0, 20, 16};
    EXPECT_EQ(SendMessageW(owner.Handle(), WM_DRAWITEM, 302, reinterpret_cast<LPARAM>(&draw)), TRUE);
    second.Destroy();
    EXPECT_EQ(group.Count(), 1u);
    group.Stop();
}

TEST_F(WidgetTest, ButtonCarriesToolTip)
{
    NButtonGroup group;
    CountingButton button;
    NBitmap strip(FrameStrip());
    ASSERT_TRUE(button.Create(group, owner.Handle(), 304, 180, 20, strip.Get()));
    button.SetToolTip(L"Convert", L"Converts the chosen files");
    ASSERT_NE(button.ToolTipWindow(), nullptr);
    EXPECT_EQ(SendMessageW(button.ToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 1);
    button.SetToolTip(L"Convert", L"Again");
    EXPECT_EQ(SendMessageW(button.ToolTipWindow(), TTM_GETTOOLCOUNT, 0, 0), 1);
}

TEST_F(WidgetTest, ButtonOverOwnerBackground)
{
    NBackBuffer back(RGB(10, 20, 30), RGB(10, 20, 30));
    ASSERT_TRUE(back.Prepare(600, 400));
    NButtonGroup group;
    CountingButton button;
    NBitmap strip(FrameStrip());
    ASSERT_TRUE(button.Create(group, owner.Handle(), 305, 220, 20, strip.Get()));
    button.SetBackground(back.Bitmap());
    EXPECT_EQ(PixelOf(button, 0, 0), RGB(10, 20, 30));
    EXPECT_EQ(PixelOf(button, 10, 8), kFrameColours[0]);
}

TEST(ToolTip, ShowsLinesAtPointAndHides)
{
    NToolTip tip;
    ASSERT_TRUE(tip.Show(100, 120, L"First line", nullptr, 60000));
    EXPECT_TRUE(tip.IsShown());
    const RECT one = tip.WindowRect();
    EXPECT_EQ(one.left, 100);
    EXPECT_EQ(one.top, 120);
    ASSERT_TRUE(tip.Show(100, 120, L"First line\rSecond line", LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION)), 60000));
    EXPECT_EQ(tip.Text(), L"First line\r\nSecond line");
    const RECT two = tip.WindowRect();
    EXPECT_GT(two.bottom - two.top, one.bottom - one.top);
    EXPECT_GT(two.right - two.left, one.right - one.left);  // room for the icon
    UpdateWindow(tip.Handle());
    {
        NWindowDC dc(tip.Handle());
        EXPECT_EQ(GetPixel(dc.Get(), 2, two.bottom - two.top - 3), RGB(255, 255, 225));
    }
    tip.Hide();
    EXPECT_FALSE(tip.IsShown());
    EXPECT_EQ(tip.TimerCount(), 0u);
}

TEST(ToolTip, WaitsUntilHiddenAndStaysOnScreen)
{
    NToolTip tip;
    ASSERT_TRUE(tip.Show(5000, 5000, L"Corner", nullptr, 30, true));
    EXPECT_FALSE(tip.IsShown());
    const RECT r = tip.WindowRect();
    EXPECT_LE(r.right, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_LE(r.bottom, GetSystemMetrics(SM_CYSCREEN));
}

class RecordingListView : public NListView {
public:
    std::vector<int> changed;
    int keys = 0;
    LRESULT ItemChanged(NMLISTVIEW* info) override
    {
        if (info->uNewState & LVIS_SELECTED) changed.push_back(info->iItem);
        return 0;
    }
    LRESULT KeyDown(NMLVKEYDOWN*) override
    {
        ++keys;
        return 0;
    }
};

TEST_F(WidgetTest, ListViewItemsAndNotifications)
{
    RecordingListView view;
    owner.view = &view;
    ASSERT_TRUE(view.Create(owner.Handle(), 400, 10, 60, 300, 150, LVS_SINGLESEL));
    EXPECT_EQ(view.AddColumn(L"File", 150), 0);
    EXPECT_EQ(view.AddColumn(L"Size", 80, LVCFMT_RIGHT), 1);
    EXPECT_EQ(view.InsertItem(-1, L"a.wav", -1, 11), 0);
    EXPECT_EQ(view.InsertItem(-1, L"b.wav", -1, 22), 1);
    EXPECT_TRUE(view.SetItemText(1, 1, L"3 KB"));
    EXPECT_EQ(view.ItemText(1, 0), L"b.wav");
    EXPECT_EQ(view.ItemText(1, 1), L"3 KB");
    EXPECT_EQ(view.ItemParam(1), 22);
    EXPECT_TRUE(view.Select(0));
    EXPECT_EQ(view.Selected(), 0);
    SetFocus(view.Handle());
    Key(view.Handle(), VK_DOWN);
    EXPECT_EQ(view.Selected(), 1);
    EXPECT_GE(view.keys, 1);
    ASSERT_FALSE(view.changed.empty());
    EXPECT_EQ(view.changed.back(), 1);
    EXPECT_TRUE(view.DeleteAll());
    EXPECT_EQ(view.Count(), 0);
    view.Destroy();
}

class RecordingTree : public NTreeView {
public:
    int expanding = 0;
    int selected = 0;
    LRESULT ItemExpanding(NMTREEVIEWW*) override
    {
        ++expanding;
        return 0;
    }
    LRESULT SelectionChanged(NMTREEVIEWW*) override
    {
        ++selected;
        return 0;
    }
};

TEST_F(WidgetTest, TreeViewItemsAndNotifications)
{
    RecordingTree tree;
    owner.tree = &tree;
    ASSERT_TRUE(tree.Create(owner.Handle(), 401, 320, 60, 200, 150));
    HTREEITEM root = tree.InsertItem(nullptr, L"C:", 1, -1, -1, true);
    HTREEITEM music = tree.InsertItem(root, L"Music", 2);
    HTREEITEM audio = tree.InsertItem(root, L"Audio", 3);
    ASSERT_NE(root, nullptr);
    EXPECT_EQ(tree.Count(), 3);
    EXPECT_EQ(tree.FirstChild(root), music);
    EXPECT_EQ(tree.NextSibling(music), audio);
    EXPECT_EQ(tree.ParentItem(audio), root);
    EXPECT_EQ(tree.ItemText(audio), L"Audio");
    EXPECT_EQ(tree.ItemParam(music), 2);
    EXPECT_TRUE(tree.Expand(root));
    EXPECT_EQ(tree.expanding, 1);
    EXPECT_TRUE(tree.Select(audio));
    EXPECT_EQ(tree.Selected(), audio);
    EXPECT_EQ(tree.selected, 1);
    EXPECT_TRUE(tree.DeleteItem(music));
    EXPECT_EQ(tree.Count(), 2);
    tree.Destroy();
}

TEST_F(WidgetTest, DropListEntriesAreOwnerDrawn)
{
    NDropList drop;
    owner.drop = &drop;
    ASSERT_TRUE(drop.Create(owner.Handle(), 402, 10, 230, 200, 150));
    EXPECT_EQ(drop.AddEntry(L"Front cover", LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_INFORMATION)), 3), 0);
    EXPECT_EQ(drop.AddEntry(L"Back cover", nullptr, 4), 1);
    EXPECT_EQ(drop.Count(), 2);
    EXPECT_TRUE(drop.Select(1));
    EXPECT_EQ(drop.Selected(), 1);
    EXPECT_EQ(drop.EntryText(1), L"Back cover");
    EXPECT_EQ(drop.EntryValue(0), 3);
    EXPECT_FALSE(drop.Select(5));
    owner.dropDraws = 0;
    RedrawWindow(drop.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    EXPECT_GE(owner.dropDraws, 1);
    drop.Clear();
    EXPECT_EQ(drop.Count(), 0);
    EXPECT_EQ(drop.EntryText(0), L"");
    drop.Destroy();
}

struct ChildTemplate {
    std::vector<WORD> words;
    ChildTemplate()
    {
        words.resize(sizeof(DLGTEMPLATE) / sizeof(WORD));
        auto* t = reinterpret_cast<DLGTEMPLATE*>(words.data());
        t->style = WS_CHILD | DS_CONTROL;
        t->dwExtendedStyle = WS_EX_CONTROLPARENT;
        t->cx = 100;
        t->cy = 50;
        words.push_back(0);
        words.push_back(0);
        words.push_back(0);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words.data()); }
};

TEST_F(WidgetTest, TabPagesSwitchWithTheTab)
{
    HWND tab = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 250, 220, 300, 130,
                               owner.Handle(), reinterpret_cast<HMENU>(403), nullptr, nullptr);
    NTabPage pages;
    ASSERT_TRUE(pages.Attach(tab));
    owner.tabs = &pages;
    ChildTemplate tpl;
    NWindow general, codecs;
    EXPECT_EQ(pages.AddPage(L"General", general, GetModuleHandleW(nullptr), tpl.Get()), 0);
    EXPECT_EQ(pages.AddPage(L"Codecs", codecs, GetModuleHandleW(nullptr), tpl.Get()), 1);
    EXPECT_EQ(TabCtrl_GetItemCount(tab), 2);
    EXPECT_EQ(pages.Current(), 0);
    EXPECT_TRUE(IsWindowVisible(general.Handle()));
    EXPECT_FALSE(IsWindowVisible(codecs.Handle()));
    SetFocus(tab);
    Key(tab, VK_RIGHT);  // the tab control reports the change to its parent
    EXPECT_EQ(pages.Current(), 1);
    EXPECT_FALSE(IsWindowVisible(general.Handle()));
    EXPECT_TRUE(IsWindowVisible(codecs.Handle()));
    RECT page = {}, tabRect = {};
    GetWindowRect(codecs.Handle(), &page);
    GetWindowRect(tab, &tabRect);
    EXPECT_GT(page.top, tabRect.top);  // below the tabs
    EXPECT_LE(page.bottom, tabRect.bottom);
    owner.tabs = nullptr;
    general.Close();
    codecs.Close();
    DestroyWindow(tab);
}

TEST(Helpers, ImagingLibraryGradientAndTransparentCopy)
{
    const NMsImgDLL& img = NMsImgDLL::Shared();
    ASSERT_TRUE(img.IsLoaded());
    EXPECT_TRUE(img.HasGradientFill());
    EXPECT_TRUE(img.HasTransparentBlt());
    NWindowDC screen(nullptr);
    NMemoryDC dc(screen.Get());
    NBitmap canvas(CreateCompatibleBitmap(screen.Get(), 100, 10));
    NSelect select(dc.Get(), canvas.Get());
    const RECT r = {0, 0, 100, 10};
    img.HorizontalGradient(dc.Get(), r, RGB(0, 0, 0), RGB(200, 100, 0));
    const COLORREF left = GetPixel(dc.Get(), 0, 5), right = GetPixel(dc.Get(), 99, 5);
    EXPECT_LE(GetRValue(left), 4);
    EXPECT_GE(GetRValue(right), 194);
    EXPECT_GE(GetGValue(right), 95);
}

TEST(Helpers, LayeredFadeWherePresent)
{
    NUserDLLFade fade;
    ASSERT_TRUE(fade.CanFade());
    HWND popup = CreateWindowExW(WS_EX_TOOLWINDOW, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    EXPECT_TRUE(fade.Fade(popup, 0, 255, 3, 0));
    EXPECT_TRUE(GetWindowLongPtrW(popup, GWL_EXSTYLE) & WS_EX_LAYERED);
    DestroyWindow(popup);
    EXPECT_FALSE(fade.SetOpacity(popup, 10));
}

TEST(Helpers, BackBufferGradientColumns)
{
    EXPECT_EQ(NBackBuffer::GradientColour(RGB(0, 0, 0), RGB(100, 200, 50), 0, 11), RGB(0, 0, 0));
    EXPECT_EQ(NBackBuffer::GradientColour(RGB(0, 0, 0), RGB(100, 200, 50), 10, 11), RGB(100, 200, 50));
    EXPECT_EQ(NBackBuffer::GradientColour(RGB(0, 0, 0), RGB(100, 200, 50), 5, 11), RGB(50, 100, 25));
    NBackBuffer back(RGB(0, 0, 0), RGB(100, 200, 50));
    ASSERT_TRUE(back.Prepare(11, 4));
    NWindowDC screen(nullptr);
    NMemoryDC dc(screen.Get());
    NBitmap canvas(CreateCompatibleBitmap(screen.Get(), 11, 4));
    NSelect select(dc.Get(), canvas.Get());
    back.CopyTo(dc.Get(), 11, 4);
    EXPECT_EQ(GetPixel(dc.Get(), 10, 2), RGB(100, 200, 50));
    EXPECT_EQ(GetPixel(dc.Get(), 5, 0), RGB(50, 100, 25));
    EXPECT_FALSE(back.Prepare(0, 4));
}

TEST(Helpers, TextFonts)
{
    NFont bold(NCreateTextFont(L"", 13, true, false, true));
    LOGFONTW lf = {};
    ASSERT_TRUE(GetObjectW(bold.Get(), sizeof lf, &lf));
    EXPECT_STREQ(lf.lfFaceName, L"Tahoma");
    EXPECT_EQ(lf.lfWeight, 700);
    EXPECT_EQ(lf.lfHeight, -13);
    EXPECT_TRUE(lf.lfUnderline);
    NFont longFace(NCreateTextFont(std::wstring(40, L'A'), 12, false));
    ASSERT_TRUE(GetObjectW(longFace.Get(), sizeof lf, &lf));
    EXPECT_EQ(lf.lfWeight, 400);
    EXPECT_EQ(std::wstring(lf.lfFaceName).size(), 31u);
    EXPECT_GT(NTextWidth(bold.Get(), L"Width"), 10);
    EXPECT_FALSE(NShellOpen(L""));
}

}  // namespace
