#include <gtest/gtest.h>

#include <cmath>

#include "Effects.h"
#include "EncoderOptions.h"
#include "Samples.h"
#include "Settings.h"

using namespace tvw;

struct SampleCase {
  SampleType type;
  double in;
  double out;  // after a store and a load
};

class SampleStore : public ::testing::TestWithParam<SampleCase> {};

TEST_P(SampleStore, RoundsAndClips) {
  std::uint8_t buf[8] = {0};
  writeSample(buf, GetParam().type, GetParam().in);
  EXPECT_DOUBLE_EQ(readSample(buf, GetParam().type), GetParam().out);
}

INSTANTIATE_TEST_SUITE_P(Types, SampleStore,
                         ::testing::Values(SampleCase{SampleType::UInt8, 0.0, 0.0},
                                           SampleCase{SampleType::UInt8, 2.0, 127 / 128.0},
                                           SampleCase{SampleType::UInt8, -2.0, -1.0},
                                           SampleCase{SampleType::Int16, 0.5, 0.5},
                                           SampleCase{SampleType::Int16, 1.0, 32767 / 32768.0},
                                           SampleCase{SampleType::Int16, -1.5, -1.0},
                                           SampleCase{SampleType::Int24, -0.25, -0.25},
                                           SampleCase{SampleType::Int24, 1.0, 8388607 / 8388608.0},
                                           SampleCase{SampleType::Int32, -1.0, -1.0},
                                           SampleCase{SampleType::Float32, 1.5, 1.5},
                                           SampleCase{SampleType::Float64, -3.25, -3.25}));

TEST(Samples, ConversionsBetweenSizesAreExactWhereTheyCanBe) {
  std::uint8_t s16[4];
  put16(s16, 0x1234);
  put16(s16 + 2, 0x8000);
  std::uint8_t s24[6];
  convertSamples(s16, SampleType::Int16, s24, SampleType::Int24, 2);
  const std::uint8_t want24[] = {0x00, 0x34, 0x12, 0x00, 0x00, 0x80};
  EXPECT_EQ(0, std::memcmp(s24, want24, 6));
  std::uint8_t back[4];
  convertSamples(s24, SampleType::Int24, back, SampleType::Int16, 2);
  EXPECT_EQ(0, std::memcmp(back, s16, 4));
  std::uint8_t u8[2];
  convertSamples(s16, SampleType::Int16, u8, SampleType::UInt8, 2);
  EXPECT_EQ(u8[0], 0x80 + 0x12);
  EXPECT_EQ(u8[1], 0x00);
}

TEST(Samples, GainScalesAndClipsIntegers) {
  std::uint8_t d[6];
  put16(d, 1000);
  put16(d + 2, std::uint16_t(-20000));
  put16(d + 4, 30000);
  applyGain(d, sizeof d, SampleType::Int16, dbToFactor(6.0206));
  EXPECT_EQ(std::int16_t(le16(d)), 2000);
  EXPECT_EQ(std::int16_t(le16(d + 2)), -32768);
  EXPECT_EQ(std::int16_t(le16(d + 4)), 32767);
  float f[2] = {0.5f, -0.25f};
  applyGain(reinterpret_cast<std::uint8_t*>(f), sizeof f, SampleType::Float32, 4.0);
  EXPECT_FLOAT_EQ(f[0], 2.0f);  // floats are not clipped
  EXPECT_FLOAT_EQ(f[1], -1.0f);
}

TEST(Samples, PeakIsTheLargestMagnitude) {
  std::uint8_t d[6];
  put16(d, 100);
  put16(d + 2, std::uint16_t(-16384));
  put16(d + 4, 8000);
  EXPECT_DOUBLE_EQ(peakOf(d, sizeof d, SampleType::Int16), 0.5);
  std::uint8_t silence[4] = {128, 128, 128, 128};
  EXPECT_EQ(peakOf(silence, 4, SampleType::UInt8), 0.0);
}

struct GainCase {
  const char* text;
  bool ok;
  double db;
};

