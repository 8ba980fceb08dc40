#include <gtest/gtest.h>

#include <cwctype>
#include <set>

#include "FilesTestSupport.h"
#include "TvFileSystem.h"
#include "TvPath.h"
#include "TvString.h"
#include "TvTempFile.h"

using namespace tv;

namespace {

// Points the platform's temporary path somewhere else for one test.
class TempPathOverride {
 public:
  explicit TempPathOverride(const std::wstring& folder) {
    wchar_t old[MAX_PATH * 2] = {};
    had_ = GetEnvironmentVariableW(L"TMP", old, MAX_PATH * 2) > 0;
    old_ = old;
    SetEnvironmentVariableW(L"TMP", folder.c_str());
  }
  ~TempPathOverride() { SetEnvironmentVariableW(L"TMP", had_ ? old_.c_str() : nullptr); }

 private:
  bool had_;
  std::wstring old_;
};

bool IsDigits(const std::wstring& text) {
  if (text.empty()) return false;
  for (wchar_t c : text)
    if (c < L'0' || c > L'9') return false;
  return true;
}

}  // namespace

TEST(TempFolder, IsTheTemporaryPathWithItsBackslash) {
  const std::wstring folder = TempFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), L'\\');
  bool isFolder = false;
  EXPECT_TRUE(FileExists(folder, &isFolder));
  EXPECT_TRUE(isFolder);
}

TEST(TempFile, PrefixDspMakesAnEmptyDspTmpFile) {
  bool created = false;
  const std::wstring path = MakeTempFile(L"DSP", L"", &created);
  EXPECT_TRUE(created);
  EXPECT_EQ(PathFolder(path), TempFolder());
  const std::wstring name = PathFileName(path);
  EXPECT_EQ(name.substr(0, 3), L"DSP");
  EXPECT_TRUE(EndsWithNoCase(name, L".tmp")) << testing::PrintToString(name);
  bool isFolder = true;
  EXPECT_TRUE(FileExists(path, &isFolder));
  EXPECT_FALSE(isFolder);
  EXPECT_EQ(FileSizeByName(path), 0u);
  EXPECT_TRUE(FileDelete(path));
}

TEST(TempFile, DefaultPrefixIsTmpAndNamesAreUnique) {
  std::set<std::wstring> names;
  for (int i = 0; i < 5; ++i) names.insert(MakeTempFile());
  EXPECT_EQ(names.size(), 5u);
  for (const std::wstring& path : names) {
    EXPECT_EQ(PathFileName(path).substr(0, 3), L"TMP");
    EXPECT_TRUE(FileExists(path));
    FileDelete(path);
  }
}

TEST(TempFile, AnExtensionIsAppendedAndTheBareNameRemoved) {
  bool created = false;
  const std::wstring path = MakeTempFile(L"DBG", L".TXT", &created);
  EXPECT_TRUE(created);
  const std::wstring name = PathFileName(path);
  EXPECT_EQ(name.substr(0, 3), L"DBG");
  ASSERT_GT(name.size(), 8u);
  EXPECT_TRUE(EndsWithNoCase(name, L".tmp.TXT"));
  EXPECT_EQ(name.substr(name.size() - 4), L".TXT");
  EXPECT_EQ(FileSizeByName(path), 0u);
  EXPECT_TRUE(FileExists(path));
  EXPECT_FALSE(FileExists(path.substr(0, path.size() - 4)));  // the platform's bare name is gone
  FileDelete(path);
}

TEST(TempFile, AnExistingExtendedNameIsNeverTakenOver) {
  // Squat on the extended forms of the next platform names: every made file
  // must still be new and empty, and the squatters untouched.
  std::vector<std::wstring> squatted;
  for (int i = 0; i < 3; ++i) {
    std::wstring base = MakeTempFile(L"SQT");
    squatted.push_back(base + L".ext");
    tvtest::WriteBytes(squatted.back(), "someone else's");
    FileDelete(base);
  }
  for (int i = 0; i < 3; ++i) {
    bool created = false;
    std::wstring path = MakeTempFile(L"SQT", L".ext", &created);
    EXPECT_TRUE(created);
    EXPECT_EQ(FileSizeByName(path), 0u);
    FileDelete(path);
  }
  for (const std::wstring& path : squatted) {
    EXPECT_EQ(tvtest::ReadBytes(path), "someone else's");
    FileDelete(path);
  }
}

TEST(TempFile, AMissingTemporaryFolderIsCreatedWithAFallbackName) {
  tvtest::ScratchFolder scratch;
  const std::wstring missing = scratch / L"gone\\deeper\\";
  TempPathOverride redirect(missing);
  ASSERT_EQ(TempFolder(), missing);
  bool created = false;
  const std::wstring path = MakeTempFile(L"Tvp", L"", &created);
  EXPECT_TRUE(created);
  EXPECT_EQ(PathFolder(path), missing);
  EXPECT_EQ(FileSizeByName(path), 0u);
  const std::wstring name = PathFileName(path);
  EXPECT_EQ(name.substr(0, 3), L"Tvp");
  EXPECT_TRUE(EndsWithNoCase(name, L".tmp"));
  // The platform cannot name a file in a missing folder, so the name is the
  // prefix, a decimal number from 0 to 9998 and ".tmp".
  const std::wstring number = name.substr(3, name.size() - 7);
  ASSERT_TRUE(IsDigits(number)) << testing::PrintToString(name);
  EXPECT_LT(std::stoi(number), 9999);
}

TEST(TempFile, ObjectDeletesOnRequestOrOnDestruction) {
  std::wstring kept;
  {
    clTempFile file(L"TvS");
    ASSERT_TRUE(file.Created());
    kept = file.Path();
  }
  EXPECT_TRUE(FileExists(kept));  // left in place unless asked
  EXPECT_TRUE(FileDelete(kept));

  std::wstring gone;
  {
    clTempFile file(L"DSP");
    file.SetDeleteOnDestroy(true);
    gone = file.Path();
    SetFileAttributesW(gone.c_str(), FILE_ATTRIBUTE_READONLY);
  }
  EXPECT_FALSE(FileExists(gone));

  clTempFile file(L"DSP");
  EXPECT_TRUE(file.Delete());
  EXPECT_FALSE(FileExists(file.Path()));
}

TEST(TempFile, ProcessRandomStaysInRange) {
  for (int i = 0; i < 200; ++i) EXPECT_LT(ProcessRandomBelow(9999), 9999u);
}
