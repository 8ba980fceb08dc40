// Stands in for TipfetchInfo.exe beside a copied Rendermill.exe: records the
// command line it was started with into the file named by TV_FAKE_WATCHER_LOG
// and, once the engine's watch event is gone, appends "gone".
#include <windows.h>

#include <string>

namespace {

void Append(const std::wstring& path, const std::wstring& text) {
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, text.data(), DWORD(text.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

int main() {
  wchar_t log[MAX_PATH] = {};
  if (!GetEnvironmentVariableW(L"TV_FAKE_WATCHER_LOG", log, MAX_PATH)) return 1;
  const std::wstring commandLine = GetCommandLineW();
  Append(log, commandLine + L"\n");

  // The event name follows -DebugWatch=" up to the closing quote.
  const std::wstring marker = L"-DebugWatch=\"";
  const size_t at = commandLine.find(marker);
  if (at == std::wstring::npos) return 1;
  const size_t start = at + marker.size();
  const std::wstring name = commandLine.substr(start, commandLine.find(L'"', start) - start);
  for (int i = 0; i < 600; ++i) {  // at most a minute
    HANDLE event = OpenEventW(SYNCHRONIZE, FALSE, name.c_str());
    if (!event) {
      Append(log, L"gone\n");
      return 0;
    }
    CloseHandle(event);
    Sleep(100);
  }
  return 1;
}
