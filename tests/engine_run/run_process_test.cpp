// Whole conversions: Rendermill.exe as a real child process in a program
// folder of its own, with the test plug-ins, real files and real pipes.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "RunSupport.h"

using namespace runtest;

namespace {

// 1000 ms of 16-bit stereo at 1000 Hz: 4000 bytes in four blocks of 1000.
const char kShortSource[] = "TVTEST rate=1000 channels=2 bits=16 ms=1000 block_ms=250";
const size_t kShortBytes = 4000;
const char kOldBytes[] = "the destination as it was before the run";

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

void ClearDecoderCache() {
  HKEY key = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Kestrune\\Tonvera\\DecoderCache", 0, KEY_SET_VALUE, &key) !=
      ERROR_SUCCESS)
    return;
  for (const wchar_t* value : {L".tvt", L".abc", L"."}) RegDeleteValueW(key, value);
  RegCloseKey(key);
}

class ConversionRun : public ::testing::Test {
 protected:
  void SetUp() override {
    ClearAllKnobs();
    ClearDecoderCache();
    ASSERT_TRUE(folder_.Ready());
    folder_.SetLogKnobs();
    source_ = folder_.MakeSource(L"a.tvt", kShortSource);
    destination_ = folder_.Work(L"out.tvo");
    temporary_ = destination_ + L".tmp.tvo";
  }
  void TearDown() override {
    ClearAllKnobs();
    ClearDecoderCache();
  }

  std::wstring Arguments(const std::wstring& extra = L"") const {
    return L"-infile=" + Quoted(source_) + L" -outfile=" + Quoted(destination_) + L" -convert_to=tvtest" + extra;
  }
  ChildResult Run(const std::wstring& arguments, ChildOptions options = ChildOptions()) {
    options.program = folder_.Program();
    options.arguments = arguments;
    ChildResult r = RunChild(options);
    EXPECT_TRUE(r.started);
    EXPECT_TRUE(r.finished);
    EXPECT_EQ(r.exitCode, 0u);  // always 0: failure is told by error lines
    return r;
  }
  // The same options through a command file (UTF-16LE), as the front end runs it.
  ChildResult RunWithCommandFile(const std::wstring& options, ChildOptions child = ChildOptions()) {
    const std::wstring path = folder_.Work(L"command.tvcmd");
    EXPECT_TRUE(WriteFileBytes(path, Utf16(options)));
    return Run(L"-tvcmd=" + Quoted(path), child);
  }
  void ExpectOldDestinationKept() {
    EXPECT_EQ(ReadFileBytes(destination_), kOldBytes);
    EXPECT_FALSE(Exists(temporary_));
  }

  clProgramFolder folder_;
  std::wstring source_, destination_, temporary_;
};

TEST_F(ConversionRun, ConsoleRunConvertsAndShowsProgress) {
  const ChildResult r = Run(Arguments());
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadFileBytes(destination_), TestPattern(kShortBytes));
  EXPECT_TRUE(Contains(r.out, "Encoding: tvtest\r\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "Audio Source: " + Narrow(source_) + "\r\n")) << r.out;
  EXPECT_TRUE(Contains(r.out, "Audio Destination: " + Narrow(destination_) + "\r\n\r\n 0%-----------25%")) << r.out;
  // The last block starts at 75 %: 45 of the 60 stars.
  EXPECT_TRUE(Contains(r.out, "100% " + std::string(45, '*') + "\r\n\r\n")) << r.out;
  EXPECT_FALSE(Contains(r.out, std::string(46, '*'))) << r.out;
  EXPECT_FALSE(Contains(r.out, "Conversion Failed.")) << r.out;
  EXPECT_FALSE(Contains(r.out, "MSGTO")) << r.out;

  const std::vector<std::string> log = folder_.LogLines();
  EXPECT_EQ(CountLines(log, "tvtest_enc EncodeBlock"), 4);
  EXPECT_NE(FindLine(log, "tvtest_dec Open flags=29"), -1);
  EXPECT_NE(FindLine(log, "tvtest_enc BeginConversion source=" + Narrow(source_) + " output=" + Narrow(destination_)),
            -1);
  EXPECT_NE(FindLine(log, "tvtest_enc EndConversion written=4000"), -1);
}

TEST_F(ConversionRun, CommandFileModeSendsOnlyUtf16ParentMessages) {
  SetKnob(L"TVTEST_DEC_ACTION", L"decoding");
  const ChildResult r = RunWithCommandFile(Arguments(L" -V 2"));
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadFileBytes(destination_), TestPattern(kShortBytes));
  ASSERT_EQ(r.out.size() % 2, 0u);
  const std::vector<std::wstring> lines = Utf16Lines(r.out);
  const std::vector<std::wstring> expected = {
      L"MSGTO: Tvx: Action: Encoding 'out'", L"MSGTO: Tvx: ActionInput: decoding", L"MSGTO: Tvx: PCDone: 25 %",
      L"MSGTO: Tvx: PCDone: 50 %", L"MSGTO: Tvx: PCDone: 75 %"};
  EXPECT_EQ(lines, expected);
  EXPECT_NE(FindLine(folder_.LogLines(), "cmd= -V=\"2\""), -1);
}

