// The message channel with real pipes, writers in this process and in a child.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <string>

#include "TvMessageChannel.h"
#include "core_test_support.h"

namespace {

bool WriteBytes(HANDLE handle, const std::string& bytes) {
  DWORD written = 0;
  return WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
         written == bytes.size();
}

std::string Pattern(size_t bytes) {
  std::string text(bytes, '\0');
  for (size_t i = 0; i < bytes; ++i) text[i] = static_cast<char>('a' + (i * 7 + i / 26) % 26);
  return text;
}

}  // namespace

TEST(MessageChannel, EmptyChannelWithItsWriterIsNotBroken) {
  clMessageChannel channel;
  ASSERT_TRUE(channel.Create(false));
  bool broken = true;
  EXPECT_EQ(channel.ReadAvailable(false, &broken), "");
  EXPECT_FALSE(broken);
}

TEST(MessageChannel, WhatWasWrittenIsReadOnceAndInOrder) {
  clMessageChannel channel;
  ASSERT_TRUE(channel.Create(false));
  ASSERT_TRUE(WriteBytes(channel.WriteHandle(), coretest::WideToBytes(L"first line\r\n")));
  ASSERT_TRUE(WriteBytes(channel.WriteHandle(), coretest::WideToBytes(L"second line\r\n")));
  EXPECT_EQ(coretest::BytesToWide(channel.ReadAvailable()), L"first line\r\nsecond line\r\n");
  EXPECT_EQ(channel.ReadAvailable(), "");
  ASSERT_TRUE(WriteBytes(channel.WriteHandle(), coretest::WideToBytes(L"third\r\n")));
  EXPECT_EQ(coretest::BytesToWide(channel.ReadAvailable()), L"third\r\n");
}

// Writer and reader on one thread: the writes between two reads must never
// wait for room, whatever their size.
class MessageChannelBurst : public ::testing::TestWithParam<std::pair<size_t, size_t>> {};

TEST_P(MessageChannelBurst, ArrivesWholeAtTheNextRead) {
  const size_t total = GetParam().first, piece = GetParam().second;
  clMessageChannel channel;
  ASSERT_TRUE(channel.Create(false));
  const std::string burst = Pattern(total);
  for (size_t at = 0; at < total; at += piece)
    ASSERT_TRUE(WriteBytes(channel.WriteHandle(), burst.substr(at, piece)));
  bool broken = true;
  std::string got = channel.ReadAvailable(false, &broken);
  EXPECT_FALSE(broken);
  ASSERT_EQ(got.size(), burst.size());
  EXPECT_TRUE(got == burst);
  EXPECT_EQ(channel.ReadAvailable(), "");
}

INSTANTIATE_TEST_SUITE_P(Sizes, MessageChannelBurst,
                         ::testing::Values(std::make_pair(size_t(256 * 1024), size_t(256 * 1024)),
                                           std::make_pair(size_t(256 * 1024), size_t(100)),
                                           std::make_pair(size_t(3 * 1024 * 1024), size_t(64 * 1024 + 3))));

TEST(MessageChannel, RepeatedBurstsBetweenReads) {
  clMessageChannel channel;
  ASSERT_TRUE(channel.Create(false));
  for (int round = 0; round < 5; ++round) {
    const std::string burst = Pattern(200 * 1024 + round);
    ASSERT_TRUE(WriteBytes(channel.WriteHandle(), burst));
    std::string got = channel.ReadAvailable();
    ASSERT_EQ(got.size(), burst.size()) << "round " << round;
    EXPECT_TRUE(got == burst) << "round " << round;
  }
}

