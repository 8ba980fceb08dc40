// Behaves like a codec plug-in that reports through the handles it was given:
// one plain WriteFile of a UTF-16LE line per channel, and a successful result.
#include <windows.h>

#include "TvTrace.h"

namespace {
void WriteLine(HANDLE handle, const wchar_t* line) {
  if (!handle) return;
  DWORD written = 0;
  WriteFile(handle, line, static_cast<DWORD>(lstrlenW(line) * sizeof(wchar_t)), &written, nullptr);
}
}  // namespace

extern "C" __declspec(dllexport) int WriteReports(const TvMessageHandles* handles, int withError) {
  WriteLine(handles->hInfoChannel, L"Plug-in note\r\n");
  if (withError) WriteLine(handles->hErrorChannel, L"Plug-in trouble  [clPlugin::Encode]\r\n");
  return 1;  // the call itself succeeds
}
