// Stands in for the program the shell opens a trace file with: writes its
// command line (UTF-16LE) to the file named by TV_FAKE_VIEWER_LOG.
#include <windows.h>

int main() {
  wchar_t log[1024] = {};
  if (!GetEnvironmentVariableW(L"TV_FAKE_VIEWER_LOG", log, 1024)) return 1;
  const wchar_t* commandLine = GetCommandLineW();
  HANDLE file = CreateFileW(log, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(file, commandLine, DWORD(lstrlenW(commandLine) * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  return 0;
}
