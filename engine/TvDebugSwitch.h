// The one-shot debug trace: the per-user DWORD "Debug" switches tracing on for
// one run. The engine then writes its trace to a new temporary file and starts
// TipfetchInfo, which waits for the engine's watch event to vanish and then
// shows the file.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

#include "TvFile.h"
#include "TvSync.h"

class clDebugSwitch {
 public:
  // The millisecond tick count the watch event's name is made of (replaceable
  // so tests can make two engines meet in the same millisecond).
  typedef uint32_t (*TickSource)();

  explicit clDebugSwitch(TickSource ticks = nullptr);
  virtual ~clDebugSwitch();
  clDebugSwitch(const clDebugSwitch&) = delete;
  clDebugSwitch& operator=(const clDebugSwitch&) = delete;

  // Reads the switch and clears it at once; when it was set, makes the trace
  // file, the watch event and starts the watcher from `programFolder` (with a
  // trailing backslash). True when a trace file is open.
  virtual bool Start(const std::wstring& programFolder);

  // Reads "Debug" and, when it is not 0, writes 0 back; true when it was set.
  static bool TakeSwitch();

  // Creates the watch event "TvDGB" + tick count, trying a newer tick while
  // the name is taken by another engine.
  virtual bool CreateWatchEvent();

  virtual HANDLE TraceFile() const { return m_traceFile.IsOpen() ? m_traceFile.Handle() : nullptr; }
  virtual const std::wstring& TraceFilePath() const { return m_traceFile.Path(); }
  virtual const std::string& WatchEventName() const { return m_watchEventName; }
  virtual bool WatcherStarted() const { return m_watcherStarted; }

 private:
  TickSource m_ticks;
  tv::clTvFile m_traceFile;
  clEvent m_watchEvent;  // held open for as long as the engine runs
  std::string m_watchEventName;
  bool m_watcherStarted = false;
};
