// The DSP exports, shared by both effects: each effect defines a class with
// the calls below and instantiates the exports once with TV_DSP_EXPORTS.
#pragma once
#include <TvPluginApi.h>

#include "ContractRecords.h"

#define TV_DSP_EXPORTS(Effect)                                                                                     \
  extern "C" {                                                                                                     \
  __declspec(dllexport) TvPluginInstance TV_PLUGIN_CALL DSP_Create(TvMessageHandles* handles) {                    \
    try {                                                                                                          \
      return reinterpret_cast<TvPluginInstance>(new Effect(handles));                                              \
    } catch (...) {                                                                                                \
      return 0;                                                                                                    \
    }                                                                                                              \
  }                                                                                                                \
  __declspec(dllexport) TvPluginResult TV_PLUGIN_CALL DSP_Destroy(TvPluginInstance i) {                            \
    return tvw::guarded([&] {                                                                                      \
      delete reinterpret_cast<Effect*>(i);                                                                         \
      return i != 0;                                                                                               \
    });                                                                                                            \
  }                                                                                                                \
  __declspec(dllexport) TvPluginResult TV_PLUGIN_CALL DSP_Get(TvPluginInstance i, const WCHAR* key,                \
                                                              TvSettingValue* v) {                                 \
    return tvw::guarded([&] { return i && key && reinterpret_cast<Effect*>(i)->get(tvw::toU16(key), v); });       \
  }                                                                                                                \
  __declspec(dllexport) TvPluginResult TV_PLUGIN_CALL DSP_Set(TvPluginInstance i, const WCHAR* key,                \
                                                              TvSettingValue* v) {                                 \
    return tvw::guarded([&] { return i && key && reinterpret_cast<Effect*>(i)->set(tvw::toU16(key), v); });       \
  }                                                                                                                \
  __declspec(dllexport) TvPluginResult TV_PLUGIN_CALL DSP_ShowConfigBit(TvPluginInstance) { return 0; }            \
  __declspec(dllexport) TvPluginResult TV_PLUGIN_CALL DSP_RemoveConfigBit(TvPluginInstance) { return 0; }          \
  __declspec(dllexport) TvPluginResult TV_PLUGIN_CALL DSP_BeginConversion(TvPluginInstance i, TvConversionInfo* c, \
                                                                          const WCHAR* settings) {                 \
    return tvw::guarded([&] { return i && reinterpret_cast<Effect*>(i)->begin(c, tvw::toU16(settings)); });       \
  }                                                                                                                \
  __declspec(dllexport) TvPluginResult TV_PLUGIN_CALL DSP_PassAudioBlock(TvPluginInstance i, TvAudioBlock* b) {    \
    return tvw::guarded([&] { return i && reinterpret_cast<Effect*>(i)->passBlock(b); });                          \
  }                                                                                                                \
  __declspec(dllexport) TvPluginResult TV_PLUGIN_CALL DSP_PassNonLive(TvPluginInstance i, const WCHAR* path,       \
                                                                      TvAudioDescription* d,                       \
                                                                      const WCHAR* settings, const WCHAR* quit) {  \
    return tvw::guarded(                                                                                           \
        [&] { return i && reinterpret_cast<Effect*>(i)->passNonLive(path, d, tvw::toU16(settings), quit); });      \
  }                                                                                                                \
  __declspec(dllexport) TvPluginResult TV_PLUGIN_CALL DSP_EndConversion(TvPluginInstance i, TvConversionInfo*) {   \
    return i != 0;                                                                                                 \
  }                                                                                                                \
  __declspec(dllexport) TvPluginResult TV_PLUGIN_CALL DSP_AfterConversion(TvPluginInstance i, TvConversionInfo*) { \
    return i != 0;                                                                                                 \
  }                                                                                                                \
  }
