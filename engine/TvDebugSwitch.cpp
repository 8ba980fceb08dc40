#include "TvDebugSwitch.h"

#include "TvCodePage.h"
#include "TvDebugSwitchText.h"
#include "TvProcess.h"
#include "TvRegistry.h"
#include "TvTempFile.h"
#include "TvTrace.h"

namespace {

uint32_t SystemTicks() { return GetTickCount(); }

// A stuck tick source must not keep the engine from starting.
const int kMaxWatchEventTries = 50;

}  // namespace

clDebugSwitch::clDebugSwitch(TickSource ticks) : m_ticks(ticks ? ticks : &SystemTicks) {}

clDebugSwitch::~clDebugSwitch() {
  m_traceFile.Close();
  m_watchEvent.Close();
}

bool clDebugSwitch::TakeSwitch() {
  if (tv::RegReadDword(tv::Settings(), L"Debug") == 0) return false;
  tv::RegWriteDword(tv::Settings(), L"Debug", 0);
  return true;
}

bool clDebugSwitch::Start(const std::wstring& programFolder) {
  if (!TakeSwitch()) return false;

  bool created = false;
  const std::wstring path = tv::MakeTempFile(L"DBG", L".TXT", &created);
  if (!created || !m_traceFile.Create(path, false, true)) return false;  // tracing stays absent
  tv::ResetTraceState();  // a fresh file starts without indentation

  if (!CreateWatchEvent()) return true;  // without an event a watcher could not tell the end
  const std::wstring watcher = programFolder + L"TipfetchInfo.exe";
  m_watcherStarted = tv::StartProcess(
      watcher, tv::DebugWatcherArguments(tv::AnsiToWide(m_watchEventName), path),
      false, 0, false, CREATE_NO_WINDOW);
  return true;
}

bool clDebugSwitch::CreateWatchEvent() {
  uint32_t lastTick = m_ticks();
  for (int attempt = 0; attempt < kMaxWatchEventTries; ++attempt) {
    const std::string name = tv::DebugWatchEventName(lastTick);
    bool existed = false;
    if (!m_watchEvent.Create(name, &existed)) return false;
    if (!existed) {
      m_watchEventName = name;
      return true;
    }
    m_watchEvent.Close();  // another engine's event: leave it to that engine
    // Wait for the tick count to move on rather than spin on a taken name.
    uint32_t tick = m_ticks();
    for (int wait = 0; tick == lastTick && wait < 100; ++wait) {
      Sleep(1);
      tick = m_ticks();
    }
    lastTick = tick;
  }
  return false;
}
