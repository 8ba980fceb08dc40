#include "TvThread.h"

#include <atomic>

namespace {

// Raised while a freshly created stop event turns out to exist already (two
// threads started within one tick), so every live thread has its own event.
std::atomic<unsigned long> g_stopNameCounter{0};

struct ThreadStart {
  TvThreadFunction function;
  void* argument;
  HANDLE stopEvent;  // the thread's own handle on its stop event
};

DWORD WINAPI ThreadMain(LPVOID parameter) {
  ThreadStart* start = static_cast<ThreadStart*>(parameter);
  DWORD result = start->function(start->stopEvent, start->argument);
  if (start->stopEvent) CloseHandle(start->stopEvent);
  delete start;
  return result;
}

}  // namespace

clThread::~clThread() { Stop(true); }

bool clThread::Start(TvThreadFunction function, void* argument, bool suspended, DWORD stopLimitMs) {
  Stop(true);
  leftSuspended_ = false;
  if (!function) return false;

  for (;;) {
    std::string name = tv::ThreadStopEventName(g_stopNameCounter.load(), GetTickCount());
    bool existed = false;
    if (!stopEvent_.Create(name, &existed)) return false;
    if (!existed) {
      stopName_ = name;
      break;
    }
    stopEvent_.Close();
    ++g_stopNameCounter;
  }

  // The thread gets its own handle on the stop event before it starts (not
  // one opened by name later), so an owner that stops it at once and closes
  // its handle can never leave the thread without a stop signal.
  HANDLE threadStop = nullptr;
  if (!DuplicateHandle(GetCurrentProcess(), stopEvent_.Handle(), GetCurrentProcess(), &threadStop,
                       0, FALSE, DUPLICATE_SAME_ACCESS)) {
    stopEvent_.Close();
    stopName_.clear();
    return false;
  }
  ThreadStart* start = new ThreadStart{function, argument, threadStop};
  thread_ = CreateThread(nullptr, 0, ThreadMain, start, suspended ? CREATE_SUSPENDED : 0, nullptr);
  if (!thread_) {
    CloseHandle(threadStop);
    delete start;
    stopEvent_.Close();
    stopName_.clear();
    return false;
  }
  stopLimitMs_ = stopLimitMs;
  suspended_ = suspended;
  return true;
}

bool clThread::Resume() {
  if (!thread_ || !suspended_) return false;
  suspended_ = false;
  return ResumeThread(thread_) != static_cast<DWORD>(-1);
}

void clThread::Stop(bool wait) {
  if (!thread_) return;
  if (suspended_) Resume();
  stopEvent_.Set();
  if (wait) {
    DWORD started = GetTickCount();
    while (WaitForSingleObject(thread_, 25) == WAIT_TIMEOUT) {
      if (stopLimitMs_ != 0 && GetTickCount() - started > stopLimitMs_) {
        SuspendThread(thread_);
        suspended_ = true;
        leftSuspended_ = true;
        break;
      }
    }
  }
  CloseHandle(thread_);
  thread_ = nullptr;
  suspended_ = false;
  stopEvent_.Close();
}

bool clThread::IsRunning() const {
  return thread_ && WaitForSingleObject(thread_, 0) == WAIT_TIMEOUT;
}
