// The platform-free rules of a conversion run, and the crash guard's line.
#include <gtest/gtest.h>

#include <string>

#include "TvConversionRules.h"
#include "TvCrashGuard.h"

namespace {

TEST(RunRules, TemporaryDestinationRepeatsTheExtension) {
  struct Case {
    std::wstring destination, temporary;
  } cases[] = {
      {L"C:\\music\\song.mp3", L"C:\\music\\song.mp3.tmp.mp3"},
      {L"C:\\music\\noext", L"C:\\music\\noext.tmp"},
      {L"C:\\a.b\\song.Flac", L"C:\\a.b\\song.Flac.tmp.Flac"},
  };
  for (const Case& c : cases) EXPECT_EQ(tv::TemporaryDestinationPath(c.destination), c.temporary) << c.destination;
}

TEST(RunRules, LongDestinationIsCutSoTheTemporaryNameStaysWithinTheLimit) {
  // L = ".mp3" + 1 = 5: the path keeps 251 characters, then ".tmp.mp3" follows.
  const std::wstring destination = L"C:\\" + std::wstring(300, L'x') + L".mp3";
  const std::wstring temporary = tv::TemporaryDestinationPath(destination);
  EXPECT_EQ(temporary, destination.substr(0, 251) + L".tmp.mp3");
  EXPECT_EQ(temporary.size(), 259u);
  // Exactly at the limit nothing is cut.
  const std::wstring fits = L"C:\\" + std::wstring(244, L'y') + L".mp3";
  ASSERT_EQ(fits.size(), 251u);
  EXPECT_EQ(tv::TemporaryDestinationPath(fits), fits + L".tmp.mp3");
}

TEST(RunRules, IgnoreDestinationIsRecognisedInAnyCase) {
  EXPECT_TRUE(tv::IsIgnoreDestination(L"C:\\x\\out.IGNORE"));
  EXPECT_TRUE(tv::IsIgnoreDestination(L"out.ignore"));
  EXPECT_FALSE(tv::IsIgnoreDestination(L"out.IGNORE.mp3"));
  EXPECT_FALSE(tv::IsIgnoreDestination(L"IGNORE"));
}

TEST(RunRules, PauseTableGrowsAfterEmptyBlocksAndResetsAfterAudio) {
  tv::clPauseTable pauses;
  EXPECT_EQ(pauses.PauseMs(), -1);  // none
  const int expected[] = {0, 25, 25, 50, 50, 50};
  for (int ms : expected) {
    pauses.AfterEmptyBlock();
    EXPECT_EQ(pauses.PauseMs(), ms);
  }
  pauses.AfterAudio();
  EXPECT_EQ(pauses.PauseMs(), -1);
}

TEST(RunRules, IncompleteSamplesAreCutOnlyAtTheEnd) {
  struct Case {
    int32_t size;
    int align;
    bool last;
    tv::SampleCheck check;
    int32_t after;
  } cases[] = {
      {1001, 4, true, tv::SampleCheck::CutAtEnd, 1000},
      {1001, 4, false, tv::SampleCheck::MidStream, 1001},
      {1000, 4, false, tv::SampleCheck::Whole, 1000},
      {3, 4, true, tv::SampleCheck::CutAtEnd, 0},
      {7, 0, false, tv::SampleCheck::Whole, 7},  // an alignment of 0 counts as 1
      {0, 4, true, tv::SampleCheck::Whole, 0},
  };
  for (const Case& c : cases) {
    int32_t size = c.size;
    EXPECT_EQ(tv::CheckWholeSamples(size, c.align, c.last), c.check) << c.size << "/" << c.align;
    EXPECT_EQ(size, c.after) << c.size << "/" << c.align;
  }
}

TEST(RunRules, PartialSamplesWaitUntilTheStreamEnds) {
  EXPECT_EQ(tv::WholeSampleBytes(1003, 4, false), 1000u);
  EXPECT_EQ(tv::WholeSampleBytes(3, 4, false), 0u);
  EXPECT_EQ(tv::WholeSampleBytes(1003, 4, true), 1003u);
  EXPECT_EQ(tv::WholeSampleBytes(5, 0, false), 5u);
}

TEST(RunRules, PercentIsClampedAndSurvivesAZeroLength) {
  EXPECT_EQ(tv::PercentDone(0, 1000), 0);
  EXPECT_EQ(tv::PercentDone(250, 1000), 25);
  EXPECT_EQ(tv::PercentDone(999, 1000), 99);
  EXPECT_EQ(tv::PercentDone(5000, 1000), 100);
  EXPECT_EQ(tv::PercentDone(5, 0), 100);  // a length of 0 counts as 1
  EXPECT_EQ(tv::PercentDone(INT64_MAX / 2, 3), 100);
  EXPECT_EQ(tv::PercentDone(-10, 1000), 0);
}

TEST(RunRules, CompletionTextShowsTheRealtimeFactor) {
  tv::RegionalSettings regional;
  EXPECT_EQ(tv::CompletionText(0, 5.0, regional), L"");  // finished within the same millisecond
  EXPECT_EQ(tv::CompletionText(2000, tv::RealtimeSpeed(25000, 2000), regional),
            L"Conversion completed in 2 seconds x12 realtime encoding");
  EXPECT_EQ(tv::CompletionText(2000, tv::RealtimeSpeed(5000, 2000), regional),
            L"Conversion completed in 2 seconds x2.5 realtime encoding");
  EXPECT_EQ(tv::CompletionText(2000, 0, regional), L"Conversion completed in 2 seconds");
  regional.decimalSeparator = L",";
  EXPECT_EQ(tv::CompletionText(2000, 2.5, regional), L"Conversion completed in 2 seconds x2,5 realtime encoding");
  EXPECT_DOUBLE_EQ(tv::RealtimeSpeed(1000, 0), 1000.0);  // an elapsed time of 0 counts as 1
}

TEST(RunRules, PriorityOptionValues) {
  EXPECT_EQ(tv::PriorityFromOption(L"low"), tv::ConversionPriority::Low);
  EXPECT_EQ(tv::PriorityFromOption(L"IDLE"), tv::ConversionPriority::Idle);
  EXPECT_EQ(tv::PriorityFromOption(L"High"), tv::ConversionPriority::High);
  EXPECT_EQ(tv::PriorityFromOption(L"realtime"), tv::ConversionPriority::Normal);
}

TEST(RunRules, RawLengthFollowsTheFormat) {
  EXPECT_EQ(tv::RawLengthMs(176400, 4, 44100), 1000);
  EXPECT_EQ(tv::RawLengthMs(4000, 4, 500), 2000);  // a resampled render file
  EXPECT_EQ(tv::RawLengthMs(10, 0, 0), 10000);     // a zero divisor counts as 1
  EXPECT_EQ(tv::RawLengthMs(uint64_t(1) << 50, 4, 48000), int64_t((uint64_t(1) << 50) / 192000 * 1000 +
                                                                   ((uint64_t(1) << 50) % 192000) * 1000 / 192000));
}

TEST(RunRules, HalfSecondBuffers) {
  EXPECT_EQ(tv::HalfSecondBytes(176400, 4), 88200u);
  EXPECT_EQ(tv::HalfSecondBytes(0, 4), 4u);            // never less than one sample
  EXPECT_EQ(tv::HalfSecondBytes(0xFFFFFFFFu, 4), 0u);  // no buffer for an absurd format
}

TEST(CrashGuard, LineNamesTheExceptionAndTheModule) {
  const std::wstring line = tv::CrashLine(0xC0000005, reinterpret_cast<const void*>(0x1234), L"tvtest.dll");
  EXPECT_EQ(line.find(L"Error: Rendermill stopped by exception 0xC0000005 at 0x"), 0u) << line;
  EXPECT_NE(line.find(L"1234 in 'tvtest.dll', conversion failed."), std::wstring::npos) << line;
  EXPECT_EQ(tv::CrashLine(0x80000003, nullptr, L"").find(L" in '"), std::wstring::npos);
}

}  // namespace
