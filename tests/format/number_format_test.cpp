// The platform-free number, size and duration texts, with regional records
// built in the test.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <map>
#include <string>

#include "TvNumberFormat.h"

namespace {

using tv::RegionalSettings;

// The settings of a typical English-speaking user.
RegionalSettings English() {
  RegionalSettings r;
  r.thousandSeparator = L",";
  return r;
}

// Dots for thousands, commas for decimals, dots between clock fields.
RegionalSettings Continental(int negativePattern = 1) {
  RegionalSettings r;
  r.thousandSeparator = L".";
  r.decimalSeparator = L",";
  r.timeSeparator = L".";
  r.negativePattern = negativePattern;
  return r;
}

RegionalSettings Indian() {
  RegionalSettings r = English();
  r.indianGrouping = true;
  return r;
}

RegionalSettings WithPattern(int pattern, const std::wstring& sign = L"-") {
  RegionalSettings r = English();
  r.negativePattern = pattern;
  r.negativeSign = sign;
  return r;
}

TEST(NumberFormat, IntegerToText) {
  struct Case {
    int64_t value;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {0, L"0"},
      {7, L"7"},
      {-1, L"-1"},
      {1234567, L"1234567"},
      {std::numeric_limits<int32_t>::max(), L"2147483647"},
      {std::numeric_limits<int32_t>::min(), L"-2147483648"},
      {std::numeric_limits<int64_t>::max(), L"9223372036854775807"},
      {std::numeric_limits<int64_t>::min(), L"-9223372036854775808"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(tv::Int64ToText(c.value), c.expected);
    if (c.value >= std::numeric_limits<int32_t>::min() && c.value <= std::numeric_limits<int32_t>::max()) {
      EXPECT_EQ(tv::IntToText(int32_t(c.value)), c.expected);
    }
    if (c.value >= 0) {
      EXPECT_EQ(tv::UInt64ToText(uint64_t(c.value)), c.expected);
    }
  }
  EXPECT_EQ(tv::UInt64ToText(std::numeric_limits<uint64_t>::max()), L"18446744073709551615");
}

TEST(NumberFormat, TextToInt64) {
  struct Case {
    const wchar_t* text;
    int64_t expected;
  };
  const Case cases[] = {
      {L"", 0},
      {L"abc", 0},
      {L"-", 0},
      {L"123", 123},
      {L"-45", -45},
      {L"12a3", 12},        // the first non-digit ends the scan
      {L"0042", 42},
      {L" 5", 0},           // no leading blanks
      {L"+5", 0},           // only "-" is a sign
      {L"--5", 0},
      {L"5-", 5},
      {L"3;2;0", 3},
      {L"9223372036854775807", std::numeric_limits<int64_t>::max()},
      {L"-9223372036854775808", std::numeric_limits<int64_t>::min()},
      // Beyond the 64-bit range the value saturates instead of wrapping.
      {L"9223372036854775808", std::numeric_limits<int64_t>::max()},
      {L"99999999999999999999999", std::numeric_limits<int64_t>::max()},
      {L"-99999999999999999999999", std::numeric_limits<int64_t>::min()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "text #" << (&c - cases));
    EXPECT_EQ(tv::TextToInt64(c.text), c.expected);
  }
}

TEST(NumberFormat, RealToText) {
  struct Case {
    int decimals;
    double value;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {2, 1.5, L"1.5"},
      {2, 2.0, L"2"},
      {1, 0.04, L"0"},
      {2, 0.999, L"1"},        // rounding carries into the leading digit
      {1, 0.96, L"1"},
      {1, 0.06, L"0.1"},
      {1, 0.05, L"0"},         // rounded at .49, not .5
      {0, 2.5, L"2"},
      {0, 2.51, L"3"},
      {0, 100.0, L"100"},      // zeros before the point stay
      {2, 100.0, L"100"},
      {1, 1.95, L"1.9"},
      {1, 9.96, L"10"},
      {3, 1234.5678, L"1234.568"},
      {2, 0.25, L"0.25"},
      {2, 0.0, L"0"},
      {2, -1.5, L"-1.5"},
      {2, -0.25, L"-0.25"},
      {1, -0.04, L"0"},        // a value that rounds to zero carries no sign
      {-3, 2.7, L"3"},         // negative decimals count as none
      {2, 1e19, L"10000000000000000000"},  // too large for 2 decimals in 64 bits: none
      {2, std::nan(""), L"0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.decimals << " decimals of " << c.value);
    EXPECT_EQ(tv::RealToText(c.decimals, c.value), c.expected);
  }
}

TEST(NumberFormat, LocaliseNumber) {
  RegionalSettings plain;  // the defaults: no grouping, "." point, "-" sign
  RegionalSettings positive = English();
  positive.positiveSign = L"+";
  RegionalSettings longMarks = English();
  longMarks.thousandSeparator = L"ab";
  longMarks.decimalSeparator = L"dec";
  struct Case {
    RegionalSettings regional;
    const wchar_t* text;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {English(), L"1234567", L"1,234,567"},
      {English(), L"123", L"123"},
      {English(), L"1234", L"1,234"},
      {English(), L"-123", L"-123"},  // never a mark between sign and digits
      {English(), L"-123456", L"-123,456"},
      {English(), L"-1234", L"-1,234"},
      {English(), L"1234.5", L"1,234.5"},
      {English(), L"0", L"0"},
      {English(), L"", L""},
      {plain, L"1234567.25", L"1234567.25"},
      {Indian(), L"12345678", L"1,23,45,678"},
      {Indian(), L"123456", L"1,23,456"},
      {Indian(), L"1234", L"1,234"},
      {Indian(), L"-1234567.25", L"-12,34,567.25"},
      {Continental(), L"1234.5", L"1.234,5"},
      {Continental(), L"1234567", L"1.234.567"},
      {Continental(0), L"-1234", L"(1.234)"},
      {WithPattern(0), L"-1234.5", L"(1,234.5)"},
      {WithPattern(1), L"-1234", L"-1,234"},
      {WithPattern(2), L"-1234", L"- 1,234"},
      {WithPattern(3), L"-1234", L"1,234-"},
      {WithPattern(4), L"-1234", L"1,234 -"},
      {WithPattern(7), L"-1234", L"-1,234"},  // unknown patterns act as 1
      {WithPattern(-1), L"-1234", L"-1,234"},
      {WithPattern(1, L"~"), L"-5", L"~5"},
      {WithPattern(3, L"neg"), L"-5", L"5neg"},
      {positive, L"1234", L"+1,234"},
      {positive, L"-1234", L"-1,234"},
      {positive, L"", L""},
      {longMarks, L"1234567.5", L"1ab234ab567dec5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case #" << (&c - cases));
    std::wstring text = c.text;
    tv::LocaliseNumber(text, c.regional);
    EXPECT_EQ(text, c.expected);
  }
}

TEST(NumberFormat, Int64ToLocalText) {
  struct Case {
    RegionalSettings regional;
    int64_t value;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {Continental(0), -1234, L"(1.234)"},
      {WithPattern(3), -1234, L"1,234-"},
      {English(), 1411, L"1,411"},
      {English(), std::numeric_limits<int64_t>::min(), L"-9,223,372,036,854,775,808"},
      {Indian(), 4718592, L"47,18,592"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(tv::Int64ToLocalText(c.value, c.regional), c.expected);
  }
}

TEST(NumberFormat, RealToLocalText) {
  struct Case {
    RegionalSettings regional;
    int decimals;
    double value;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {Continental(), 1, 1234.5, L"1.234,5"},
      {English(), 2, 1234567.891, L"1,234,567.89"},
      {English(), 2, -0.5, L"-0.5"},
      {Continental(3), 1, -1234.5, L"1.234,5-"},
      {English(), 1, 44.1, L"44.1"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(tv::RealToLocalText(c.decimals, c.value, c.regional), c.expected);
  }
}

TEST(NumberFormat, SizeToText) {
  struct Case {
    RegionalSettings regional;
    int64_t bytes;
    bool forceKilobytes;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {English(), 0, false, L"0 bytes"},
      {English(), 0, true, L"0 KB"},
      {English(), 1, false, L"1 byte"},
      {English(), 2, false, L"2 bytes"},
      {English(), 1023, false, L"1023 bytes"},  // never grouped
      {English(), 1024, false, L"1 KB"},
      {English(), 1536, false, L"2 KB"},       // kilobytes round up
      {English(), 1048575, false, L"1,024 KB"},
      {English(), 1048576, false, L"1 MB"},
      {English(), 1572864, false, L"1.5 MB"},
      {English(), 4718592, false, L"4.5 MB"},
      {English(), 4718592, true, L"4,608 KB"},
      {English(), 3221225472LL, false, L"3 GB"},
      {English(), 5000000, true, L"4,883 KB"},
      {English(), 10, true, L"0 KB"},
      {English(), std::numeric_limits<int64_t>::max(), false, L"8,589,934,592 GB"},
      {Continental(), 1572864, false, L"1,5 MB"},
      {Continental(), 5000000, true, L"4.883 KB"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.bytes << (c.forceKilobytes ? " bytes, in KB" : " bytes"));
    EXPECT_EQ(tv::SizeToText(c.bytes, c.forceKilobytes, c.regional), c.expected);
  }
}

TEST(NumberFormat, DurationToText) {
  struct Case {
    RegionalSettings regional;
    int64_t milliseconds;
    int style;
    const wchar_t* expected;
  };
  const RegionalSettings r = English();
  const Case cases[] = {
      {r, 3725250, 0, L"1 hour 2 minutes"},
      {r, 3725250, 1, L"1:02:05"},
      {r, 3725250, 2, L"01:02:05"},
      {r, 3725250, 3, L"01:02:05.250"},
      {r, 3725250, 4, L"1 hour 2 minutes"},
      {r, 65000, 0, L"1 minute 5 seconds"},
      {r, 65000, 1, L"1:05"},
      {r, 65000, 2, L"00:01:05"},
      {r, 65000, 3, L"00:01:05.000"},
      {r, 65000, 4, L"1 minute 5 seconds"},
      {r, 0, 0, L"0"},
      {r, 0, 1, L"0:00"},
      {r, 1, 0, L"1 mili-second"},
      {r, 2, 0, L"2 mili-seconds"},
      {r, 1, 4, L"0"},
      {r, 1500, 0, L"1.5 seconds"},
      {r, 1500, 4, L"1 second"},
      {r, 1040, 0, L"1 seconds"},  // a fraction that rounds away keeps the plural
      {r, 2000, 0, L"2 seconds"},
      {r, 60000, 0, L"1 minute"},
      {r, 61500, 0, L"1 minute 1 second"},
      {r, 3661000, 0, L"1 hour 1 minute"},  // no seconds once there are hours
      {r, 7200000, 0, L"2 hours"},
      {r, 3600000, 1, L"1:00:00"},
      {r, 5000, 1, L"0:05"},
      {r, 600000, 1, L"10:00"},
      {r, 61000, 3, L"00:01:01.000"},
      {r, 61007, 3, L"00:01:01.007"},
      {r, 360000000, 2, L"100:00:00"},  // long fields stay whole
      {r, 360000000, 1, L"100:00:00"},
      {r, 65000, 5, L""},
      {r, 65000, -1, L""},
      {Continental(), 3725250, 3, L"01.02.05,250"},
      {Continental(), 3725250, 1, L"1.02.05"},
      {Continental(), 1500, 0, L"1,5 seconds"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.milliseconds << " ms in style " << c.style);
    EXPECT_EQ(tv::DurationToText(c.milliseconds, c.style, c.regional), c.expected);
  }
}

TEST(NumberFormat, RegionalSettingsFromValues) {
  using Values = std::map<std::wstring, std::wstring>;
  struct Case {
    Values values;
    RegionalSettings expected;
  };
  RegionalSettings full;
  full.negativeSign = L"~";
  full.positiveSign = L"+";
  full.thousandSeparator = L"'";
  full.decimalSeparator = L",";
  full.timeSeparator = L".";
  full.negativePattern = 3;
  full.indianGrouping = true;
  RegionalSettings cut;
  cut.thousandSeparator = L"abcde";
  cut.decimalSeparator = L"12345";
  RegionalSettings patternZero;
  patternZero.negativePattern = 0;
  const Case cases[] = {
      {{}, RegionalSettings()},
      {{{L"sNegativeSign", L"~"}, {L"sPositiveSign", L"+"}, {L"sThousand", L"'"}, {L"sDecimal", L","},
        {L"sTime", L"."}, {L"iNegNumber", L"3"}, {L"sGrouping", L"3;2;0"}},
       full},
      {{{L"sThousand", L"abcdefgh"}, {L"sDecimal", L"123456"}}, cut},
      {{{L"iNegNumber", L"abc"}}, patternZero},     // read as a number: no digits is 0
      {{{L"iNegNumber", L"0"}}, patternZero},
      {{{L"iNegNumber", L"99999999999"}}, RegionalSettings()},  // out of range: as 1
      {{{L"sGrouping", L"3;0"}}, RegionalSettings()},
      {{{L"sGrouping", L"3;2;0 "}}, RegionalSettings()},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case #" << (&c - cases));
    const RegionalSettings got = tv::RegionalSettingsFromValues([&](const wchar_t* name) {
      auto it = c.values.find(name);
      return it == c.values.end() ? std::wstring() : it->second;
    });
    EXPECT_EQ(got.negativeSign, c.expected.negativeSign);
    EXPECT_EQ(got.positiveSign, c.expected.positiveSign);
    EXPECT_EQ(got.thousandSeparator, c.expected.thousandSeparator);
    EXPECT_EQ(got.decimalSeparator, c.expected.decimalSeparator);
    EXPECT_EQ(got.timeSeparator, c.expected.timeSeparator);
    EXPECT_EQ(got.negativePattern, c.expected.negativePattern);
    EXPECT_EQ(got.indianGrouping, c.expected.indianGrouping);
  }
}

}  // namespace
