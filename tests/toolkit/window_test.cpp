// Window objects: class registration, message dispatch to operations, the
// window table, timers, dialogs and subclassing, in real windows.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "NSubClassCtrl.h"
#include "NWindowTable.h"
#include "TkTestSupport.h"

using namespace tktest;

namespace {

class RecordingWindow : public NWindow {
public:
    std::vector<std::string> log;
    bool handleInHook = false;
    LRESULT hookResult = 0;

    void OnInitialise() override { log.push_back("initialise"); }
    void OnCommand(int id, HWND, int code) override { log.push_back("command " + std::to_string(id) + " " + std::to_string(code)); }
    void OnOK() override { log.push_back("OK"); }
    void OnCancel() override { log.push_back("Cancel"); }
    void OnHelp() override { log.push_back("Help"); }
    void OnCloseButton() override { log.push_back("Close button"); }
    void OnClose() override { log.push_back("close"); }
    void OnKeyDown(int key, LPARAM) override { log.push_back("key down " + std::to_string(key)); }
    void OnButtonDown(int x, int y, UINT message, int keys) override
    {
        log.push_back("button down " + std::to_string(x) + "," + std::to_string(y) + " " +
                      std::to_string(message == WM_RBUTTONDOWN) + " " + std::to_string(keys));
    }
    void OnSized(int width, int height, int kind) override
    {
        log.push_back("sized " + std::to_string(width) + "x" + std::to_string(height));
    }
    void OnTimer(unsigned id, std::intptr_t user) override
    {
        log.push_back("timer " + std::to_string(id) + " " + std::to_string(user));
    }
    void OnDestroy() override { log.push_back("destroy"); }
    LRESULT MessageHook(HWND, UINT message, WPARAM, LPARAM, bool& handled) override
    {
        if (handleInHook && message == WM_USER + 5) {
            handled = true;
            return hookResult;
        }
        return 0;
    }
    bool Logged(const std::string& entry) const
    {
        for (const auto& e : log)
            if (e == entry) return true;
        return false;
    }
};

bool ClassExists(const std::wstring& name)
{
    WNDCLASSEXW info = {};
    info.cbSize = sizeof info;
    HMODULE module = nullptr;
    GetModuleHandleExW(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                       reinterpret_cast<LPCWSTR>(&NWindow::WindowProcedure), &module);
    return GetClassInfoExW(module, name.c_str(), &info) != FALSE;
}

TEST(Window, TwoCreatedWindowsRegisterAndRemoveTwoClasses)
{
    const size_t tableBefore = NWindowTable::Count();
    RecordingWindow first, second;
    ASSERT_TRUE(first.Create(L"First", WS_POPUP, 0, nullptr, 0, 0, 0, 100, 80));
    ASSERT_TRUE(second.Create(L"Second", WS_POPUP, 0, nullptr, CS_DBLCLKS, 0, 0, 100, 80));
    const std::wstring a = first.ClassName(), b = second.ClassName();
    EXPECT_EQ(a.rfind(L"NWnd", 0), 0u);
    EXPECT_EQ(b.rfind(L"NWnd", 0), 0u);
    EXPECT_NE(a, b);
    EXPECT_TRUE(ClassExists(a));
    EXPECT_TRUE(ClassExists(b));
    EXPECT_EQ(NWindowTable::Count(), tableBefore + 2);
    EXPECT_TRUE(first.Logged("initialise"));

    first.Close();
    EXPECT_FALSE(ClassExists(a));
    EXPECT_TRUE(ClassExists(b));
    EXPECT_EQ(first.Handle(), nullptr);
    second.Close();
    EXPECT_FALSE(ClassExists(b));
    EXPECT_EQ(NWindowTable::Count(), tableBefore);
    EXPECT_TRUE(first.Logged("destroy"));
}

TEST(Window, CommandsRunButtonOperationThenCommand)
{
    RecordingWindow w;
    ASSERT_TRUE(w.Create(L"Commands", WS_POPUP, 0, nullptr, 0, 0, 0, 100, 80));
    struct Case {
        int id;
        int code;
        std::vector<std::string> expected;
    };
    const Case cases[] = {
        {IDOK, 0, {"OK", "command 1 0"}},
        {IDCANCEL, 0, {"Cancel", "command 2 0"}},
        {IDCLOSE, 0, {"Close button", "command 8 0"}},
        {IDHELP, 0, {"Help", "command 9 0"}},
        {IDOK, 1, {"command 1 1"}},
        {10, 0, {"command 10 0"}},
    };
    for (const Case& c : cases) {
        w.log.clear();
        SendMessageW(w.Handle(), WM_COMMAND, MAKEWPARAM(c.id, c.code), 0);
        EXPECT_EQ(w.log, c.expected) << c.id << " " << c.code;
    }
    w.Close();
}

TEST(Window, MessagesReachTheirOperations)
{
    RecordingWindow w;
    ASSERT_TRUE(w.Create(L"Ops", WS_POPUP, 0, nullptr, 0, 0, 0, 100, 80));
    w.log.clear();
    SendMessageW(w.Handle(), WM_KEYDOWN, 'A', 0);
    SendMessageW(w.Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(12, 34));
    SendMessageW(w.Handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(300, 200));
    SendMessageW(w.Handle(), WM_CLOSE, 0, 0);
    EXPECT_EQ(w.log, (std::vector<std::string>{"key down 65", "button down 12,34 1 2", "sized 300x200", "close"}));
    EXPECT_TRUE(IsWindow(w.Handle()));  // the close operation decides; the default does nothing

    // The hook answers first.
    w.handleInHook = true;
    w.hookResult = 77;
    EXPECT_EQ(SendMessageW(w.Handle(), WM_USER + 5, 0, 0), 77);
    w.Close();
}

TEST(Window, TimersHaveIdsUserValuesAndStopAtClose)
{
    RecordingWindow w;
    EXPECT_EQ(w.AddTimer(5), 0u);  // no window yet: nothing to do
    ASSERT_TRUE(w.Create(L"Timers", WS_POPUP, 0, nullptr, 0, 0, 0, 100, 80));
    EXPECT_EQ(w.AddTimer(11, 100000), 1u);
    EXPECT_EQ(w.AddTimer(22, 10), 2u);
    EXPECT_TRUE(PumpUntil([&] { return w.Logged("timer 2 22"); }));
    // A WM_TIMER for an id outside the table reaches no operation.
    SendMessageW(w.Handle(), WM_TIMER, 99, 0);
    EXPECT_FALSE(w.Logged("timer 99 0"));
    SendMessageW(w.Handle(), WM_TIMER, 1, 0);
    EXPECT_TRUE(w.Logged("timer 1 11"));
    EXPECT_TRUE(w.RemoveTimer(2));
    EXPECT_EQ(w.AddTimer(), 2u);
    EXPECT_EQ(w.TimerCount(), 2u);
    w.Close();
    EXPECT_EQ(w.TimerCount(), 0u);
}

TEST(Window, MoveKeepsMarkedCoordinate)
{
    RecordingWindow w;
    ASSERT_TRUE(w.Create(L"Move", WS_POPUP, 0, nullptr, 0, 30, 40, 130, 120));
    w.Move(NWindow::kKeep, 90);
    RECT r = w.WindowRect();
    EXPECT_EQ(r.left, 30);
    EXPECT_EQ(r.top, 90);
    EXPECT_EQ(r.right - r.left, 100);
    w.Move(55, NWindow::kKeep);
    r = w.WindowRect();
    EXPECT_EQ(r.left, 55);
    EXPECT_EQ(r.top, 90);
    w.Close();
    w.Move(1, 1);  // without a window: nothing happens
    EXPECT_EQ(w.Handle(), nullptr);
}

TEST(Window, CentresOnDesktopAndCarriesIcons)
{
    RecordingWindow w;
    const HICON icon = LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_WARNING));
    w.SetIcons(icon, icon);  // before the window exists: applied when it is made
    ASSERT_TRUE(w.Create(L"Centre", WS_POPUP, 0, nullptr, 0, 0, 0, 200, 100));
    const HICON classIcon = reinterpret_cast<HICON>(GetClassLongPtrW(w.Handle(), GCLP_HICON));
    EXPECT_NE(classIcon, nullptr);
    EXPECT_NE(classIcon, icon);  // a copy of its own
    w.CentreOnDesktop();
    RECT work = {};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    const RECT r = w.WindowRect();
    EXPECT_NEAR((r.left + r.right) / 2, (work.left + work.right) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, (work.top + work.bottom) / 2, 1);
    w.Close();
}

