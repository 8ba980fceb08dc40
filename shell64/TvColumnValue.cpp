#include "TvColumnValue.h"

#include "TvAudioUnits.h"
#include "TvString.h"

namespace tv {

namespace {

// The tag's text; empty when the tag is missing or empty.
std::wstring TagText(const FileInfo& info, const wchar_t* name) {
  const clTagElement* tag = info.tags.Find(name);
  return tag ? tag->value : std::wstring();
}

// Appends the non-empty parts with " - " between them.
std::wstring JoinTags(const FileInfo& info, std::initializer_list<const wchar_t*> names) {
  std::wstring text;
  for (const wchar_t* name : names) {
    const std::wstring part = TagText(info, name);
    if (part.empty()) continue;  // an empty tag adds no dangling " - "
    if (!text.empty()) text += L" - ";
    text += part;
  }
  return text;
}

std::wstring FirstNamed(const clTagList& list, const std::wstring& key) {
  for (const clTagElement& element : list.Elements())
    if (!element.value.empty() && EqualsNoCase(L" " + element.name, key)) return element.value;
  return std::wstring();
}

std::wstring ComputedValue(const std::wstring& key, const FileInfo& info, const UnitSettings& units,
                           const RegionalSettings& regional, bool wideMarks) {
  const AudioFields audio = ReadAudioFields(info.audio);
  const int64_t original = OriginalSize(audio.averageBytesPerSecond, audio.lengthMs, audio.fileSize);
  if (key == L" Length") return LengthText(audio.lengthMs, UnitPlace::Column, units, regional);
  if (key == L" Channels") return ChannelsText(audio.channels, units);
  if (key == L" Bit Rate") return BitRateText(audio.bitRate, audio.channels, audio.sampleRate, units, regional);
  if (key == L" Sample Rate") return SampleRateText(audio.sampleRate, UnitPlace::Column, units, regional);
  if (key == L" Sample Size") return SampleSizeText(audio.bitsPerSample, false, UnitPlace::Column);
  if (key == L" Album - Track Number") return JoinTags(info, {L"ALBUM", L"TRACK"});
  if (key == L" Artist - Album - Track Number") return JoinTags(info, {L"ARTIST", L"ALBUM", L"TRACK"});
  if (key == L" Compression Ratio") return CompressionRatioText(original, audio.fileSize, regional) + L" to 1";
  if (key == L" % of Original") return PercentOfOriginalText(audio.fileSize, original) + L" %";
  if (key == L" Original Size") return FileSizeText(original, UnitPlace::Column, units, regional);
  if (key == L" Rating") {
    const clTagElement* rating = info.tags.Find(L"rating");
    return rating ? RatingStarsText(rating->value, wideMarks) : std::wstring();
  }
  return std::wstring();
}

}  // namespace

std::wstring ColumnValue(const std::wstring& key, const FileInfo& info, const UnitSettings& units,
                         const RegionalSettings& regional, bool wideMarks) {
  std::wstring value = ComputedValue(key, info, units, regional, wideMarks);
  if (value.empty()) value = FirstNamed(info.elements, key);
  if (value.empty()) value = FirstNamed(info.tags, key);
  return value;
}

}  // namespace tv