TEST(EffectSettings, GainTexts) {
  const GainCase cases[] = {{"db=-6", true, -6},     {"gain=+3.5", true, 3.5}, {"-6 dB", true, -6},
                            {"2.25dB", true, 2.25},  {"DB=0", true, 0},        {"", false, 0},
                            {"loud", false, 0},      {"db=", false, 0},        {"db=1e3", false, 0},
                            {"db=-121", false, 0},   {"db=61", false, 0},      {"db=3 extra=1", false, 0},
                            {"db=nan", false, 0},    {"db=--3", false, 0}};
  for (const auto& c : cases) {
    double db = 99;
    std::string error;
    std::u16string text(c.text, c.text + std::strlen(c.text));
    EXPECT_EQ(parseGainSettings(text, db, error), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(db, c.db) << c.text;
    } else {
      EXPECT_FALSE(error.empty()) << c.text;
    }
  }
}

TEST(EffectSettings, NormaliseTexts) {
  const GainCase cases[] = {{"", true, -1},          {"peak=-0.5", true, -0.5}, {"-3 dB", true, -3},
                            {"0", true, 0},          {"peak=1", false, 0},      {"peak=-61", false, 0},
                            {"level=-1", false, 0},  {"peak", false, 0}};
  for (const auto& c : cases) {
    double db = 99;
    std::string error;
    std::u16string text(c.text, c.text + std::strlen(c.text));
    EXPECT_EQ(parseNormalizeSettings(text, db, error), c.ok) << c.text;
    if (c.ok) {
      EXPECT_DOUBLE_EQ(db, c.db) << c.text;
    }
  }
}

namespace {
class MemoryRaw : public RawAudioFile {
 public:
  explicit MemoryRaw(Bytes b) : bytes(std::move(b)) {}
  std::uint64_t size() override { return bytes.size(); }
  bool read(std::uint64_t o, void* p, std::size_t n) override {
    std::memcpy(p, bytes.data() + o, n);
    return true;
  }
  bool write(std::uint64_t o, const void* p, std::size_t n) override {
    std::memcpy(bytes.data() + o, p, n);
    return true;
  }
  Bytes bytes;
};
}  // namespace

TEST(Normalise, BringsThePeakToTheTarget) {
  Bytes audio(4 * 3000);
  for (std::size_t i = 0; i < 6000; ++i) put16(audio.data() + 2 * i, std::uint16_t(std::int16_t(std::lround(8192 * std::sin(i * 0.01)))));
  MemoryRaw raw(audio);
  WaveFormat f = makeFormat(SampleType::Int16, 2, 44100);
  NormalizeOutcome outcome;
  std::string error;
  ASSERT_TRUE(normalizeInPlace(raw, f, -1.0, nullptr, outcome, error)) << error;
  EXPECT_NEAR(outcome.peak, 0.25, 0.001);
  EXPECT_NEAR(outcome.gainDb, 20 * std::log10(dbToFactor(-1) / 0.25), 0.01);
  EXPECT_NEAR(peakOf(raw.bytes.data(), raw.bytes.size(), SampleType::Int16), dbToFactor(-1.0), 0.0001);
}

TEST(Normalise, LeavesSilenceAloneAndStopsWhenAsked) {
  MemoryRaw silent(Bytes(4000, 0));
  WaveFormat f = makeFormat(SampleType::Int16, 2, 44100);
  NormalizeOutcome outcome;
  std::string error;
  ASSERT_TRUE(normalizeInPlace(silent, f, -1.0, nullptr, outcome, error));
  EXPECT_TRUE(outcome.silent);
  EXPECT_EQ(silent.bytes, Bytes(4000, 0));

  Bytes audio(4000, 0x10);
  MemoryRaw raw(audio);
  ASSERT_TRUE(normalizeInPlace(raw, f, -1.0, [] { return true; }, outcome, error));
  EXPECT_TRUE(outcome.stopped);
  EXPECT_EQ(raw.bytes, audio);
}

