// Drawing of the value list's rows: each row is composed in a row-sized
// memory bitmap and copied to the screen in one step, so rows never flicker.
#include "NValueList.h"

#include "NDpiScale.h"
#include "NFonts.h"
#include "NMsImgDLL.h"
#include "NScreen.h"
#include "NValueRules.h"

namespace {

const COLORREF kDisabledText = RGB(192, 192, 192);
const COLORREF kLinkText = RGB(0, 0, 255);
const COLORREF kSelectedBack = RGB(204, 228, 247);
const COLORREF kHeadingBack = RGB(234, 238, 244);
const COLORREF kHeadingRule = RGB(170, 184, 204);
const COLORREF kTitleLeft = RGB(176, 200, 232);
const COLORREF kTitleRule = RGB(96, 128, 176);
const COLORREF kLabelText = RGB(48, 48, 96);

void FillColour(HDC dc, const RECT& rect, COLORREF colour)
{
    SetBkColor(dc, colour);
    ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
}

void HorizontalRule(HDC dc, int left, int right, int y, COLORREF colour)
{
    const RECT r = {left, y, right, y + 1};
    FillColour(dc, r, colour);
}

void DrawTextIn(HDC dc, const std::wstring& text, int left, int right, int height, COLORREF colour)
{
    if (text.empty() || right <= left) return;
    RECT r = {left, 0, right, height};
    SetTextColor(dc, colour);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r,
              DT_LEFT | DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
}

}  // namespace

HDC NValueList::RowBuffer::Prepare(HDC compatible, int width, int height)
{
    if (m_dc && width <= m_width && height <= m_height) return m_dc;
    Reset();
    m_dc = CreateCompatibleDC(compatible);
    if (!m_dc) return nullptr;
    m_bitmap.Reset(CreateCompatibleBitmap(compatible, width, height));
    if (!m_bitmap) {
        Reset();
        return nullptr;
    }
    m_oldBitmap = SelectObject(m_dc, m_bitmap.Get());
    m_width = width;
    m_height = height;
    return m_dc;
}

void NValueList::RowBuffer::Reset()
{
    if (m_dc) {
        if (m_oldBitmap) SelectObject(m_dc, m_oldBitmap);
        DeleteDC(m_dc);
    }
    m_dc = nullptr;
    m_oldBitmap = nullptr;
    m_bitmap.Reset();
    m_width = m_height = 0;
}

int NValueList::ImageWidth(int kind) const
{
    const NBitmap& image = m_images[kind == nrkRadio ? 1 : 0][kImageUnchecked];
    BITMAP info = {};
    if (image && GetObjectW(image.Get(), sizeof info, &info)) return info.bmWidth;
    return NScale(13);
}

NListMetrics NValueList::Metrics() const
{
    NListMetrics m;
    RECT client = {};
    if (Handle()) GetClientRect(Handle(), &client);
    m.width = client.right;
    m.height = client.bottom;
    m.rowHeight = m_rowHeight;
    m.nameColumn = m_nameColumn;
    m.valueColumn = m_valueColumn;
    m.imageWidth = ImageWidth(nrkCheck);
    m.iconSize = NScale(16);
    m.editHeight = NScale(21);
    if (m.editHeight > m_rowHeight + NScale(4)) m.editHeight = m_rowHeight + NScale(4);
    m.gap = NScale(4);
    return m;
}

HFONT NValueList::Font(int height, bool bold, bool underline)
{
    const long long key = (static_cast<long long>(height) << 2) | (bold ? 2 : 0) | (underline ? 1 : 0);
    auto found = m_fonts.find(key);
    if (found != m_fonts.end()) return found->second.Get();
    NFont font(NCreateTextFont(m_face, height, bold, false, underline));
    const HFONT handle = font.Get();
    m_fonts.emplace(key, std::move(font));
    return handle;
}

HFONT NValueList::ButtonFont()
{
    if (!m_buttonFont) m_buttonFont.Reset(NCreateTextFont(std::wstring(), NScale(12), false));
    return m_buttonFont.Get();
}

int NValueList::ButtonLabelWidth(HDC dc, const NValueRow& row)
{
    if (row.buttonText.empty()) return 0;
    const std::wstring label = L"[ " + row.buttonText + L" ]";
    NSelect select(dc, ValueFont());
    SIZE size = {};
    GetTextExtentPoint32W(dc, label.c_str(), static_cast<int>(label.size()), &size);
    return size.cx;
}

NRowCells NValueList::RowCells(int row) const
{
    if (!Row(row)) return NRowCells();
    int labelWidth = 0;
    if (!m_rows[row].buttonText.empty() && row != m_current) {
        NWindowDC screen(Handle());
        labelWidth = const_cast<NValueList*>(this)->ButtonLabelWidth(screen.Get(), m_rows[row]);
    }
    return NLayoutRow(m_rows[row], Metrics(), row == m_current, labelWidth);
}

