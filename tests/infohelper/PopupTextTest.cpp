// The pop-up text's content and layout, composed from facts as a decoder
// would give them, with a labeler that shows each label plainly.
#include <gtest/gtest.h>

#include "TvPopupLabel.h"
#include "TvPopupText.h"

using namespace tv;

namespace {

// "[name]" instead of the padded column, so expected texts read plainly.
class BracketLabeler : public clPopupLabeler {
 public:
  std::wstring PopupLabel(const std::wstring& name) override { return L"[" + name + L"]"; }
};

RegionalSettings Regional() {
  RegionalSettings r;
  r.thousandSeparator = L",";
  return r;
}

clTagElement Tag(const std::wstring& name, const std::wstring& value) { return clTagElement{name, value, {}}; }

// A compressed file: 4 000 000 bytes from 40 000 000 bytes of audio (10 to 1).
PopupFacts CompressedFile() {
  PopupFacts f;
  f.path = L"C:\\Music\\song.tvt";
  f.typeText = L"tvt File";
  f.opened = true;
  f.channels = 2;
  f.sampleRate = 44100;
  f.bitsPerSample = 16;
  f.averageBytesPerSecond = 40000;
  f.bitRate = 128000;
  f.lengthMs = 1000000;
  f.fileSize = 4000000;
  f.properties = {Tag(L"Sample Rate", L"44100"), Tag(L"Channels", L"2"), Tag(L"Encoder", L"x"),
                  Tag(L"Protected", L"No"), Tag(L"_hidden", L"h")};
  f.defaultElements = {L"Sample Rate", L"Channels"};
  f.tags = {Tag(L"Zebra", L"z"), Tag(L"Title", L"T"), Tag(L"replaygain_album_gain", L"-3 dB"), Tag(L"ARTIST", L"A"),
            Tag(L"Comment", L"c"), Tag(L"_albumart_front", L"")};
  return f;
}

// The same file with no decoder elements, for tests about tags.
PopupFacts TagsOnly() {
  PopupFacts f = CompressedFile();
  f.properties.clear();
  return f;
}

std::wstring Compose(const PopupFacts& facts, const std::wstring& allowed = L"", const std::wstring& exclude = L"",
                     uint32_t maxLen = 0) {
  BracketLabeler labeler;
  return ComposePopupText(facts, MakePopupSettings(maxLen, allowed, exclude), UnitSettings(), Regional(), labeler);
}

const std::wstring kProductLine = L"______________________\r          Tonvera";

}  // namespace

TEST(PopupText, DefaultLayoutOfACompressedFile) {
  const PopupFacts f = CompressedFile();
  const RegionalSettings r = Regional();
  const UnitSettings u;
  std::wstring expected = L"[Type]tvt File    [.tvt]\r";
  expected += L"[Size]" + FileSizeText(4000000, UnitPlace::Popup, u, r) +
              L"  (10% of original, 10 to 1 compression)\r";
  expected += L"\r";
  expected += L"[Length]" + LengthText(1000000, UnitPlace::Popup, u, r) + L"\r";
  expected += L"[Channels]2  (stereo)\r";
  expected += L"[Sample Rate]44.1 KHz\r";
  expected += L"[Sample Size]16 bit\r";
  expected += L"[Bit Rate]128 kbps\r";
  expected += L"\r[Sample Rate]44100\r[Channels]2\r[Protected]No\r";
  expected += L"\r[ARTIST]A\r[Title]T\r[Comment]c\r[Album Gain]-3 dB\r[Zebra]z\r";
  expected += kProductLine;
  EXPECT_EQ(expected, Compose(f));
}

TEST(PopupText, FailedOpenKeepsOnlyFileLinesAndProductLine) {
  PopupFacts f = CompressedFile();
  f.opened = false;
  EXPECT_EQ(L"[File]song\r[Location]C:\\Music\\\r[Type]tvt File    [.tvt]\r" + kProductLine,
            Compose(f, L"File\rLocation\rType\rSize\rLength"));
}

TEST(PopupText, FloatingPointSampleSizeAndOriginalSize) {
  PopupFacts f = CompressedFile();
  f.floatingPoint = true;
  f.bitsPerSample = 32;
  std::wstring text = Compose(f, L"Original Size\rSample Size");
  EXPECT_NE(std::wstring::npos,
            text.find(L"[Original Size]" + FileSizeText(40000000, UnitPlace::Popup, UnitSettings(), Regional()) + L"\r"
                      L"\r[Sample Size]32 bit floating point\r"));
}

