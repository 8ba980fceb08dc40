// The audio property texts for every unit choice, with unit and regional
// records built in the test.
#include <gtest/gtest.h>

#include <cstdint>
#include <limits>
#include <string>

#include "TvAudioUnits.h"

namespace {

using tv::UnitPlace;
using tv::UnitSettings;

constexpr UnitPlace kPopup = UnitPlace::Popup;
constexpr UnitPlace kColumn = UnitPlace::Column;

tv::RegionalSettings English() {
  tv::RegionalSettings r;
  r.thousandSeparator = L",";
  return r;
}

tv::RegionalSettings Continental() {
  tv::RegionalSettings r;
  r.thousandSeparator = L".";
  r.decimalSeparator = L",";
  return r;
}

UnitSettings Units(uint32_t time, uint32_t fileSize, uint32_t channels, uint32_t bitRate, uint32_t freq) {
  UnitSettings u;
  u.time = time;
  u.fileSize = fileSize;
  u.channels = channels;
  u.bitRate = bitRate;
  u.freq = freq;
  return u;
}

UnitSettings TimeUnit(uint32_t v) { return Units(v, 0, 0, 0, 0); }
UnitSettings SizeUnit(uint32_t v) { return Units(0, v, 0, 0, 0); }
UnitSettings ChannelUnit(uint32_t v) { return Units(0, 0, v, 0, 0); }
UnitSettings BitRateUnit(uint32_t v) { return Units(0, 0, 0, v, 0); }
UnitSettings FreqUnit(uint32_t v) { return Units(0, 0, 0, 0, v); }

TEST(AudioUnits, LengthText) {
  struct Case {
    uint32_t unit;
    UnitPlace place;
    int64_t milliseconds;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {0, kPopup, 3725250, L"1 hour 2 minutes"},
      {0, kColumn, 3725250, L"1:02:05"},
      {0, kColumn, 65000, L"1:05"},
      {1, kPopup, 3725250, L"1:02:05"},
      {1, kColumn, 65000, L"1:05"},
      {2, kPopup, 3725250, L"01:02:05"},
      {2, kColumn, 3725250, L"01:02:05"},
      {3, kPopup, 3725250, L"01:02:05.250"},
      {3, kColumn, 3725250, L"01:02:05.250"},
      {4, kPopup, 3725250, L"1 hour 2 minutes"},
      {4, kColumn, 3725250, L"1 hour 2 minutes"},
      {4, kPopup, 1500, L"1.5 seconds"},  // words with fractions, not whole seconds
      {5, kPopup, 3725250, L""},
      {5, kColumn, 3725250, L""},
      {0xFFFFFFFFu, kColumn, 3725250, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "UnitsTime " << c.unit << (c.place == kPopup ? " pop-up" : " column"));
    EXPECT_EQ(tv::LengthText(c.milliseconds, c.place, TimeUnit(c.unit), English()), c.expected);
  }
}

TEST(AudioUnits, FileSizeText) {
  struct Case {
    uint32_t unit;
    UnitPlace place;
    int64_t bytes;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {0, kPopup, 4718592, L"4.5 MB"},
      {0, kColumn, 4718592, L"4,608 KB"},
      {0, kPopup, 0, L"0 bytes"},
      {0, kColumn, 0, L"0 KB"},
      {1, kPopup, 4718592, L"4.5 MB"},
      {1, kColumn, 4718592, L"4.5 MB"},
      {1, kColumn, 3221225472LL, L"3 GB"},
      {2, kPopup, 4718592, L"4,608 KB"},
      {2, kColumn, 4718592, L"4,608 KB"},
      {3, kPopup, 4718592, L"4,718,592 bytes"},
      {3, kColumn, 1, L"1 bytes"},  // always the plural with grouped bytes
      {4, kPopup, 4718592, L"4.5 MB"},
      {4, kColumn, 4718592, L"4.5 MB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "UnitsFileSize " << c.unit << (c.place == kPopup ? " pop-up" : " column"));
    EXPECT_EQ(tv::FileSizeText(c.bytes, c.place, SizeUnit(c.unit), English()), c.expected);
  }
}

TEST(AudioUnits, ChannelsText) {
  struct Case {
    uint32_t unit;
    int channels;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {0, 1, L"1  (mono)"},
      {0, 2, L"2  (stereo)"},
      {0, 3, L"3"},
      {0, 4, L"4  (quadraphonic)"},
      {0, 5, L"5  (surround)"},
      {0, 6, L"6  (5.1 surround)"},
      {0, 7, L"7"},
      {0, 8, L"8  (7.1 theater)"},
      {0, 0, L"0"},
      {1, 2, L"2"},
      {2, 1, L"Mono"},
      {2, 2, L"Stereo"},
      {2, 3, L"3 channels"},
      {2, 4, L"Quadraphonic"},
      {2, 5, L"Surround"},
      {2, 6, L"5.1 surround"},
      {2, 7, L"7 channels"},
      {2, 8, L"7.1 theater"},
      {3, 2, L"2"},
      {4, 2, L"2"},
      {9, 6, L"6"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "UnitsChannels " << c.unit << ", " << c.channels << " channels");
    EXPECT_EQ(tv::ChannelsText(c.channels, ChannelUnit(c.unit)), c.expected);
  }
}

TEST(AudioUnits, BitRateText) {
  struct Case {
    uint32_t unit;
    int32_t bitRate;
    int channels;
    uint32_t sampleRate;
    bool withNote;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {0, 1411200, 2, 44100, true, L"1,411 kbps  (CD)"},
      {0, 1410000, 2, 44100, true, L"1,410 kbps  (CD)"},  // 705 000 per channel
      {0, 1414000, 2, 44100, true, L"1,414 kbps  (CD)"},  // 707 000 per channel
      {0, 1414002, 2, 44100, true, L"1,414 kbps"},
      {0, 1411200, 2, 48000, true, L"1,411 kbps"},
      {0, 705600, 1, 44100, true, L"705 kbps"},  // CD needs two channels
      {0, 1536000, 2, 48000, true, L"1,536 kbps  (DAT)"},
      {0, 1536000, 2, 44100, true, L"1,536 kbps"},
      {0, 4608000, 2, 96000, true, L"4,608 kbps  (DVD)"},
      {0, 1000000, 0, 0, true, L"1,000 kbps  (DVD)"},  // no channel count counts as one
      {0, 999999, 0, 0, true, L"999 kbps"},
      {0, 128000, 2, 44100, true, L"128 kbps"},
      {0, 1411200, 2, 44100, false, L"1,411 kbps"},
      {0, 0, 2, 44100, true, L"0 kbps"},
      {1, 1411200, 2, 44100, true, L"1,411 kbps"},
      {2, 1411200, 2, 44100, true, L"1,411,200 bps"},
      {3, 1411200, 2, 44100, true, L"1,411 kbps"},
      {4, 4608000, 2, 96000, true, L"4,608 kbps"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "UnitsBitRate " << c.unit << ", " << c.bitRate << " bps");
    EXPECT_EQ(tv::BitRateText(c.bitRate, c.channels, c.sampleRate, BitRateUnit(c.unit), English(), c.withNote),
              c.expected);
  }
}

TEST(AudioUnits, SampleRateText) {
  struct Case {
    uint32_t unit;
    UnitPlace place;
    uint32_t rate;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {0, kColumn, 44100, L"44.1 KHz"},
      {0, kColumn, 48000, L"48 KHz"},
      {0, kColumn, 22050, L"22 KHz"},  // 22.05 rounds at .49
      {0, kPopup, 44100, L"44.1 KHz\r"},
      {1, kColumn, 44100, L"44,100 Hz"},
      {1, kPopup, 44100, L"44,100 Hz\r"},
      {2, kColumn, 8000, L"8,000 Hz"},
      {3, kColumn, 96000, L"96,000 Hz"},
      {4, kPopup, 96000, L"96,000 Hz\r"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "UnitsFreq " << c.unit << ", " << c.rate << " Hz");
    EXPECT_EQ(tv::SampleRateText(c.rate, c.place, FreqUnit(c.unit), English()), c.expected);
  }
  EXPECT_EQ(tv::SampleRateText(44100, kColumn, FreqUnit(0), Continental()), L"44,1 KHz");
}

TEST(AudioUnits, SampleSizeText) {
  EXPECT_EQ(tv::SampleSizeText(16, false, kPopup), L"16 bit");
  EXPECT_EQ(tv::SampleSizeText(32, true, kPopup), L"32 bit floating point");
  EXPECT_EQ(tv::SampleSizeText(32, true, kColumn), L"32 bit");
  EXPECT_EQ(tv::SampleSizeText(24, false, kColumn), L"24 bit");
}

TEST(AudioUnits, OriginalSize) {
  constexpr int64_t kMax = std::numeric_limits<int64_t>::max();
  struct Case {
    uint32_t averageBytesPerSecond;
    int64_t milliseconds;
    int64_t fileSize;
    int64_t expected;
  };
  const Case cases[] = {
      {176400, 226757, 4000000, 39999934},  // CD audio of 3:46.757 compressed
      {176400, 10000, 4000000, 4000000},    // estimate below the file size
      {4000, 10000, 40000, 40000},
      {4000, 10000, 39000, 39000},  // 1000 bytes above: the file size
      {4000, 10000, 38977, 38977},  // 1023 bytes above
      {4000, 10000, 38976, 40000},  // 1024 bytes above
      {176400, 0, 1234, 1234},
      {1, 999, 0, 0},
      {0xFFFFFFFFu, kMax, 0, kMax},  // saturates instead of overflowing
      {0xFFFFFFFFu, 1000000000000LL, 0, 4294967295000000000LL},  // the product alone would overflow
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.averageBytesPerSecond << " B/s for " << c.milliseconds << " ms");
    EXPECT_EQ(tv::OriginalSize(c.averageBytesPerSecond, c.milliseconds, c.fileSize), c.expected);
  }
}

TEST(AudioUnits, CompressionRatioText) {
  struct Case {
    tv::RegionalSettings regional;
    int64_t original;
    int64_t fileSize;
    const wchar_t* expected;
  };
  const tv::RegionalSettings r = English();
  const Case cases[] = {
      {r, 40000000, 4000000, L"10"},
      {r, 14000000, 4000000, L"3.5"},
      {Continental(), 14000000, 4000000, L"3,5"},
      {r, 4000000, 4000000, L"1"},
      {r, 25, 10, L"2.5"},
      {r, 9, 10, L"0.9"},   // a leading zero, not ".9"
      {r, 0, 10, L"0.0"},
      {r, 50, 10, L"5.0"},  // one decimal up to 50 tenths
      {r, 51, 10, L"5"},
      {r, 112, 10, L"11"},
      {r, 5, 0, L"5.0"},  // no file size counts as one byte
      {r, std::numeric_limits<int64_t>::max(), 1, L"922337203685477580"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.original << " : " << c.fileSize);
    EXPECT_EQ(tv::CompressionRatioText(c.original, c.fileSize, c.regional), c.expected);
  }
}

TEST(AudioUnits, PercentOfOriginalText) {
  struct Case {
    int64_t fileSize;
    int64_t original;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {4000000, 40000000, L"10"},
      {4000000, 14000000, L"28"},
      {4000000, 4000000, L"100"},
      {7, 0, L"700"},  // no original counts as one byte
      {std::numeric_limits<int64_t>::max(), 1, L"9223372036854775807"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.fileSize << " of " << c.original);
    EXPECT_EQ(tv::PercentOfOriginalText(c.fileSize, c.original), c.expected);
  }
}

// An estimate just above the file size is the file itself: no compression.
TEST(AudioUnits, OriginalJustAboveTheFileSizeIsUncompressed) {
  const int64_t fileSize = 39000;
  const int64_t original = tv::OriginalSize(4000, 10000, fileSize);  // estimate 40000
  EXPECT_EQ(tv::CompressionRatioText(original, fileSize, English()), L"1");
  EXPECT_EQ(tv::PercentOfOriginalText(fileSize, original), L"100");
}

TEST(AudioUnits, RatingPopupText) {
  struct Case {
    const wchar_t* tag;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"7", L"3.5"}, {L"8", L"4"}, {L"10", L"5"}, {L"1", L"0.5"},
      {L"0", L"0"},   {L"", L""},   {L"good", L"good"}, {L"00", L"00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case #" << (&c - cases));
    EXPECT_EQ(tv::RatingPopupText(c.tag), c.expected);
  }
}

TEST(AudioUnits, RatingStarsText) {
  const std::wstring star = L" \x2022", half = L" \x25E6";
  struct Case {
    const wchar_t* tag;
    bool wideMarks;
    std::wstring expected;
  };
  const Case cases[] = {
      {L"7", true, star + star + star + half},
      {L"10", true, star + star + star + star + star},
      {L"1", true, half},
      {L"2", true, star},
      {L"0", true, L""},
      {L"", true, L""},
      {L"11", true, L""},  // outside 0..10
      {L"-2", true, L""},
      {L"7", false, L" O O O +"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case #" << (&c - cases));
    EXPECT_EQ(tv::RatingStarsText(c.tag, c.wideMarks), c.expected);
  }
}

}  // namespace
