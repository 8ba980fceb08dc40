// The one-shot "Debug" switch: exactly one run traces, the switch reads 0
// afterwards, the watch event names are unique and the watcher is started
// with the event and the trace file.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ChildRun.h"
#include "TempFolder.h"
#include "TvDebugSwitch.h"
#include "TvDebugSwitchText.h"
#include "TvRegistry.h"

namespace {

// Every trace file of the temporary folder (DBG*.TXT).
std::set<std::wstring> TraceFiles() {
  wchar_t temp[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, temp);
  std::set<std::wstring> files;
  WIN32_FIND_DATAW found;
  HANDLE search = FindFirstFileW((std::wstring(temp) + L"DBG*.TXT").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return files;
  do {
    files.insert(std::wstring(temp) + found.cFileName);
  } while (FindNextFileW(search, &found));
  FindClose(search);
  return files;
}

std::set<std::wstring> NewFiles(const std::set<std::wstring>& before) {
  std::set<std::wstring> added;
  for (const auto& f : TraceFiles())
    if (!before.count(f)) added.insert(f);
  return added;
}

std::wstring WideFromUtf16(const std::string& bytes) {
  std::wstring text(bytes.size() / 2, L'\0');
  for (size_t i = 0; i < text.size(); ++i)
    text[i] = wchar_t((unsigned char)bytes[2 * i] | ((unsigned char)bytes[2 * i + 1] << 8));
  return text;
}

std::wstring FolderOfThisProgram() {
  wchar_t path[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring folder(path);
  return folder.substr(0, folder.rfind(L'\\') + 1);
}

class DebugSwitch : public ::testing::Test {
 protected:
  void SetUp() override { tv::RegDeleteValueAt(tv::Settings(), L"Debug"); }
  void TearDown() override {
    tv::RegDeleteValueAt(tv::Settings(), L"Debug");
    for (const auto& f : NewFiles(before_)) DeleteFileW(f.c_str());
  }
  // Rendermill.exe copied into a folder of its own, so whether a watcher
  // stands beside it is up to the test.
  std::wstring CopyEngine(bool withFakeWatcher) {
    const std::wstring engine = folder_.File(L"Rendermill.exe");
    EXPECT_TRUE(CopyFileW(RendermillPath().c_str(), engine.c_str(), FALSE));
    if (withFakeWatcher) {
      const std::wstring watcher = FolderOfThisProgram() + L"engine_entry_fixture\\TipfetchInfo.exe";
      EXPECT_TRUE(CopyFileW(watcher.c_str(), folder_.File(L"TipfetchInfo.exe").c_str(), FALSE));
    }
    return engine;
  }
  ChildResult RunEngine(const std::wstring& engine) {
    ChildOptions options;
    options.program = engine;
    options.arguments = L"-infile=a.wav -outfile=b.mp3";
    return RunChild(options);
  }
  TempFolder folder_;
  std::set<std::wstring> before_ = TraceFiles();
};

TEST_F(DebugSwitch, OffLeavesNoTrace) {
  clDebugSwitch debugSwitch;
  EXPECT_FALSE(debugSwitch.Start(folder_.Path()));
  EXPECT_EQ(debugSwitch.TraceFile(), nullptr);
  EXPECT_EQ(debugSwitch.WatchEventName(), "");
  tv::RegWriteDword(tv::Settings(), L"Debug", 0);
  EXPECT_FALSE(debugSwitch.Start(folder_.Path()));
  EXPECT_TRUE(NewFiles(before_).empty());
}

TEST_F(DebugSwitch, OneRunTracesAndTheSwitchReadsZeroAfterwards) {
  const std::wstring engine = CopyEngine(false);
  ASSERT_TRUE(tv::RegWriteDword(tv::Settings(), L"Debug", 1));

  ChildResult r = RunEngine(engine);
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0u);
  bool isDword = false;
  EXPECT_EQ(tv::RegReadDword(tv::Settings(), L"Debug", &isDword), 0u);
  EXPECT_TRUE(isDword);  // set back to 0, not removed
  const auto traced = NewFiles(before_);
  ASSERT_EQ(traced.size(), 1u);  // no watcher beside the engine: the file stays
  const std::wstring name = traced.begin()->substr(traced.begin()->rfind(L'\\') + 1);
  EXPECT_EQ(name.compare(0, 3, L"DBG"), 0) << name;
  EXPECT_EQ(name.substr(name.size() - 8), L".tmp.TXT") << name;
  const std::wstring trace = WideFromUtf16(ReadBytesFromFile(*traced.begin()));
  EXPECT_NE(trace.find(L"Splitting Command Line:Done\r\n"), std::wstring::npos);
  EXPECT_NE(trace.find(L"*** Error: Error no encoder specified.  [TvRendermill::ParseCommandLine]\r\n"),
            std::wstring::npos)
      << trace;
  // The error still reaches standard error as usual.
  EXPECT_EQ(r.err, "Error no encoder specified.  [TvRendermill::ParseCommandLine]\r\n");

  // The next run does not trace.
  r = RunEngine(engine);
  ASSERT_TRUE(r.finished);
  EXPECT_EQ(NewFiles(before_).size(), 1u);
}

TEST_F(DebugSwitch, TheWatcherGetsTheEventAndTheTraceFile) {
  const std::wstring engine = CopyEngine(true);
  const std::wstring log = folder_.File(L"watcher.log");
  SetEnvironmentVariableW(L"TV_FAKE_WATCHER_LOG", log.c_str());
  ASSERT_TRUE(tv::RegWriteDword(tv::Settings(), L"Debug", 1));
  const ChildResult r = RunEngine(engine);
  SetEnvironmentVariableW(L"TV_FAKE_WATCHER_LOG", nullptr);
  ASSERT_TRUE(r.finished);

  // The watcher outlives the engine; wait (bounded) for it to see the end.
  std::wstring text;
  for (int i = 0; i < 300 && text.find(L"gone\n") == std::wstring::npos; ++i) {
    Sleep(100);
    text = WideFromUtf16(ReadBytesFromFile(log));
  }
  ASSERT_NE(text.find(L"gone\n"), std::wstring::npos) << text;

  const auto traced = NewFiles(before_);
  ASSERT_EQ(traced.size(), 1u);
  const std::wstring expectedStart = L"\"" + folder_.File(L"TipfetchInfo.exe") + L"\" -DebugWatch=\"TvDGB";
  EXPECT_EQ(text.compare(0, expectedStart.size(), expectedStart), 0) << text;
  EXPECT_NE(text.find(L"\" -DebugFile=\"" + *traced.begin() + L"\"\n"), std::wstring::npos) << text;
}

// A tick source frozen for the first two reads, as when two engines start in
// the same millisecond.
uint32_t g_tickReads = 0;
uint32_t FrozenThenMovingTicks() { return 0x7000000u + (++g_tickReads > 2 ? g_tickReads : 0); }

TEST_F(DebugSwitch, EnginesStartedInTheSameMillisecondGetDifferentEvents) {
  g_tickReads = 0;
  clDebugSwitch first(&FrozenThenMovingTicks), second(&FrozenThenMovingTicks);
  ASSERT_TRUE(first.CreateWatchEvent());
  ASSERT_TRUE(second.CreateWatchEvent());
  EXPECT_EQ(first.WatchEventName(), tv::DebugWatchEventName(0x7000000u));
  EXPECT_NE(second.WatchEventName(), first.WatchEventName());
  EXPECT_EQ(second.WatchEventName().compare(0, 5, "TvDGB"), 0);
  // The first engine's event is still its own, not closed by the second.
  HANDLE firstEvent = OpenEventA(SYNCHRONIZE, FALSE, first.WatchEventName().c_str());
  EXPECT_NE(firstEvent, nullptr);
  if (firstEvent) CloseHandle(firstEvent);

  // With the real clock, back to back.
  std::set<std::string> names;
  std::vector<std::unique_ptr<clDebugSwitch>> switches;
  for (int i = 0; i < 4; ++i) {
    switches.emplace_back(new clDebugSwitch());
    ASSERT_TRUE(switches.back()->CreateWatchEvent());
    names.insert(switches.back()->WatchEventName());
  }
  EXPECT_EQ(names.size(), 4u);
}

TEST(DebugSwitchText, NamesAndWatcherArguments) {
  EXPECT_EQ(tv::DebugWatchEventName(0), "TvDGB0");
  EXPECT_EQ(tv::DebugWatchEventName(4294967295u), "TvDGB4294967295");
  EXPECT_EQ(tv::DebugWatcherArguments(L"TvDGB12", L"C:\\T\\DBG1.tmp.TXT"),
            L"-DebugWatch=\"TvDGB12\" -DebugFile=\"C:\\T\\DBG1.tmp.TXT\"");
}

}  // namespace