TEST_F(ConversionRun, ExistingDestinationIsReplacedOnlyThroughATemporaryFile) {
  ASSERT_TRUE(WriteFileBytes(destination_, kOldBytes));
  const ChildResult r = Run(Arguments(L" -silent"));
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(ReadFileBytes(destination_), TestPattern(kShortBytes));
  EXPECT_FALSE(Exists(temporary_));
  EXPECT_NE(FindLine(folder_.LogLines(), "output=" + Narrow(temporary_) + " "), -1);
}

TEST_F(ConversionRun, FailedRunsLeaveAnExistingDestinationUntouched) {
  struct Case {
    const wchar_t* knob;
    const wchar_t* value;
    const char* error;
  } cases[] = {
      {L"TVTEST_ENC_ERROR", L"EncodeBlock", "tvtest_enc: error in EncodeBlock"},
      {L"TVTEST_DEC_ERROR", L"Close", "tvtest_dec: error in Close"},
      {L"TVTEST_ENC_ERROR", L"EndConversion", "tvtest_enc: error in EndConversion"},
      {L"TVTEST_DEC_FAIL", L"DecodeBlock", "Error: Conversion failed."},
      // A plug-in that refuses a call without a word still fails the run with an error line.
      {L"TVTEST_ENC_FAIL", L"EncodeBlock", "Error: Conversion failed."},
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(WriteFileBytes(destination_, kOldBytes));
    SetKnob(c.knob, c.value);
    const ChildResult r = Run(Arguments());
    SetKnob(c.knob, L"");
    EXPECT_TRUE(Contains(r.err, c.error)) << Narrow(c.value) << ": " << r.err;
    EXPECT_TRUE(Contains(r.out, "Conversion Failed.")) << Narrow(c.value);
    ExpectOldDestinationKept();
  }
}

TEST_F(ConversionRun, IncompleteLastSampleIsCutWithANote) {
  SetKnob(L"TVTEST_DEC_EXTRA_BYTES", L"1");  // the last block holds 1001 bytes
  const ChildResult r = Run(Arguments());
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(Contains(r.out, "Information: Audio data contains incomplete samples at end.  "
                              "[TvRendermill::TvRendermill]"))
      << r.out;
  EXPECT_EQ(ReadFileBytes(destination_), TestPattern(kShortBytes));
  EXPECT_NE(FindLine(folder_.LogLines(), "tvtest_enc EncodeBlock size=1000 positionMs=750 last=1"), -1);
}

TEST_F(ConversionRun, IncompleteSampleMidStreamFails) {
  ASSERT_TRUE(WriteFileBytes(destination_, kOldBytes));
  SetKnob(L"TVTEST_DEC_EXTRA_BYTES", L"1");
  SetKnob(L"TVTEST_DEC_EXTRA_BLOCK", L"1");  // the second block holds 1001 bytes
  const ChildResult r = Run(Arguments());
  EXPECT_EQ(r.err, "Error: Audio data contains incomplete samples mid-stream.\r\n");
  EXPECT_TRUE(Contains(r.out, "Conversion Failed."));
  ExpectOldDestinationKept();
  EXPECT_EQ(CountLines(folder_.LogLines(), "tvtest_enc EncodeBlock"), 1);
}

