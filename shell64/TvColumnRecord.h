// The shell's column description record filled from a column description.
#pragma once
#include <windows.h>
#include <shlobj.h>

#include "TvColumnTable.h"

namespace tv {

// Format identifier {394C3DE0-...}, the computed property identifier,
// VT_LPSTR, LVCFMT_LEFT or LVCFMT_RIGHT, the width in characters,
// SHCOLSTATE_TYPE_STR, the title and "Tonvera", each zero-terminated within
// its field.
void FillColumnRecord(const ColumnDescription& column, SHCOLUMNINFO& record);

}  // namespace tv
