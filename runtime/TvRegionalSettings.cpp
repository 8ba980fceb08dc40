#include "TvRegionalSettings.h"

#include <mutex>

#include "TvRegistry.h"

namespace tv {
namespace {

// The record and whether it holds the registry's values yet. A lock keeps a
// first use on two threads from filling it twice or reading it half filled.
struct ProcessRegional {
  std::mutex lock;
  bool loaded = false;
  RegionalSettings settings;
};

ProcessRegional& Process() {
  static ProcessRegional process;
  return process;
}

}  // namespace

RegionalSettings ReadRegionalSettingsFromRegistry() {
  const RegLocation international{HKEY_CURRENT_USER, L"Control Panel\\International"};
  return RegionalSettingsFromValues([&](const wchar_t* name) { return RegReadString(international, name); });
}

RegionalSettings LoadRegionalSettings() {
  ProcessRegional& process = Process();
  std::lock_guard<std::mutex> guard(process.lock);
  if (!process.loaded) {
    process.loaded = true;
    process.settings = ReadRegionalSettingsFromRegistry();
  }
  return process.settings;
}

void SetRegionalSettings(const RegionalSettings& settings) {
  ProcessRegional& process = Process();
  std::lock_guard<std::mutex> guard(process.lock);
  process.settings = settings;
  process.loaded = true;
}

void ResetRegionalSettings() {
  ProcessRegional& process = Process();
  std::lock_guard<std::mutex> guard(process.lock);
  process.settings = RegionalSettings();
  process.loaded = false;
}

void LocaliseNumber(std::wstring& text) { LocaliseNumber(text, LoadRegionalSettings()); }

std::wstring Int64ToLocalText(int64_t value) { return Int64ToLocalText(value, LoadRegionalSettings()); }

std::wstring RealToLocalText(int decimals, double value) {
  return RealToLocalText(decimals, value, LoadRegionalSettings());
}

std::wstring SizeToText(int64_t bytes, bool forceKilobytes) {
  return SizeToText(bytes, forceKilobytes, LoadRegionalSettings());
}

std::wstring DurationToText(int64_t milliseconds, int style) {
  return DurationToText(milliseconds, style, LoadRegionalSettings());
}

}  // namespace tv
