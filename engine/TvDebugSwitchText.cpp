#include "TvDebugSwitchText.h"

namespace tv {

std::string DebugWatchEventName(uint32_t tickCount) { return "TvDGB" + std::to_string(tickCount); }

std::wstring DebugWatcherArguments(const std::wstring& eventName, const std::wstring& traceFile) {
  return L"-DebugWatch=\"" + eventName + L"\" -DebugFile=\"" + traceFile + L"\"";
}

}  // namespace tv
