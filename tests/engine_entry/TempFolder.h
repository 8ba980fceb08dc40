// A fresh folder under the temporary folder, removed with its files afterwards.
#pragma once
#include <windows.h>

#include <string>

class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::wstring& Path() const { return path_; }  // with a trailing backslash
  std::wstring File(const std::wstring& name) const { return path_ + name; }

 private:
  std::wstring path_;
};

bool WriteBytesToFile(const std::wstring& path, const std::string& bytes);
std::string ReadBytesFromFile(const std::wstring& path);
