#include <gtest/gtest.h>

#include "RiffReader.h"
#include "WaveFixtures.h"

using namespace tvw;
using wavetest::fmtBody;
using wavetest::riffFile;

struct FormatCase {
  const char* what;
  std::uint16_t tag, channels, bits;
  bool extensible;
  SampleType type;
};

class ReadsFormat : public ::testing::TestWithParam<FormatCase> {};

TEST_P(ReadsFormat, FindsTypeAndAudio) {
  const FormatCase& c = GetParam();
  std::uint16_t align = std::uint16_t(c.channels * c.bits / 8);
  Bytes audio = wavetest::rampAudio(align * 100u);
  Bytes file = wavetest::simpleWave(c.tag, c.channels, 48000, c.bits, audio, c.extensible);
  MemorySource src(file);
  WaveLayout layout;
  std::string error;
  ASSERT_TRUE(parseWave(src, layout, error)) << c.what << ": " << error;
  EXPECT_EQ(layout.format.sampleType(), c.type) << c.what;
  EXPECT_EQ(layout.format.isExtensible(), c.extensible);
  EXPECT_EQ(layout.format.effectiveTag(), c.tag);
  EXPECT_EQ(layout.dataSize, audio.size());
  EXPECT_EQ(Bytes(file.begin() + std::ptrdiff_t(layout.dataOffset), file.begin() + std::ptrdiff_t(layout.dataOffset + layout.dataSize)), audio);
  EXPECT_FALSE(layout.dataTruncated);
}

INSTANTIATE_TEST_SUITE_P(
    Formats, ReadsFormat,
    ::testing::Values(FormatCase{"pcm8", 1, 1, 8, false, SampleType::UInt8},
                      FormatCase{"pcm16", 1, 2, 16, false, SampleType::Int16},
                      FormatCase{"pcm24", 1, 2, 24, false, SampleType::Int24},
                      FormatCase{"pcm32", 1, 2, 32, false, SampleType::Int32},
                      FormatCase{"float32", 3, 2, 32, false, SampleType::Float32},
                      FormatCase{"float64", 3, 1, 64, false, SampleType::Float64},
                      FormatCase{"extensible pcm24 5.1", 1, 6, 24, true, SampleType::Int24},
                      FormatCase{"extensible float", 3, 2, 32, true, SampleType::Float32}));

struct BadCase {
  const char* what;
  Bytes file;
  const char* reason;
};

Bytes withRiffHeader(const char* id, const Bytes& rest) {
  Bytes b;
  wavetest::addId(b, id);
  wavetest::add32(b, std::uint32_t(rest.size() + 4));
  wavetest::addId(b, "WAVE");
  b.insert(b.end(), rest.begin(), rest.end());
  return b;
}

std::vector<BadCase> badCases() {
  Bytes pcm = fmtBody(1, 2, 44100, 16);
  Bytes overrun;
  wavetest::addId(overrun, "LIST");
  wavetest::add32(overrun, 1000);
  wavetest::addText(overrun, "INFO");
  Bytes shortFmt = pcm;
  shortFmt.resize(12);
  Bytes zeroChannels = fmtBody(1, 0, 44100, 16);
  return {
      {"empty", {}, "too short"},
      {"text", Bytes{'h', 'e', 'l', 'l', 'o', ' ', 'w', 'o', 'r', 'l', 'd', '!', '!'}, "not a RIFF WAVE"},
      {"avi", withRiffHeader("RIFX", {}), "not a RIFF WAVE"},
      {"no fmt", riffFile({{"data", Bytes(8)}}), "no 'fmt '"},
      {"no data", riffFile({{"fmt ", pcm}}), "no 'data'"},
      {"short fmt", riffFile({{"fmt ", shortFmt}, {"data", Bytes(8)}}), "too short"},
      {"chunk runs past the end", withRiffHeader("RIFF", overrun), "runs past the end"},
      {"adpcm", riffFile({{"fmt ", fmtBody(2, 2, 44100, 4)}, {"data", Bytes(8)}}), "not supported"},
      {"no channels", riffFile({{"fmt ", zeroChannels}, {"data", Bytes(8)}}), "channel count"},
      {"no rate", riffFile({{"fmt ", fmtBody(1, 2, 0, 16)}, {"data", Bytes(8)}}), "sample rate"},
      {"12-bit float", riffFile({{"fmt ", fmtBody(3, 2, 44100, 16)}, {"data", Bytes(8)}}), "not supported"},
      {"rf64 without ds64", withRiffHeader("RF64", [] {
         Bytes b;
         wavetest::addId(b, "fmt ");
         wavetest::add32(b, 16);
         Bytes f = fmtBody(1, 2, 44100, 16);
         b.insert(b.end(), f.begin(), f.end());
         wavetest::addId(b, "data");
         wavetest::add32(b, 0xFFFFFFFFu);
         return b;
       }()),
       "no 'ds64'"},
  };
}

