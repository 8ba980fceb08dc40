// The decoder DLL driven through its exports, as the suite's programs do.
#include <gtest/gtest.h>

#include <algorithm>

#include "PluginHost.h"
#include "RiffWriter.h"

using namespace wavetest;

namespace {

struct Decoder {
  Library lib{L"decoder\\WAVE.dll"};
  TvCreateFn create = lib.bind<TvCreateFn>("Create");
  TvDestroyFn destroy = lib.bind<TvDestroyFn>("Destroy");
  TvGetFn get = lib.bind<TvGetFn>("Get");
  TvSetFn set = lib.bind<TvSetFn>("Set");
  TvOpenFn open = lib.bind<TvOpenFn>("Open");
  TvCloseFn close = lib.bind<TvCloseFn>("Close");
  TvDecodeBlockFn decodeBlock = lib.bind<TvDecodeBlockFn>("DecodeBlock");
  TvDeleteATagFn deleteATag = lib.bind<TvDeleteATagFn>("DeleteATag");
  Channels channels;
  TvPluginInstance instance = create ? create(channels.handles()) : 0;
  ~Decoder() {
    if (instance) destroy(instance);
  }
};

struct Decoded {
  TvStreamInfo info;
  Bytes audio;
  int blocks = 0;
  bool sawLast = false;
};

// Opens for conversion and decodes to the end.
bool decodeAll(Decoder& d, const std::wstring& path, Decoded& out) {
  out = Decoded();
  ZeroMemory(&out.info, sizeof out.info);
  out.info.sourcePath = path.c_str();
  out.info.openFlags = TV_OPEN_CONVERT;
  if (!d.open(d.instance, &out.info)) return false;
  INT64 expectedPosition = 0;
  for (int guard = 0; guard < 100000; ++guard) {
    TvAudioBlock b;
    ZeroMemory(&b, sizeof b);
    if (!d.decodeBlock(d.instance, &b)) return false;
    EXPECT_EQ(b.positionMs, expectedPosition);
    expectedPosition += b.durationMs;
    if (b.data && b.dataSize > 0) out.audio.insert(out.audio.end(), b.data, b.data + b.dataSize);
    ++out.blocks;
    if (b.lastBlock) {
      out.sawLast = true;
      break;
    }
  }
  TvConversionInfo conv;
  ZeroMemory(&conv, sizeof conv);
  return d.close(d.instance, &conv) != 0;
}

std::vector<Tag> openTags(Decoder& d, const std::wstring& path, int flags = TV_OPEN_TAGS_ONLY) {
  TvStreamInfo info;
  ZeroMemory(&info, sizeof info);
  info.sourcePath = path.c_str();
  info.openFlags = flags;
  EXPECT_NE(d.open(d.instance, &info), 0) << d.channels.errors().size();
  std::vector<Tag> tags = readTagBlock(info.tagBlock, info.tagBlockSize);
  TvConversionInfo conv;
  ZeroMemory(&conv, sizeof conv);
  d.close(d.instance, &conv);
  return tags;
}

bool setTags(Decoder& d, const std::wstring& path, const std::vector<Tag>& tags) {
  Bytes block = tagBlock(tags);
  TvSettingValue v;
  ZeroMemory(&v, sizeof v);
  v.number = INT32(block.size());
  v.text = path.c_str();
  v.data = block.data();
  return d.set(d.instance, L"IDTags", &v) != 0;
}

Bytes pcm16Audio(std::size_t frames) { return rampAudio(frames * 4, 3); }

}  // namespace

