// The value list driven by real messages in real windows: clicks at row
// coordinates, keys, focus changes, and the rows' values and callbacks.
#include <gtest/gtest.h>

#include "NScreen.h"
#include "NValueRules.h"
#include "TkTestSupport.h"

using namespace tktest;

namespace {

NValueRow MakeRow(int kind, const std::wstring& name, const std::wstring& value)
{
    NValueRow row;
    row.kind = kind;
    row.name = name;
    row.value = value;
    return row;
}

// One owner window serves the whole suite (showing and hiding top-level
// windows is slow without a window manager); each test makes its own list.
class ValueListTest : public ::testing::Test {
protected:
    static OwnerWindow* s_owner;
    OwnerWindow& owner = *s_owner;
    RecordingList list;
    int changes = 0;
    int buttons = 0;

    static void SetUpTestSuite()
    {
        s_owner = new OwnerWindow;
        s_owner->Open();
    }
    static void TearDownTestSuite()
    {
        s_owner->Close();
        delete s_owner;
        s_owner = nullptr;
    }
    void SetUp() override
    {
        ASSERT_NE(owner.Handle(), nullptr);
        owner.tabs = 0;
        owner.list = &list;
        ASSERT_TRUE(list.Create(true, owner.Handle(), 21, 10, 10, 520, 300, 8, 200));
        Pump();
    }
    void TearDown() override
    {
        list.Clear();
        owner.list = nullptr;
        Pump();
    }
    int Add(NValueRow row)
    {
        row.onChange = [this](NValueList&) { ++changes; };
        row.onButton = [this](NValueList&) { ++buttons; };
        return list.AddRow(row, L"Software\\Test\\" + row.name);
    }
    int MidY(int row) const
    {
        const RECT r = list.RowRect(row);
        return (r.top + r.bottom) / 2;
    }
    int ImageX(int row) const { return list.RowCells(row).image.left + 2; }
    int NameX(int row) const { return list.RowCells(row).name.left + 20; }
};

OwnerWindow* ValueListTest::s_owner = nullptr;

TEST_F(ValueListTest, AddRowKeepsRowKeyAndListItemText)
{
    const int row = Add(MakeRow(nrkPlain, L"Bitrate", L"128 kbps"));
    Add(MakeRow(nrkHeading, L"Options", L""));
    EXPECT_EQ(list.RowCount(), 2);
    EXPECT_EQ(list.Key(row), L"Software\\Test\\Bitrate");
    wchar_t text[64] = {};
    SendMessageW(list.Window(), LB_GETTEXT, 0, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Bitrate: 128 kbps");
    SendMessageW(list.Window(), LB_GETTEXT, 1, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, L"Options");
    EXPECT_EQ(list.Row(5), nullptr);
    EXPECT_EQ(list.Key(-1), L"");
}

// A press toggles a check row on its image always; elsewhere in the row only
// when the row is already selected and has no row button.
TEST_F(ValueListTest, CheckRowPressTogglesByPlaceAndSelection)
{
    struct Case {
        bool selectedFirst;
        bool hasButton;
        bool onImage;
        bool toggles;
    };
    const Case cases[] = {
        {false, false, false, false}, {false, false, true, true}, {true, false, false, true},
        {true, false, true, true},    {true, true, false, false}, {true, true, true, true},
    };
    for (const Case& c : cases) {
        list.Clear();
        ASSERT_TRUE(list.Create(true, owner.Handle(), 21, 10, 10, 520, 300, 8, 200));
        changes = 0;
        Add(MakeRow(nrkPlain, L"First", L"x"));
        NValueRow check = MakeRow(nrkCheck, L"Enabled", L"0");
        if (c.hasButton) check.buttonText = L"More";
        const int row = Add(check);
        list.SelectRow(c.selectedFirst ? row : 0);
        Click(list.Window(), c.onImage ? ImageX(row) : NameX(row), MidY(row));
        EXPECT_EQ(list.IsChecked(row), c.toggles) << c.selectedFirst << c.hasButton << c.onImage;
        EXPECT_EQ(changes, c.toggles ? 1 : 0);
        EXPECT_EQ(list.CurrentRow(), row);
        EXPECT_EQ(list.Row(row)->value, c.toggles ? L"1" : L"0");
    }
}

TEST_F(ValueListTest, SelectedCheckRowTogglesBackAndForthAnywhere)
{
    const int row = Add(MakeRow(nrkCheck, L"Enabled", L""));
    list.SelectRow(row);
    Click(list.Window(), 400, MidY(row));
    EXPECT_TRUE(list.IsChecked(row));
    Click(list.Window(), 400, MidY(row));
    EXPECT_FALSE(list.IsChecked(row));
    EXPECT_EQ(list.Row(row)->value, L"");
    EXPECT_EQ(changes, 2);
}

TEST_F(ValueListTest, DisabledCheckRowIgnoresSpaceAndClicks)
{
    NValueRow check = MakeRow(nrkCheck, L"Locked", L"1");
    check.disabled = true;
    const int row = Add(check);
    list.SelectRow(row);
    SetFocus(list.Window());
    Key(list.Window(), VK_SPACE);
    Click(list.Window(), ImageX(row), MidY(row));
    Click(list.Window(), NameX(row), MidY(row));
    EXPECT_TRUE(list.IsChecked(row));
    EXPECT_EQ(list.Row(row)->value, L"1");
    EXPECT_EQ(changes, 0);
}

TEST_F(ValueListTest, SpaceTogglesEnabledCheckRow)
{
    const int row = Add(MakeRow(nrkCheck, L"Enabled", L"0"));
    list.SelectRow(row);
    SetFocus(list.Window());
    Key(list.Window(), VK_SPACE);
    EXPECT_TRUE(list.IsChecked(row));
    EXPECT_EQ(changes, 1);
}

TEST_F(ValueListTest, RadioGroupSelectionByClickAndSpace)
{
    const int a = Add(MakeRow(nrkRadio, L"Low", L"-3"));
    const int other = Add(MakeRow(nrkRadio, L"Other group", L"-2"));
    const int b = Add(MakeRow(nrkRadio, L"Medium", L"3"));
    const int c = Add(MakeRow(nrkRadio, L"High", L"3"));
    EXPECT_EQ(list.SelectedRadioPosition(3), 0);

    Click(list.Window(), ImageX(c), MidY(c));
    EXPECT_EQ(list.Row(a)->value, L"3");
    EXPECT_EQ(list.Row(b)->value, L"3");
    EXPECT_EQ(list.Row(c)->value, L"-3");
    EXPECT_EQ(list.Row(other)->value, L"-2");
    EXPECT_EQ(list.SelectedRadioPosition(3), 2);
    EXPECT_EQ(list.SelectedRadioPosition(2), 0);
    EXPECT_EQ(changes, 1);

    // A press on a selected radio row keeps it selected.
    Click(list.Window(), NameX(c), MidY(c));
    EXPECT_EQ(list.Row(c)->value, L"-3");

    list.SelectRow(b);
    SetFocus(list.Window());
    Key(list.Window(), VK_SPACE);
    EXPECT_EQ(list.Row(b)->value, L"-3");
    EXPECT_EQ(list.Row(c)->value, L"3");
    EXPECT_EQ(list.SelectedRadioPosition(3), 1);
    EXPECT_TRUE(list.IsChecked(b));
    EXPECT_FALSE(list.IsChecked(c));

    list.SetChecked(false, b);
    EXPECT_EQ(list.Row(b)->value, L"3");
    EXPECT_EQ(list.SelectedRadioPosition(3), 0);
}

TEST_F(ValueListTest, DropListIndexAndSetIndex)
{
    NValueRow drop = MakeRow(nrkFixedDrop, L"Quality", L"Unknown");
    drop.entries = {L"Low", L"Medium", L"High"};
    const int row = Add(drop);
    EXPECT_EQ(list.DropListIndex(row), 0);
    list.SetDropListIndex(2, row);
    EXPECT_EQ(list.Row(row)->value, L"High");
    EXPECT_EQ(list.DropListIndex(row), 2);
    list.SetDropListIndex(7, row);  // outside the entries: ignored
    EXPECT_EQ(list.Row(row)->value, L"High");
    EXPECT_EQ(list.DropListIndex(99), 0);
}

TEST_F(ValueListTest, FixedDropListEditorSelectsValueAndReportsChanges)
{
    NValueRow drop = MakeRow(nrkFixedDrop, L"Quality", L"Medium");
    drop.entries = {L"Low", L"Medium", L"High"};
    const int row = Add(drop);
    list.SelectRow(row);
    const HWND combo = list.EditorWindow();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(GetFocus(), combo);
    // The user picks "High": the combo box tells its parent.
    SendMessageW(combo, CB_SETCURSEL, 2, 0);
    SendMessageW(GetParent(combo), WM_COMMAND, MAKEWPARAM(0, CBN_SELCHANGE), reinterpret_cast<LPARAM>(combo));
    EXPECT_EQ(list.Row(row)->value, L"High");
    EXPECT_EQ(changes, 1);
    list.CommitEdit();
    EXPECT_EQ(list.EditorWindow(), nullptr);
    EXPECT_EQ(list.DropListIndex(row), 2);
}

TEST_F(ValueListTest, UpOnFirstRowLeavesNothingSelected)
{
    const int row = Add(MakeRow(nrkText, L"Artist", L"Someone"));
    Add(MakeRow(nrkText, L"Title", L"Something"));
    list.SelectRow(row);
    ASSERT_NE(list.EditorWindow(), nullptr);
    const int before = list.selectionChanges;
    Key(list.EditorKeyWindow(), VK_UP);
    EXPECT_EQ(list.CurrentRow(), -1);
    EXPECT_EQ(list.EditorWindow(), nullptr);
    EXPECT_EQ(SendMessageW(list.Window(), LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_EQ(list.selectionChanges, before + 1);
    EXPECT_EQ(list.Row(row)->value, L"Someone");
}

TEST_F(ValueListTest, ListKeysMoveBetweenRows)
{
    for (int i = 0; i < 40; ++i) Add(MakeRow(nrkPlain, L"Row " + std::to_wstring(i), L"v"));
    SetFocus(list.Window());
    Key(list.Window(), VK_DOWN);
    EXPECT_EQ(list.CurrentRow(), 0);
    Key(list.Window(), VK_DOWN);
    EXPECT_EQ(list.CurrentRow(), 1);
    Key(list.Window(), VK_END);
    EXPECT_EQ(list.CurrentRow(), 39);
    Key(list.Window(), VK_DOWN);
    EXPECT_EQ(list.CurrentRow(), 39);
    Key(list.Window(), VK_HOME);
    EXPECT_EQ(list.CurrentRow(), 0);
    RECT client = {};
    GetClientRect(list.Window(), &client);
    const int page = client.bottom / list.RowHeight();
    Key(list.Window(), VK_NEXT);
    EXPECT_EQ(list.CurrentRow(), page);
    Key(list.Window(), VK_PRIOR);
    EXPECT_EQ(list.CurrentRow(), 0);
    Key(list.Window(), VK_PRIOR);
    EXPECT_EQ(list.CurrentRow(), 0);
    for (int i = 0; i < 5; ++i) Key(list.Window(), VK_NEXT);
    EXPECT_EQ(list.CurrentRow(), 39);
    Key(list.Window(), VK_LEFT);
    Key(list.Window(), VK_RIGHT);
    EXPECT_EQ(list.CurrentRow(), 39);
}

TEST_F(ValueListTest, TabGoesToTheOwner)
{
    Add(MakeRow(nrkPlain, L"Row", L"v"));
    const int textRow = Add(MakeRow(nrkText, L"Text", L"v"));
    SetFocus(list.Window());
    Key(list.Window(), VK_TAB);
    EXPECT_EQ(owner.tabs, 1);
    list.SelectRow(textRow);
    Key(list.EditorKeyWindow(), VK_TAB);
    EXPECT_EQ(owner.tabs, 2);
}

TEST_F(ValueListTest, EnterStoresTextAndReturnsFocusToList)
{
    const int row = Add(MakeRow(nrkText, L"Artist", L"Old"));
    Add(MakeRow(nrkText, L"Title", L"T"));
    list.SelectRow(row);
    const HWND edit = list.EditorWindow();
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(GetFocus(), edit);
    DWORD start = 1, end = 0;
    SendMessageW(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 3u);  // the whole value selected
    Type(edit, L"New");
    EXPECT_EQ(list.Row(row)->value, L"New");  // changes reach the row while editing
    EXPECT_GE(changes, 1);
    Key(edit, VK_RETURN);
    EXPECT_EQ(list.Row(row)->value, L"New");
    EXPECT_EQ(list.EditorWindow(), nullptr);
    EXPECT_FALSE(IsWindow(edit));
    EXPECT_EQ(GetFocus(), list.Window());
    EXPECT_EQ(list.CurrentRow(), row);
}

TEST_F(ValueListTest, DownStoresTextAndMovesToNextRow)
{
    const int row = Add(MakeRow(nrkText, L"Artist", L"Old"));
    const int next = Add(MakeRow(nrkText, L"Title", L"T"));
    list.SelectRow(row);
    Type(list.EditorKeyWindow(), L"Band");
    Key(list.EditorKeyWindow(), VK_DOWN);
    EXPECT_EQ(list.Row(row)->value, L"Band");
    EXPECT_EQ(list.CurrentRow(), next);
    EXPECT_EQ(list.EditedRow(), next);
    EXPECT_EQ(Text(list.EditorWindow()), L"T");
    EXPECT_EQ(GetFocus(), list.EditorKeyWindow());
}

TEST_F(ValueListTest, FocusLeavingTheListCommits)
{
    const int row = Add(MakeRow(nrkText, L"Artist", L"Old"));
    list.SelectRow(row);
    const HWND edit = list.EditorWindow();
    SetWindowTextW(edit, L"Typed");
    SetFocus(owner.other);
    Pump();
    EXPECT_EQ(list.Row(row)->value, L"Typed");
    EXPECT_EQ(list.EditorWindow(), nullptr);
}

TEST_F(ValueListTest, ClickOnAnotherRowCommitsAndEditsIt)
{
    const int row = Add(MakeRow(nrkText, L"Artist", L"Old"));
    const int next = Add(MakeRow(nrkText, L"Title", L"T"));
    list.SelectRow(row);
    SetWindowTextW(list.EditorWindow(), L"Clicked away");
    Click(list.Window(), 30, MidY(next));
    EXPECT_EQ(list.Row(row)->value, L"Clicked away");
    EXPECT_EQ(list.CurrentRow(), next);
    EXPECT_EQ(list.EditedRow(), next);
}

TEST_F(ValueListTest, EditorGeometryFollowsValueColumnAndRowButton)
{
    NValueRow text = MakeRow(nrkText, L"Folder", L"C:\\Music");
    text.buttonText = L"Browse";
    const int row = Add(text);
    list.SelectRow(row);
    ASSERT_NE(list.EditorWindow(), nullptr);
    ASSERT_NE(list.RowButtonWindow(), nullptr);
    RECT editor = {}, button = {}, client = {};
    GetWindowRect(list.EditorWindow(), &editor);
    GetWindowRect(list.RowButtonWindow(), &button);
    MapWindowPoints(nullptr, list.Window(), reinterpret_cast<POINT*>(&editor), 2);
    MapWindowPoints(nullptr, list.Window(), reinterpret_cast<POINT*>(&button), 2);
    GetClientRect(list.Window(), &client);
    EXPECT_EQ(editor.left, 200 - 5);
    EXPECT_EQ(button.right, client.right);
    EXPECT_EQ(editor.right, button.left - 1);  // width - value x + 4 from value x - 5, less the button
    const RECT r = list.RowRect(row);
    EXPECT_EQ((editor.top + editor.bottom) / 2, (r.top + r.bottom) / 2);
}

TEST_F(ValueListTest, RowButtonCopiesValueAndCallsBack)
{
    NValueRow text = MakeRow(nrkText, L"Folder", L"C:\\Music");
    text.buttonText = L"Browse";
    const int row = Add(text);
    list.SelectRow(row);
    SetWindowTextW(list.EditorWindow(), L"D:\\Audio");
    changes = 0;
    SendMessageW(list.RowButtonWindow(), BM_CLICK, 0, 0);
    Pump();
    EXPECT_EQ(buttons, 1);
    EXPECT_EQ(list.Row(row)->value, L"D:\\Audio");
}

TEST_F(ValueListTest, DisabledRowOpensNoEditor)
{
    NValueRow text = MakeRow(nrkText, L"Fixed", L"v");
    text.disabled = true;
    text.buttonText = L"Go";
    const int row = Add(text);
    list.SelectRow(row);
    EXPECT_EQ(list.CurrentRow(), row);
    EXPECT_EQ(list.EditorWindow(), nullptr);
    EXPECT_EQ(list.RowButtonWindow(), nullptr);
}

TEST_F(ValueListTest, EditableDropListCompletesAndDropsCompletionOnLeaving)
{
    NValueRow drop = MakeRow(nrkEditDrop, L"Genre", L"");
    drop.entries = {L"Ambient", L"Blues", L"Bluegrass", L"Rock"};
    const int row = Add(drop);
    list.SelectRow(row);
    const HWND field = list.EditorKeyWindow();
    ASSERT_NE(field, nullptr);
    ASSERT_NE(field, list.EditorWindow());  // the combo box's edit field
    EXPECT_EQ(GetFocus(), field);

    Type(field, L"b");
    EXPECT_EQ(Text(field), L"Blues");
    DWORD start = 0, end = 0;
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 1u);
    EXPECT_EQ(end, 5u);

    Type(field, L"luEG");
    EXPECT_EQ(Text(field), L"Bluegrass");
    SendMessageW(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 5u);
    EXPECT_EQ(end, 9u);

    SetFocus(owner.other);
    Pump();
    // Each completion puts the entry itself into the field, so the typed part takes the entry's case.
    EXPECT_EQ(list.Row(row)->value, L"Blueg");
    EXPECT_EQ(list.EditorWindow(), nullptr);
}

TEST_F(ValueListTest, EditableDropListCompletionAcceptedByEnter)
{
    NValueRow drop = MakeRow(nrkEditDrop, L"Genre", L"");
    drop.entries = {L"Ambient", L"Rock"};
    const int row = Add(drop);
    list.SelectRow(row);
    Type(list.EditorKeyWindow(), L"r");
    Key(list.EditorKeyWindow(), VK_RETURN);
    EXPECT_EQ(list.Row(row)->value, L"Rock");
    EXPECT_EQ(GetFocus(), list.Window());
}

TEST_F(ValueListTest, TypingWithoutMatchLeavesText)
{
    NValueRow drop = MakeRow(nrkEditDrop, L"Genre", L"");
    drop.entries = {L"Ambient", L"Rock"};
    const int row = Add(drop);
    list.SelectRow(row);
    Type(list.EditorKeyWindow(), L"zz");
    EXPECT_EQ(Text(list.EditorKeyWindow()), L"zz");
    EXPECT_EQ(list.Row(row)->value, L"zz");
}

TEST_F(ValueListTest, MultiLineRowKeepsEnterAndMovesOnlyFromEdgeLines)
{
    Add(MakeRow(nrkText, L"Before", L"b"));
    NValueRow notes = MakeRow(nrkText, L"Comment", L"one\rtwo");
    notes.lineCount = 3;
    const int row = Add(notes);
    Add(MakeRow(nrkText, L"After", L"a"));
    list.SelectRow(row);
    const HWND edit = list.EditorWindow();
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(GetWindowLongPtrW(edit, GWL_STYLE) & ES_MULTILINE);
    RECT r = {};
    GetWindowRect(edit, &r);
    EXPECT_GE(r.bottom - r.top, 3 * 21 - 1);
    EXPECT_EQ(Text(edit), L"one\r\ntwo");

    // Caret at the end (last line): Enter inserts a line break and the editor stays.
    SendMessageW(edit, EM_SETSEL, 8, 8);
    SendMessageW(edit, WM_KEYDOWN, VK_RETURN, 1);
    SendMessageW(edit, WM_CHAR, L'\r', 1);
    SendMessageW(edit, WM_KEYUP, VK_RETURN, static_cast<LPARAM>(0xC0000001u));
    Pump();
    EXPECT_EQ(list.EditorWindow(), edit);
    EXPECT_EQ(Text(edit), L"one\r\ntwo\r\n");

    // Up from a line that is not the first stays in the editor.
    SendMessageW(edit, EM_SETSEL, 6, 6);
    Key(edit, VK_UP);
    EXPECT_EQ(list.CurrentRow(), row);
    // With text selected, even the first line keeps Up.
    SendMessageW(edit, EM_SETSEL, 0, 2);
    Key(edit, VK_UP);
    EXPECT_EQ(list.CurrentRow(), row);
    // From the first line with nothing selected, Up moves to the row above.
    SendMessageW(edit, EM_SETSEL, 1, 1);
    Key(edit, VK_UP);
    EXPECT_EQ(list.CurrentRow(), row - 1);
    EXPECT_EQ(list.Row(row)->value, L"one\r\ntwo\r\n");
}

TEST_F(ValueListTest, MultiLineEditorIsMovedUpAtTheBottom)
{
    for (int i = 0; i < 13; ++i) Add(MakeRow(nrkPlain, L"Row", L"v"));
    NValueRow notes = MakeRow(nrkText, L"Comment", L"x");
    notes.lineCount = 4;
    const int row = Add(notes);
    list.SelectRow(row);
    RECT editor = {}, client = {};
    GetWindowRect(list.EditorWindow(), &editor);
    MapWindowPoints(nullptr, list.Window(), reinterpret_cast<POINT*>(&editor), 2);
    GetClientRect(list.Window(), &client);
    EXPECT_LE(editor.bottom, client.bottom);
    EXPECT_EQ(editor.bottom - editor.top, 4 * 21);
}

TEST_F(ValueListTest, NameEditingRenamesAndReopensValueEditor)
{
    const int row = Add(MakeRow(nrkText, L"Artist", L"Someone"));
    list.SelectRow(row);
    list.EditName(nullptr, true);
    const HWND nameEdit = list.EditorWindow();
    ASSERT_NE(nameEdit, nullptr);
    EXPECT_EQ(Text(nameEdit), L"Artist");
    RECT r = {};
    GetWindowRect(nameEdit, &r);
    MapWindowPoints(nullptr, list.Window(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 8);
    EXPECT_EQ(r.right, 200 - 3);
    Type(nameEdit, L"Performer");
    EXPECT_EQ(list.Row(row)->name, L"Artist");  // names change on commit only
    Key(nameEdit, VK_RETURN);
    EXPECT_EQ(list.Row(row)->name, L"Performer");
    ASSERT_EQ(list.namesEdited.size(), 1u);
    EXPECT_EQ(list.namesEdited[0], row);
    EXPECT_EQ(list.EditedRow(), row);  // the value editor is open again
    EXPECT_EQ(Text(list.EditorWindow()), L"Someone");
    EXPECT_EQ(GetFocus(), list.EditorKeyWindow());
}

TEST_F(ValueListTest, NameEditingFromFixedSuggestions)
{
    const int row = Add(MakeRow(nrkText, L"Album", L"A"));
    list.SelectRow(row);
    const std::vector<std::wstring> names = {L"Artist", L"Album", L"Composer"};
    list.EditName(&names, false);
    const HWND combo = list.EditorWindow();
    ASSERT_NE(combo, nullptr);
    EXPECT_EQ(SendMessageW(combo, CB_GETCURSEL, 0, 0), 1);
    SendMessageW(combo, CB_SETCURSEL, 2, 0);
    list.CommitEdit();
    EXPECT_EQ(list.Row(row)->name, L"Composer");
    ASSERT_EQ(list.namesEdited.size(), 1u);
}

TEST_F(ValueListTest, RightClickSelectsAndAsksForContextMenu)
{
    Add(MakeRow(nrkPlain, L"One", L"1"));
    const int row = Add(MakeRow(nrkPlain, L"Two", L"2"));
    RightClick(list.Window(), 50, MidY(row));
    EXPECT_EQ(list.CurrentRow(), row);
    ASSERT_EQ(list.contextMenus.size(), 1u);
    POINT expected = {50, MidY(row)};
    ClientToScreen(list.Window(), &expected);
    EXPECT_EQ(list.contextMenus[0].x, expected.x);
    EXPECT_EQ(list.contextMenus[0].y, expected.y);
}

TEST_F(ValueListTest, ScrollingCarriesTheEditorWithItsRow)
{
    for (int i = 0; i < 40; ++i) Add(MakeRow(nrkText, L"Row " + std::to_wstring(i), L"v"));
    list.SelectRow(3);
    RECT before = {}, after = {};
    GetWindowRect(list.EditorWindow(), &before);
    SendMessageW(list.Window(), WM_VSCROLL, SB_LINEDOWN, 0);
    SendMessageW(list.Window(), WM_VSCROLL, SB_ENDSCROLL, 0);
    Pump();
    GetWindowRect(list.EditorWindow(), &after);
    EXPECT_EQ(before.top - after.top, list.RowHeight());
    EXPECT_EQ(list.EditedRow(), 3);
    // The wheel over the editor scrolls the list.
    const int top = static_cast<int>(SendMessageW(list.Window(), LB_GETTOPINDEX, 0, 0));
    SendMessageW(list.EditorKeyWindow(), WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
    Pump();
    EXPECT_GT(SendMessageW(list.Window(), LB_GETTOPINDEX, 0, 0), top);
}

TEST_F(ValueListTest, FocusFromOutsideStartsEditing)
{
    Add(MakeRow(nrkPlain, L"Plain", L"p"));
    const int row = Add(MakeRow(nrkText, L"Text", L"t"));
    list.SelectRow(row);
    SetFocus(owner.other);
    Pump();
    EXPECT_EQ(list.EditorWindow(), nullptr);
    SetFocus(list.Window());
    Pump();
    EXPECT_EQ(list.EditedRow(), row);
    EXPECT_EQ(GetFocus(), list.EditorKeyWindow());
}

// A change callback that moves on (here: to the next row) closes the editor
// while the edit box is still reporting the typed character.
TEST_F(ValueListTest, CallbackThatCommitsWhileTypingIsSafe)
{
    NValueRow text = MakeRow(nrkText, L"Code", L"");
    text.onChange = [](NValueList& l) {
        if (l.Row(0)->value.size() >= 2) l.SelectRow(1);
    };
    list.AddRow(text);
    Add(MakeRow(nrkText, L"Next", L"n"));
    list.SelectRow(0);
    const HWND first = list.EditorWindow();
    Type(first, L"ab");
    EXPECT_EQ(list.Row(0)->value, L"ab");
    EXPECT_EQ(list.CurrentRow(), 1);
    EXPECT_FALSE(IsWindow(first));
    Type(list.EditorKeyWindow(), L"c");
    EXPECT_EQ(list.Row(1)->value, L"c");
}

// The pixels of a row as the list shows it on the screen.
std::vector<DWORD> RowPixels(HWND list, const RECT& row)
{
    const int width = row.right - row.left, height = row.bottom - row.top;
    NWindowDC screen(list);
    NMemoryDC memory(screen.Get());
    NBitmap copy(CreateCompatibleBitmap(screen.Get(), width, height));
    {
        NSelect select(memory.Get(), copy.Get());
        BitBlt(memory.Get(), 0, 0, width, height, screen.Get(), row.left, row.top, SRCCOPY);
    }
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    std::vector<DWORD> pixels(static_cast<size_t>(width) * height);
    GetDIBits(memory.Get(), copy.Get(), 0, height, pixels.data(), &info, DIB_RGB_COLORS);
    return pixels;
}

TEST_F(ValueListTest, TwoLineValueShowsFirstLineAndEllipsis)
{
    const int twoLines = Add(MakeRow(nrkPlain, L"Comment", L"First line\rSecond line"));
    const int shown = Add(MakeRow(nrkPlain, L"Comment", L"First line..."));
    const int other = Add(MakeRow(nrkPlain, L"Comment", L"First line"));
    RedrawWindow(list.Window(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const std::vector<DWORD> a = RowPixels(list.Window(), list.RowRect(twoLines));
    EXPECT_EQ(a, RowPixels(list.Window(), list.RowRect(shown)));
    EXPECT_NE(a, RowPixels(list.Window(), list.RowRect(other)));
}

TEST_F(ValueListTest, IndexesOutsideRowsAreIgnored)
{
    Add(MakeRow(nrkCheck, L"One", L"1"));
    list.SetChecked(false, 3);
    list.SetChecked(false, -2);
    list.SelectRow(5);
    EXPECT_EQ(list.CurrentRow(), -1);
    EXPECT_FALSE(list.IsChecked(9));
    EXPECT_TRUE(list.IsChecked(0));
}

TEST(ValueListScaling, DialogUnitsAndRowPositionsScaleWithScreenDpi)
{
    NSetScreenDpi(144);
    OwnerWindow owner;
    ASSERT_TRUE(owner.Open());
    RecordingList list;
    owner.list = &list;
    ASSERT_TRUE(list.Create(false, owner.Handle(), 21, 5, 5, 200, 120, 6, 100));
    EXPECT_EQ(list.RowHeight(), 32);
    NValueRow row;
    row.kind = nrkCheck;
    row.name = L"Scaled";
    row.checkX = 20;
    row.nameX = (22u << 16) | 4u;
    list.AddRow(row);
    EXPECT_EQ(list.Row(0)->checkX, 30);
    EXPECT_EQ(list.Row(0)->nameX, (22u << 16) | 6u);  // only the lower 16 bits scale
    EXPECT_EQ(SendMessageW(list.Window(), LB_GETITEMHEIGHT, 0, 0), 32);
    list.Clear();
    owner.list = nullptr;
    owner.Close();
    NSetScreenDpi(0);
}

}  // namespace

namespace {

// A value list on a dialog: dialog units come from the dialog, and Tab, passed
// on to the owner, lets the dialog manager move the focus on.
class ListDialog : public NWindow {
public:
    NValueList list;
    HWND button = nullptr;
    void OnInitialise() override
    {
        list.Create(false, Handle(), 21, 7, 7, 150, 80, 4, 60);
        NValueRow row;
        row.kind = nrkCheck;
        row.name = L"Check";
        list.AddRow(row);
        button = CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 10, 200, 60,
                                 22, Handle(), reinterpret_cast<HMENU>(IDOK), nullptr, nullptr);
    }
    void OnDestroy() override { list.Clear(); }
    LRESULT MessageHook(HWND, UINT message, WPARAM wParam, LPARAM lParam, bool& handled) override
    {
        return list.MessageFilter(message, wParam, lParam, handled);
    }
};

TEST(ValueListOnDialog, DialogUnitsAndTabThroughTheDialogManager)
{
    std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD));
    auto* t = reinterpret_cast<DLGTEMPLATE*>(words.data());
    t->style = WS_POPUP | WS_VISIBLE;
    t->cx = 200;
    t->cy = 160;
    words.insert(words.end(), {0, 0, 0});
    ListDialog dialog;
    ASSERT_TRUE(dialog.CreateModeless(GetModuleHandleW(nullptr), reinterpret_cast<DLGTEMPLATE*>(words.data()), nullptr));
    RECT expected = {7, 7, 157, 87};
    MapDialogRect(dialog.Handle(), &expected);
    RECT actual = {};
    GetWindowRect(dialog.list.Window(), &actual);
    MapWindowPoints(nullptr, dialog.Handle(), reinterpret_cast<POINT*>(&actual), 2);
    EXPECT_EQ(actual.left, expected.left);
    EXPECT_EQ(actual.top, expected.top);
    EXPECT_EQ(actual.right, expected.right);
    EXPECT_EQ(actual.bottom, expected.bottom);

    SetForegroundWindow(dialog.Handle());
    SetFocus(dialog.list.Window());
    SendMessageW(dialog.list.Window(), WM_KEYDOWN, VK_TAB, 1);
    MSG msg;
    for (int i = 0; i < 5; ++i)
        while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            if (!IsDialogMessageW(dialog.Handle(), &msg)) {
                TranslateMessage(&msg);
                DispatchMessageW(&msg);
            }
    EXPECT_EQ(GetFocus(), dialog.button);
    dialog.Close();
}

}  // namespace
