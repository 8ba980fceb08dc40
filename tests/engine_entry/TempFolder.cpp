#include "TempFolder.h"

#include <atomic>

namespace {

// Works on the extended form so that long names inside go too.
std::wstring Extended(const std::wstring& path) { return L"\\\\?\\" + path; }

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW(Extended(folder + L"*").c_str(), &found);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      const std::wstring name = found.cFileName;
      if (name == L"." || name == L"..") continue;
      const std::wstring path = folder + name;
      if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(path + L"\\");
      } else {
        SetFileAttributesW(Extended(path).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(Extended(path).c_str());
      }
    } while (FindNextFileW(search, &found));
    FindClose(search);
  }
  RemoveDirectoryW(Extended(folder).c_str());
}

}  // namespace

TempFolder::TempFolder() {
  static std::atomic<unsigned> counter{0};
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  path_ = std::wstring(temp) + L"tv_entry_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
          std::to_wstring(counter++) + L"\\";
  RemoveTree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
}

TempFolder::~TempFolder() { RemoveTree(path_); }

bool WriteBytesToFile(const std::wstring& path, const std::string& bytes) {
  const std::wstring open = path.size() >= MAX_PATH ? L"\\\\?\\" + path : path;
  HANDLE file = CreateFileW(open.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  DWORD written = 0;
  const bool ok = WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                  written == bytes.size();
  CloseHandle(file);
  return ok;
}

std::string ReadBytesFromFile(const std::wstring& path) {
  const std::wstring open = path.size() >= MAX_PATH ? L"\\\\?\\" + path : path;
  HANDLE file = CreateFileW(open.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  std::string bytes;
  if (file == INVALID_HANDLE_VALUE) return bytes;
  char chunk[65536];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof chunk, &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}
