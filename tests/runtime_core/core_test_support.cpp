#include "core_test_support.h"

#include <cstdlib>
#include <vector>

namespace coretest {

std::wstring HelperPath() {
  const wchar_t* bin = _wgetenv(L"TV_BIN_DIR");
  std::wstring folder;
  if (bin && *bin) {
    folder = bin;
  } else {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    folder = self;
    folder = folder.substr(0, folder.find_last_of(L"\\/")) + L"\\..\\bin";
  }
  return folder + L"\\runtime_core_helper.exe";
}

int RunHelper(const std::wstring& arguments, bool inheritHandles) {
  std::wstring command = L"\"" + HelperPath() + L"\" " + arguments;
  std::vector<wchar_t> buffer(command.begin(), command.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, inheritHandles, 0, nullptr, nullptr,
                      &startup, &info))
    return -1;
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  return static_cast<int>(code);
}

TempFolder::TempFolder() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  static int serial = 0;
  path_ = std::wstring(temp) + L"tvcore-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
          std::to_wstring(++serial);
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((path_ + L"\\*").c_str(), &found);
  if (find != INVALID_HANDLE_VALUE) {
    do {
      if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        DeleteFileW((path_ + L"\\" + found.cFileName).c_str());
    } while (FindNextFileW(find, &found));
    FindClose(find);
  }
  RemoveDirectoryW(path_.c_str());
}

std::string ReadWholeFile(const std::wstring& path) {
  std::string bytes;
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

std::wstring BytesToWide(const std::string& bytes) {
  std::wstring text(bytes.size() / 2, L'\0');
  for (size_t i = 0; i < text.size(); ++i)
    text[i] = wchar_t(static_cast<unsigned char>(bytes[2 * i]) | (static_cast<unsigned char>(bytes[2 * i + 1]) << 8));
  return text;
}

std::string WideToBytes(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  return bytes;
}

}  // namespace coretest
