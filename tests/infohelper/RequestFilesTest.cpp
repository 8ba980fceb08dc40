// The request and answer file forms, read and written without the platform.
#include <gtest/gtest.h>

#include <cstring>

#include "TvAudioInfoAnswer.h"
#include "TvInfoRequest.h"
#include "TvInfoRequestKind.h"

using namespace tv;

namespace {

std::vector<uint8_t> Utf16(const std::wstring& text) { return PathRequestBytes(text); }

std::vector<uint8_t> Concat(std::vector<uint8_t> a, const std::vector<uint8_t>& b) {
  a.insert(a.end(), b.begin(), b.end());
  return a;
}

}  // namespace

TEST(PathRequest, FirstLineIsThePath) {
  struct Case {
    std::vector<uint8_t> bytes;
    bool ok;
    std::wstring path;
  } cases[] = {
      {Utf16(L"C:\\a b\\x.wav"), true, L"C:\\a b\\x.wav"},
      {Utf16(L"C:\\x.wav\r\nsecond"), true, L"C:\\x.wav"},
      {Utf16(L"C:\\x.wav\rsecond"), true, L"C:\\x.wav"},
      {Utf16(L"C:\\x.wav\nsecond"), true, L"C:\\x.wav"},
      {Concat(Utf16(L"C:\\x.wav"), {0, 0, 'z', 0}), true, L"C:\\x.wav"},
      {Concat(Utf16(L"C:\\x.wav"), {'z'}), true, L"C:\\x.wav"},  // odd last byte
      {{}, false, L""},
      {{'C'}, false, L""},
      {Utf16(L"\r\nC:\\x.wav"), false, L""},
  };
  for (const Case& c : cases) {
    std::wstring path;
    EXPECT_EQ(c.ok, ParsePathRequest(c.bytes, path));
    EXPECT_EQ(c.path, path);
  }
}

TEST(PathRequest, LineLongerThanAnyPathIsRefused) {
  std::wstring longest(kMaxRequestPathChars, L'p');
  std::wstring path;
  EXPECT_TRUE(ParsePathRequest(Utf16(longest), path));
  EXPECT_EQ(longest, path);
  EXPECT_FALSE(ParsePathRequest(Utf16(longest + L"p"), path));
  EXPECT_TRUE(path.empty());
}

TEST(TempFRequest, ExactlyTwoHundredSixtyAnsiBytes) {
  std::string path;
  EXPECT_TRUE(ParseTempFRequest(TempFRequestBytes("C:\\x.wav"), path));
  EXPECT_EQ("C:\\x.wav", path);
  EXPECT_EQ(kTempFPathBytes, TempFRequestBytes("C:\\x.wav").size());

  std::vector<uint8_t> shortRequest = TempFRequestBytes("C:\\x.wav");
  shortRequest.resize(259);
  EXPECT_FALSE(ParseTempFRequest(shortRequest, path));

  std::vector<uint8_t> unterminated(300, 'a');
  EXPECT_TRUE(ParseTempFRequest(unterminated, path));
  EXPECT_EQ(std::string(260, 'a'), path);

  EXPECT_FALSE(ParseTempFRequest(std::vector<uint8_t>(260, 0), path));
}

TEST(DelTagRequestTest, NamesOrEverything) {
  DelTagRequest r;
  ASSERT_TRUE(ParseDelTagRequest(Utf16(L"C:\\x.wav\r\nARTIST{tag_sep}{tag_sep}Album"), r));
  EXPECT_EQ(L"C:\\x.wav", r.path);
  EXPECT_FALSE(r.all);
  EXPECT_EQ((std::vector<std::wstring>{L"ARTIST", L"", L"Album"}), r.names);
  EXPECT_EQ(std::wstring(L"ARTIST\0[Empty]\0Album\0\0", 22), TagNameList(r.names));

  ASSERT_TRUE(ParseDelTagRequest(Utf16(L"C:\\x.wav\n[tag_del_all]\r\n"), r));
  EXPECT_TRUE(r.all);
  EXPECT_TRUE(r.names.empty());

  DelTagRequest written;
  written.path = L"D:\\y.wav";
  written.names = {L"A", L"B"};
  ASSERT_TRUE(ParseDelTagRequest(DelTagRequestBytes(written), r));
  EXPECT_EQ(written.path, r.path);
  EXPECT_EQ(written.names, r.names);
}

TEST(DelTagRequestTest, BothLinesMustBePresent) {
  DelTagRequest r;
  EXPECT_FALSE(ParseDelTagRequest(Utf16(L"C:\\x.wav"), r));
  EXPECT_FALSE(ParseDelTagRequest(Utf16(L"C:\\x.wav\r\n"), r));
  EXPECT_FALSE(ParseDelTagRequest(Utf16(L"\r\nARTIST"), r));
  EXPECT_FALSE(ParseDelTagRequest({}, r));
}