TEST(DecoderDll, ExportsEveryEntryAndDescribesItself) {
  Decoder d;
  ASSERT_TRUE(d.lib.loaded());
  for (const char* name : {"Create", "Destroy", "Get", "Set", "Open", "Close", "DecodeBlock", "SetPosition", "DeleteATag"})
    EXPECT_TRUE(d.lib.has(name)) << name;
  ASSERT_NE(d.instance, 0);

  TvSettingValue v;
  ZeroMemory(&v, sizeof v);
  ASSERT_NE(d.get(d.instance, L"Decodes", &v), 0);
  EXPECT_STREQ(v.text, L".wav");
  ASSERT_NE(v.text2, nullptr);
  EXPECT_GT(wcslen(v.text2), 0u);
  std::vector<std::wstring> extensions;
  for (int i = 0; i < 1000; ++i) {
    ZeroMemory(&v, sizeof v);
    v.index = i;
    if (!d.get(d.instance, L"Decodes", &v) || !v.text) break;
    extensions.push_back(v.text);
  }
  EXPECT_EQ(extensions, (std::vector<std::wstring>{L".wav", L".bwf"}));

  ZeroMemory(&v, sizeof v);
  ASSERT_NE(d.get(d.instance, L"Default Property Elements", &v), 0);
  EXPECT_STREQ(v.text, L"Audio Quality\rEncoder");
  ZeroMemory(&v, sizeof v);
  ASSERT_NE(d.get(d.instance, L"Property Elements", &v), 0);
  EXPECT_NE(std::wstring(v.text).find(L"Audio Format"), std::wstring::npos);
  ZeroMemory(&v, sizeof v);
  EXPECT_NE(d.get(d.instance, L"Decoder Description", &v), 0);
  ZeroMemory(&v, sizeof v);
  EXPECT_EQ(d.get(d.instance, L"No Such Key", &v), 0);
  v.text = L"Highest Quality";
  EXPECT_NE(d.set(d.instance, L"Decode As", &v), 0);
}

struct DecodeCase {
  const char* what;
  std::uint16_t tag, channels, bits;
  std::uint32_t rate;
  bool extensible;
  std::size_t frames;
};

class DecoderDllFormats : public ::testing::TestWithParam<DecodeCase> {};

TEST_P(DecoderDllFormats, DecodesTheAudioBytesExactly) {
  const DecodeCase& c = GetParam();
  std::wstring dir = scratchDir(L"decode");
  std::wstring path = dir + L"in.wav";
  std::uint16_t align = std::uint16_t(c.channels * c.bits / 8);
  Bytes audio = rampAudio(c.frames * align, 5);
  ASSERT_TRUE(writeFile(path, simpleWave(c.tag, c.channels, c.rate, c.bits, audio, c.extensible)));

  Decoder d;
  Decoded out;
  ASSERT_TRUE(decodeAll(d, path, out)) << c.what;
  EXPECT_TRUE(out.sawLast);
  EXPECT_EQ(out.audio, audio) << c.what;
  const WAVEFORMATEXTENSIBLE& f = out.info.description.format;
  EXPECT_EQ(f.Format.nChannels, c.channels);
  EXPECT_EQ(f.Format.nSamplesPerSec, c.rate);
  EXPECT_EQ(f.Format.wBitsPerSample, c.bits);
  EXPECT_EQ(f.Format.nBlockAlign, align);
  EXPECT_EQ(f.Format.nAvgBytesPerSec, align * c.rate);
  EXPECT_EQ(f.Format.wFormatTag, c.extensible ? WAVE_FORMAT_EXTENSIBLE : c.tag);
  EXPECT_EQ(out.info.description.lengthMs, INT64(c.frames * 1000 / c.rate));
  EXPECT_EQ(out.info.description.bitRate, INT32(align * c.rate * 8));
  EXPECT_EQ(out.info.description.sourceBytes, INT64(readFile(path).size()));
  EXPECT_TRUE(d.channels.errors().empty());
}

INSTANTIATE_TEST_SUITE_P(Formats, DecoderDllFormats,
                         ::testing::Values(DecodeCase{"pcm8 mono", 1, 1, 8, 8000, false, 12345},
                                           DecodeCase{"pcm16 stereo", 1, 2, 16, 44100, false, 100000},
                                           DecodeCase{"pcm24", 1, 2, 24, 96000, false, 70001},
                                           DecodeCase{"pcm32", 1, 2, 32, 48000, false, 5000},
                                           DecodeCase{"float32", 3, 2, 32, 44100, false, 44100},
                                           DecodeCase{"float64 mono", 3, 1, 64, 22050, false, 3000},
                                           DecodeCase{"extensible 5.1 pcm24", 1, 6, 24, 48000, true, 20000},
                                           DecodeCase{"empty", 1, 2, 16, 44100, false, 0}));

