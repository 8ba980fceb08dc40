// The engine's outputs: real standard handles of a child process, real
// channels, and a plug-in-style library writing into them.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "TvCodePage.h"
#include "TvMessageChannel.h"
#include "TvParentMessages.h"
#include "TvTrace.h"

namespace {

std::wstring BinFolder() {
  const wchar_t* bin = _wgetenv(L"TV_BIN_DIR");
  return bin ? bin : L".";
}

std::string Utf16Bytes(const std::wstring& text) {
  std::string bytes;
  for (wchar_t c : text) {
    bytes += static_cast<char>(c & 0xFF);
    bytes += static_cast<char>((c >> 8) & 0xFF);
  }
  return bytes;
}

struct ChildOutput {
  int exitCode = -1;
  std::string out;
  std::string err;
};

// Runs the helper with its standard output and error going into two pipes
// (the write ends of two inheritable channels) and collects both.
ChildOutput RunHelper(const std::wstring& mode) {
  ChildOutput result;
  clMessageChannel out, err;
  if (!out.Create(true) || !err.Create(true)) return result;
  std::wstring command = L"\"" + BinFolder() + L"\\engine_messages_helper.exe\" " + mode;
  std::vector<wchar_t> buffer(command.begin(), command.end());
  buffer.push_back(L'\0');
  STARTUPINFOW startup = {};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdInput = nullptr;
  startup.hStdOutput = out.WriteHandle();
  startup.hStdError = err.WriteHandle();
  PROCESS_INFORMATION info = {};
  if (!CreateProcessW(nullptr, buffer.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &info))
    return result;
  out.CloseWriteEnd();
  err.CloseWriteEnd();
  WaitForSingleObject(info.hProcess, INFINITE);
  DWORD code = 0;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  result.exitCode = static_cast<int>(code);
  bool broken = false;
  while (!broken) result.out += out.ReadAvailable(false, &broken);
  broken = false;
  while (!broken) result.err += err.ReadAvailable(false, &broken);
  return result;
}

}  // namespace

TEST(ParentMessagesChild, CommandFileModeSendsOnlyUtf16Lines) {
  ChildOutput child = RunHelper(L"cmd");
  EXPECT_EQ(child.exitCode, 1);  // the error line failed the run
  const std::wstring expectedOut =
      L"MSGTO: Tvx: Action: Encoding 'song'\r\n"
      L"MSGTO: Tvx: ActionInput: Decoding song.flac\r\n"
      L"MSGTO: Tvx: ActionOutput: Encoding\r\n"
      L"MSGTO: Tvx: PCDone: 50 %\r\n"
      L"MSGTO: Tvx: PCDone: 100 %\r\n"
      L"Note \u00e9t\u00e9\r\n";
  EXPECT_TRUE(child.out == Utf16Bytes(expectedOut)) << child.out.size() << " bytes";
  EXPECT_TRUE(child.err == Utf16Bytes(L"Error: broken \u00e9t\u00e9  [TvRendermill::DecodeAudioBlock]\r\n"));
}

TEST(ParentMessagesChild, SilentConsoleGetsOnlyTheErrors) {
  ChildOutput child = RunHelper(L"silent");
  EXPECT_EQ(child.exitCode, 1);
  EXPECT_EQ(child.out, "");
  EXPECT_EQ(child.err, tv::WideToAnsi(L"Error: broken \u00e9t\u00e9  [TvRendermill::DecodeAudioBlock]\r\n"));
}

TEST(ParentMessagesChild, ConsoleGetsAnsiTextScaleAndStars) {
  ChildOutput child = RunHelper(L"console");
  EXPECT_EQ(child.exitCode, 1);
  const std::string expectedOut = "Encoding: WAVE\r\n"
                                  "\r\n" + tv::WideToAnsi(tv::kProgressScale) + " " +
                                  std::string(30, '*') + std::string(30, '*') +
                                  "\r\n" + tv::WideToAnsi(L"Note \u00e9t\u00e9\r\n") + "\r\n"
                                  "\r\n\r\n";
  EXPECT_EQ(child.out, expectedOut);
  EXPECT_EQ(child.err, tv::WideToAnsi(L"Error: broken \u00e9t\u00e9  [TvRendermill::DecodeAudioBlock]\r\n"));
}

