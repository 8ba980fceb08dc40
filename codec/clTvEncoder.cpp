#include "clTvEncoder.h"

clTvEncoder::clTvEncoder() = default;

clTvEncoder::~clTvEncoder() {
  DestroyInstance();
  ReleaseModule();
}

bool clTvEncoder::Load(const wchar_t* path) {
  if (module_) return complete_;
  LoadModuleFile(path);
  BindAll();
  return complete_;
}

void clTvEncoder::BindAll() {
  create_ = Bind<TvCreateFn>(TV_EXPORT_ENC_CREATE);
  destroy_ = Bind<TvDestroyFn>(TV_EXPORT_ENC_DESTROY);
  get_ = Bind<TvGetFn>(TV_EXPORT_ENC_GET);
  set_ = Bind<TvSetFn>(TV_EXPORT_ENC_SET);
  showConfigBit_ = Bind<TvShowConfigBitFn>(TV_EXPORT_ENC_SHOWCONFIGBIT);
  removeConfigBit_ = Bind<TvRemoveConfigBitFn>(TV_EXPORT_ENC_REMOVECONFIGBIT);
  beginConversion_ = Bind<TvEncBeginConversionFn>(TV_EXPORT_ENC_BEGINCONVERSION);
  endConversion_ = Bind<TvEncEndConversionFn>(TV_EXPORT_ENC_ENDCONVERSION);
  encodeBlock_ = Bind<TvEncEncodeBlockFn>(TV_EXPORT_ENC_ENCODEBLOCK);
}

bool clTvEncoder::Reload(const wchar_t* path) {
  DestroyInstance();
  ReleaseModule();
  Load(nullptr);
  return Load(path);
}

bool clTvEncoder::Create(const TvMessageHandles* handles) {
  DestroyInstance();
  if (!create_) return false;
  handles_ = handles;
  instance_ = create_(handles);
  return instance_ != 0;
}

void clTvEncoder::DestroyInstance() {
  if (instance_ && destroy_) destroy_(instance_);
  instance_ = 0;
  actionText_.clear();
}

bool clTvEncoder::HasInstance() const { return instance_ != 0; }

TvPluginInstance clTvEncoder::Instance() const { return instance_; }

TvPluginResult clTvEncoder::Get(const wchar_t* key, TvSettingValue* value) {
  if (!instance_ || !get_) return 0;
  return get_(instance_, key, value);
}

TvPluginResult clTvEncoder::Set(const wchar_t* key, TvSettingValue* value) {
  if (!instance_ || !set_) return 0;
  return set_(instance_, key, value);
}

TvPluginResult clTvEncoder::BeginConversion(TvConversionInfo* conversion) {
  if (!instance_ || !beginConversion_) return 0;
  return beginConversion_(instance_, conversion);
}

TvPluginResult clTvEncoder::EncodeBlock(TvAudioBlock* block) {
  if (!instance_ || !encodeBlock_) return 0;
  const TvPluginResult result = encodeBlock_(instance_, block);
  if (block && !tv::CheckReturnedBlock(*block, actionText_, handles_, "clTvEncoder::EncodeBlock")) return 0;
  return result;
}

TvPluginResult clTvEncoder::EndConversion(TvConversionInfo* conversion, INT32* writeTags) {
  INT32 ignored = 0;
  if (!writeTags) writeTags = &ignored;
  *writeTags = 0;
  if (!instance_ || !endConversion_) return 0;
  return endConversion_(instance_, conversion, writeTags);
}

tv::TvSettingTexts clTvEncoder::GetExtension() {
  TvSettingValue value = {};
  return tv::GetSettingTexts([this](TvSettingValue* v) { return Get(TV_KEY_EXTENSION, v); }, value);
}

tv::TvSettingTexts clTvEncoder::GetOption(int option, int entry) {
  TvSettingValue value = {};
  value.index = option;
  value.number = entry;
  return tv::GetSettingTexts([this](TvSettingValue* v) { return Get(TV_KEY_OPTIONS, v); }, value);
}

TvPluginResult clTvEncoder::GetNeedHQAudio(const wchar_t* codecCommandLine) {
  TvSettingValue value = {};
  value.text = codecCommandLine;
  return Get(TV_KEY_NEED_HQ_AUDIO, &value);
}

TvPluginResult clTvEncoder::GetSendRawUnCompressed(const wchar_t* sourcePath, const wchar_t* codecCommandLine,
                                                   const wchar_t* destinationPath) {
  TvSettingValue value = {};
  value.text = sourcePath;
  value.text2 = codecCommandLine;
  value.text3 = destinationPath;
  return Get(TV_KEY_SEND_RAW_UNCOMPRESSED, &value);
}

TvPluginResult clTvEncoder::SetPriority(const wchar_t* priority) {
  TvSettingValue value = {};
  value.text = priority;
  return Set(TV_KEY_PRIORITY, &value);
}

TvPluginResult clTvEncoder::SetBatchID(int batchId) {
  TvSettingValue value = {};
  value.number = batchId;
  return Set(TV_KEY_BATCHID, &value);
}
