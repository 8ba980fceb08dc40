// Pixel geometry of a value list row and of its in-place editor (no platform
// headers). All inputs are pixels already scaled for the screen.
#pragma once
#include "NValueRow.h"

struct NListMetrics {
    int width = 0;          // row width (the list's client width)
    int height = 0;         // the list's client height
    int rowHeight = 0;
    int nameColumn = 0;
    int valueColumn = 0;
    int imageWidth = 13;    // check / radio image
    int iconSize = 16;
    int editHeight = 21;    // one-line editor height
    int gap = 4;            // between image or icon and text
};

struct NSpan {
    int left = 0;
    int right = 0;
    int Width() const { return right - left; }
};

struct NRowCells {
    NSpan image;            // check or radio image (empty for other rows)
    NSpan icon;             // empty when the row has no icon
    NSpan name;
    NSpan value;            // empty for check, radio, heading and title rows
    NSpan buttonLabel;      // "[ text ]" of an unselected row with a button, else empty
};

struct NRect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
};

int NRowValueLeft(const NValueRow& row, const NListMetrics& m);

// Cells of a row; labelWidth is the measured width of the "[ text ]" label,
// which is shown only when the row is not the selected one.
NRowCells NLayoutRow(const NValueRow& row, const NListMetrics& m, bool isSelectedRow, int labelWidth);

// The value editor over a row whose top is rowTop; buttonWidth is the row
// button's width (0 without one). Several-line text rows grow and are moved
// up when they would pass the list's bottom.
NRect NEditorRect(const NValueRow& row, const NListMetrics& m, int rowTop, int buttonWidth);
NRect NRowButtonRect(const NValueRow& row, const NListMetrics& m, int rowTop, int buttonWidth);
// The name editor: from the name's x to 3 pixels before the value column.
NRect NNameEditorRect(const NValueRow& row, const NListMetrics& m, int rowTop);
