// The user's regional number settings, read from the registry
// (HKEY_CURRENT_USER "Control Panel\International") at most once per process,
// and the formatting shorthands that use them.
#pragma once
#include <cstdint>
#include <string>

#include "TvNumberFormat.h"

namespace tv {

// Reads the regional values from the registry now, every time it is called.
RegionalSettings ReadRegionalSettingsFromRegistry();

// The process-wide record: read from the registry on first use, then kept for
// the life of the process. Safe to call from any thread.
RegionalSettings LoadRegionalSettings();

// Replaces the process-wide record (tests, or a program that wants fixed
// separators); LoadRegionalSettings returns it from now on.
void SetRegionalSettings(const RegionalSettings& settings);
// Forgets the process-wide record, so the next use reads the registry again.
void ResetRegionalSettings();

// The formatting routines of TvNumberFormat.h with the process-wide record.
void LocaliseNumber(std::wstring& text);
std::wstring Int64ToLocalText(int64_t value);
std::wstring RealToLocalText(int decimals, double value);
std::wstring SizeToText(int64_t bytes, bool forceKilobytes);
std::wstring DurationToText(int64_t milliseconds, int style);

}  // namespace tv
