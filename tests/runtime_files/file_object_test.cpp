#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "TvFile.h"
#include "TvFileSystem.h"
#include "TvFolder.h"

using namespace tv;
using tvtest::ScriptedPrompt;

namespace {

class FileObject : public testing::Test {
 protected:
  tvtest::ScratchFolder folder;
};

}  // namespace

TEST_F(FileObject, CreatesWritesAndReadsBack) {
  const std::wstring path = folder / L"data.bin";
  {
    clTvFile file;
    ASSERT_TRUE(file.Create(path, false));
    EXPECT_TRUE(file.Write("hello ", 6));
    EXPECT_TRUE(file.Write("world", 5));
    EXPECT_EQ(file.Size(), 11u);
  }  // closed by the destructor
  EXPECT_EQ(tvtest::ReadBytes(path), "hello world");

  clTvFile file;
  ASSERT_TRUE(file.OpenRead(path, false));
  char buffer[32] = {};
  bool failed = true;
  EXPECT_EQ(file.Read(buffer, 5, kSeekFromStart, &failed), 5u);
  EXPECT_FALSE(failed);
  EXPECT_EQ(std::string(buffer, 5), "hello");
  EXPECT_EQ(file.Read(buffer, 3, kSeekNone, &failed), 3u);
  EXPECT_EQ(std::string(buffer, 3), " wo");
  // A short read at the end of the file is no failure.
  EXPECT_EQ(file.Read(buffer, sizeof(buffer), kSeekNone, &failed), 3u);
  EXPECT_FALSE(failed);
  EXPECT_EQ(file.Read(buffer, sizeof(buffer), kSeekFromEnd, &failed), 0u);
  EXPECT_FALSE(failed);
}

TEST_F(FileObject, SeekModesForWrites) {
  const std::wstring path = folder / L"modes.bin";
  clTvFile file;
  ASSERT_TRUE(file.Create(path, false, true));
  EXPECT_TRUE(file.Write("abcdef", 6));
  EXPECT_TRUE(file.Write("XY", 2, kSeekFromStart));
  EXPECT_TRUE(file.Write("!", 1, kSeekFromEnd));
  EXPECT_TRUE(file.Write("?", 1, kSeekNone));
  file.Close();
  EXPECT_EQ(tvtest::ReadBytes(path), "XYcdef!?");
}

TEST_F(FileObject, TextWritesHaveNoTerminatorAndLineEndsInTheirWidth) {
  const std::wstring path = folder / L"text.txt";
  clTvFile file;
  ASSERT_TRUE(file.Create(path, false));
  EXPECT_TRUE(file.WriteText(std::string("ab"), true));
  EXPECT_TRUE(file.WriteText(std::wstring(L"\u00e9"), true));
  EXPECT_TRUE(file.WriteText(std::string("c"), false));
  EXPECT_TRUE(file.WriteText(std::wstring(), false));
  file.Close();
  EXPECT_EQ(tvtest::ReadBytes(path), std::string("ab\r\n\xe9\0\r\0\n\0c", 11));
}

TEST_F(FileObject, OpensAPathOf300CharactersThroughTheLongForm) {
  std::wstring deep = folder.Path();
  while (deep.size() < 280) deep += std::wstring(60, L'd') + L"\\";
  ASSERT_TRUE(CreateFolderTree(deep));
  std::wstring path = deep + std::wstring(300 - deep.size() - 4, L'f') + L".bin";
  ASSERT_EQ(path.size(), 300u);
  EXPECT_EQ(LongPath(path, 260), L"\\\\?\\" + path);

  clTvFile file;
  ASSERT_TRUE(file.Create(path, false));
  EXPECT_TRUE(file.WriteText(std::string("deep"), false));
  file.Close();
  ASSERT_TRUE(file.OpenRead(path, false));
  char buffer[8] = {};
  EXPECT_EQ(file.Read(buffer, sizeof(buffer)), 4u);
  EXPECT_EQ(std::string(buffer, 4), "deep");
  file.Close();
  EXPECT_EQ(FileSizeByName(path), 4u);
  EXPECT_TRUE(FileExists(path));
  clFolderEnum entries(deep, L"*", true);
  ASSERT_TRUE(entries.Next());
  EXPECT_EQ(entries.FullPath(), path);
  EXPECT_TRUE(FileDelete(path));
  EXPECT_FALSE(FileExists(path));
}

