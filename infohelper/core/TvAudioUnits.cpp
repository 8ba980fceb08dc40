#include "TvAudioUnits.h"

#include <limits>

namespace tv {
namespace {

constexpr int64_t kInt64Max = std::numeric_limits<int64_t>::max();
constexpr int64_t kInt64Min = std::numeric_limits<int64_t>::min();

int64_t SaturatedAdd(int64_t a, int64_t b) {
  int64_t sum;
  if (__builtin_add_overflow(a, b, &sum)) return b > 0 ? kInt64Max : kInt64Min;
  return sum;
}

// value x factor / divisor, truncated toward zero, without the overflow of
// forming value x factor first (sizes near the 64-bit range stay sound).
// `factor` is positive; a zero divisor counts as 1.
int64_t ScaledQuotient(int64_t value, int64_t factor, int64_t divisor) {
  if (divisor == 0) divisor = 1;
  if (divisor == -1) {  // the one quotient that can leave the range
    divisor = 1;
    value = value == kInt64Min ? kInt64Max : -value;
  }
  const int64_t whole = value / divisor, rest = value % divisor;
  int64_t wholePart;
  if (__builtin_mul_overflow(whole, factor, &wholePart)) return whole < 0 ? kInt64Min : kInt64Max;
  int64_t restProduct, restPart;
  if (!__builtin_mul_overflow(rest, factor, &restProduct)) restPart = restProduct / divisor;
  else restPart = int64_t(static_cast<long double>(rest) * factor / divisor);  // smaller than `factor`
  return SaturatedAdd(wholePart, restPart);
}

struct ChannelName {
  int channels;
  const wchar_t* note;
  const wchar_t* description;
};

constexpr ChannelName kChannelNames[] = {
    {1, L"  (mono)", L"Mono"},
    {2, L"  (stereo)", L"Stereo"},
    {4, L"  (quadraphonic)", L"Quadraphonic"},
    {5, L"  (surround)", L"Surround"},
    {6, L"  (5.1 surround)", L"5.1 surround"},
    {8, L"  (7.1 theater)", L"7.1 theater"},
};

const ChannelName* FindChannelName(int channels) {
  for (const ChannelName& name : kChannelNames)
    if (name.channels == channels) return &name;
  return nullptr;
}

const wchar_t* BitRateNote(int32_t bitRate, int channels, uint32_t sampleRate) {
  const int64_t perChannel = int64_t(bitRate) / (channels == 0 ? 1 : channels);
  if (perChannel >= 705000 && perChannel <= 707000 && channels == 2 && sampleRate == 44100) return L"  (CD)";
  if (perChannel >= 767000 && perChannel <= 769000 && channels == 2 && sampleRate == 48000) return L"  (DAT)";
  if (perChannel >= 1000000) return L"  (DVD)";
  return L"";
}

}  // namespace

std::wstring LengthText(int64_t milliseconds, UnitPlace place, const UnitSettings& units,
                        const RegionalSettings& regional) {
  if (units.time > kDurationWholeSeconds) return std::wstring();
  int style = int(units.time);
  if (style == kDurationWholeSeconds) style = kDurationWords;
  else if (style == kDurationWords && place == UnitPlace::Column) style = kDurationClock;
  return DurationToText(milliseconds, style, regional);
}

std::wstring FileSizeText(int64_t bytes, UnitPlace place, const UnitSettings& units,
                          const RegionalSettings& regional) {
  if (units.fileSize == 3) return Int64ToLocalText(bytes, regional) + L" bytes";
  const bool kilobytes = units.fileSize == 2 || (units.fileSize == 0 && place == UnitPlace::Column);
  return SizeToText(bytes, kilobytes, regional);
}

std::wstring ChannelsText(int channels, const UnitSettings& units) {
  const ChannelName* name = FindChannelName(channels);
  switch (units.channels) {
    case 0: return IntToText(channels) + (name ? name->note : L"");
    case 2: return name ? std::wstring(name->description) : IntToText(channels) + L" channels";
    default: return IntToText(channels);
  }
}

std::wstring BitRateText(int32_t bitRate, int channels, uint32_t sampleRate, const UnitSettings& units,
                         const RegionalSettings& regional, bool withNote) {
  if (units.bitRate == 2) return Int64ToLocalText(bitRate, regional) + L" bps";
  std::wstring text = Int64ToLocalText(bitRate / 1000, regional) + L" kbps";
  if (units.bitRate == 0 && withNote) text += BitRateNote(bitRate, channels, sampleRate);
  return text;
}

std::wstring SampleRateText(uint32_t sampleRate, UnitPlace place, const UnitSettings& units,
                            const RegionalSettings& regional) {
  const wchar_t* lineEnd = place == UnitPlace::Popup ? L"\r" : L"";
  if (units.freq == 0) return RealToLocalText(1, sampleRate / 1000.0, regional) + L" KHz" + lineEnd;
  return Int64ToLocalText(sampleRate, regional) + L" Hz" + lineEnd;
}

std::wstring SampleSizeText(int bitsPerSample, bool floatingPoint, UnitPlace place) {
  const bool showFloat = floatingPoint && place == UnitPlace::Popup;
  return IntToText(bitsPerSample) + (showFloat ? L" bit floating point" : L" bit");
}

int64_t OriginalSize(uint32_t averageBytesPerSecond, int64_t milliseconds, int64_t fileSize) {
  const int64_t estimate = ScaledQuotient(milliseconds, averageBytesPerSecond, 1000);
  // Below the file size, or within 1 KB above it (container overhead): the file size.
  if (estimate < SaturatedAdd(fileSize, 1024)) return fileSize;
  return estimate;
}

std::wstring CompressionRatioText(int64_t original, int64_t fileSize, const RegionalSettings& regional) {
  if (original == fileSize) return L"1";
  const int64_t tenths = ScaledQuotient(original, 10, fileSize);
  if (tenths >= 51) return Int64ToText(tenths / 10);
  std::wstring text = Int64ToText(tenths);
  std::wstring whole = text.substr(0, text.size() - 1);
  if (whole.empty() || whole == L"-") whole += L"0";  // 9 tenths read "0.9", not ".9"
  return whole + regional.decimalSeparator + text.back();
}

std::wstring PercentOfOriginalText(int64_t fileSize, int64_t original) {
  return Int64ToText(ScaledQuotient(fileSize, 100, original));
}

std::wstring RatingPopupText(const std::wstring& ratingTag) {
  const int64_t rating = TextToInt64(ratingTag);
  if (rating == 0) return ratingTag;
  return RealToText(1, double(rating) * 0.5);
}

std::wstring RatingStarsText(const std::wstring& ratingTag, bool wideMarks) {
  int64_t rating = TextToInt64(ratingTag);
  if (rating < 0 || rating > 10) rating = 0;
  const wchar_t* whole = wideMarks ? L" \x2022" : L" O";
  const wchar_t* half = wideMarks ? L" \x25E6" : L" +";
  std::wstring text;
  for (int64_t pair = 0; pair < rating / 2; ++pair) text += whole;
  if (rating % 2 != 0) text += half;
  return text;
}

}  // namespace tv
