#include "TvInfoRequestKind.h"

#include "clCommandLine.h"

namespace tv {

InfoRequest ParseInfoRequest(const std::wstring& commandLine) {
  InfoRequest request;
  size_t tempF = commandLine.find(kTempFMarker);
  if (tempF != std::wstring::npos) {
    request.kind = InfoRequestKind::PopupTempF;
    request.value = commandLine.substr(tempF + std::wstring(kTempFMarker).size());
    return request;
  }

  size_t start = 1;
  if (!commandLine.empty() && commandLine[0] == L'"') {
    size_t close = commandLine.find(L'"', 1);
    start = close == std::wstring::npos ? commandLine.size() + 1 : close + 2;
  }
  clCommandLine options;
  options.Parse(commandLine, start);

  struct Named {
    const wchar_t* option;
    InfoRequestKind kind;
  };
  static const Named kSingle[] = {{L"Tipfetch", InfoRequestKind::Popup},
                                  {L"GetAudioInf", InfoRequestKind::AudioInfo},
                                  {L"GetAudioExts", InfoRequestKind::Extensions},
                                  {L"DelTagElements", InfoRequestKind::DeleteTags},
                                  {L"SetTags", InfoRequestKind::SetTags}};
  for (const Named& named : kSingle) {
    if (options.HasOption(named.option)) {
      request.kind = named.kind;
      request.value = options.OptionValue(named.option);
      return request;
    }
  }
  if (options.HasOption(L"DebugWatch") && options.HasOption(L"DebugFile")) {
    request.kind = InfoRequestKind::DebugWatch;
    request.value = options.OptionValue(L"DebugWatch");
    request.value2 = options.OptionValue(L"DebugFile");
    return request;
  }
  if (options.HasOption(L"edit_tags")) {
    request.kind = InfoRequestKind::EditTags;
    request.value = options.OptionValue(L"edit_tags");
  }
  return request;
}

const wchar_t* InfoRequestName(InfoRequestKind kind) {
  switch (kind) {
    case InfoRequestKind::PopupTempF: return L"<tempF>";
    case InfoRequestKind::Popup: return L"Tipfetch";
    case InfoRequestKind::AudioInfo: return L"GetAudioInf";
    case InfoRequestKind::Extensions: return L"GetAudioExts";
    case InfoRequestKind::DeleteTags: return L"DelTagElements";
    case InfoRequestKind::SetTags: return L"SetTags";
    case InfoRequestKind::DebugWatch: return L"DebugWatch";
    case InfoRequestKind::EditTags: return L"edit_tags";
    case InfoRequestKind::None: break;
  }
  return L"";
}

}  // namespace tv
