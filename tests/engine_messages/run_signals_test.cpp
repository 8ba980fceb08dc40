// Watchdog, quit test and shared byte counter with real kernel objects.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "TvParentMessages.h"
#include "TvSharedMemory.h"
#include "TvSync.h"
#include "TvWatchdog.h"

namespace {
std::string UniqueName(const char* stem) {
  static int serial = 0;
  return std::string(stem) + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
}
}  // namespace

TEST(Watchdog, KeepsSignallingUntilStopped) {
  const std::string name = UniqueName("TvTestWatchdog-");
  clEvent engineSide;
  ASSERT_TRUE(engineSide.Create(name));
  HANDLE parentSide = OpenEventA(SYNCHRONIZE | EVENT_MODIFY_STATE, FALSE, name.c_str());
  ASSERT_NE(parentSide, nullptr);

  clWatchdog watchdog;
  ASSERT_TRUE(watchdog.Start(engineSide));
  // The parent sees the signal again each time it clears it.
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(WaitForSingleObject(parentSide, INFINITE), WAIT_OBJECT_0);
    ResetEvent(parentSide);
  }
  watchdog.Stop();
  EXPECT_FALSE(watchdog.IsRunning());
  ResetEvent(parentSide);
  watchdog.Signal();  // after Stop there is nothing left to signal
  EXPECT_EQ(WaitForSingleObject(parentSide, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  CloseHandle(parentSide);
}

TEST(Watchdog, MainThreadSignalReachesTheParent) {
  clEvent event;
  ASSERT_TRUE(event.Create());
  clWatchdog watchdog;
  ASSERT_TRUE(watchdog.Start(event));
  watchdog.Stop();
  event.Reset();
  ASSERT_TRUE(watchdog.Start(event));
  watchdog.Signal();
  EXPECT_TRUE(event.IsSignalled());
}

TEST(Watchdog, WithoutAnEventNothingStarts) {
  clEvent none;
  clWatchdog watchdog;
  EXPECT_FALSE(watchdog.Start(none));
  EXPECT_FALSE(watchdog.IsRunning());
  watchdog.Signal();
  watchdog.Stop();
}

TEST(QuitEvent, SignalFromAnotherOpenerIsSeen) {
  const std::string name = UniqueName("TvTestQuit-");
  clEvent quit, frontEnd;
  EXPECT_FALSE(tv::QuitRequested(quit));  // never created
  ASSERT_TRUE(quit.Create(name));
  ASSERT_TRUE(frontEnd.Create(name));
  EXPECT_FALSE(tv::QuitRequested(quit));
  frontEnd.Set();
  EXPECT_TRUE(tv::QuitRequested(quit));
  EXPECT_TRUE(tv::QuitRequested(quit));  // stays signalled
}

TEST(ByteCounter, TotalsReachAReaderOfTheSameName) {
  const std::string name = UniqueName("TvTestBytes-");
  clSharedMemory engine, frontEnd;
  ASSERT_TRUE(engine.Open(name, 8, nullptr));
  ASSERT_TRUE(frontEnd.Open(name, 8, nullptr));
  uint64_t seen = 0;

  ASSERT_TRUE(tv::WriteByteCounter(engine, 0x100000005ull));
  ASSERT_TRUE(frontEnd.Read(&seen));
  EXPECT_EQ(seen, 0x100000005ull);

  ASSERT_TRUE(tv::WriteRenderByteCounter(engine, 0xFFFFFFF0u));
  ASSERT_TRUE(frontEnd.Read(&seen));
  EXPECT_EQ(seen, 0xFFFFFFF0ull);  // high 32 bits zero
}

TEST(ByteCounter, MissingOrWrongSizedCounterIsSkipped) {
  clSharedMemory none, wide;
  EXPECT_FALSE(tv::WriteByteCounter(none, 1));
  ASSERT_TRUE(wide.Open(UniqueName("TvTestBytes-"), 16, nullptr));
  EXPECT_FALSE(tv::WriteByteCounter(wide, 1));
}
