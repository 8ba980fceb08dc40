// TipfetchInfo.exe as a real process: every request kind on real request
// files, with the reference WAVE decoder and the test decoder.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

#include "HelperFixture.h"
#include "TvAudioInfoAnswer.h"
#include "TvInfoRequest.h"
#include "TvPopupLabelGdi.h"
#include "TvRegistry.h"
#include "TvTagBlock.h"
#include "TvWaveFormatRecord.h"

using namespace tv;

namespace {

std::vector<std::wstring> Lines(const std::wstring& text) {
  std::vector<std::wstring> lines;
  size_t start = 0;
  for (;;) {
    size_t cr = text.find(L'\r', start);
    lines.push_back(text.substr(start, cr == std::wstring::npos ? std::wstring::npos : cr - start));
    if (cr == std::wstring::npos) break;
    start = cr + 1;
  }
  return lines;
}

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

std::wstring Utf16Answer(const std::wstring& path) {
  std::vector<uint8_t> bytes = ReadFileBytes(path);
  return ReadPopupAnswerUtf16(bytes.data(), bytes.size());
}

// The label part of a line (up to and including its tab) is padded past the
// pop-up column: without its last space it fits, with it it does not.
void ExpectPaddedLabel(const std::wstring& line, const std::wstring& name) {
  std::wstring head = name == L" " ? L"    " : name + L" : ";
  ASSERT_EQ(0u, line.compare(0, head.size(), head)) << Narrow(line);
  clGdiTextWidth width;
  int headWidth = 0;
  if (width.Usable() && width.Measure(head, &headWidth) && headWidth > width.ColumnWidth()) {
    EXPECT_EQ(std::wstring::npos, line.find(L'\t')) << "a label wider than the column is not padded";
    return;
  }
  size_t tab = line.find(L'\t');
  ASSERT_NE(std::wstring::npos, tab) << Narrow(line);
  std::wstring label = line.substr(0, tab);
  EXPECT_EQ(std::wstring::npos, label.find_first_not_of(L' ', head.size())) << Narrow(line);
  if (!width.Usable()) return;
  int full = 0, shorter = 0;
  ASSERT_TRUE(width.Measure(label, &full));
  ASSERT_TRUE(width.Measure(label.substr(0, label.size() - 1), &shorter));
  EXPECT_GT(full, width.ColumnWidth()) << Narrow(line);
  EXPECT_LE(shorter, width.ColumnWidth()) << Narrow(line);
}

// The value of a line: after the tab, or after " : " for a label wider than the column.
std::wstring ValueOf(const std::wstring& line) {
  size_t tab = line.find(L'\t');
  if (tab != std::wstring::npos) return line.substr(tab + 1);
  size_t colon = line.find(L" : ");
  return colon == std::wstring::npos ? line : line.substr(colon + 3);
}

class PopupRequest : public HelperTest {
 protected:
  // A test-decoder file of 1 s at 44 100 Hz stereo, 128 kbps, with tags in its side file.
  std::wstring TestAudio(const std::vector<clTagElement>& tags) {
    std::wstring audio = folder_.Data(L"song.tvt");
    WriteFileBytes(audio, TextBytes("TVTEST rate=44100 channels=2 bits=16 ms=1000 bitrate=128000\r\n"));
    if (!tags.empty()) WriteFileBytes(audio + L".tvtags", WriteTagBlock(tags));
    return audio;
  }
  std::wstring Ask(const std::wstring& audio, const std::wstring& lineEnd = L"") {
    std::wstring request = folder_.Data(L"request.tmp");
    WriteFileBytes(request, PathRequestBytes(audio + lineEnd));
    HelperRun run = folder_.Run(L" --Tipfetch=\"" + request + L"\"");
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(0u, run.exitCode);
    return Utf16Answer(request);
  }
};

}  // namespace

