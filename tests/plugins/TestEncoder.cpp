// Test encoder: writes every block it receives to its output file verbatim
// (or, when it reads the source itself, copies the source file). Knobs: README.md.
#include <string>
#include <vector>

#include "TestPluginSupport.h"

using namespace tvtest;

namespace {

class clTestEncoder : public clTestPlugin {
 public:
  explicit clTestEncoder(const TvMessageHandles* handles) : clTestPlugin(L"TVTEST_ENC_", L"tvtest_enc", handles) {}
  ~clTestEncoder() override { CloseOutput(); }

  void CloseOutput() {
    if (output != INVALID_HANDLE_VALUE) CloseHandle(output);
    output = INVALID_HANDLE_VALUE;
  }

  HANDLE output = INVALID_HANDLE_VALUE;
  long long written = 0;
};

clTestEncoder* Self(TvPluginInstance instance) { return reinterpret_cast<clTestEncoder*>(instance); }

bool Append(clTestEncoder* e, const BYTE* data, size_t size) {
  DWORD done = 0;
  if (size && !WriteFile(e->output, data, static_cast<DWORD>(size), &done, nullptr)) return false;
  e->written += done;
  return done == size;
}

}  // namespace

extern "C" {

TvPluginInstance TV_PLUGIN_CALL ENC_Create(const TvMessageHandles* handles) {
  auto* e = new clTestEncoder(handles);
  if (!e->Enter(L"Create", nullptr, L"") || e->Knobs().Flag(L"REFUSE_CREATE")) {
    delete e;
    return 0;
  }
  return reinterpret_cast<TvPluginInstance>(e);
}

TvPluginResult TV_PLUGIN_CALL ENC_Destroy(TvPluginInstance instance) {
  clTestEncoder* e = Self(instance);
  if (!e) return 0;
  e->Enter(L"Destroy", nullptr, L"");
  delete e;
  return 1;
}

TvPluginResult TV_PLUGIN_CALL ENC_Get(TvPluginInstance instance, const WCHAR* key, TvSettingValue* value) {
  clTestEncoder* e = Self(instance);
  if (!e || !key || !value) return 0;
  const std::wstring k = key;
  if (!e->Enter(L"Get", key, L"index=" + std::to_wstring(value->index) + L" number=" +
                                  std::to_wstring(value->number) + L" text=" + Text(value->text) + L" text2=" +
                                  Text(value->text2) + L" text3=" + Text(value->text3)))
    return 0;
  const clKnobs& knobs = e->Knobs();
  if (k == TV_KEY_EXTENSION) {
    value->text = e->Answer(knobs.Value(L"EXTENSION", L".tvo"));
    return 1;
  }
  if (k == TV_KEY_OPTIONS) {
    static const wchar_t* const kEntries[] = {L"128", L"256"};
    if (value->index != 0 || value->number < 0 || value->number > 1) return 0;
    value->text = e->Answer(value->number == 0 ? L"Bit Rate" : L"");
    value->text2 = e->Answer(L"TestEncoder\\BitRate");
    value->text3 = e->Answer(kEntries[value->number]);
    return 1;
  }
  if (k == TV_KEY_NEED_HQ_AUDIO) return knobs.Flag(L"NEED_HQ") ? 1 : 0;
  if (k == TV_KEY_SEND_RAW_UNCOMPRESSED) return knobs.Flag(L"SEND_RAW") ? 1 : 0;
  if (k == TV_KEY_COMMUNICATE) return e->NextCommunicateRequest(value) ? 1 : 0;
  return 0;
}

TvPluginResult TV_PLUGIN_CALL ENC_Set(TvPluginInstance instance, const WCHAR* key, TvSettingValue* value) {
  clTestEncoder* e = Self(instance);
  if (!e || !key || !value) return 0;
  const std::wstring k = key;
  if (!e->Enter(L"Set", key, L"number=" + std::to_wstring(value->number) + L" text=" + Text(value->text))) return 0;
  if (k == TV_KEY_COMMUNICATE_RESULT) {
    e->TakeCommunicateResult(value);
    return 1;
  }
  if (k == TV_KEY_BATCHID || k == TV_KEY_PRIORITY) return 1;
  return 0;
}

TvPluginResult TV_PLUGIN_CALL ENC_ShowConfigBit(TvPluginInstance instance) { return 0; }

TvPluginResult TV_PLUGIN_CALL ENC_RemoveConfigBit(TvPluginInstance instance) { return 0; }

TvPluginResult TV_PLUGIN_CALL ENC_BeginConversion(TvPluginInstance instance, TvConversionInfo* conversion) {
  clTestEncoder* e = Self(instance);
  if (!e || !conversion) return 0;
  std::wstring details = L"source=" + Text(conversion->sourcePath) + L" output=" + Text(conversion->outputPath) +
                         L" cmd=" + Text(conversion->codecCommandLine) + L" tags=" +
                         std::to_wstring(conversion->tagBlockSize) + L" properties=" +
                         std::to_wstring(conversion->propertyBlockSize);
  if (conversion->description) {
    const WAVEFORMATEX& f = conversion->description->format.Format;
    details += L" rate=" + std::to_wstring(f.nSamplesPerSec) + L" channels=" + std::to_wstring(f.nChannels) +
               L" bits=" + std::to_wstring(f.wBitsPerSample) + L" ms=" +
               std::to_wstring(conversion->description->lengthMs);
  }
  if (!e->Enter(L"BeginConversion", nullptr, details)) return 0;
  if (!conversion->outputPath) return 0;
  e->CloseOutput();
  e->written = 0;
  e->output = CreateFileW(conversion->outputPath, GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
  if (e->output == INVALID_HANDLE_VALUE) {
    e->ReportError(e->Name() + L": cannot create " + Text(conversion->outputPath));
    return 0;
  }
  if (e->Knobs().Flag(L"SEND_RAW")) {  // it reads the source itself
    std::vector<BYTE> source;
    if (!ReadWholeFile(Text(conversion->sourcePath), source) || !Append(e, source.data(), source.size())) {
      e->ReportError(e->Name() + L": cannot copy " + Text(conversion->sourcePath));
      return 0;
    }
  }
  return 1;
}

TvPluginResult TV_PLUGIN_CALL ENC_EncodeBlock(TvPluginInstance instance, TvAudioBlock* block) {
  clTestEncoder* e = Self(instance);
  if (!e || !block) return 0;
  if (!e->Enter(L"EncodeBlock", nullptr, L"size=" + std::to_wstring(block->dataSize) + L" positionMs=" +
                                         std::to_wstring(block->positionMs) + L" last=" +
                                         std::to_wstring(block->lastBlock)))
    return 0;
  if (e->output == INVALID_HANDLE_VALUE || block->dataSize < 0 || (block->dataSize > 0 && !block->data)) return 0;
  if (!Append(e, block->data, static_cast<size_t>(block->dataSize))) {
    e->ReportError(e->Name() + L": cannot write the output");
    return 0;
  }
  e->SetActionText(block);
  return 1;
}

TvPluginResult TV_PLUGIN_CALL ENC_EndConversion(TvPluginInstance instance, TvConversionInfo* conversion,
                                                INT32* writeTags) {
  clTestEncoder* e = Self(instance);
  if (!e) return 0;
  const bool ok = e->Enter(L"EndConversion", nullptr, L"written=" + std::to_wstring(e->written));
  e->CloseOutput();
  if (writeTags) *writeTags = e->Knobs().Flag(L"WRITE_TAGS") ? 1 : 0;
  return ok ? 1 : 0;
}

}  // extern "C"
