// The encoder DLL driven like the engine drives it, its files read back
// through the decoder DLL.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "PluginHost.h"
#include "Samples.h"

using namespace wavetest;

namespace {

struct Encoder {
  Library lib{L"encoder\\WAVE.DLL"};  // the engine's spelling: codec name + ".DLL"
  TvCreateFn create = lib.bind<TvCreateFn>("ENC_Create");
  TvDestroyFn destroy = lib.bind<TvDestroyFn>("ENC_Destroy");
  TvGetFn get = lib.bind<TvGetFn>("ENC_Get");
  TvSetFn set = lib.bind<TvSetFn>("ENC_Set");
  TvEncBeginConversionFn begin = lib.bind<TvEncBeginConversionFn>("ENC_BeginConversion");
  TvEncEncodeBlockFn encode = lib.bind<TvEncEncodeBlockFn>("ENC_EncodeBlock");
  TvEncEndConversionFn end = lib.bind<TvEncEndConversionFn>("ENC_EndConversion");
  Channels channels;
  TvPluginInstance instance = create ? create(channels.handles()) : 0;
  ~Encoder() {
    if (instance) destroy(instance);
  }
};

void pcmFormat(WAVEFORMATEXTENSIBLE& f, WORD tag, WORD channels, DWORD rate, WORD bits) {
  ZeroMemory(&f, sizeof f);
  f.Format.wFormatTag = tag;
  f.Format.nChannels = channels;
  f.Format.nSamplesPerSec = rate;
  f.Format.wBitsPerSample = bits;
  f.Format.nBlockAlign = WORD(channels * bits / 8);
  f.Format.nAvgBytesPerSec = f.Format.nBlockAlign * rate;
}

// Runs one conversion: begin, the blocks in pieces of `piece` bytes, end.
bool encodeFile(Encoder& e, const std::wstring& out, const WAVEFORMATEXTENSIBLE& format, const Bytes& audio,
                const wchar_t* commandLine, std::size_t piece, INT32* writeTags) {
  TvStreamInfo stream;
  ZeroMemory(&stream, sizeof stream);
  stream.description.format = format;
  TvConversionInfo c;
  ZeroMemory(&c, sizeof c);
  c.sourcePath = L"source.wav";
  c.outputPath = out.c_str();
  c.codecCommandLine = commandLine;
  c.description = &stream.description;
  if (!e.begin(e.instance, &c)) return false;
  for (std::size_t at = 0; at < audio.size(); at += piece) {
    TvAudioBlock b;
    ZeroMemory(&b, sizeof b);
    Bytes copy(audio.begin() + std::ptrdiff_t(at), audio.begin() + std::ptrdiff_t(std::min(audio.size(), at + piece)));
    b.data = copy.data();
    b.dataSize = INT32(copy.size());
    b.format = format;
    b.lastBlock = at + piece >= audio.size();
    if (!e.encode(e.instance, &b)) return false;
  }
  *writeTags = 0;
  return e.end(e.instance, &c, writeTags) != 0;
}

// Reads a WAVE file back through the decoder DLL.
bool decodeFile(const std::wstring& path, WAVEFORMATEXTENSIBLE& format, Bytes& audio) {
  Library lib(L"decoder\\WAVE.dll");
  auto create = lib.bind<TvCreateFn>("Create");
  auto destroy = lib.bind<TvDestroyFn>("Destroy");
  auto open = lib.bind<TvOpenFn>("Open");
  auto decode = lib.bind<TvDecodeBlockFn>("DecodeBlock");
  auto close = lib.bind<TvCloseFn>("Close");
  Channels ch;
  TvPluginInstance d = create(ch.handles());
  TvStreamInfo s;
  ZeroMemory(&s, sizeof s);
  s.sourcePath = path.c_str();
  s.openFlags = TV_OPEN_CONVERT;
  bool ok = open(d, &s) != 0;
  format = s.description.format;
  audio.clear();
  while (ok) {
    TvAudioBlock b;
    ZeroMemory(&b, sizeof b);
    ok = decode(d, &b) != 0;
    if (ok && b.data) audio.insert(audio.end(), b.data, b.data + b.dataSize);
    if (b.lastBlock) break;
  }
  TvConversionInfo c;
  ZeroMemory(&c, sizeof c);
  close(d, &c);
  destroy(d);
  return ok;
}

}  // namespace