TEST_F(HelperTest, NoArgumentsShowsTheMessageBoxAndExitsZero) {
  PROCESS_INFORMATION process = folder_.Start(L"");
  ASSERT_NE(nullptr, process.hProcess);
  HWND box = nullptr;
  for (int i = 0; i < 600 && !box; ++i) {  // a safety limit, not a timing check
    box = FindWindowW(L"#32770", L"TipfetchInfo");
    if (!box) Sleep(50);
  }
  ASSERT_NE(nullptr, box) << "no message box appeared";
  std::wstring shown;
  EnumChildWindows(
      box,
      [](HWND child, LPARAM found) -> BOOL {
        wchar_t text[256] = {};
        GetWindowTextW(child, text, 256);
        if (std::wstring(text) == L"This application is not designed to run on its own")
          *reinterpret_cast<std::wstring*>(found) = text;
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&shown));
  EXPECT_EQ(L"This application is not designed to run on its own", shown);
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  ASSERT_EQ(WAIT_OBJECT_0, WaitForSingleObject(process.hProcess, 30000));
  DWORD code = 1;
  GetExitCodeProcess(process.hProcess, &code);
  EXPECT_EQ(0u, code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
}

TEST_F(HelperTest, NamedRequestWithoutValueDoesNothingAndShowsNothing) {
  for (const wchar_t* arguments : {L"-Tipfetch=", L"--GetAudioInf=", L"-SetTags=\"\"", L"-edit_tags="}) {
    HelperRun run = folder_.Run(arguments, 30000);  // a box would hold the helper until the limit
    EXPECT_TRUE(run.finished) << Narrow(arguments);
    EXPECT_EQ(0u, run.exitCode);
  }
}

TEST_F(HelperTest, RequestFileThatCannotBeOpenedEndsQuietly) {
  folder_.AddDecoder(L"decoder\\WAVE.dll");
  const std::wstring nowhere = folder_.Path() + L"no such folder\\r.tmp";
  for (const wchar_t* option : {L"-Tipfetch", L"-GetAudioInf", L"-GetAudioExts", L"-SetTags", L"-DelTagElements"}) {
    HelperRun run = folder_.Run(std::wstring(option) + L"=\"" + nowhere + L"\"", 30000);
    EXPECT_TRUE(run.finished) << Narrow(option);
    EXPECT_EQ(0u, run.exitCode);
  }
  EXPECT_FALSE(PathExists(nowhere));
}

TEST_F(PopupRequest, DefaultLayoutWithDecoderElementsAndTagsInStandardOrder) {
  folder_.AddDecoder(L"testplugins\\decoder\\tvtest_dec.dll");
  SetEnvironmentVariableW(L"TVTEST_DEC_PROPERTIES", L"Sample Rate=44100|Channels=2|Encoder=x");
  std::wstring audio = TestAudio({{L"Zebra", L"z", {}},
                                  {L"Title", L"The Title", {}},
                                  {L"replaygain_album_gain", L"-3 dB", {}},
                                  {L"Comment", L"one\r\ntwo\r\nthree", {}},
                                  {L"ARTIST", L"The Artist", {}}});
  std::vector<std::wstring> lines = Lines(Ask(audio));
  const std::vector<std::wstring> names = {L"Type", L"Size", L"", L"Length", L"Channels", L"Sample Rate",
                                           L"Sample Size", L"Bit Rate", L"", L"Sample Rate", L"Channels", L"",
                                           L"ARTIST", L"Title", L"Comment", L" ", L" ", L"Album Gain", L"Zebra"};
  ASSERT_EQ(names.size() + 2, lines.size());
  for (size_t i = 0; i < names.size(); ++i) {
    if (names[i].empty())
      EXPECT_EQ(L"", lines[i]) << i;
    else
      ExpectPaddedLabel(lines[i], names[i]);
  }
  EXPECT_EQ(L"    [.tvt]", ValueOf(lines[0]).substr(ValueOf(lines[0]).size() - 10));
  EXPECT_NE(std::wstring::npos, lines[1].find(L"% of original, ")) << Narrow(lines[1]);
  EXPECT_NE(std::wstring::npos, lines[1].find(L" to 1 compression)")) << Narrow(lines[1]);
  EXPECT_EQ(L"2  (stereo)", ValueOf(lines[4]));
  EXPECT_EQ(L"44.1 KHz", ValueOf(lines[5]));
  EXPECT_EQ(L"16 bit", ValueOf(lines[6]));
  EXPECT_EQ(L"128 kbps", ValueOf(lines[7]));
  EXPECT_EQ(L"44100", ValueOf(lines[9]));
  EXPECT_EQ(L"The Artist", ValueOf(lines[12]));
  EXPECT_EQ(L"one", ValueOf(lines[14]));
  EXPECT_EQ(L"two", ValueOf(lines[15]));
  EXPECT_EQ(L"three", ValueOf(lines[16]));
  EXPECT_EQ(L"-3 dB", ValueOf(lines[17]));
  EXPECT_EQ(L"______________________", lines[names.size()]);
  EXPECT_EQ(L"          Tonvera", lines[names.size() + 1]);
}

TEST_F(PopupRequest, SettingsFilterTheLinesAndCutALongFileName) {
  folder_.AddDecoder(L"testplugins\\decoder\\tvtest_dec.dll");
  std::wstring name;
  for (int i = 0; i < 80; ++i) name += wchar_t(L'a' + i % 26);
  std::wstring audio = folder_.Data(name + L".tvt");
  WriteFileBytes(audio, TextBytes("TVTEST ms=500\r\n"));
  WriteFileBytes(audio + L".tvtags", WriteTagBlock({{L"Lyrics", L"la", {}}, {L"Artist", L"A", {}}}));
  RegWriteString(Settings(), L"PopupAllowed", L"File\r_IDTAG_INC_LYRICS");
  RegWriteString(Settings(), L"PopupExclude", L"EXCLUDE_ALL_SPECIFIC\rEXCLUDE_TAGS_NONSTANDARD\rEXCLUDE_Tv");
  RegWriteDword(Settings(), L"PopupMaxLen", 10);  // acts as 60
  std::vector<std::wstring> lines = Lines(Ask(audio));
  ASSERT_EQ(6u, lines.size());
  ExpectPaddedLabel(lines[0], L"File");
  EXPECT_EQ(name.substr(0, 26) + L"..." + name.substr(80 - 29), ValueOf(lines[0]));
  EXPECT_EQ(L"", lines[1]);
  EXPECT_EQ(L"", lines[2]);
  EXPECT_EQ(L"A", ValueOf(lines[3]));
  EXPECT_EQ(L"la", ValueOf(lines[4]));
  EXPECT_EQ(L"", lines[5]);  // the text ends with its last line's "\r": no product line
}

TEST_F(PopupRequest, WaveFileThroughTheReferenceDecoder) {
  folder_.AddDecoder(L"decoder\\WAVE.dll");
  std::wstring audio = folder_.Data(L"tone.wav");
  ASSERT_TRUE(WriteFileBytes(audio, WaveFileBytes(2000)));
  ASSERT_TRUE(TagWithWaveDecoder(audio, {{L"ARTIST", L"Wave Artist", {}}, {L"TITLE", L"Wave Title", {}}}));
  std::wstring text = Ask(audio, L"\r\n");  // a line end after the path is not part of it
  std::vector<std::wstring> lines = Lines(text);
  ASSERT_GE(lines.size(), 6u) << Narrow(text);
  ExpectPaddedLabel(lines[0], L"Type");
  EXPECT_EQ(L"    [.wav]", lines[0].substr(lines[0].size() - 10));
  EXPECT_NE(std::wstring::npos, text.find(L"\t2 seconds\r")) << Narrow(text);
  EXPECT_NE(std::wstring::npos, text.find(L"\tWave Artist\r")) << Narrow(text);
  EXPECT_LT(text.find(L"\tWave Artist\r"), text.find(L"\tWave Title\r"));
  EXPECT_EQ(L"          Tonvera", lines.back());
}

TEST_F(PopupRequest, FileNoDecoderTakesLeavesTheRequestEmpty) {
  folder_.AddDecoder(L"decoder\\WAVE.dll");
  std::wstring audio = folder_.Data(L"notes.xyz");
  WriteFileBytes(audio, TextBytes("text"));
  EXPECT_EQ(L"", Ask(audio));
  EXPECT_TRUE(PathExists(folder_.Data(L"request.tmp")));
  EXPECT_TRUE(ReadFileBytes(folder_.Data(L"request.tmp")).empty());
}

TEST_F(PopupRequest, TempFormTakesAnAnsiPathAndAnswersInUtf8) {
  folder_.AddDecoder(L"testplugins\\decoder\\tvtest_dec.dll");
  std::wstring audio = TestAudio({{L"Title", L"Caf\x00e9", {}}});
  std::wstring request = folder_.Data(L"tempf.tmp");
  WriteFileBytes(request, TempFRequestBytes(std::string(audio.begin(), audio.end())));
  ASSERT_TRUE(folder_.Run(L"<tempF>" + request).finished);
  std::vector<uint8_t> answer = ReadFileBytes(request);
  ASSERT_FALSE(answer.empty());
  EXPECT_EQ(0, answer.back());
  std::string utf8(answer.begin(), answer.end() - 1);
  EXPECT_NE(std::string::npos, utf8.find("\tCaf\xC3\xA9\r"));
  EXPECT_NE(std::string::npos, utf8.find("          Tonvera"));

  WriteFileBytes(request, std::vector<uint8_t>(100, 'x'));  // shorter than 260 bytes
  ASSERT_TRUE(folder_.Run(L"<tempF>" + request).finished);
  EXPECT_TRUE(PathExists(request));
  EXPECT_TRUE(ReadFileBytes(request).empty());
}

TEST_F(HelperTest, AudioInfoOfATaggedWaveFile) {
  folder_.AddDecoder(L"decoder\\WAVE.dll");
  std::wstring audio = folder_.Data(L"tone.wav");
  ASSERT_TRUE(WriteFileBytes(audio, WaveFileBytes(1500)));
  ASSERT_TRUE(TagWithWaveDecoder(audio, {{L"ARTIST", L"Wave Artist", {}}}));
  std::wstring request = folder_.Data(L"info.tmp");
  WriteFileBytes(request, PathRequestBytes(audio));
  ASSERT_TRUE(folder_.Run(L" -GetAudioInf=\"" + request + L"\"").finished);

  std::vector<uint8_t> bytes = ReadFileBytes(request);
  AudioInfoAnswer answer;
  ASSERT_TRUE(ReadAudioInfoAnswer(bytes.data(), bytes.size(), answer)) << bytes.size();
  std::vector<clTagElement> tags;
  ASSERT_TRUE(ReadTagBlock(answer.tagBlock.data(), int64_t(answer.tagBlock.size()), tags));
  ASSERT_FALSE(tags.empty());
  EXPECT_TRUE(tags[0].name == L"ARTIST" || tags[0].name == L"Artist") << Narrow(tags[0].name);
  EXPECT_EQ(L"Wave Artist", tags[0].value);
  EXPECT_FALSE(answer.propertyBlock.empty());

  TvWaveFormatRecord format;
  std::memcpy(&format, answer.audio, sizeof format);
  EXPECT_EQ(1, format.formatTag);
  EXPECT_EQ(2, format.channels);
  EXPECT_EQ(44100u, format.samplesPerSec);
  int32_t bitRate;
  int64_t lengthMs, sourceBytes;
  std::memcpy(&bitRate, answer.audio + 40, 4);
  std::memcpy(&lengthMs, answer.audio + 44, 8);
  std::memcpy(&sourceBytes, answer.audio + 52, 8);
  EXPECT_EQ(1411200, bitRate);
  EXPECT_EQ(1500, lengthMs);
  EXPECT_EQ(int64_t(ReadFileBytes(audio).size()), sourceBytes);
}

TEST_F(HelperTest, AudioInfoWithoutTagBlockHasAZeroCount) {
  folder_.AddDecoder(L"testplugins\\decoder\\tvtest_dec.dll");
  std::wstring audio = folder_.Data(L"a.tvt");
  WriteFileBytes(audio, TextBytes("TVTEST ms=250"));
  WriteFileBytes(audio + L".tvtags", {});  // the decoder gives a block of size 0
  std::wstring request = folder_.Data(L"info.tmp");
  WriteFileBytes(request, PathRequestBytes(audio + L"\r\n"));
  ASSERT_TRUE(folder_.Run(L"--getaudioinf=\"" + request + L"\"").finished);
  std::vector<uint8_t> bytes = ReadFileBytes(request);
  ASSERT_GE(bytes.size(), 8u);
  EXPECT_EQ(0, std::memcmp(bytes.data(), "IDTG\0\0\0\0", 8));
  AudioInfoAnswer answer;
  EXPECT_TRUE(ReadAudioInfoAnswer(bytes.data(), bytes.size(), answer));
}

TEST_F(HelperTest, ExtensionListOfEveryDecoder) {
  folder_.AddDecoder(L"decoder\\WAVE.dll");
  folder_.AddDecoder(L"testplugins\\decoder\\tvtest_dec.dll");
  folder_.AddDecoder(L"testplugins\\incomplete\\decoder\\tvtest_dec_nosetposition.dll");  // does not count as loaded
  CreateDirectoryW((folder_.Path() + L"decoder\\folder.dll").c_str(), nullptr);
  WriteFileBytes(folder_.Path() + L"decoder\\broken.dll", TextBytes("not a library"));
  std::wstring answerFile = folder_.Data(L"exts.tmp");
  ASSERT_TRUE(folder_.Run(L"--GetAudioExts=\"" + answerFile + L"\"").finished);
  std::vector<uint8_t> bytes = ReadFileBytes(answerFile);
  std::vector<std::wstring> list;
  ASSERT_TRUE(ReadExtensionList(bytes.data(), bytes.size(), list));
  std::sort(list.begin(), list.end());
  EXPECT_EQ((std::vector<std::wstring>{L".bwf", L".tvt", L".tvtone", L".wav"}), list);
}

TEST_F(HelperTest, ExtensionListWithoutDecodersIsFourZeroBytes) {
  std::wstring answerFile = folder_.Data(L"exts.tmp");
  WriteFileBytes(answerFile, TextBytes("old content"));
  ASSERT_TRUE(folder_.Run(L"-GetAudioExts=\"" + answerFile + L"\"").finished);
  EXPECT_EQ(std::vector<uint8_t>(4, 0), ReadFileBytes(answerFile));
}

TEST_F(HelperTest, ExtensionListOfADecoderThatNeverEndsIsBounded) {
  folder_.AddDecoder(L"testplugins\\decoder\\tvtest_dec.dll");
  SetEnvironmentVariableW(L"TVTEST_DEC_MISBEHAVE", L"endless");
  std::wstring answerFile = folder_.Data(L"exts.tmp");
  HelperRun run = folder_.Run(L"-GetAudioExts=\"" + answerFile + L"\"");
  ASSERT_TRUE(run.finished);
  std::vector<uint8_t> bytes = ReadFileBytes(answerFile);
  std::vector<std::wstring> list;
  ASSERT_TRUE(ReadExtensionList(bytes.data(), bytes.size(), list));
  ASSERT_EQ(size_t(kMaxExtensionsPerDecoder), list.size());
  EXPECT_EQ(L".e0", list.front());
}

namespace {

class TagRequest : public HelperTest {
 protected:
  void SetUp() override {
    HelperTest::SetUp();
    folder_.AddDecoder(L"testplugins\\decoder\\tvtest_dec.dll");
    log_ = folder_.Data(L"calls.log");
    SetEnvironmentVariableW(L"TVTEST_DEC_LOG", log_.c_str());
    audio_ = folder_.Data(L"song.tvt");
    WriteFileBytes(audio_, TextBytes("TVTEST ms=100"));
  }
  std::string Log() {
    std::vector<uint8_t> bytes = ReadFileBytes(log_);
    return std::string(bytes.begin(), bytes.end());
  }
  void Request(const wchar_t* option, const std::vector<uint8_t>& bytes) {
    std::wstring request = folder_.Data(L"tags.tmp");
    WriteFileBytes(request, bytes);
    HelperRun run = folder_.Run(std::wstring(option) + L"=\"" + request + L"\"");
    EXPECT_TRUE(run.finished);
    EXPECT_EQ(0u, run.exitCode);
  }
  std::wstring log_, audio_;
};

}  // namespace

TEST_F(TagRequest, DeleteNamedTagsOrAll) {
  DelTagRequest named;
  named.path = audio_;
  named.names = {L"ARTIST", L"ALBUM"};
  Request(L"-DelTagElements", DelTagRequestBytes(named));
  EXPECT_NE(std::string::npos, Log().find("DeleteATag path=" + Narrow(audio_) + " names=ARTIST|ALBUM")) << Log();

  DelTagRequest all;
  all.path = audio_;
  all.all = true;
  Request(L"-DelTagElements", DelTagRequestBytes(all));
  EXPECT_NE(std::string::npos, Log().find("names=(all)")) << Log();
}

TEST_F(TagRequest, MalformedDeleteRequestsDoNothing) {
  const std::vector<std::vector<uint8_t>> requests = {
      {},
      PathRequestBytes(audio_),
      PathRequestBytes(audio_ + L"\r\n"),
      PathRequestBytes(L"\r\nARTIST"),
      {0x41},
  };
  for (const auto& bytes : requests) Request(L"-DelTagElements", bytes);
  DeleteFileW(folder_.Data(L"tags.tmp").c_str());
  HelperRun run = folder_.Run(L"-DelTagElements=\"" + folder_.Data(L"tags.tmp") + L"\"");  // missing file
  EXPECT_TRUE(run.finished);
  EXPECT_FALSE(PathExists(folder_.Data(L"tags.tmp")));
  EXPECT_EQ(std::string::npos, Log().find("DeleteATag")) << Log();
}

TEST_F(TagRequest, SetTagsWritesTheBlockThroughTheDecoder) {
  SetTagsRequest request;
  request.tagBlock = WriteTagBlock({{L"TITLE", L"New", {}}});
  request.path = audio_;
  Request(L"--SetTags", SetTagsRequestBytes(request));
  EXPECT_EQ(request.tagBlock, ReadFileBytes(audio_ + L".tvtags"));
}

TEST_F(TagRequest, MalformedSetTagsRequestsChangeNothing) {
  SetTagsRequest request;
  request.tagBlock = WriteTagBlock({{L"TITLE", L"New", {}}});
  request.path = audio_;
  const std::vector<uint8_t> good = SetTagsRequestBytes(request);
  const size_t marker = 4 + request.tagBlock.size();
  std::vector<std::vector<uint8_t>> requests;
  auto changed = [&](size_t at, uint8_t value) {
    std::vector<uint8_t> b = good;
    b[at] = value;
    return b;
  };
  requests.push_back(changed(marker, 0x34));              // marker wrong by one
  requests.push_back(changed(3, 0x7F));                   // count far beyond ten million
  requests.push_back(changed(0, uint8_t(good[0] + 2)));   // count beyond the block
  requests.push_back({good.begin(), good.begin() + 10});  // short
  requests.push_back({good.begin(), good.begin() + long(marker + 4)});  // no path
  requests.push_back({0, 0, 0, 0});
  for (const auto& bytes : requests) Request(L"-SetTags", bytes);
  EXPECT_FALSE(PathExists(audio_ + L".tvtags"));
  EXPECT_EQ(std::string::npos, Log().find("Set IDTags")) << Log();
}

TEST_F(HelperTest, EditTagsCallsTheEditorBesideTheHelper) {
  std::wstring log = folder_.Data(L"editor.log");
  SetEnvironmentVariableW(L"TV_FAKE_TVXSHELL_LOG", log.c_str());
  const std::wstring listFile = L"C:\\some where\\list 1.tmp";

  HelperRun run = folder_.Run(L"-edit_tags=\"" + listFile + L"\"");  // no library: nothing happens
  EXPECT_TRUE(run.finished);
  EXPECT_FALSE(PathExists(log));

  ASSERT_TRUE(folder_.Copy(L"testplugins\\infohelper\\noexport\\TvxShell.dll", L"TvxShell.dll"));
  EXPECT_TRUE(folder_.Run(L"-edit_tags=\"" + listFile + L"\"").finished);
  EXPECT_FALSE(PathExists(log));

  ASSERT_TRUE(folder_.Copy(L"testplugins\\infohelper\\editor\\TvxShell.dll", L"TvxShell.dll"));
  EXPECT_TRUE(folder_.Run(L"-edit_tags \"" + listFile + L"\"").finished);
  std::vector<uint8_t> bytes = ReadFileBytes(log);
  EXPECT_EQ(listFile, std::wstring(reinterpret_cast<const wchar_t*>(bytes.data()), bytes.size() / 2));
}