TEST(DecoderDll, InspectionGivesTagsAndProperties) {
  std::wstring path = scratchDir(L"inspect") + L"tagged.wav";
  Bytes info;
  addText(info, "INFO");
  for (auto [id, text] : {std::pair<const char*, const char*>{"INAM", "A Title"}, {"IART", "An Artist"}, {"ISFT", "Recorder 7"}}) {
    addId(info, id);
    add32(info, std::uint32_t(strlen(text) + 1));
    addText(info, text);
    info.push_back(0);
    if ((strlen(text) + 1) & 1) info.push_back(0);
  }
  ASSERT_TRUE(writeFile(path, riffFile({{"fmt ", fmtBody(1, 2, 44100, 16)}, {"LIST", info}, {"data", pcm16Audio(100)}})));
  Decoder d;
  TvStreamInfo s;
  ZeroMemory(&s, sizeof s);
  s.sourcePath = path.c_str();
  s.openFlags = TV_OPEN_INSPECT;
  ASSERT_NE(d.open(d.instance, &s), 0);
  EXPECT_EQ(readTagBlock(s.tagBlock, s.tagBlockSize),
            (std::vector<Tag>{{L"Title", L"A Title", {}}, {L"Artist", L"An Artist", {}}}));
  std::vector<Tag> props = readTagBlock(s.propertyBlock, s.propertyBlockSize);
  ASSERT_GE(props.size(), 2u);
  EXPECT_EQ(props[0], (Tag{L"Audio Quality", L"Lossless", {}}));
  EXPECT_EQ(props[1], (Tag{L"Encoder", L"Recorder 7", {}}));
  // The file is not held open after an inspection.
  HANDLE h = CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  EXPECT_NE(h, INVALID_HANDLE_VALUE);
  if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
  TvConversionInfo conv;
  ZeroMemory(&conv, sizeof conv);
  EXPECT_NE(d.close(d.instance, &conv), 0);
}

TEST(DecoderDll, WritingTagsChangesOnlyWhatIsGivenAndNeverTheAudio) {
  std::wstring path = scratchDir(L"settags") + L"song.wav";
  Bytes audio = pcm16Audio(5001);
  Bytes bext(100, 'b');
  ASSERT_TRUE(writeFile(path, riffFile({{"fmt ", fmtBody(1, 2, 44100, 16)}, {"bext", bext}, {"data", audio}})));
  Decoder d;
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n', 0, 0, 0, 13};
  ASSERT_TRUE(setTags(d, path,
                      {{L"Artist", L"First", {}},
                       {L"Title", L"Old Title", {}},
                       {L"Comment", L"keep me", {}},
                       {L"Genre", L"Ambient", {}},
                       {L"Genre", L"Drone", {}},
                       {L"_albumart_1_Front Album Cover", L"", png}}))
      << std::string(d.channels.errors().size(), '?');
  ASSERT_TRUE(setTags(d, path, {{L"Title", L"New Title", {}}, {L"Year", L"2024", {}}}));
  std::vector<Tag> want = {{L"Artist", L"First", {}},     {L"Title", L"New Title", {}},
                           {L"Comment", L"keep me", {}},  {L"Genre", L"Ambient", {}},
                           {L"Genre", L"Drone", {}},      {L"_albumart_1_Front Album Cover", L"", png},
                           {L"Year", L"2024", {}}};
  EXPECT_EQ(openTags(d, path), want);

  Decoded out;
  ASSERT_TRUE(decodeAll(d, path, out));
  EXPECT_EQ(out.audio, audio);
  Bytes file = readFile(path);
  EXPECT_NE(std::search(file.begin(), file.end(), bext.begin(), bext.end()), file.end());
  // Other readers find the plain texts in LIST/INFO too.
  std::string raw(file.begin(), file.end());
  EXPECT_NE(raw.find("INAM"), std::string::npos);
  EXPECT_NE(raw.find("New Title"), std::string::npos);
  EXPECT_NE(raw.find("id3 "), std::string::npos);
  EXPECT_TRUE(d.channels.errors().empty());
  // Nothing is left beside the file.
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((path + L"*").c_str(), &fd);
  int count = 0;
  if (find != INVALID_HANDLE_VALUE) {
    do ++count;
    while (FindNextFileW(find, &fd));
    FindClose(find);
  }
  EXPECT_EQ(count, 1);
}