TEST_F(ConversionRun, RawPassThroughEncoderNeverReceivesABlock) {
  SetKnob(L"TVTEST_ENC_SEND_RAW", L"1");
  const ChildResult r = Run(Arguments());
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadFileBytes(destination_), ReadFileBytes(source_));  // the encoder copied the source itself
  const std::vector<std::string> log = folder_.LogLines();
  EXPECT_NE(FindLine(log, "Get SendRawUnCompressed index=0 number=0 text=" + Narrow(source_) +
                              " text2= text3=" + Narrow(destination_)),
            -1);
  EXPECT_NE(FindLine(log, "tvtest_dec Open flags=28"), -1);
  EXPECT_EQ(FindLine(log, "EncodeBlock"), -1);
  EXPECT_EQ(FindLine(log, "DecodeBlock"), -1);
  EXPECT_EQ(FindLine(log, "EndConversion"), -1);
}

TEST_F(ConversionRun, RawPassThroughWritesATemporaryFileWhenTheDestinationExists) {
  SetKnob(L"TVTEST_ENC_SEND_RAW", L"1");
  // A failing encoder must not cost the old file.
  ASSERT_TRUE(WriteFileBytes(destination_, kOldBytes));
  SetKnob(L"TVTEST_ENC_ERROR", L"BeginConversion");
  ChildResult r = Run(Arguments());
  EXPECT_EQ(r.err, "tvtest_enc: error in BeginConversion\r\n");
  ExpectOldDestinationKept();
  EXPECT_NE(FindLine(folder_.LogLines(), "output=" + Narrow(temporary_) + " "), -1);

  SetKnob(L"TVTEST_ENC_ERROR", L"");
  r = Run(Arguments());
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadFileBytes(destination_), ReadFileBytes(source_));
  EXPECT_FALSE(Exists(temporary_));
}

TEST_F(ConversionRun, MissingDecoderNamesTheExtensionWithItsDot) {
  struct Case {
    std::wstring name;
    const char* extension;
  } cases[] = {{L"song.abc", "'.abc'"}, {L"noextension", "'.'"}};
  for (const Case& c : cases) {
    source_ = folder_.MakeSource(c.name, kShortSource);
    const ChildResult r = Run(Arguments());
    EXPECT_EQ(r.err, std::string("Error: Unable to load decoder for file type ") + c.extension +
                         ", codec not installed? visit 'Codexhub'.\r\n");
    EXPECT_FALSE(Exists(destination_));
  }
}

TEST_F(ConversionRun, MissingEncoderIsReported) {
  const ChildResult r = Run(L"-infile=" + Quoted(source_) + L" -outfile=" + Quoted(destination_) + L" -convert_to=nope");
  EXPECT_EQ(r.err, "Error: Unable to load encoder 'nope'.\r\n");
  EXPECT_TRUE(Contains(r.out, "Conversion Failed."));
}

TEST_F(ConversionRun, StandardInputWithoutRateFails) {
  const ChildResult r = Run(L"-infile \"-\" -outfile=" + Quoted(destination_) + L" -convert_to=tvtest -silent");
  EXPECT_EQ(r.err, "Error: RIFF WAVE StdInput not supported yet.\r\n");
  EXPECT_EQ(r.out, "");
  EXPECT_FALSE(Exists(destination_));
}

const wchar_t kStdInputFormat[] = L" -sourcefreq=1000 -sourcechannels=2 -sourcebits=16 -sourcelength=1000";

TEST_F(ConversionRun, StandardInputPcmFromAPipeConvertsAlsoWhenSamplesArriveSplit) {
  // Pieces that end inside a sample, with pauses, so the engine reads them apart.
  const std::string pcm = TestPattern(kShortBytes);
  ChildOptions options;
  options.inputPipe = true;
  size_t at = 0;
  for (size_t size : {3u, 5u, 1001u, 2u, 7u, 1500u}) {
    options.inputPieces.push_back(pcm.substr(at, size));
    at += size;
  }
  options.inputPieces.push_back(pcm.substr(at));
  options.pauseBetweenPiecesMs = 60;
  const ChildResult r = Run(L"-infile \"-\" -outfile=" + Quoted(destination_) + L" -convert_to=tvtest" +
                                kStdInputFormat,
                            options);
  EXPECT_EQ(r.err, "");
  EXPECT_FALSE(Contains(r.out, "incomplete samples"));
  EXPECT_EQ(ReadFileBytes(destination_), pcm);
  const std::vector<std::string> log = folder_.LogLines();
  EXPECT_NE(FindLine(log, "BeginConversion source=- output=" + Narrow(destination_)), -1);
  EXPECT_NE(FindLine(log, "rate=1000 channels=2 bits=16 ms=1000"), -1);
  EXPECT_EQ(FindLine(log, "tvtest_dec"), -1);  // the decoder is neither loaded nor asked
}

