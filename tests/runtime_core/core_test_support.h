// Small helpers shared by the runtime core tests.
#pragma once
#include <windows.h>

#include <string>

namespace coretest {

// The helper program beside the other programs (TV_BIN_DIR).
std::wstring HelperPath();

// Runs the helper with `arguments`, optionally inheriting handles; returns its
// exit code (or -1 when it could not be started).
int RunHelper(const std::wstring& arguments, bool inheritHandles = false);

// A folder of its own under the temporary folder, removed with its files.
class TempFolder {
 public:
  TempFolder();
  ~TempFolder();
  const std::wstring& Path() const { return path_; }

 private:
  std::wstring path_;
};

// The whole content of a file.
std::string ReadWholeFile(const std::wstring& path);

// UTF-16LE bytes as wide text, and back.
std::wstring BytesToWide(const std::string& bytes);
std::string WideToBytes(const std::wstring& text);

}  // namespace coretest
