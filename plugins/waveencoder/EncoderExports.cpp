// The encoder's exports: thin shells that find the instance and call it.
#include <TvPluginApi.h>

#include "ContractRecords.h"
#include "WaveEncoder.h"

using tvw::guarded;
using tvw::WaveEncoder;

namespace {
WaveEncoder* instanceOf(TvPluginInstance i) { return reinterpret_cast<WaveEncoder*>(i); }
}  // namespace

extern "C" {

__declspec(dllexport) TvPluginInstance TV_PLUGIN_CALL ENC_Create(TvMessageHandles* handles) {
  try {
    return reinterpret_cast<TvPluginInstance>(new WaveEncoder(handles));
  } catch (...) {
    return 0;
  }
}

__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL ENC_Destroy(TvPluginInstance i) {
  return guarded([&] {
    delete instanceOf(i);
    return i != 0;
  });
}

__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL ENC_Get(TvPluginInstance i, const WCHAR* key, TvSettingValue* v) {
  return guarded([&] { return i && key && instanceOf(i)->get(tvw::toU16(key), v); });
}

__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL ENC_Set(TvPluginInstance i, const WCHAR* key, TvSettingValue* v) {
  return guarded([&] { return i && key && instanceOf(i)->set(tvw::toU16(key), v); });
}

// No configuration window of its own: the options come on the command line.
__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL ENC_ShowConfigBit(TvPluginInstance) { return 0; }
__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL ENC_RemoveConfigBit(TvPluginInstance) { return 0; }

__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL ENC_BeginConversion(TvPluginInstance i, TvConversionInfo* c) {
  return guarded([&] { return i && instanceOf(i)->begin(c); });
}

__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL ENC_EncodeBlock(TvPluginInstance i, TvAudioBlock* b) {
  return guarded([&] { return i && instanceOf(i)->encodeBlock(b); });
}

__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL ENC_EndConversion(TvPluginInstance i, TvConversionInfo* c,
                                                                      INT32* writeTags) {
  return guarded([&] { return i && instanceOf(i)->end(c, writeTags); });
}

}  // extern "C"
