#include "TvNumberFormat.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace tv {
namespace {

// 2^64 as a double: the first value an unsigned 64-bit integer cannot hold.
constexpr double kTwoTo64 = 18446744073709551616.0;
// More decimals than any double carries; bounds the search in RealToText.
constexpr int kMaxDecimals = 19;

std::wstring CutSeparator(std::wstring value, const wchar_t* fallback) {
  if (value.empty()) return fallback;
  if (value.size() > kMaxSeparatorLength) value.resize(kMaxSeparatorLength);
  return value;
}

// Digits of a magnitude, most significant first.
std::wstring Digits(uint64_t magnitude) {
  if (magnitude == 0) return L"0";
  std::wstring text;
  while (magnitude != 0) {
    text.push_back(static_cast<wchar_t>(L'0' + magnitude % 10));
    magnitude /= 10;
  }
  std::reverse(text.begin(), text.end());
  return text;
}

std::wstring Pad2(std::wstring field) {
  if (field.size() == 1) field.insert(0, 1, L'0');
  return field;
}

std::wstring Pad3(std::wstring field) {
  if (field.size() < 3) field.insert(0, 3 - field.size(), L'0');
  return field;
}

std::wstring Counted(int64_t count, const wchar_t* one, const wchar_t* many) {
  return Int64ToText(count) + (count == 1 ? one : many);
}

std::wstring DurationInWords(int64_t hours, int64_t minutes, int64_t seconds, int64_t millis, bool allowFractions,
                             const RegionalSettings& regional) {
  if (hours != 0) {
    std::wstring text = Counted(hours, L" hour", L" hours");
    if (minutes != 0) text += L" " + Counted(minutes, L" minute", L" minutes");
    return text;
  }
  if (minutes != 0) {
    std::wstring text = Counted(minutes, L" minute", L" minutes");
    if (seconds != 0) text += L" " + Counted(seconds, L" second", L" seconds");
    return text;
  }
  if (seconds != 0) {
    if (millis != 0 && allowFractions)
      return RealToLocalText(1, double(seconds) + double(millis) / 1000.0, regional) + L" seconds";
    return Counted(seconds, L" second", L" seconds");
  }
  if (millis != 0 && allowFractions) return Counted(millis, L" mili-second", L" mili-seconds");
  return L"0";
}

}  // namespace

RegionalSettings RegionalSettingsFromValues(const std::function<std::wstring(const wchar_t* name)>& readValue) {
  RegionalSettings settings;
  settings.negativeSign = CutSeparator(readValue(L"sNegativeSign"), L"-");
  settings.positiveSign = CutSeparator(readValue(L"sPositiveSign"), L"");
  settings.thousandSeparator = CutSeparator(readValue(L"sThousand"), L"");
  settings.decimalSeparator = CutSeparator(readValue(L"sDecimal"), L".");
  settings.timeSeparator = CutSeparator(readValue(L"sTime"), L":");
  const std::wstring pattern = readValue(L"iNegNumber");
  if (!pattern.empty()) {
    // A number no int can hold is as unknown as any other odd pattern: it acts as 1.
    const int64_t value = TextToInt64(pattern);
    settings.negativePattern =
        value < std::numeric_limits<int>::min() || value > std::numeric_limits<int>::max() ? 1 : int(value);
  }
  settings.indianGrouping = readValue(L"sGrouping") == L"3;2;0";
  return settings;
}

std::wstring IntToText(int32_t value) { return Int64ToText(value); }

std::wstring Int64ToText(int64_t value) {
  if (value == std::numeric_limits<int64_t>::min()) return L"-9223372036854775808";
  if (value < 0) return L"-" + Digits(uint64_t(-value));
  return Digits(uint64_t(value));
}

std::wstring UInt64ToText(uint64_t value) { return Digits(value); }

int64_t TextToInt64(const std::wstring& text) {
  size_t pos = 0;
  const bool negative = !text.empty() && text[0] == L'-';
  if (negative) pos = 1;
  // Accumulated unsigned, so that 64-bit overflow saturates instead of wrapping.
  const uint64_t limit = negative ? uint64_t(std::numeric_limits<int64_t>::max()) + 1
                                  : uint64_t(std::numeric_limits<int64_t>::max());
  uint64_t magnitude = 0;
  for (; pos < text.size() && text[pos] >= L'0' && text[pos] <= L'9'; ++pos) {
    const unsigned digit = unsigned(text[pos] - L'0');
    if (magnitude > (limit - digit) / 10) {
      magnitude = limit;
      break;
    }
    magnitude = magnitude * 10 + digit;
  }
  if (!negative) return int64_t(magnitude);
  return magnitude == 0 ? 0 : -int64_t(magnitude - 1) - 1;
}

