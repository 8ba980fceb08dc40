// Base of every plug-in wrapper: owns one dynamic library and binds its
// exports by name.
#pragma once
#include <windows.h>

class NDLL {
 public:
  NDLL();
  virtual ~NDLL();
  NDLL(const NDLL&) = delete;
  NDLL& operator=(const NDLL&) = delete;

  // Loads the library and binds every export of its kind. With a library
  // already present nothing happens and the complete flag is returned. A
  // failed load or any missing export clears the flag; every pointer is bound
  // (null when absent) either way. A null path loads nothing.
  virtual bool Load(const wchar_t* path) = 0;

  // True when the last load bound every export of the kind.
  virtual bool IsComplete() const;
  virtual bool HasLibrary() const;
  virtual HMODULE Module() const;

 protected:
  // The first half of Load: null path, or a library already present, are the
  // caller's to check. Never shows the system's error boxes.
  bool LoadModuleFile(const wchar_t* path);
  // Frees the library (if any) and clears the complete flag.
  void ReleaseModule();
  // Looks one export up; a missing one clears the complete flag.
  template <typename Fn>
  Fn Bind(const char* name) {
    FARPROC proc = module_ ? GetProcAddress(module_, name) : nullptr;
    if (!proc) complete_ = false;
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(proc));
  }

  HMODULE module_ = nullptr;
  bool complete_ = false;
};
