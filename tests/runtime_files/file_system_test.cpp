#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "TvCodePage.h"
#include "TvFile.h"
#include "TvFileSystem.h"
#include "TvFolder.h"

using namespace tv;

namespace {

class FileSystem : public testing::Test {
 protected:
  tvtest::ScratchFolder folder;
};

DWORD Attributes(const std::wstring& path) { return GetFileAttributesW(path.c_str()); }

}  // namespace

TEST_F(FileSystem, ExistsTellsFilesFoldersAndDriveRoots) {
  tvtest::WriteBytes(folder / L"a.txt", "x");
  struct Case {
    std::wstring path;
    bool exists, isFolder;
  } cases[] = {
      {folder / L"a.txt", true, false},
      {folder / L"missing.txt", false, false},
      {folder.Path(), true, true},  // a folder with its trailing backslash
      {folder.Path().substr(0, folder.Path().size() - 1), true, true},
      {L"C:", true, true},
      {L"C:\\", true, true},
      {folder / L"*", false, false},  // a wildcard never "exists"
      {folder / L"a.tx?", false, false},
      {L"", false, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(c.path));
    bool isFolder = !c.isFolder;
    EXPECT_EQ(FileExists(c.path, &isFolder), c.exists);
    EXPECT_EQ(isFolder, c.isFolder);
  }
}

TEST_F(FileSystem, SizeAndTimeByName) {
  tvtest::WriteBytes(folder / L"five.bin", "12345");
  EXPECT_EQ(FileSizeByName(folder / L"five.bin"), 5u);
  EXPECT_EQ(FileSizeByName(folder / L"none.bin"), 0u);
  EXPECT_NE(FileLastWriteTime(folder / L"five.bin"), 0u);
  EXPECT_EQ(FileLastWriteTime(folder / L"none.bin"), 0u);
}

TEST_F(FileSystem, DeletesAReadOnlyFileAfterOneRetry) {
  const std::wstring path = folder / L"readonly.txt";
  tvtest::WriteBytes(path, "keep?");
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  // As a second try the attribute is left alone and the delete refused.
  EXPECT_FALSE(FileDelete(path, true));
  EXPECT_TRUE(tvtest::Exists(path));
  EXPECT_TRUE(FileDelete(path));
  EXPECT_FALSE(tvtest::Exists(path));
  EXPECT_FALSE(FileDelete(path));  // nothing left to delete
}

TEST_F(FileSystem, MoveReplacesAnExistingFileEvenReadOnly) {
  const std::wstring from = folder / L"new.bin";
  const std::wstring to = folder / L"old.bin";
  for (DWORD targetAttributes : {DWORD(FILE_ATTRIBUTE_NORMAL), DWORD(FILE_ATTRIBUTE_READONLY)}) {
    SCOPED_TRACE(targetAttributes);
    tvtest::WriteBytes(from, "new content");
    SetFileAttributesW(to.c_str(), FILE_ATTRIBUTE_NORMAL);
    tvtest::WriteBytes(to, "old");
    SetFileAttributesW(to.c_str(), targetAttributes);
    EXPECT_TRUE(FileMove(from, to));
    EXPECT_FALSE(tvtest::Exists(from));
    EXPECT_EQ(tvtest::ReadBytes(to), "new content");
  }
  EXPECT_FALSE(FileMove(folder / L"missing.bin", to));
  EXPECT_EQ(tvtest::ReadBytes(to), "new content");
}

TEST_F(FileSystem, MoveIntoAnotherFolder) {
  ASSERT_TRUE(CreateFolderTree(folder / L"sub"));
  tvtest::WriteBytes(folder / L"m.bin", "m");
  EXPECT_TRUE(FileMove(folder / L"m.bin", folder / L"sub\\m2.bin"));
  EXPECT_EQ(tvtest::ReadBytes(folder / L"sub\\m2.bin"), "m");
}

TEST_F(FileSystem, SetsAndClearsAttributeBits) {
  const std::wstring path = folder / L"attr.txt";
  tvtest::WriteBytes(path, "a");
  ASSERT_TRUE(FileSetAttributes(path, FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN, 0));
  EXPECT_EQ(Attributes(path) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
            DWORD(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
  ASSERT_TRUE(FileSetAttributes(path, 0, FILE_ATTRIBUTE_HIDDEN));
  EXPECT_EQ(Attributes(path) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN), DWORD(FILE_ATTRIBUTE_READONLY));
  ASSERT_TRUE(FileSetAttributes(path, 0, FILE_ATTRIBUTE_READONLY));
  EXPECT_EQ(Attributes(path) & FILE_ATTRIBUTE_READONLY, 0u);
  EXPECT_FALSE(FileSetAttributes(folder / L"missing", FILE_ATTRIBUTE_READONLY, 0));
}

TEST_F(FileSystem, FolderOfTheProgram) {
  const std::wstring own = FolderOfModule(nullptr);
  ASSERT_FALSE(own.empty());
  EXPECT_EQ(own.back(), L'\\');
  wchar_t name[MAX_PATH];
  GetModuleFileNameW(nullptr, name, MAX_PATH);
  EXPECT_EQ(std::wstring(name).rfind(own, 0), 0u);
}

// The older platform family's route: paths through the ANSI code page, with
// nothing beyond the limits and nothing the code page cannot carry.
TEST_F(FileSystem, AnsiRouteCarriesOnlyShortCodePagePaths) {
  struct AnsiCalls {
    AnsiCalls() { SetAnsiFileCalls(true); }
    ~AnsiCalls() { SetAnsiFileCalls(false); }
  } ansi;
  EXPECT_FALSE(IsWidePlatform());

  const std::wstring path = folder / L"ansi.txt";
  clTvFile file;
  ASSERT_TRUE(file.Create(path, false));
  EXPECT_TRUE(file.WriteText(std::string("ansi"), false));
  file.Close();
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(FileSizeByName(path), 4u);
  ASSERT_TRUE(CreateFolderTree(folder / L"x\\y"));
  EXPECT_TRUE(FileMove(path, folder / L"x\\y\\moved.txt"));
  clFolderEnum entries(folder / L"x\\y", L"*", true);
  ASSERT_TRUE(entries.Next());
  EXPECT_EQ(entries.Name(), L"moved.txt");
  EXPECT_TRUE(FileDelete(folder / L"x\\y\\moved.txt"));

  std::wstring longPath = folder.Path() + std::wstring(300 - folder.Path().size(), L'l');
  EXPECT_EQ(LongPath(longPath, 260), L"");
  EXPECT_FALSE(file.Create(longPath, false));

  const std::wstring foreign = folder / L"\u4e2d\u6587\u0416.txt";
  if (AnsiToWide(WideToAnsi(foreign)) != foreign) {
    EXPECT_EQ(LongPath(foreign, 260), L"");
    EXPECT_FALSE(file.Create(foreign, false));
  }
}
