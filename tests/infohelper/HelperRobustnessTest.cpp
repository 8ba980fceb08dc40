// Files that are not what a request expects: the helper always ends, in
// time, with an empty answer, and never with a broken one.
#include <gtest/gtest.h>

#include "HelperFixture.h"
#include "TvAudioInfoAnswer.h"
#include "TvInfoHelper.h"
#include "TvInfoRequest.h"

using namespace tv;

namespace {

class AwkwardFile : public HelperTest {
 protected:
  void SetUp() override {
    HelperTest::SetUp();
    folder_.AddDecoder(L"decoder\\WAVE.dll");
    folder_.AddDecoder(L"testplugins\\decoder\\tvtest_dec.dll");
  }
  // Runs a file information request and returns the answer's bytes.
  std::vector<uint8_t> AudioInfo(const std::wstring& audio, HelperRun* run = nullptr) {
    std::wstring request = folder_.Data(L"info.tmp");
    WriteFileBytes(request, PathRequestBytes(audio));
    HelperRun done = folder_.Run(L"-GetAudioInf=\"" + request + L"\"");
    EXPECT_TRUE(done.finished);
    EXPECT_EQ(0u, done.exitCode);
    if (run) *run = done;
    EXPECT_TRUE(PathExists(request));
    return ReadFileBytes(request);
  }
};

}  // namespace

TEST_F(AwkwardFile, NotAudioTruncatedOrMissingGivesAnEmptyAnswer) {
  std::wstring text = folder_.Data(L"text.wav");
  WriteFileBytes(text, TextBytes("This is a letter, not a sound."));
  EXPECT_TRUE(AudioInfo(text).empty());

  std::vector<uint8_t> wave = WaveFileBytes(100);
  wave.resize(20);  // cut inside its format chunk
  std::wstring cut = folder_.Data(L"cut.wav");
  WriteFileBytes(cut, wave);
  EXPECT_TRUE(AudioInfo(cut).empty());

  EXPECT_TRUE(AudioInfo(folder_.Data(L"missing.wav")).empty());
  EXPECT_TRUE(AudioInfo(folder_.Data(L"missing.tvt")).empty());
}

TEST_F(AwkwardFile, LockedFileGivesAnEmptyAnswer) {
  std::wstring audio = folder_.Data(L"locked.wav");
  WriteFileBytes(audio, WaveFileBytes(100));
  HANDLE lock = CreateFileW(audio.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, lock);
  EXPECT_TRUE(AudioInfo(audio).empty());
  // The pop-up of a file its decoder cannot open keeps only the file lines and the product line.
  std::wstring request = folder_.Data(L"popup.tmp");
  WriteFileBytes(request, PathRequestBytes(audio));
  EXPECT_TRUE(folder_.Run(L"-Tipfetch=\"" + request + L"\"").finished);
  std::vector<uint8_t> answer = ReadFileBytes(request);
  std::wstring text = ReadPopupAnswerUtf16(answer.data(), answer.size());
  EXPECT_EQ(std::wstring::npos, text.find(L"Length"));
  EXPECT_NE(std::wstring::npos, text.find(L"    [.wav]\r______________________\r          Tonvera"));
  CloseHandle(lock);
  EXPECT_FALSE(AudioInfo(audio).empty());  // the same file, free again
}

TEST_F(AwkwardFile, HugeFileThatIsNotAudioGivesAnEmptyAnswer) {
  std::wstring huge = folder_.Data(L"huge.wav");
  HANDLE file = CreateFileW(huge.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(INVALID_HANDLE_VALUE, file);
  LARGE_INTEGER size;
  size.QuadPart = 5LL * 1024 * 1024 * 1024;  // sparse where the file system allows
  ASSERT_TRUE(SetFilePointerEx(file, size, nullptr, FILE_BEGIN));
  ASSERT_TRUE(SetEndOfFile(file));
  CloseHandle(file);
  EXPECT_TRUE(AudioInfo(huge).empty());
}

TEST_F(AwkwardFile, DecoderThatHangsIsAbandonedWithinTheBudget) {
  std::wstring audio = folder_.Data(L"slow.tvt");
  WriteFileBytes(audio, TextBytes("TVTEST ms=100"));
  SetEnvironmentVariableW(L"TVTEST_DEC_SLEEP_CALL", L"Open");
  SetEnvironmentVariableW(L"TVTEST_DEC_SLEEP_MS", L"300000");
  HelperRun run;
  EXPECT_TRUE(AudioInfo(audio, &run).empty());
  EXPECT_TRUE(run.finished);  // ended by its own budget, long before the test's safety limit

  std::wstring request = folder_.Data(L"popup.tmp");
  WriteFileBytes(request, PathRequestBytes(audio));
  EXPECT_TRUE(folder_.Run(L"-Tipfetch=\"" + request + L"\"").finished);
  EXPECT_TRUE(PathExists(request));
  EXPECT_TRUE(ReadFileBytes(request).empty());
}

TEST_F(AwkwardFile, DecoderWithImpossibleBlocksGivesAValidAnswerWithoutThem) {
  std::wstring audio = folder_.Data(L"odd.tvt");
  WriteFileBytes(audio, TextBytes("TVTEST ms=100"));
  SetEnvironmentVariableW(L"TVTEST_DEC_MISBEHAVE", L"hugesize");  // tag block 0x7FFFFFF0 bytes, properties -5
  std::vector<uint8_t> bytes = AudioInfo(audio);
  AudioInfoAnswer answer;
  ASSERT_TRUE(ReadAudioInfoAnswer(bytes.data(), bytes.size(), answer)) << bytes.size();
  EXPECT_TRUE(answer.tagBlock.empty());
  EXPECT_TRUE(answer.propertyBlock.empty());

  // Texts and blocks in unreadable memory: the decoder cannot even claim the file.
  SetEnvironmentVariableW(L"TVTEST_DEC_MISBEHAVE", L"badpointer");
  EXPECT_TRUE(AudioInfo(audio).empty());
}

TEST_F(AwkwardFile, MalformedPathRequestsAreEmptied) {
  std::wstring request = folder_.Data(L"req.tmp");
  const std::vector<std::vector<uint8_t>> requests = {
      {},
      {'x'},
      PathRequestBytes(L"\r\nC:\\x.wav"),
      PathRequestBytes(std::wstring(kMaxRequestPathChars + 10, L'p')),
  };
  for (const auto& bytes : requests) {
    for (const wchar_t* option : {L"-Tipfetch", L"-GetAudioInf"}) {
      WriteFileBytes(request, bytes);
      EXPECT_TRUE(folder_.Run(std::wstring(option) + L"=\"" + request + L"\"").finished);
      EXPECT_TRUE(PathExists(request));
      EXPECT_TRUE(ReadFileBytes(request).empty());
    }
  }
  // A request file that does not exist yet is made, and left empty.
  std::wstring fresh = folder_.Data(L"fresh.tmp");
  EXPECT_TRUE(folder_.Run(L"-Tipfetch=\"" + fresh + L"\"").finished);
  EXPECT_TRUE(PathExists(fresh));
  EXPECT_TRUE(ReadFileBytes(fresh).empty());
}