struct FilterCase {
  const char* what;
  const wchar_t* allowed;
  const wchar_t* exclude;
  std::vector<std::wstring> present;
  std::vector<std::wstring> absent;
};

class PopupFilter : public testing::TestWithParam<FilterCase> {};

TEST_P(PopupFilter, ShowsAndHidesItsLines) {
  const FilterCase& c = GetParam();
  std::wstring text = Compose(CompressedFile(), c.allowed, c.exclude);
  for (const std::wstring& p : c.present) EXPECT_NE(std::wstring::npos, text.find(p)) << c.what << ": " << p.c_str();
  for (const std::wstring& a : c.absent) EXPECT_EQ(std::wstring::npos, text.find(a)) << c.what << ": " << a.c_str();
}

INSTANTIATE_TEST_SUITE_P(
    Items, PopupFilter,
    testing::Values(
        FilterCase{"file line", L"File", L"", {L"[File]song\r"}, {L"[Type]", L"[Size]"}},
        FilterCase{"location line", L"Location", L"", {L"[Location]C:\\Music\\\r"}, {L"[File]"}},
        FilterCase{"no property line allowed", L"Protected", L"", {L"\r[Sample Rate]44100\r"}, {L"[Length]", L"KHz"}},
        FilterCase{"default elements excluded",
                   L"Protected",
                   L"EXCLUDE_ALL_SPECIFIC",
                   {L"[Protected]No\r"},
                   {L"[Sample Rate]44100", L"[Channels]2\r"}},
        FilterCase{"element excluded by name", L"Length", L"Channels", {L"\r[Sample Rate]44100\r"}, {L"[Channels]2\r"}},
        FilterCase{"element allowed by name wins over its exclusion",
                   L"Channels",
                   L"Channels\rEXCLUDE_ALL_SPECIFIC",
                   {L"[Channels]2  (stereo)\r", L"\r[Channels]2\r"},
                   {L"[Sample Rate]44100"}},
        FilterCase{"extended elements included despite exclusion",
                   L"INCLUDE_ALL_EXTEND",
                   L"Encoder\rEXCLUDE_ALL_SPECIFIC",
                   {L"[Encoder]x\r", L"[Protected]No\r"},
                   {L"[Sample Rate]44100", L"[_hidden]"}},
        FilterCase{"hidden element allowed by name stays hidden", L"_hidden", L"", {}, {L"[_hidden]"}},
        FilterCase{"no tags at all",
                   L"_IDTAG_INC_Zebra",
                   L"EXCLUDE_ALL_TAGS",
                   {L"[Channels]2\r" + kProductLine},
                   {L"[ARTIST]", L"[Zebra]"}},
        FilterCase{"standard tags only", L"", L"EXCLUDE_TAGS_NONSTANDARD", {L"[ARTIST]A\r"}, {L"[Zebra]", L"[Album Gain]"}},
        FilterCase{"included tag despite standard-only",
                   L"_IDTAG_INC_zebra",
                   L"EXCLUDE_TAGS_NONSTANDARD",
                   {L"[Comment]c\r[Zebra]z\r"},
                   {L"[Album Gain]"}},
        FilterCase{"tag hidden by name", L"", L"_IDTAG_EX_artist", {L"\r[Title]T\r"}, {L"[ARTIST]"}},
        FilterCase{"no product line", L"", L"EXCLUDE_Tv", {L"[Zebra]z\r"}, {L"Tonvera", L"____"}},
        FilterCase{"list ends at an empty piece", L"File\r\rType", L"", {L"[File]"}, {L"[Type]"}},
        FilterCase{"items are case-sensitive", L"file\rTYPE", L"", {}, {L"[File]", L"[Type]"}}),
    [](const testing::TestParamInfo<FilterCase>& info) { return "case" + std::to_string(info.index); });

