// What the shell extension knows about one audio file: its ID tags, the
// decoder's property elements and the 68-byte audio record, as TipfetchInfo
// answers them (or an in-process decoder gives them). No platform calls.
#pragma once
#include <cstddef>
#include <cstdint>
#include <string>

#include "TvAudioInfoAnswer.h"
#include "clTagList.h"

namespace tv {

struct FileInfo {
  std::wstring path;
  uint64_t lastWriteTime = 0;  // FILETIME as a 64-bit count; 0 when the file was not found
  clTagList tags;
  clTagList elements;
  uint8_t audio[kAudioInfoRecordBytes] = {};
};

// The fields of the audio record the columns show (little-endian): the wave
// format's channels (+2), sample rate (+4), average bytes per second (+8)
// and bits per sample (+14); bit rate (+40), play length in ms (+44) and
// file size in bytes (+52).
struct AudioFields {
  uint16_t channels = 0;
  uint32_t sampleRate = 0;
  uint32_t averageBytesPerSecond = 0;
  uint16_t bitsPerSample = 0;
  int32_t bitRate = 0;
  int64_t lengthMs = 0;
  int64_t fileSize = 0;
};

AudioFields ReadAudioFields(const uint8_t (&audio)[kAudioInfoRecordBytes]);

// Accepts a file information answer only when it is exactly the "IDTG",
// "AUDP" and "AUDI" blocks in order, every count within the data and the
// "AUDI" count 68 with nothing after it; then fills tags, elements and the
// audio record of `info` (path and time are left alone). On false `info`'s
// tags, elements and audio record are untouched. Never reads outside
// [data, data + size).
bool ReadFileInfoAnswer(const uint8_t* data, size_t size, FileInfo& info);

}  // namespace tv