TEST_F(ConversionRun, StandardInputRedirectedFromAFileIsReadAsAFile) {
  const std::wstring input = folder_.Work(L"input.pcm");
  const std::string pcm = TestPattern(kShortBytes + 2);  // and half a sample at the end
  ASSERT_TRUE(WriteFileBytes(input, pcm));
  ChildOptions options;
  options.inputFile = input;
  const ChildResult r = RunWithCommandFile(L"-infile \"-\" -outfile=" + Quoted(destination_) +
                                               L" -convert_to=tvtest" + kStdInputFormat,
                                           options);
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadFileBytes(destination_), pcm.substr(0, kShortBytes));
  EXPECT_NE(Utf16Lines(r.out).size(), 0u);
  EXPECT_TRUE(Contains(r.out, Utf16(L"Information: Audio data contains incomplete samples at end.")));
}

TEST_F(ConversionRun, LiveNonLiveLiveChainIsRenderedInOrderThenPassedToNoEffect) {
  const ChildResult r = Run(Arguments(L" -dspeffect1=\"tvtest_dsp=xor=1\" -dspeffect2=\"tvtest_dsp=xor=2 live=0\" "
                                      L"-dspeffect3=\"tvtest_dsp=xor=4\""));
  EXPECT_EQ(r.err, "");
  EXPECT_TRUE(Contains(r.out, "DSP Effects: tvtest_dsp, tvtest_dsp, tvtest_dsp\r\n")) << r.out;
  EXPECT_EQ(ReadFileBytes(destination_), TestPattern(kShortBytes, 1 ^ 2 ^ 4));

  const std::vector<std::string> log = folder_.LogLines();
  const int first = FindLine(log, "tvtest_dsp BeginConversion settings=xor=1");
  const int firstBlock = FindLine(log, "tvtest_dsp PassAudioBlock", first);
  const int nonLive = FindLine(log, "tvtest_dsp PassNonLive path=");
  const int third = FindLine(log, "tvtest_dsp BeginConversion settings=xor=4");
  const int encoding = FindLine(log, "tvtest_enc BeginConversion");
  ASSERT_NE(first, -1);
  EXPECT_LT(first, firstBlock);
  EXPECT_LT(firstBlock, nonLive);
  EXPECT_LT(nonLive, third);
  EXPECT_LT(third, encoding);
  EXPECT_EQ(FindLine(log, "tvtest_dsp PassAudioBlock", size_t(encoding)), -1);  // the block loop passes to no effect
  EXPECT_EQ(FindLine(log, "tvtest_dsp BeginConversion", size_t(encoding)), -1);
  EXPECT_EQ(CountLines(log, "tvtest_dsp EndConversion"), 2);  // the live ones
  EXPECT_EQ(CountLines(log, "tvtest_dsp AfterConversion"), 3);

  // The render file is gone with the engine.
  const std::string line = log[size_t(nonLive)];
  const size_t at = line.find("path=") + 5;
  const std::string renderPath = line.substr(at, line.find(' ', at) - at);
  EXPECT_FALSE(Exists(std::wstring(renderPath.begin(), renderPath.end()))) << renderPath;
}

TEST_F(ConversionRun, OnlyLiveEffectsRenderNothing) {
  const ChildResult r = Run(Arguments(L" -dspeffect1=\"tvtest_dsp=xor=3\""));
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadFileBytes(destination_), TestPattern(kShortBytes, 3));
  const std::vector<std::string> log = folder_.LogLines();
  EXPECT_EQ(FindLine(log, "PassNonLive"), -1);
  // Block by block: the encoder takes each block right after the effect.
  const int firstPass = FindLine(log, "tvtest_dsp PassAudioBlock");
  EXPECT_EQ(FindLine(log, "tvtest_enc EncodeBlock"), firstPass + 1);
}

TEST_F(ConversionRun, NonLiveRateChangeMakesTheLengthFollow) {
  const ChildResult r = Run(Arguments(L" -dspeffect1=\"tvtest_dsp=live=0 rate=500\""));
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(ReadFileBytes(destination_), TestPattern(kShortBytes));
  // 4000 bytes at 500 Hz, 4 bytes a sample: 2000 ms.
  EXPECT_NE(FindLine(folder_.LogLines(), "rate=500 channels=2 bits=16 ms=2000"), -1);
}