std::wstring RealToText(int decimals, double value) {
  if (std::isnan(value)) value = 0;
  decimals = std::clamp(decimals, 0, kMaxDecimals);
  const bool negative = value < 0;
  double x = negative ? -value : value;
  // Below one, a leading 1 keeps the digits of the fraction; it becomes the "0" again below.
  const bool belowOne = x < 1;
  if (belowOne) x += 1;
  // Fewer decimals for values too large to scale into 64 bits.
  double scaled = x * std::pow(10.0, decimals) + 0.49;
  while (!(scaled < kTwoTo64) && decimals > 0) {
    --decimals;
    scaled = x * std::pow(10.0, decimals) + 0.49;
  }
  const uint64_t n = scaled < kTwoTo64 ? uint64_t(scaled) : std::numeric_limits<uint64_t>::max();

  std::wstring text = UInt64ToText(n);
  if (text.size() < size_t(decimals) + 1) text.insert(0, size_t(decimals) + 1 - text.size(), L'0');
  text.insert(text.size() - size_t(decimals), 1, L'.');
  if (belowOne && text[0] > L'0') --text[0];  // "1.25" -> "0.25"; a carry "2.00" -> "1.00"

  while (!text.empty() && text.back() == L'0') text.pop_back();
  if (!text.empty() && text.back() == L'.') text.pop_back();
  if (negative && text != L"0") text.insert(0, 1, L'-');
  return text;
}

void LocaliseNumber(std::wstring& text, const RegionalSettings& regional) {
  const size_t point = text.find(L'.');
  const std::wstring integerPart = text.substr(0, point);

  // Grouped from the last digit toward the first, built reversed.
  const std::wstring separatorReversed(regional.thousandSeparator.rbegin(), regional.thousandSeparator.rend());
  std::wstring reversed;
  size_t groupSize = 3, count = 0;
  for (size_t i = integerPart.size(); i-- > 0;) {
    const wchar_t c = integerPart[i];
    if (count == groupSize && c != L'-') {
      reversed += separatorReversed;
      count = 0;
      if (regional.indianGrouping) groupSize = 2;
    }
    reversed.push_back(c);
    ++count;
  }
  std::wstring result(reversed.rbegin(), reversed.rend());
  if (point != std::wstring::npos) result += regional.decimalSeparator + text.substr(point + 1);

  if (!result.empty() && result[0] == L'-') {
    result.erase(0, 1);
    switch (regional.negativePattern) {
      case 0: result = L"(" + result + L")"; break;
      case 2: result = regional.negativeSign + L" " + result; break;
      case 3: result += regional.negativeSign; break;
      case 4: result += L" " + regional.negativeSign; break;
      default: result = regional.negativeSign + result; break;
    }
  } else if (!result.empty()) {
    result = regional.positiveSign + result;
  }
  text = std::move(result);
}

std::wstring Int64ToLocalText(int64_t value, const RegionalSettings& regional) {
  std::wstring text = Int64ToText(value);
  LocaliseNumber(text, regional);
  return text;
}

std::wstring RealToLocalText(int decimals, double value, const RegionalSettings& regional) {
  std::wstring text = RealToText(decimals, value);
  LocaliseNumber(text, regional);
  return text;
}

std::wstring SizeToText(int64_t bytes, bool forceKilobytes, const RegionalSettings& regional) {
  const double b = double(bytes);
  const double gigabytes = b / 1073741824.0, megabytes = b / 1048576.0, kilobytes = b / 1024.0;
  if (!forceKilobytes && int64_t(gigabytes) != 0) return RealToLocalText(2, gigabytes, regional) + L" GB";
  if (!forceKilobytes && int64_t(megabytes) != 0) return RealToLocalText(2, megabytes, regional) + L" MB";
  if (forceKilobytes || int64_t(kilobytes) != 0) {
    const int64_t k = bytes == 0 ? 0 : int64_t(kilobytes + 0.99);
    return Int64ToLocalText(k, regional) + L" KB";
  }
  return Counted(bytes, L" byte", L" bytes");
}

std::wstring DurationToText(int64_t milliseconds, int style, const RegionalSettings& regional) {
  if (style < kDurationWords || style > kDurationWholeSeconds) return std::wstring();
  const int64_t hours = milliseconds / 3600000;
  int64_t rest = milliseconds % 3600000;
  const int64_t minutes = rest / 60000;
  rest %= 60000;
  const int64_t seconds = rest / 1000;
  const int64_t millis = rest % 1000;

  const std::wstring& sep = regional.timeSeparator;
  switch (style) {
    case kDurationWords:
    case kDurationWholeSeconds:
      return DurationInWords(hours, minutes, seconds, millis, style == kDurationWords, regional);
    case kDurationClock: {
      std::wstring text;
      if (hours != 0) text = Int64ToText(hours) + sep + Pad2(Int64ToText(minutes));
      else text = Int64ToText(minutes);
      return text + sep + Pad2(Int64ToText(seconds));
    }
    default: {
      std::wstring text = Pad2(Int64ToText(hours)) + sep + Pad2(Int64ToText(minutes)) + sep +
                          Pad2(Int64ToText(seconds));
      if (style == kDurationClockMillis) text += regional.decimalSeparator + Pad3(Int64ToText(millis));
      return text;
    }
  }
}

}  // namespace tv
