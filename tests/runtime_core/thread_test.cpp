// The thread object and its stop event.
#include <gtest/gtest.h>
#include <windows.h>

#include <atomic>

#include "TvThread.h"

namespace {

// Runs until told to stop, counting its rounds.
DWORD UntilStopped(HANDLE stopEvent, void* argument) {
  auto* rounds = static_cast<std::atomic<int>*>(argument);
  while (WaitForSingleObject(stopEvent, 5) == WAIT_TIMEOUT) ++*rounds;
  return 0;
}

// Ignores its stop event.
DWORD Stubborn(HANDLE, void*) {
  for (;;) Sleep(10);
}

}  // namespace

TEST(Thread, StopEventNameIsCounterPlusTick) {
  EXPECT_EQ(tv::ThreadStopEventName(0, 123456), "TRDEVTQ-123456");
  EXPECT_EQ(tv::ThreadStopEventName(3, 1000), "TRDEVTQ-1003");
}

TEST(Thread, RunsUntilStoppedAndStopWaitsForIt) {
  std::atomic<int> rounds{0};
  clThread thread;
  ASSERT_TRUE(thread.Start(&UntilStopped, &rounds));
  EXPECT_EQ(thread.StopEventName().rfind("TRDEVTQ-", 0), 0u);
  while (rounds.load() < 3) Sleep(1);
  thread.Stop(true);
  EXPECT_FALSE(thread.IsRunning());
  EXPECT_FALSE(thread.LeftSuspended());
  int after = rounds.load();
  Sleep(30);
  EXPECT_EQ(rounds.load(), after);
}

TEST(Thread, ThreadsStartedTogetherGetDifferentStopEvents) {
  std::atomic<int> a{0}, b{0}, c{0};
  clThread first, second, third;
  ASSERT_TRUE(first.Start(&UntilStopped, &a));
  ASSERT_TRUE(second.Start(&UntilStopped, &b));
  ASSERT_TRUE(third.Start(&UntilStopped, &c));
  EXPECT_NE(first.StopEventName(), second.StopEventName());
  EXPECT_NE(second.StopEventName(), third.StopEventName());
  EXPECT_NE(first.StopEventName(), third.StopEventName());
  // Stopping one leaves the others running.
  second.Stop(true);
  EXPECT_TRUE(first.IsRunning());
  EXPECT_TRUE(third.IsRunning());
}

TEST(Thread, SuspendedStartRunsOnlyAfterResumeOrStop) {
  std::atomic<int> rounds{0};
  clThread thread;
  ASSERT_TRUE(thread.Start(&UntilStopped, &rounds, true));
  Sleep(30);
  EXPECT_EQ(rounds.load(), 0);
  thread.Stop(true);  // resumes it so it can see its stop event
  EXPECT_FALSE(thread.IsRunning());
}

TEST(Thread, ThreadOutlivingTheStopLimitIsSuspendedAndLeft) {
  clThread thread;
  ASSERT_TRUE(thread.Start(&Stubborn, nullptr, false, 100));
  thread.Stop(true);
  EXPECT_TRUE(thread.LeftSuspended());
  EXPECT_EQ(thread.Handle(), nullptr);
}

TEST(Thread, StopWithoutWaitStillReachesTheThread) {
  std::atomic<int> rounds{0};
  clThread thread;
  ASSERT_TRUE(thread.Start(&UntilStopped, &rounds));
  HANDLE watch = nullptr;
  ASSERT_TRUE(DuplicateHandle(GetCurrentProcess(), thread.Handle(), GetCurrentProcess(), &watch, 0, FALSE,
                              DUPLICATE_SAME_ACCESS));
  thread.Stop(false);  // closes its handles at once; the thread holds its own on the event
  EXPECT_EQ(WaitForSingleObject(watch, INFINITE), WAIT_OBJECT_0);
  CloseHandle(watch);
}
