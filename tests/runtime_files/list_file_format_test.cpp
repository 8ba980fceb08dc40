#include <gtest/gtest.h>

#include "TvListFile.h"

using namespace tv;

TEST(ListFileFormat, EachPathIsOneCrLfLineOfUtf16LeWithoutMark) {
  const std::vector<std::wstring> paths = {L"C:\\A.mp3", L"D:\\\u00e9t\u00e9\\\u6b4c.flac"};
  const std::string bytes = ListFileBytes(paths);
  const std::string expected(
      "C\0:\0\\\0A\0.\0m\0p\0\x33\0\r\0\n\0"
      "D\0:\0\\\0\xe9\0t\0\xe9\0\\\0\x4c\x6b.\0f\0l\0a\0c\0\r\0\n\0",
      2 * (8 + 2 + 13 + 2));
  EXPECT_EQ(bytes, expected);
  // 2 bytes per path character and 4 per line break, nothing else.
  EXPECT_EQ(bytes.size(), 2 * (paths[0].size() + paths[1].size()) + 4 * paths.size());
  EXPECT_TRUE(ListFileBytes({}).empty());
}

TEST(ListFileFormat, RoundTripKeepsOrderNonAsciiAndLongPaths) {
  const std::vector<std::wstring> paths = {
      L"C:\\Musik\\\u00c4rger \u00fcber \u00df.wav",
      L"C:\\\u0414\u0438\u0441\u043a\\\u65e5\u672c\u8a9e\\\U0001F3B5 track.mp3",  // a surrogate pair too
      L"C:\\" + std::wstring(300, L'x') + L"\\long.ogg",
      L"\\\\server\\share\\a.mp3",
      L"C:\\A.mp3",  // order is kept, not sorted
  };
  const std::string bytes = ListFileBytes(paths);
  EXPECT_EQ(ParseListBytes(bytes.data(), bytes.size()), paths);
  EXPECT_EQ(ParseListText(ListFileText(paths)), paths);
}

TEST(ListFileFormat, ReadingAcceptsAnyLineEndAndSkipsEmptyLines) {
  struct Case {
    std::wstring text;
    std::vector<std::wstring> paths;
  } cases[] = {
      {L"a\r\nb\r\n", {L"a", L"b"}},
      {L"a\rb\nc", {L"a", L"b", L"c"}},  // CR, LF, and a last line without an end
      {L"a\r\n\r\n\nb\r\n\r\n", {L"a", L"b"}},
      {L"\n\r", {}},
      {L"", {}},
      {L" spaced name \r\n", {L" spaced name "}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.text));
    EXPECT_EQ(ParseListText(c.text), c.paths);
  }
  const char oddTail[] = {'a', 0, '\r', 0, '\n', 0, 'b'};  // a lone last byte is no character
  EXPECT_EQ(ParseListBytes(oddTail, sizeof(oddTail)), std::vector<std::wstring>{L"a"});
  EXPECT_TRUE(ParseListBytes(nullptr, 10).empty());
}

TEST(ListFileFormat, FrontEndCommandLineQuotesProgramAndList) {
  EXPECT_EQ(FrontEndCommandLine(L"C:\\Program Files\\Tonvera\\", L"C:\\Temp\\TvS1A.tmp"),
            L"\"C:\\Program Files\\Tonvera\\Tunemill.exe\" -list_to_conv=\"C:\\Temp\\TvS1A.tmp\"");
  // A folder without its trailing backslash gets one.
  EXPECT_EQ(FrontEndCommandLine(L"D:\\Tv", L"D:\\T\u00e9mp\\TMP2.tmp"),
            L"\"D:\\Tv\\Tunemill.exe\" -list_to_conv=\"D:\\T\u00e9mp\\TMP2.tmp\"");
  EXPECT_EQ(QuotedOptionCommandLine(L"C:\\Tv\\tipfetchinfo.exe", L"-edit_tags", L"C:\\T\\TvS3.tmp"),
            L"\"C:\\Tv\\tipfetchinfo.exe\" -edit_tags=\"C:\\T\\TvS3.tmp\"");
}
