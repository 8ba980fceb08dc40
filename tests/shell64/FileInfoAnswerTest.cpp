// The strict check of a file information answer: exactly "IDTG", "AUDP" and
// "AUDI" 68 in order, every count within the data, nothing after.
#include <gtest/gtest.h>

#include "AnswerBytes.h"
#include "GuardedBuffer.h"
#include "TvTagBlock.h"

namespace {

std::vector<uint8_t> Tags() { return tv::WriteTagBlock({{L"ARTIST", L"Nia", {}}, {L"MOOD", L"calm", {}}}); }
std::vector<uint8_t> Properties() { return tv::WriteTagBlock({{L"Audio Quality", L"Lossless", {}}}); }
std::vector<uint8_t> Record() { return AudioRecordBytes(AudioRecordFields()); }

bool Accepts(const std::vector<uint8_t>& bytes) {
  clGuardedBuffer guarded(bytes);
  EXPECT_TRUE(guarded.Ready());
  tv::FileInfo info;
  return tv::ReadFileInfoAnswer(guarded.Data(), guarded.Size(), info);
}

TEST(FileInfoAnswer, WellFormedAnswerFillsTagsElementsAndRecord) {
  const std::vector<uint8_t> bytes = AnswerBytes(Tags(), Properties(), Record());
  clGuardedBuffer guarded(bytes);
  tv::FileInfo info;
  ASSERT_TRUE(tv::ReadFileInfoAnswer(guarded.Data(), guarded.Size(), info));
  ASSERT_EQ(info.tags.Count(), 2u);
  EXPECT_EQ(info.tags.Find(L"mood")->value, L"calm");
  ASSERT_EQ(info.elements.Count(), 1u);
  EXPECT_EQ(info.elements.At(0).name, L"Audio Quality");
  const tv::AudioFields audio = tv::ReadAudioFields(info.audio);
  EXPECT_EQ(audio.channels, 2);
  EXPECT_EQ(audio.sampleRate, 44100u);
  EXPECT_EQ(audio.averageBytesPerSecond, 176400u);
  EXPECT_EQ(audio.bitsPerSample, 16);
  EXPECT_EQ(audio.bitRate, 1411200);
  EXPECT_EQ(audio.lengthMs, 1000);
  EXPECT_EQ(audio.fileSize, 176444);
}

TEST(FileInfoAnswer, EmptyBlocksAreAccepted) {
  EXPECT_TRUE(Accepts(AnswerBytes({}, {}, Record())));
}

TEST(FileInfoAnswer, MalformedAnswersAreRejected) {
  const std::vector<uint8_t> tags = Tags(), properties = Properties(), record = Record();
  std::vector<uint8_t> record67(record.begin(), record.end() - 1);
  std::vector<uint8_t> record69 = record;
  record69.push_back(0);

  struct Case {
    const char* what;
    std::vector<uint8_t> bytes;
  };
  std::vector<Case> cases;
  cases.push_back({"empty", {}});
  cases.push_back({"only a marker", {'I', 'D', 'T', 'G'}});
  cases.push_back({"AUDI with 67 bytes", AnswerBytes(tags, properties, record67)});
  cases.push_back({"AUDI with 69 bytes", AnswerBytes(tags, properties, record69)});
  {
    std::vector<uint8_t> b = AnswerBytes(tags, properties, record);
    b.push_back(0);
    cases.push_back({"one trailing byte", b});
  }
  {
    std::vector<uint8_t> b = AnswerBytes(tags, properties, record);
    b.insert(b.end(), {'A', 'U', 'D', 'I', 68, 0, 0, 0});
    b.insert(b.end(), record.begin(), record.end());
    cases.push_back({"a second AUDI block", b});
  }
  {
    std::vector<uint8_t> b = AnswerBytes(tags, properties, record);
    b.pop_back();
    cases.push_back({"AUDI cut short", b});
  }
  {
    std::vector<uint8_t> b;
    AppendBlock(b, "IDTG", uint32_t(tags.size()), tags);
    AppendBlock(b, "AUDP", uint32_t(properties.size()), properties);
    AppendBlock(b, "AUDI", 67, record);  // count says 67, 68 bytes follow
    cases.push_back({"AUDI count 67 with 68 bytes", b});
  }
  {
    std::vector<uint8_t> b;
    AppendBlock(b, "IDTG", uint32_t(tags.size()) + 1000, tags);  // count beyond the data
    AppendBlock(b, "AUDP", uint32_t(properties.size()), properties);
    AppendBlock(b, "AUDI", 68, record);
    cases.push_back({"tag count beyond the data", b});
  }
  {
    std::vector<uint8_t> b;
    AppendBlock(b, "IDTG", 0xFFFFFFFFu, tags);
    AppendBlock(b, "AUDP", uint32_t(properties.size()), properties);
    AppendBlock(b, "AUDI", 68, record);
    cases.push_back({"tag count 0xFFFFFFFF", b});
  }
  {
    std::vector<uint8_t> b;
    AppendBlock(b, "IDTG", uint32_t(tags.size()), tags);
    AppendBlock(b, "AUDP", 0xFFFFFFF8u, properties);
    AppendBlock(b, "AUDI", 68, record);
    cases.push_back({"property count near 2^32", b});
  }
  {
    std::vector<uint8_t> b;
    AppendBlock(b, "IDTG", uint32_t(tags.size()) - 1, tags);  // one byte short: markers out of step
    AppendBlock(b, "AUDP", uint32_t(properties.size()), properties);
    AppendBlock(b, "AUDI", 68, record);
    cases.push_back({"tag count one short", b});
  }
  {
    std::vector<uint8_t> b;
    AppendBlock(b, "AUDP", uint32_t(properties.size()), properties);
    AppendBlock(b, "IDTG", uint32_t(tags.size()), tags);
    AppendBlock(b, "AUDI", 68, record);
    cases.push_back({"blocks out of order", b});
  }
  {
    std::vector<uint8_t> b;
    AppendBlock(b, "IDTG", uint32_t(tags.size()), tags);
    AppendBlock(b, "AUDI", 68, record);
    cases.push_back({"no AUDP block", b});
  }
  {
    std::vector<uint8_t> b;
    AppendBlock(b, "idtg", uint32_t(tags.size()), tags);
    AppendBlock(b, "AUDP", uint32_t(properties.size()), properties);
    AppendBlock(b, "AUDI", 68, record);
    cases.push_back({"marker in lower case", b});
  }
  {
    std::vector<uint8_t> b;
    AppendBlock(b, "IDTG", uint32_t(tags.size()), tags);
    AppendBlock(b, "AUDP", uint32_t(properties.size()), properties);
    cases.push_back({"no AUDI block", b});
  }
  for (const Case& c : cases) EXPECT_FALSE(Accepts(c.bytes)) << c.what;
}

TEST(FileInfoAnswer, RejectionLeavesTheRecordUntouched) {
  tv::FileInfo info;
  info.tags.Add(L"KEEP", L"me");
  std::vector<uint8_t> bytes = AnswerBytes(Tags(), {}, Record());
  bytes.push_back(1);
  EXPECT_FALSE(tv::ReadFileInfoAnswer(bytes.data(), bytes.size(), info));
  ASSERT_EQ(info.tags.Count(), 1u);
  EXPECT_EQ(info.tags.At(0).name, L"KEEP");
}

TEST(FileInfoAnswer, NullDataIsRejected) {
  tv::FileInfo info;
  EXPECT_FALSE(tv::ReadFileInfoAnswer(nullptr, 100, info));
}

}  // namespace
