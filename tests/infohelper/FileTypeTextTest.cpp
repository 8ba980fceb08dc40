// The type name of an extension from the classes root, with real keys there
// (cleaned before and after).
#include <windows.h>

#include <gtest/gtest.h>

#include "TvFileTypeText.h"

using namespace tv;

namespace {

void RemoveTestClasses() {
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L".tvinfotype");
  RegDeleteTreeW(HKEY_CLASSES_ROOT, L"TvInfoTypeTest.File");
}

bool SetDefault(const wchar_t* key, const wchar_t* value) {
  return RegSetKeyValueW(HKEY_CLASSES_ROOT, key, nullptr, REG_SZ, value,
                         DWORD((lstrlenW(value) + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

class FileTypeTextTest : public testing::Test {
 protected:
  void SetUp() override { RemoveTestClasses(); }
  void TearDown() override { RemoveTestClasses(); }
};

}  // namespace

TEST_F(FileTypeTextTest, RegisteredClassNameGivesItsTypeAndIsRemembered) {
  ASSERT_TRUE(SetDefault(L".tvinfotype", L"TvInfoTypeTest.File"));
  ASSERT_TRUE(SetDefault(L"TvInfoTypeTest.File", L"Tonvera Test Audio"));
  EXPECT_EQ(L"Tonvera Test Audio", FileTypeText(L"C:\\m\\a.tvinfotype"));
  RemoveTestClasses();
  // The last extension's answer is kept for the process, whatever the letter case.
  EXPECT_EQ(L"Tonvera Test Audio", FileTypeText(L"C:\\m\\b.TVINFOTYPE"));
}

TEST_F(FileTypeTextTest, UnregisteredExtensionsAndNoExtension) {
  EXPECT_EQ(L"tvnotregistered File", FileTypeText(L"C:\\m\\a.TvNotRegistered"));
  EXPECT_EQ(L"File", FileTypeText(L"C:\\m.d\\noextension"));
  // A class name without a type of its own falls back as well, and no key is made on the way.
  ASSERT_TRUE(SetDefault(L".tvinfotype", L"TvInfoTypeTest.File"));
  EXPECT_EQ(L"tvinfotype File", FileTypeText(L"C:\\m\\c.tvinfotype"));
  HKEY key = nullptr;
  EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExW(HKEY_CLASSES_ROOT, L"TvInfoTypeTest.File", 0, KEY_READ, &key));
  if (key) RegCloseKey(key);
}
