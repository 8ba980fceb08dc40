#include "TvSharedMemory.h"

#include <cstdint>
#include <cstring>

clSharedMemory::~clSharedMemory() { Close(); }

bool clSharedMemory::Open(const std::string& name, size_t size, bool* existed) {
  Close();
  if (existed) *existed = false;
  if (size == 0) return false;  // a mapping of the paging file cannot be empty

  mutex_.reset(new clMutex);
  mutex_->Create(tv::SharedMemoryMutexName(name));

  const uint64_t bytes = size;
  mapping_ = CreateFileMappingA(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE,
                                static_cast<DWORD>(bytes >> 32), static_cast<DWORD>(bytes),
                                tv::SharedMemoryMappingName(name).c_str());
  if (!mapping_) return false;
  if (existed) *existed = GetLastError() == ERROR_ALREADY_EXISTS;

  view_ = MapViewOfFile(mapping_, FILE_MAP_WRITE | FILE_MAP_READ, 0, 0, size);
  if (!view_) return false;
  size_ = size;
  return true;
}

bool clSharedMemory::Write(const void* source) {
  if (!view_ || !source) return false;
  const bool takeLock = !callerHoldsLock_;
  if (takeLock && !mutex_->Lock()) return false;
  std::memcpy(view_, source, size_);
  if (takeLock) mutex_->Unlock();
  return true;
}

bool clSharedMemory::Read(void* target) {
  if (!view_ || !target) return false;
  const bool takeLock = !callerHoldsLock_;
  if (takeLock && !mutex_->Lock()) return false;
  std::memcpy(target, view_, size_);
  if (takeLock) mutex_->Unlock();
  return true;
}

bool clSharedMemory::Lock() {
  if (!mutex_ || !mutex_->Lock()) return false;
  callerHoldsLock_ = true;
  return true;
}

bool clSharedMemory::Unlock() {
  if (!mutex_ || !callerHoldsLock_) return false;
  callerHoldsLock_ = false;
  return mutex_->Unlock();
}

void clSharedMemory::Close() {
  if (view_) UnmapViewOfFile(view_);
  view_ = nullptr;
  if (mapping_) CloseHandle(mapping_);
  mapping_ = nullptr;
  if (callerHoldsLock_) Unlock();
  mutex_.reset();
  size_ = 0;
}
