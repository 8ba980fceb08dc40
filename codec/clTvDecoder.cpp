#include "clTvDecoder.h"

#include "TvTrace.h"

clTvDecoder::clTvDecoder() = default;

clTvDecoder::~clTvDecoder() {
  DestroyInstance();
  ReleaseModule();
}

bool clTvDecoder::Load(const wchar_t* path) {
  if (module_) return complete_;
  LoadModuleFile(path);
  BindAll();
  return complete_;
}

void clTvDecoder::BindAll() {
  create_ = Bind<TvCreateFn>(TV_EXPORT_CREATE);
  destroy_ = Bind<TvDestroyFn>(TV_EXPORT_DESTROY);
  get_ = Bind<TvGetFn>(TV_EXPORT_GET);
  set_ = Bind<TvSetFn>(TV_EXPORT_SET);
  open_ = Bind<TvOpenFn>(TV_EXPORT_OPEN);
  close_ = Bind<TvCloseFn>(TV_EXPORT_CLOSE);
  decodeBlock_ = Bind<TvDecodeBlockFn>(TV_EXPORT_DECODEBLOCK);
  setPosition_ = Bind<TvSetPositionFn>(TV_EXPORT_SETPOSITION);
  deleteATag_ = Bind<TvDeleteATagFn>(TV_EXPORT_DELETEATAG);
}

bool clTvDecoder::Reload(const wchar_t* path) {
  DestroyInstance();
  ReleaseModule();
  Load(nullptr);
  return Load(path);
}

bool clTvDecoder::ReloadForExtension(const wchar_t* path, const std::wstring& extension) {
  if (!Reload(path)) return false;
  extension_ = extension;
  path_ = path;
  return true;
}

void clTvDecoder::Unload() {
  DestroyInstance();
  ReleaseModule();
  Load(nullptr);
  extension_.clear();
  path_.clear();
}

bool clTvDecoder::Create(const TvMessageHandles* handles) {
  DestroyInstance();
  if (!create_) return false;
  handles_ = handles;
  instance_ = create_(handles);
  return instance_ != 0;
}

void clTvDecoder::DestroyInstance() {
  if (instance_ && destroy_) destroy_(instance_);
  instance_ = 0;
  actionText_.clear();
}

bool clTvDecoder::HasInstance() const { return instance_ != 0; }

TvPluginInstance clTvDecoder::Instance() const { return instance_; }

const std::wstring& clTvDecoder::Extension() const { return extension_; }

const std::wstring& clTvDecoder::Path() const { return path_; }

TvPluginResult clTvDecoder::Get(const wchar_t* key, TvSettingValue* value) {
  if (!instance_ || !get_) return 0;
  return get_(instance_, key, value);
}

TvPluginResult clTvDecoder::Set(const wchar_t* key, TvSettingValue* value) {
  if (!instance_ || !set_) return 0;
  return set_(instance_, key, value);
}

TvPluginResult clTvDecoder::Open(TvStreamInfo* stream) {
  if (!instance_ || !open_) return 0;
  const TvPluginResult result = open_(instance_, stream);
  if (!stream) return result;
  tv::KeepWaveFormatInBounds(stream->description.format);
  if (!tv::IsReadableBlock(stream->tagBlock, stream->tagBlockSize)) {
    tv::ReportError(L"The decoder returned a tag block that cannot be read; its tags are ignored.",
                    handles_, "clTvDecoder::Open");
    stream->tagBlock = nullptr;
    stream->tagBlockSize = 0;
  }
  if (!tv::IsReadableBlock(stream->propertyBlock, stream->propertyBlockSize)) {
    tv::ReportError(L"The decoder returned a property block that cannot be read; it is ignored.",
                    handles_, "clTvDecoder::Open");
    stream->propertyBlock = nullptr;
    stream->propertyBlockSize = 0;
  }
  return result;
}

TvPluginResult clTvDecoder::Close(TvConversionInfo* conversion) {
  if (!instance_ || !close_) return 0;
  return close_(instance_, conversion);
}

TvPluginResult clTvDecoder::DecodeBlock(TvAudioBlock* block) {
  if (!instance_ || !decodeBlock_) return 0;
  const TvPluginResult result = decodeBlock_(instance_, block);
  if (block && !tv::CheckReturnedBlock(*block, actionText_, handles_, "clTvDecoder::DecodeBlock")) return 0;
  return result;
}

TvPluginResult clTvDecoder::DeleteATag(const wchar_t* path, const wchar_t* names) {
  if (!instance_ || !deleteATag_) return 0;
  return deleteATag_(instance_, path, names);
}

TvPluginResult clTvDecoder::DeleteTags(const wchar_t* path, const std::vector<std::wstring>& names) {
  if (!instance_ || !deleteATag_) return 0;
  std::wstring list;
  for (const std::wstring& name : names) {
    const std::wstring plain = name.substr(0, name.find(L'\0'));
    if (!plain.empty()) list += plain + L'\0';
  }
  if (list.empty()) return 1;
  return DeleteATag(path, list.c_str());  // c_str adds the closing zero
}

tv::TvSettingTexts clTvDecoder::GetDecodes(int index) {
  TvSettingValue value = {};
  value.index = index;
  return tv::GetSettingTexts([this](TvSettingValue* v) { return Get(TV_KEY_DECODES, v); }, value);
}

tv::TvSettingTexts clTvDecoder::GetDecoderDescription() {
  TvSettingValue value = {};
  return tv::GetSettingTexts(
      [this](TvSettingValue* v) { return Get(TV_KEY_DECODER_DESCRIPTION, v); }, value);
}

tv::TvSettingTexts clTvDecoder::GetOption(const wchar_t* key, int option, int entry) {
  TvSettingValue value = {};
  value.index = option;
  value.number = entry;
  return tv::GetSettingTexts([this, key](TvSettingValue* v) { return Get(key, v); }, value);
}

tv::TvSettingTexts clTvDecoder::GetPropertyElements(bool defaults) {
  TvSettingValue value = {};
  const wchar_t* key = defaults ? TV_KEY_DEFAULT_PROPERTY_ELEMENTS : TV_KEY_PROPERTY_ELEMENTS;
  return tv::GetSettingTexts([this, key](TvSettingValue* v) { return Get(key, v); }, value);
}

TvPluginResult clTvDecoder::SetIDTags(const wchar_t* path, const void* tagBlock, INT32 size) {
  TvSettingValue value = {};
  value.number = size;
  value.text = path;
  value.data = const_cast<void*>(tagBlock);  // the plug-in only reads it
  return Set(TV_KEY_IDTAGS, &value);
}

TvPluginResult clTvDecoder::SetBatchID(int batchId) {
  TvSettingValue value = {};
  value.number = batchId;
  return Set(TV_KEY_BATCHID, &value);
}

TvPluginResult clTvDecoder::SetDecodeAsHighestQuality() {
  TvSettingValue value = {};
  value.text = TV_DECODE_AS_HIGHEST_QUALITY;
  return Set(TV_KEY_DECODE_AS, &value);
}
