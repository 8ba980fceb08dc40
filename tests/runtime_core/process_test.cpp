// Starting child processes with and without a time limit.
#include <gtest/gtest.h>
#include <windows.h>

#include "TvProcess.h"
#include "core_test_support.h"

TEST(Process, CommandLineQuotesTheProgram) {
  EXPECT_EQ(tv::ChildCommandLine(L"C:\\Program Files\\x.exe", L"--Tipfetch=a"), L"\"C:\\Program Files\\x.exe\" --Tipfetch=a");
}

TEST(Process, WaitWithoutLimitReturnsWhenTheChildEnds) {
  DWORD id = 0;
  EXPECT_TRUE(tv::StartProcess(coretest::HelperPath(), L"sleep 200", true, 0, false, 0, &id));
  EXPECT_NE(id, 0u);
  HANDLE child = OpenProcess(SYNCHRONIZE, FALSE, id);
  if (child) {  // the id may already be gone; when it is not, the child has ended
    EXPECT_EQ(WaitForSingleObject(child, 0), WAIT_OBJECT_0);
    CloseHandle(child);
  }
}

TEST(Process, ChildEndingWithinTheLimitGivesTrue) {
  EXPECT_TRUE(tv::StartProcess(coretest::HelperPath(), L"sleep 10", true, 10000, false, 0));
}

TEST(Process, ChildOutlivingTheLimitGivesFalseAndKeepsRunning) {
  DWORD id = 0;
  EXPECT_FALSE(tv::StartProcess(coretest::HelperPath(), L"sleep 60000", true, 1000, false, 0, &id));
  ASSERT_NE(id, 0u);
  HANDLE child = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(WaitForSingleObject(child, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  TerminateProcess(child, 1);
  WaitForSingleObject(child, INFINITE);
  CloseHandle(child);
}

TEST(Process, MissingProgramGivesFalse) {
  EXPECT_FALSE(tv::StartProcess(L"C:\\no\\such\\program.exe", L"", false, 0, false, 0));
  EXPECT_FALSE(tv::StartProcess(L"C:\\no\\such\\program.exe", L"", true, 1000, false, 0));
}

TEST(Process, WithoutWaitReturnsAtOnce) {
  DWORD id = 0;
  EXPECT_TRUE(tv::StartProcess(coretest::HelperPath(), L"sleep 60000", false, 0, false, 0, &id));
  HANDLE child = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, id);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(WaitForSingleObject(child, 0), static_cast<DWORD>(WAIT_TIMEOUT));
  TerminateProcess(child, 1);
  WaitForSingleObject(child, INFINITE);
  CloseHandle(child);
}