TEST(EncoderDll, ExportsEveryEntryAndAnswersItsKeys) {
  Encoder e;
  ASSERT_TRUE(e.lib.loaded());
  for (const char* name : {"ENC_Create", "ENC_Destroy", "ENC_Get", "ENC_Set", "ENC_ShowConfigBit",
                           "ENC_RemoveConfigBit", "ENC_BeginConversion", "ENC_EndConversion", "ENC_EncodeBlock"})
    EXPECT_TRUE(e.lib.has(name)) << name;
  TvSettingValue v;
  ZeroMemory(&v, sizeof v);
  ASSERT_NE(e.get(e.instance, L"Extension", &v), 0);
  EXPECT_STREQ(v.text, L".wav");
  ZeroMemory(&v, sizeof v);
  v.text = L" -bits=\"24\"";
  EXPECT_NE(e.get(e.instance, L"NeedHQAudio", &v), 0);
  ZeroMemory(&v, sizeof v);
  EXPECT_EQ(e.get(e.instance, L"SendRawUnCompressed", &v), 0);
  v.text = L"high";
  EXPECT_NE(e.set(e.instance, L"Priority", &v), 0);
}

TEST(EncoderDll, WritesTheBlocksAndAsksTheHostToWriteTags) {
  std::wstring out = scratchDir(L"encode") + L"out.wav";
  WAVEFORMATEXTENSIBLE f;
  pcmFormat(f, WAVE_FORMAT_PCM, 2, 44100, 16);
  Bytes audio = rampAudio(4 * 44100 + 12, 9);
  Encoder e;
  INT32 writeTags = 0;
  ASSERT_TRUE(encodeFile(e, out, f, audio, L"", 88200, &writeTags));
  EXPECT_EQ(writeTags, 1);
  EXPECT_TRUE(e.channels.errors().empty());
  WAVEFORMATEXTENSIBLE back;
  Bytes decoded;
  ASSERT_TRUE(decodeFile(out, back, decoded));
  EXPECT_EQ(decoded, audio);
  EXPECT_EQ(back.Format.wFormatTag, WAVE_FORMAT_PCM);
  EXPECT_EQ(back.Format.nSamplesPerSec, 44100u);
}

struct DepthCase {
  const wchar_t* commandLine;
  WORD inTag, inBits;
  WORD outTag, outBits;  // effective tag
  tvw::SampleType inType, outType;
};

class EncoderDllDepths : public ::testing::TestWithParam<DepthCase> {};

TEST_P(EncoderDllDepths, ConvertsToTheBitDepthAsked) {
  const DepthCase& c = GetParam();
  std::wstring out = scratchDir(L"depth") + L"out.wav";
  WAVEFORMATEXTENSIBLE f;
  pcmFormat(f, c.inTag, 2, 48000, c.inBits);
  std::size_t samples = 2 * 4800;
  Bytes audio(samples * c.inBits / 8);
  for (std::size_t i = 0; i < samples; ++i)
    tvw::writeSample(audio.data() + i * c.inBits / 8, c.inType, 0.9 * std::sin(double(i) * 0.003));
  Encoder e;
  INT32 writeTags = 0;
  ASSERT_TRUE(encodeFile(e, out, f, audio, c.commandLine, 4096 * f.Format.nBlockAlign, &writeTags));
  WAVEFORMATEXTENSIBLE back;
  Bytes decoded;
  ASSERT_TRUE(decodeFile(out, back, decoded));
  EXPECT_EQ(back.Format.wBitsPerSample, c.outBits);
  Bytes want(samples * c.outBits / 8);
  tvw::convertSamples(audio.data(), c.inType, want.data(), c.outType, samples);
  EXPECT_EQ(decoded, want);
}

INSTANTIATE_TEST_SUITE_P(
    Depths, EncoderDllDepths,
    ::testing::Values(
        DepthCase{L" -bits=\"24\"", 1, 16, 1, 24, tvw::SampleType::Int16, tvw::SampleType::Int24},
        DepthCase{L" -bits=\"16\"", 3, 32, 1, 16, tvw::SampleType::Float32, tvw::SampleType::Int16},
        DepthCase{L" -float", 1, 24, 3, 32, tvw::SampleType::Int24, tvw::SampleType::Float32},
        DepthCase{L" -float -bits=\"64\"", 1, 16, 3, 64, tvw::SampleType::Int16, tvw::SampleType::Float64},
        DepthCase{L" -bits=\"8\"", 1, 16, 1, 8, tvw::SampleType::Int16, tvw::SampleType::UInt8}));

