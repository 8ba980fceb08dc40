// A stand-in for TipfetchInfo.exe that answers each request with the bytes
// of a file the test names, so the shell extension can be given answers the
// real helper never writes. Knobs (environment):
//   TVTEST_FAKEHELPER_TIP, _INFO, _EXTS  file whose bytes replace the request
//       file's content for --Tipfetch=, --GetAudioInf=, --GetAudioExts=;
//       unset: the request file is left untouched
//   TVTEST_FAKEHELPER_LOG  file to which one line per run is appended, and
//       "done" when the run ends
//   TVTEST_FAKEHELPER_SLEEP_MS  milliseconds to sleep before answering (a hang)
//   TVTEST_FAKEHELPER_HOLD  1: keep the request file open while sleeping
#include <windows.h>

#include <string>
#include <vector>

namespace {

std::wstring Knob(const wchar_t* name) {
  wchar_t buffer[1024] = {};
  const DWORD n = GetEnvironmentVariableW(name, buffer, 1024);
  return n && n < 1024 ? std::wstring(buffer, n) : std::wstring();
}

std::vector<char> FileBytes(const std::wstring& path) {
  std::vector<char> bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  const DWORD size = GetFileSize(file, nullptr);
  bytes.resize(size);
  DWORD read = 0;
  if (size) ReadFile(file, bytes.data(), size, &read, nullptr);
  bytes.resize(read);
  CloseHandle(file);
  return bytes;
}

void AppendLog(const std::string& line) {
  const std::wstring log = Knob(L"TVTEST_FAKEHELPER_LOG");
  if (log.empty()) return;
  HANDLE file = CreateFileW(log.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_ALWAYS,
                            0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  const std::string text = line + "\n";
  WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
  CloseHandle(file);
}

// Replaces the request file's content with the answer file's bytes; no answer
// file leaves the request untouched.
void Answer(const std::wstring& requestPath, const std::wstring& answerPath) {
  if (answerPath.empty()) return;
  const std::vector<char> bytes = FileBytes(answerPath);
  HANDLE file = CreateFileW(requestPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  SetEndOfFile(file);
  DWORD written = 0;
  if (!bytes.empty()) WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace

int main() {
  const std::wstring command = GetCommandLineW();
  struct Request {
    const wchar_t* option;
    const wchar_t* knob;
    const char* name;
  };
  const Request requests[] = {{L"--Tipfetch=\"", L"TVTEST_FAKEHELPER_TIP", "Tipfetch"},
                              {L"--GetAudioInf=\"", L"TVTEST_FAKEHELPER_INFO", "GetAudioInf"},
                              {L"--GetAudioExts=\"", L"TVTEST_FAKEHELPER_EXTS", "GetAudioExts"}};
  for (const Request& request : requests) {
    const size_t at = command.find(request.option);
    if (at == std::wstring::npos) continue;
    const size_t start = at + wcslen(request.option);
    const size_t end = command.find(L'"', start);
    if (end == std::wstring::npos) return 0;
    const std::wstring requestPath = command.substr(start, end - start);
    char utf8[2048] = {};
    WideCharToMultiByte(CP_UTF8, 0, requestPath.c_str(), -1, utf8, sizeof(utf8) - 1, nullptr, nullptr);
    AppendLog(std::string(request.name) + " " + utf8);
    HANDLE held = INVALID_HANDLE_VALUE;
    if (Knob(L"TVTEST_FAKEHELPER_HOLD") == L"1")
      held = CreateFileW(requestPath.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, 0, nullptr);
    const std::wstring sleep = Knob(L"TVTEST_FAKEHELPER_SLEEP_MS");
    if (!sleep.empty()) Sleep(DWORD(_wtoi(sleep.c_str())));
    Answer(requestPath, Knob(request.knob));
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    AppendLog("done");
    return 0;
  }
  return 0;
}
