#include <gtest/gtest.h>

#include "Genres.h"
#include "Id3Tag.h"
#include "InfoChunk.h"
#include "RiffReader.h"
#include "RiffWriter.h"
#include "WaveFixtures.h"
#include "TagPrinting.h"
#include "WaveTags.h"

using namespace tvw;

TEST(InfoChunk, RoundTripsTextsAsUtf8AndReadsLatin1) {
  std::vector<InfoItem> items = {{"INAM", u"Caf\u00e9 \u266b"}, {"IART", u"Someone"}, {"ISFT", u"Tool 1.0"}};
  Bytes body = buildInfoList(items);
  EXPECT_EQ(body.size() % 2, 0u);
  std::vector<InfoItem> back = parseInfoList(body);
  ASSERT_EQ(back.size(), 3u);
  EXPECT_EQ(back[0].text, items[0].text);
  EXPECT_EQ(back[2].id, "ISFT");

  Bytes latin = {'I', 'N', 'F', 'O', 'I', 'C', 'M', 'T', 4, 0, 0, 0, 'a', 0xE9, 0, 0};
  back = parseInfoList(latin);
  ASSERT_EQ(back.size(), 1u);
  EXPECT_EQ(back[0].text, u"a\u00e9");
}

TEST(InfoChunk, MapsTagNamesAndJoinsRepeatedValues) {
  TagList tags = {{u"title", u"T", {}}, {u"Artist", u"A", {}}, {u"Artist", u"B", {}}, {u"Mood", u"calm", {}},
                  {u"Year", u"1999", {}}, {u"Track", u"3/12", {}}};
  std::vector<InfoItem> items = infoItemsForTags(tags, {{"ISFT", u"Recorder"}, {"INAM", u"Old"}});
  ASSERT_EQ(items.size(), 5u);
  EXPECT_EQ(items[0].id, "ISFT");  // unmapped ids are kept
  EXPECT_EQ(items[1].id, "INAM");
  EXPECT_EQ(items[1].text, u"T");
  EXPECT_EQ(items[2].text, u"A; B");
  EXPECT_EQ(items[3].id, "ICRD");
  EXPECT_EQ(items[4].id, "ITRK");
}

TEST(Id3Tag, RoundTripsEveryKindOfElement) {
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 1, 2, 3};
  Bytes jpeg = {0xFF, 0xD8, 0xFF, 0xE0, 9, 9};
  TagList tags = {{u"Title", u"Song \u266b", {}},
                  {u"Artist", u"First", {}},
                  {u"Artist", u"Second", {}},
                  {u"Album", u"Record", {}},
                  {u"Year", u"2004", {}},
                  {u"Track", u"7/12", {}},
                  {u"Genre", u"Jazz", {}},
                  {u"Comment", u"line one\rline two", {}},
                  {u"Album Artist", u"Band Name", {}},
                  {u"My Own Field", u"value", {}},
                  {u"rating", u"7", {}},
                  {u"_cdtoc", u"1+96+2000", {}},
                  {u"_albumart_1_Front Album Cover", u"", png},
                  {u"_albumart_2_Back Album Cover", u"", jpeg},
                  {u"_albumart_3", u"", png},
                  {u"_albumart_4_My Picture", u"", jpeg},
                  {u"_riff_blob", u"", {0, 1, 2, 0xFF}}};
  Bytes id3 = buildId3(tags, {});
  ASSERT_GE(id3.size(), 10u);
  EXPECT_EQ(std::string(id3.begin(), id3.begin() + 4), std::string("ID3\x04", 4));
  Id3Contents back = parseId3(id3.data(), id3.size());
  EXPECT_EQ(back.version, 4);
  // Binary elements come back after the texts they were written among; compare as sets by kind.
  TagList texts, others;
  for (const auto& t : back.tags) (t.data.empty() ? texts : others).push_back(t);
  TagList wantTexts(tags.begin(), tags.begin() + 12);
  TagList wantOthers(tags.begin() + 12, tags.end());
  EXPECT_EQ(texts, wantTexts);
  EXPECT_EQ(others, wantOthers);
  EXPECT_TRUE(back.unknown.empty());
}

TEST(Id3Tag, StandardFramesCarryTheStandardTags) {
  Bytes id3 = buildId3({{u"Title", u"T", {}}, {u"Artist", u"A", {}}, {u"Album", u"L", {}}, {u"Year", u"1990", {}},
                        {u"Track", u"1", {}}, {u"Genre", u"Pop", {}}, {u"Comment", u"C", {}}, {u"X", u"Y", {}}},
                       {});
  std::string s(id3.begin(), id3.end());
  for (const char* id : {"TIT2", "TPE1", "TALB", "TDRC", "TRCK", "TCON", "COMM", "TXXX"})
    EXPECT_NE(s.find(id), std::string::npos) << id;
}

namespace {
// A version 2.3 frame with a plain 32-bit size.
void frame23(Bytes& b, const char* id, const Bytes& payload) {
  wavetest::addId(b, id);
  for (int i = 3; i >= 0; --i) b.push_back(std::uint8_t(payload.size() >> (8 * i)));
  b.push_back(0);
  b.push_back(0);
  b.insert(b.end(), payload.begin(), payload.end());
}
Bytes utf16Text(const std::u16string& s) {
  Bytes b = {1, 0xFF, 0xFE};
  for (char16_t c : s) wavetest::add16(b, c);
  return b;
}
Bytes tag23(const Bytes& frames, std::uint8_t flags = 0) {
  Bytes b = {'I', 'D', '3', 3, 0, flags};
  std::size_t n = frames.size() + 16;  // with padding
  for (int i = 3; i >= 0; --i) b.push_back(std::uint8_t((n >> (7 * i)) & 0x7F));
  b.insert(b.end(), frames.begin(), frames.end());
  b.resize(b.size() + 16, 0);
  return b;
}
}  // namespace

