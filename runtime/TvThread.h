// A worker thread that is told to stop through an event of its own.
#pragma once
#include <windows.h>

#include <string>

#include "TvSync.h"

// The thread's work: runs until it chooses to return, and should return soon
// after `stopEvent` becomes signalled.
typedef DWORD (*TvThreadFunction)(HANDLE stopEvent, void* argument);

#include "TvThreadName.h"

class clThread {
 public:
  clThread() = default;
  virtual ~clThread();
  clThread(const clThread&) = delete;
  clThread& operator=(const clThread&) = delete;

  // Stops any thread this object runs, then starts `function(stopEvent,
  // argument)` on a new thread (suspended when asked; Resume starts it). A
  // `stopLimitMs` of 0 lets Stop wait without limit.
  virtual bool Start(TvThreadFunction function, void* argument, bool suspended = false,
                     DWORD stopLimitMs = 0);
  virtual bool Resume();
  // Signals the stop event and, with `wait`, waits for the thread in 25 ms
  // steps. A thread that outlives the stop limit is suspended and left behind.
  // The handles are closed in every case.
  virtual void Stop(bool wait = true);

  virtual bool IsRunning() const;
  // True after Stop had to leave a thread suspended.
  virtual bool LeftSuspended() const { return leftSuspended_; }
  virtual const std::string& StopEventName() const { return stopName_; }
  virtual HANDLE Handle() const { return thread_; }

 private:
  HANDLE thread_ = nullptr;
  clEvent stopEvent_;
  std::string stopName_;
  DWORD stopLimitMs_ = 0;
  bool suspended_ = false;
  bool leftSuspended_ = false;
};
