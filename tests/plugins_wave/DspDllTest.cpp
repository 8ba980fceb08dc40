// The two effects driven like the engine drives live and non-live effects.
#include <gtest/gtest.h>

#include <cmath>

#include "PluginHost.h"
#include "Samples.h"

using namespace wavetest;

namespace {

struct Effect {
  explicit Effect(const wchar_t* file) : lib(file) {}
  Library lib;
  TvCreateFn create = lib.bind<TvCreateFn>("DSP_Create");
  TvDestroyFn destroy = lib.bind<TvDestroyFn>("DSP_Destroy");
  TvGetFn get = lib.bind<TvGetFn>("DSP_Get");
  TvDspBeginConversionFn begin = lib.bind<TvDspBeginConversionFn>("DSP_BeginConversion");
  TvDspPassAudioBlockFn pass = lib.bind<TvDspPassAudioBlockFn>("DSP_PassAudioBlock");
  TvDspPassNonLiveFn passNonLive = lib.bind<TvDspPassNonLiveFn>("DSP_PassNonLive");
  TvDspEndConversionFn end = lib.bind<TvDspEndConversionFn>("DSP_EndConversion");
  TvDspAfterConversionFn after = lib.bind<TvDspAfterConversionFn>("DSP_AfterConversion");
  Channels channels;
  TvPluginInstance instance = create ? create(channels.handles()) : 0;
  ~Effect() {
    if (instance) destroy(instance);
  }
  bool isLive(const wchar_t* settings) {
    TvSettingValue v;
    ZeroMemory(&v, sizeof v);
    v.text = settings;
    return get(instance, L"IsLive", &v) != 0;
  }
};

void format16(WAVEFORMATEXTENSIBLE& f, WORD channels, DWORD rate) {
  ZeroMemory(&f, sizeof f);
  f.Format.wFormatTag = WAVE_FORMAT_PCM;
  f.Format.nChannels = channels;
  f.Format.nSamplesPerSec = rate;
  f.Format.wBitsPerSample = 16;
  f.Format.nBlockAlign = WORD(2 * channels);
  f.Format.nAvgBytesPerSec = f.Format.nBlockAlign * rate;
}

Bytes sine16(std::size_t samples, double amplitude) {
  Bytes b(samples * 2);
  for (std::size_t i = 0; i < samples; ++i)
    tvw::writeSample(b.data() + 2 * i, tvw::SampleType::Int16, amplitude * std::sin(double(i) * 0.05));
  return b;
}

}  // namespace

TEST(DspDll, BothEffectsExportEveryEntry) {
  for (const wchar_t* file : {L"DSPs\\Gain.dll", L"DSPs\\Normalize.dll"}) {
    Effect e(file);
    ASSERT_TRUE(e.lib.loaded());
    for (const char* name : {"DSP_Create", "DSP_Destroy", "DSP_Get", "DSP_Set", "DSP_ShowConfigBit",
                             "DSP_RemoveConfigBit", "DSP_BeginConversion", "DSP_EndConversion",
                             "DSP_PassAudioBlock", "DSP_PassNonLive", "DSP_AfterConversion"})
      EXPECT_TRUE(e.lib.has(name)) << name;
    EXPECT_NE(e.instance, 0);
  }
}

TEST(DspDll, GainIsLiveAndScalesEachBlockInPlace) {
  Effect e(L"DSPs\\Gain.dll");
  EXPECT_TRUE(e.isLive(L"db=-6"));
  TvConversionInfo c;
  ZeroMemory(&c, sizeof c);
  ASSERT_NE(e.begin(e.instance, &c, L"db=-6.0206"), 0);
  Bytes audio = sine16(2000, 0.8);
  Bytes block = audio;
  TvAudioBlock b;
  ZeroMemory(&b, sizeof b);
  b.data = block.data();
  b.dataSize = INT32(block.size());
  format16(b.format, 2, 44100);
  ASSERT_NE(e.pass(e.instance, &b), 0);
  EXPECT_EQ(b.data, block.data());
  for (std::size_t i = 0; i < 2000; ++i) {
    double before = tvw::readSample(audio.data() + 2 * i, tvw::SampleType::Int16);
    double after = tvw::readSample(block.data() + 2 * i, tvw::SampleType::Int16);
    ASSERT_NEAR(after, before / 2, 1.0 / 32768) << i;
  }
  EXPECT_NE(e.end(e.instance, &c), 0);
  EXPECT_NE(e.after(e.instance, &c), 0);
  EXPECT_TRUE(e.channels.errors().empty());
}

