#include "NValueLayout.h"

#include "NDpiScale.h"

static bool IsCheckable(const NValueRow& row) { return row.kind == nrkCheck || row.kind == nrkRadio; }

static bool ShowsValue(const NValueRow& row)
{
    return row.kind == nrkPlain || row.kind == nrkLink || row.kind == nrkText ||
           row.kind == nrkEditDrop || row.kind == nrkFixedDrop;
}

static int NameLeft(const NValueRow& row, const NListMetrics& m)
{
    const int x = NNameXPosition(row.nameX);
    return x ? x : m.nameColumn;
}

int NRowValueLeft(const NValueRow& row, const NListMetrics& m)
{
    return row.valueX ? row.valueX : m.valueColumn;
}

NRowCells NLayoutRow(const NValueRow& row, const NListMetrics& m, bool isSelectedRow, int labelWidth)
{
    NRowCells c;
    const int valueLeft = NRowValueLeft(row, m);
    c.name.left = NameLeft(row, m);
    if (IsCheckable(row)) {
        c.image.left = row.checkX ? row.checkX : m.nameColumn;
        c.image.right = c.image.left + m.imageWidth;
        c.name.left = c.image.right + m.gap;
    }
    c.name.right = m.width;
    if (!IsCheckable(row) && ShowsValue(row) && !row.value.empty()) c.name.right = valueLeft - m.gap / 2;

    int valueRight = row.valueWidth ? valueLeft + row.valueWidth : m.width;
    if (!row.buttonText.empty() && !isSelectedRow) {
        c.buttonLabel.left = row.valueWidth ? valueLeft + row.valueWidth : m.width - labelWidth - 2;
        c.buttonLabel.right = c.buttonLabel.left + labelWidth;
        valueRight = c.buttonLabel.left - 7;
        if (IsCheckable(row) || !ShowsValue(row))
            if (c.name.right > valueRight) c.name.right = valueRight;
    }
    if (ShowsValue(row)) {
        c.value.left = valueLeft;
        c.value.right = valueRight;
        if (row.icon) {
            c.icon.left = row.iconX ? row.iconX : valueLeft;
            c.icon.right = c.icon.left + m.iconSize;
            if (!row.iconX) c.value.left = c.icon.right + m.gap;
        }
    } else if (row.icon) {
        c.icon.left = row.iconX ? row.iconX : c.name.left;
        c.icon.right = c.icon.left + m.iconSize;
        if (!row.iconX) c.name.left = c.icon.right + m.gap;
    }
    if (c.name.right < c.name.left) c.name.right = c.name.left;
    if (c.value.right < c.value.left) c.value.right = c.value.left;
    return c;
}

NRect NEditorRect(const NValueRow& row, const NListMetrics& m, int rowTop, int buttonWidth)
{
    const int valueLeft = NRowValueLeft(row, m);
    NRect r;
    r.left = valueLeft - 5;
    int width = row.valueWidth ? row.valueWidth : m.width - valueLeft + 4;
    width -= buttonWidth;
    if (width < 0) width = 0;
    r.right = r.left + width;
    const int lines = (row.kind == nrkText && row.lineCount > 1) ? row.lineCount : 1;
    r.top = rowTop + (m.rowHeight - m.editHeight) / 2;
    r.bottom = r.top + m.editHeight * lines;
    if (lines > 1 && r.bottom > m.height) {
        const int shift = r.bottom - m.height;
        r.top -= shift;
        r.bottom -= shift;
        if (r.top < 0) { r.bottom -= r.top; r.top = 0; }
    }
    return r;
}

NRect NRowButtonRect(const NValueRow& row, const NListMetrics& m, int rowTop, int buttonWidth)
{
    NRect r;
    r.right = row.valueWidth ? NRowValueLeft(row, m) + row.valueWidth : m.width;
    r.left = r.right - buttonWidth;
    r.top = rowTop + (m.rowHeight - m.editHeight) / 2;
    r.bottom = r.top + m.editHeight;
    return r;
}

NRect NNameEditorRect(const NValueRow& row, const NListMetrics& m, int rowTop)
{
    NRect r;
    r.left = NameLeft(row, m);
    if (IsCheckable(row)) r.left = (row.checkX ? row.checkX : m.nameColumn) + m.imageWidth + m.gap;
    r.right = m.valueColumn - 3;
    if (r.right < r.left) r.right = r.left;
    r.top = rowTop + (m.rowHeight - m.editHeight) / 2;
    r.bottom = r.top + m.editHeight;
    return r;
}
