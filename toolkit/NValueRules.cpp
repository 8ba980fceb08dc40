#include "NValueRules.h"

#include <cstdlib>
#include <cwchar>

int NRowNumber(const std::wstring& value)
{
    return static_cast<int>(std::wcstol(value.c_str(), nullptr, 10));
}

bool NRowIsCheckable(const NValueRow& row)
{
    return row.kind == nrkCheck || row.kind == nrkRadio;
}

bool NRowIsChecked(const NValueRow& row)
{
    if (row.kind == nrkCheck) return NRowNumber(row.value) != 0;
    if (row.kind == nrkRadio) return NRowNumber(row.value) < 0;
    return false;
}

int NRadioGroup(const NValueRow& row)
{
    const int n = NRowNumber(row.value);
    return n < 0 ? -n : n;
}

bool NSetRowChecked(std::vector<NValueRow>& rows, int index, bool checked)
{
    if (index < 0 || index >= static_cast<int>(rows.size())) return false;
    NValueRow& row = rows[index];
    if (row.kind == nrkCheck) {
        row.value = checked ? L"1" : L"";
        return true;
    }
    if (row.kind != nrkRadio) return false;
    const int group = NRadioGroup(row);
    if (checked) {
        for (NValueRow& other : rows)
            if (other.kind == nrkRadio && NRadioGroup(other) == group && NRowIsChecked(other))
                other.value = std::to_wstring(group);
        row.value = std::to_wstring(-group);
    } else if (NRowIsChecked(row)) {
        row.value = std::to_wstring(group);
    }
    return true;
}

int NSelectedRadioPosition(const std::vector<NValueRow>& rows, int group)
{
    int position = 0;
    for (const NValueRow& row : rows) {
        if (row.kind != nrkRadio || NRadioGroup(row) != group) continue;
        if (NRowIsChecked(row)) return position;
        ++position;
    }
    return 0;
}

int NDropListIndex(const NValueRow& row)
{
    for (size_t i = 0; i < row.entries.size(); ++i)
        if (row.entries[i] == row.value) return static_cast<int>(i);
    return 0;
}

std::wstring NValueFirstLine(const std::wstring& value)
{
    const size_t end = value.find_first_of(L"\r\n");
    if (end == std::wstring::npos) return value;
    return value.substr(0, end) + L"...";
}

std::wstring NListItemText(const std::wstring& name, const std::wstring& value)
{
    if (!name.empty() && !value.empty()) return name + L": " + value;
    return name.empty() ? value : name;
}

static wchar_t LowerAscii(wchar_t c)
{
    return (c >= L'A' && c <= L'Z') ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

int NFindCompletion(const std::vector<std::wstring>& entries, const std::wstring& typed)
{
    if (typed.empty()) return -1;
    for (size_t i = 0; i < entries.size(); ++i) {
        const std::wstring& entry = entries[i];
        if (entry.size() < typed.size()) continue;
        size_t k = 0;
        while (k < typed.size() && LowerAscii(entry[k]) == LowerAscii(typed[k])) ++k;
        if (k == typed.size()) return static_cast<int>(i);
    }
    return -1;
}

bool NPressToggles(const NValueRow& row, bool isSelectedRow, int x, int imageLeft, int imageWidth)
{
    if (!NRowIsCheckable(row) || row.disabled) return false;
    if (isSelectedRow && row.buttonText.empty()) return true;
    return x >= imageLeft && x < imageLeft + imageWidth;
}

int NStepRow(int current, int count, int delta)
{
    if (count <= 0) return -1;
    if (current < 0) return delta > 0 ? 0 : -1;
    const int next = current + delta;
    if (next < 0) return -1;
    return next >= count ? count - 1 : next;
}

int NPageRow(int current, int count, int rowsPerPage, bool up)
{
    if (count <= 0) return -1;
    if (rowsPerPage < 1) rowsPerPage = 1;
    if (current < 0) current = 0;
    int next = up ? current - rowsPerPage : current + rowsPerPage;
    if (next < 0) next = 0;
    if (next >= count) next = count - 1;
    return next;
}
