// The texts of the one-shot debug trace: the watch event's name and the
// watcher's arguments. No platform headers.
#pragma once
#include <cstdint>
#include <string>

namespace tv {

// "TvDGB" + the decimal millisecond tick count.
std::string DebugWatchEventName(uint32_t tickCount);

// -DebugWatch="<event>" -DebugFile="<trace file>"
std::wstring DebugWatcherArguments(const std::wstring& eventName, const std::wstring& traceFile);

}  // namespace tv
