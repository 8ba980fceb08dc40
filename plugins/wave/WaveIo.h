// Byte sources and sinks the format code reads and writes through, so the
// parsers and writers work on files and on memory alike.
#pragma once
#include <cstddef>
#include <cstdint>

#include "WaveBytes.h"

namespace tvw {

class ByteSource {
 public:
  virtual ~ByteSource() = default;
  virtual std::uint64_t size() const = 0;
  // Reads exactly n bytes at offset; false on a short read or an error.
  virtual bool readAt(std::uint64_t offset, void* out, std::size_t n) = 0;
};

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Appends at the current end.
  virtual bool write(const void* data, std::size_t n) = 0;
  // Overwrites already written bytes (header fix-ups).
  virtual bool writeAt(std::uint64_t offset, const void* data, std::size_t n) = 0;
  virtual std::uint64_t position() const = 0;
};

class MemorySource : public ByteSource {
 public:
  explicit MemorySource(const Bytes& bytes) : bytes_(bytes) {}
  std::uint64_t size() const override { return bytes_.size(); }
  bool readAt(std::uint64_t offset, void* out, std::size_t n) override;

 private:
  const Bytes& bytes_;
};

class MemorySink : public ByteSink {
 public:
  bool write(const void* data, std::size_t n) override;
  bool writeAt(std::uint64_t offset, const void* data, std::size_t n) override;
  std::uint64_t position() const override { return bytes.size(); }
  Bytes bytes;
};

}  // namespace tvw
