#include "TvSync.h"

namespace {
const char* NameOrNull(const std::string& name) { return name.empty() ? nullptr : name.c_str(); }
}  // namespace

clEvent::~clEvent() { Close(); }

bool clEvent::Create(const std::string& name, bool* existed) {
  Close();
  handle_ = CreateEventA(nullptr, TRUE, FALSE, NameOrNull(name));
  if (existed) *existed = handle_ && GetLastError() == ERROR_ALREADY_EXISTS;
  return handle_ != nullptr;
}

bool clEvent::Set() { return handle_ && SetEvent(handle_); }

bool clEvent::Reset() { return handle_ && ResetEvent(handle_); }

bool clEvent::IsSignalled() const {
  return handle_ && WaitForSingleObject(handle_, 0) == WAIT_OBJECT_0;
}

void clEvent::Close() {
  if (handle_) CloseHandle(handle_);
  handle_ = nullptr;
}

clMutex::~clMutex() { Close(); }

bool clMutex::Create(const std::string& name, bool* existed) {
  Close();
  handle_ = CreateMutexA(nullptr, FALSE, NameOrNull(name));
  if (existed) *existed = handle_ && GetLastError() == ERROR_ALREADY_EXISTS;
  return handle_ != nullptr;
}

bool clMutex::Lock() {
  if (!handle_) return false;
  DWORD result = WaitForSingleObject(handle_, INFINITE);
  if (result != WAIT_OBJECT_0 && result != WAIT_ABANDONED) return false;
  held_ = true;
  return true;
}

bool clMutex::Unlock() {
  if (!handle_) return false;
  held_ = false;
  return ReleaseMutex(handle_) != FALSE;
}

void clMutex::Close() {
  if (!handle_) return;
  if (held_) Unlock();
  CloseHandle(handle_);
  handle_ = nullptr;
}
