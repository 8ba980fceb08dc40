// The helper's dealings with a person and the shell, through a recording
// host: the message box, and the debug trace watch with real named events.
#include <gtest/gtest.h>

#include "HelperFixture.h"
#include "TvInfoHelper.h"

using namespace tv;

namespace {

class RecordingHost : public clInfoHelperHost {
 public:
  void ShowMessage(const std::wstring& text, const std::wstring& caption) override {
    messages.push_back(caption + L"|" + text);
  }
  bool OpenDocument(const std::wstring& path, const std::wstring& folder) override {
    opened.push_back(path + L"|" + folder);
    traceExistedWhenOpened = PathExists(path);
    return true;
  }
  void Pause(DWORD ms) override {
    pauses.push_back(ms);
    if (pauses.size() == 2 && writer) {  // the engine ends while the watcher waits
      CloseHandle(writer);
      writer = nullptr;
    }
  }
  void Abandon() override { ++abandoned; }

  HANDLE writer = nullptr;
  std::vector<std::wstring> messages, opened;
  std::vector<DWORD> pauses;
  bool traceExistedWhenOpened = false;
  int abandoned = 0;
};

}  // namespace

TEST(HelperHost, UnknownRequestShowsTheMessageBox) {
  for (const wchar_t* commandLine : {L"\"C:\\p\\TipfetchInfo.exe\"", L"\"C:\\p\\TipfetchInfo.exe\" -nothing=1"}) {
    RecordingHost host;
    clInfoHelper helper(host);
    helper.Run(commandLine);
    ASSERT_EQ(1u, host.messages.size());
    EXPECT_EQ(L"TipfetchInfo|This application is not designed to run on its own", host.messages[0]);
  }
}

TEST_F(HelperTest, DebugWatchWaitsForTheWriterThenShowsAndDeletesTheTrace) {
  const std::wstring eventName = L"TvDGBinfotest" + std::to_wstring(GetCurrentProcessId());
  RecordingHost host;
  host.writer = CreateEventA(nullptr, TRUE, FALSE, std::string(eventName.begin(), eventName.end()).c_str());
  ASSERT_NE(nullptr, host.writer);
  std::wstring trace = folder_.Data(L"DBG1.tmp.TXT");
  WriteFileBytes(trace, TextBytes("trace"));

  clInfoHelper helper(host);
  helper.Run(L"x -DebugWatch=" + eventName + L" -DebugFile=\"" + trace + L"\"");
  ASSERT_EQ(1u, host.opened.size());
  EXPECT_EQ(trace + L"|" + folder_.Data(L""), host.opened[0]);
  EXPECT_TRUE(host.traceExistedWhenOpened);
  EXPECT_FALSE(PathExists(trace));
  // Two one-second waits while the writer held the event, then the 4-second show.
  EXPECT_EQ((std::vector<DWORD>{1000, 1000, 4000}), host.pauses);
  EXPECT_TRUE(host.messages.empty());
}

TEST_F(HelperTest, DebugWatchOfANameTakenByAnotherKindOfObjectDoesNotWaitForever) {
  const std::wstring name = L"TvDGBmutex" + std::to_wstring(GetCurrentProcessId());
  HANDLE mutex = CreateMutexA(nullptr, FALSE, std::string(name.begin(), name.end()).c_str());
  ASSERT_NE(nullptr, mutex);
  std::wstring trace = folder_.Data(L"DBG2.tmp.TXT");
  WriteFileBytes(trace, TextBytes("trace"));
  RecordingHost host;
  clInfoHelper helper(host);
  helper.Run(L"x -DebugWatch=" + name + L" -DebugFile=\"" + trace + L"\"");
  EXPECT_EQ(1u, host.opened.size());
  EXPECT_FALSE(PathExists(trace));
  CloseHandle(mutex);
}

TEST(HelperHost, DebugWatchWithoutANameOrFileDoesNothing) {
  RecordingHost host;
  clInfoHelper helper(host);
  helper.Run(L"x -DebugWatch= -DebugFile=C:\\t.txt");
  helper.Run(L"x -DebugWatch=abc -DebugFile=");
  EXPECT_TRUE(host.opened.empty());
  EXPECT_TRUE(host.pauses.empty());
  EXPECT_TRUE(host.messages.empty());
}

namespace {

void RemoveTraceClass() {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L".tvdbgtest");
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"TvDbgTest.File");
}

bool SetClassesDefault(const std::wstring& key, const std::wstring& value) {
  return RegSetKeyValueW(HKEY_CLASSES_ROOT, key.c_str(), nullptr, REG_SZ, value.c_str(),
                         DWORD((value.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

}  // namespace

// The real helper and the real shell: the trace file is opened with the
// program its extension is registered to once the engine's event is gone,
// and deleted afterwards.
TEST_F(HelperTest, DebugWatchProcessShowsTheTraceThroughTheShellAndDeletesIt) {
  RemoveTraceClass();
  ASSERT_TRUE(folder_.Copy(L"testplugins\\infohelper\\TvFakeViewer.exe", L"TvFakeViewer.exe"));
  ASSERT_TRUE(SetClassesDefault(L".tvdbgtest", L"TvDbgTest.File"));
  ASSERT_TRUE(SetClassesDefault(L"TvDbgTest.File\\shell\\open\\command",
                                L"\"" + folder_.Path() + L"TvFakeViewer.exe\" \"%1\""));
  const std::wstring viewerLog = folder_.Data(L"viewer.log");
  SetEnvironmentVariableW(L"TV_FAKE_VIEWER_LOG", viewerLog.c_str());

  const std::wstring trace = folder_.Data(L"DBG7.tmp.tvdbgtest");
  WriteFileBytes(trace, TextBytes("trace lines"));
  const std::wstring eventName = L"TvDGBproc" + std::to_wstring(GetCurrentProcessId());
  HANDLE engine = CreateEventA(nullptr, TRUE, FALSE, std::string(eventName.begin(), eventName.end()).c_str());
  ASSERT_NE(nullptr, engine);

  PROCESS_INFORMATION helper = folder_.Start(L"-DebugWatch=" + eventName + L" -DebugFile=\"" + trace + L"\"");
  ASSERT_NE(nullptr, helper.hProcess);
  Sleep(1500);  // let the watcher find the event held; nothing below depends on this pause
  EXPECT_TRUE(PathExists(trace));
  CloseHandle(engine);  // the engine ends

  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(helper.hProcess, 60000));
  DWORD code = 1;
  GetExitCodeProcess(helper.hProcess, &code);
  EXPECT_EQ(0u, code);
  CloseHandle(helper.hThread);
  CloseHandle(helper.hProcess);
  EXPECT_FALSE(PathExists(trace));
  std::vector<uint8_t> bytes = ReadFileBytes(viewerLog);
  std::wstring commandLine(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2);
  EXPECT_NE(std::wstring::npos, commandLine.find(L"DBG7.tmp.tvdbgtest")) << std::string(commandLine.begin(), commandLine.end());
  SetEnvironmentVariableW(L"TV_FAKE_VIEWER_LOG", nullptr);
  RemoveTraceClass();
}
