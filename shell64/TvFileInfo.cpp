#include "TvFileInfo.h"

#include <cstring>

namespace tv {

namespace {

template <typename T>
T LittleEndian(const uint8_t* at) {
  uint64_t value = 0;
  for (size_t i = 0; i < sizeof(T); ++i) value |= uint64_t(at[i]) << (8 * i);
  return T(value);
}

}  // namespace

AudioFields ReadAudioFields(const uint8_t (&audio)[kAudioInfoRecordBytes]) {
  AudioFields fields;
  fields.channels = LittleEndian<uint16_t>(audio + 2);
  fields.sampleRate = LittleEndian<uint32_t>(audio + 4);
  fields.averageBytesPerSecond = LittleEndian<uint32_t>(audio + 8);
  fields.bitsPerSample = LittleEndian<uint16_t>(audio + 14);
  fields.bitRate = LittleEndian<int32_t>(audio + 40);
  fields.lengthMs = LittleEndian<int64_t>(audio + 44);
  fields.fileSize = LittleEndian<int64_t>(audio + 52);
  return fields;
}

bool ReadFileInfoAnswer(const uint8_t* data, size_t size, FileInfo& info) {
  AudioInfoAnswer answer;
  if (!ReadAudioInfoAnswer(data, size, answer)) return false;
  // A tag block that is malformed inside keeps the elements read before the fault.
  info.tags.Load(answer.tagBlock.data(), int64_t(answer.tagBlock.size()));
  info.elements.Load(answer.propertyBlock.data(), int64_t(answer.propertyBlock.size()));
  std::memcpy(info.audio, answer.audio, kAudioInfoRecordBytes);
  return true;
}

}  // namespace tv
