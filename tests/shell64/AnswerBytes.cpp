#include "AnswerBytes.h"

#include <cstring>

namespace {

void Put(std::vector<uint8_t>& bytes, size_t at, uint64_t value, size_t width) {
  for (size_t i = 0; i < width; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> AudioRecordBytes(const AudioRecordFields& f) {
  std::vector<uint8_t> record(tv::kAudioInfoRecordBytes, 0);
  const uint32_t blockAlign = f.channels * f.bitsPerSample / 8;
  Put(record, 0, 1, 2);  // PCM
  Put(record, 2, f.channels, 2);
  Put(record, 4, f.sampleRate, 4);
  Put(record, 8, uint64_t(f.sampleRate) * blockAlign, 4);
  Put(record, 12, blockAlign, 2);
  Put(record, 14, f.bitsPerSample, 2);
  Put(record, 40, uint32_t(f.bitRate), 4);
  Put(record, 44, uint64_t(f.lengthMs), 8);
  Put(record, 52, uint64_t(f.fileSize), 8);
  return record;
}

void PutAudioRecord(const AudioRecordFields& fields, tv::FileInfo& info) {
  const std::vector<uint8_t> record = AudioRecordBytes(fields);
  std::memcpy(info.audio, record.data(), record.size());
}

void AppendBlock(std::vector<uint8_t>& out, const char* marker, uint32_t count, const std::vector<uint8_t>& bytes) {
  out.insert(out.end(), marker, marker + 4);
  for (int i = 0; i < 4; ++i) out.push_back(uint8_t(count >> (8 * i)));
  out.insert(out.end(), bytes.begin(), bytes.end());
}

std::vector<uint8_t> AnswerBytes(const std::vector<uint8_t>& tagBlock, const std::vector<uint8_t>& propertyBlock,
                                 const std::vector<uint8_t>& audioRecord) {
  std::vector<uint8_t> out;
  AppendBlock(out, "IDTG", uint32_t(tagBlock.size()), tagBlock);
  AppendBlock(out, "AUDP", uint32_t(propertyBlock.size()), propertyBlock);
  AppendBlock(out, "AUDI", uint32_t(audioRecord.size()), audioRecord);
  return out;
}