TEST(PopupText, EightyCharacterFileNameIsCutInTheMiddle) {
  PopupFacts f = TagsOnly();
  f.tags.clear();
  std::wstring name;
  for (int i = 0; i < 80; ++i) name += wchar_t(L'A' + i % 26);
  f.path = L"C:\\Music\\" + name + L".tvt";
  std::wstring text = Compose(f, L"File");
  std::wstring shown = name.substr(0, 26) + L"..." + name.substr(80 - 29);
  EXPECT_EQ(L"[File]" + shown + L"\r\r" + kProductLine, text);
  EXPECT_EQ(58u, shown.size());
}

TEST(PopupText, MaximumLengthBelowThirtyActsAsSixty) {
  EXPECT_EQ(60, EffectivePopupMaxLength(0));
  EXPECT_EQ(60, EffectivePopupMaxLength(10));
  EXPECT_EQ(60, EffectivePopupMaxLength(29));
  EXPECT_EQ(30, EffectivePopupMaxLength(30));
  EXPECT_EQ(200, EffectivePopupMaxLength(200));

  PopupFacts f = CompressedFile();
  f.path = L"C:\\" + std::wstring(40, L'n') + L".tvt";
  EXPECT_NE(std::wstring::npos, Compose(f, L"File", L"", 10).find(std::wstring(40, L'n')));
  EXPECT_NE(std::wstring::npos, Compose(f, L"File", L"", 30).find(L"..."));  // 25 characters at most
}

TEST(PopupText, ThreeLineCommentHasContinuationLabels) {
  PopupFacts f = TagsOnly();
  f.tags = {Tag(L"Comment", L"first\r\nsecond\rthird")};
  EXPECT_EQ(L"\r[Comment]first\r[ ]second\r[ ]third\r" + kProductLine, Compose(f, L"x"));
}

TEST(PopupText, LongTagLinesAreShortenedByTheNameLength) {
  PopupFacts f = TagsOnly();
  f.tags = {Tag(L"Lyrics", std::wstring(100, L'a') + L"\r" + std::wstring(20, L'b'))};
  // 60 - (6 + 1) = 53 characters: 25 + "..." + 28.
  std::wstring line = std::wstring(25, L'a') + L"..." + std::wstring(28, L'a');
  EXPECT_EQ(L"\r[Lyrics]" + line + L"\r[ ]" + std::wstring(20, L'b') + L"\r" + kProductLine, Compose(f, L"x"));
}

TEST(PopupText, TagNameAsLongAsTheLineKeepsTenValueCharacters) {
  PopupFacts f = TagsOnly();
  f.tags = {Tag(std::wstring(70, L'N'), std::wstring(30, L'v'))};
  std::wstring text = Compose(f, L"x");
  EXPECT_NE(std::wstring::npos, text.find(L"]vvvv...vvvvvv\r")) << std::string(text.begin(), text.end());
}

TEST(PopupText, RatingBinaryAndEmptyValues) {
  PopupFacts f = TagsOnly();
  f.tags = {Tag(L"RATING", L"7"), Tag(L"Picture", L"")};
  f.tags[1].data.assign(1234, 0x55);
  f.tags.push_back(Tag(L"Year", L""));
  EXPECT_EQ(L"\r[Year]\r[Picture][binary data: 1234 bytes]\r[RATING]3.5\r" + kProductLine, Compose(f, L"x"));

  f.tags = {Tag(L"rating", L"0")};
  EXPECT_EQ(L"\r[rating]0\r" + kProductLine, Compose(f, L"x"));
}

TEST(PopupText, ReplayGainNamesAreReadableAndSortedAmongOthers) {
  PopupFacts f = TagsOnly();
  f.tags = {Tag(L"zz", L"1"), Tag(L"REPLAYGAIN_TRACK_PEAK", L"0.9"), Tag(L"replaygain_track_gain", L"-1 dB"),
            Tag(L"replaygain_track_gain", L"second"), Tag(L"Band", L"b"), Tag(L"band", L"dup")};
  EXPECT_EQ(L"\r[Band]b\r[replaygain_track_gain]second\r[Track Gain]-1 dB\r[Track Peak]0.9\r[zz]1\r" + kProductLine,
            Compose(f, L"x"));
}

TEST(PopupText, VeryManyTagLinesAreCutAtALineEnd) {
  PopupFacts f = TagsOnly();
  std::wstring many;
  for (int i = 0; i < 20000; ++i) many += L"line\r";
  f.tags = {Tag(L"Comment", many)};
  std::wstring text = Compose(f, L"x");
  ASSERT_GT(text.size(), kProductLine.size());
  EXPECT_LE(text.size(), kMaxPopupBodyChars + kProductLine.size());
  EXPECT_EQ(L'\r', text[text.size() - kProductLine.size() - 1]);
}

