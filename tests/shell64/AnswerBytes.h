// Builds audio records and file information answers byte by byte, as the
// helper writes them, for the tests of the answer check and the columns.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "TvFileInfo.h"

struct AudioRecordFields {
  uint16_t channels = 2;
  uint32_t sampleRate = 44100;
  uint16_t bitsPerSample = 16;
  int32_t bitRate = 1411200;
  int64_t lengthMs = 1000;
  int64_t fileSize = 176444;
};

std::vector<uint8_t> AudioRecordBytes(const AudioRecordFields& fields);
void PutAudioRecord(const AudioRecordFields& fields, tv::FileInfo& info);

// One marked block: the four characters, a little-endian count, the bytes.
void AppendBlock(std::vector<uint8_t>& out, const char* marker, uint32_t count, const std::vector<uint8_t>& bytes);
// "IDTG" + tags, "AUDP" + properties, "AUDI" 68 + the record.
std::vector<uint8_t> AnswerBytes(const std::vector<uint8_t>& tagBlock, const std::vector<uint8_t>& propertyBlock,
                                 const std::vector<uint8_t>& audioRecord);
