// TvRendermill inside the test process, with its surroundings replaced: the
// command text, the standard handles and the start-up boxes.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TempFolder.h"
#include "TvRendermill.h"

namespace {

class TestEngine : public TvRendermill {
 public:
  explicit TestEngine(std::wstring commandText) : commandText_(std::move(commandText)) {
    SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, FALSE};
    CreatePipe(&outRead_, &outWrite_, &sa, 1 << 20);
    CreatePipe(&errRead_, &errWrite_, &sa, 1 << 20);
  }
  ~TestEngine() override {
    for (HANDLE h : {outRead_, outWrite_, errRead_, errWrite_}) CloseHandle(h);
  }

  std::vector<std::pair<std::wstring, std::wstring>> boxes;
  bool conversionReached = false;
  HANDLE standardOutput = nullptr;  // set to replace the pipe
  HANDLE traceFile = nullptr;

  std::string Drain(bool errorSide) {
    HANDLE read = errorSide ? errRead_ : outRead_;
    std::string bytes;
    DWORD available = 0;
    while (PeekNamedPipe(read, nullptr, 0, nullptr, &available, nullptr) && available) {
      std::string chunk(available, '\0');
      DWORD got = 0;
      ReadFile(read, &chunk[0], available, &got, nullptr);
      bytes.append(chunk, 0, got);
    }
    return bytes;
  }

 protected:
  std::wstring ProgramCommandText() const override { return commandText_; }
  HANDLE FetchStandardOutput() const override { return standardOutput ? standardOutput : outWrite_; }
  HANDLE FetchStandardError() const override { return errWrite_; }
  void ShowStartupMessage(const std::wstring& text, const std::wstring& caption) override {
    boxes.emplace_back(caption, text);
  }
  // The switch is left to its own tests; a test may hand in a trace file.
  HANDLE StartDebugTrace() override { return traceFile; }
  // The conversion is not under test here; only reaching it is.
  void RunConversion() override { conversionReached = true; }

 private:
  std::wstring commandText_;
  HANDLE outRead_ = nullptr, outWrite_ = nullptr, errRead_ = nullptr, errWrite_ = nullptr;
};

const wchar_t kProgram[] = L"\"C:\\Program Files\\Tv-Suite\\Rendermill.exe\" ";

std::wstring UniqueName(const char* what) {
  return L"tv_entry_" + std::wstring(what, what + strlen(what)) + L"_" +
         std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(GetTickCount());
}

TEST(EngineEntry, ParsedOptionsFillTheFields) {
  TestEngine engine(std::wstring(kProgram) +
                    L"-infile \"-\" -outfile=\"D:\\out dir\\b.mp3\" -Convert_To=lame -NOIDTAG "
                    L"-batchid=\"-42\" -dspeffect1=\"Echo=delay={qt}5{qt}\" -dspeffect2=Gain=2 "
                    L"-dspeffect3=bare -dspeffect5=Lost=1 -V 2 -cbr");
  engine.Run();
  EXPECT_TRUE(engine.conversionReached);
  EXPECT_TRUE(engine.boxes.empty());
  EXPECT_EQ(engine.CodecName(), L"lame");
  EXPECT_EQ(engine.SourcePath(), L"-");
  EXPECT_TRUE(engine.IsStandardInputSource());
  EXPECT_EQ(engine.DestinationPath(), L"D:\\out dir\\b.mp3");
  EXPECT_FALSE(engine.WritesTags());
  EXPECT_FALSE(engine.IsSilent());
  EXPECT_FALSE(engine.IsCommandFileMode());
  EXPECT_EQ(engine.BatchId(), -42);
  ASSERT_EQ(engine.DspEffects().size(), 2u);
  EXPECT_EQ(engine.DspEffects()[0].name, L"Echo");
  EXPECT_EQ(engine.DspEffects()[0].settings, L"delay=\"5\"");
  EXPECT_TRUE(engine.DspEffects()[0].active);
  EXPECT_FALSE(engine.DspEffects()[0].live);
  EXPECT_EQ(engine.DspEffects()[1].name, L"Gain");
  // dspeffect1..3 were the engine's (the third made no effect); the fifth,
  // after a gap, goes to the encoder.
  EXPECT_EQ(engine.StripRendermillCmds(), L" -dspeffect5=\"Lost=1\" -V=\"2\" -cbr");
  EXPECT_EQ(engine.Drain(true), "");
}

