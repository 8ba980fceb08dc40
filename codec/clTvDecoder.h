// Wrapper of one decoder plug-in library and its one instance.
#pragma once
#include <string>
#include <vector>

#include "NDLL.h"
#include "TvPluginApi.h"
#include "TvPluginGuard.h"

class clTvDecoder : public NDLL {
 public:
  clTvDecoder();
  ~clTvDecoder() override;

  bool Load(const wchar_t* path) override;
  // Destroys the instance, frees the library and its bindings, then loads `path`.
  virtual bool Reload(const wchar_t* path);
  // Reload, remembering extension and path on success.
  virtual bool ReloadForExtension(const wchar_t* path, const std::wstring& extension);
  // Destroys the instance, frees the library, forgets extension and path.
  virtual void Unload();

  // Replaces the instance with a new one; the handles must outlive it.
  virtual bool Create(const TvMessageHandles* handles);
  virtual void DestroyInstance();
  virtual bool HasInstance() const;
  virtual TvPluginInstance Instance() const;
  virtual const std::wstring& Extension() const;
  virtual const std::wstring& Path() const;

  // Forwarders: 0 without an instance or without the export, else the
  // plug-in's result.
  virtual TvPluginResult Get(const wchar_t* key, TvSettingValue* value);
  virtual TvPluginResult Set(const wchar_t* key, TvSettingValue* value);
  // Also drops a tag or property block that cannot be read whole (reported
  // as an error) and keeps the wave format within its 40 bytes.
  virtual TvPluginResult Open(TvStreamInfo* stream);
  virtual TvPluginResult Close(TvConversionInfo* conversion);
  // Also fails a block whose audio data cannot be read whole (reported as an
  // error) and points the action text at a checked copy (null when unusable).
  virtual TvPluginResult DecodeBlock(TvAudioBlock* block);
  virtual TvPluginResult DeleteATag(const wchar_t* path, const wchar_t* names);
  // DeleteATag with a list built from `names`. Empty names are left out (one
  // would end the list early); when no name remains nothing is called and
  // the result is 1, so an empty selection can never reach the plug-in as a
  // list it might take for "every tag".
  virtual TvPluginResult DeleteTags(const wchar_t* path, const std::vector<std::wstring>& names);

  // Keys; texts are copied out of the plug-in's memory with checks.
  virtual tv::TvSettingTexts GetDecodes(int index);                // text = ".ext", text2 = description
  virtual tv::TvSettingTexts GetDecoderDescription();
  // key: "Options" or "ID Tag Options"; text = label, text2 = link, text3 = entry.
  virtual tv::TvSettingTexts GetOption(const wchar_t* key, int option, int entry);
  virtual tv::TvSettingTexts GetPropertyElements(bool defaults);  // text = names split by CR
  virtual TvPluginResult SetIDTags(const wchar_t* path, const void* tagBlock, INT32 size);
  virtual TvPluginResult SetBatchID(int batchId);
  virtual TvPluginResult SetDecodeAsHighestQuality();

 private:
  void BindAll();

  std::wstring extension_;
  std::wstring path_;
  TvPluginInstance instance_ = 0;
  const TvMessageHandles* handles_ = nullptr;
  std::wstring actionText_;  // checked copy of the last block's action text

  TvCreateFn create_ = nullptr;
  TvDestroyFn destroy_ = nullptr;
  TvGetFn get_ = nullptr;
  TvSetFn set_ = nullptr;
  TvOpenFn open_ = nullptr;
  TvCloseFn close_ = nullptr;
  TvDecodeBlockFn decodeBlock_ = nullptr;
  TvSetPositionFn setPosition_ = nullptr;
  TvDeleteATagFn deleteATag_ = nullptr;
};
