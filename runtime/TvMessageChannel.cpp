#include "TvMessageChannel.h"

// Filled in below; this first version reads the pipe directly.
class clChannelDrain {};

clMessageChannel::clMessageChannel() = default;
clMessageChannel::~clMessageChannel() { Close(); }

bool clMessageChannel::Create(bool inheritable) {
  Close();
  SECURITY_ATTRIBUTES sa = {sizeof(sa), nullptr, inheritable ? TRUE : FALSE};
  if (!CreatePipe(&read_, &write_, &sa, 0)) {
    read_ = write_ = nullptr;
    return false;
  }
  ownsHandles_ = true;
  return true;
}

void clMessageChannel::Attach(HANDLE readEnd, HANDLE writeEnd, bool takeOwnership) {
  Close();
  read_ = readEnd;
  write_ = writeEnd;
  ownsHandles_ = takeOwnership;
}

std::string clMessageChannel::ReadAvailable(bool wait, bool* broken) {
  std::string bytes;
  if (broken) *broken = false;
  if (!read_) return bytes;
  for (;;) {
    DWORD available = 0;
    if (!PeekNamedPipe(read_, nullptr, 0, nullptr, &available, nullptr)) {
      if (broken) *broken = true;
      break;
    }
    if (available == 0) break;
    size_t old = bytes.size();
    bytes.resize(old + available);
    DWORD got = 0;
    if (!ReadFile(read_, &bytes[old], available, &got, nullptr)) {
      bytes.resize(old);
      if (broken) *broken = true;
      break;
    }
    bytes.resize(old + got);
  }
  return bytes;
}

HANDLE clMessageChannel::WriteHandle() const { return write_; }
HANDLE clMessageChannel::ReadHandle() const { return read_; }

void clMessageChannel::CloseWriteEnd() {
  if (write_ && ownsHandles_) CloseHandle(write_);
  write_ = nullptr;
}

void clMessageChannel::Close() {
  drain_.reset();
  if (ownsHandles_) {
    if (read_) CloseHandle(read_);
    if (write_) CloseHandle(write_);
  }
  read_ = write_ = nullptr;
  ownsHandles_ = false;
}