TEST(Id3Tag, ReadsVersion23AsOtherTaggersWriteIt) {
  Bytes frames;
  frame23(frames, "TIT2", utf16Text(u"Titl\u00e9"));
  frame23(frames, "TYER", Bytes{0, '2', '0', '0', '1'});
  Bytes comm = {0, 'e', 'n', 'g', 0};
  wavetest::addText(comm, "nice");
  frame23(frames, "COMM", comm);
  Bytes apic = {0};
  wavetest::addText(apic, "image/jpeg");
  apic.push_back(0);
  apic.push_back(3);
  apic.push_back(0);
  apic.insert(apic.end(), {0xFF, 0xD8, 0xFF, 1});
  frame23(frames, "APIC", apic);
  Bytes priv;
  wavetest::addText(priv, "owner");
  priv.push_back(0);
  priv.push_back(42);
  frame23(frames, "PRIV", priv);
  Bytes tag = tag23(frames);
  Id3Contents c = parseId3(tag.data(), tag.size());
  EXPECT_EQ(c.version, 3);
  TagList want = {{u"Title", u"Titl\u00e9", {}},
                  {u"Year", u"2001", {}},
                  {u"Comment", u"nice", {}},
                  {u"_albumart_1_Front Album Cover", u"", {0xFF, 0xD8, 0xFF, 1}}};
  EXPECT_EQ(c.tags, want);
  ASSERT_EQ(c.unknown.size(), 1u);  // kept for rewriting
  EXPECT_EQ(c.unknown[0].id, "PRIV");
}

TEST(Id3Tag, UndoesVersion23Unsynchronisation) {
  Bytes frames;
  frame23(frames, "TIT2", Bytes{0, 'a', 0xFF, 'b'});
  frames.insert(frames.begin() + 10 + 3, 0);  // the zero an unsynchronising writer stuffs after 0xFF
  Bytes tag = tag23(frames, 0x80);
  Id3Contents c = parseId3(tag.data(), tag.size());
  EXPECT_EQ(c.tags, (TagList{{u"Title", u"a\u00ffb", {}}}));
}

TEST(Id3Tag, DamagedTagsNeverReadOutside) {
  Bytes good = buildId3({{u"Title", u"Song", {}}, {u"_albumart_1", u"", {1, 2, 3}}, {u"Comment", u"x", {}}}, {});
  for (std::size_t n = 0; n <= good.size(); ++n) {
    Bytes cut(good.begin(), good.begin() + std::ptrdiff_t(n));
    parseId3(cut.data(), cut.size());
  }
  for (std::size_t i = 0; i < good.size(); ++i)
    for (std::uint8_t x : {std::uint8_t(0xFF), std::uint8_t(0x7F), std::uint8_t(0x01)}) {
      Bytes bad = good;
      bad[i] ^= x;
      parseId3(bad.data(), bad.size());
    }
  SUCCEED();
}

TEST(WaveTags, Id3ListFirstThenInfoFieldsItLacks) {
  Bytes info = buildInfoList({{"INAM", u"Info Title"}, {"IGNR", u"Rock"}, {"ISFT", u"Recorder 2"}});
  Bytes id3 = buildId3({{u"Title", u"Id3 Title", {}}, {u"Artist", u"A", {}}}, {});
  Bytes file = wavetest::riffFile(
      {{"fmt ", wavetest::fmtBody(1, 2, 44100, 16)}, {"LIST", info}, {"data", Bytes(40)}, {"id3 ", id3}});
  MemorySource src(file);
  WaveLayout layout;
  std::string error;
  ASSERT_TRUE(parseWave(src, layout, error)) << error;
  WaveMetadata m = readWaveMetadata(src, layout);
  TagList want = {{u"Title", u"Id3 Title", {}}, {u"Artist", u"A", {}}, {u"Genre", u"Rock", {}}};
  EXPECT_EQ(m.tags, want);
  EXPECT_EQ(m.software, u"Recorder 2");
  TagList props = waveProperties(layout, m);
  ASSERT_GE(props.size(), 2u);
  EXPECT_EQ(props[0].name, u"Audio Quality");
  EXPECT_EQ(props[1].value, u"Recorder 2");
}

TEST(WaveTags, NameListsSplitAtZeros) {
  const char16_t names[] = u"Title\0Comment\0\0";
  EXPECT_EQ(splitNameList(names), (std::vector<std::u16string>{u"Title", u"Comment"}));
  EXPECT_TRUE(splitNameList(nullptr).empty());
}

TEST(Id3Tag, NumericGenresOfOlderTagsReadAsNames) {
  struct Case {
    const char16_t* in;
    const char16_t* out;
  };
  const Case cases[] = {{u"(17)", u"Rock"},       {u"17", u"Rock"},          {u"(0)", u"Blues"},
                        {u"(125)", u"Dance Hall"}, {u"(67)", u"Psychadelic"}, {u"(17)Hard Rock", u"Hard Rock"},
                        {u"(RX)", u"Remix"},      {u"(CR)", u"Cover"},       {u"(200)", u"(200)"},
                        {u"Shoegaze", u"Shoegaze"}, {u"", u""},              {u"1999", u"1999"}};
  for (const auto& c : cases) EXPECT_EQ(resolveGenre(c.in), std::u16string(c.out)) << toUtf8(c.in);
  Bytes frames;
  frame23(frames, "TCON", Bytes{0, '(', '8', ')'});
  Bytes tag = tag23(frames);
  EXPECT_EQ(parseId3(tag.data(), tag.size()).tags, (TagList{{u"Genre", u"Jazz", {}}}));
}
