// Rendermill.exe as a real child process: what reaches standard output,
// standard error, the error file and the start-up message boxes, and the exit
// code, which is 0 in every case.
#include <gtest/gtest.h>

#include <string>

#include "ChildRun.h"
#include "TempFolder.h"

namespace {

const char kUsage[] =
    "Usage: Rendermill.exe -infile=\"filename\" -outfile=\"filename\" -convert_to=\"codec\" "
    "[codec compression CLI]\r\n";
const char kParseSuffix[] = "  [TvRendermill::ParseCommandLine]\r\n";

ChildResult RunEngine(const std::wstring& arguments) {
  ChildOptions options;
  options.program = RendermillPath();
  options.arguments = arguments;
  return RunChild(options);
}

void ExpectEnded(const ChildResult& r) {
  ASSERT_TRUE(r.started);
  EXPECT_TRUE(r.finished);
  EXPECT_EQ(r.exitCode, 0u);
}

TEST(RendermillProcess, WithoutOptionsPrintsTheUsageLine) {
  const ChildResult r = RunEngine(L"");
  ExpectEnded(r);
  EXPECT_EQ(r.out, kUsage);
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(r.boxes.empty());
}

TEST(RendermillProcess, HelpWinsOverCompleteOptions) {
  const ChildResult r = RunEngine(L"-infile=a.wav -outfile=b.mp3 -convert_to=lame -HELP");
  ExpectEnded(r);
  EXPECT_EQ(r.out, kUsage);
  EXPECT_EQ(r.err, "");
}

struct MissingCase {
  const wchar_t* arguments;
  const char* error;
};

TEST(RendermillProcess, TheFirstMissingOptionIsReportedOnStandardError) {
  const MissingCase cases[] = {
      {L"-infile=a.wav -outfile=b.mp3", "Error no encoder specified."},
      {L"-infile=a.wav", "Error no encoder specified."},
      {L"-convert_to=lame -outfile=b.mp3", "Error no input file specified"},
      {L"-convert_to=lame -infile=a.wav", "Error no ouput file specified"},
      // An unquoted dash is no value: the source is missing, not standard input.
      {L"-infile - -outfile=b.mp3 -convert_to=lame", "Error no input file specified"},
      // Empty values count as missing; letter case and two dashes do not matter.
      {L"-CONVERT_TO= -INFILE=a.wav --OutFile=b.mp3", "Error no encoder specified."},
      {L"--Convert_To=lame --outfile=b -infile=\"\"", "Error no input file specified"},
  };
  for (const MissingCase& c : cases) {
    const ChildResult r = RunEngine(c.arguments);
    ExpectEnded(r);
    EXPECT_EQ(r.err, std::string(c.error) + kParseSuffix) << c.arguments;
    EXPECT_EQ(r.out, "") << c.arguments;
  }
}

// What follows a successful parse is the conversion's business; here only
// the parse's own messages must be absent.
void ExpectParsed(const ChildResult& r, const std::string& parseSuffix, const std::string& usage) {
  ExpectEnded(r);
  EXPECT_EQ(r.err.find(parseSuffix), std::string::npos) << r.err;
  EXPECT_EQ(r.out.find(usage), std::string::npos);
  EXPECT_TRUE(r.boxes.empty());
}

TEST(RendermillProcess, CompleteOptionsPassTheParse) {
  // Quoted "-" selects standard input; unknown options belong to the encoder.
  const ChildResult r = RunEngine(L"-infile \"-\" -outfile=b.mp3 -convert_to=lame -V 2 -cbr -silent");
  ExpectParsed(r, "ParseCommandLine", "Usage:");
}

TEST(RendermillProcess, ErrorFileTakesTheErrorTextsAndIsMadeAnew) {
  TempFolder folder;
  const std::wstring errorFile = folder.File(L"errors.txt");
  ASSERT_TRUE(WriteBytesToFile(errorFile, std::string(500, 'z')));
  const ChildResult r =
      RunEngine(L"-errorfile=\"" + errorFile + L"\" -infile=a.wav -outfile=b.mp3");
  ExpectEnded(r);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadBytesFromFile(errorFile), std::string("Error no encoder specified.") + kParseSuffix);
}

