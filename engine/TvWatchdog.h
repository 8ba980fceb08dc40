// Rendermill's watchdog: a thread that signals the parent's watchdog event
// every 50 ms for as long as the engine lives, so the front end can tell a
// busy engine from a hung one. The main thread signals it too, before every
// block.
#pragma once
#include <windows.h>

#include "TvSync.h"
#include "TvThread.h"

class clWatchdog {
 public:
  clWatchdog() = default;
  virtual ~clWatchdog();
  clWatchdog(const clWatchdog&) = delete;
  clWatchdog& operator=(const clWatchdog&) = delete;

  // Starts the thread for `watchdog` (the event of option evtwatchdog). An
  // event that was never created starts nothing and returns false.
  virtual bool Start(const clEvent& watchdog);
  // Signals the event now (the main thread, before every block).
  virtual void Signal();
  // Tells the thread to stop and waits for it.
  virtual void Stop();
  virtual bool IsRunning() const { return thread_.IsRunning(); }

 private:
  static DWORD Run(HANDLE stopEvent, void* event);

  HANDLE event_ = nullptr;  // our own handle, valid while the thread may use it
  clThread thread_;
};
