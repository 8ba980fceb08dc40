// A command-line host for the shell tests that exchange files with sox:
//   wave_tool decode IN.wav OUT.raw        prints "channels rate bits tag", writes the audio
//   wave_tool encode IN.raw OUT.wav CHANNELS RATE BITS TAG [OPTION...]
//   wave_tool settags FILE NAME=VALUE...
//   wave_tool tags FILE                    prints NAME=VALUE lines
// Exit code 0 on success; the plug-ins' error lines go to standard error.
#include <cstdio>
#include <string>
#include <vector>

#include "PluginHost.h"

using namespace wavetest;

namespace {

std::string utf8(const std::wstring& w) {
  int n = WideCharToMultiByte(CP_UTF8, 0, w.c_str(), int(w.size()), nullptr, 0, nullptr, nullptr);
  std::string s(std::size_t(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, w.c_str(), int(w.size()), &s[0], n, nullptr, nullptr);
  return s;
}

int finish(Channels& ch, bool ok) {
  std::wstring errors = ch.errors();
  if (!errors.empty()) std::fprintf(stderr, "%s", utf8(errors).c_str());
  return ok && errors.empty() ? 0 : 1;
}

struct Decoder {
  Library lib{L"decoder\\WAVE.dll"};
  Channels ch;
  TvPluginInstance d = lib.bind<TvCreateFn>("Create")(ch.handles());
  ~Decoder() { lib.bind<TvDestroyFn>("Destroy")(d); }
};

int decode(const std::wstring& in, const std::wstring& out) {
  Decoder dec;
  TvStreamInfo s;
  ZeroMemory(&s, sizeof s);
  s.sourcePath = in.c_str();
  s.openFlags = TV_OPEN_CONVERT;
  if (!dec.lib.bind<TvOpenFn>("Open")(dec.d, &s)) return finish(dec.ch, false);
  Bytes audio;
  auto block = dec.lib.bind<TvDecodeBlockFn>("DecodeBlock");
  for (;;) {
    TvAudioBlock b;
    ZeroMemory(&b, sizeof b);
    if (!block(dec.d, &b)) return finish(dec.ch, false);
    if (b.data) audio.insert(audio.end(), b.data, b.data + b.dataSize);
    if (b.lastBlock) break;
  }
  const WAVEFORMATEX& f = s.description.format.Format;
  WORD tag = f.wFormatTag;
  if (tag == WAVE_FORMAT_EXTENSIBLE) tag = WORD(s.description.format.SubFormat.Data1);
  std::printf("%u %lu %u %u\n", f.nChannels, static_cast<unsigned long>(f.nSamplesPerSec), f.wBitsPerSample, tag);
  return finish(dec.ch, writeFile(out, audio));
}

int encode(const std::vector<std::wstring>& a) {
  if (a.size() < 8) return 2;
  Library lib(L"encoder\\WAVE.DLL");
  Channels ch;
  TvPluginInstance e = lib.bind<TvCreateFn>("ENC_Create")(ch.handles());
  TvStreamInfo s;
  ZeroMemory(&s, sizeof s);
  WAVEFORMATEX& f = s.description.format.Format;
  f.nChannels = WORD(std::stoi(a[4]));
  f.nSamplesPerSec = DWORD(std::stoul(a[5]));
  f.wBitsPerSample = WORD(std::stoi(a[6]));
  f.wFormatTag = WORD(std::stoi(a[7]));
  f.nBlockAlign = WORD(f.nChannels * f.wBitsPerSample / 8);
  f.nAvgBytesPerSec = f.nBlockAlign * f.nSamplesPerSec;
  std::wstring options;
  for (std::size_t i = 8; i < a.size(); ++i) options += L" " + a[i];
  TvConversionInfo c;
  ZeroMemory(&c, sizeof c);
  c.sourcePath = a[2].c_str();
  c.outputPath = a[3].c_str();
  c.codecCommandLine = options.c_str();
  c.description = &s.description;
  bool ok = lib.bind<TvEncBeginConversionFn>("ENC_BeginConversion")(e, &c) != 0;
  Bytes raw = readFile(a[2]);
  auto encodeBlock = lib.bind<TvEncEncodeBlockFn>("ENC_EncodeBlock");
  const std::size_t piece = std::size_t(f.nBlockAlign) * 4410;
  for (std::size_t at = 0; ok && at < raw.size(); at += piece) {
    TvAudioBlock b;
    ZeroMemory(&b, sizeof b);
    b.data = raw.data() + at;
    b.dataSize = INT32(std::min(piece, raw.size() - at));
    b.format = s.description.format;
    ok = encodeBlock(e, &b) != 0;
  }
  INT32 writeTags = 0;
  ok = ok && lib.bind<TvEncEndConversionFn>("ENC_EndConversion")(e, &c, &writeTags) != 0 && writeTags;
  lib.bind<TvDestroyFn>("ENC_Destroy")(e);
  return finish(ch, ok);
}

int setTags(const std::vector<std::wstring>& a) {
  std::vector<Tag> tags;
  for (std::size_t i = 3; i < a.size(); ++i) {
    std::size_t eq = a[i].find(L'=');
    if (eq == std::wstring::npos) return 2;
    tags.push_back({a[i].substr(0, eq), a[i].substr(eq + 1), {}});
  }
  Decoder dec;
  Bytes block = tagBlock(tags);
  TvSettingValue v;
  ZeroMemory(&v, sizeof v);
  v.number = INT32(block.size());
  v.text = a[2].c_str();
  v.data = block.data();
  return finish(dec.ch, dec.lib.bind<TvSetFn>("Set")(dec.d, L"IDTags", &v) != 0);
}

int printTags(const std::wstring& path) {
  Decoder dec;
  TvStreamInfo s;
  ZeroMemory(&s, sizeof s);
  s.sourcePath = path.c_str();
  s.openFlags = TV_OPEN_TAGS_ONLY;
  if (!dec.lib.bind<TvOpenFn>("Open")(dec.d, &s)) return finish(dec.ch, false);
  for (const auto& t : readTagBlock(s.tagBlock, s.tagBlockSize))
    std::printf("%s=%s\n", utf8(t.name).c_str(), t.data.empty() ? utf8(t.value).c_str() : "<binary>");
  return finish(dec.ch, true);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::wstring> a(argv, argv + argc);
  if (a.size() < 3) return 2;
  if (a[1] == L"decode" && a.size() == 4) return decode(a[2], a[3]);
  if (a[1] == L"encode") return encode(a);
  if (a[1] == L"settags") return setTags(a);
  if (a[1] == L"tags") return printTags(a[2]);
  return 2;
}
