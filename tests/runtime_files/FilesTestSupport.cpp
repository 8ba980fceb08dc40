#include "FilesTestSupport.h"

#include "TvTempFile.h"

namespace tvtest {

namespace {

void RemoveTree(const std::wstring& folder) {
  WIN32_FIND_DATAW data;
  std::wstring base = L"\\\\?\\" + folder;
  HANDLE search = FindFirstFileW((base + L"*").c_str(), &data);
  if (search != INVALID_HANDLE_VALUE) {
    do {
      std::wstring name = data.cFileName;
      if (name == L"." || name == L"..") continue;
      std::wstring full = base + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveTree(folder + name + L"\\");
      } else {
        SetFileAttributesW(full.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(full.c_str());
      }
    } while (FindNextFileW(search, &data));
    FindClose(search);
  }
  RemoveDirectoryW(base.c_str());
}

}  // namespace

ScratchFolder::ScratchFolder() {
  path_ = tv::TempFolder() + L"tvfiles_" + std::to_wstring(GetCurrentProcessId()) + L"_" +
          std::to_wstring(GetTickCount()) + L"\\";
  RemoveTree(path_);
  CreateDirectoryW(path_.c_str(), nullptr);
}

ScratchFolder::~ScratchFolder() { RemoveTree(path_); }

void WriteBytes(const std::wstring& path, const std::string& bytes) {
  HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

std::string ReadBytes(const std::wstring& path) {
  HANDLE file = CreateFileW((L"\\\\?\\" + path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                            nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::string();
  std::string bytes;
  char chunk[4096];
  DWORD got = 0;
  while (ReadFile(file, chunk, sizeof(chunk), &got, nullptr) && got > 0) bytes.append(chunk, got);
  CloseHandle(file);
  return bytes;
}

bool Exists(const std::wstring& path) {
  return GetFileAttributesW((L"\\\\?\\" + path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool ScriptedPrompt::AskRetry(const std::wstring& text, const std::wstring& caption) {
  boxes.push_back({text, caption, true});
  if (beforeAnswer) beforeAnswer();
  return next_ < retries_.size() ? retries_[next_++] : false;
}

void ScriptedPrompt::Tell(const std::wstring& text, const std::wstring& caption) {
  boxes.push_back({text, caption, false});
}

}  // namespace tvtest
