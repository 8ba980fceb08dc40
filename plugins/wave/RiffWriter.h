// Writes WAVE files: streamed audio with its header fixed up at the end
// (RIFF, or RF64 once the file passes 4 GB), and the copy of an existing
// file with new metadata chunks.
#pragma once
#include <cstdint>
#include <string>

#include "RiffReader.h"
#include "WaveFormat.h"
#include "WaveIo.h"

namespace tvw {

// Above this a RIFF size field cannot hold the file.
constexpr std::uint64_t kRiffLimit = 0xFFFFFFFFull;

// Streams one WAVE file. A 28-byte JUNK chunk after "WAVE" keeps room for
// the ds64 chunk, so the header can become RF64 without moving the audio.
class WaveStreamWriter {
 public:
  explicit WaveStreamWriter(ByteSink& sink) : sink_(sink) {}
  bool begin(const WaveFormat& format);
  bool writeAudio(const void* data, std::size_t n);
  // Pads the data chunk, writes the final sizes. rf64() tells which form.
  bool finish();
  std::uint64_t dataBytes() const { return dataBytes_; }
  bool rf64() const { return rf64_; }
  // Test hook: the size from which the file is written as RF64.
  void setRiffLimitForTest(std::uint64_t limit) { limit_ = limit; }

 private:
  ByteSink& sink_;
  WaveFormat format_;
  std::uint64_t dataHeaderAt_ = 0;
  std::uint64_t dataBytes_ = 0;
  std::uint64_t limit_ = kRiffLimit;
  bool rf64_ = false;
};

// Copies the file's chunks to `out` leaving out its LIST/INFO, id3, JUNK and
// ds64 chunks; a non-empty `infoBody` becomes a LIST chunk just before the
// audio, a non-empty `id3` an "id3 " chunk at the end. A truncated data
// chunk is copied as far as it goes, with its true size.
bool rewriteWave(ByteSource& src, const WaveLayout& layout, const Bytes& infoBody, const Bytes& id3, ByteSink& out,
                 std::string& error, std::uint64_t riffLimit = kRiffLimit);

}  // namespace tvw
