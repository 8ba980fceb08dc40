// The unit choices read from the real "Ref" key of the test prefix, and the
// texts an untouched registry gives.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "TvAudioUnits.h"
#include "TvRegistry.h"
#include "TvUnitSettings.h"

namespace {

const wchar_t* const kUnitNames[] = {tv::kUnitsTime, tv::kUnitsFileSize, tv::kUnitsChannels, tv::kUnitsBitRate,
                                     tv::kUnitsFreq};

class UnitSettingsTest : public testing::Test {
 protected:
  void SetUp() override { Clear(); }
  void TearDown() override { Clear(); }
  static void Clear() {
    for (const wchar_t* name : kUnitNames) tv::RegDeleteValueAt(tv::Settings(tv::kRefKey), name);
  }
};

TEST_F(UnitSettingsTest, ReadsTheFiveValues) {
  struct Case {
    std::vector<DWORD> values;  // in the order of kUnitNames; empty: none written
    tv::UnitSettings expected;
  };
  tv::UnitSettings all;
  all.time = 3;
  all.fileSize = 2;
  all.channels = 1;
  all.bitRate = 2;
  all.freq = 1;
  tv::UnitSettings odd;
  odd.time = 5;
  odd.fileSize = 0xFFFFFFFFu;
  odd.channels = 4;
  odd.bitRate = 3;
  odd.freq = 7;
  const Case cases[] = {
      {{}, tv::UnitSettings()},
      {{3, 2, 1, 2, 1}, all},
      {{5, 0xFFFFFFFFu, 4, 3, 7}, odd},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case #" << (&c - cases));
    Clear();
    for (size_t i = 0; i < c.values.size(); ++i)
      ASSERT_TRUE(tv::RegWriteDword(tv::Settings(tv::kRefKey), kUnitNames[i], c.values[i]));
    const tv::UnitSettings got = tv::ReadUnitSettings();
    EXPECT_EQ(got.time, c.expected.time);
    EXPECT_EQ(got.fileSize, c.expected.fileSize);
    EXPECT_EQ(got.channels, c.expected.channels);
    EXPECT_EQ(got.bitRate, c.expected.bitRate);
    EXPECT_EQ(got.freq, c.expected.freq);
  }
}

// A value of another type counts as 0, like a missing one.
TEST_F(UnitSettingsTest, ValuesOfAnotherTypeReadAsZero) {
  ASSERT_TRUE(tv::RegWriteString(tv::Settings(tv::kRefKey), tv::kUnitsTime, L"3"));
  ASSERT_TRUE(tv::RegWriteString(tv::Settings(tv::kRefKey), tv::kUnitsFreq, L"1"));
  const tv::UnitSettings got = tv::ReadUnitSettings();
  EXPECT_EQ(got.time, 0u);
  EXPECT_EQ(got.freq, 0u);
}

// The texts as the registry's unit choices make them: first for a user who
// never opened the settings, then for one who picked every other unit.
TEST_F(UnitSettingsTest, RegistryChoicesShapeTheTexts) {
  struct Case {
    std::vector<DWORD> values;  // in the order of kUnitNames
    const wchar_t* popupLength;
    const wchar_t* columnLength;
    const wchar_t* popupSize;
    const wchar_t* columnSize;
    const wchar_t* channels;
    const wchar_t* bitRate;
    const wchar_t* sampleRate;
  };
  const Case cases[] = {
      {{}, L"1 hour 2 minutes", L"1:02:05", L"4.5 MB", L"4,608 KB", L"2  (stereo)", L"1,411 kbps  (CD)",
       L"44.1 KHz"},
      {{3, 3, 2, 2, 1}, L"01:02:05.250", L"01:02:05.250", L"4,718,592 bytes", L"4,718,592 bytes", L"Stereo",
       L"1,411,200 bps", L"44,100 Hz"},
      {{4, 1, 1, 1, 2}, L"1 hour 2 minutes", L"1 hour 2 minutes", L"4.5 MB", L"4.5 MB", L"2", L"1,411 kbps",
       L"44,100 Hz"},
  };
  tv::RegionalSettings regional;
  regional.thousandSeparator = L",";
  using tv::UnitPlace;
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case #" << (&c - cases));
    Clear();
    for (size_t i = 0; i < c.values.size(); ++i)
      ASSERT_TRUE(tv::RegWriteDword(tv::Settings(tv::kRefKey), kUnitNames[i], c.values[i]));
    const tv::UnitSettings units = tv::ReadUnitSettings();
    EXPECT_EQ(tv::LengthText(3725250, UnitPlace::Popup, units, regional), c.popupLength);
    EXPECT_EQ(tv::LengthText(3725250, UnitPlace::Column, units, regional), c.columnLength);
    EXPECT_EQ(tv::FileSizeText(4718592, UnitPlace::Popup, units, regional), c.popupSize);
    EXPECT_EQ(tv::FileSizeText(4718592, UnitPlace::Column, units, regional), c.columnSize);
    EXPECT_EQ(tv::ChannelsText(2, units), c.channels);
    EXPECT_EQ(tv::BitRateText(1411200, 2, 44100, units, regional), c.bitRate);
    EXPECT_EQ(tv::SampleRateText(44100, UnitPlace::Column, units, regional), c.sampleRate);
  }
}

}  // namespace
