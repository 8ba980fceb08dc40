// Events and mutexes, named (ANSI names, shared between processes) or
// unnamed. A failed creation leaves the object empty: later calls then do
// nothing and return false.
#pragma once
#include <windows.h>

#include <string>

// A manual-reset event, not signalled when created.
class clEvent {
 public:
  clEvent() = default;
  virtual ~clEvent();
  clEvent(const clEvent&) = delete;
  clEvent& operator=(const clEvent&) = delete;

  // Creates the event, or opens it when one of that name exists already
  // (`existed` tells which). An empty name makes an unnamed event.
  virtual bool Create(const std::string& name = std::string(), bool* existed = nullptr);
  virtual bool Set();
  virtual bool Reset();
  // A test without waiting; false when there is no event.
  virtual bool IsSignalled() const;
  virtual void Close();
  virtual HANDLE Handle() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
};

// A mutex, not owned when created.
class clMutex {
 public:
  clMutex() = default;
  virtual ~clMutex();
  clMutex(const clMutex&) = delete;
  clMutex& operator=(const clMutex&) = delete;

  virtual bool Create(const std::string& name = std::string(), bool* existed = nullptr);
  // Waits without limit (a mutex abandoned by a dead owner counts as taken).
  virtual bool Lock();
  virtual bool Unlock();
  virtual bool IsHeld() const { return held_; }
  // Releases the mutex first when this object holds it.
  virtual void Close();
  virtual HANDLE Handle() const { return handle_; }

 private:
  HANDLE handle_ = nullptr;
  bool held_ = false;
};

// Holds a clMutex for one scope.
class clMutexLock {
 public:
  explicit clMutexLock(clMutex& mutex) : mutex_(mutex) { locked_ = mutex_.Lock(); }
  virtual ~clMutexLock() {
    if (locked_) mutex_.Unlock();
  }
  clMutexLock(const clMutexLock&) = delete;
  clMutexLock& operator=(const clMutexLock&) = delete;

 private:
  clMutex& mutex_;
  bool locked_ = false;
};