TEST_F(ConversionRun, QuitEventEndsTheRunAsFailedWithTheDestinationUntouched) {
  ASSERT_TRUE(WriteFileBytes(destination_, kOldBytes));
  const std::wstring quitName = L"tv_run_quit_" + std::to_wstring(GetCurrentProcessId());
  HANDLE quit = CreateEventW(nullptr, TRUE, FALSE, quitName.c_str());
  ASSERT_NE(quit, nullptr);
  source_ = folder_.MakeSource(L"long.tvt", "TVTEST rate=1000 channels=2 bits=16 ms=60000 block_ms=100");
  SetKnob(L"TVTEST_DEC_SLEEP_CALL", L"DecodeBlock");
  SetKnob(L"TVTEST_DEC_SLEEP_MS", L"20");
  ChildOptions options;
  const clProgramFolder& folder = folder_;
  options.whileRunning = [&folder, quit] {
    if (FindLine(folder.LogLines(), "tvtest_enc EncodeBlock") == -1) return false;
    SetEvent(quit);
    return true;
  };
  const ChildResult r = Run(Arguments(L" -evtquit=" + quitName), options);
  CloseHandle(quit);
  EXPECT_EQ(r.err, "Error: Conversion stopped on request.\r\n");
  EXPECT_TRUE(Contains(r.out, "Conversion Failed."));
  ExpectOldDestinationKept();
  const std::vector<std::string> log = folder_.LogLines();
  EXPECT_LT(CountLines(log, "tvtest_enc EncodeBlock"), 600);
  EXPECT_EQ(FindLine(log, "Set IDTags"), -1);
}

TEST_F(ConversionRun, CrashingPluginLeavesAnErrorLineAndNoTemporaryFile) {
  ASSERT_TRUE(WriteFileBytes(destination_, kOldBytes));
  SetKnob(L"TVTEST_ENC_CRASH", L"EncodeBlock");
  const ChildResult r = Run(Arguments(L" -silent"));
  EXPECT_TRUE(Contains(r.err, "Error: Rendermill stopped by exception 0xC0000005 at 0x")) << r.err;
  EXPECT_TRUE(Contains(r.err, " in 'tvtest.")) << r.err;  // the plug-in's file, as it was loaded
  EXPECT_TRUE(Contains(r.err, ", conversion failed.\r\n")) << r.err;
  ExpectOldDestinationKept();

  // In command-file mode the line is UTF-16LE like every other error line.
  const ChildResult utf16 = RunWithCommandFile(Arguments());
  EXPECT_TRUE(Contains(utf16.err, Utf16(L"Error: Rendermill stopped by exception 0xC0000005"))) << utf16.err;
  ExpectOldDestinationKept();
}

TEST_F(ConversionRun, EmptyTemporaryOutputFailsAndKeepsTheDestination) {
  ASSERT_TRUE(WriteFileBytes(destination_, kOldBytes));
  source_ = folder_.MakeSource(L"empty.tvt", "TVTEST rate=1000 channels=2 bits=16 ms=0");
  SetKnob(L"TVTEST_ENC_WRITE_TAGS", L"1");
  const ChildResult r = Run(Arguments(L" -tag=ARTIST=B"));
  EXPECT_EQ(r.err, "Error: The encoder wrote no audio to '" + Narrow(temporary_) + "', '" + Narrow(destination_) +
                       "' was left unchanged.\r\n");
  ExpectOldDestinationKept();
  EXPECT_EQ(FindLine(folder_.LogLines(), "Set IDTags"), -1);
}

TEST_F(ConversionRun, TagsAreWrittenThroughTheDecoderOfTheNewFormat) {
  destination_ = folder_.Work(L"out.tvt");  // a format the test decoder reads
  SetKnob(L"TVTEST_ENC_WRITE_TAGS", L"1");
  SetKnob(L"TVTEST_DEC_TAGS", L"ARTIST=A|replaygain_track_gain=1 dB");
  const ChildResult r = RunWithCommandFile(Arguments(L" -tag=TITLE=T"));
  EXPECT_EQ(r.err, "");
  const std::vector<std::wstring> lines = Utf16Lines(r.out);
  ASSERT_FALSE(lines.empty());
  EXPECT_EQ(lines.back(), L"MSGTO: Tvx: Action: Writing ID Tags 'out'");
  const std::string tags = ReadFileBytes(destination_ + L".tvtags");
  EXPECT_TRUE(Contains(tags, Utf16(L"TITLE")));
  EXPECT_TRUE(Contains(tags, Utf16(L"ARTIST")));
  EXPECT_FALSE(Contains(tags, Utf16(L"replaygain")));
}