void NValueList::DrawRowBackground(HDC dc, const NValueRow& row, const RECT& rect, bool selected)
{
    if (row.kind == nrkTitle) {
        NMsImgDLL::Shared().HorizontalGradient(dc, rect, kTitleLeft, GetSysColor(COLOR_WINDOW));
        // The upper bits of a title's name x say where its rule starts (unscaled).
        HorizontalRule(dc, NNameXHint(row.nameX), rect.right, rect.bottom - 1, kTitleRule);
    } else if (row.kind == nrkHeading) {
        FillColour(dc, rect, kHeadingBack);
        HorizontalRule(dc, rect.left, rect.right, rect.bottom - 1, kHeadingRule);
    } else {
        FillColour(dc, rect, selected ? kSelectedBack : GetSysColor(COLOR_WINDOW));
    }
}

void NValueList::DrawCheckImage(HDC dc, const NValueRow& row, int left, int rowHeight)
{
    const int kind = row.kind == nrkRadio ? 1 : 0;
    const bool checked = NRowIsChecked(row);
    int index = checked ? kImageChecked : kImageUnchecked;
    if (row.disabled && m_images[kind][index + 2]) index += 2;
    const NBitmap& image = m_images[kind][index];
    BITMAP info = {};
    if (image && GetObjectW(image.Get(), sizeof info, &info)) {
        HDC source = CreateCompatibleDC(dc);
        if (!source) return;
        const HGDIOBJ old = SelectObject(source, image.Get());
        const int top = (rowHeight - info.bmHeight) / 2;
        const COLORREF key = GetPixel(source, 0, 0);
        if (!NMsImgDLL::Shared().TransparentBlt(dc, left, top, info.bmWidth, info.bmHeight, source, 0, 0,
                                                info.bmWidth, info.bmHeight, key))
            BitBlt(dc, left, top, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
        SelectObject(source, old);
        DeleteDC(source);
        return;
    }
    const int size = NScale(13);
    const int top = (rowHeight - size) / 2;
    RECT box = {left, top, left + size, top + size};
    UINT state = (kind ? DFCS_BUTTONRADIO : DFCS_BUTTONCHECK) | (checked ? DFCS_CHECKED : 0);
    if (row.disabled) state |= DFCS_INACTIVE;
    DrawFrameControl(dc, &box, DFC_BUTTON, state);
}

void NValueList::DrawRow(const DRAWITEMSTRUCT& draw)
{
    const RECT item = draw.rcItem;
    const int width = item.right - item.left, height = item.bottom - item.top;
    if (width <= 0 || height <= 0) return;
    const int index = static_cast<int>(draw.itemID);
    if (!Row(index)) {
        FillRect(draw.hDC, &item, GetSysColorBrush(COLOR_WINDOW));
        return;
    }
    HDC dc = m_buffer.Prepare(draw.hDC, width, height);
    if (!dc) return;
    const NValueRow& row = m_rows[index];
    const bool selected = index == m_current;
    const RECT all = {0, 0, width, height};
    DrawRowBackground(dc, row, all, selected);
    SetBkMode(dc, TRANSPARENT);

    NListMetrics metrics = Metrics();
    metrics.width = width;
    const int labelWidth = selected ? 0 : ButtonLabelWidth(dc, row);
    const NRowCells cells = NLayoutRow(row, metrics, selected, labelWidth);

    if (NRowIsCheckable(row)) DrawCheckImage(dc, row, cells.image.left, height);
    if (row.icon && cells.icon.Width() > 0)
        DrawIconEx(dc, cells.icon.left, (height - metrics.iconSize) / 2, reinterpret_cast<HICON>(row.icon),
                   metrics.iconSize, metrics.iconSize, 0, nullptr, DI_NORMAL);

    const bool heading = row.kind == nrkHeading || row.kind == nrkTitle;
    int nameHeight = row.nameFontHeight ? row.nameFontHeight : m_nameHeight;
    if (nameHeight > height) nameHeight = height;
    {
        NSelect font(dc, Font(nameHeight, row.bold || heading, row.underline));
        DrawTextIn(dc, row.name, cells.name.left, cells.name.right, height,
                   row.disabled ? kDisabledText : row.nameColour);
    }
    if (cells.value.Width() > 0 && !row.value.empty()) {
        const bool link = row.kind == nrkLink;
        NSelect font(dc, Font(m_valueHeight, false, link));
        const COLORREF colour = row.disabled ? kDisabledText : link ? kLinkText : row.valueColour;
        DrawTextIn(dc, NValueFirstLine(row.value), cells.value.left, cells.value.right, height, colour);
    }
    if (cells.buttonLabel.Width() > 0) {
        NSelect font(dc, ValueFont());
        DrawTextIn(dc, L"[ " + row.buttonText + L" ]", cells.buttonLabel.left, cells.buttonLabel.right + 1, height,
                   row.disabled ? kDisabledText : kLabelText);
    }
    BitBlt(draw.hDC, item.left, item.top, width, height, dc, 0, 0, SRCCOPY);
}
