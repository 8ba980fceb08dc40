#include "RiffReader.h"

#include <cstring>

namespace tvw {

namespace {
constexpr std::uint32_t kMaxChunks = 100000;  // a file of nothing but tiny chunks is not audio
}

bool readChunk(ByteSource& src, const RiffChunk& chunk, Bytes& body) {
  if (chunk.size > kMaxMetadataChunk) return false;
  body.resize(std::size_t(chunk.size));
  return src.readAt(chunk.bodyOffset, body.data(), body.size());
}

bool parseWave(ByteSource& src, WaveLayout& layout, std::string& error) {
  layout = WaveLayout();
  layout.fileSize = src.size();
  std::uint8_t head[12];
  if (layout.fileSize < 12 || !src.readAt(0, head, 12)) {
    error = "it is too short to be a WAVE file";
    return false;
  }
  bool riff = idIs(head, "RIFF");
  layout.rf64 = idIs(head, "RF64") || idIs(head, "BW64");
  if ((!riff && !layout.rf64) || !idIs(head + 8, "WAVE")) {
    error = "it is not a RIFF WAVE file";
    return false;
  }

  std::uint64_t ds64Data = 0;
  bool haveDs64 = false;
  std::uint64_t at = 12;
  while (layout.fileSize - at >= 8) {
    if (layout.chunks.size() >= kMaxChunks) {
      error = "it has too many chunks";
      return false;
    }
    std::uint8_t h[8];
    if (!src.readAt(at, h, 8)) {
      error = "it could not be read";
      return false;
    }
    RiffChunk c;
    std::memcpy(c.id, h, 4);
    c.bodyOffset = at + 8;
    std::uint64_t declared = le32(h + 4);
    std::uint64_t available = layout.fileSize - c.bodyOffset;
    bool isData = idIs(h, "data");
    if (isData && layout.rf64 && declared == 0xFFFFFFFFu) {
      if (!haveDs64) {
        error = "its RF64 header has no 'ds64' chunk";
        return false;
      }
      declared = ds64Data;
    }
    if (declared > available) {
      if (isData) {
        layout.dataTruncated = true;
        declared = available;
      } else if (layout.dataChunk >= 0) {
        break;  // damaged trailer after the audio: the audio is still good
      } else {
        error = std::string("its '") + c.id + "' chunk runs past the end of the file";
        return false;
      }
    }
    c.size = declared;
    int index = int(layout.chunks.size());
    if (idIs(h, "ds64") && layout.rf64 && index == 0) {
      std::uint8_t d[16];
      if (c.size < 28 || !src.readAt(c.bodyOffset, d, 16)) {
        error = "its 'ds64' chunk is too short";
        return false;
      }
      ds64Data = le64(d + 8);
      haveDs64 = true;
    } else if (idIs(h, "fmt ") && layout.fmtChunk < 0) {
      std::uint8_t body[40] = {0};
      std::size_t n = c.size < 40 ? std::size_t(c.size) : 40;
      if (!src.readAt(c.bodyOffset, body, n) || !parseFmtChunk(body, n, layout.format, error)) {
        if (error.empty()) error = "its 'fmt ' chunk could not be read";
        return false;
      }
      layout.fmtChunk = index;
    } else if (isData && layout.dataChunk < 0) {
      layout.dataChunk = index;
    } else if (idIs(h, "LIST") && layout.infoChunk < 0 && c.size >= 4) {
      std::uint8_t type[4];
      if (src.readAt(c.bodyOffset, type, 4) && idIs(type, "INFO")) layout.infoChunk = index;
    } else if ((idIs(h, "id3 ") || idIs(h, "ID3 ")) && layout.id3Chunk < 0) {
      layout.id3Chunk = index;
    }
    layout.chunks.push_back(c);
    std::uint64_t next = c.bodyOffset + c.size + (c.size & 1);
    if (next <= at) break;
    at = next;
    if (layout.dataTruncated) break;
  }

  if (layout.fmtChunk < 0) {
    error = "it has no 'fmt ' chunk";
    return false;
  }
  if (layout.dataChunk < 0) {
    error = "it has no 'data' chunk";
    return false;
  }
  if (!validateFormat(layout.format, error)) return false;
  const RiffChunk& data = layout.chunks[std::size_t(layout.dataChunk)];
  layout.dataOffset = data.bodyOffset;
  layout.dataSize = data.size / layout.format.blockAlign * layout.format.blockAlign;
  return true;
}

}  // namespace tvw