TEST_F(FileObject, OpenFailureAsksRetryWithTheCaptionOfTheAccess) {
  const std::wstring missing = folder / L"later.txt";
  struct Case {
    DWORD access;
    const wchar_t* caption;
  } cases[] = {{GENERIC_READ, L"File Read Error"},
               {GENERIC_WRITE, L"File Write Error"},
               {GENERIC_READ | GENERIC_WRITE, L"File Write Error"}};
  for (const Case& c : cases) {
    ScriptedPrompt prompt({false});
    tv::clScopedFilePrompt use(prompt);
    clTvFile file;
    EXPECT_FALSE(file.Open(missing, c.access, OPEN_EXISTING, true, true));
    ASSERT_EQ(prompt.boxes.size(), 1u);
    EXPECT_TRUE(prompt.boxes[0].question);
    EXPECT_EQ(prompt.boxes[0].text, L"Unable to open '" + missing + L"'");
    EXPECT_EQ(prompt.boxes[0].caption, c.caption);
  }
}

TEST_F(FileObject, RetryRepeatsTheOpen) {
  const std::wstring path = folder / L"appears.txt";
  ScriptedPrompt prompt({true, true});
  int asked = 0;
  prompt.beforeAnswer = [&] {
    if (++asked == 2) tvtest::WriteBytes(path, "here");  // the user fixes the cause, then retries
  };
  tv::clScopedFilePrompt use(prompt);
  clTvFile file;
  EXPECT_TRUE(file.OpenRead(path, true));
  EXPECT_EQ(prompt.boxes.size(), 2u);
  EXPECT_EQ(file.Size(), 4u);
}

TEST_F(FileObject, WithoutShowErrorsNoBoxIsShown) {
  ScriptedPrompt prompt;
  tv::clScopedFilePrompt use(prompt);
  clTvFile file;
  EXPECT_FALSE(file.OpenRead(folder / L"missing.txt", false));
  char c;
  bool failed = false;
  EXPECT_EQ(file.Read(&c, 1, kSeekNone, &failed), 0u);
  EXPECT_TRUE(failed);
  EXPECT_FALSE(file.Write("x", 1));
  EXPECT_FALSE(file.Write(nullptr, 3));
  EXPECT_TRUE(prompt.boxes.empty());
}

TEST_F(FileObject, FailedReadsAndWritesAskRetryAndCancelFails) {
  const std::wstring path = folder / L"ro.txt";
  tvtest::WriteBytes(path, "abc");
  ScriptedPrompt prompt({true, false});  // one retry, then cancel
  tv::clScopedFilePrompt use(prompt);

  clTvFile reader;
  ASSERT_TRUE(reader.OpenRead(path, true));
  EXPECT_FALSE(reader.Write("x", 1));  // the handle has no write access
  ASSERT_EQ(prompt.boxes.size(), 2u);
  EXPECT_EQ(prompt.boxes[0].text, L"Unable to write to '" + path + L"'");
  EXPECT_EQ(prompt.boxes[0].caption, L"File Write Error");
  reader.Close();
  EXPECT_EQ(tvtest::ReadBytes(path), "abc");

  ScriptedPrompt readPrompt;
  tv::clScopedFilePrompt useRead(readPrompt);
  clTvFile writer;
  ASSERT_TRUE(writer.Open(path, GENERIC_WRITE, OPEN_EXISTING, true, true));
  char buffer[4];
  bool failed = false;
  EXPECT_EQ(writer.Read(buffer, sizeof(buffer), kSeekFromStart, &failed), 0u);  // no read access
  EXPECT_TRUE(failed);
  ASSERT_EQ(readPrompt.boxes.size(), 1u);
  EXPECT_EQ(readPrompt.boxes[0].text, L"Unable to read from '" + path + L"'");
  EXPECT_EQ(readPrompt.boxes[0].caption, L"File Read Error");
}

TEST_F(FileObject, NullBufferWrites) {
  ScriptedPrompt prompt;
  tv::clScopedFilePrompt use(prompt);
  clTvFile file;
  ASSERT_TRUE(file.Create(folder / L"null.bin", true));
  EXPECT_TRUE(file.Write(nullptr, 0));  // nothing to write is a success
  EXPECT_TRUE(prompt.boxes.empty());
  EXPECT_FALSE(file.Write(nullptr, 4));
  ASSERT_EQ(prompt.boxes.size(), 1u);
  EXPECT_FALSE(prompt.boxes[0].question);  // an OK box
  EXPECT_EQ(prompt.boxes[0].text, L"Error writing a NULL buffer to file");
  EXPECT_EQ(prompt.boxes[0].caption, L"File Write Error");
  EXPECT_EQ(file.Size(), 0u);
}

