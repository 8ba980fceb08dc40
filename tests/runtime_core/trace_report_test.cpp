// The report functions writing into a real trace file and real channels.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <thread>
#include <vector>

#include "TvMessageChannel.h"
#include "TvTrace.h"
#include "core_test_support.h"

namespace {

class TraceReport : public ::testing::Test {
 protected:
  void SetUp() override {
    tracePath_ = folder_.Path() + L"\\trace.txt";
    traceFile_ = CreateFileW(tracePath_.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                             CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(traceFile_, INVALID_HANDLE_VALUE);
    ASSERT_TRUE(errors_.Create(false));
    ASSERT_TRUE(infos_.Create(false));
    handles_ = {errors_.WriteHandle(), infos_.WriteHandle(), traceFile_};
    tv::ResetTraceState();
  }
  void TearDown() override {
    if (traceFile_ != INVALID_HANDLE_VALUE) CloseHandle(traceFile_);
    tv::ResetTraceState();
  }
  std::wstring TraceText() { return coretest::BytesToWide(coretest::ReadWholeFile(tracePath_)); }

  coretest::TempFolder folder_;
  std::wstring tracePath_;
  HANDLE traceFile_ = INVALID_HANDLE_VALUE;
  clMessageChannel errors_;
  clMessageChannel infos_;
  TvMessageHandles handles_ = {};
};

}  // namespace

TEST_F(TraceReport, FunctionScopeIndentsTheLinesInside) {
  {
    clTraceScope scope(&handles_, "TvRendermill::StripRendermillCmds");
    tv::Trace(L"Encoder Cmd Line:  -V=\"2\"", &handles_);
  }
  EXPECT_EQ(TraceText(),
            L"->->  [TvRendermill::StripRendermillCmds]\r\n"
            L"  Encoder Cmd Line:  -V=\"2\"\r\n"
            L"<-<-  [TvRendermill::StripRendermillCmds]\r\n");
}

TEST_F(TraceReport, ErrorReachesTraceWithPrefixAndChannelBare) {
  tv::ReportError(L"Error no encoder specified.", &handles_, "TvRendermill::ParseCommandLine");
  EXPECT_EQ(TraceText(), L"*** Error: Error no encoder specified.  [TvRendermill::ParseCommandLine]\r\n");
  EXPECT_EQ(coretest::BytesToWide(errors_.ReadAvailable()),
            L"Error no encoder specified.  [TvRendermill::ParseCommandLine]\r\n");
  EXPECT_EQ(infos_.ReadAvailable(), "");
}

TEST_F(TraceReport, InformationReachesTraceAndInformationChannel) {
  tv::ReportInformation(L"Using decoder x.dll", &handles_, nullptr);
  EXPECT_EQ(TraceText(), L"*** Information: Using decoder x.dll\r\n");
  EXPECT_EQ(coretest::BytesToWide(infos_.ReadAvailable()), L"Using decoder x.dll\r\n");
  EXPECT_EQ(errors_.ReadAvailable(), "");
}

TEST_F(TraceReport, NullAndInvalidHandlesSkipTheirWrites) {
  TvMessageHandles none = {nullptr, INVALID_HANDLE_VALUE, nullptr};
  tv::ReportError(L"lost", &none, "f");
  tv::ReportInformation(L"lost", &none, "f");
  tv::Trace(L"lost", nullptr);
  tv::ReportError(L"lost", nullptr, nullptr);
  EXPECT_EQ(TraceText(), L"");
}

TEST_F(TraceReport, LinesOfManyThreadsStayWhole) {
  const int kThreads = 4, kLines = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t)
    threads.emplace_back([this, t] {
      for (int i = 0; i < kLines; ++i)
        tv::Trace(L"thread " + std::to_wstring(t) + L" line " + std::to_wstring(i), &handles_, "Worker::Run");
    });
  for (auto& thread : threads) thread.join();
  std::wstring text = TraceText();
  size_t lines = 0, start = 0;
  for (size_t end; (end = text.find(L"\r\n", start)) != std::wstring::npos; start = end + 2, ++lines) {
    std::wstring line = text.substr(start, end - start);
    ASSERT_EQ(line.rfind(L"thread ", 0), 0u) << "line " << lines;
    ASSERT_NE(line.find(L"  [Worker::Run]"), std::wstring::npos) << "line " << lines;
  }
  EXPECT_EQ(start, text.size());
  EXPECT_EQ(lines, static_cast<size_t>(kThreads * kLines));
}
