// Test DSP effect: XORs every audio byte with a chosen value, live block by
// block or over a raw PCM file. Knobs: README.md; settings text "xor=N live=0|1 rate=N".
#include <string>
#include <vector>

#include "TestPluginSupport.h"

using namespace tvtest;

namespace {

class clTestDSP : public clTestPlugin {
 public:
  explicit clTestDSP(const TvMessageHandles* handles) : clTestPlugin(L"TVTEST_DSP_", L"tvtest_dsp", handles) {}

  // A setting from the settings text ("xor=255 live=0"), else the knob.
  long long Setting(const WCHAR* settings, const wchar_t* name, const wchar_t* knob, long long fallback) const {
    for (const std::wstring& token : Split(Text(settings), L' ')) {
      const size_t eq = token.find(L'=');
      if (eq != std::wstring::npos && EqualsNoCase(token.substr(0, eq), name))
        return ToNumber(token.substr(eq + 1), fallback);
    }
    return Knobs().Number(knob, fallback);
  }

  BYTE mask = 0;
};

clTestDSP* Self(TvPluginInstance instance) { return reinterpret_cast<clTestDSP*>(instance); }

bool QuitRequested(const WCHAR* quitEventName) {
  if (!quitEventName || !*quitEventName) return false;
  HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, quitEventName);
  if (!event) return false;
  const bool set = WaitForSingleObject(event, 0) == WAIT_OBJECT_0;
  CloseHandle(event);
  return set;
}

}  // namespace

extern "C" {

TvPluginInstance TV_PLUGIN_CALL DSP_Create(const TvMessageHandles* handles) {
  auto* p = new clTestDSP(handles);
  if (!p->Enter(L"Create", nullptr, L"") || p->Knobs().Flag(L"REFUSE_CREATE")) {
    delete p;
    return 0;
  }
  return reinterpret_cast<TvPluginInstance>(p);
}

TvPluginResult TV_PLUGIN_CALL DSP_Destroy(TvPluginInstance instance) {
  clTestDSP* p = Self(instance);
  if (!p) return 0;
  p->Enter(L"Destroy", nullptr, L"");
  delete p;
  return 1;
}

TvPluginResult TV_PLUGIN_CALL DSP_Get(TvPluginInstance instance, const WCHAR* key, TvSettingValue* value) {
  clTestDSP* p = Self(instance);
  if (!p || !key || !value) return 0;
  if (!p->Enter(L"Get", key, L"text=" + Text(value->text))) return 0;
  if (std::wstring(key) == TV_KEY_IS_LIVE) return p->Setting(value->text, L"live", L"LIVE", 1) ? 1 : 0;
  return 0;
}

TvPluginResult TV_PLUGIN_CALL DSP_Set(TvPluginInstance instance, const WCHAR* key, TvSettingValue* value) {
  clTestDSP* p = Self(instance);
  if (!p || !key || !value) return 0;
  if (!p->Enter(L"Set", key, L"number=" + std::to_wstring(value->number) + L" text=" + Text(value->text))) return 0;
  return std::wstring(key) == TV_KEY_BATCHID ? 1 : 0;
}

TvPluginResult TV_PLUGIN_CALL DSP_ShowConfigBit(TvPluginInstance instance) { return 0; }

TvPluginResult TV_PLUGIN_CALL DSP_RemoveConfigBit(TvPluginInstance instance) { return 0; }

TvPluginResult TV_PLUGIN_CALL DSP_BeginConversion(TvPluginInstance instance, TvConversionInfo* conversion,
                                                  const WCHAR* settings) {
  clTestDSP* p = Self(instance);
  if (!p) return 0;
  if (!p->Enter(L"BeginConversion", nullptr, L"settings=" + Text(settings))) return 0;
  p->mask = static_cast<BYTE>(p->Setting(settings, L"xor", L"XOR", 0));
  return 1;
}

TvPluginResult TV_PLUGIN_CALL DSP_PassAudioBlock(TvPluginInstance instance, TvAudioBlock* block) {
  clTestDSP* p = Self(instance);
  if (!p || !block) return 0;
  if (!p->Enter(L"PassAudioBlock", nullptr, L"size=" + std::to_wstring(block->dataSize))) return 0;
  if (block->dataSize < 0 || (block->dataSize > 0 && !block->data)) return 0;
  for (INT32 i = 0; i < block->dataSize; ++i) block->data[i] ^= p->mask;
  p->SetActionText(block);
  if (p->Knobs().Misbehaves(L"hugesize")) block->dataSize = 0x7FFFFFF0;
  if (p->Knobs().Misbehaves(L"badpointer")) block->data = p->Unreadable();
  return 1;
}

TvPluginResult TV_PLUGIN_CALL DSP_PassNonLive(TvPluginInstance instance, const WCHAR* pcmPath,
                                              TvAudioDescription* description, const WCHAR* settings,
                                              const WCHAR* quitEventName) {
  clTestDSP* p = Self(instance);
  if (!p || !pcmPath || !description) return 0;
  if (!p->Enter(L"PassNonLive", nullptr, L"path=" + Text(pcmPath) + L" settings=" + Text(settings) + L" quit=" +
                                          Text(quitEventName)))
    return 0;
  const BYTE mask = static_cast<BYTE>(p->Setting(settings, L"xor", L"XOR", 0));
  HANDLE file = CreateFileW(pcmPath, GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    p->ReportError(p->Name() + L": cannot open " + Text(pcmPath));
    return 0;
  }
  std::vector<BYTE> chunk(65536);
  LARGE_INTEGER at = {};
  bool ok = true;
  for (;;) {
    if (QuitRequested(quitEventName)) {
      ok = false;
      break;
    }
    DWORD read = 0;
    SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
    if (!ReadFile(file, chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr) || read == 0) break;
    for (DWORD i = 0; i < read; ++i) chunk[i] ^= mask;
    DWORD written = 0;
    SetFilePointerEx(file, at, nullptr, FILE_BEGIN);
    if (!WriteFile(file, chunk.data(), read, &written, nullptr) || written != read) {
      ok = false;
      break;
    }
    at.QuadPart += read;
  }
  CloseHandle(file);
  const long long rate = p->Setting(settings, L"rate", L"RATE", 0);
  if (ok && rate > 0) {  // a resampling effect would change the description like this
    WAVEFORMATEX& f = description->format.Format;
    f.nSamplesPerSec = static_cast<DWORD>(rate);
    f.nAvgBytesPerSec = f.nSamplesPerSec * f.nBlockAlign;
  }
  return ok ? 1 : 0;
}

TvPluginResult TV_PLUGIN_CALL DSP_EndConversion(TvPluginInstance instance, TvConversionInfo* conversion) {
  clTestDSP* p = Self(instance);
  return p && p->Enter(L"EndConversion", nullptr, L"") ? 1 : 0;
}

TvPluginResult TV_PLUGIN_CALL DSP_AfterConversion(TvPluginInstance instance, TvConversionInfo* conversion) {
  clTestDSP* p = Self(instance);
  return p && p->Enter(L"AfterConversion", nullptr, L"") ? 1 : 0;
}

}  // extern "C"
