#include "TvColumnRecord.h"

#include <commctrl.h>

#include <cstring>

#include "TvShellGuids.h"

namespace tv {

namespace {

template <size_t N>
void CopyText(WCHAR (&field)[N], const std::wstring& text) {
  const size_t length = text.size() < N - 1 ? text.size() : N - 1;
  std::memcpy(field, text.data(), length * sizeof(WCHAR));
  field[length] = L'\0';
}

}  // namespace

void FillColumnRecord(const ColumnDescription& column, SHCOLUMNINFO& record) {
  std::memset(&record, 0, sizeof(record));
  record.scid.fmtid = kColumnFormatId;
  record.scid.pid = column.propertyId;
  record.vt = VT_LPSTR;
  record.fmt = column.alignment == ColumnAlignment::Right ? LVCFMT_RIGHT : LVCFMT_LEFT;
  record.cChars = column.widthChars;
  record.csFlags = SHCOLSTATE_TYPE_STR;
  CopyText(record.wszTitle, column.title);
  CopyText(record.wszDescription, column.description);
}

}  // namespace tv