TEST(DecoderDll, DeleteATagRemovesNamedElementsOrAll) {
  std::wstring path = scratchDir(L"deltags") + L"song.wav";
  Bytes audio = pcm16Audio(300);
  ASSERT_TRUE(writeFile(path, simpleWave(1, 2, 44100, 16, audio)));
  Decoder d;
  ASSERT_TRUE(setTags(d, path,
                      {{L"Artist", L"A", {}}, {L"Comment", L"c", {}}, {L"Mood", L"m", {}}, {L"Title", L"T", {}},
                       {L"_albumart_1", L"", {1, 2, 3}}}));
  const wchar_t names[] = L"comment\0Mood\0_albumart_1\0";
  ASSERT_NE(d.deleteATag(d.instance, path.c_str(), names), 0);
  EXPECT_EQ(openTags(d, path), (std::vector<Tag>{{L"Artist", L"A", {}}, {L"Title", L"T", {}}}));
  ASSERT_NE(d.deleteATag(d.instance, path.c_str(), nullptr), 0);
  EXPECT_TRUE(openTags(d, path).empty());
  std::string raw;
  Bytes file = readFile(path);
  raw.assign(file.begin(), file.end());
  EXPECT_EQ(raw.find("IART"), std::string::npos);
  Decoded out;
  ASSERT_TRUE(decodeAll(d, path, out));
  EXPECT_EQ(out.audio, audio);
}

TEST(DecoderDll, ManyPicturesAndLongValuesSurvive) {
  std::wstring path = scratchDir(L"bigtags") + L"song.wav";
  ASSERT_TRUE(writeFile(path, simpleWave(1, 2, 44100, 16, pcm16Audio(10))));
  std::vector<Tag> tags;
  for (int i = 1; i <= 5; ++i) tags.push_back({L"_albumart_" + std::to_wstring(i), L"", rampAudio(50000u * i, std::uint8_t(i))});
  tags.push_back({L"Comment", std::wstring(70000, L'\x263a'), {}});
  Decoder d;
  ASSERT_TRUE(setTags(d, path, tags));
  EXPECT_EQ(openTags(d, path), tags);
}

struct BadFile {
  const char* what;
  Bytes bytes;
};

TEST(DecoderDll, MalformedFilesFailWithAnErrorLineNamingTheFile) {
  Bytes longFmt = fmtBody(1, 2, 44100, 16);
  Bytes lying;
  addId(lying, "RIFF");
  add32(lying, 100);
  addId(lying, "WAVE");
  addId(lying, "fmt ");
  add32(lying, 0x7FFFFFF0u);  // a chunk that claims two gigabytes
  lying.insert(lying.end(), longFmt.begin(), longFmt.end());
  const BadFile cases[] = {{"empty", {}},
                           {"text", Bytes(100, 'x')},
                           {"header only", Bytes{'R', 'I', 'F', 'F', 4, 0, 0, 0, 'W', 'A', 'V', 'E'}},
                           {"huge chunk", lying},
                           {"unsupported", riffFile({{"fmt ", fmtBody(0x55, 2, 44100, 16)}, {"data", Bytes(8)}})}};
  std::wstring dir = scratchDir(L"bad");
  Decoder d;
  for (const auto& c : cases) {
    std::wstring path = dir + L"bad.wav";
    ASSERT_TRUE(writeFile(path, c.bytes));
    TvStreamInfo s;
    ZeroMemory(&s, sizeof s);
    s.sourcePath = path.c_str();
    s.openFlags = TV_OPEN_CONVERT;
    EXPECT_EQ(d.open(d.instance, &s), 0) << c.what;
    std::wstring errors = d.channels.errors();
    EXPECT_NE(errors.find(L"Error: WAVE: '" + path + L"' cannot be read: "), std::wstring::npos) << c.what;
    EXPECT_EQ(errors.substr(errors.size() - 2), L"\r\n");
    // Tag writing refuses the file too, and leaves it as it was.
    EXPECT_FALSE(setTags(d, path, {{L"Title", L"x", {}}})) << c.what;
    EXPECT_FALSE(d.channels.errors().empty());
    EXPECT_EQ(readFile(path), c.bytes);
  }
  TvStreamInfo s;
  ZeroMemory(&s, sizeof s);
  std::wstring missing = dir + L"missing.wav";
  s.sourcePath = missing.c_str();
  s.openFlags = TV_OPEN_INSPECT;
  EXPECT_EQ(d.open(d.instance, &s), 0);
  EXPECT_NE(d.channels.errors().find(L"unable to open"), std::wstring::npos);
  TvAudioBlock b;
  ZeroMemory(&b, sizeof b);
  EXPECT_EQ(d.decodeBlock(d.instance, &b), 0);
  EXPECT_NE(d.channels.errors().find(L"no file is open"), std::wstring::npos);
}