TEST(Window, WindowDestroyedByItsParentLeavesTheTable)
{
    const size_t before = NWindowTable::Count();
    RecordingWindow parent, child;
    ASSERT_TRUE(parent.Create(L"Parent", WS_POPUP, 0, nullptr, 0, 0, 0, 200, 100));
    ASSERT_TRUE(child.Create(L"Child", WS_CHILD, 0, parent.Handle(), 0, 0, 0, 50, 50));
    const std::wstring childClass = child.ClassName();
    DestroyWindow(parent.Handle());
    EXPECT_EQ(child.Handle(), nullptr);
    EXPECT_EQ(parent.Handle(), nullptr);
    EXPECT_EQ(NWindowTable::Count(), before);
    child.Close();  // still removes the class it registered
    EXPECT_FALSE(ClassExists(childClass));
}

// A dialog template in memory: no controls, no font.
struct DialogTemplate {
    std::vector<WORD> words;
    explicit DialogTemplate(DWORD style)
    {
        words.resize(sizeof(DLGTEMPLATE) / sizeof(WORD));
        auto* t = reinterpret_cast<DLGTEMPLATE*>(words.data());
        t->style = style;
        t->cx = 120;
        t->cy = 60;
        words.push_back(0);  // no menu
        words.push_back(0);  // standard class
        for (const wchar_t* p = L"Dialog"; *p; ++p) words.push_back(*p);
        words.push_back(0);
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words.data()); }
};

