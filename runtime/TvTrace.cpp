#include "TvTrace.h"

#include "TvCodePage.h"
#include "TvSync.h"
#include "TvTraceFormat.h"

namespace {

// The process-wide trace state: one unnamed mutex serialises the trace lines
// of all threads, plug-in code included. Built on first use, which C++
// guarantees to happen once even when threads race to it.
struct TraceState {
  clMutex lock;
  clTraceLayout layout;
  TraceState() { lock.Create(); }
};

TraceState& State() {
  static TraceState state;
  return state;
}

bool Usable(HANDLE handle) { return handle != nullptr && handle != INVALID_HANDLE_VALUE; }

// One WriteFile of the whole text; failures are ignored by design (a report
// must never turn into a failure of its own).
void WriteWide(HANDLE handle, const std::wstring& text) {
  if (!Usable(handle) || text.empty()) return;
  DWORD written = 0;
  WriteFile(handle, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)), &written, nullptr);
}

std::wstring FunctionName(const char* function) {
  return function ? tv::AnsiToWide(function) : std::wstring();
}

void Report(const std::wstring& text, const TvMessageHandles* handles, const char* function,
            const wchar_t* prefix, HANDLE channel) {
  tv::Trace(text, handles, function, true, prefix);
  std::wstring name = FunctionName(function);
  WriteWide(channel, text + tv::TraceLineSuffix(function ? &name : nullptr));
}

}  // namespace

namespace tv {

void Trace(const std::wstring& text, const TvMessageHandles* handles, const char* function,
           bool endLine, const wchar_t* prefix) {
  TraceState& state = State();
  std::wstring name = FunctionName(function);
  std::wstring prefixText = prefix ? std::wstring(prefix) : std::wstring();
  clMutexLock hold(state.lock);
  std::wstring line = state.layout.Compose(text, function ? &name : nullptr, endLine,
                                           prefix ? &prefixText : nullptr);
  WriteWide(handles ? handles->hTraceFile : nullptr, line);
}

void ReportInformation(const std::wstring& text, const TvMessageHandles* handles, const char* function) {
  Report(text, handles, function, L"*** Information: ", handles ? handles->hInfoChannel : nullptr);
}

void ReportError(const std::wstring& text, const TvMessageHandles* handles, const char* function) {
  Report(text, handles, function, L"*** Error: ", handles ? handles->hErrorChannel : nullptr);
}

void ResetTraceState() {
  TraceState& state = State();
  clMutexLock hold(state.lock);
  state.layout.Reset();
}

}  // namespace tv

clTraceScope::clTraceScope(const TvMessageHandles* handles, const char* function)
    : handles_(handles), function_(function) {
  tv::Trace(L"->->", handles_, function_);
}

clTraceScope::~clTraceScope() { tv::Trace(L"<-<-", handles_, function_); }