TEST(ShortenMiddleTest, Table) {
  struct Case {
    std::wstring text;
    int maximum;
    std::wstring ellipsis;
    std::wstring expected;
  } cases[] = {
      {L"short", 10, L"...", L"short"},
      {L"exactly10!", 10, L"...", L"exactly10!"},
      {L"abcdefghijk", 10, L"...", L"abcd...fghijk"},  // h = 5: 4 + ... + 6
      {L"C:\\a\\b\\c\\d\\", 6, L"\\...\\", L"C:\\...\\c\\d\\"},
      {L"abc", 1, L"...", L"...c"},
      {L"abc", 0, L"...", L"..."},
      {L"abc", -5, L"...", L"..."},
      {L"", -1, L"...", L"..."},
  };
  for (const Case& c : cases) EXPECT_EQ(c.expected, ShortenMiddle(c.text, c.maximum, c.ellipsis));
}

TEST(PopupListTest, SplitsAtCarriageReturnsUntilAnEmptyPiece) {
  EXPECT_EQ((std::vector<std::wstring>{L"a", L"", L"b"}), SplitPopupList(L"a\r[Empty]\rb"));
  EXPECT_EQ((std::vector<std::wstring>{L"a"}), SplitPopupList(L"a\r\rb"));
  EXPECT_TRUE(SplitPopupList(L"\ra").empty());
  EXPECT_TRUE(SplitPopupList(L"").empty());
  EXPECT_EQ((std::vector<std::wstring>{L"a"}), SplitPopupList(L"a\r"));
  PopupSettings defaults = MakePopupSettings(0, L"", L"");
  EXPECT_EQ(8u, defaults.allowed.size());
  EXPECT_EQ(L"Protected", defaults.allowed.back());
  EXPECT_TRUE(defaults.exclude.empty());
}

TEST(FileTypeFallback, LowerCaseExtensionAndFile) {
  EXPECT_EQ(L"flac File", UnregisteredTypeText(L".FLAC"));
  EXPECT_EQ(L"File", UnregisteredTypeText(L"."));
  EXPECT_EQ(L"File", UnregisteredTypeText(L""));
}

namespace {

// Each character is 7 pixels wide, a space 3.
class FixedWidth : public clTextWidth {
 public:
  bool fail = false;
  bool Measure(const std::wstring& text, int* pixels) override {
    if (fail) return false;
    int w = 0;
    for (wchar_t c : text) w += c == L' ' ? 3 : 7;
    *pixels = w;
    return true;
  }
};

}  // namespace

TEST(PopupLabelTest, PadsWithSpacesPastTheColumnThenATab) {
  FixedWidth width;
  // "Size : " = 4*7 + 3 + 7 + 3 = 41 pixels; spaces to pass 85: 15 more (86).
  EXPECT_EQ(L"Size : " + std::wstring(15, L' ') + L"\t", PadPopupLabel(L"Size", width, 85));
  // The continuation label is four spaces (12 pixels): 25 more spaces reach 87.
  EXPECT_EQ(std::wstring(4 + 25, L' ') + L"\t", PadPopupLabel(L" ", width, 85));
  // Exactly the column width still gets one space.
  EXPECT_EQ(L"Size :  \t", PadPopupLabel(L"Size", width, 41));
}

TEST(PopupLabelTest, WideLabelGetsNeitherSpacesNorTab) {
  FixedWidth width;
  std::wstring name(30, L'W');
  EXPECT_EQ(name + L" : ", PadPopupLabel(name, width, 85));
}

TEST(PopupLabelTest, UnmeasurableLabelsArePaddedByCharacterCount) {
  FixedWidth width;
  width.fail = true;
  // 6 pixels a character: "Size : " is 7 characters (42), padded to 15 characters (90 > 85).
  EXPECT_EQ(L"Size : " + std::wstring(8, L' ') + L"\t", PadPopupLabel(L"Size", width, 85));
  clCharCountWidth estimate;
  EXPECT_EQ(PadPopupLabel(L"Size", estimate, 85), PadPopupLabel(L"Size", width, 85));
}
