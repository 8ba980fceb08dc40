#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "TvTagTransfer.h"
#include "clCommandLine.h"
#include "clTagList.h"

namespace {

using Pairs = std::vector<std::pair<std::wstring, std::wstring>>;

Pairs PairsOf(const clTagList& list) {
  Pairs out;
  for (const auto& e : list.Elements()) out.emplace_back(e.name, e.value);
  return out;
}

std::vector<std::uint8_t> SourceBlock(const Pairs& tags) {
  clTagList list;
  for (const auto& t : tags) list.Add(t.first, t.second);
  return list.Save();
}

Pairs Build(const std::wstring& commandText, const Pairs& sourceTags) {
  clCommandLine options;
  options.Parse(commandText);
  const std::vector<std::uint8_t> block = SourceBlock(sourceTags);
  clConversionTags tags;
  tags.Build(options, sourceTags.empty() ? nullptr : block.data(), sourceTags.empty() ? 0 : std::int64_t(block.size()));
  // The block is the saved list.
  clTagList reloaded;
  EXPECT_TRUE(reloaded.Load(tags.BlockData(), tags.BlockSize()));
  EXPECT_EQ(PairsOf(reloaded), PairsOf(tags.List()));
  return PairsOf(tags.List());
}

struct Case {
  const char* what;
  std::wstring command;
  Pairs source;
  Pairs expected;
};

TEST(ConversionTags, OptionsAndSourceTags) {
  const Case cases[] = {
      {"an option overrides the source", L"-tag \"ARTIST=B\"", {{L"ARTIST", L"A"}}, {{L"ARTIST", L"B"}}},
      {"repeated option names give repeated elements", L"-tag \"ARTIST=A\" -tag \"artist=B\"", {},
       {{L"ARTIST", L"A"}, {L"artist", L"B"}}},
      {"a value starting with = is ignored", L"-tag \"=x\" -tag \"TITLE=t\"", {}, {{L"TITLE", L"t"}}},
      {"an option without = is ignored", L"-tag \"TITLE\"", {}, {}},
      {"an empty value is kept", L"-tag \"COMMENT=\"", {}, {{L"COMMENT", L""}}},
      {"the value keeps further = signs", L"-tag \"NOTE=a=b\"", {}, {{L"NOTE", L"a=b"}}},
      {"{qt} is a double quote", L"-tag \"TITLE={qt}Hey{qt} Jude\"", {}, {{L"TITLE", L"\"Hey\" Jude"}}},
      {"option names ignore case", L"-TAG \"A=1\" --Tag=\"B=2\"", {}, {{L"A", L"1"}, {L"B", L"2"}}},
      {"other options are not tags", L"-tags \"A=1\" -tagx \"B=2\" -dest \"C=3\"", {}, {}},
      {"source tags follow the options in their order", L"-tag \"TITLE=t\"",
       {{L"ALBUM", L"al"}, {L"title", L"old"}, {L"YEAR", L"1999"}},
       {{L"TITLE", L"t"}, {L"ALBUM", L"al"}, {L"YEAR", L"1999"}}},
      {"of several source elements of one name only the first is merged", L"",
       {{L"GENRE", L"Rock"}, {L"GENRE", L"Pop"}}, {{L"GENRE", L"Rock"}}},
      {"ReplayGain values of the source never pass", L"",
       {{L"replaygain_track_gain", L"-6 dB"}, {L"REPLAYGAIN_TRACK_PEAK", L"0.9"}, {L"replaygain_album_gain", L"-5 dB"},
        {L"replaygain_album_peak", L"1.0"}, {L"ARTIST", L"A"}},
       {{L"ARTIST", L"A"}}},
      {"two ReplayGain options of one name leave the second", L"-tag \"replaygain_track_gain=1\" -tag \"replaygain_track_gain=2\"",
       {}, {{L"replaygain_track_gain", L"2"}}},
  };
  for (const Case& c : cases) EXPECT_EQ(Build(c.command, c.source), c.expected) << c.what;
}

TEST(ConversionTags, HiddenSourceElementsKeepTheirData) {
  clTagList source;
  source.Add(L"_albumart_1_Cover", L"image/png", "\x89PNG", 4);
  const std::vector<std::uint8_t> block = source.Save();
  clCommandLine options;
  clConversionTags tags;
  tags.Build(options, block.data(), std::int64_t(block.size()));
  ASSERT_EQ(tags.List().Count(), 1u);
  EXPECT_EQ(tags.List().At(0).data, (std::vector<std::uint8_t>{0x89, 'P', 'N', 'G'}));
}

TEST(ConversionTags, MalformedSourceBlockCountsUpToItsFirstMalformedElement) {
  std::vector<std::uint8_t> block = SourceBlock({{L"ARTIST", L"A"}, {L"TITLE", L"T"}});
  block[0] = 5;           // the count claims five elements
  block.resize(block.size() - 3);  // and the second is cut
  clCommandLine options;
  options.Parse(L"-tag \"YEAR=2001\"");
  clConversionTags tags;
  tags.Build(options, block.data(), std::int64_t(block.size()));
  EXPECT_EQ(PairsOf(tags.List()), (Pairs{{L"YEAR", L"2001"}, {L"ARTIST", L"A"}}));
}

TEST(ConversionTags, NoTagsAtAllStillGiveABlock) {
  clCommandLine options;
  clConversionTags tags;
  tags.Build(options, nullptr, 0);
  EXPECT_EQ(tags.BlockSize(), 4);  // a count of zero
  EXPECT_NE(tags.BlockData(), nullptr);
}

TEST(ConversionTags, BuildStartsAfresh) {
  clCommandLine options;
  options.Parse(L"-tag \"A=1\"");
  clConversionTags tags;
  tags.Build(options, nullptr, 0);
  tags.Build(options, nullptr, 0);
  EXPECT_EQ(tags.List().Count(), 1u);
}

}  // namespace
