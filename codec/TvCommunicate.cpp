#include "TvCommunicate.h"

#include <functional>
#include <string>

#include "TvPluginGuard.h"
#include "TvString.h"
#include "TvTrace.h"
#include "clTvDecoder.h"
#include "clTvEncoder.h"

namespace {

using SettingCall = std::function<TvPluginResult(const wchar_t*, TvSettingValue*)>;

struct RelayParty {
  SettingCall get;
  SettingCall set;
};

// Serves one request: the target's Get or Set, or 0 when anything is missing
// or unknown.
TvPluginResult Serve(const TvSettingValue& request, const RelayParty* decoder, const RelayParty& encoder) {
  std::wstring target, verb, setting;
  if (!tv::CopyPluginText(request.text, target)) return 0;
  if (!tv::CopyPluginText(request.text2, verb) || !tv::CopyPluginText(request.text3, setting)) return 0;
  // The record is the target's to read and fill: it must be whole and writable.
  if (!request.data || !tv::IsWritableRange(request.data, sizeof(TvSettingValue))) return 0;

  const RelayParty* party = nullptr;
  if (tv::EqualsNoCase(target, TV_TARGET_DECODER)) party = decoder;
  else if (tv::EqualsNoCase(target, TV_TARGET_ENCODER)) party = &encoder;
  if (!party) return 0;

  auto* record = static_cast<TvSettingValue*>(request.data);
  if (tv::EqualsNoCase(verb, TV_VERB_GET)) return party->get(setting.c_str(), record);
  if (tv::EqualsNoCase(verb, TV_VERB_SET)) return party->set(setting.c_str(), record);
  return 0;
}

int AskParty(const wchar_t* hook, const RelayParty& asker, const RelayParty* decoder, const RelayParty& encoder,
             bool noErrorSoFar, const TvMessageHandles* handles) {
  int request = 0;
  for (; request < kMaxCommunicateRequests; ++request) {
    TvSettingValue value = {};
    value.index = request;
    value.number = noErrorSoFar ? 1 : 0;
    value.text = hook;
    if (!asker.get(TV_KEY_COMMUNICATE, &value)) return request;
    value.number = Serve(value, decoder, encoder);
    asker.set(TV_KEY_COMMUNICATE_RESULT, &value);
  }
  tv::ReportInformation(L"A plug-in made more than " + std::to_wstring(kMaxCommunicateRequests) +
                            L" requests at " + std::wstring(hook ? hook : L"") + L"; the rest are ignored.",
                        handles, "TvRelayCommunicate");
  return request;
}

}  // namespace

int TvRelayCommunicate(const wchar_t* hook, clTvDecoder* decoder, clTvEncoder* encoder, bool noErrorSoFar,
                       const TvMessageHandles* handles) {
  if (!encoder) return 0;
  RelayParty encoderParty{[encoder](const wchar_t* k, TvSettingValue* v) { return encoder->Get(k, v); },
                          [encoder](const wchar_t* k, TvSettingValue* v) { return encoder->Set(k, v); }};
  RelayParty decoderParty;
  if (decoder) {
    decoderParty.get = [decoder](const wchar_t* k, TvSettingValue* v) { return decoder->Get(k, v); };
    decoderParty.set = [decoder](const wchar_t* k, TvSettingValue* v) { return decoder->Set(k, v); };
  }
  const RelayParty* servedDecoder = decoder ? &decoderParty : nullptr;
  int relayed = 0;
  if (decoder) relayed += AskParty(hook, decoderParty, servedDecoder, encoderParty, noErrorSoFar, handles);
  relayed += AskParty(hook, encoderParty, servedDecoder, encoderParty, noErrorSoFar, handles);
  return relayed;
}