TEST(EngineEntry, DefaultsWithoutOptionalOptions) {
  TestEngine engine(std::wstring(kProgram) + L"-infile=a.wav -outfile=b.mp3 -convert_to=lame");
  engine.Run();
  EXPECT_TRUE(engine.conversionReached);
  EXPECT_FALSE(engine.IsStandardInputSource());
  EXPECT_TRUE(engine.WritesTags());
  EXPECT_FALSE(engine.IsSilent());
  EXPECT_EQ(engine.BatchId(), 0);
  EXPECT_EQ(engine.QuitEventName(), L"");
  EXPECT_FALSE(engine.QuitEvent().IsSignalled());
  EXPECT_EQ(engine.QuitEvent().Handle(), nullptr);
  EXPECT_EQ(engine.WatchdogEvent().Handle(), nullptr);
  EXPECT_FALSE(engine.SharedByteCounter().IsOpen());
  EXPECT_TRUE(engine.DspEffects().empty());
  EXPECT_EQ(engine.StripRendermillCmds(), L"");
}

TEST(EngineEntry, SilentOptionSetsSilent) {
  TestEngine engine(std::wstring(kProgram) + L"-infile=a -outfile=b -convert_to=c -Silent");
  engine.Run();
  EXPECT_TRUE(engine.IsSilent());
}

TEST(EngineEntry, NamedObjectsAreCreatedOrOpenedFromTheirOptions) {
  const std::wstring quit = UniqueName("quit"), watchdog = UniqueName("dog"),
                     counter = UniqueName("bytes");
  // The front end may have made the quit event already: the engine opens it.
  HANDLE frontEndQuit = CreateEventW(nullptr, TRUE, FALSE, quit.c_str());
  ASSERT_NE(frontEndQuit, nullptr);
  TestEngine engine(std::wstring(kProgram) + L"-infile=a -outfile=b -convert_to=c -evtquit=" +
                    quit + L" -evtwatchdog=\"" + watchdog + L"\" -shrbytesencoded=" + counter);
  engine.Run();
  EXPECT_EQ(engine.QuitEventName(), quit);
  EXPECT_FALSE(engine.QuitEvent().IsSignalled());
  SetEvent(frontEndQuit);
  EXPECT_TRUE(engine.QuitEvent().IsSignalled());

  HANDLE dog = OpenEventW(SYNCHRONIZE, FALSE, watchdog.c_str());
  ASSERT_NE(dog, nullptr);
  EXPECT_EQ(WaitForSingleObject(dog, 0), DWORD(WAIT_TIMEOUT));  // created non-signalled
  EXPECT_TRUE(engine.WatchdogEvent().Set());
  EXPECT_EQ(WaitForSingleObject(dog, 0), DWORD(WAIT_OBJECT_0));
  EXPECT_TRUE(engine.WatchdogEvent().Reset());
  EXPECT_EQ(WaitForSingleObject(dog, 0), DWORD(WAIT_TIMEOUT));  // manual reset: stays until reset
  CloseHandle(dog);

  ASSERT_TRUE(engine.SharedByteCounter().IsOpen());
  EXPECT_EQ(engine.SharedByteCounter().Size(), 8u);
  HANDLE mapping = OpenFileMappingW(FILE_MAP_READ, FALSE, (L"NSharedData_" + counter).c_str());
  ASSERT_NE(mapping, nullptr);
  const unsigned long long total = 0x0123456789ABCDEFull;
  EXPECT_TRUE(engine.SharedByteCounter().Write(&total));
  void* view = MapViewOfFile(mapping, FILE_MAP_READ, 0, 0, 8);
  ASSERT_NE(view, nullptr);
  EXPECT_EQ(*static_cast<unsigned long long*>(view), total);
  UnmapViewOfFile(view);
  CloseHandle(mapping);
  CloseHandle(frontEndQuit);
}

