#include "clTvDSP.h"

clTvDSP::clTvDSP() = default;

clTvDSP::~clTvDSP() {
  DestroyInstance();
  ReleaseModule();
}

bool clTvDSP::Load(const wchar_t* path) {
  if (module_) return complete_;
  LoadModuleFile(path);
  BindAll();
  return complete_;
}

void clTvDSP::BindAll() {
  create_ = Bind<TvCreateFn>(TV_EXPORT_DSP_CREATE);
  destroy_ = Bind<TvDestroyFn>(TV_EXPORT_DSP_DESTROY);
  get_ = Bind<TvGetFn>(TV_EXPORT_DSP_GET);
  set_ = Bind<TvSetFn>(TV_EXPORT_DSP_SET);
  showConfigBit_ = Bind<TvShowConfigBitFn>(TV_EXPORT_DSP_SHOWCONFIGBIT);
  removeConfigBit_ = Bind<TvRemoveConfigBitFn>(TV_EXPORT_DSP_REMOVECONFIGBIT);
  beginConversion_ = Bind<TvDspBeginConversionFn>(TV_EXPORT_DSP_BEGINCONVERSION);
  endConversion_ = Bind<TvDspEndConversionFn>(TV_EXPORT_DSP_ENDCONVERSION);
  passAudioBlock_ = Bind<TvDspPassAudioBlockFn>(TV_EXPORT_DSP_PASSAUDIOBLOCK);
  passNonLive_ = Bind<TvDspPassNonLiveFn>(TV_EXPORT_DSP_PASSNONLIVE);
  afterConversion_ = Bind<TvDspAfterConversionFn>(TV_EXPORT_DSP_AFTERCONVERSION);
}

bool clTvDSP::Reload(const wchar_t* path) {
  DestroyInstance();
  ReleaseModule();
  Load(nullptr);
  return Load(path);
}

bool clTvDSP::Create(const TvMessageHandles* handles) {
  DestroyInstance();
  if (!create_) return false;
  handles_ = handles;
  instance_ = create_(handles);
  return instance_ != 0;
}

void clTvDSP::DestroyInstance() {
  if (instance_ && destroy_) destroy_(instance_);
  instance_ = 0;
  actionText_.clear();
}

bool clTvDSP::HasInstance() const { return instance_ != 0; }

TvPluginInstance clTvDSP::Instance() const { return instance_; }

TvPluginResult clTvDSP::Get(const wchar_t* key, TvSettingValue* value) {
  if (!instance_ || !get_) return 0;
  return get_(instance_, key, value);
}

TvPluginResult clTvDSP::Set(const wchar_t* key, TvSettingValue* value) {
  if (!instance_ || !set_) return 0;
  return set_(instance_, key, value);
}

TvPluginResult clTvDSP::BeginConversion(TvConversionInfo* conversion, const wchar_t* settings) {
  if (!instance_ || !beginConversion_) return 0;
  return beginConversion_(instance_, conversion, settings);
}

TvPluginResult clTvDSP::PassAudioBlock(TvAudioBlock* block) {
  if (!instance_ || !passAudioBlock_) return 0;
  const TvPluginResult result = passAudioBlock_(instance_, block);
  if (block && !tv::CheckReturnedBlock(*block, actionText_, handles_, "clTvDSP::PassAudioBlock")) return 0;
  return result;
}

TvPluginResult clTvDSP::PassNonLive(const wchar_t* pcmPath, TvAudioDescription* description,
                                    const wchar_t* settings, const wchar_t* quitEventName) {
  if (!instance_ || !passNonLive_) return 0;
  const TvPluginResult result = passNonLive_(instance_, pcmPath, description, settings, quitEventName);
  if (description) tv::KeepWaveFormatInBounds(description->format);
  return result;
}

TvPluginResult clTvDSP::EndConversion(TvConversionInfo* conversion) {
  if (!instance_ || !endConversion_) return 0;
  return endConversion_(instance_, conversion);
}

TvPluginResult clTvDSP::AfterConversion(TvConversionInfo* conversion) {
  if (!instance_ || !afterConversion_) return 0;
  return afterConversion_(instance_, conversion);
}

TvPluginResult clTvDSP::GetIsLive(const wchar_t* settings) {
  TvSettingValue value = {};
  value.text = settings;
  return Get(TV_KEY_IS_LIVE, &value);
}

TvPluginResult clTvDSP::SetBatchID(int batchId) {
  TvSettingValue value = {};
  value.number = batchId;
  return Set(TV_KEY_BATCHID, &value);
}
