#include "WaveIo.h"

#include <cstring>

namespace tvw {

bool MemorySource::readAt(std::uint64_t offset, void* out, std::size_t n) {
  if (offset > bytes_.size() || n > bytes_.size() - offset) return false;
  if (n) std::memcpy(out, bytes_.data() + offset, n);
  return true;
}

bool MemorySink::write(const void* data, std::size_t n) {
  appendBytes(bytes, data, n);
  return true;
}

bool MemorySink::writeAt(std::uint64_t offset, const void* data, std::size_t n) {
  if (offset > bytes.size() || n > bytes.size() - offset) return false;
  if (n) std::memcpy(bytes.data() + offset, data, n);
  return true;
}

}  // namespace tvw
