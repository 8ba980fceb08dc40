// The two effects' settings and the normaliser's two passes over a raw PCM
// file (no header), kept apart from the plug-in exports.
#pragma once
#include <cstdint>
#include <functional>
#include <string>

#include "WaveFormat.h"

namespace tvw {

// Gain: "db=-6", "gain=+3", "-6", "-6 dB"; from -120 dB to +60 dB.
constexpr double kMinGainDb = -120.0, kMaxGainDb = 60.0;
bool parseGainSettings(const std::u16string& settings, double& db, std::string& error);

// Normaliser: "peak=-1", "-0.5", "-1 dB"; the peak to reach, from -60 dBFS
// to 0 dBFS; an empty text means -1 dBFS.
constexpr double kDefaultPeakDb = -1.0, kMinPeakDb = -60.0;
bool parseNormalizeSettings(const std::u16string& settings, double& peakDb, std::string& error);

class RawAudioFile {
 public:
  virtual ~RawAudioFile() = default;
  virtual std::uint64_t size() = 0;
  virtual bool read(std::uint64_t offset, void* out, std::size_t n) = 0;
  virtual bool write(std::uint64_t offset, const void* data, std::size_t n) = 0;
};

struct NormalizeOutcome {
  double peak = 0.0;     // full scale = 1.0, before
  double gainDb = 0.0;   // applied
  bool silent = false;   // nothing to scale; file unchanged
  bool stopped = false;  // the quit test ended it early
};

// Finds the peak, then scales every sample so the peak becomes the target.
// `quit` is asked between pieces; when it says yes the work stops.
bool normalizeInPlace(RawAudioFile& file, const WaveFormat& format, double targetDb,
                      const std::function<bool()>& quit, NormalizeOutcome& outcome, std::string& error);

}  // namespace tvw
