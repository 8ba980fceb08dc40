// The decoder's exports: thin shells that find the instance and call it.
#include <TvPluginApi.h>

#include "ContractRecords.h"
#include "WaveDecoder.h"

using tvw::guarded;
using tvw::WaveDecoder;

namespace {
WaveDecoder* instanceOf(TvPluginInstance i) { return reinterpret_cast<WaveDecoder*>(i); }
}  // namespace

extern "C" {

__declspec(dllexport) TvPluginInstance TV_PLUGIN_CALL Create(TvMessageHandles* handles) {
  try {
    return reinterpret_cast<TvPluginInstance>(new WaveDecoder(handles));
  } catch (...) {
    return 0;
  }
}

__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL Destroy(TvPluginInstance i) {
  return guarded([&] {
    delete instanceOf(i);
    return i != 0;
  });
}

__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL Get(TvPluginInstance i, const WCHAR* key, TvSettingValue* v) {
  return guarded([&] { return i && key && instanceOf(i)->get(tvw::toU16(key), v); });
}

__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL Set(TvPluginInstance i, const WCHAR* key, TvSettingValue* v) {
  return guarded([&] { return i && key && instanceOf(i)->set(tvw::toU16(key), v); });
}

__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL Open(TvPluginInstance i, TvStreamInfo* s) {
  return guarded([&] { return i && instanceOf(i)->open(s); });
}

__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL Close(TvPluginInstance i, TvConversionInfo*) {
  return guarded([&] { return i && instanceOf(i)->close(); });
}

__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL DecodeBlock(TvPluginInstance i, TvAudioBlock* b) {
  return guarded([&] { return i && instanceOf(i)->decodeBlock(b); });
}

// Seeking is not part of what the suite asks of a decoder.
__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL SetPosition(TvPluginInstance) { return 0; }

__declspec(dllexport) TvPluginResult TV_PLUGIN_CALL DeleteATag(TvPluginInstance i, const WCHAR* path,
                                                               const WCHAR* names) {
  return guarded([&] { return i && instanceOf(i)->deleteTags(path, names); });
}

}  // extern "C"
