#include "TvConversionRules.h"


namespace tv {

namespace {

bool EqualsAsciiNoCase(const std::wstring& a, const std::wstring& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    wchar_t x = a[i], y = b[i];
    if (x >= L'A' && x <= L'Z') x = wchar_t(x - L'A' + L'a');
    if (y >= L'A' && y <= L'Z') y = wchar_t(y - L'A' + L'a');
    if (x != y) return false;
  }
  return true;
}

// A read buffer beyond this is a format no plug-in means seriously.
const uint64_t kLargestHalfSecond = 64u << 20;

}  // namespace

const wchar_t kIgnoreExtension[] = L".IGNORE";

bool IsIgnoreDestination(const std::wstring& destination) {
  const size_t dot = destination.rfind(L'.');
  return dot != std::wstring::npos && EqualsAsciiNoCase(destination.substr(dot), kIgnoreExtension);
}

std::wstring TemporaryDestinationPath(const std::wstring& destination) {
  const size_t dot = destination.rfind(L'.');
  const std::wstring extension = dot == std::wstring::npos ? std::wstring() : destination.substr(dot);
  const size_t keep = extension.size() + 1 < 256 ? 256 - (extension.size() + 1) : 0;
  std::wstring path = destination.size() > keep ? destination.substr(0, keep) : destination;
  return path + L".tmp" + extension;
}

int clPauseTable::PauseMs() const {
  static const int kPauses[5] = {-1, 0, 25, 25, 50};
  return kPauses[index_ < 0 ? 0 : (index_ > 4 ? 4 : index_)];
}

SampleCheck CheckWholeSamples(int32_t& size, int blockAlign, bool lastBlock) {
  const int32_t align = blockAlign > 0 ? blockAlign : 1;
  if (size <= 0 || size % align == 0) return SampleCheck::Whole;
  if (!lastBlock) return SampleCheck::MidStream;
  size = size / align * align;
  return SampleCheck::CutAtEnd;
}

size_t WholeSampleBytes(size_t available, int blockAlign, bool streamEnded) {
  if (streamEnded) return available;
  const size_t align = blockAlign > 0 ? size_t(blockAlign) : 1;
  return available / align * align;
}

int PercentDone(int64_t positionMs, int64_t lengthMs) {
  if (lengthMs == 0) lengthMs = 1;
  if (positionMs <= 0 || lengthMs < 0) return 0;
  // Positions far beyond the length count as 100 % without overflowing.
  if (positionMs >= lengthMs) return 100;
  const int64_t percent = positionMs * 100 / lengthMs;
  return percent > 100 ? 100 : int(percent);
}

double RealtimeSpeed(int64_t lengthMs, int64_t elapsedMs) {
  return double(lengthMs) / double(elapsedMs == 0 ? 1 : elapsedMs);
}

std::wstring CompletionText(int64_t elapsedMs, double speed, const RegionalSettings& regional) {
  if (elapsedMs == 0) return std::wstring();
  std::wstring text = L"Conversion completed in " + DurationToText(elapsedMs, kDurationWords, regional);
  if (speed != 0) {
    const std::wstring factor =
        speed >= 10 ? Int64ToText(int64_t(speed)) : RealToLocalText(1, speed, regional);
    text += L" x" + factor + L" realtime encoding";
  }
  return text;
}

ConversionPriority PriorityFromOption(const std::wstring& value) {
  if (EqualsAsciiNoCase(value, L"low")) return ConversionPriority::Low;
  if (EqualsAsciiNoCase(value, L"idle")) return ConversionPriority::Idle;
  if (EqualsAsciiNoCase(value, L"high")) return ConversionPriority::High;
  return ConversionPriority::Normal;
}

int64_t RawLengthMs(uint64_t bytes, int blockAlign, uint32_t samplesPerSec) {
  uint64_t divisor = uint64_t(blockAlign > 0 ? blockAlign : 0) * samplesPerSec;
  if (divisor == 0) divisor = 1;
  // Split so that bytes × 1000 cannot overflow for any file size.
  return int64_t(bytes / divisor * 1000 + bytes % divisor * 1000 / divisor);
}

size_t HalfSecondBytes(uint32_t bytesPerSec, int blockAlign) {
  const uint64_t align = blockAlign > 0 ? uint64_t(blockAlign) : 1;
  uint64_t bytes = uint64_t(bytesPerSec) * 500 / 1000 / align * align;
  if (bytes == 0) bytes = align;
  return bytes > kLargestHalfSecond ? 0 : size_t(bytes);
}

}  // namespace tv