TEST(MessageChannel, ChannelWhoseWriterClosedReportsBroken) {
  clMessageChannel channel;
  ASSERT_TRUE(channel.Create(true));
  const uintptr_t handleValue = reinterpret_cast<uintptr_t>(channel.WriteHandle());
  // The child writes 300 KB through the inherited handle and exits.
  ASSERT_EQ(coretest::RunHelper(L"write " + std::to_wstring(handleValue) + L" 300000", true), 0);
  channel.CloseWriteEnd();
  EXPECT_EQ(channel.WriteHandle(), nullptr);
  bool broken = false;
  std::string got = channel.ReadAvailable(false, &broken);
  EXPECT_TRUE(broken);
  ASSERT_EQ(got.size(), 300000u);
  EXPECT_EQ(coretest::BytesToWide(got.substr(0, 24)), L"012345678901");
  got = channel.ReadAvailable(false, &broken);
  EXPECT_TRUE(broken);
  EXPECT_EQ(got, "");
}

TEST(MessageChannel, AttachedPipeReadsWithoutWaitingAndSeesItsEnd) {
  HANDLE read = nullptr, write = nullptr;
  ASSERT_TRUE(CreatePipe(&read, &write, nullptr, 0));
  clMessageChannel channel;
  channel.Attach(read, nullptr, true);
  ASSERT_TRUE(WriteBytes(write, "pcm-bytes"));
  bool broken = true;
  EXPECT_EQ(channel.ReadAvailable(false, &broken), "pcm-bytes");
  EXPECT_FALSE(broken);
  EXPECT_EQ(channel.ReadAvailable(false, &broken), "");
  EXPECT_FALSE(broken);
  CloseHandle(write);
  channel.ReadAvailable(false, &broken);
  EXPECT_TRUE(broken);
}

TEST(MessageChannel, AttachedFileIsReadToItsEnd) {
  coretest::TempFolder folder;
  const std::wstring path = folder.Path() + L"\\stdin.raw";
  const std::string content = Pattern(5000);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  ASSERT_TRUE(WriteBytes(file, content));
  SetFilePointer(file, 0, nullptr, FILE_BEGIN);
  clMessageChannel channel;
  channel.Attach(file, nullptr, true);
  bool broken = true;
  EXPECT_TRUE(channel.ReadAvailable(false, &broken) == content);
  EXPECT_FALSE(broken);
  EXPECT_EQ(channel.ReadAvailable(false, &broken), "");
  EXPECT_TRUE(broken);
}

TEST(MessageChannel, ClosedChannelHasNoHandlesAndReadsAsBroken) {
  clMessageChannel channel;
  ASSERT_TRUE(channel.Create(false));
  channel.Close();
  EXPECT_EQ(channel.WriteHandle(), nullptr);
  bool broken = false;
  EXPECT_EQ(channel.ReadAvailable(false, &broken), "");
  EXPECT_TRUE(broken);
}

TEST(MessageChannel, WriterOnAnotherThreadLosesAndReordersNothing) {
  clMessageChannel channel;
  ASSERT_TRUE(channel.Create(false));
  std::wstring expected;
  for (int i = 0; i < 3000; ++i) expected += L"line " + std::to_wstring(i) + L"\r\n";
  HANDLE writeEnd = channel.WriteHandle();
  struct Job {
    HANDLE handle;
    const std::wstring* text;
  } job = {writeEnd, &expected};
  HANDLE writer = CreateThread(
      nullptr, 0,
      [](LPVOID p) -> DWORD {
        Job* job = static_cast<Job*>(p);
        size_t at = 0;
        while (at < job->text->size()) {
          size_t end = job->text->find(L"\r\n", at) + 2;
          DWORD written = 0;
          WriteFile(job->handle, job->text->data() + at, DWORD((end - at) * 2), &written, nullptr);
          at = end;
        }
        return 0;
      },
      &job, 0, nullptr);
  ASSERT_NE(writer, nullptr);
  std::string got;
  while (WaitForSingleObject(writer, 0) == WAIT_TIMEOUT) got += channel.ReadAvailable();
  CloseHandle(writer);
  got += channel.ReadAvailable();
  EXPECT_TRUE(coretest::BytesToWide(got) == expected) << got.size() << " of " << expected.size() * 2 << " bytes";
}
