#include <gtest/gtest.h>

#include "RiffReader.h"
#include "RiffWriter.h"
#include "WaveFixtures.h"

using namespace tvw;

namespace {
WaveLayout parsed(const Bytes& file) {
  MemorySource src(file);
  WaveLayout layout;
  std::string error;
  EXPECT_TRUE(parseWave(src, layout, error)) << error;
  return layout;
}
Bytes audioOf(const Bytes& file, const WaveLayout& l) {
  return Bytes(file.begin() + std::ptrdiff_t(l.dataOffset), file.begin() + std::ptrdiff_t(l.dataOffset + l.dataSize));
}
}  // namespace

TEST(WaveStreamWriter, WritesARiffFileOtherReadersAccept) {
  MemorySink sink;
  WaveStreamWriter w(sink);
  WaveFormat f = makeFormat(SampleType::Int16, 2, 44100);
  Bytes audio = wavetest::rampAudio(4000);
  ASSERT_TRUE(w.begin(f));
  ASSERT_TRUE(w.writeAudio(audio.data(), 1000));
  ASSERT_TRUE(w.writeAudio(audio.data() + 1000, 3000));
  ASSERT_TRUE(w.finish());
  EXPECT_FALSE(w.rf64());
  EXPECT_EQ(std::string(sink.bytes.begin(), sink.bytes.begin() + 4), "RIFF");
  EXPECT_EQ(le32(sink.bytes.data() + 4), sink.bytes.size() - 8);
  WaveLayout l = parsed(sink.bytes);
  EXPECT_EQ(l.format.formatTag, kTagPcm);
  EXPECT_EQ(l.format.avgBytesPerSec, 176400u);
  EXPECT_EQ(audioOf(sink.bytes, l), audio);
}

TEST(WaveStreamWriter, OddAudioIsPaddedOutsideTheDataSize) {
  MemorySink sink;
  WaveStreamWriter w(sink);
  ASSERT_TRUE(w.begin(makeFormat(SampleType::UInt8, 1, 8000)));
  Bytes audio = wavetest::rampAudio(7);
  ASSERT_TRUE(w.writeAudio(audio.data(), audio.size()));
  ASSERT_TRUE(w.finish());
  EXPECT_EQ(sink.bytes.size() % 2, 0u);
  WaveLayout l = parsed(sink.bytes);
  EXPECT_EQ(l.dataSize, 7u);
}

TEST(WaveStreamWriter, BecomesRf64PastTheRiffLimit) {
  MemorySink sink;
  WaveStreamWriter w(sink);
  w.setRiffLimitForTest(1000);  // stands in for 4 GB
  WaveFormat f = makeFormat(SampleType::Int24, 2, 48000);
  Bytes audio = wavetest::rampAudio(6 * 300);
  ASSERT_TRUE(w.begin(f));
  ASSERT_TRUE(w.writeAudio(audio.data(), audio.size()));
  ASSERT_TRUE(w.finish());
  EXPECT_TRUE(w.rf64());
  EXPECT_EQ(std::string(sink.bytes.begin(), sink.bytes.begin() + 4), "RF64");
  EXPECT_EQ(le32(sink.bytes.data() + 4), 0xFFFFFFFFu);
  EXPECT_EQ(std::string(sink.bytes.begin() + 12, sink.bytes.begin() + 16), "ds64");
  EXPECT_EQ(le64(sink.bytes.data() + 20), sink.bytes.size() - 8);  // RIFF size
  EXPECT_EQ(le64(sink.bytes.data() + 28), audio.size());           // data size
  EXPECT_EQ(le64(sink.bytes.data() + 36), audio.size() / 6);       // sample frames
  WaveLayout l = parsed(sink.bytes);
  EXPECT_TRUE(l.rf64);
  EXPECT_TRUE(l.format.isExtensible());
  EXPECT_EQ(audioOf(sink.bytes, l), audio);
}

TEST(WaveRewrite, KeepsAudioAndOtherChunksAndReplacesMetadata) {
  Bytes audio = wavetest::rampAudio(4 * 50);
  Bytes bext(602, 7);
  Bytes oldInfo;
  wavetest::addText(oldInfo, "INFO");
  Bytes file = wavetest::riffFile({{"fmt ", wavetest::fmtBody(1, 2, 44100, 16)},
                                   {"bext", bext},
                                   {"LIST", oldInfo},
                                   {"JUNK", Bytes(28)},
                                   {"data", audio},
                                   {"cue ", Bytes(5, 1)},
                                   {"id3 ", Bytes{'I', 'D', '3', 4, 0, 0, 0, 0, 0, 0}}});
  MemorySource src(file);
  WaveLayout layout = parsed(file);
  Bytes newInfo = {'I', 'N', 'F', 'O', 'I', 'N', 'A', 'M', 2, 0, 0, 0, 'x', 0};
  Bytes newId3 = {'I', 'D', '3', 4, 0, 0, 0, 0, 0, 1, 0};
  MemorySink out;
  std::string error;
  ASSERT_TRUE(rewriteWave(src, layout, newInfo, newId3, out, error)) << error;
  WaveLayout l = parsed(out.bytes);
  std::vector<std::string> ids;
  for (const auto& c : l.chunks) ids.push_back(std::string(c.id, 4));
  EXPECT_EQ(ids, (std::vector<std::string>{"fmt ", "bext", "LIST", "data", "cue ", "id3 "}));
  EXPECT_EQ(audioOf(out.bytes, l), audio);
  EXPECT_EQ(l.chunks[size_t(l.id3Chunk)].size, newId3.size());
  EXPECT_EQ(le32(out.bytes.data() + 4), out.bytes.size() - 8);
}

TEST(WaveRewrite, RepairsATruncatedDataChunkAndCanBecomeRf64) {
  Bytes audio = wavetest::rampAudio(400);
  Bytes file = wavetest::simpleWave(1, 2, 44100, 16, audio);
  file.resize(file.size() - 101);  // cut into the audio
  MemorySource src(file);
  WaveLayout layout = parsed(file);
  ASSERT_TRUE(layout.dataTruncated);
  MemorySink out;
  std::string error;
  ASSERT_TRUE(rewriteWave(src, layout, {}, {}, out, error, 200)) << error;
  WaveLayout l = parsed(out.bytes);
  EXPECT_TRUE(l.rf64);
  EXPECT_FALSE(l.dataTruncated);
  EXPECT_EQ(audioOf(out.bytes, l), Bytes(audio.begin(), audio.begin() + 296));
}
