#include "TvProcess.h"

#include <vector>

namespace tv {

bool StartProcess(const std::wstring& program, const std::wstring& arguments, bool wait,
                  DWORD timeLimitMs, bool inheritHandles, DWORD creationFlags, DWORD* processId) {
  if (processId) *processId = 0;
  std::wstring command = ChildCommandLine(program, arguments);
  std::vector<wchar_t> commandBuffer(command.begin(), command.end());
  commandBuffer.push_back(L'\0');  // CreateProcessW may write into its command line

  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, commandBuffer.data(), nullptr, nullptr, inheritHandles ? TRUE : FALSE,
                      creationFlags, nullptr, nullptr, &startup, &info))
    return false;
  if (processId) *processId = info.dwProcessId;

  bool result = true;
  if (wait) {
    if (timeLimitMs == 0) {
      WaitForSingleObject(info.hProcess, INFINITE);
    } else {
      const DWORD started = GetTickCount();
      for (;;) {
        if (WaitForSingleObject(info.hProcess, 250) != WAIT_TIMEOUT) break;
        if (GetTickCount() - started >= timeLimitMs) {
          result = false;  // the child keeps running; its caller gets no answer
          break;
        }
        Sleep(25);
      }
    }
  }
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return result;
}

}  // namespace tv