TEST(RendermillProcess, AnUnusableErrorFileLeavesTheRunGoing) {
  TempFolder folder;
  const ChildResult r =
      RunEngine(L"-errorfile=\"" + folder.File(L"no\\such\\folder\\e.txt") + L"\" -infile=a -outfile=b");
  ExpectEnded(r);
  EXPECT_EQ(r.err, "");  // undelivered, not redirected elsewhere
  EXPECT_EQ(r.out, "");
}

TEST(RendermillProcess, WithoutStandardOutputErrorsStillReachStandardError) {
  // Wine hands a child a null handle where INVALID_HANDLE_VALUE was given, so
  // the "Console Error" box is covered inside the test process instead; here
  // the engine must neither crash nor lose its error text.
  ChildOptions options;
  options.program = RendermillPath();
  options.arguments = L"-infile=a.wav";
  options.invalidStandardOutput = true;
  const ChildResult r = RunChild(options);
  ExpectEnded(r);
  EXPECT_EQ(r.err, std::string("Error no encoder specified.") + kParseSuffix);
  EXPECT_TRUE(r.boxes.empty());
}

// The command file: UTF-16LE text replacing the whole command line.
class CommandFile : public ::testing::Test {
 protected:
  ChildResult RunWithFile(const std::string& bytes, const std::wstring& extra = L"") {
    EXPECT_TRUE(WriteBytesToFile(path_, bytes));
    return RunEngine(L"-tvcmd=\"" + path_ + L"\"" + extra);
  }
  TempFolder folder_;
  std::wstring path_ = folder_.File(L"command.tvcmd");
};

TEST_F(CommandFile, ReplacesTheCommandLineAndReportsInUtf16) {
  const ChildResult r =
      RunWithFile(Utf16Bytes(L"-infile=\"a b.wav\" -outfile=c.mp3"), L" -convert_to=lame");
  ExpectEnded(r);
  EXPECT_EQ(r.err, Utf16Bytes(L"Error no encoder specified.  [TvRendermill::ParseCommandLine]\r\n"));
  EXPECT_EQ(r.out, "");
}

TEST_F(CommandFile, WithoutTheThreeOptionsReportsTheMissingTrioNotTheUsage) {
  for (const wchar_t* text : {L"-V 2", L"-help -infile=a -outfile=b -convert_to=c"}) {
    const ChildResult r = RunWithFile(Utf16Bytes(text));
    ExpectEnded(r);
    EXPECT_EQ(r.err, Utf16Bytes(L"Error missing infile & outfile & convert_to.\r\n")) << text;
    EXPECT_EQ(r.out, "") << text;
  }
}

TEST_F(CommandFile, CompleteFileWithByteOrderMarkParses) {
  const ChildResult r =
      RunWithFile(Utf16Bytes(L"\xFEFF-infile=a.wav -outfile=b.mp3 -convert_to=lame -V=2"));
  ExpectParsed(r, Utf16Bytes(L"ParseCommandLine"), "Usage:");
  EXPECT_EQ(r.err.find(Utf16Bytes(L"Error missing infile")), std::string::npos);
}

TEST_F(CommandFile, ErrorFileFromTheCommandFileGetsUtf16Lines) {
  const std::wstring errorFile = folder_.File(L"err.txt");
  const ChildResult r =
      RunWithFile(Utf16Bytes(L"-errorfile=\"" + errorFile + L"\" -convert_to=x -infile=a"));
  ExpectEnded(r);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadBytesFromFile(errorFile),
            Utf16Bytes(L"Error no ouput file specified  [TvRendermill::ParseCommandLine]\r\n"));
}

