// The value list's row rules, free of the platform so they can be read and
// tested alone: check and radio values, drop-list positions, completion,
// what a press toggles, and keyboard movement between rows.
#pragma once
#include <string>
#include <vector>
#include "NValueRow.h"

// Integer value of a row's text (0 when it is no number).
int NRowNumber(const std::wstring& value);

bool NRowIsCheckable(const NValueRow& row);
// Check row: a non-zero number. Radio row: a negative number.
bool NRowIsChecked(const NValueRow& row);
// The radio group of a radio row (the number without its sign).
int NRadioGroup(const NValueRow& row);

// Sets or clears a check or radio row; setting a radio row unselects the
// other selected rows of its group. Returns false for other kinds or a bad index.
bool NSetRowChecked(std::vector<NValueRow>& rows, int index, bool checked);

// 0-based position of group g's selected row among the group's rows (0 when none).
int NSelectedRadioPosition(const std::vector<NValueRow>& rows, int group);

// Position of the entry equal to the value (exact), 0 when none.
int NDropListIndex(const NValueRow& row);

// What a value cell shows: the first line, followed by "..." when there are more.
std::wstring NValueFirstLine(const std::wstring& value);

// The list-box item text of a row: "name: value", or whichever is not empty.
std::wstring NListItemText(const std::wstring& name, const std::wstring& value);

// First entry whose beginning equals the typed text (A-Z without regard to
// case); -1 when none or when nothing is typed.
int NFindCompletion(const std::vector<std::wstring>& entries, const std::wstring& typed);

// Does a left press at x toggle (check) or set (radio) the row? A row that is
// not selected, or that has a row button, reacts only on its image.
bool NPressToggles(const NValueRow& row, bool isSelectedRow, int x, int imageLeft, int imageWidth);

// Row selected by Up (delta -1) or Down (+1): Up on the first row leaves no
// row selected (-1); Down stops at the last row; Down with none selected picks the first.
int NStepRow(int current, int count, int delta);

// Page Up / Page Down by the rows that fit: Page Up stops at the first row,
// Page Down at the last.
int NPageRow(int current, int count, int rowsPerPage, bool up);
