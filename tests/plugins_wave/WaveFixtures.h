// Builds WAVE files byte by byte for the tests, independently of the
// plug-ins' own writer, so reader and writer are checked against each other
// and against hand-made layouts.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace wavetest {

using Bytes = std::vector<std::uint8_t>;

struct Chunk {
  std::string id;
  Bytes body;
};

void add16(Bytes& b, std::uint16_t v);
void add32(Bytes& b, std::uint32_t v);
void addId(Bytes& b, const std::string& id);
void addText(Bytes& b, const std::string& s);  // without terminator

// A "fmt " body: plain (16 bytes for PCM, 18 otherwise) or extensible (40).
Bytes fmtBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
              bool extensible = false, std::uint16_t subFormat = 1);
// "RIFF" size "WAVE" and the chunks, each padded to even size.
Bytes riffFile(const std::vector<Chunk>& chunks);
// `frames` frames of a deterministic ramp, `bytesPerFrame` bytes each.
Bytes rampAudio(std::size_t bytes, std::uint8_t seed = 1);
// A simple file: fmt + data.
Bytes simpleWave(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                 const Bytes& audio, bool extensible = false);

}  // namespace wavetest
