// Column values from a file's information, in the user's units.
#include <gtest/gtest.h>

#include "AnswerBytes.h"
#include "TvColumnValue.h"

namespace {

class ColumnValueTest : public testing::Test {
 protected:
  void SetUp() override {
    regional_.thousandSeparator = L",";
    PutAudioRecord(AudioRecordFields(), info_);
  }
  std::wstring Value(const std::wstring& key) { return tv::ColumnValue(key, info_, units_, regional_); }

  tv::FileInfo info_;
  tv::UnitSettings units_;
  tv::RegionalSettings regional_;
};

TEST_F(ColumnValueTest, AudioPropertiesInDefaultUnits) {
  AudioRecordFields fields;
  fields.lengthMs = 3725250;
  fields.fileSize = 4718592;
  PutAudioRecord(fields, info_);
  EXPECT_EQ(Value(L" Length"), L"1:02:05");
  EXPECT_EQ(Value(L" Channels"), L"2  (stereo)");
  EXPECT_EQ(Value(L" Bit Rate"), L"1,411 kbps  (CD)");
  EXPECT_EQ(Value(L" Sample Rate"), L"44.1 KHz");
  EXPECT_EQ(Value(L" Sample Size"), L"16 bit");
  // The decoded size (176 400 bytes a second) is far above the file size.
  EXPECT_EQ(Value(L" Original Size"), L"641,733 KB");
}

TEST_F(ColumnValueTest, UnitsChangeTheTexts) {
  units_.time = 3;
  units_.channels = 2;
  units_.bitRate = 2;
  units_.freq = 1;
  EXPECT_EQ(Value(L" Length"), L"00:00:01.000");
  EXPECT_EQ(Value(L" Channels"), L"Stereo");
  EXPECT_EQ(Value(L" Bit Rate"), L"1,411,200 bps");
  EXPECT_EQ(Value(L" Sample Rate"), L"44,100 Hz");
}

TEST_F(ColumnValueTest, RatioAndPercentage) {
  AudioRecordFields fields;
  fields.sampleRate = 40000;
  fields.channels = 1;
  fields.bitsPerSample = 8;  // 40 000 bytes a second
  fields.lengthMs = 1000000; // 40 000 000 bytes decoded
  fields.fileSize = 4000000;
  PutAudioRecord(fields, info_);
  EXPECT_EQ(Value(L" Compression Ratio"), L"10 to 1");
  EXPECT_EQ(Value(L" % of Original"), L"10 %");
}

TEST_F(ColumnValueTest, TagJoins) {
  info_.tags.Add(L"Album", L"Blue");
  EXPECT_EQ(Value(L" Album - Track Number"), L"Blue");
  info_.tags.Add(L"TRACK", L"7");
  EXPECT_EQ(Value(L" Album - Track Number"), L"Blue - 7");
  EXPECT_EQ(Value(L" Artist - Album - Track Number"), L"Blue - 7");
  info_.tags.Add(L"artist", L"Nia");
  EXPECT_EQ(Value(L" Artist - Album - Track Number"), L"Nia - Blue - 7");
  EXPECT_EQ(Value(L" Track"), L"7");  // "Track Number" looks up the TRACK tag
}

TEST_F(ColumnValueTest, OnlyTrackGivesNoLeadingSeparator) {
  info_.tags.Add(L"TRACK", L"3");
  EXPECT_EQ(Value(L" Album - Track Number"), L"3");
  info_.tags.Add(L"ALBUM", L"");  // an empty tag adds nothing
  EXPECT_EQ(Value(L" Artist - Album - Track Number"), L"3");
}

TEST_F(ColumnValueTest, RatingStars) {
  EXPECT_EQ(Value(L" Rating"), L"");
  info_.tags.Add(L"rating", L"10");
  EXPECT_EQ(Value(L" Rating"), L" \x2022 \x2022 \x2022 \x2022 \x2022");
  info_.tags.At(0).value = L"7";
  EXPECT_EQ(Value(L" Rating"), L" \x2022 \x2022 \x2022 \x25E6");
  EXPECT_EQ(tv::ColumnValue(L" Rating", info_, units_, regional_, /*wideMarks=*/false), L" O O O +");
}

TEST_F(ColumnValueTest, OtherKeysSearchElementsThenTagsIgnoringCase) {
  info_.tags.Add(L"mood", L"calm");
  info_.tags.Add(L"Genre", L"");
  info_.tags.Add(L"GENRE", L"Jazz");
  EXPECT_EQ(Value(L" MOOD"), L"calm");
  EXPECT_EQ(Value(L" Genre"), L"Jazz");  // the first one with a text
  info_.elements.Add(L"Genre", L"from the decoder");
  EXPECT_EQ(Value(L" Genre"), L"from the decoder");
  EXPECT_EQ(Value(L" Composer"), L"");
  EXPECT_EQ(Value(L"Genre"), L"");  // keys carry their leading space
}

}  // namespace
