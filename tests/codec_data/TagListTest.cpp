#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "clTagList.h"

namespace {

std::vector<std::wstring> Names(const clTagList& list) {
  std::vector<std::wstring> out;
  for (const auto& e : list.Elements()) out.push_back(e.name);
  return out;
}

std::vector<std::wstring> Values(const clTagList& list) {
  std::vector<std::wstring> out;
  for (const auto& e : list.Elements()) out.push_back(e.value);
  return out;
}

TEST(TagList, SameNameTwiceKeepsBothFindsFirstRemovesFirst) {
  clTagList list;
  list.Add(L"ARTIST", L"A");
  list.Add(L"Title", L"T");
  list.Add(L"artist", L"B");
  ASSERT_EQ(list.Count(), 3u);
  ASSERT_NE(list.Find(L"Artist"), nullptr);
  EXPECT_EQ(list.Find(L"Artist")->value, L"A");
  EXPECT_TRUE(list.Remove(L"ARTIST"));
  EXPECT_EQ(Values(list), (std::vector<std::wstring>{L"T", L"B"}));
  EXPECT_TRUE(list.Remove(L"ARTIST"));
  EXPECT_FALSE(list.Remove(L"ARTIST"));
  EXPECT_EQ(list.Find(L"artist"), nullptr);
}

TEST(TagList, NamesCompareCaseInsensitivelyOnlyOverAsciiLetters) {
  clTagList list;
  list.Add(L"\u00C4RGER", L"x");  // A with diaeresis is not folded
  EXPECT_EQ(list.Find(L"\u00E4rger"), nullptr);
  EXPECT_NE(list.Find(L"\u00C4rger"), nullptr);
}

TEST(TagList, TakeReturnsFirstValueAndRemovesIt) {
  clTagList list;
  list.Add(L"genre", L"Rock");
  list.Add(L"GENRE", L"Pop");
  EXPECT_EQ(list.Take(L"Genre"), L"Rock");
  EXPECT_EQ(list.Take(L"Genre"), L"Pop");
  EXPECT_EQ(list.Take(L"Genre"), L"");
  EXPECT_TRUE(list.Empty());
}

TEST(TagList, MergeWithoutOverwriteNeverChangesExistingAndAppendsFirstOfEachNewName) {
  clTagList mine;
  mine.Add(L"ARTIST", L"B");
  clTagList source;
  source.Add(L"artist", L"A", "\x01", 1);
  source.Add(L"ALBUM", L"X");
  source.Add(L"Album", L"Y");  // second of a name: the first was merged already
  source.Add(L"YEAR", L"1999", "\x07\x08", 2);
  mine.Merge(source, false);
  EXPECT_EQ(Names(mine), (std::vector<std::wstring>{L"ARTIST", L"ALBUM", L"YEAR"}));
  EXPECT_EQ(Values(mine), (std::vector<std::wstring>{L"B", L"X", L"1999"}));
  EXPECT_TRUE(mine.At(0).data.empty());
  EXPECT_EQ(mine.At(2).data, (std::vector<std::uint8_t>{7, 8}));
}

TEST(TagList, MergeWithOverwriteReplacesValueAndDataOfFirstExisting) {
  clTagList mine;
  mine.Add(L"ARTIST", L"B", "\x01", 1);
  mine.Add(L"ARTIST", L"C");
  clTagList other;
  other.Add(L"Artist", L"A", "\x05\x06", 2);
  mine.Merge(other, true);
  EXPECT_EQ(Names(mine), (std::vector<std::wstring>{L"ARTIST", L"ARTIST"}));
  EXPECT_EQ(Values(mine), (std::vector<std::wstring>{L"A", L"C"}));
  EXPECT_EQ(mine.At(0).data, (std::vector<std::uint8_t>{5, 6}));
}

TEST(TagList, MergeIntoItselfChangesNothingWithoutOverwrite) {
  clTagList list;
  list.Add(L"A", L"1");
  list.Add(L"B", L"2");
  list.Merge(list, false);
  EXPECT_EQ(Values(list), (std::vector<std::wstring>{L"1", L"2"}));
}

TEST(TagList, RemoveHiddenKeepsWhatTheFlagsName) {
  const std::vector<std::wstring> all = {L"TITLE", L"_albumart_1_Cover", L"_cdtoc", L"_riff_ICMT",
                                         L"_other", L"_RIFF_ISFT", L"_CDTOC", L"ARTIST"};
  const struct { int flags; std::vector<std::wstring> kept; } cases[] = {
      {0, {L"TITLE", L"ARTIST"}},
      {clTagList::kKeepRiff, {L"TITLE", L"_riff_ICMT", L"_RIFF_ISFT", L"ARTIST"}},
      {clTagList::kKeepCdToc, {L"TITLE", L"_cdtoc", L"_CDTOC", L"ARTIST"}},
      {clTagList::kKeepAlbumArt, {L"TITLE", L"_albumart_1_Cover", L"ARTIST"}},
      {2 | 4 | 8, {L"TITLE", L"_albumart_1_Cover", L"_cdtoc", L"_riff_ICMT", L"_RIFF_ISFT", L"_CDTOC", L"ARTIST"}},
  };
  for (const auto& c : cases) {
    clTagList list;
    for (const auto& n : all) list.Add(n, L"v");
    list.RemoveHidden(c.flags);
    EXPECT_EQ(Names(list), c.kept) << "flags " << c.flags;
  }
}

}  // namespace
