#include <gtest/gtest.h>

#include <set>

#include "FilesTestSupport.h"
#include "TvFolder.h"

using namespace tv;

namespace {

class Folders : public testing::Test {
 protected:
  tvtest::ScratchFolder folder;
};

std::set<std::wstring> Names(clFolderEnum& entries) {
  std::set<std::wstring> names;
  while (entries.Next()) {
    names.insert(entries.Name() + (entries.IsFolder() ? L"\\" : L""));
    EXPECT_EQ(entries.FullPath(), entries.Folder() + entries.Name());
  }
  return names;
}

}  // namespace

TEST_F(Folders, CreatesEveryMissingLevel) {
  const std::wstring deep = folder / L"a\\b\\c\\";
  EXPECT_TRUE(CreateFolderTree(deep));
  EXPECT_TRUE(GetFileAttributesW((folder / L"a\\b\\c").c_str()) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_TRUE(CreateFolderTree(deep));  // existing levels count as success
  EXPECT_TRUE(CreateFolderTree(folder / L"a\\b\\d"));
  EXPECT_TRUE(CreateFolderTree(L"C:\\"));
  EXPECT_FALSE(CreateFolderTree(L""));
}

TEST_F(Folders, AFileInTheWayIsNoFolder) {
  tvtest::WriteBytes(folder / L"blocker", "file");
  EXPECT_FALSE(CreateFolderTree(folder / L"blocker\\below"));
  EXPECT_FALSE(tvtest::Exists(folder / L"blocker\\below"));
}

TEST_F(Folders, EnumeratesEntriesWithoutDotEntries) {
  ASSERT_TRUE(CreateFolderTree(folder / L"sub"));
  tvtest::WriteBytes(folder / L"one.mp3", "1");
  tvtest::WriteBytes(folder / L"two.wav", "22");
  tvtest::WriteBytes(folder / L"\u00e9\u6b4c.mp3", "3");

  clFolderEnum all(folder.Path());
  EXPECT_EQ(Names(all), (std::set<std::wstring>{L"sub\\", L"one.mp3", L"two.wav", L"\u00e9\u6b4c.mp3"}));
  EXPECT_FALSE(all.Next());  // stays at its end

  clFolderEnum filesOnly(folder.Path(), L"*", true);
  EXPECT_EQ(Names(filesOnly), (std::set<std::wstring>{L"one.mp3", L"two.wav", L"\u00e9\u6b4c.mp3"}));

  const std::wstring withoutBackslash = folder.Path().substr(0, folder.Path().size() - 1);
  clFolderEnum masked(withoutBackslash, L"*.mp3");
  EXPECT_EQ(masked.Folder(), folder.Path());
  EXPECT_EQ(Names(masked), (std::set<std::wstring>{L"one.mp3", L"\u00e9\u6b4c.mp3"}));
}

TEST_F(Folders, EntryDetails) {
  tvtest::WriteBytes(folder / L"sized.bin", std::string(1234, 'x'));
  clFolderEnum entries(folder.Path(), L"sized.bin");
  ASSERT_TRUE(entries.Next());
  EXPECT_EQ(entries.Size(), 1234u);
  EXPECT_NE(entries.LastWriteTime(), 0u);
  EXPECT_FALSE(entries.IsFolder());
  EXPECT_FALSE(entries.Next());
}

TEST_F(Folders, EmptyOrMissingFoldersEndAtOnce) {
  ASSERT_TRUE(CreateFolderTree(folder / L"empty"));
  clFolderEnum empty(folder / L"empty");
  EXPECT_FALSE(empty.Next());
  clFolderEnum missing(folder / L"missing");
  EXPECT_FALSE(missing.Next());
}
