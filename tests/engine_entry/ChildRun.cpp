#include "ChildRun.h"

#include <thread>

namespace {

struct PipeReader {
  HANDLE read = nullptr;
  std::string bytes;
  std::thread worker;

  void Start() {
    worker = std::thread([this] {
      char chunk[4096];
      DWORD got = 0;
      while (ReadFile(read, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
    });
  }
  void Finish() {
    if (worker.joinable()) worker.join();
    if (read) CloseHandle(read);
    read = nullptr;
  }
};

bool MakePipe(HANDLE& read, HANDLE& write) {
  SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
  if (!CreatePipe(&read, &write, &sa, 0)) return false;
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);  // only the child's end is inherited
  return true;
}

struct BoxSearch {
  DWORD processId;
  HWND found;
};

BOOL CALLBACK FindBox(HWND window, LPARAM param) {
  BoxSearch* search = reinterpret_cast<BoxSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  wchar_t cls[64] = {};
  GetClassNameW(window, cls, 64);
  if (owner == search->processId && std::wstring(cls) == L"#32770" && IsWindowVisible(window)) {
    search->found = window;
    return FALSE;
  }
  return TRUE;
}

BOOL CALLBACK CollectStatic(HWND child, LPARAM param) {
  wchar_t cls[64] = {};
  GetClassNameW(child, cls, 64);
  if (_wcsicmp(cls, L"Static") == 0) {
    wchar_t text[1024] = {};
    GetWindowTextW(child, text, 1024);
    if (text[0]) *reinterpret_cast<std::wstring*>(param) += text;
  }
  return TRUE;
}

std::wstring DescribeBox(HWND box) {
  wchar_t caption[256] = {};
  GetWindowTextW(box, caption, 256);
  std::wstring text;
  EnumChildWindows(box, CollectStatic, reinterpret_cast<LPARAM>(&text));
  return std::wstring(caption) + L"|" + text;
}

}  // namespace

ChildResult RunChild(const ChildOptions& options) {
  ChildResult result;
  PipeReader out, err;
  HANDLE outWrite = nullptr, errWrite = nullptr;
  if (!MakePipe(out.read, outWrite) || !MakePipe(err.read, errWrite)) return result;
  SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, TRUE};
  HANDLE input = CreateFileW(L"NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &sa,
                             OPEN_EXISTING, 0, nullptr);

  STARTUPINFOW startup = {};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = input;
  startup.hStdOutput = options.invalidStandardOutput ? INVALID_HANDLE_VALUE : outWrite;
  startup.hStdError = errWrite;
  std::wstring command = L"\"" + options.program + L"\" " + options.arguments;
  std::vector<wchar_t> buffer(command.begin(), command.end());
  buffer.push_back(0);
  PROCESS_INFORMATION info = {};
  result.started = CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW,
                                  nullptr, nullptr, &startup, &info) != FALSE;
  CloseHandle(outWrite);
  CloseHandle(errWrite);
  if (input != INVALID_HANDLE_VALUE) CloseHandle(input);
  out.Start();
  err.Start();

  if (result.started) {
    const DWORD begun = GetTickCount();
    for (;;) {
      if (WaitForSingleObject(info.hProcess, 50) == WAIT_OBJECT_0) {
        result.finished = true;
        break;
      }
      if (options.closeMessageBoxes) {
        BoxSearch search = {info.dwProcessId, nullptr};
        EnumWindows(FindBox, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
          result.boxes.push_back(DescribeBox(search.found));
          PostMessageW(search.found, WM_COMMAND, IDOK, 0);
          Sleep(200);  // let the box go before looking again
        }
      }
      if (GetTickCount() - begun > options.safetyLimitMs) {
        TerminateProcess(info.hProcess, 0xDEAD);
        WaitForSingleObject(info.hProcess, 5000);
        break;
      }
    }
    GetExitCodeProcess(info.hProcess, &result.exitCode);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
  }
  out.Finish();
  err.Finish();
  result.out = out.bytes;
  result.err = err.bytes;
  return result;
}

std::wstring RendermillPath() {
  wchar_t dir[MAX_PATH] = {};
  GetEnvironmentVariableW(L"TV_BIN_DIR", dir, MAX_PATH);
  std::wstring path(dir);
  if (path.empty()) {
    GetCurrentDirectoryW(MAX_PATH, dir);  // the tests run in the bin folder
    path = dir;
  }
  if (!path.empty() && path[0] == L'/') path = L"Z:" + path;  // a host path: Wine's Z: drive
  for (auto& c : path)
    if (c == L'/') c = L'\\';
  if (!path.empty() && path.back() != L'\\') path += L'\\';
  return path + L"Rendermill.exe";
}

std::string Utf16Bytes(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) {
    bytes += char(c & 0xFF);
    bytes += char((c >> 8) & 0xFF);
  }
  return bytes;
}
