// Events and mutexes.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "TvSync.h"

namespace {
std::string UniqueName(const char* stem) { return std::string(stem) + std::to_string(GetCurrentProcessId()); }
}  // namespace

TEST(Event, StartsUnsignalledAndStaysSetUntilReset) {
  clEvent event;
  ASSERT_TRUE(event.Create());
  EXPECT_FALSE(event.IsSignalled());
  EXPECT_TRUE(event.Set());
  EXPECT_TRUE(event.IsSignalled());
  EXPECT_TRUE(event.IsSignalled());  // manual reset: testing does not consume it
  EXPECT_TRUE(event.Reset());
  EXPECT_FALSE(event.IsSignalled());
}

TEST(Event, SecondCreateOfANameOpensTheSameEvent) {
  const std::string name = UniqueName("TvTestEvent-");
  clEvent first, second;
  bool existed = true;
  ASSERT_TRUE(first.Create(name, &existed));
  EXPECT_FALSE(existed);
  ASSERT_TRUE(second.Create(name, &existed));
  EXPECT_TRUE(existed);
  first.Set();
  EXPECT_TRUE(second.IsSignalled());
}

TEST(Event, NeverCreatedEventDoesNothing) {
  clEvent event;
  EXPECT_FALSE(event.IsSignalled());
  EXPECT_FALSE(event.Set());
  EXPECT_FALSE(event.IsSignalled());
}

TEST(Mutex, LockSetsHeldAndNamedMutexIsShared) {
  const std::string name = UniqueName("TvTestMutex-");
  clMutex mutex, other;
  bool existed = true;
  ASSERT_TRUE(mutex.Create(name, &existed));
  EXPECT_FALSE(existed);
  ASSERT_TRUE(other.Create(name, &existed));
  EXPECT_TRUE(existed);
  ASSERT_TRUE(mutex.Lock());
  EXPECT_TRUE(mutex.IsHeld());
  // Another thread cannot take it while it is held here.
  HANDLE probe = CreateThread(
      nullptr, 0,
      [](LPVOID m) -> DWORD { return WaitForSingleObject(static_cast<clMutex*>(m)->Handle(), 0) == WAIT_TIMEOUT; },
      &other, 0, nullptr);
  WaitForSingleObject(probe, INFINITE);
  DWORD blocked = 0;
  GetExitCodeThread(probe, &blocked);
  CloseHandle(probe);
  EXPECT_EQ(blocked, 1u);
  EXPECT_TRUE(mutex.Unlock());
  EXPECT_FALSE(mutex.IsHeld());
}

TEST(Mutex, NeverCreatedMutexRefusesToLock) {
  clMutex mutex;
  EXPECT_FALSE(mutex.Lock());
  EXPECT_FALSE(mutex.IsHeld());
}
