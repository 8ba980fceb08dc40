#include "NDLL.h"

namespace {

bool IsAbsolutePath(const wchar_t* path) {
  if (!path || !path[0]) return false;
  if (path[0] == L'\\' && path[1] == L'\\') return true;  // UNC or \\?\ form
  return path[1] == L':' && (path[2] == L'\\' || path[2] == L'/');
}

}  // namespace

NDLL::NDLL() = default;

NDLL::~NDLL() { ReleaseModule(); }

bool NDLL::IsComplete() const { return complete_; }

bool NDLL::HasLibrary() const { return module_ != nullptr; }

HMODULE NDLL::Module() const { return module_; }

bool NDLL::LoadModuleFile(const wchar_t* path) {
  complete_ = true;
  if (!path) {
    complete_ = false;
    return false;
  }
  // A plug-in with a missing dependency must not stop an unattended program
  // with a system message box. The wide path keeps folders whose names lie
  // outside the ANSI code page loadable; an absolute path lets the plug-in's
  // own dependencies be found beside it.
  DWORD oldMode = 0;
  const bool modeSet = SetThreadErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX, &oldMode) != 0;
  module_ = LoadLibraryExW(path, nullptr, IsAbsolutePath(path) ? LOAD_WITH_ALTERED_SEARCH_PATH : 0);
  if (modeSet) SetThreadErrorMode(oldMode, nullptr);
  if (!module_) complete_ = false;
  return module_ != nullptr;
}

void NDLL::ReleaseModule() {
  if (module_) FreeLibrary(module_);
  module_ = nullptr;
  complete_ = false;
}
