#include <gtest/gtest.h>

#include "TvPath.h"

using namespace tv;

namespace {

struct PathParts {
  const wchar_t* path;
  const wchar_t* extension;
  const wchar_t* fileName;
  const wchar_t* nameWithoutExtension;
  const wchar_t* folder;
};

const PathParts kPathParts[] = {
    {L"C:\\Music\\song.mp3", L".mp3", L"song.mp3", L"song", L"C:\\Music\\"},
    {L"C:\\a.b\\file", L".", L"file", L"file", L"C:\\a.b\\"},  // the only dot is in a folder name
    {L"song.tar.flac", L".flac", L"song.tar.flac", L"song.tar", L""},
    {L"C:\\Music\\song.", L".", L"song.", L"song", L"C:\\Music\\"},
    {L"C:\\Music\\.hidden", L".hidden", L".hidden", L"", L"C:\\Music\\"},
    {L"C:\\Music\\", L".", L"", L"", L"C:\\Music\\"},
    {L"", L".", L"", L"", L""},
    {L"\\\\server\\share\\x.wav", L".wav", L"x.wav", L"x", L"\\\\server\\share\\"},
};

}  // namespace

TEST(PathText, SplitsPathsIntoTheirParts) {
  for (const PathParts& c : kPathParts) {
    SCOPED_TRACE(testing::Message() << "path: " << testing::PrintToString(std::wstring(c.path)));
    EXPECT_EQ(PathExtension(c.path), c.extension);
    EXPECT_EQ(PathFileName(c.path), c.fileName);
    EXPECT_EQ(PathNameWithoutExtension(c.path), c.nameWithoutExtension);
    EXPECT_EQ(PathFolder(c.path), c.folder);
  }
}

TEST(PathText, TrailingBackslashes) {
  EXPECT_EQ(EnsureTrailingBackslash(L"C:\\Temp"), L"C:\\Temp\\");
  EXPECT_EQ(EnsureTrailingBackslash(L"C:\\Temp\\"), L"C:\\Temp\\");
  EXPECT_EQ(EnsureTrailingBackslash(L""), L"");  // never turns "nothing" into the drive root
  EXPECT_EQ(RemoveTrailingBackslashes(L"C:\\Temp\\\\"), L"C:\\Temp");
  EXPECT_EQ(RemoveTrailingBackslashes(L"C:\\Temp"), L"C:\\Temp");
  EXPECT_EQ(RemoveTrailingBackslashes(L"\\\\"), L"");
}

TEST(PathText, LongPathFormFollowsLimitAndPlatform) {
  const std::wstring shortPath = L"C:\\Music\\song.mp3";
  const std::wstring at260 = L"C:\\" + std::wstring(257, L'a');  // exactly 260 characters
  const std::wstring at259 = at260.substr(0, 259);
  const std::wstring unc = L"\\\\server\\share\\song.mp3";
  const std::wstring longUnc = L"\\\\server\\share\\" + std::wstring(300, L'b');
  const std::wstring longForm = L"\\\\?\\" + at260;

  struct Case {
    std::wstring path;
    size_t limit;
    bool wide, survivesAnsi;
    std::wstring expected;
  } cases[] = {
      {shortPath, kOpenPathLimit, true, true, shortPath},
      {at259, kOpenPathLimit, true, true, at259},
      {at260, kOpenPathLimit, true, true, L"\\\\?\\" + at260},
      {at259, kOtherPathLimit, true, true, L"\\\\?\\" + at259},  // other calls have the lower limit
      {shortPath, kOpenPathLimit, true, false, shortPath},    // the wide platform needs no ANSI form
      {longForm, kOpenPathLimit, true, true, longForm},       // already in long form: kept
      {unc, kOpenPathLimit, true, true, unc},
      {unc, kOpenPathLimit, true, false, L""},
      {longUnc, kOpenPathLimit, true, true, L""},
      {shortPath, kOpenPathLimit, false, true, shortPath},
      {shortPath, kOpenPathLimit, false, false, L""},
      {at260, kOpenPathLimit, false, true, L""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << "length " << c.path.size() << " limit " << c.limit << " wide "
                                    << c.wide << " ansi " << c.survivesAnsi);
    EXPECT_EQ(LongPathText(c.path, c.limit, c.wide, c.survivesAnsi), c.expected);
  }
}

TEST(PathText, Wildcards) {
  EXPECT_TRUE(HasWildcards(L"C:\\Music\\*"));
  EXPECT_TRUE(HasWildcards(L"C:\\Music\\song?.mp3"));
  EXPECT_FALSE(HasWildcards(L"C:\\Music\\song.mp3"));
  EXPECT_FALSE(HasWildcards(L"\\\\?\\C:\\Music"));
  EXPECT_TRUE(HasWildcards(L"\\\\?\\C:\\Music\\*.mp3"));
}

TEST(PathText, FolderTreeLevelsStartBelowTheRoot) {
  using Levels = std::vector<std::wstring>;
  struct Case {
    std::wstring folder;
    Levels levels;
  } cases[] = {
      {L"C:\\a\\b\\c\\", {L"C:\\a", L"C:\\a\\b", L"C:\\a\\b\\c"}},
      {L"C:\\a\\b", {L"C:\\a", L"C:\\a\\b"}},
      {L"C:\\", {}},
      {L"C:", {}},
      {L"", {}},
      {L"\\\\server\\share\\x\\y", {L"\\\\server\\share\\x", L"\\\\server\\share\\x\\y"}},
      {L"\\\\server\\share\\", {}},
      {L"\\\\?\\C:\\a\\b", {L"\\\\?\\C:\\a", L"\\\\?\\C:\\a\\b"}},
      {L"\\\\?\\UNC\\server\\share\\x", {L"\\\\?\\UNC\\server\\share\\x"}},
      {L"\\top\\sub", {L"\\top", L"\\top\\sub"}},
      {L"rel\\sub", {L"rel", L"rel\\sub"}},
      {L"C:\\a\\\\b", {L"C:\\a", L"C:\\a\\\\b"}},  // a doubled backslash adds no empty level
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.folder));
    EXPECT_EQ(FolderTreeLevels(c.folder), c.levels);
  }
}