TEST_F(ConversionRun, NoTagsAreWrittenWithNoIdTagOrIntoIgnoreDestinations) {
  SetKnob(L"TVTEST_ENC_WRITE_TAGS", L"1");
  destination_ = folder_.Work(L"out.tvt");
  Run(Arguments(L" -noidtag -tag=TITLE=T"));
  EXPECT_FALSE(Exists(destination_ + L".tvtags"));
  const std::vector<std::string> log = folder_.LogLines();
  const int begin = FindLine(log, "tvtest_enc BeginConversion");
  ASSERT_NE(begin, -1);
  EXPECT_FALSE(Contains(log[size_t(begin)], "tags=0 ")) << "the encoder still gets the tag block";

  destination_ = folder_.Work(L"out.IGNORE");
  ASSERT_TRUE(WriteFileBytes(destination_, kOldBytes));
  const ChildResult r = Run(Arguments(L" -tag=TITLE=T"));
  EXPECT_EQ(r.err, "");
  // The encoder gets the path itself, no temporary file.
  EXPECT_NE(FindLine(folder_.LogLines(), "output=" + Narrow(destination_) + " "), -1);
  EXPECT_EQ(FindLine(folder_.LogLines(), "Set IDTags"), -1);
}

TEST_F(ConversionRun, RefusedReplacementKeepsTheOldDestination) {
  ASSERT_TRUE(WriteFileBytes(destination_, kOldBytes));
  // Someone holds the destination open without allowing it to be replaced.
  HANDLE held = CreateFileW(destination_.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  const ChildResult r = Run(Arguments());
  CloseHandle(held);
  EXPECT_EQ(r.err, "Error overwriting file '" + Narrow(destination_) + "'\r\n");
  ExpectOldDestinationKept();
}

TEST_F(ConversionRun, PriorityIsAppliedAndToldToTheEncoder) {
  const ChildResult r = Run(Arguments(L" -priority=IDLE"));
  EXPECT_EQ(r.err, "");
  EXPECT_NE(FindLine(folder_.LogLines(), "tvtest_enc Set Priority number=0 text=IDLE"), -1);
}

TEST_F(ConversionRun, BatchIdHighQualityAndTheRelayReachThePlugins) {
  SetKnob(L"TVTEST_ENC_NEED_HQ", L"1");
  SetKnob(L"TVTEST_DEC_COMMUNICATE", L"BeforeEncoding:Encoder,get,Extension;AfterConversion:Nobody,get,Extension");
  const ChildResult r = Run(Arguments(L" -batchid=7 -dspeffect1=\"tvtest_dsp=xor=0\""));
  EXPECT_EQ(r.err, "");
  const std::vector<std::string> log = folder_.LogLines();
  for (const char* plugin : {"tvtest_dec", "tvtest_enc", "tvtest_dsp"})
    EXPECT_NE(FindLine(log, std::string(plugin) + " Set BatchID number=7"), -1) << plugin;
  const int highQuality = FindLine(log, "tvtest_dec Set Decode As number=0 text=Highest Quality");
  ASSERT_NE(highQuality, -1);
  EXPECT_LT(highQuality, FindLine(log, "tvtest_dec Open flags=29"));
  EXPECT_NE(FindLine(log, "tvtest_dec CommunicateResult index=0 number=1 got=.tvo"), -1);
  EXPECT_NE(FindLine(log, "tvtest_dec CommunicateResult index=0 number=0"), -1);  // an unknown target gets 0
}

TEST_F(ConversionRun, UnloadableEffectFailsTheRunWithItsName) {
  ASSERT_TRUE(WriteFileBytes(destination_, kOldBytes));
  const ChildResult r = Run(Arguments(L" -dspeffect1=missing=x"));
  EXPECT_TRUE(Contains(r.err, "Error: Unable to load DSP effect 'missing'.")) << r.err;
  ExpectOldDestinationKept();
}

}  // namespace