TEST(EngineEntry, ProcessorOptionPinsTheMainThread) {
  DWORD_PTR processMask = 0, systemMask = 0;
  ASSERT_TRUE(GetProcessAffinityMask(GetCurrentProcess(), &processMask, &systemMask));
  struct Case {
    const wchar_t* value;
    DWORD_PTR mask;
  };
  std::vector<Case> cases = {{L"1", 1}, {L"0", 1}, {L"\"-3\"", 1}, {L"x", 1}};
  if (processMask & 2) cases.push_back({L"2", 2});
  if (processMask & 4) cases.push_back({L"3", 4});
  for (const Case& c : cases) {
    SetThreadAffinityMask(GetCurrentThread(), processMask);
    {
      TestEngine engine(std::wstring(kProgram) + L"-infile=a -outfile=b -convert_to=c -processor=" +
                        c.value);
      engine.Run();
    }
    // Setting the mask back returns the one the engine set.
    EXPECT_EQ(SetThreadAffinityMask(GetCurrentThread(), processMask), c.mask) << c.value;
  }
  // A processor beyond the mask's width leaves the affinity as it was.
  SetThreadAffinityMask(GetCurrentThread(), processMask);
  {
    TestEngine engine(std::wstring(kProgram) + L"-infile=a -outfile=b -convert_to=c -processor=999");
    engine.Run();
  }
  EXPECT_EQ(SetThreadAffinityMask(GetCurrentThread(), processMask), processMask);
}

TEST(EngineEntry, StartupFailuresShowTheirBoxesOnly) {
  {
    TestEngine engine(std::wstring(kProgram) + L"-infile=a");
    engine.standardOutput = INVALID_HANDLE_VALUE;
    engine.Run();
    ASSERT_EQ(engine.boxes.size(), 1u);
    EXPECT_EQ(engine.boxes[0].first, L"Console Error");
    EXPECT_EQ(engine.boxes[0].second, L"GetStdHandle");
    EXPECT_FALSE(engine.conversionReached);
    EXPECT_EQ(engine.Drain(true), "");
  }
  {
    TestEngine engine(std::wstring(kProgram) + L"-tvcmd=\"C:\\no\\such\\file.tvcmd\" -infile=a "
                                               L"-outfile=b -convert_to=c");
    engine.Run();
    ASSERT_EQ(engine.boxes.size(), 1u);
    EXPECT_EQ(engine.boxes[0].first, L"Rendermill");
    EXPECT_EQ(engine.boxes[0].second, L"Error reading Tv Command File.");
    EXPECT_FALSE(engine.conversionReached);
    EXPECT_FALSE(engine.IsCommandFileMode());
    EXPECT_EQ(engine.Drain(false), "");
    EXPECT_EQ(engine.Drain(true), "");
  }
}

TEST(EngineEntry, ParseFailureFlushesTheErrorAndSetsTheErrorFlag) {
  TestEngine engine(std::wstring(kProgram) + L"-outfile=b");
  engine.Run();
  EXPECT_FALSE(engine.conversionReached);
  EXPECT_EQ(engine.ErrorFlag(), 1);
  EXPECT_EQ(engine.Drain(true), "Error no encoder specified.  [TvRendermill::ParseCommandLine]\r\n");
  EXPECT_EQ(engine.Drain(false), "");
}

TEST(EngineEntry, ProgramPathWithDashesIsNeverAnOption) {
  TestEngine engine(L"C:\\Tv-Suite\\Rendermill.exe");
  engine.Run();
  EXPECT_EQ(engine.OptionCount(), 0u);
  EXPECT_EQ(engine.Drain(false),
            "Usage: Rendermill.exe -infile=\"filename\" -outfile=\"filename\" "
            "-convert_to=\"codec\" [codec compression CLI]\r\n");
}

