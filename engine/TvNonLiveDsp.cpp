#include "TvNonLiveDsp.h"

#include "TvConversionRules.h"
#include "TvFile.h"
#include "TvFileSystem.h"
#include "TvProgress.h"
#include "TvTempFile.h"
#include "TvTrace.h"
#include "clTvDSP.h"

namespace {

const char kFunction[] = "TvRendermill::HandleNonLiveDSPs";

// The pause after a rendering step, as in the block loop.
void TakePause(const tv::clPauseTable& pauses) {
  const int ms = pauses.PauseMs();
  if (ms >= 0) Sleep(DWORD(ms));
}

}  // namespace

clNonLiveRenderer::~clNonLiveRenderer() { Discard(); }

void clNonLiveRenderer::Discard() {
  source_.Close();
  rendered_ = false;
  if (path_.empty()) return;
  if (tv::FileDelete(path_) || !tv::FileExists(path_)) {
    path_.clear();
    guard_.Release();
  }
}

bool clNonLiveRenderer::HandleNonLiveDSPs(std::vector<TvDspEffectEntry>& effects, TvAudioDescription& description,
                                          const std::wstring& quitEventName, clRenderHost& host,
                                          const TvMessageHandles* handles) {
  handles_ = handles;
  bool anyNonLive = false;
  for (const TvDspEffectEntry& entry : effects) anyNonLive = anyNonLive || !entry.live;
  if (!anyNonLive) return true;

  Discard();
  bool created = false;
  path_ = tv::MakeTempFile(L"DSP", std::wstring(), &created);
  guard_.Guard(path_);
  host.SendAction(tv::RenderingAction());

  if (!host.QuitRequested() && !DecodeIntoFile(host)) return false;
  format_.Set(&description.format, sizeof(description.format));

  for (TvDspEffectEntry& entry : effects) {
    if (host.QuitRequested()) break;
    host.SendAction(tv::RunningDspAction(entry.name));
    clTvDSP* dsp = entry.wrapper.get();
    if (entry.live) {
      if (!RunLiveStage(entry, description, host)) return false;
    } else {
      if (!dsp || !dsp->PassNonLive(path_.c_str(), &description, entry.settings.c_str(), quitEventName.c_str())) {
        if (!dsp || !dsp->HasInstance())
          tv::ReportError(L"Error: DSP effect '" + entry.name + L"' is not loaded.", handles, kFunction);
        return false;
      }
      tv::KeepWaveFormatInBounds(description.format);
    }
    AfterStage(description);
  }

  if (!source_.Open(path_, format_, handles)) return false;
  rendered_ = true;
  host.SendAction(tv::EmptyAction());
  return true;
}

bool clNonLiveRenderer::DecodeIntoFile(clRenderHost& host) {
  tv::clTvFile file;
  if (!file.Create(path_, false)) {
    tv::ReportError(L"Error writing to temporary file, disk full?: " + path_, handles_, kFunction);
    return false;
  }
  tv::clPauseTable pauses;
  uint64_t written = 0;
  while (!host.QuitRequested()) {
    host.KeepAlive();
    TvAudioBlock block = {};
    if (!host.DecodeAudioBlock(block)) return false;
    pauses.AfterEmptyBlock();
    if (block.data && block.dataSize > 0) {
      if (!file.Write(block.data, DWORD(block.dataSize))) {
        tv::ReportError(L"Error writing to temporary file, disk full?: " + path_, handles_, kFunction);
        return false;
      }
      written += uint64_t(block.dataSize);
      host.CountRenderedBytes(written);
      pauses.AfterAudio();
    }
    if (block.lastBlock) break;
    TakePause(pauses);
  }
  return true;
}

