// Wrapper of one DSP effect plug-in library and its one instance.
#pragma once
#include <string>

#include "NDLL.h"
#include "TvPluginApi.h"
#include "TvPluginGuard.h"

class clTvDSP : public NDLL {
 public:
  clTvDSP();
  ~clTvDSP() override;

  bool Load(const wchar_t* path) override;
  // Destroys the instance, frees the library and its bindings, then loads `path`.
  virtual bool Reload(const wchar_t* path);

  // Replaces the instance with a new one; the handles must outlive it.
  virtual bool Create(const TvMessageHandles* handles);
  virtual void DestroyInstance();
  virtual bool HasInstance() const;
  virtual TvPluginInstance Instance() const;

  // Forwarders (DSP_ exports): 0 without an instance or without the export,
  // else the plug-in's result.
  virtual TvPluginResult Get(const wchar_t* key, TvSettingValue* value);
  virtual TvPluginResult Set(const wchar_t* key, TvSettingValue* value);
  virtual TvPluginResult BeginConversion(TvConversionInfo* conversion, const wchar_t* settings);
  // The effect changes the block in place; the result is checked afterwards
  // (see tv::CheckReturnedBlock).
  virtual TvPluginResult PassAudioBlock(TvAudioBlock* block);
  virtual TvPluginResult PassNonLive(const wchar_t* pcmPath, TvAudioDescription* description,
                                     const wchar_t* settings, const wchar_t* quitEventName);
  virtual TvPluginResult EndConversion(TvConversionInfo* conversion);
  virtual TvPluginResult AfterConversion(TvConversionInfo* conversion);

  // Keys.
  virtual TvPluginResult GetIsLive(const wchar_t* settings);
  virtual TvPluginResult SetBatchID(int batchId);

 private:
  void BindAll();

  TvPluginInstance instance_ = 0;
  const TvMessageHandles* handles_ = nullptr;
  std::wstring actionText_;

  TvCreateFn create_ = nullptr;
  TvDestroyFn destroy_ = nullptr;
  TvGetFn get_ = nullptr;
  TvSetFn set_ = nullptr;
  TvShowConfigBitFn showConfigBit_ = nullptr;
  TvRemoveConfigBitFn removeConfigBit_ = nullptr;
  TvDspBeginConversionFn beginConversion_ = nullptr;
  TvDspEndConversionFn endConversion_ = nullptr;
  TvDspPassAudioBlockFn passAudioBlock_ = nullptr;
  TvDspPassNonLiveFn passNonLive_ = nullptr;
  TvDspAfterConversionFn afterConversion_ = nullptr;
};