TEST_F(CommandFile, MissingOrEmptyShowsOnlyTheReadErrorBox) {
  struct Case {
    const char* what;
    std::wstring arguments;
  };
  ASSERT_TRUE(WriteBytesToFile(folder_.File(L"empty.tvcmd"), ""));
  const Case cases[] = {
      {"missing", L"-tvcmd=\"" + folder_.File(L"absent.tvcmd") + L"\""},
      {"empty", L"-tvcmd=\"" + folder_.File(L"empty.tvcmd") + L"\" -infile=a"},
      {"a folder", L"-tvcmd=\"" + folder_.Path() + L"\""},
      {"no value", L"-tvcmd -infile=a -outfile=b -convert_to=c"},
  };
  for (const Case& c : cases) {
    const ChildResult r = RunEngine(c.arguments);
    ExpectEnded(r);
    ASSERT_EQ(r.boxes.size(), 1u) << c.what;
    EXPECT_EQ(r.boxes[0], L"Rendermill|Error reading Tv Command File.") << c.what;
    EXPECT_EQ(r.out, "") << c.what;
    EXPECT_EQ(r.err, "") << c.what;
  }
}

TEST_F(CommandFile, TruncatedOrEightBitTextGivesTheParseMessagesOnly) {
  // Cut inside a code unit: the half unit is dropped, the rest parses.
  std::string truncated = Utf16Bytes(L"-infile=a.wav -outfile=b.mp3 -conv");
  truncated += 'e';
  ChildResult r = RunWithFile(truncated);
  ExpectEnded(r);
  EXPECT_EQ(r.err, Utf16Bytes(L"Error no encoder specified.  [TvRendermill::ParseCommandLine]\r\n"));
  EXPECT_EQ(r.out, "");
  EXPECT_TRUE(r.boxes.empty());

  // An ANSI file read as UTF-16 holds no options at all (odd and even lengths).
  for (const char* ansi : {"-infile=a.wav -outfile=b.mp3 -convert_to=lame",
                           "-infile=a.wav -outfile=b.mp3 -convert_to=lam"}) {
    r = RunWithFile(ansi);
    ExpectEnded(r);
    EXPECT_EQ(r.err, Utf16Bytes(L"Error missing infile & outfile & convert_to.\r\n")) << ansi;
    EXPECT_EQ(r.out, "") << ansi;
    EXPECT_TRUE(r.boxes.empty());
  }

  // A zero code unit ends the text.
  r = RunWithFile(Utf16Bytes(L"-infile=a.wav -outfile=b.mp3") + std::string(2, '\0') +
                  Utf16Bytes(L" -convert_to=lame"));
  ExpectEnded(r);
  EXPECT_EQ(r.err, Utf16Bytes(L"Error no encoder specified.  [TvRendermill::ParseCommandLine]\r\n"));
}

TEST_F(CommandFile, AHugeFileWithHugeValuesIsReadWhole) {
  // 4 MB of text: the value ends far beyond any fixed buffer, and the option
  // after it must still be seen.
  const std::wstring longValue(2 * 1024 * 1024, L'v');
  const std::wstring errorFile = folder_.File(L"err.txt");
  const ChildResult r = RunWithFile(Utf16Bytes(L"-V=\"" + longValue + L"\" -infile=a -outfile=b " +
                                               L"-errorfile=\"" + errorFile + L"\""));
  ExpectEnded(r);
  EXPECT_EQ(ReadBytesFromFile(errorFile),
            Utf16Bytes(L"Error no encoder specified.  [TvRendermill::ParseCommandLine]\r\n"));
}

TEST(RendermillProcess, LongPathsAndALongCommandLineArriveWhole) {
  TempFolder folder;
  // Paths beyond MAX_PATH, for the command file and the error file.
  const std::wstring longName(240, L'n');
  const std::wstring errorFile = folder.File(longName + L".err");
  const std::wstring commandFile = folder.File(longName + L".cmd");
  ASSERT_GT(errorFile.size(), size_t(MAX_PATH));
  ASSERT_TRUE(WriteBytesToFile(commandFile, Utf16Bytes(L"-errorfile=\"" + errorFile +
                                                       L"\" -infile=a -convert_to=c")));
  // The command line itself near the platform's 32767-character limit.
  const std::wstring padding(30000, L'p');
  const ChildResult r = RunEngine(L"-x=\"" + padding + L"\" -tvcmd=\"" + commandFile + L"\"");
  ExpectEnded(r);
  EXPECT_TRUE(r.boxes.empty());
  EXPECT_EQ(ReadBytesFromFile(errorFile),
            Utf16Bytes(L"Error no ouput file specified  [TvRendermill::ParseCommandLine]\r\n"));
}

}  // namespace