// In-process: the outputs are pipes this test reads back.
class ParentMessagesFlush : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(errors_.Create(false));
    ASSERT_TRUE(infos_.Create(false));
    ASSERT_TRUE(stdout_.Create(false));
    ASSERT_TRUE(stderr_.Create(false));
    handles_ = {errors_.WriteHandle(), infos_.WriteHandle(), nullptr};
  }
  void Configure(bool commandFileMode, bool silent) {
    TvParentOutputs outputs;
    outputs.standardOutput = stdout_.WriteHandle();
    outputs.errorOutput = stderr_.WriteHandle();
    outputs.commandFileMode = commandFileMode;
    outputs.silent = silent;
    messages_.Configure(outputs);
  }
  clMessageChannel errors_, infos_, stdout_, stderr_;
  TvMessageHandles handles_ = {};
  clParentMessages messages_;
};

TEST_F(ParentMessagesFlush, PluginErrorLineFailsAlthoughItsCallSucceeded) {
  Configure(true, true);
  HMODULE plugin = LoadLibraryW((BinFolder() + L"\\engine_messages_test\\engine_messages_writer.dll").c_str());
  ASSERT_NE(plugin, nullptr);
  typedef int (*WriteReports)(const TvMessageHandles*, int);
  auto write = reinterpret_cast<WriteReports>(GetProcAddress(plugin, "WriteReports"));
  ASSERT_NE(write, nullptr);

  EXPECT_EQ(write(&handles_, 0), 1);
  EXPECT_FALSE(messages_.Flush(infos_, errors_));
  EXPECT_FALSE(messages_.Failed());
  EXPECT_EQ(write(&handles_, 1), 1);
  EXPECT_TRUE(messages_.Flush(infos_, errors_));
  EXPECT_TRUE(messages_.Failed());
  EXPECT_FALSE(messages_.Flush(infos_, errors_));  // nothing new, but the run stays failed
  EXPECT_TRUE(messages_.Failed());
  FreeLibrary(plugin);

  EXPECT_TRUE(stdout_.ReadAvailable() == Utf16Bytes(L"Plug-in note\r\nPlug-in note\r\n"));
  EXPECT_TRUE(stderr_.ReadAvailable() == Utf16Bytes(L"Plug-in trouble  [clPlugin::Encode]\r\n"));
}

TEST_F(ParentMessagesFlush, LineSplitAcrossFlushesOnAnOddByteStaysWhole) {
  Configure(false, false);
  const std::string line = Utf16Bytes(L"Hello\r\n");
  DWORD written = 0;
  WriteFile(errors_.WriteHandle(), line.data(), 5, &written, nullptr);
  messages_.Flush(infos_, errors_);
  WriteFile(errors_.WriteHandle(), line.data() + 5, DWORD(line.size() - 5), &written, nullptr);
  messages_.Flush(infos_, errors_);
  EXPECT_EQ(stderr_.ReadAvailable(), "Hello\r\n");
}

TEST_F(ParentMessagesFlush, ParentMessagesNeverReachTheConsole) {
  Configure(false, false);
  messages_.SendTvxMessage(tv::RenderingAction());
  messages_.ShowInputAction(L"x");
  messages_.ShowOutputAction(L"y");
  EXPECT_EQ(stdout_.ReadAvailable(), "");
}

TEST_F(ParentMessagesFlush, BigBurstOfErrorTextArrivesWhole) {
  Configure(true, true);
  std::wstring burst;
  while (burst.size() * 2 < 256 * 1024) burst += L"Error: a long plug-in complaint, line after line\r\n";
  DWORD written = 0;
  ASSERT_TRUE(WriteFile(errors_.WriteHandle(), burst.data(), DWORD(burst.size() * 2), &written, nullptr));
  EXPECT_TRUE(messages_.Flush(infos_, errors_));
  std::string got;
  bool broken = false;
  stderr_.CloseWriteEnd();
  while (!broken) got += stderr_.ReadAvailable(false, &broken);
  EXPECT_TRUE(got == Utf16Bytes(burst));
}