TEST(WaveReader, DamagedFilesGiveAReason) {
  for (const auto& c : badCases()) {
    MemorySource src(c.file);
    WaveLayout layout;
    std::string error;
    EXPECT_FALSE(parseWave(src, layout, error)) << c.what;
    EXPECT_NE(error.find(c.reason), std::string::npos) << c.what << ": " << error;
  }
}

TEST(WaveReader, EveryTruncationIsAnErrorOrShorterAudio) {
  Bytes audio = wavetest::rampAudio(400);
  Bytes file = riffFile({{"fmt ", fmtBody(1, 2, 44100, 16)}, {"LIST", [] {
                            Bytes b;
                            wavetest::addText(b, "INFOINAM");
                            wavetest::add32(b, 4);
                            wavetest::addText(b, "abc");
                            b.push_back(0);
                            return b;
                          }()},
                         {"data", audio}});
  std::size_t dataStart = file.size() - audio.size();
  for (std::size_t n = 0; n < file.size(); ++n) {
    Bytes cut(file.begin(), file.begin() + std::ptrdiff_t(n));
    MemorySource src(cut);
    WaveLayout layout;
    std::string error;
    bool ok = parseWave(src, layout, error);
    if (n < dataStart) {
      EXPECT_FALSE(ok) << n;
      EXPECT_FALSE(error.empty());
    } else {
      ASSERT_TRUE(ok) << n << ": " << error;
      EXPECT_TRUE(layout.dataTruncated);
      EXPECT_EQ(layout.dataSize, (n - dataStart) / 4 * 4);
      EXPECT_LE(layout.dataOffset + layout.dataSize, n);
    }
  }
}

TEST(WaveReader, DataChunkLargerThanTheFileIsClampedToWholeFrames) {
  Bytes file = wavetest::simpleWave(1, 2, 44100, 16, wavetest::rampAudio(103));
  // Declare far more audio than there is.
  std::size_t sizeAt = file.size() - 103 - 1 - 4;
  put32(file.data() + sizeAt, 0x7FFFFFF0u);
  MemorySource src(file);
  WaveLayout layout;
  std::string error;
  ASSERT_TRUE(parseWave(src, layout, error)) << error;
  EXPECT_TRUE(layout.dataTruncated);
  EXPECT_EQ(layout.dataSize, 104u);  // 103 bytes + pad byte, cut to frames of 4
}

TEST(WaveReader, FindsMetadataChunksBeforeAndAfterTheAudio) {
  Bytes info;
  wavetest::addText(info, "INFO");
  Bytes id3 = {'I', 'D', '3', 4, 0, 0, 0, 0, 0, 0};
  Bytes file = riffFile({{"fmt ", fmtBody(1, 1, 8000, 16)}, {"LIST", info}, {"data", Bytes(10)}, {"id3 ", id3}});
  MemorySource src(file);
  WaveLayout layout;
  std::string error;
  ASSERT_TRUE(parseWave(src, layout, error)) << error;
  EXPECT_EQ(layout.infoChunk, 1);
  EXPECT_EQ(layout.dataChunk, 2);
  EXPECT_EQ(layout.id3Chunk, 3);
}
