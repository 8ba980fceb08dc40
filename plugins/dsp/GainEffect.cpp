// Gain: a live effect that scales every block by a fixed number of dB.
#include "DspExports.h"
#include "Effects.h"
#include "PluginReport.h"
#include "Samples.h"

namespace {

class GainEffect {
 public:
  explicit GainEffect(const TvMessageHandles* handles) : report_(handles) {}

  bool get(const std::u16string& key, TvSettingValue*) { return key == u"IsLive"; }
  bool set(const std::u16string& key, TvSettingValue*) { return key == u"BatchID"; }

  bool begin(TvConversionInfo*, const std::u16string& settings) {
    double db = 0;
    std::string reason;
    ready_ = tvw::parseGainSettings(settings, db, reason);
    if (!ready_) {
      report_.error(L"Error: Gain: " + tvw::widen(reason) + L".", "Gain::DSP_BeginConversion");
      return false;
    }
    factor_ = tvw::dbToFactor(db);
    return true;
  }

  bool passBlock(TvAudioBlock* b) {
    if (!ready_) {
      report_.error(L"Error: Gain: a block came before valid settings were given.", "Gain::DSP_PassAudioBlock");
      return false;
    }
    if (!b || !b->data || b->dataSize <= 0) return true;
    tvw::WaveFormat f = tvw::loadFormat(b->format);
    tvw::SampleType t = f.sampleType();
    if (t == tvw::SampleType::Unsupported) {
      report_.error(L"Error: Gain: the block's audio format is not supported.", "Gain::DSP_PassAudioBlock");
      return false;
    }
    tvw::applyGain(b->data, std::size_t(b->dataSize), t, factor_);
    return true;
  }

  bool passNonLive(const WCHAR*, TvAudioDescription*, const std::u16string&, const WCHAR*) {
    report_.error(L"Error: Gain works block by block; it was asked to process a whole file.", "Gain::DSP_PassNonLive");
    return false;
  }

 private:
  tvw::PluginReport report_;
  double factor_ = 1.0;
  bool ready_ = false;
};

}  // namespace

TV_DSP_EXPORTS(GainEffect)
