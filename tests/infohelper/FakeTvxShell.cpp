// Stands in for TvxShell.dll in the helper's folder: its EditIDTags writes
// the text it was given (UTF-16LE) to the file named by TV_FAKE_TVXSHELL_LOG.
// Built a second time without the export, as a library the helper must pass by.
#include <windows.h>

extern "C" {

#ifndef TV_FAKE_NO_EXPORT
int WINAPI EditIDTags(const wchar_t* listFile) {
  wchar_t log[1024] = {};
  if (!listFile || !GetEnvironmentVariableW(L"TV_FAKE_TVXSHELL_LOG", log, 1024)) return 0;
  HANDLE file = CreateFileW(log, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 0;
  DWORD written = 0;
  WriteFile(file, listFile, DWORD(lstrlenW(listFile) * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
  return 1;
}
#else
int WINAPI SomethingElse(const wchar_t*) { return 1; }
#endif
}
