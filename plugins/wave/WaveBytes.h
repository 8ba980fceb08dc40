// Little-endian and big-endian field access for the RIFF and ID3 parsers.
#pragma once
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

namespace tvw {

using Bytes = std::vector<std::uint8_t>;

inline std::uint16_t le16(const std::uint8_t* p) { return std::uint16_t(p[0] | (p[1] << 8)); }
inline std::uint32_t le32(const std::uint8_t* p) {
  return std::uint32_t(p[0]) | (std::uint32_t(p[1]) << 8) | (std::uint32_t(p[2]) << 16) |
         (std::uint32_t(p[3]) << 24);
}
inline std::uint64_t le64(const std::uint8_t* p) {
  return std::uint64_t(le32(p)) | (std::uint64_t(le32(p + 4)) << 32);
}
inline std::uint32_t be32(const std::uint8_t* p) {
  return (std::uint32_t(p[0]) << 24) | (std::uint32_t(p[1]) << 16) | (std::uint32_t(p[2]) << 8) |
         std::uint32_t(p[3]);
}
// ID3v2 "synchsafe" integer: 7 bits per byte.
inline std::uint32_t synchsafe32(const std::uint8_t* p) {
  return (std::uint32_t(p[0] & 0x7F) << 21) | (std::uint32_t(p[1] & 0x7F) << 14) |
         (std::uint32_t(p[2] & 0x7F) << 7) | std::uint32_t(p[3] & 0x7F);
}

inline void put16(std::uint8_t* p, std::uint16_t v) { p[0] = std::uint8_t(v); p[1] = std::uint8_t(v >> 8); }
inline void put32(std::uint8_t* p, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) p[i] = std::uint8_t(v >> (8 * i));
}
inline void put64(std::uint8_t* p, std::uint64_t v) {
  put32(p, std::uint32_t(v));
  put32(p + 4, std::uint32_t(v >> 32));
}

inline void append16(Bytes& b, std::uint16_t v) { b.push_back(std::uint8_t(v)); b.push_back(std::uint8_t(v >> 8)); }
inline void append32(Bytes& b, std::uint32_t v) {
  for (int i = 0; i < 4; ++i) b.push_back(std::uint8_t(v >> (8 * i)));
}
inline void append64(Bytes& b, std::uint64_t v) { append32(b, std::uint32_t(v)); append32(b, std::uint32_t(v >> 32)); }
inline void appendBe32(Bytes& b, std::uint32_t v) {
  for (int i = 3; i >= 0; --i) b.push_back(std::uint8_t(v >> (8 * i)));
}
inline void appendSynchsafe32(Bytes& b, std::uint32_t v) {
  for (int i = 3; i >= 0; --i) b.push_back(std::uint8_t((v >> (7 * i)) & 0x7F));
}
inline void appendId(Bytes& b, const char* id4) { b.insert(b.end(), id4, id4 + 4); }
inline void appendBytes(Bytes& b, const void* p, std::size_t n) {
  const auto* s = static_cast<const std::uint8_t*>(p);
  b.insert(b.end(), s, s + n);
}

inline bool idIs(const std::uint8_t* p, const char* id4) { return std::memcmp(p, id4, 4) == 0; }

}  // namespace tvw
