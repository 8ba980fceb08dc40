#include "WaveFixtures.h"

namespace wavetest {

void add16(Bytes& b, std::uint16_t v) {
  b.push_back(std::uint8_t(v));
  b.push_back(std::uint8_t(v >> 8));
}
void add32(Bytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}
void addId(Bytes& b, const std::string& id) { b.insert(b.end(), id.begin(), id.begin() + 4); }
void addText(Bytes& b, const std::string& s) { b.insert(b.end(), s.begin(), s.end()); }

Bytes fmtBody(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits, bool extensible,
              std::uint16_t subFormat) {
  Bytes b;
  std::uint16_t align = std::uint16_t(channels * ((bits + 7) / 8));
  add16(b, extensible ? 0xFFFE : tag);
  add16(b, channels);
  add32(b, rate);
  add32(b, align * rate);
  add16(b, align);
  add16(b, bits);
  if (extensible) {
    add16(b, 22);
    add16(b, bits);
    add32(b, channels == 2 ? 3 : 0);
    add16(b, subFormat);
    const std::uint8_t tail[] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    b.insert(b.end(), tail, tail + sizeof tail);
  } else if (tag != 1) {
    add16(b, 0);
  }
  return b;
}

Bytes riffFile(const std::vector<Chunk>& chunks) {
  Bytes body;
  addId(body, "WAVE");
  for (const auto& c : chunks) {
    addId(body, c.id);
    add32(body, std::uint32_t(c.body.size()));
    body.insert(body.end(), c.body.begin(), c.body.end());
    if (c.body.size() & 1) body.push_back(0);
  }
  Bytes file;
  addId(file, "RIFF");
  add32(file, std::uint32_t(body.size()));
  file.insert(file.end(), body.begin(), body.end());
  return file;
}

Bytes rampAudio(std::size_t bytes, std::uint8_t seed) {
  Bytes b(bytes);
  std::uint32_t x = seed * 2654435761u;
  for (auto& v : b) {
    x = x * 1103515245u + 12345u;
    v = std::uint8_t(x >> 16);
  }
  return b;
}

Bytes simpleWave(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t bits,
                 const Bytes& audio, bool extensible) {
  return riffFile({{"fmt ", fmtBody(tag, channels, rate, bits, extensible, tag)}, {"data", audio}});
}

}  // namespace wavetest
