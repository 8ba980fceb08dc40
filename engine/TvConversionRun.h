// One conversion, from a successful parse to the finished destination: the
// source (a decoder, or raw PCM on standard input), the encoder and the DSP
// effects are loaded, non-live effects rendered, the block loop moves audio
// from the source through the live effects to the encoder, and the output
// replaces the destination only when everything succeeded. Every failure sets
// the engine's error flag and falls through to the cleaning steps; a failed
// run always leaves at least one error line for the parent.
#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>

#include "TvConversionRules.h"
#include "TvDestination.h"
#include "TvNonLiveDsp.h"
#include "TvPluginApi.h"
#include "TvStdInputSource.h"
#include "TvTagTransfer.h"
#include "TvWatchdog.h"
#include "clTvCodecHandler.h"
#include "clTvDecoder.h"
#include "clTvEncoder.h"

class TvRendermill;

class clConversionRun : public clRenderHost {
 public:
  explicit clConversionRun(TvRendermill& engine);
  ~clConversionRun() override;
  clConversionRun(const clConversionRun&) = delete;
  clConversionRun& operator=(const clConversionRun&) = delete;

  // The whole run; it never throws and ends with the messages flushed.
  virtual void Execute();

  // The run's source: the render file once non-live effects rendered it,
  // else standard input, else the decoder.
  bool DecodeAudioBlock(TvAudioBlock& block) override;

  // clRenderHost
  void KeepAlive() override;
  bool QuitRequested() override;
  void SendAction(const std::wstring& text) override;
  void CountRenderedBytes(uint64_t bytes) override;
  TvConversionInfo* ConversionInfo() override;

 protected:
  // Steps of the run; each returns false when the run cannot go on.
  virtual bool LoadCodecs();
  virtual void RunRawPassThrough();
  virtual void LoadDspEffects();
  virtual bool OpenDecoder(int openFlags);
  virtual bool CloseDecoder();
  virtual void SetConversionPriority();
  virtual void Convert();
  virtual void BlockLoop();
  virtual void FinishFile();
  virtual void Relay(const wchar_t* hook);

  bool Failed() const;
  void Fail();
  void Console(const std::wstring& text, bool lineEnd = true);
  void TraceLine(const std::wstring& text);
  std::wstring DspFolder() const;

 private:
  TvRendermill& engine_;
  const TvMessageHandles* handles_;
  clParentMessages& parent_;
  bool standardInput_;

  // Declared first so they go last: the encoder and decoder (declared below)
  // close their files before the temporary output and render file are deleted.
  clDestination destination_;
  clNonLiveRenderer renderer_;

  clWatchdog watchdog_;
  std::unique_ptr<clTvCodecHandler> handler_;
  std::unique_ptr<clTvDecoder> decoder_;
  std::unique_ptr<clTvEncoder> encoder_;
  std::unique_ptr<clStdInputSource> stdInput_;
  clConversionTags tags_;

  TvStreamInfo stream_;
  TvConversionInfo info_;
  std::wstring sourcePath_;  // the text the stream record points at
  std::wstring codecCommandLine_;
  std::wstring writePath_;
  uint64_t byteTotal_ = 0;
  bool decoderOpen_ = false;
  bool elapsedMeasured_ = false;
  int64_t elapsedMs_ = 0;
  double speed_ = 0;
  INT32 encoderWritesTags_ = 0;
};