TEST(EncoderDll, RejectsBadOptionsAndBadFormatsWithAnErrorLine) {
  std::wstring dir = scratchDir(L"encbad");
  WAVEFORMATEXTENSIBLE f;
  pcmFormat(f, WAVE_FORMAT_PCM, 2, 44100, 16);
  Encoder e;
  INT32 writeTags = 0;
  EXPECT_FALSE(encodeFile(e, dir + L"a.wav", f, Bytes(8), L" -bits=\"13\"", 8, &writeTags));
  EXPECT_NE(e.channels.errors().find(L"-bits=\"13\" is not a bit depth"), std::wstring::npos);
  WAVEFORMATEXTENSIBLE adpcm;
  pcmFormat(adpcm, 2, 2, 44100, 4);
  EXPECT_FALSE(encodeFile(e, dir + L"b.wav", adpcm, Bytes(8), L"", 8, &writeTags));
  EXPECT_NE(e.channels.errors().find(L"Error: WAVE encoder"), std::wstring::npos);
  EXPECT_FALSE(encodeFile(e, dir + L"no\\such\\folder\\c.wav", f, Bytes(8), L"", 8, &writeTags));
  EXPECT_NE(e.channels.errors().find(L"unable to create"), std::wstring::npos);
  // A block with half a frame in it.
  EXPECT_FALSE(encodeFile(e, dir + L"d.wav", f, Bytes(10), L"", 10, &writeTags));
  EXPECT_NE(e.channels.errors().find(L"incomplete sample frame"), std::wstring::npos);
  // End without begin.
  TvConversionInfo c;
  ZeroMemory(&c, sizeof c);
  writeTags = 0;
  Encoder fresh;
  EXPECT_EQ(fresh.end(fresh.instance, &c, &writeTags), 0);
  EXPECT_EQ(writeTags, 0);
}

TEST(EncoderDll, ListsItsOptionsAndFollowsTheStoredChoice) {
  Encoder e;
  std::vector<std::wstring> labels;
  for (int option = 0; option < 1000; ++option) {
    std::vector<std::wstring> entries;
    std::wstring label, link;
    for (int entry = 0; entry < 1000; ++entry) {
      TvSettingValue v;
      ZeroMemory(&v, sizeof v);
      v.index = option;
      v.number = entry;
      if (!e.get(e.instance, L"Options", &v) || !v.text || !v.text2 || !v.text3) break;
      if (entry == 0) {
        label = v.text;
        link = v.text2;
      }
      entries.push_back(v.text3);
    }
    if (entries.empty()) continue;
    labels.push_back(label);
    if (option == 0) {
      EXPECT_EQ(link, L"Codecs\\WAVE\\SampleFormat");
      EXPECT_EQ(entries.size(), 7u);
      EXPECT_EQ(entries[3], L"24-bit integer");
    }
  }
  EXPECT_EQ(labels, (std::vector<std::wstring>{L"Sample Format", L"Format Header"}));

  // The configuration program stores the chosen entry's index as a DWORD.
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\Kestrune\\Tonvera\\Codecs\\WAVE", 0, nullptr, 0,
                            KEY_ALL_ACCESS, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  DWORD index = 3;  // 24-bit integer
  RegSetValueExW(key, L"SampleFormat", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&index), sizeof index);
  std::wstring dir = scratchDir(L"stored");
  WAVEFORMATEXTENSIBLE f;
  pcmFormat(f, WAVE_FORMAT_PCM, 2, 44100, 16);
  INT32 writeTags = 0;
  bool stored = encodeFile(e, dir + L"stored.wav", f, rampAudio(400), L"", 400, &writeTags);
  bool given = encodeFile(e, dir + L"given.wav", f, rampAudio(400), L" -bits=\"16\"", 400, &writeTags);
  RegDeleteValueW(key, L"SampleFormat");
  RegCloseKey(key);
  ASSERT_TRUE(stored);
  ASSERT_TRUE(given);
  WAVEFORMATEXTENSIBLE back;
  Bytes audio;
  ASSERT_TRUE(decodeFile(dir + L"stored.wav", back, audio));
  EXPECT_EQ(back.Format.wBitsPerSample, 24);
  ASSERT_TRUE(decodeFile(dir + L"given.wav", back, audio));
  EXPECT_EQ(back.Format.wBitsPerSample, 16);  // the command line wins
}
