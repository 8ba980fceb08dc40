// The process-wide regional settings, read from the real registry of the test
// prefix. Each test saves the regional values it may touch and puts them back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "TvRegionalSettings.h"
#include "TvRegistry.h"

namespace {

const tv::RegLocation kInternational{HKEY_CURRENT_USER, L"Control Panel\\International"};
const wchar_t* const kValueNames[] = {L"sNegativeSign", L"sPositiveSign", L"sThousand", L"sDecimal",
                                      L"sTime",         L"iNegNumber",    L"sGrouping"};

class RegionalRegistryTest : public testing::Test {
 protected:
  void SetUp() override {
    for (const wchar_t* name : kValueNames) {
      Saved saved{name};
      saved.existed = tv::RegValueExists(kInternational, name);
      saved.value = tv::RegReadString(kInternational, name);
      saved_.push_back(saved);
      tv::RegDeleteValueAt(kInternational, name);
    }
    tv::ResetRegionalSettings();
  }

  void TearDown() override {
    for (const Saved& saved : saved_) {
      if (saved.existed) tv::RegWriteString(kInternational, saved.name, saved.value);
      else tv::RegDeleteValueAt(kInternational, saved.name);
    }
    tv::ResetRegionalSettings();
  }

  static void Write(const wchar_t* name, const std::wstring& value) {
    ASSERT_TRUE(tv::RegWriteString(kInternational, name, value));
  }

 private:
  struct Saved {
    std::wstring name;
    bool existed = false;
    std::wstring value;
  };
  std::vector<Saved> saved_;
};

// The shorthands take their separators from the registry.
TEST_F(RegionalRegistryTest, LocalTextsFollowTheRegistry) {
  struct Value {
    const wchar_t* name;
    const wchar_t* text;
  };
  struct Case {
    std::vector<Value> values;
    int64_t number;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {{}, -1234567, L"-1234567"},  // nothing set: no grouping, "-" in front
      {{{L"sThousand", L"."}, {L"iNegNumber", L"0"}}, -1234, L"(1.234)"},
      {{{L"sThousand", L","}, {L"iNegNumber", L"3"}}, -1234, L"1,234-"},
      {{{L"sThousand", L","}, {L"iNegNumber", L"4"}, {L"sNegativeSign", L"~"}}, -1234, L"1,234 ~"},
      {{{L"sThousand", L","}, {L"sGrouping", L"3;2;0"}}, 12345678, L"1,23,45,678"},
      {{{L"sThousand", L","}, {L"sGrouping", L"3;0"}}, 12345678, L"12,345,678"},
      {{{L"sThousand", L"abcdefgh"}}, 1234, L"1abcde234"},  // cut to five characters
      {{{L"sPositiveSign", L"+"}, {L"iNegNumber", L""}}, 5, L"+5"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "case #" << (&c - cases));
    for (const wchar_t* name : kValueNames) tv::RegDeleteValueAt(kInternational, name);
    for (const Value& v : c.values) Write(v.name, v.text);
    tv::ResetRegionalSettings();
    EXPECT_EQ(tv::Int64ToLocalText(c.number), c.expected);
  }
}

TEST_F(RegionalRegistryTest, EveryShorthandUsesTheRegionalValues) {
  Write(L"sThousand", L".");
  Write(L"sDecimal", L",");
  Write(L"sTime", L".");
  std::wstring plain = L"-1234.5";
  tv::LocaliseNumber(plain);
  EXPECT_EQ(plain, L"-1.234,5");
  EXPECT_EQ(tv::RealToLocalText(1, 1234.5), L"1.234,5");
  EXPECT_EQ(tv::SizeToText(5000000, true), L"4.883 KB");
  EXPECT_EQ(tv::SizeToText(1572864, false), L"1,5 MB");
  EXPECT_EQ(tv::DurationToText(3725250, 3), L"01.02.05,250");
  EXPECT_EQ(tv::DurationToText(1500, 0), L"1,5 seconds");
}

// Only registry strings count: a number stored as a DWORD reads as missing.
TEST_F(RegionalRegistryTest, ValuesOfAnotherTypeReadAsMissing) {
  ASSERT_TRUE(tv::RegWriteDword(kInternational, L"iNegNumber", 0));
  ASSERT_TRUE(tv::RegWriteDword(kInternational, L"sDecimal", 44));
  const tv::RegionalSettings settings = tv::LoadRegionalSettings();
  EXPECT_EQ(settings.negativePattern, 1);
  EXPECT_EQ(settings.decimalSeparator, L".");
}

TEST_F(RegionalRegistryTest, ReadOncePerProcess) {
  Write(L"sThousand", L",");
  EXPECT_EQ(tv::Int64ToLocalText(1234), L"1,234");
  Write(L"sThousand", L".");
  EXPECT_EQ(tv::Int64ToLocalText(1234), L"1,234");  // still the first reading
  EXPECT_EQ(tv::ReadRegionalSettingsFromRegistry().thousandSeparator, L".");
  tv::ResetRegionalSettings();
  EXPECT_EQ(tv::Int64ToLocalText(1234), L"1.234");
}

TEST_F(RegionalRegistryTest, InjectedSettingsReplaceTheRegistry) {
  Write(L"sThousand", L",");
  tv::RegionalSettings injected;
  injected.thousandSeparator = L" ";
  injected.negativePattern = 0;
  tv::SetRegionalSettings(injected);
  EXPECT_EQ(tv::Int64ToLocalText(-1234567), L"(1 234 567)");
}

}  // namespace
