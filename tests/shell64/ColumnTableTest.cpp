// The column table: names from "ColumnsAllowed", property identifiers,
// alignments, widths, titles and the keys values are looked up by.
#include <gtest/gtest.h>

#include "TvColumnTable.h"

namespace {

using tv::ColumnAlignment;

std::wstring Join(const std::vector<std::wstring>& items) {
  std::wstring text;
  for (const std::wstring& item : items) text += (text.empty() ? L"" : L"\r") + item;
  return text;
}

TEST(ColumnTable, EmptyListOffersTheNineteenDefaultColumns) {
  const std::vector<tv::ColumnDescription> table = tv::BuildColumnTable(L"");
  ASSERT_EQ(table.size(), 19u);
  EXPECT_EQ(table.front().title, L" Length");
  EXPECT_EQ(table[3].title, L" Rating");
  EXPECT_EQ(table[12].title, L" Artist - Album - Track Number");
  EXPECT_EQ(table.back().title, L" Protected");
  for (const tv::ColumnDescription& column : table) EXPECT_EQ(column.description, L"Tonvera");
}

TEST(ColumnTable, PropertyIdentifierIsLengthAndWeightedCharacterSum) {
  EXPECT_EQ(tv::ColumnPropertyId(L"Year"), (4u << 24) | (1 * 89 + 2 * 101 + 3 * 97 + 4 * 114));
  EXPECT_EQ(tv::ColumnPropertyId(L"Length") >> 24, 6u);
  EXPECT_EQ(tv::ColumnPropertyId(L"Length") & 0xFFFFFF,
            1u * 'L' + 2u * 'e' + 3u * 'n' + 4u * 'g' + 5u * 't' + 6u * 'h');
  EXPECT_EQ(tv::ColumnPropertyId(L""), 0u);
  // 300 characters: the top byte wraps to 44; the sum keeps its low 24 bits.
  const std::wstring longName(300, wchar_t(0xFFFF));
  uint64_t sum = 0;
  for (uint64_t i = 1; i <= 300; ++i) sum += i * 0xFFFF;
  EXPECT_EQ(tv::ColumnPropertyId(longName), (44u << 24) | uint32_t(sum & 0xFFFFFF));
}

TEST(ColumnTable, AlignmentAndWidthByName) {
  struct Case {
    const wchar_t* name;
    ColumnAlignment alignment;
    uint32_t width;
  };
  const Case cases[] = {
      {L"Year", ColumnAlignment::Right, 14},        {L"Length", ColumnAlignment::Right, 14},
      {L"Track Number", ColumnAlignment::Right, 14}, {L"Album Peak", ColumnAlignment::Right, 14},
      {L"Rating", ColumnAlignment::Right, 14},      {L"Channels", ColumnAlignment::Left, 14},
      {L"Gapless", ColumnAlignment::Left, 14},      {L"Bit Rate", ColumnAlignment::Left, 20},
      {L"Genre", ColumnAlignment::Left, 20},        {L"Audio Quality", ColumnAlignment::Left, 20},
      {L"Artist", ColumnAlignment::Left, 32},       {L"year", ColumnAlignment::Left, 32},  // names compare exactly
      {L"MOOD", ColumnAlignment::Left, 32},
  };
  for (const Case& c : cases) {
    const tv::ColumnDescription column = tv::DescribeColumn(c.name);
    EXPECT_EQ(column.alignment, c.alignment) << c.name;
    EXPECT_EQ(column.widthChars, c.width) << c.name;
  }
}

TEST(ColumnTable, UserColumnsDropTheirMark) {
  const std::vector<tv::ColumnDescription> table = tv::BuildColumnTable(L"Length\r_USR_MOOD\r_USR_Tempo");
  ASSERT_EQ(table.size(), 3u);
  EXPECT_EQ(table[1].title, L" MOOD");
  EXPECT_EQ(table[1].propertyId, tv::ColumnPropertyId(L"MOOD"));
  EXPECT_EQ(table[2].title, L" Tempo");
  EXPECT_EQ(table[2].alignment, ColumnAlignment::Right);  // a user column named like a known one is laid out like it
}

TEST(ColumnTable, AtMostOneHundredColumns) {
  std::vector<std::wstring> names;
  for (int i = 0; i < 150; ++i) names.push_back(L"_USR_Tag" + std::to_wstring(i));
  const std::vector<tv::ColumnDescription> table = tv::BuildColumnTable(Join(names));
  ASSERT_EQ(table.size(), 100u);
  EXPECT_EQ(table.back().title, L" Tag99");
}

TEST(ColumnTable, ListRules) {
  // "[Empty]" is an empty name; an empty piece ends the list.
  EXPECT_EQ(tv::ColumnNames(L"Year\r[Empty]\rGenre"), (std::vector<std::wstring>{L"Year", L"", L"Genre"}));
  EXPECT_EQ(tv::ColumnNames(L"Year\r\rGenre"), (std::vector<std::wstring>{L"Year"}));
  EXPECT_EQ(tv::ColumnNames(L"Year\r"), (std::vector<std::wstring>{L"Year"}));
}

TEST(ColumnTable, TitleIsCutToSeventyNineCharacters) {
  const tv::ColumnDescription column = tv::DescribeColumn(std::wstring(200, L'x'));
  EXPECT_EQ(column.title.size(), 79u);
  EXPECT_EQ(column.title[0], L' ');
  EXPECT_EQ(column.propertyId, tv::ColumnPropertyId(std::wstring(200, L'x')));  // from the whole name
}

TEST(ColumnTable, ValueKeysOfTagBackedColumns) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L" Track Number", L" Track"},
      {L" Disc Number", L" Disc"},
      {L" Play Count", L" PlayCount"},
      {L" Track Gain", L" replaygain_track_gain"},
      {L" Track Peak", L" replaygain_track_peak"},
      {L" Album Gain", L" replaygain_album_gain"},
      {L" Album Peak", L" replaygain_album_peak"},
      {L" Length", L" Length"},
      {L" track number", L" track number"},
  };
  for (const auto& c : cases) EXPECT_EQ(tv::ColumnValueKey(c.first), c.second) << c.first;
}

}  // namespace