struct OptionCase {
  const char* commandLine;
  SampleType input;
  bool ok;
  SampleType output;
};

TEST(EncoderOptions, ChooseTheOutputSampleType) {
  const OptionCase cases[] = {
      {"", SampleType::Int16, true, SampleType::Int16},
      {"", SampleType::Float64, true, SampleType::Float64},
      {" -bits=\"24\"", SampleType::Int16, true, SampleType::Int24},
      {" -bits 8", SampleType::Int16, true, SampleType::UInt8},
      {" -float", SampleType::Int16, true, SampleType::Float32},
      {" -float -bits=\"64\"", SampleType::Int24, true, SampleType::Float64},
      {" --bits=32", SampleType::Float32, true, SampleType::Int32},
      {" -pcm", SampleType::Float32, true, SampleType::Int24},
      {" -unknown=\"x\" -bits=\"16\"", SampleType::Int24, true, SampleType::Int16},
      {" -bits=\"12\"", SampleType::Int16, false, SampleType::Unsupported},
      {" -bits=\"abc\"", SampleType::Int16, false, SampleType::Unsupported},
      {" -float -bits=\"16\"", SampleType::Int16, false, SampleType::Unsupported},
      {" -pcm -float", SampleType::Int16, false, SampleType::Unsupported},
  };
  for (const auto& c : cases) {
    std::u16string line(c.commandLine, c.commandLine + std::strlen(c.commandLine));
    WaveFormat in = makeFormat(c.input, 2, 44100), out;
    std::string error;
    ASSERT_EQ(chooseOutputFormat(line, in, out, error), c.ok) << c.commandLine << " " << error;
    if (c.ok) {
      EXPECT_EQ(out.sampleType(), c.output) << c.commandLine;
      EXPECT_EQ(out.channels, 2);
      EXPECT_EQ(out.sampleRate, 44100u);
    } else {
      EXPECT_FALSE(error.empty());
    }
  }
}

TEST(EncoderOptions, SplitsLikeTheHost) {
  auto o = splitOptions(u" -V=\"2\" -cbr --name value -q");
  ASSERT_EQ(o.size(), 4u);
  EXPECT_EQ(o[0].name, u"V");
  EXPECT_EQ(o[0].value, u"2");
  EXPECT_EQ(o[1].value, u"");
  EXPECT_EQ(o[2].name, u"name");
  EXPECT_EQ(o[2].value, u"value");
  EXPECT_EQ(o[3].name, u"q");
}

TEST(EncoderOptions, StoredChoicesApplyWhenTheCommandLineIsSilent) {
  struct Case {
    const char* commandLine;
    unsigned bitDepth, header;
    SampleType output;
    bool extensible;
  };
  const Case cases[] = {{"", 0, 0, SampleType::Int16, false},      {"", 1, 0, SampleType::UInt8, false},
                        {"", 3, 0, SampleType::Int24, true},       {"", 5, 0, SampleType::Float32, false},
                        {"", 6, 1, SampleType::Float64, true},     {"", 2, 1, SampleType::Int16, true},
                        {" -bits=16", 6, 0, SampleType::Int16, false}, {" -float", 3, 0, SampleType::Float32, false},
                        {"", 99, 7, SampleType::Int16, false}};
  for (const auto& c : cases) {
    std::u16string line(c.commandLine, c.commandLine + std::strlen(c.commandLine));
    WaveFormat out;
    std::string error;
    StoredEncoderChoices stored;
    stored.bitDepth = c.bitDepth;
    stored.header = c.header;
    ASSERT_TRUE(chooseOutputFormat(line, makeFormat(SampleType::Int16, 2, 44100), out, error, stored))
        << c.commandLine << c.bitDepth << error;
    EXPECT_EQ(out.sampleType(), c.output) << c.commandLine << " " << c.bitDepth;
    EXPECT_EQ(out.isExtensible(), c.extensible) << c.commandLine << " " << c.bitDepth;
  }
}
