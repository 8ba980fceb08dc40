// The text one Explorer column shows for one file, from the file's
// information and the user's units. No platform calls.
#pragma once
#include <string>

#include "TvFileInfo.h"
#include "TvNumberFormat.h"
#include "TvUnitSettings.h"

namespace tv {

// `key` is ColumnValueKey of the column's title (" Length", " Track", ...).
// Computed keys (length, channels, bit rate, sample rate and size, the
// album/artist/track joins, compression ratio, percentage of original,
// original size, rating) come first; any other key, or a computed one that
// gave nothing, is the first non-empty property element, then tag, whose
// name with a space in front equals the key ignoring case. Empty: no value.
// `wideMarks` chooses the rating's bullet marks over "O" and "+".
std::wstring ColumnValue(const std::wstring& key, const FileInfo& info, const UnitSettings& units,
                         const RegionalSettings& regional, bool wideMarks = true);

}  // namespace tv
