// A copy of some bytes between two PAGE_NOACCESS pages, placed against one
// of them: reading one byte past the end (or before the start) faults at once.
#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

class clGuardedBuffer {
 public:
  enum class Against { End, Start };
  explicit clGuardedBuffer(const std::vector<uint8_t>& bytes, Against against = Against::End);
  ~clGuardedBuffer();
  clGuardedBuffer(const clGuardedBuffer&) = delete;
  clGuardedBuffer& operator=(const clGuardedBuffer&) = delete;

  const uint8_t* Data() const { return data_; }
  size_t Size() const { return size_; }
  bool Ready() const { return base_ != nullptr; }

 private:
  void* base_ = nullptr;
  const uint8_t* data_ = nullptr;
  size_t size_ = 0;
};
