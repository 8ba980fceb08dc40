// The value list's platform-free rules and row geometry.
#include <gtest/gtest.h>

#include "NDpiScale.h"
#include "NTimerTable.h"
#include "NValueLayout.h"
#include "NValueRules.h"

namespace {

NValueRow Row(int kind, const std::wstring& value, const std::wstring& name = L"n")
{
    NValueRow row;
    row.kind = kind;
    row.value = value;
    row.name = name;
    return row;
}

TEST(ValueRules, CheckedValues)
{
    struct Case {
        int kind;
        const wchar_t* value;
        bool checked;
    };
    const Case cases[] = {
        {nrkCheck, L"1", true},   {nrkCheck, L"0", false},  {nrkCheck, L"", false},  {nrkCheck, L"7", true},
        {nrkCheck, L"x", false},  {nrkRadio, L"-3", true},  {nrkRadio, L"3", false}, {nrkRadio, L"", false},
        {nrkText, L"1", false},   {nrkPlain, L"-1", false},
    };
    for (const Case& c : cases) EXPECT_EQ(NRowIsChecked(Row(c.kind, c.value)), c.checked) << c.kind << " " << c.value;
}

TEST(ValueRules, RadioGroupSelection)
{
    std::vector<NValueRow> rows = {Row(nrkRadio, L"-3"), Row(nrkRadio, L"3"), Row(nrkRadio, L"2"),
                                   Row(nrkCheck, L"1"), Row(nrkRadio, L"3")};
    EXPECT_TRUE(NSetRowChecked(rows, 4, true));
    EXPECT_EQ(rows[0].value, L"3");
    EXPECT_EQ(rows[1].value, L"3");
    EXPECT_EQ(rows[2].value, L"2");
    EXPECT_EQ(rows[3].value, L"1");
    EXPECT_EQ(rows[4].value, L"-3");
    EXPECT_EQ(NSelectedRadioPosition(rows, 3), 2);
    EXPECT_EQ(NSelectedRadioPosition(rows, 2), 0);
    EXPECT_TRUE(NSetRowChecked(rows, 4, false));
    EXPECT_EQ(rows[4].value, L"3");
    EXPECT_EQ(NSelectedRadioPosition(rows, 3), 0);
    EXPECT_TRUE(NSetRowChecked(rows, 3, false));
    EXPECT_EQ(rows[3].value, L"");
    EXPECT_FALSE(NSetRowChecked(rows, 5, true));
    EXPECT_FALSE(NSetRowChecked(rows, -1, true));
}

TEST(ValueRules, DropListIndexIsExact)
{
    NValueRow row = Row(nrkFixedDrop, L"medium");
    row.entries = {L"Low", L"Medium", L"High"};
    EXPECT_EQ(NDropListIndex(row), 0);
    row.value = L"High";
    EXPECT_EQ(NDropListIndex(row), 2);
    row.entries.clear();
    EXPECT_EQ(NDropListIndex(row), 0);
}

TEST(ValueRules, FirstLineOfValue)
{
    EXPECT_EQ(NValueFirstLine(L"one line"), L"one line");
    EXPECT_EQ(NValueFirstLine(L"first\rsecond"), L"first...");
    EXPECT_EQ(NValueFirstLine(L"first\r\nsecond"), L"first...");
    EXPECT_EQ(NValueFirstLine(L"\rsecond"), L"...");
    EXPECT_EQ(NValueFirstLine(L""), L"");
}

TEST(ValueRules, ListItemText)
{
    EXPECT_EQ(NListItemText(L"Name", L"Value"), L"Name: Value");
    EXPECT_EQ(NListItemText(L"Name", L""), L"Name");
    EXPECT_EQ(NListItemText(L"", L"Value"), L"Value");
}

TEST(ValueRules, Completion)
{
    const std::vector<std::wstring> entries = {L"Ambient", L"Blues", L"Bluegrass", L"\u00c9lectro", L"Rock 'n' Roll"};
    EXPECT_EQ(NFindCompletion(entries, L"b"), 1);
    EXPECT_EQ(NFindCompletion(entries, L"BLUEG"), 2);
    EXPECT_EQ(NFindCompletion(entries, L"rock 'N"), 4);
    EXPECT_EQ(NFindCompletion(entries, L"\u00e9"), -1);  // only A-Z ignore case
    EXPECT_EQ(NFindCompletion(entries, L"\u00c9"), 3);
    EXPECT_EQ(NFindCompletion(entries, L""), -1);
    EXPECT_EQ(NFindCompletion(entries, L"Ambient music"), -1);
}

TEST(ValueRules, PressToggles)
{
    NValueRow check = Row(nrkCheck, L"0");
    EXPECT_TRUE(NPressToggles(check, true, 300, 10, 13));
    EXPECT_FALSE(NPressToggles(check, false, 300, 10, 13));
    EXPECT_TRUE(NPressToggles(check, false, 10, 10, 13));
    EXPECT_TRUE(NPressToggles(check, false, 22, 10, 13));
    EXPECT_FALSE(NPressToggles(check, false, 23, 10, 13));
    check.buttonText = L"More";
    EXPECT_FALSE(NPressToggles(check, true, 300, 10, 13));
    EXPECT_TRUE(NPressToggles(check, true, 12, 10, 13));
    check.disabled = true;
    EXPECT_FALSE(NPressToggles(check, true, 12, 10, 13));
    EXPECT_FALSE(NPressToggles(Row(nrkText, L""), true, 12, 10, 13));
}

TEST(ValueRules, StepAndPage)
{
    EXPECT_EQ(NStepRow(0, 5, -1), -1);
    EXPECT_EQ(NStepRow(-1, 5, -1), -1);
    EXPECT_EQ(NStepRow(-1, 5, 1), 0);
    EXPECT_EQ(NStepRow(4, 5, 1), 4);
    EXPECT_EQ(NStepRow(2, 5, 1), 3);
    EXPECT_EQ(NStepRow(0, 0, 1), -1);
    EXPECT_EQ(NPageRow(3, 40, 10, true), 0);
    EXPECT_EQ(NPageRow(15, 40, 10, true), 5);
    EXPECT_EQ(NPageRow(35, 40, 10, false), 39);
    EXPECT_EQ(NPageRow(-1, 40, 10, false), 10);
    EXPECT_EQ(NPageRow(0, 40, 0, false), 1);
}

TEST(DpiScale, ScalesAndKeepsNameXUpperBits)
{
    EXPECT_EQ(NScaleBy(21, 96), 21);
    EXPECT_EQ(NScaleBy(21, 144), 32);
    EXPECT_EQ(NScaleBy(13, 120), 16);
    EXPECT_EQ(NScaleBy(-10, 144), -15);
    EXPECT_EQ(NScaleNameX((22u << 16) | 4u, 144), (22u << 16) | 6u);
    EXPECT_EQ(NNameXHint((22u << 16) | 4u), 22);
    EXPECT_EQ(NNameXPosition((22u << 16) | 4u), 4);
}

TEST(ValueLayout, CellsOfRows)
{
    NListMetrics m;
    m.width = 400;
    m.height = 300;
    m.rowHeight = 21;
    m.nameColumn = 8;
    m.valueColumn = 150;

    NRowCells plain = NLayoutRow(Row(nrkPlain, L"value"), m, false, 0);
    EXPECT_EQ(plain.name.left, 8);
    EXPECT_EQ(plain.name.right, 148);
    EXPECT_EQ(plain.value.left, 150);
    EXPECT_EQ(plain.value.right, 400);

    NValueRow empty = Row(nrkPlain, L"");
    EXPECT_EQ(NLayoutRow(empty, m, false, 0).name.right, 400);  // the name may use the whole row

    NValueRow check = Row(nrkCheck, L"1");
    check.checkX = 20;
    NRowCells c = NLayoutRow(check, m, false, 0);
    EXPECT_EQ(c.image.left, 20);
    EXPECT_EQ(c.image.right, 33);
    EXPECT_EQ(c.name.left, 37);
    EXPECT_EQ(c.value.Width(), 0);

    NValueRow button = Row(nrkText, L"v");
    button.buttonText = L"Go";
    NRowCells b = NLayoutRow(button, m, false, 40);
    EXPECT_EQ(b.buttonLabel.left, 400 - 40 - 2);
    EXPECT_EQ(b.value.right, b.buttonLabel.left - 7);
    EXPECT_EQ(NLayoutRow(button, m, true, 40).buttonLabel.Width(), 0);  // the selected row shows the real button
    button.valueWidth = 100;
    EXPECT_EQ(NLayoutRow(button, m, false, 40).buttonLabel.left, 250);
}

TEST(ValueLayout, EditorRects)
{
    NListMetrics m;
    m.width = 400;
    m.height = 100;
    m.rowHeight = 21;
    m.nameColumn = 8;
    m.valueColumn = 150;
    NValueRow text = Row(nrkText, L"v");
    NRect e = NEditorRect(text, m, 42, 0);
    EXPECT_EQ(e.left, 145);
    EXPECT_EQ(e.Width(), 400 - 150 + 4);
    EXPECT_EQ(e.top, 42);
    EXPECT_EQ(e.Height(), 21);
    NRect withButton = NEditorRect(text, m, 42, 50);
    EXPECT_EQ(withButton.Width(), 400 - 150 + 4 - 50);
    text.valueWidth = 120;
    EXPECT_EQ(NEditorRect(text, m, 42, 0).Width(), 120);
    EXPECT_EQ(NRowButtonRect(text, m, 42, 50).right, 270);
    text.valueWidth = 0;
    text.lineCount = 3;
    NRect multi = NEditorRect(text, m, 63, 0);
    EXPECT_EQ(multi.Height(), 63);
    EXPECT_EQ(multi.bottom, 100);  // moved up to stay inside the list
    NRect name = NNameEditorRect(text, m, 0);
    EXPECT_EQ(name.left, 8);
    EXPECT_EQ(name.right, 147);
}

TEST(TimerTable, IdsAreOneAboveTheLargest)
{
    NTimerTable timers;
    EXPECT_EQ(timers.Add(0), 1u);
    EXPECT_EQ(timers.Add(5), 2u);
    EXPECT_EQ(timers.Add(6), 3u);
    EXPECT_TRUE(timers.Remove(1));
    EXPECT_EQ(timers.Add(7), 4u);
    EXPECT_TRUE(timers.Remove(4));
    EXPECT_EQ(timers.Add(8), 4u);
    std::intptr_t user = 0;
    EXPECT_TRUE(timers.Find(2, &user));
    EXPECT_EQ(user, 5);
    EXPECT_FALSE(timers.Find(1, &user));
    EXPECT_EQ(timers.TakeAll().size(), 3u);
    EXPECT_EQ(timers.Add(0), 1u);
}

}  // namespace
