// Normalize: a non-live effect that measures the whole stream and scales it
// so its highest peak reaches the level asked for.
#include <cstdio>

#include "DspExports.h"
#include "Effects.h"
#include "PluginReport.h"
#include "Samples.h"
#include "Win32File.h"

namespace {

class RawFile : public tvw::RawAudioFile {
 public:
  explicit RawFile(tvw::FileSink& sink) : sink_(sink) {}
  std::uint64_t size() override { return sink_.position(); }
  bool read(std::uint64_t o, void* p, std::size_t n) override { return sink_.readAt(o, p, n); }
  bool write(std::uint64_t o, const void* p, std::size_t n) override { return sink_.writeAt(o, p, n); }

 private:
  tvw::FileSink& sink_;
};

std::wstring decibels(double db) {
  wchar_t buf[32];
  std::swprintf(buf, 32, L"%+.2f", db);
  return buf;
}

class NormalizeEffect {
 public:
  explicit NormalizeEffect(const TvMessageHandles* handles) : report_(handles) {}

  bool get(const std::u16string& key, TvSettingValue*) {
    return false;  // "IsLive": no, it needs the whole stream
  }
  bool set(const std::u16string& key, TvSettingValue*) { return key == u"BatchID"; }

  bool begin(TvConversionInfo*, const std::u16string& settings) { return checkSettings(settings, nullptr); }

  bool passBlock(TvAudioBlock*) {
    report_.error(L"Error: Normalize needs the whole stream; it cannot work block by block.",
                  "Normalize::DSP_PassAudioBlock");
    return false;
  }

  bool passNonLive(const WCHAR* path, TvAudioDescription* d, const std::u16string& settings, const WCHAR* quitName) {
    const char* fn = "Normalize::DSP_PassNonLive";
    double target = 0;
    if (!checkSettings(settings, &target)) return false;
    if (!path || !d) {
      report_.error(L"Error: Normalize was given no audio file.", fn);
      return false;
    }
    tvw::WaveFormat f = tvw::loadFormat(d->format);
    std::string reason;
    if (!tvw::validateFormat(f, reason)) {
      report_.error(L"Error: Normalize: " + tvw::widen(reason) + L".", fn);
      return false;
    }
    tvw::FileSink sink;
    if (!sink.openExisting(path)) {
      report_.error(L"Error: Normalize: unable to open '" + std::wstring(path) + L"': " + tvw::lastErrorText() + L".",
                    fn);
      return false;
    }
    tvw::FileHandle quit(quitName && *quitName ? OpenEventW(SYNCHRONIZE, FALSE, quitName) : nullptr);
    auto quitting = [&] { return quit.valid() && WaitForSingleObject(quit.get(), 0) == WAIT_OBJECT_0; };
    RawFile raw(sink);
    tvw::NormalizeOutcome outcome;
    bool ok = tvw::normalizeInPlace(raw, f, target, quitting, outcome, reason);
    ok = sink.close() && ok;
    if (!ok) {
      report_.error(L"Error: Normalize: " + tvw::widen(reason.empty() ? "writing the audio failed" : reason) + L".",
                    fn);
      return false;
    }
    if (outcome.silent)
      report_.information(L"Information: Normalize: the audio is silent; it is left as it is.", fn);
    else if (!outcome.stopped)
      report_.information(L"Information: Normalize: peak " + decibels(tvw::factorToDb(outcome.peak)) +
                              L" dBFS, gain " + decibels(outcome.gainDb) + L" dB.",
                          fn);
    return true;
  }

 private:
  bool checkSettings(const std::u16string& settings, double* target) {
    double db = 0;
    std::string reason;
    if (!tvw::parseNormalizeSettings(settings, db, reason)) {
      report_.error(L"Error: Normalize: " + tvw::widen(reason) + L".", "Normalize::DSP_PassNonLive");
      return false;
    }
    if (target) *target = db;
    return true;
  }

  tvw::PluginReport report_;
};

}  // namespace

TV_DSP_EXPORTS(NormalizeEffect)