TEST_F(FileObject, AnAttachedHandleStaysOpenAfterClose) {
  const std::wstring path = folder / L"attached.txt";
  HANDLE handle = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(handle, INVALID_HANDLE_VALUE);
  {
    clTvFile file;
    file.Attach(handle);
    EXPECT_TRUE(file.IsOpen());
    EXPECT_TRUE(file.WriteText(std::string("via object"), true));
    file.Close();
    EXPECT_FALSE(file.IsOpen());
    file.Attach(handle);
  }  // and the destructor leaves it open as well
  DWORD written = 0;
  EXPECT_TRUE(WriteFile(handle, "!", 1, &written, nullptr));
  EXPECT_TRUE(CloseHandle(handle));
  EXPECT_EQ(tvtest::ReadBytes(path), "via object\r\n!");
}

TEST_F(FileObject, AnOwnedHandleIsClosedSoTheFileCanBeDeleted) {
  const std::wstring path = folder / L"owned.txt";
  clTvFile moved;
  {
    clTvFile file;
    ASSERT_TRUE(file.Open(path, GENERIC_WRITE, CREATE_ALWAYS, false, false));
    moved = std::move(file);
    EXPECT_FALSE(file.IsOpen());
  }
  EXPECT_TRUE(moved.IsOpen());
  EXPECT_TRUE(moved.Write("1", 1));
  moved.Close();
  EXPECT_TRUE(DeleteFileW(path.c_str()));
}

TEST_F(FileObject, ReadsAWholeFile) {
  std::string content(100000, '\0');
  for (size_t i = 0; i < content.size(); ++i) content[i] = char(i * 7);
  tvtest::WriteBytes(folder / L"whole.bin", content);
  std::vector<uint8_t> data;
  ASSERT_TRUE(ReadWholeFile(folder / L"whole.bin", &data));
  EXPECT_EQ(std::string(data.begin(), data.end()), content);
  tvtest::WriteBytes(folder / L"empty.bin", "");
  EXPECT_TRUE(ReadWholeFile(folder / L"empty.bin", &data));
  EXPECT_TRUE(data.empty());
  EXPECT_FALSE(ReadWholeFile(folder / L"none.bin", &data));
}

// A non-blocking pipe whose buffer is nearly full refuses a write; once the
// reader has drained it, Retry writes the data, and the reader gets every
// byte exactly once.
TEST_F(FileObject, RetryAfterAFailedWriteWritesEachByteOnce) {
  const std::wstring name = L"\\\\.\\pipe\\tvfiles_retry_" + std::to_wstring(GetCurrentProcessId());
  HANDLE server = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_NOWAIT, 1,
                                   64, 64, 0, nullptr);
  ASSERT_NE(server, INVALID_HANDLE_VALUE);
  HANDLE client = CreateFileW(name.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(client, INVALID_HANDLE_VALUE);

  std::string received;
  auto drain = [&] {
    char chunk[256];
    DWORD available = 0;
    while (PeekNamedPipe(client, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
      DWORD got = 0;
      if (!ReadFile(client, chunk, available < sizeof(chunk) ? available : DWORD(sizeof(chunk)), &got,
                    nullptr) || got == 0)
        break;
      received.append(chunk, got);
    }
  };
  ScriptedPrompt prompt({true, true, true});
  prompt.beforeAnswer = drain;
  tv::clScopedFilePrompt use(prompt);

  clTvFile file;
  file.Attach(server, L"pipe");
  file.SetShowErrors(true);
  const std::string first(50, 'f'), second = "0123456789abcdefghijklmnopqrstuv";
  ASSERT_TRUE(file.Write(first.data(), DWORD(first.size())));
  EXPECT_TRUE(file.Write(second.data(), DWORD(second.size())));  // does not fit until drained
  drain();
  EXPECT_GE(prompt.boxes.size(), 1u);
  EXPECT_EQ(prompt.boxes[0].text, L"Unable to write to 'pipe'");
  EXPECT_EQ(received, first + second);
  file.Close();
  CloseHandle(client);
  CloseHandle(server);
}