class EndingDialog : public RecordingWindow {
public:
    void OnInitialise() override
    {
        RecordingWindow::OnInitialise();
        PostMessageW(Handle(), WM_COMMAND, IDOK, 0);
    }
    void OnOK() override
    {
        RecordingWindow::OnOK();
        EndModal(7);
    }
};

TEST(Dialog, ModalDialogRunsUntilEnded)
{
    const size_t before = NWindowTable::Count();
    DialogTemplate tpl(WS_POPUP | WS_CAPTION);
    EndingDialog dialog;
    EXPECT_EQ(dialog.RunModal(GetModuleHandleW(nullptr), tpl.Get(), nullptr), 7);
    EXPECT_TRUE(dialog.Logged("initialise"));
    EXPECT_TRUE(dialog.Logged("OK"));
    EXPECT_EQ(dialog.Handle(), nullptr);
    EXPECT_EQ(NWindowTable::Count(), before);
    EXPECT_TRUE(dialog.ClassName().empty());
}

class ColouringDialog : public RecordingWindow {
public:
    HBRUSH brush = GetSysColorBrush(COLOR_INFOBK);
    LRESULT MessageHook(HWND window, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override
    {
        if (message == WM_CTLCOLORDLG) {
            handled = true;
            return reinterpret_cast<LRESULT>(brush);
        }
        return RecordingWindow::MessageHook(window, message, wParam, lParam, handled);
    }
};

TEST(Dialog, ModelessDialogStoresResultsAndReturnsBrushesDirectly)
{
    DialogTemplate tpl(WS_POPUP);
    ColouringDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(GetModuleHandleW(nullptr), tpl.Get(), nullptr));
    EXPECT_TRUE(dialog.IsDialog());
    EXPECT_TRUE(dialog.Logged("initialise"));
    dialog.handleInHook = true;
    dialog.hookResult = 1234;
    // Through the dialog manager a stored result is what the sender sees.
    EXPECT_EQ(SendMessageW(dialog.Handle(), WM_USER + 5, 0, 0), 1234);
    EXPECT_EQ(SendMessageW(dialog.Handle(), WM_CTLCOLORDLG, 0, 0), reinterpret_cast<LRESULT>(dialog.brush));
    SendMessageW(dialog.Handle(), WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(dialog.Logged("Cancel"));
    dialog.Close();
    EXPECT_EQ(dialog.Handle(), nullptr);
}

class SwallowX : public NSubClassCtrl {
public:
    int seen = 0;
    LRESULT MessageHook(HWND, UINT message, WPARAM wParam, LPARAM, bool& handled) override
    {
        if (message == WM_CHAR) {
            ++seen;
            handled = wParam == L'x';
        }
        return 0;
    }
};

TEST(SubClass, HookFiltersAndDetachRestores)
{
    HWND edit = CreateWindowExW(0, L"EDIT", L"", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr, nullptr, nullptr);
    ASSERT_NE(edit, nullptr);
    const LONG_PTR original = GetWindowLongPtrW(edit, GWLP_WNDPROC);
    {
        SwallowX hook;
        ASSERT_TRUE(hook.Attach(edit));
        EXPECT_EQ(hook.Handle(), edit);
        ASSERT_TRUE(hook.Attach(edit));  // attaching again detaches first
        for (wchar_t c : std::wstring(L"axb")) SendMessageW(edit, WM_CHAR, c, 1);
        EXPECT_EQ(Text(edit), L"ab");
        EXPECT_EQ(hook.seen, 3);
        hook.Detach();
        EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
        SendMessageW(edit, WM_CHAR, L'x', 1);
        EXPECT_EQ(Text(edit), L"abx");
        EXPECT_EQ(hook.seen, 3);
        ASSERT_TRUE(hook.Attach(edit));
    }  // the destructor detaches
    EXPECT_EQ(GetWindowLongPtrW(edit, GWLP_WNDPROC), original);
    DestroyWindow(edit);
    SwallowX lonely;
    EXPECT_FALSE(lonely.Attach(edit));
}

}  // namespace