TEST(DecoderDll, TruncatedAudioDecodesWhatIsThereWithANote) {
  std::wstring path = scratchDir(L"trunc") + L"cut.wav";
  Bytes audio = pcm16Audio(1000);
  Bytes file = simpleWave(1, 2, 44100, 16, audio);
  file.resize(file.size() - 1001);
  ASSERT_TRUE(writeFile(path, file));
  Decoder d;
  Decoded out;
  ASSERT_TRUE(decodeAll(d, path, out));
  EXPECT_EQ(out.audio, Bytes(audio.begin(), audio.begin() + 2996));
  EXPECT_NE(d.channels.information().find(L"ends before its declared length"), std::wstring::npos);
  EXPECT_TRUE(d.channels.errors().empty());
}

TEST(DecoderDll, ReadsRf64Files) {
  // An RF64 file as the encoder writes it past 4 GB, made small by lowering the limit.
  tvw::MemorySink sink;
  tvw::WaveStreamWriter writer(sink);
  writer.setRiffLimitForTest(100);
  Bytes audio = pcm16Audio(3000);
  ASSERT_TRUE(writer.begin(tvw::makeFormat(tvw::SampleType::Int16, 2, 44100)));
  ASSERT_TRUE(writer.writeAudio(audio.data(), audio.size()));
  ASSERT_TRUE(writer.finish());
  ASSERT_TRUE(writer.rf64());
  std::wstring path = scratchDir(L"rf64") + L"big.wav";
  ASSERT_TRUE(writeFile(path, sink.bytes));
  Decoder d;
  Decoded out;
  ASSERT_TRUE(decodeAll(d, path, out));
  EXPECT_EQ(out.audio, audio);
  TvStreamInfo s;
  ZeroMemory(&s, sizeof s);
  s.sourcePath = path.c_str();
  s.openFlags = TV_OPEN_INSPECT;
  ASSERT_NE(d.open(d.instance, &s), 0);
  std::vector<Tag> props = readTagBlock(s.propertyBlock, s.propertyBlockSize);
  EXPECT_NE(std::find(props.begin(), props.end(), Tag{L"Container", L"RF64 WAVE", {}}), props.end());
  // Tags can be written into it, and the audio stays.
  ASSERT_TRUE(setTags(d, path, {{L"Title", L"Long Recording", {}}}));
  EXPECT_EQ(openTags(d, path), (std::vector<Tag>{{L"Title", L"Long Recording", {}}}));
  ASSERT_TRUE(decodeAll(d, path, out));
  EXPECT_EQ(out.audio, audio);
}

TEST(DecoderDll, AFileInUseKeepsItsOldTagsAndNothingIsLeftBehind) {
  std::wstring dir = scratchDir(L"inuse");
  std::wstring path = dir + L"busy.wav";
  Bytes original = simpleWave(1, 2, 44100, 16, pcm16Audio(100));
  ASSERT_TRUE(writeFile(path, original));
  // Another program has the file open and does not allow it to be replaced.
  HANDLE other = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                             nullptr);
  ASSERT_NE(other, INVALID_HANDLE_VALUE);
  Decoder d;
  bool written = setTags(d, path, {{L"Title", L"x", {}}});
  std::wstring errors = d.channels.errors();
  CloseHandle(other);
  EXPECT_FALSE(written);
  EXPECT_NE(errors.find(L"Error: WAVE: unable to replace"), std::wstring::npos);
  EXPECT_EQ(readFile(path), original);
  WIN32_FIND_DATAW fd;
  HANDLE find = FindFirstFileW((dir + L"*.tvtag*").c_str(), &fd);
  EXPECT_EQ(find, INVALID_HANDLE_VALUE) << "a temporary file was left beside the original";
  if (find != INVALID_HANDLE_VALUE) FindClose(find);
}

