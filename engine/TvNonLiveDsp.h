// Non-live DSP rendering. An effect that needs the whole stream at once
// answers 0 to "IsLive". When the chain holds one, the whole source is first
// decoded into a raw PCM render file; then every effect of the chain, live or
// not, is applied to that file in chain order (live ones block by block, in
// 500 ms pieces, through a second file); the block loop then reads the
// rendered audio and passes it to no effect again. The render file never
// outlives the renderer.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "TvBlockSource.h"
#include "TvCrashGuard.h"
#include "TvPluginApi.h"
#include "TvRendermill.h"
#include "clWaveFormat.h"

// What rendering needs from the conversion run.
class clRenderHost {
 public:
  virtual ~clRenderHost() = default;
  // The run's source (decoder or standard input) before rendering.
  virtual bool DecodeAudioBlock(TvAudioBlock& block) = 0;
  // Signals the watchdog and flushes the collected messages.
  virtual void KeepAlive() = 0;
  virtual bool QuitRequested() = 0;
  // A parent message "MSGTO: Tvx: " + text (command-file mode only).
  virtual void SendAction(const std::wstring& text) = 0;
  // The running count of rendered bytes, for the shared byte counter.
  virtual void CountRenderedBytes(uint64_t bytes) = 0;
  // The run's conversion record (its description is the one rendering updates).
  virtual TvConversionInfo* ConversionInfo() = 0;
};

class clNonLiveRenderer {
 public:
  clNonLiveRenderer() = default;
  virtual ~clNonLiveRenderer();
  clNonLiveRenderer(const clNonLiveRenderer&) = delete;
  clNonLiveRenderer& operator=(const clNonLiveRenderer&) = delete;

  // Renders when any effect of `effects` is not live (else returns true at
  // once). `description` is the stream's audio description: effects may
  // change its format, and its size and length follow the rendered file.
  // False, with the error reported, fails the conversion; a quit request is
  // no failure here (the caller counts it as one).
  virtual bool HandleNonLiveDSPs(std::vector<TvDspEffectEntry>& effects, TvAudioDescription& description,
                                 const std::wstring& quitEventName, clRenderHost& host,
                                 const TvMessageHandles* handles);

  // True once the rendered file is the source of the block loop.
  bool Rendered() const { return rendered_; }
  clRenderFileSource& Source() { return source_; }
  const clWaveFormat& RenderFormat() const { return format_; }
  const std::wstring& RenderPath() const { return path_; }

  // Closes and deletes the render file.
  virtual void Discard();

 private:
  bool DecodeIntoFile(clRenderHost& host);
  bool RunLiveStage(TvDspEffectEntry& entry, TvAudioDescription& description, clRenderHost& host);
  void AfterStage(TvAudioDescription& description);

  std::wstring path_;
  clCrashGuardedFile guard_;
  clWaveFormat format_;
  clRenderFileSource source_;
  bool rendered_ = false;
  const TvMessageHandles* handles_ = nullptr;
};
