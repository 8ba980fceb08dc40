#include "Effects.h"

#include <algorithm>
#include <cmath>

#include "Samples.h"
#include "Settings.h"

namespace tvw {

namespace {
// The one number of an effect's settings: a bare value or one of `names`.
bool settingValue(const std::u16string& settings, const char* a, const char* b, std::u16string& value,
                  std::string& error) {
  std::vector<Option> items = splitSettings(settings);
  if (items.size() != 1 || !(items[0].name.empty() || findOption(items, a) || findOption(items, b))) {
    error = "'" + narrow(settings) + "' is not understood";
    return false;
  }
  value = items[0].value;
  return true;
}

std::string fixed(double v) {
  char buf[32];
  std::snprintf(buf, sizeof buf, "%g", v);
  return buf;
}
}  // namespace

bool parseGainSettings(const std::u16string& settings, double& db, std::string& error) {
  std::u16string value;
  if (!settingValue(settings, "db", "gain", value, error) || !parseDecibels(value, db)) {
    error = "the settings '" + narrow(settings) + "' are not a gain in dB (for example \"db=-6\" or \"+3 dB\")";
    return false;
  }
  if (db < kMinGainDb || db > kMaxGainDb) {
    error = "a gain of " + fixed(db) + " dB is outside " + fixed(kMinGainDb) + " to +" + fixed(kMaxGainDb) + " dB";
    return false;
  }
  return true;
}

bool parseNormalizeSettings(const std::u16string& settings, double& peakDb, std::string& error) {
  if (settings.find_first_not_of(u" ") == std::u16string::npos) {
    peakDb = kDefaultPeakDb;
    return true;
  }
  std::u16string value;
  if (!settingValue(settings, "peak", "db", value, error) || !parseDecibels(value, peakDb)) {
    error = "the settings '" + narrow(settings) + "' are not a peak level in dBFS (for example \"peak=-1\")";
    return false;
  }
  if (peakDb < kMinPeakDb || peakDb > 0.0) {
    error = "a peak level of " + fixed(peakDb) + " dBFS is outside " + fixed(kMinPeakDb) + " to 0 dBFS";
    return false;
  }
  return true;
}

bool normalizeInPlace(RawAudioFile& file, const WaveFormat& format, double targetDb,
                      const std::function<bool()>& quit, NormalizeOutcome& outcome, std::string& error) {
  outcome = NormalizeOutcome();
  SampleType type = format.sampleType();
  if (type == SampleType::Unsupported) {
    error = "the audio format is not supported";
    return false;
  }
  const std::size_t align = format.blockAlign;
  const std::size_t piece = std::max<std::size_t>(align, (1u << 20) / align * align);
  const std::uint64_t total = file.size() / align * align;
  Bytes buffer(piece);

  for (std::uint64_t at = 0; at < total; at += piece) {
    if (quit && quit()) {
      outcome.stopped = true;
      return true;
    }
    std::size_t n = std::size_t(std::min<std::uint64_t>(piece, total - at));
    if (!file.read(at, buffer.data(), n)) {
      error = "reading the audio failed";
      return false;
    }
    outcome.peak = std::max(outcome.peak, peakOf(buffer.data(), n, type));
  }
  if (outcome.peak <= 0.0 || !std::isfinite(outcome.peak)) {
    outcome.silent = true;
    return true;
  }
  double factor = dbToFactor(targetDb) / outcome.peak;
  outcome.gainDb = factorToDb(factor);
  for (std::uint64_t at = 0; at < total; at += piece) {
    if (quit && quit()) {
      outcome.stopped = true;
      return true;
    }
    std::size_t n = std::size_t(std::min<std::uint64_t>(piece, total - at));
    if (!file.read(at, buffer.data(), n)) {
      error = "reading the audio failed";
      return false;
    }
    applyGain(buffer.data(), n, type, factor);
    if (!file.write(at, buffer.data(), n)) {
      error = "writing the audio failed (disk full?)";
      return false;
    }
  }
  return true;
}

}  // namespace tvw
