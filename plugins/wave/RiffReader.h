// Finds the chunks of a RIFF WAVE or RF64 file: the format, where the audio
// lies, and the metadata chunks. Every size is checked against the file's
// size, so a damaged file gives a reason, never a read past its end.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "WaveFormat.h"
#include "WaveIo.h"

namespace tvw {

struct RiffChunk {
  char id[5] = {0};
  std::uint64_t bodyOffset = 0;
  std::uint64_t size = 0;  // usable body bytes (a truncated data chunk: what is there)
};

struct WaveLayout {
  bool rf64 = false;
  WaveFormat format;
  std::uint64_t fileSize = 0;
  std::uint64_t dataOffset = 0;
  std::uint64_t dataSize = 0;     // whole frames only
  bool dataTruncated = false;     // the data chunk claimed more than the file holds
  std::vector<RiffChunk> chunks;  // in file order
  int fmtChunk = -1, dataChunk = -1, infoChunk = -1, id3Chunk = -1;
};

// Metadata chunks larger than this are not read into memory.
constexpr std::uint64_t kMaxMetadataChunk = 256u * 1024u * 1024u;

// false with a reason ("it is not a RIFF WAVE file", ...) to be put after
// the file's name in an error line.
bool parseWave(ByteSource& src, WaveLayout& layout, std::string& error);
bool readChunk(ByteSource& src, const RiffChunk& chunk, Bytes& body);

}  // namespace tvw