TEST(DspDll, GainRejectsBadSettingsWithAnErrorLine) {
  TvConversionInfo c;
  ZeroMemory(&c, sizeof c);
  for (const wchar_t* bad : {L"", L"loud", L"db=200", L"db=-6 extra=1", L"db=nan"}) {
    Effect e(L"DSPs\\Gain.dll");
    EXPECT_EQ(e.begin(e.instance, &c, bad), 0);
    std::wstring errors = e.channels.errors();
    EXPECT_EQ(errors.rfind(L"Error: Gain: ", 0), 0u) << errors.size();
    EXPECT_NE(errors.find(L"[Gain::DSP_BeginConversion]\r\n"), std::wstring::npos);
    TvAudioBlock b;
    ZeroMemory(&b, sizeof b);
    EXPECT_EQ(e.pass(e.instance, &b), 0);
  }
}

TEST(DspDll, NormaliseIsNotLiveAndRewritesTheRenderFileInPlace) {
  Effect e(L"DSPs\\Normalize.dll");
  EXPECT_FALSE(e.isLive(L"peak=-1"));
  std::wstring path = scratchDir(L"normalise") + L"render.raw";
  Bytes audio = sine16(3 * 300000 + 2, 0.25);  // more than one piece of work
  ASSERT_TRUE(writeFile(path, audio));
  TvStreamInfo stream;
  ZeroMemory(&stream, sizeof stream);
  format16(stream.description.format, 2, 44100);
  stream.description.sourceBytes = INT64(audio.size());
  ASSERT_NE(e.passNonLive(e.instance, path.c_str(), &stream.description, L"peak=-3", L"tvw_no_such_quit_event"), 0);
  Bytes after = readFile(path);
  ASSERT_EQ(after.size(), audio.size());
  EXPECT_NEAR(tvw::peakOf(after.data(), after.size(), tvw::SampleType::Int16), tvw::dbToFactor(-3), 1.0 / 32768);
  EXPECT_EQ(stream.description.format.Format.wBitsPerSample, 16);
  EXPECT_NE(e.channels.information().find(L"Normalize: peak"), std::wstring::npos);
  EXPECT_TRUE(e.channels.errors().empty());
}

TEST(DspDll, NormaliseStopsWhenTheQuitEventIsSet) {
  Effect e(L"DSPs\\Normalize.dll");
  std::wstring path = scratchDir(L"normquit") + L"render.raw";
  Bytes audio = sine16(20000, 0.25);
  ASSERT_TRUE(writeFile(path, audio));
  HANDLE quit = CreateEventW(nullptr, TRUE, TRUE, L"tvw_test_quit_event");
  TvStreamInfo stream;
  ZeroMemory(&stream, sizeof stream);
  format16(stream.description.format, 2, 44100);
  EXPECT_NE(e.passNonLive(e.instance, path.c_str(), &stream.description, L"", L"tvw_test_quit_event"), 0);
  EXPECT_EQ(readFile(path), audio);
  CloseHandle(quit);
}

TEST(DspDll, NormaliseRejectsBadSettingsAndMissingFiles) {
  Effect e(L"DSPs\\Normalize.dll");
  std::wstring dir = scratchDir(L"normbad");
  TvStreamInfo stream;
  ZeroMemory(&stream, sizeof stream);
  format16(stream.description.format, 2, 44100);
  std::wstring path = dir + L"render.raw";
  ASSERT_TRUE(writeFile(path, Bytes(400, 1)));
  EXPECT_EQ(e.passNonLive(e.instance, path.c_str(), &stream.description, L"peak=+3", nullptr), 0);
  EXPECT_NE(e.channels.errors().find(L"Error: Normalize: a peak level of 3 dBFS"), std::wstring::npos);
  std::wstring missing = dir + L"missing.raw";
  EXPECT_EQ(e.passNonLive(e.instance, missing.c_str(), &stream.description, L"", nullptr), 0);
  EXPECT_NE(e.channels.errors().find(L"unable to open"), std::wstring::npos);
  TvAudioBlock b;
  ZeroMemory(&b, sizeof b);
  EXPECT_EQ(e.pass(e.instance, &b), 0);
  EXPECT_NE(e.channels.errors().find(L"whole stream"), std::wstring::npos);
}
