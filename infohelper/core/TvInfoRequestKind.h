// Which request a TipfetchInfo command line makes. Plain text work: the
// options are split with clCommandLine, starting after the quoted program
// path when the line begins with a double quote.
#pragma once
#include <string>

namespace tv {

enum class InfoRequestKind {
  None,          // no known request: the "not designed to run on its own" box
  PopupTempF,    // "<tempF>" + path anywhere: ANSI request, UTF-8 answer
  Popup,         // "Tipfetch": UTF-16 pop-up text
  AudioInfo,     // "GetAudioInf": tags, properties and audio description
  Extensions,    // "GetAudioExts": every decoder's extensions
  DeleteTags,    // "DelTagElements"
  SetTags,       // "SetTags"
  DebugWatch,    // "DebugWatch" with "DebugFile"
  EditTags,      // "edit_tags"
};

constexpr const wchar_t* kTempFMarker = L"<tempF>";

struct InfoRequest {
  InfoRequestKind kind = InfoRequestKind::None;
  std::wstring value;   // the request file, event name or text handed on
  std::wstring value2;  // the trace file of a debug watch
};

// The first request kind the command line names, in the order of the enum.
// A named request whose value is empty is still that request (it then does
// nothing); a "DebugWatch" without "DebugFile" (or the reverse) is none.
InfoRequest ParseInfoRequest(const std::wstring& commandLine);

const wchar_t* InfoRequestName(InfoRequestKind kind);

}  // namespace tv
