#include "RiffWriter.h"

#include <algorithm>
#include <cstring>

namespace tvw {

namespace {
constexpr std::size_t kDs64Size = 28;  // RIFF size, data size, sample count, table length

Bytes chunkHeader(const char* id, std::uint32_t size) {
  Bytes b;
  appendId(b, id);
  append32(b, size);
  return b;
}

Bytes ds64Body(std::uint64_t riffSize, std::uint64_t dataSize, std::uint64_t samples) {
  Bytes b;
  append64(b, riffSize);
  append64(b, dataSize);
  append64(b, samples);
  append32(b, 0);
  return b;
}
}  // namespace

bool WaveStreamWriter::begin(const WaveFormat& format) {
  format_ = format;
  Bytes fmt = fmtChunkBody(format);
  Bytes h;
  appendId(h, "RIFF");
  append32(h, 0);
  appendId(h, "WAVE");
  appendId(h, "JUNK");
  append32(h, kDs64Size);
  h.resize(h.size() + kDs64Size, 0);
  appendId(h, "fmt ");
  append32(h, std::uint32_t(fmt.size()));
  h.insert(h.end(), fmt.begin(), fmt.end());
  dataHeaderAt_ = sink_.position() + h.size();
  appendId(h, "data");
  append32(h, 0);
  return sink_.write(h.data(), h.size());
}

bool WaveStreamWriter::writeAudio(const void* data, std::size_t n) {
  if (n == 0) return true;
  if (!sink_.write(data, n)) return false;
  dataBytes_ += n;
  return true;
}

bool WaveStreamWriter::finish() {
  if (dataBytes_ & 1) {
    std::uint8_t pad = 0;
    if (!sink_.write(&pad, 1)) return false;
  }
  std::uint64_t riffSize = sink_.position() - 8;
  rf64_ = riffSize > limit_ || dataBytes_ > limit_;
  std::uint8_t field[4];
  if (!rf64_) {
    put32(field, std::uint32_t(riffSize));
    if (!sink_.writeAt(4, field, 4)) return false;
    put32(field, std::uint32_t(dataBytes_));
    return sink_.writeAt(dataHeaderAt_ + 4, field, 4);
  }
  Bytes head;
  appendId(head, "RF64");
  append32(head, 0xFFFFFFFFu);
  appendId(head, "WAVE");
  appendId(head, "ds64");
  append32(head, kDs64Size);
  Bytes ds = ds64Body(riffSize, dataBytes_, format_.blockAlign ? dataBytes_ / format_.blockAlign : 0);
  head.insert(head.end(), ds.begin(), ds.end());
  if (!sink_.writeAt(0, head.data(), head.size())) return false;
  put32(field, 0xFFFFFFFFu);
  return sink_.writeAt(dataHeaderAt_ + 4, field, 4);
}

bool rewriteWave(ByteSource& src, const WaveLayout& layout, const Bytes& infoBody, const Bytes& id3, ByteSink& out,
                 std::string& error, std::uint64_t riffLimit) {
  struct Piece {
    std::string id;
    const RiffChunk* from = nullptr;  // copied from the source
    const Bytes* body = nullptr;      // or written from memory
    std::uint64_t size = 0;
  };
  std::vector<Piece> pieces;
  Bytes listBody;
  for (std::size_t i = 0; i < layout.chunks.size(); ++i) {
    const RiffChunk& c = layout.chunks[i];
    std::string id(c.id, 4);
    int index = int(i);
    if (index == layout.infoChunk || index == layout.id3Chunk || id == "JUNK" || id == "ds64" || id == "id3 " ||
        id == "ID3 ")
      continue;
    if (index == layout.dataChunk && !infoBody.empty()) pieces.push_back({"LIST", nullptr, &infoBody, infoBody.size()});
    std::uint64_t size = index == layout.dataChunk ? layout.dataSize : c.size;
    pieces.push_back({id, &c, nullptr, size});
  }
  if (!id3.empty()) pieces.push_back({"id3 ", nullptr, &id3, id3.size()});

  std::uint64_t riffSize = 4;
  for (const auto& p : pieces) riffSize += 8 + p.size + (p.size & 1);
  std::uint64_t dataSize = layout.dataSize;
  bool rf64 = riffSize + 8 + kDs64Size > riffLimit || dataSize > riffLimit;
  if (rf64) riffSize += 8 + kDs64Size;

  Bytes head;
  appendId(head, rf64 ? "RF64" : "RIFF");
  append32(head, rf64 ? 0xFFFFFFFFu : std::uint32_t(riffSize));
  appendId(head, "WAVE");
  if (rf64) {
    Bytes h = chunkHeader("ds64", kDs64Size);
    head.insert(head.end(), h.begin(), h.end());
    Bytes ds = ds64Body(riffSize, dataSize, dataSize / layout.format.blockAlign);
    head.insert(head.end(), ds.begin(), ds.end());
  }
  if (!out.write(head.data(), head.size())) {
    error = "the new file could not be written";
    return false;
  }

  Bytes buffer;
  for (const auto& p : pieces) {
    bool big = p.size > 0xFFFFFFFFull;
    if (big && p.id != "data") {
      error = "a chunk is too large";
      return false;
    }
    Bytes h = chunkHeader(p.id.c_str(), big || (rf64 && p.id == "data") ? 0xFFFFFFFFu : std::uint32_t(p.size));
    if (!out.write(h.data(), h.size())) {
      error = "the new file could not be written";
      return false;
    }
    if (p.body) {
      if (!out.write(p.body->data(), p.body->size())) {
        error = "the new file could not be written";
        return false;
      }
    } else {
      buffer.resize(1u << 20);
      std::uint64_t done = 0;
      while (done < p.size) {
        std::size_t n = std::size_t(std::min<std::uint64_t>(buffer.size(), p.size - done));
        if (!src.readAt(p.from->bodyOffset + done, buffer.data(), n)) {
          error = "the file could not be read";
          return false;
        }
        if (!out.write(buffer.data(), n)) {
          error = "the new file could not be written";
          return false;
        }
        done += n;
      }
    }
    if (p.size & 1) {
      std::uint8_t pad = 0;
      if (!out.write(&pad, 1)) {
        error = "the new file could not be written";
        return false;
      }
    }
  }
  return true;
}

}  // namespace tvw
