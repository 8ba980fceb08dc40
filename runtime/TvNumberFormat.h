// Numbers, byte counts and durations as display text.
//
// Numbers are first written in a plain form (ASCII digits, "-" sign, "." point)
// and then, where a person reads them, rewritten into the user's regional form.
// Everything here is free of the platform: the regional values come in as a
// RegionalSettings record. TvRegionalSettings.h holds the process-wide record
// read from the registry and the shorthands that use it.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

namespace tv {

// The user's number and time separators. The defaults are the values used when
// the regional settings hold nothing.
struct RegionalSettings {
  std::wstring negativeSign = L"-";
  std::wstring positiveSign;
  std::wstring thousandSeparator;  // empty: no grouping marks
  std::wstring decimalSeparator = L".";
  std::wstring timeSeparator = L":";
  int negativePattern = 1;  // 0 "(1)", 1 "-1", 2 "- 1", 3 "1-", 4 "1 -"; others act as 1
  bool indianGrouping = false;  // 12,34,567 instead of 1,234,567
};

// Longest separator kept from the regional values; longer ones are cut.
constexpr size_t kMaxSeparatorLength = 5;

// Builds the record from the raw regional text values ("sNegativeSign",
// "sPositiveSign", "sThousand", "sDecimal", "sTime", "iNegNumber", "sGrouping");
// `readValue` returns "" for a value that is missing or unreadable.
RegionalSettings RegionalSettingsFromValues(const std::function<std::wstring(const wchar_t* name)>& readValue);

// Plain decimal text, no grouping.
std::wstring IntToText(int32_t value);
std::wstring Int64ToText(int64_t value);
std::wstring UInt64ToText(uint64_t value);

// The value of the leading digits ("-" allowed as the very first character);
// 0 when there are none. Values beyond the 64-bit range saturate.
int64_t TextToInt64(const std::wstring& text);

// Fixed point with at most `decimals` digits after a "." (rounded at .49;
// trailing zeros and a trailing point dropped). Never "-0".
std::wstring RealToText(int decimals, double value);

// Rewrites a plain number text (digits, at most one ".", an optional leading
// "-") in place into the regional form: grouping, decimal separator, sign.
void LocaliseNumber(std::wstring& text, const RegionalSettings& regional);

std::wstring Int64ToLocalText(int64_t value, const RegionalSettings& regional);
std::wstring RealToLocalText(int decimals, double value, const RegionalSettings& regional);

// "1.5 MB", "4,883 KB", "1023 bytes", ...; `forceKilobytes` always uses KB.
std::wstring SizeToText(int64_t bytes, bool forceKilobytes, const RegionalSettings& regional);

// Duration styles for DurationToText.
enum DurationStyle : int {
  kDurationWords = 0,          // "1 hour 2 minutes", "1.5 seconds"
  kDurationClock = 1,          // "1:02:05", "1:05"
  kDurationClockHours = 2,     // "01:02:05"
  kDurationClockMillis = 3,    // "01:02:05.250"
  kDurationWholeSeconds = 4,   // as words, but never fractions of a second
};

// The duration in one of the five styles above; any other style gives "".
std::wstring DurationToText(int64_t milliseconds, int style, const RegionalSettings& regional);

}  // namespace tv
