// Wrapper of one encoder plug-in library and its one instance.
#pragma once
#include <string>

#include "NDLL.h"
#include "TvPluginApi.h"
#include "TvPluginGuard.h"

class clTvEncoder : public NDLL {
 public:
  clTvEncoder();
  ~clTvEncoder() override;

  bool Load(const wchar_t* path) override;
  // Destroys the instance, frees the library and its bindings, then loads `path`.
  virtual bool Reload(const wchar_t* path);

  // Replaces the instance with a new one; the handles must outlive it.
  virtual bool Create(const TvMessageHandles* handles);
  virtual void DestroyInstance();
  virtual bool HasInstance() const;
  virtual TvPluginInstance Instance() const;

  // Forwarders (ENC_ exports): 0 without an instance or without the export,
  // else the plug-in's result.
  virtual TvPluginResult Get(const wchar_t* key, TvSettingValue* value);
  virtual TvPluginResult Set(const wchar_t* key, TvSettingValue* value);
  virtual TvPluginResult BeginConversion(TvConversionInfo* conversion);
  // Also checks the block afterwards (see tv::CheckReturnedBlock).
  virtual TvPluginResult EncodeBlock(TvAudioBlock* block);
  // Sets *writeTags to 0 before anything else; non-zero afterwards asks the
  // host to write the tags itself.
  virtual TvPluginResult EndConversion(TvConversionInfo* conversion, INT32* writeTags);

  // Keys; texts are copied out of the plug-in's memory with checks.
  virtual tv::TvSettingTexts GetExtension();
  virtual tv::TvSettingTexts GetOption(int option, int entry);  // "Options"
  virtual TvPluginResult GetNeedHQAudio(const wchar_t* codecCommandLine);
  virtual TvPluginResult GetSendRawUnCompressed(const wchar_t* sourcePath, const wchar_t* codecCommandLine,
                                                const wchar_t* destinationPath);
  virtual TvPluginResult SetPriority(const wchar_t* priority);
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
  TvEncBeginConversionFn beginConversion_ = nullptr;
  TvEncEndConversionFn endConversion_ = nullptr;
  TvEncEncodeBlockFn encodeBlock_ = nullptr;
};
