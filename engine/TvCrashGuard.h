// The engine's last word when a plug-in faults. Without it an access
// violation inside a plug-in call would end Rendermill with no error line, and
// the front end, which tells failure by error lines alone, would take the run
// for a success; the temporary output would stay behind too. The guard writes
// one error line to the error output, deletes the files it was told about and
// ends the process (exit code 0, as every run of the engine).
#pragma once
#include <windows.h>

#include <string>

namespace tv {

// The line the guard writes for an exception `code` at `address` inside the
// module file `moduleName` (empty when unknown), without line end.
std::wstring CrashLine(DWORD code, const void* address, const std::wstring& moduleName);

}  // namespace tv

// Holds the guard for one conversion: the process's last-chance exception
// filter is the guard's while this object lives, and the one before it
// afterwards. Its line goes to `errorOutput` as ANSI text, or as UTF-16LE in
// command-file mode.
class clCrashGuardScope {
 public:
  clCrashGuardScope(HANDLE errorOutput, bool utf16Lines);
  virtual ~clCrashGuardScope();
  clCrashGuardScope(const clCrashGuardScope&) = delete;
  clCrashGuardScope& operator=(const clCrashGuardScope&) = delete;

 private:
  LPTOP_LEVEL_EXCEPTION_FILTER previous_ = nullptr;
};

// A file the guard deletes when the process dies of a fault, for as long as
// this object lives (temporary outputs, render files).
class clCrashGuardedFile {
 public:
  clCrashGuardedFile() = default;
  explicit clCrashGuardedFile(const std::wstring& path) { Guard(path); }
  virtual ~clCrashGuardedFile() { Release(); }
  clCrashGuardedFile(const clCrashGuardedFile&) = delete;
  clCrashGuardedFile& operator=(const clCrashGuardedFile&) = delete;

  // False when the path is empty, too long, or every place is taken.
  virtual bool Guard(const std::wstring& path);
  virtual void Release();
  bool IsGuarded() const { return slot_ >= 0; }

 private:
  int slot_ = -1;
};