TEST(EngineEntry, AMegabyteOptionValueReachesTheEncoderWhole) {
  const std::wstring value(1 << 20, L'q');
  TestEngine engine(std::wstring(kProgram) + L"-infile=a -outfile=b -convert_to=c -preset=\"" +
                    value + L"\" -last=1");
  engine.Run();
  EXPECT_TRUE(engine.conversionReached);
  EXPECT_EQ(engine.StripRendermillCmds(), L" -preset=\"" + value + L"\" -last=\"1\"");
}

// The trace of a run, read back as text.
class TracedRun {
 public:
  TracedRun() {
    tv::ResetTraceState();
    file_ = CreateFileW(path_.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  }
  ~TracedRun() { CloseHandle(file_); }
  HANDLE File() const { return file_; }
  std::wstring Text() const {
    const std::string bytes = ReadBytesFromFile(path_);
    std::wstring text(bytes.size() / 2, L'\0');
    for (size_t i = 0; i < text.size(); ++i)
      text[i] = wchar_t((unsigned char)bytes[2 * i] | ((unsigned char)bytes[2 * i + 1] << 8));
    return text;
  }
  const TempFolder& Folder() const { return folder_; }

 private:
  TempFolder folder_;
  std::wstring path_ = folder_.File(L"trace.txt");
  HANDLE file_ = INVALID_HANDLE_VALUE;
};

TEST(EngineTrace, ASuccessfulParseTracesSplittingProcessorAndCodecLine) {
  TracedRun trace;
  TestEngine engine(std::wstring(kProgram) + L"-infile=a -outfile=b -convert_to=c -processor=1 -V 2");
  engine.traceFile = trace.File();
  engine.Run();
  engine.StripRendermillCmds();
  EXPECT_EQ(trace.Text(),
            L"Splitting Command Line:Done\r\n"
            L"Allying to Processor 1\r\n"
            L"->->  [TvRendermill::StripRendermillCmds]\r\n"
            L"  Encoder Cmd Line:  -V=\"2\"\r\n"
            L"<-<-  [TvRendermill::StripRendermillCmds]\r\n");
}

TEST(EngineTrace, CommandFileFailuresAreToldToTheTraceOnly) {
  struct Case {
    const char* what;
    std::string bytes;  // empty with `create` false: no file at all
    bool create;
    const wchar_t* traced;
  };
  const Case cases[] = {
      {"missing", "", false, L"Error opening TvCmd File."},
      {"empty", "", true, L"Error TvCmd File is Empty."},
  };
  for (const Case& c : cases) {
    TracedRun trace;
    const std::wstring commandFile = trace.Folder().File(L"cmd.tvcmd");
    if (c.create) ASSERT_TRUE(WriteBytesToFile(commandFile, c.bytes));
    TestEngine engine(std::wstring(kProgram) + L"-tvcmd=\"" + commandFile + L"\"");
    engine.traceFile = trace.File();
    engine.Run();
    EXPECT_EQ(trace.Text(), std::wstring(L"Splitting Command Line:Done\r\n"
                                         L"->->  [TvRendermill::ReadTvCommandFile]\r\n  ") +
                                c.traced + L"\r\n<-<-  [TvRendermill::ReadTvCommandFile]\r\n")
        << c.what;
    EXPECT_EQ(engine.Drain(true), "") << c.what;
    EXPECT_EQ(engine.Drain(false), "") << c.what;
    ASSERT_EQ(engine.boxes.size(), 1u) << c.what;
  }
}

TEST(EngineTrace, ErrorsReachTheTraceWithTheirPrefix) {
  TracedRun trace;
  TestEngine engine(std::wstring(kProgram) + L"-convert_to=c -infile=a");
  engine.traceFile = trace.File();
  engine.Run();
  EXPECT_EQ(trace.Text(),
            L"Splitting Command Line:Done\r\n"
            L"*** Error: Error no ouput file specified  [TvRendermill::ParseCommandLine]\r\n");
}

}  // namespace
