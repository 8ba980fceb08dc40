#include <gtest/gtest.h>

#include "FilesTestSupport.h"
#include "TvFileSystem.h"
#include "TvListFile.h"
#include "TvListFileIo.h"
#include "TvPath.h"
#include "TvTempFile.h"

using namespace tv;

namespace {

class ListFiles : public testing::Test {
 protected:
  tvtest::ScratchFolder folder;
};

}  // namespace

TEST_F(ListFiles, RoundTripThroughARealFileWithNonAsciiAndLongPaths) {
  std::wstring longPath = folder.Path();
  while (longPath.size() < 400) longPath += std::wstring(50, L'\u00e4') + L"\\";
  longPath += L"Song.mp3";
  const std::vector<std::wstring> paths = {
      folder / L"\u65e5\u672c\u8a9e.flac",
      longPath,
      folder / L"\U0001F3B5 \u0416.wav",
      L"C:\\Music\\a.mp3",
  };
  const std::wstring list = MakeListFile(paths, L"TvS", false);
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(PathFileName(list).substr(0, 3), L"TvS");
  EXPECT_EQ(tvtest::ReadBytes(list), ListFileBytes(paths));  // exactly the format, no mark

  std::vector<std::wstring> read;
  EXPECT_TRUE(ReadListFile(list, &read, false));
  EXPECT_EQ(read, paths);
  EXPECT_TRUE(FileDelete(list));
}

TEST_F(ListFiles, ThreePathsAreThreeLinesInTheirOrder) {
  const std::vector<std::wstring> paths = {L"C:\\z.mp3", L"C:\\a.mp3", L"C:\\m.mp3"};
  const std::wstring list = MakeListFile(paths, L"TMP", true);
  ASSERT_FALSE(list.empty());
  const std::string bytes = tvtest::ReadBytes(list);
  EXPECT_EQ(bytes.size(), 2 * (8 + 8 + 8) + 3 * 4u);
  EXPECT_EQ(bytes, ListFileBytes(paths));
  FileDelete(list);
}

TEST_F(ListFiles, WritesEntriesThroughAnOpenFile) {
  const std::wstring path = folder / L"list.tmp";
  clTvFile file;
  ASSERT_TRUE(file.Create(path, false));
  EXPECT_TRUE(WriteListEntry(file, L"C:\\one.mp3"));
  EXPECT_TRUE(WriteListFile(file, {L"C:\\two.mp3", L"C:\\three.mp3"}));
  file.Close();
  EXPECT_EQ(tvtest::ReadBytes(path), ListFileBytes({L"C:\\one.mp3", L"C:\\two.mp3", L"C:\\three.mp3"}));

  clTvFile readOnly;
  ASSERT_TRUE(readOnly.OpenRead(path, false));
  EXPECT_FALSE(WriteListFile(readOnly, {L"C:\\x.mp3"}));
}

TEST_F(ListFiles, ReadingAForeignListAcceptsAnyLineEnd) {
  const std::wstring path = folder / L"foreign.lst";
  const std::wstring text = L"C:\\a.mp3\rC:\\b.mp3\n\r\nC:\\c.mp3";
  std::string bytes;
  for (wchar_t c : text) {
    bytes.push_back(char(c & 0xFF));
    bytes.push_back(char(c >> 8));
  }
  tvtest::WriteBytes(path, bytes);
  std::vector<std::wstring> read;
  EXPECT_TRUE(ReadListFile(path, &read, false));
  EXPECT_EQ(read, (std::vector<std::wstring>{L"C:\\a.mp3", L"C:\\b.mp3", L"C:\\c.mp3"}));
}

TEST_F(ListFiles, AMissingListAsksRetryAndGivesNoPaths) {
  tvtest::ScriptedPrompt prompt({false});
  tv::clScopedFilePrompt use(prompt);
  const std::wstring path = folder / L"gone.tmp";
  std::vector<std::wstring> read = {L"stale"};
  EXPECT_FALSE(ReadListFile(path, &read, true));
  EXPECT_TRUE(read.empty());
  ASSERT_EQ(prompt.boxes.size(), 1u);
  EXPECT_EQ(prompt.boxes[0].text, L"Unable to open '" + path + L"'");
  EXPECT_EQ(prompt.boxes[0].caption, L"File Read Error");
}

TEST_F(ListFiles, AnEmptySelectionMakesAnEmptyList) {
  const std::wstring list = MakeListFile({}, L"TMP", false);
  ASSERT_FALSE(list.empty());
  EXPECT_EQ(FileSizeByName(list), 0u);
  std::vector<std::wstring> read;
  EXPECT_TRUE(ReadListFile(list, &read, false));
  EXPECT_TRUE(read.empty());
  FileDelete(list);
}

TEST_F(ListFiles, CommandLineForTheProgramFolder) {
  const std::wstring list = L"C:\\users\\me\\Temp\\TvS2F.tmp";
  const std::wstring own = FolderOfModule(nullptr);
  EXPECT_EQ(FrontEndCommandLine(own, list), L"\"" + own + L"Tunemill.exe\" -list_to_conv=\"" + list + L"\"");
}
