#include "TvWatchdog.h"

namespace {
const DWORD kWatchdogPeriodMs = 50;
}  // namespace

clWatchdog::~clWatchdog() { Stop(); }

bool clWatchdog::Start(const clEvent& watchdog) {
  Stop();
  if (!watchdog.Handle()) return false;
  // A handle of our own keeps the event alive for the thread whatever its
  // owner does meanwhile.
  if (!DuplicateHandle(GetCurrentProcess(), watchdog.Handle(), GetCurrentProcess(), &event_, 0, FALSE,
                       DUPLICATE_SAME_ACCESS)) {
    event_ = nullptr;
    return false;
  }
  if (!thread_.Start(&clWatchdog::Run, event_)) {
    CloseHandle(event_);
    event_ = nullptr;
    return false;
  }
  return true;
}

DWORD clWatchdog::Run(HANDLE stopEvent, void* event) {
  while (WaitForSingleObject(stopEvent, kWatchdogPeriodMs) == WAIT_TIMEOUT) SetEvent(static_cast<HANDLE>(event));
  return 0;
}

void clWatchdog::Signal() {
  if (event_) SetEvent(event_);
}

void clWatchdog::Stop() {
  thread_.Stop(true);
  if (event_) CloseHandle(event_);
  event_ = nullptr;
}