bool clNonLiveRenderer::RunLiveStage(TvDspEffectEntry& entry, TvAudioDescription& description, clRenderHost& host) {
  entry.active = false;  // it has done its work once it ran here
  clTvDSP* dsp = entry.wrapper.get();
  WAVEFORMATEXTENSIBLE stageFormat = description.format;
  const INT64 lengthMs = description.lengthMs;
  if (!dsp || !dsp->BeginConversion(host.ConversionInfo(), entry.settings.c_str())) {
    if (!dsp || !dsp->HasInstance())
      tv::ReportError(L"Error: DSP effect '" + entry.name + L"' is not loaded.", handles_, kFunction);
    return false;
  }

  bool created = false;
  const std::wstring stagePath = tv::MakeTempFile(L"DSP", std::wstring(), &created);
  clCrashGuardedFile stageGuard(stagePath);
  bool ok = true;
  {
    tv::clTvFile output, input;
    if (!output.Create(stagePath, false)) {
      tv::ReportError(L"Error: Writing Temporary Rendered DSP file, disk full?.", handles_, kFunction);
      ok = false;
    }
    clWaveFormat current;
    current.Set(&stageFormat, sizeof(stageFormat));
    const size_t bufferBytes = tv::HalfSecondBytes(current.BytesPerSec(), current.BlockAlign());
    std::vector<BYTE> buffer(bufferBytes);
    if (ok && buffer.empty()) {
      tv::ReportError(L"Error allocating buffer", handles_, kFunction);
      ok = false;
    }
    if (ok && !input.OpenRead(path_, false)) {
      tv::ReportError(L"Error: Reading Temporary Rendered DSP file.", handles_, kFunction);
      ok = false;
    }
    uint64_t remaining = ok ? input.Size() : 0;
    uint64_t consumed = 0;
    const uint64_t perSecond = uint64_t(current.BlockAlign() > 0 ? current.BlockAlign() : 0) * current.SamplesPerSec();
    // At least one block, so an effect sees the end of an empty stream too.
    bool first = true;
    while (ok && (remaining > 0 || first)) {
      first = false;
      host.KeepAlive();
      if (host.QuitRequested()) break;
      const DWORD want = DWORD(remaining < buffer.size() ? remaining : buffer.size());
      bool failed = false;
      const DWORD got = want ? input.Read(buffer.data(), want, tv::kSeekNone, &failed) : 0;
      if (failed || got != want) {
        tv::ReportError(L"Error: Reading Temporary Rendered DSP file.", handles_, kFunction);
        ok = false;
        break;
      }
      remaining -= got;
      TvAudioBlock block = {};
      block.data = got ? buffer.data() : nullptr;
      block.dataSize = INT32(got);
      block.format = stageFormat;
      block.bitRate = 0;
      block.durationMs = lengthMs;
      block.positionMs = INT64(perSecond ? consumed * 1000 / perSecond : consumed * 1000);
      block.lastBlock = remaining == 0 ? 1 : 0;
      consumed += got;
      if (!dsp->PassAudioBlock(&block)) {
        ok = false;
        break;
      }
      if (block.data && block.dataSize > 0 && !output.Write(block.data, DWORD(block.dataSize))) {
        tv::ReportError(L"Error: Writing Temporary Rendered DSP file, disk full?.", handles_, kFunction);
        ok = false;
        break;
      }
      if (block.lastBlock) description.format = block.format;
    }
  }
  // The stage's output becomes the render file; after a failure it is dropped
  // (the conversion fails either way).
  if (ok) {
    if (!tv::FileMove(stagePath, path_)) {
      tv::ReportError(L"Error: Copying Temporary Rendered Live-DSP file, over Temp Non-Live DSP file, disk full?.",
                      handles_, kFunction);
      ok = false;
    }
  }
  if (!ok || tv::FileExists(stagePath)) tv::FileDelete(stagePath);
  return ok;
}

void clNonLiveRenderer::AfterStage(TvAudioDescription& description) {
  format_.Set(&description.format, sizeof(description.format));
  const uint64_t bytes = tv::FileSizeByName(path_);
  description.sourceBytes = INT64(bytes);
  description.lengthMs = tv::RawLengthMs(bytes, format_.BlockAlign(), format_.SamplesPerSec());
}
