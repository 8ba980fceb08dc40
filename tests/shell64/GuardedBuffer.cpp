#include "GuardedBuffer.h"

#include <windows.h>

#include <cstring>

clGuardedBuffer::clGuardedBuffer(const std::vector<uint8_t>& bytes, Against against) : size_(bytes.size()) {
  SYSTEM_INFO system;
  GetSystemInfo(&system);
  const size_t page = system.dwPageSize;
  const size_t dataPages = size_ ? (size_ + page - 1) / page : 1;
  base_ = VirtualAlloc(nullptr, (dataPages + 2) * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (!base_) return;
  uint8_t* first = static_cast<uint8_t*>(base_);
  uint8_t* area = first + page;
  uint8_t* last = area + dataPages * page;
  DWORD old = 0;
  if (!VirtualProtect(first, page, PAGE_NOACCESS, &old) || !VirtualProtect(last, page, PAGE_NOACCESS, &old)) {
    VirtualFree(base_, 0, MEM_RELEASE);
    base_ = nullptr;
    return;
  }
  uint8_t* start = against == Against::End ? last - size_ : area;
  if (size_) std::memcpy(start, bytes.data(), size_);
  data_ = start;
}

clGuardedBuffer::~clGuardedBuffer() {
  if (base_) VirtualFree(base_, 0, MEM_RELEASE);
}