TEST(SetTagsRequestTest, RoundTripAndMarker) {
  SetTagsRequest written;
  written.tagBlock = {1, 0, 0, 0, 9, 9, 9};
  written.path = L"C:\\x.wav";
  std::vector<uint8_t> bytes = SetTagsRequestBytes(written);
  ASSERT_EQ(4u + 7 + 4 + 16, bytes.size());
  EXPECT_EQ(0x33, bytes[11]);
  EXPECT_EQ(0x56, bytes[12]);
  EXPECT_EQ(0x94, bytes[13]);
  EXPECT_EQ(0x12, bytes[14]);
  SetTagsRequest r;
  ASSERT_TRUE(ParseSetTagsRequest(bytes, r));
  EXPECT_EQ(written.tagBlock, r.tagBlock);
  EXPECT_EQ(written.path, r.path);
}

TEST(SetTagsRequestTest, MalformedRequestsAreRefused) {
  SetTagsRequest written;
  written.tagBlock = {1, 2, 3};
  written.path = L"C:\\x.wav";
  const std::vector<uint8_t> good = SetTagsRequestBytes(written);
  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  auto changed = [&](size_t at, uint8_t value) {
    std::vector<uint8_t> b = good;
    b[at] = value;
    return b;
  };
  cases.push_back({"marker wrong by one", changed(4 + 3, 0x34)});
  cases.push_back({"count 0", changed(0, 0)});
  cases.push_back({"negative count", changed(3, 0x80)});
  cases.push_back({"count over ten million", {0x81, 0x96, 0x98, 0x00}});  // 10 000 001
  cases.push_back({"count larger than the file", changed(0, 200)});
  cases.push_back({"no path", std::vector<uint8_t>(good.begin(), good.begin() + 11)});
  cases.push_back({"empty path line", Concat(std::vector<uint8_t>(good.begin(), good.begin() + 11), {'\r', 0})});
  cases.push_back({"short", {3, 0}});
  for (const Case& c : cases) {
    SetTagsRequest r;
    EXPECT_FALSE(ParseSetTagsRequest(c.bytes, r)) << c.what;
    EXPECT_TRUE(r.tagBlock.empty()) << c.what;
  }
  EXPECT_TRUE(SetTagsRequestBytes(SetTagsRequest()).empty());
}

TEST(AudioInfoAnswerTest, ThreeMarkedBlocks) {
  AudioInfoAnswer a;
  a.tagBlock = {1, 2, 3};
  for (uint32_t i = 0; i < kAudioInfoRecordBytes; ++i) a.audio[i] = uint8_t(i);
  std::vector<uint8_t> bytes = WriteAudioInfoAnswer(a);
  ASSERT_EQ(8u + 3 + 8 + 8 + 68, bytes.size());
  EXPECT_EQ(0, std::memcmp(bytes.data(), "IDTG\x03\0\0\0", 8));
  EXPECT_EQ(0, std::memcmp(bytes.data() + 11, "AUDP\0\0\0\0", 8));
  EXPECT_EQ(0, std::memcmp(bytes.data() + 19, "AUDI\x44\0\0\0", 8));

  AudioInfoAnswer r;
  ASSERT_TRUE(ReadAudioInfoAnswer(bytes.data(), bytes.size(), r));
  EXPECT_EQ(a.tagBlock, r.tagBlock);
  EXPECT_TRUE(r.propertyBlock.empty());
  EXPECT_EQ(0, std::memcmp(a.audio, r.audio, kAudioInfoRecordBytes));

  for (size_t cut = 0; cut < bytes.size(); ++cut) EXPECT_FALSE(ReadAudioInfoAnswer(bytes.data(), cut, r)) << cut;
  bytes.push_back(0);
  EXPECT_FALSE(ReadAudioInfoAnswer(bytes.data(), bytes.size(), r));
  std::vector<uint8_t> wrongCount = WriteAudioInfoAnswer(a);
  wrongCount[23] = 67;
  EXPECT_FALSE(ReadAudioInfoAnswer(wrongCount.data(), wrongCount.size(), r));
}

TEST(AudioInfoAnswerTest, OversizedBlockIsLeftOut) {
  AudioInfoAnswer a;
  a.propertyBlock.assign(kMaxAnswerBlockBytes + 1, 7);
  std::vector<uint8_t> bytes = WriteAudioInfoAnswer(a);
  EXPECT_EQ(8u + 8 + 8 + 68, bytes.size());
}

