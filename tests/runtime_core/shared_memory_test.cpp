// The named shared block, also across processes.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "TvSharedMemory.h"
#include "core_test_support.h"

namespace {
std::string UniqueName(const char* stem) {
  static int serial = 0;
  return std::string(stem) + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(++serial);
}
}  // namespace

TEST(SharedMemory, ObjectNamesCarryTheirPrefixes) {
  EXPECT_EQ(tv::SharedMemoryMappingName("bytes1"), "NSharedData_bytes1");
  EXPECT_EQ(tv::SharedMemoryMutexName("bytes1"), "SMutex_bytes1");
}

TEST(SharedMemory, OpenCreatesTheNamedMappingAndMutex) {
  const std::string name = UniqueName("TvTestShm-");
  clSharedMemory block;
  bool existed = true;
  ASSERT_TRUE(block.Open(name, 8, &existed));
  EXPECT_FALSE(existed);
  EXPECT_EQ(block.Size(), 8u);
  HANDLE mapping = OpenFileMappingA(FILE_MAP_READ, FALSE, ("NSharedData_" + name).c_str());
  HANDLE mutex = OpenMutexA(SYNCHRONIZE, FALSE, ("SMutex_" + name).c_str());
  EXPECT_NE(mapping, nullptr);
  EXPECT_NE(mutex, nullptr);
  if (mapping) CloseHandle(mapping);
  if (mutex) CloseHandle(mutex);
}

TEST(SharedMemory, SecondProcessSeesTheSameMemory) {
  const std::string name = UniqueName("TvTestShm-");
  clSharedMemory block;
  ASSERT_TRUE(block.Open(name, 8, nullptr));
  const uint64_t value = 0x123456789ABCull;  // more than 32 bits
  ASSERT_TRUE(block.Write(&value));

  // The helper reports that the block existed (11), checks the value, writes value + 1.
  EXPECT_EQ(coretest::RunHelper(L"shm " + std::wstring(name.begin(), name.end()) + L" " + std::to_wstring(value)), 11);
  uint64_t now = 0;
  ASSERT_TRUE(block.Read(&now));
  EXPECT_EQ(now, value + 1);
}

TEST(SharedMemory, WriteUnderACallerHeldLock) {
  clSharedMemory block;
  ASSERT_TRUE(block.Open(UniqueName("TvTestShm-"), 8, nullptr));
  ASSERT_TRUE(block.Lock());
  const uint64_t value = 42;
  EXPECT_TRUE(block.Write(&value));  // must not wait for the lock it holds
  EXPECT_TRUE(block.Unlock());
  EXPECT_FALSE(block.Unlock());
  EXPECT_EQ(*static_cast<uint64_t*>(block.View()), 42u);
}

TEST(SharedMemory, ReopeningLargerThanTheExistingBlockFails) {
  const std::string name = UniqueName("TvTestShm-");
  clSharedMemory small, large;
  ASSERT_TRUE(small.Open(name, 8, nullptr));
  // A view larger than the existing mapping would reach past its end.
  EXPECT_FALSE(large.Open(name, 1 << 20, nullptr));
  uint64_t value = 7;
  EXPECT_FALSE(large.Write(&value));
}

TEST(SharedMemory, ClosedBlockRefusesWrites) {
  clSharedMemory block;
  uint64_t value = 1;
  EXPECT_FALSE(block.Write(&value));
  ASSERT_TRUE(block.Open(UniqueName("TvTestShm-"), 8, nullptr));
  block.Close();
  EXPECT_FALSE(block.Write(&value));
  EXPECT_FALSE(block.IsOpen());
}
