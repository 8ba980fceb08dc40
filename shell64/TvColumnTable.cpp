#include "TvColumnTable.h"

#include "TvPopupText.h"

namespace tv {

const wchar_t* const kDefaultColumnsAllowed =
    L"Length\rBit Rate\rAudio Quality\rRating\rArtist\rTitle\rAlbum\rTrack Number\rGenre\rYear\rComment\r"
    L"Album - Track Number\rArtist - Album - Track Number\rChannels\rSample Rate\rSample Size\rOriginal Size\r"
    L"Contains\rProtected";

namespace {

struct NamedLayout {
  const wchar_t* name;
  ColumnAlignment alignment;
  uint32_t width;
};

// Columns compared exactly by name; any other is left-aligned, 32 wide.
const NamedLayout kLayouts[] = {
    {L"Year", ColumnAlignment::Right, 14},          {L"Length", ColumnAlignment::Right, 14},
    {L"Track Number", ColumnAlignment::Right, 14},  {L"Sample Rate", ColumnAlignment::Right, 14},
    {L"Sample Count", ColumnAlignment::Right, 14},  {L"Tempo", ColumnAlignment::Right, 14},
    {L"Play Count", ColumnAlignment::Right, 14},    {L"Disc Number", ColumnAlignment::Right, 14},
    {L"Original Size", ColumnAlignment::Right, 14}, {L"Rating", ColumnAlignment::Right, 14},
    {L"Track Gain", ColumnAlignment::Right, 14},    {L"Track Peak", ColumnAlignment::Right, 14},
    {L"Album Gain", ColumnAlignment::Right, 14},    {L"Album Peak", ColumnAlignment::Right, 14},
    {L"Channels", ColumnAlignment::Left, 14},       {L"Sample Size", ColumnAlignment::Left, 14},
    {L"Gapless", ColumnAlignment::Left, 14},        {L"Audio Quality", ColumnAlignment::Left, 20},
    {L"Bit Rate", ColumnAlignment::Left, 20},       {L"Genre", ColumnAlignment::Left, 20},
};

struct KeyRename {
  const wchar_t* title;
  const wchar_t* key;
};

const KeyRename kKeyRenames[] = {
    {L" Track Number", L" Track"},
    {L" Disc Number", L" Disc"},
    {L" Play Count", L" PlayCount"},
    {L" Track Gain", L" replaygain_track_gain"},
    {L" Track Peak", L" replaygain_track_peak"},
    {L" Album Gain", L" replaygain_album_gain"},
    {L" Album Peak", L" replaygain_album_peak"},
};

}  // namespace

uint32_t ColumnPropertyId(const std::wstring& name) {
  uint32_t sum = 0;
  for (size_t i = 0; i < name.size(); ++i) sum += uint32_t(i + 1) * uint32_t(uint16_t(name[i]));
  return (uint32_t(name.size() % 256) << 24) | (sum & 0xFFFFFFu);
}

ColumnDescription DescribeColumn(const std::wstring& name) {
  ColumnDescription column;
  column.name = name;
  column.propertyId = ColumnPropertyId(name);
  for (const NamedLayout& layout : kLayouts) {
    if (name == layout.name) {
      column.alignment = layout.alignment;
      column.widthChars = layout.width;
      break;
    }
  }
  column.title = (L" " + name).substr(0, kMaxColumnTitleChars);
  column.description = std::wstring(kColumnDescription).substr(0, kMaxColumnDescriptionChars);
  return column;
}

std::vector<std::wstring> ColumnNames(const std::wstring& columnsAllowed) {
  // The pop-up lists' rule: "[Empty]" is an empty name, an empty piece ends the list.
  std::vector<std::wstring> names =
      SplitPopupList(columnsAllowed.empty() ? std::wstring(kDefaultColumnsAllowed) : columnsAllowed);
  for (std::wstring& name : names) {
    if (name.find(kUserColumnMark) != std::wstring::npos) name.erase(0, 5);
  }
  return names;
}

std::vector<ColumnDescription> BuildColumnTable(const std::wstring& columnsAllowed) {
  std::vector<ColumnDescription> table;
  for (const std::wstring& name : ColumnNames(columnsAllowed)) {
    if (table.size() >= kMaxColumns) break;
    table.push_back(DescribeColumn(name));
  }
  return table;
}

std::wstring ColumnValueKey(const std::wstring& title) {
  for (const KeyRename& rename : kKeyRenames)
    if (title == rename.title) return rename.key;
  return title;
}

}  // namespace tv