TEST(ExtensionListTest, EmptyListIsFourZeroBytes) {
  EXPECT_EQ(std::vector<uint8_t>(4, 0), WriteExtensionList({}));
  std::vector<std::wstring> read{L"stale"};
  std::vector<uint8_t> empty(4, 0);
  EXPECT_TRUE(ReadExtensionList(empty.data(), empty.size(), read));
  EXPECT_TRUE(read.empty());
}

TEST(ExtensionListTest, RoundTripWithEmptyTextAndDuplicates) {
  std::vector<std::wstring> list{L".wav", L"", L".wav"};
  std::vector<uint8_t> bytes = WriteExtensionList(list);
  EXPECT_EQ(Concat(Utf16(std::wstring(L".wav\0[Empty]\0.wav\0\0", 19)), {}), bytes);
  std::vector<std::wstring> read;
  ASSERT_TRUE(ReadExtensionList(bytes.data(), bytes.size(), read));
  EXPECT_EQ(list, read);
  EXPECT_FALSE(ReadExtensionList(bytes.data(), bytes.size() - 2, read));
  EXPECT_TRUE(read.empty());
}

TEST(PopupAnswerTest, Utf16WithZeroAndUtf8CutOnACharacter) {
  EXPECT_EQ(Concat(Utf16(L"a\rb"), {0, 0}), PopupAnswerUtf16(L"a\rb"));
  std::vector<uint8_t> answer = PopupAnswerUtf16(L"tip");
  EXPECT_EQ(L"tip", ReadPopupAnswerUtf16(answer.data(), answer.size()));

  std::vector<uint8_t> utf8 = PopupAnswerUtf8(L"\x00e9t\x00e9");
  EXPECT_EQ((std::vector<uint8_t>{0xC3, 0xA9, 't', 0xC3, 0xA9, 0}), utf8);
  // 19 999 ASCII bytes, then a two-byte character that does not fit whole.
  std::vector<uint8_t> cut = PopupAnswerUtf8(std::wstring(19999, L'a') + L"\x00e9" + L"tail");
  EXPECT_EQ(20000u, cut.size());
  EXPECT_EQ(0, cut.back());
  EXPECT_EQ('a', cut[19998]);
}

struct KindCase {
  std::wstring commandLine;
  InfoRequestKind kind;
  std::wstring value;
  std::wstring value2;
};

TEST(RequestKind, Table) {
  const KindCase cases[] = {
      {L"\"C:\\p\\TipfetchInfo.exe\"", InfoRequestKind::None, L"", L""},
      {L"TipfetchInfo.exe", InfoRequestKind::None, L"", L""},
      {L"\"C:\\p\\TipfetchInfo.exe\"  -GetAudioInf=x.tmp", InfoRequestKind::AudioInfo, L"x.tmp", L""},
      {L"\"C:\\p\\TipfetchInfo.exe\"  --getaudioinf=x.tmp", InfoRequestKind::AudioInfo, L"x.tmp", L""},
      {L"\"C:\\p\\TipfetchInfo.exe\"  --Tipfetch=\"C:\\a b\\r.tmp\"", InfoRequestKind::Popup, L"C:\\a b\\r.tmp", L""},
      {L"\"C:\\p\\TipfetchInfo.exe\" -Tipfetch=", InfoRequestKind::Popup, L"", L""},
      {L"\"C:\\my-Tipfetch=x\\TipfetchInfo.exe\"", InfoRequestKind::None, L"", L""},
      {L"\"C:\\p\\TipfetchInfo.exe\" --GetAudioExts=\"e.tmp\" -Tipfetch=t", InfoRequestKind::Popup, L"t", L""},
      {L"x <tempF>C:\\r.tmp -Tipfetch=t", InfoRequestKind::PopupTempF, L"C:\\r.tmp -Tipfetch=t", L""},
      {L"x -DelTagElements=d.tmp", InfoRequestKind::DeleteTags, L"d.tmp", L""},
      {L"x -SetTags=s.tmp", InfoRequestKind::SetTags, L"s.tmp", L""},
      {L"x -DebugWatch=TvDGB1 -DebugFile=\"C:\\t.txt\"", InfoRequestKind::DebugWatch, L"TvDGB1", L"C:\\t.txt"},
      {L"x -DebugWatch=TvDGB1", InfoRequestKind::None, L"", L""},
      {L"x -edit_tags \"C:\\l.tmp\"", InfoRequestKind::EditTags, L"C:\\l.tmp", L""},
      {L"x -unknown=1", InfoRequestKind::None, L"", L""},
  };
  for (const KindCase& c : cases) {
    InfoRequest r = ParseInfoRequest(c.commandLine);
    EXPECT_EQ(int(c.kind), int(r.kind)) << std::string(c.commandLine.begin(), c.commandLine.end());
    EXPECT_EQ(c.value, r.value);
    EXPECT_EQ(c.value2, r.value2);
  }
}
