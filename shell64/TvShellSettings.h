// The settings the column handler keeps in memory: its two switches and the
// user's units, read together and again only after a pause, so Explorer's
// many column calls do not each read the registry. No platform calls.
#pragma once
#include <cstdint>

#include "TvUnitSettings.h"

namespace tv {

// Values under the settings root.
constexpr const wchar_t* kNoExplorerColumns = L"TvxNoExplorerColumns";
constexpr const wchar_t* kExpColumnLoadTv = L"TvxExpColumnLoadTv";
constexpr const wchar_t* kColumnsAllowed = L"ColumnsAllowed";

// Milliseconds a read of the settings is kept.
constexpr uint64_t kSettingsRefreshMs = 15000;

struct ShellSettings {
  bool noExplorerColumns = false;  // "TvxNoExplorerColumns" non-zero: no columns, no values
  bool loadDecodersInProcess = false;  // "TvxExpColumnLoadTv" non-zero: 64-bit decoders in-process
  UnitSettings units;
};

// True on the first call (`everRead` false) and when more than the refresh
// time has passed since the last read; a clock that went back counts as due.
bool SettingsRefreshDue(bool everRead, uint64_t nowMs, uint64_t lastReadMs);

}  // namespace tv