TEST(DecoderDll, CorruptedHeadersAndTagsNeverCrashTheDecoder) {
  std::wstring dir = scratchDir(L"corrupt");
  std::wstring path = dir + L"good.wav";
  Bytes audio = pcm16Audio(200);
  ASSERT_TRUE(writeFile(path, simpleWave(1, 2, 44100, 16, audio)));
  Decoder d;
  ASSERT_TRUE(setTags(d, path,
                      {{L"Title", L"T", {}}, {L"Artist", L"A", {}}, {L"Comment", L"C", {}},
                       {L"_albumart_1_Front Album Cover", L"", {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3}}}));
  const Bytes good = readFile(path);
  // Every byte of the header, the INFO chunk and the ID3 chunk is tried; the audio only here and there.
  const char dataId[] = "data";
  const std::size_t audioStart =
      std::size_t(std::search(good.begin(), good.end(), dataId, dataId + 4) - good.begin()) + 8;
  int opened = 0, refused = 0;
  std::wstring bad = dir + L"bad.wav";
  for (std::size_t i = 0; i < good.size(); i += (i < audioStart || i >= audioStart + audio.size()) ? 1 : 97) {
    for (std::uint8_t x : {std::uint8_t(0xFF), std::uint8_t(0x80)}) {
      Bytes b = good;
      b[i] ^= x;
      ASSERT_TRUE(writeFile(bad, b));
      TvStreamInfo s;
      ZeroMemory(&s, sizeof s);
      s.sourcePath = bad.c_str();
      s.openFlags = TV_OPEN_INSPECT;
      if (d.open(d.instance, &s)) {
        ++opened;
        readTagBlock(s.tagBlock, s.tagBlockSize);
      } else {
        ++refused;
        EXPECT_NE(d.channels.errors().find(L"Error: WAVE: "), std::wstring::npos) << i;
      }
      TvConversionInfo conv;
      ZeroMemory(&conv, sizeof conv);
      d.close(d.instance, &conv);
    }
  }
  EXPECT_GT(opened, 0);
  EXPECT_GT(refused, 0);
}

TEST(DecoderDll, TheInfoCopyCanBeSwitchedOffByTheStoredOption) {
  Decoder d;
  TvSettingValue v;
  ZeroMemory(&v, sizeof v);
  ASSERT_NE(d.get(d.instance, L"ID Tag Options", &v), 0);
  EXPECT_STREQ(v.text2, L"Codecs\\WAVE\\InfoChunk");
  EXPECT_STREQ(v.text3, L"Write");
  v.number = 1;
  ASSERT_NE(d.get(d.instance, L"ID Tag Options", &v), 0);
  EXPECT_STREQ(v.text3, L"Do not write");
  v.number = 2;
  EXPECT_EQ(d.get(d.instance, L"ID Tag Options", &v), 0);

  std::wstring path = scratchDir(L"noinfo") + L"song.wav";
  ASSERT_TRUE(writeFile(path, simpleWave(1, 2, 44100, 16, pcm16Audio(100))));
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Kestrune\\Tonvera\\Codecs\\WAVE", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  DWORD index = 1;
  RegSetValueExW(key, L"InfoChunk", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&index), sizeof index);
  bool written = setTags(d, path, {{L"Title", L"Only In Id3", {}}});
  RegDeleteValueW(key, L"InfoChunk");
  RegCloseKey(key);
  ASSERT_TRUE(written);
  Bytes file = readFile(path);
  std::string raw(file.begin(), file.end());
  EXPECT_EQ(raw.find("INAM"), std::string::npos);
  EXPECT_EQ(openTags(d, path), (std::vector<Tag>{{L"Title", L"Only In Id3", {}}}));
}
