// A block of memory shared between processes by name: a paging-file mapping
// "NSharedData_" + name, guarded by the mutex "SMutex_" + name, so a reader
// that takes the mutex always sees whole values.
#pragma once
#include <windows.h>

#include <cstddef>
#include <memory>
#include <string>

#include "TvSync.h"

namespace tv {
std::string SharedMemoryMappingName(const std::string& name);  // "NSharedData_" + name
std::string SharedMemoryMutexName(const std::string& name);    // "SMutex_" + name
}  // namespace tv

class clSharedMemory {
 public:
  clSharedMemory() = default;
  virtual ~clSharedMemory();
  clSharedMemory(const clSharedMemory&) = delete;
  clSharedMemory& operator=(const clSharedMemory&) = delete;

  // Closes what was open, then creates or opens the mutex and a mapping of
  // exactly `size` bytes and maps a writable view of all of it. `existed`
  // tells whether the mapping was there already. The content is not cleared.
  virtual bool Open(const std::string& name, size_t size, bool* existed = nullptr);

  // Copies Size() bytes from `source` into the view, under the mutex unless
  // the caller holds it through Lock. False when nothing is open.
  virtual bool Write(const void* source);
  // Copies Size() bytes of the view into `target`, under the mutex likewise.
  virtual bool Read(void* target);

  // Holds the mutex across several accesses.
  virtual bool Lock();
  virtual bool Unlock();

  virtual void Close();
  virtual void* View() const { return view_; }
  virtual size_t Size() const { return size_; }
  virtual bool IsOpen() const { return view_ != nullptr; }

 private:
  HANDLE mapping_ = nullptr;
  std::unique_ptr<clMutex> mutex_;
  void* view_ = nullptr;
  size_t size_ = 0;
  bool callerHoldsLock_ = false;
};
